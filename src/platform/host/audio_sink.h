// The family of audio outputs behind wave-out: each pulls PCM bytes from the device at its own pace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// PCM as the outputs play it: interleaved frames of 8-bit unsigned or 16-bit little-endian samples.
struct AudioFormat {
  uint32_t rate = 0;  // frames per second
  uint16_t channels = 0;
  uint16_t bits = 0;        // per sample
  uint32_t frameBytes = 0;  // one sample of every channel
};

// What an output pulls from: fills the whole buffer, silence where nothing is queued.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void pull(uint8_t* out, size_t bytes) = 0;
  // Bytes still to play before the buffer now playing is done; 0 when nothing is queued.
  virtual size_t bytesToBufferEnd() = 0;
};

// One opened output. Starts paused; after destruction it pulls no more.
class AudioSink {
 public:
  virtual ~AudioSink() = default;
  virtual void setPaused(bool paused) = 0;
  // A buffer was queued on the source; an output that sleeps while nothing is queued wakes up.
  virtual void queued() {}
};

struct AudioBackend {
  const char* name;
  // Null when this output cannot play the format here.
  std::unique_ptr<AudioSink> (*open)(const AudioFormat& format, AudioSource& source);
};

std::unique_ptr<AudioSink> openSdlAudio(const AudioFormat& format, AudioSource& source);
std::unique_ptr<AudioSink> openNullAudio(const AudioFormat& format, AudioSource& source);

}  // namespace platform
