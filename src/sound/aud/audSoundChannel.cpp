// Mixing one sound-effect sample: nearest-frame resampling, volume and pan.
#include "sound/aud/audSoundChannel.h"

#include "sound/aud/audSound.h"
#include "sound/aud/audSpeaker.h"

namespace {

constexpr int32_t kMaxPan = 255;
constexpr int32_t kCentrePan = 128;

int16_t readSample16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

}  // namespace

void audSoundChannel::setVolume(int32_t v) {
  if (v < 0 || v > audSpeaker::kMaxVolume) v = audSpeaker::kMaxVolume;
  Guard guard(speaker);
  volume = v;
  effectiveVolume = (speaker ? speaker->getSoundVolume() : audSpeaker::kMaxVolume) * v >> 6;
}

void audSoundChannel::setPan(int32_t p) {
  if (static_cast<uint32_t>(p) > static_cast<uint32_t>(kMaxPan)) p = kMaxPan;
  Guard guard(speaker);
  pan = p;
}

uint32_t audSoundChannel::getPosition() { return position >> positionShift(); }

void audSoundChannel::setPosition(uint32_t p) {
  Guard guard(speaker);
  position = p << positionShift();
}

uint32_t audSoundChannel::getLength() { return length >> positionShift(); }

void audSoundChannel::setUp(const audSound& sound) {
  data = sound.data;
  playRate = sound.playRate;
  rateChanged = true;
  position = 0;
  length = sound.frames << 8;
  loop = sound.loop;
  pan = sound.pan;
  eightBit = sound.eightBit;
  stereoSource = sound.stereo;
  setVolume(sound.volume);
}

void audSoundChannel::mixFrame(int32_t& left, int32_t& right, bool stereoOutput, uint32_t outputRate) {
  if (rateChanged) {
    // 64-bit: rates of 65536 Hz and more would overflow the shift.
    uint64_t rate = playRate > 0 ? static_cast<uint64_t>(playRate) : 0;
    step = static_cast<uint32_t>((rate << 16) / (static_cast<uint64_t>(outputRate) << 8));
    rateChanged = false;
  }
  if (loop && position >= length && length > 0) position -= length;
  if (position >= length) {
    stop();
    return;
  }
  uint32_t frame = position >> 8;
  int32_t l;
  int32_t r = 0;
  if (eightBit) {
    const uint8_t* p = data + frame * (stereoSource ? 2 : 1);
    l = (p[0] - 0x80) * 256;
    if (stereoSource) r = (p[1] - 0x80) * 256;
  } else {
    const uint8_t* p = data + frame * (stereoSource ? 4 : 2);
    l = readSample16(p);
    if (stereoSource) r = readSample16(p + 2);
  }
  int32_t v = effectiveVolume;
  if (!stereoOutput) {
    left += v * l + (stereoSource ? v * r : 0);
  } else if (pan == kCentrePan) {
    left += v * l;
    right += v * (stereoSource ? r : l);
  } else {
    int32_t both = v * 2;
    int32_t toRight = (both * pan) >> 8;
    int32_t toLeft = both - toRight;
    left += toLeft * l;
    right += toRight * l;
    if (stereoSource) {
      left += toLeft * r;
      right += toRight * r;
    }
  }
  position += step;
}
