// The desktop's sound through SDL2 audio.
#include "platform/host/audio_sink.h"
#include "platform/host/sdl_library.h"

namespace platform {
namespace {

// About 12 ms at 44.1 kHz: SDL's own buffering stays small beside the device's queued buffers.
constexpr Uint16 kSdlBufferFrames = 512;

class SdlSink : public AudioSink {
 public:
  SdlSink(const SdlCalls& calls, SDL_AudioDeviceID device) : calls_(calls), device_(device) {}
  ~SdlSink() override {
    calls_.CloseAudioDevice(device_);
    calls_.QuitSubSystem(SDL_INIT_AUDIO);
  }
  void setPaused(bool paused) override { calls_.PauseAudioDevice(device_, paused ? 1 : 0); }

 private:
  const SdlCalls& calls_;
  SDL_AudioDeviceID device_;
};

void SDLCALL pullFromSource(void* userdata, Uint8* stream, int length) {
  static_cast<AudioSource*>(userdata)->pull(stream, static_cast<size_t>(length));
}

}  // namespace

std::unique_ptr<AudioSink> openSdlAudio(const AudioFormat& format, AudioSource& source) {
  const SdlCalls* calls = sdl();
  if (calls == nullptr || calls->InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (calls->GetNumAudioDevices(0) == 0) {
    calls->QuitSubSystem(SDL_INIT_AUDIO);
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
  SDL_AudioDeviceID device = calls->OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    calls->QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::make_unique<SdlSink>(*calls, device);
}

}  // namespace platform
