// The desktop's sound through SDL2 audio.
#include <SDL.h>

#include "platform/host/audio_sink.h"

namespace platform {
namespace {

// About 12 ms at 44.1 kHz: SDL's own buffering stays small beside the device's queued buffers.
constexpr Uint16 kSdlBufferFrames = 512;

class SdlSink : public AudioSink {
 public:
  explicit SdlSink(SDL_AudioDeviceID device) : device_(device) {}
  ~SdlSink() override {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  void setPaused(bool paused) override { SDL_PauseAudioDevice(device_, paused ? 1 : 0); }

 private:
  SDL_AudioDeviceID device_;
};

void SDLCALL pullFromSource(void* userdata, Uint8* stream, int length) {
  static_cast<AudioSource*>(userdata)->pull(stream, static_cast<size_t>(length));
}

}  // namespace

std::unique_ptr<AudioSink> openSdlAudio(const AudioFormat& format, AudioSource& source) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (SDL_GetNumAudioDevices(0) == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.rate);
  want.format = format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = kSdlBufferFrames;
  want.callback = pullFromSource;
  want.userdata = &source;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the card wants.
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::make_unique<SdlSink>(device);
}

}  // namespace platform
