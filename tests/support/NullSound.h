// The sound system started on the null audio device for as long as the object lives: for tests whose code
// plays sounds or keeps their levels in the mixer. Only test programs that link the sound library use it.
#pragma once

#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace test {

class NullSound {
 public:
  NullSound() {
    platform::setAudioDriver("null");
    nuv::microedition::media::DManager::initSound();
  }
  ~NullSound() { nuv::microedition::media::DManager::doneSound(); }
  NullSound(const NullSound&) = delete;
  NullSound& operator=(const NullSound&) = delete;
};

}  // namespace test
