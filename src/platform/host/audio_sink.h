// The family of audio outputs behind wave-out: each pulls PCM bytes from the device at its own pace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/api/waveout.h"

namespace platform {

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
  std::unique_ptr<AudioSink> (*open)(const WAVEFORMATEX& format, AudioSource& source);
};

std::unique_ptr<AudioSink> openSdlAudio(const WAVEFORMATEX& format, AudioSource& source);
std::unique_ptr<AudioSink> openNullAudio(const WAVEFORMATEX& format, AudioSource& source);

}  // namespace platform
