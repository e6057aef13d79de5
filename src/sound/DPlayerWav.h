// The player of WAV sound effects, on the mixer's sound-effect channels.
#pragma once

#include "sound/DPlayer.h"

namespace nuv::microedition::media {

class DPlayerWav : public DPlayer {
 public:
  explicit DPlayerWav(nuv::io::DInputStreamPtr from) : DPlayer(0, std::move(from)) {}
  DPlayerWav(lang::DObjectPtr sharedSource, bool loaded) : DPlayer(0, std::move(sharedSource), loaded) {}
  const char* getClassName() const override { return "DPlayerWav"; }

  lang::DStringPtr getContentType() override { return u"audio/x-wav"; }
  // Channel pan - 128.
  int32_t getPan() override;
  // -128..127; beyond that the nearest end.
  void setPan(int32_t pan) override;

 protected:
  lang::DObjectPtr newSource() override;
  bool loadSource(nuv::io::DInputStreamPtr from, const char16_t*& why) override;
  int32_t playOnMixer(audSpeaker& speaker) override;
  DPlayerPtr duplicate() override;
  bool acceptsMediaTime(int64_t time) const override { return time == 0; }
  bool ownerMayEqual() const override { return true; }
  bool keepsStateWithEmptySlot() const override { return false; }
};

}  // namespace nuv::microedition::media
