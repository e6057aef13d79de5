// The player of tracker music, on the mixer's music channels.
#pragma once

#include "sound/DPlayer.h"

namespace nuv::microedition::media {

class DPlayerMod : public DPlayer {
 public:
  explicit DPlayerMod(nuv::io::DInputStreamPtr from) : DPlayer(1, std::move(from)) {}
  DPlayerMod(lang::DObjectPtr sharedSource, bool loaded) : DPlayer(1, std::move(sharedSource), loaded) {}
  const char* getClassName() const override { return "DPlayerMod"; }

  lang::DStringPtr getContentType() override { return u"audio/mod"; }

 protected:
  lang::DObjectPtr newSource() override;
  bool loadSource(nuv::io::DInputStreamPtr from, const char16_t*& why) override;
  int32_t playOnMixer(audSpeaker& speaker) override;
  DPlayerPtr duplicate() override;
  bool acceptsMediaTime(int64_t time) const override { return time <= 0; }
  bool ownerMayEqual() const override { return false; }
  bool keepsStateWithEmptySlot() const override { return true; }
};

}  // namespace nuv::microedition::media
