// A mixer channel that plays one sound-effect sample.
#pragma once

#include "sound/aud/audChannel.h"

class audSound;

class audSoundChannel : public audChannel {
 public:
  using audChannel::audChannel;

  void setVolume(int32_t v) override;
  void setPan(int32_t p) override;
  // Positions count frames for 8-bit mono data, half frames for 16-bit or stereo, quarter frames for
  // 16-bit stereo: the unit the players have always used.
  uint32_t getPosition() override;
  void setPosition(uint32_t p) override;
  uint32_t getLength() override;

  // Takes the sample's data, rate, loop, pan and volume and rewinds; under the speaker's lock.
  void setUp(const audSound& sound);
  // Adds one output frame of this channel to the sums, or stops the channel at the sample's end.
  void mixFrame(int32_t& left, int32_t& right, bool stereoOutput, uint32_t outputRate);

  const uint8_t* data = nullptr;
  uint32_t step = 0;      // source frames per output frame, 24.8 fixed point
  uint32_t position = 0;  // 24.8 fixed point frame
  uint32_t length = 0;    // frames << 8
  bool eightBit = false;
  bool stereoSource = false;

 private:
  int positionShift() const { return 8 + (eightBit ? 0 : 1) + (stereoSource ? 1 : 0); }
};
