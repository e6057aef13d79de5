// The mixer: opening the output, starting sounds and modules on channels, and mixing every buffer.
#include "sound/aud/audSpeaker.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audWinMM.h"

using namespace aud;

namespace {

constexpr int32_t kMinMusicChannels = 1;
constexpr int32_t kMaxMusicChannels = 64;
constexpr int32_t kMinSoundChannels = 8;
constexpr int32_t kMaxSoundChannels = 128;
constexpr uint8_t kSilence8 = 0x80;
constexpr uint32_t kMixBlockFrames = 512;

int32_t clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : (v > high ? high : v); }

// Sums as 16-bit samples, each clamped to the 16-bit range.
void toPcm16(const int32_t* in, int16_t* out, uint32_t count) {
  uint32_t i = 0;
#if defined(__SSE2__)
  // The saturating pack clamps exactly as clamp does.
  for (; i + 8 <= count; i += 8) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packs_epi32(low, high));
  }
#endif
  for (; i < count; ++i) out[i] = static_cast<int16_t>(clamp(in[i], -32768, 32767));
}

}  // namespace

int32_t audSpeaker::open(int32_t rate, int32_t bits, int32_t stereo, int32_t musicChannels, int32_t soundChannels) {
  if (open_) return kAlreadyOpen;
  std::unique_ptr<audDriver> driver(new (std::nothrow) audWinMM);
  if (!driver) return kNoDriver;
  return open(std::move(driver), rate, bits, stereo, musicChannels, soundChannels);
}

int32_t audSpeaker::open(std::unique_ptr<audDriver> driver, int32_t rate, int32_t bits, int32_t stereo,
                         int32_t musicChannels, int32_t soundChannels) {
  if (open_) return kAlreadyOpen;
  if (!driver) return kNoDriver;
  // Rates the tables cannot serve are refused like a format the device cannot play.
  if (rate <= 0) return -1;
  audFormat format{rate, bits == 8 ? audFormat::kUnsigned8 : audFormat::kSigned16, stereo == 1 ? 2 : 1};
  uint32_t totalFrames = static_cast<uint32_t>(static_cast<int64_t>(kLatencyMs) * rate / 1000);
  int32_t result = driver->open(&format, totalFrames, &audSpeaker::mixCallback, this);
  if (result != 0) return result;
  driver_ = std::move(driver);
  outputRate_ = static_cast<uint32_t>(rate);
  sixteenBit_ = (format.flags & audFormat::kBit16) ? 1 : 0;
  stereo_ = format.channels - 1;
  buildStepTables(outputRate_);
  try {
    musicCount_ = static_cast<uint32_t>(clamp(musicChannels, kMinMusicChannels, kMaxMusicChannels));
    for (uint32_t i = 0; i < musicCount_; ++i) musicChannels_.push_back(std::make_unique<audMusicChannel>(this));
    activeMusic_.reserve(musicCount_);
    musicMaster_ = kMaxVolume;
    soundCount_ = static_cast<uint32_t>(clamp(soundChannels, kMinSoundChannels, kMaxSoundChannels));
    for (uint32_t i = 0; i < soundCount_; ++i) soundChannels_.push_back(std::make_unique<audSoundChannel>(this));
    activeSounds_.reserve(soundCount_);
    soundMaster_ = kMaxVolume;
  } catch (const std::bad_alloc&) {
    open_ = true;
    close();
    return kNoMemory;
  }
  driver_->resume();
  open_ = true;
  return 0;
}

int32_t audSpeaker::close() {
  if (open_) {
    driver_->close();
    open_ = false;
  }
  driver_.reset();
  musicChannels_.clear();
  activeMusic_.clear();
  soundChannels_.clear();
  activeSounds_.clear();
  musicCount_ = soundCount_ = 0;
  return 0;
}

void audSpeaker::lock() {
  if (open_) driver_->lock();
}

void audSpeaker::unlock() {
  if (open_) driver_->unlock();
}

int32_t audSpeaker::playSound(const audSound* sound, int32_t flags) {
  if (!open_ || sound == nullptr || sound->data == nullptr) return kPlayFailed;
  lock();
  audSoundChannel* chosen = nullptr;
  uint32_t index = 0;
  if (flags & kAnyChannel) {
    int32_t samePlaying = 0;
    for (uint32_t i = 0; i < soundCount_; ++i) {
      audSoundChannel* c = soundChannels_[i].get();
      if (c->isFree()) {
        chosen = c;
        index = i;
        if (sound->instanceLimit == audSound::kNoInstanceLimit) break;
      } else if (c->data == sound->data) {
        ++samePlaying;
      }
    }
    if (sound->instanceLimit != audSound::kNoInstanceLimit && samePlaying >= sound->instanceLimit) chosen = nullptr;
  } else {
    index = static_cast<uint32_t>(flags & kChannelMask);
    if (index < soundCount_ && soundChannels_[index]->isFree()) chosen = soundChannels_[index].get();
  }
  if (chosen == nullptr) {
    unlock();
    return kPlayFailed;
  }
  chosen->setUp(*sound);
  chosen->start((flags & kStartPaused) != 0);
  unlock();
  return static_cast<int32_t>(musicCount_ + index);
}

int32_t audSpeaker::playMusic(const audMusic* music, int32_t flags) {
  if (!open_ || music == nullptr || music->data == nullptr) return kPlayFailed;
  int channels = audMusic::checkTag(music->data);
  if (channels < 1 || channels > kMaxTrackerChannels) return kPlayFailed;
  lock();
  audMusicChannel* chosen = nullptr;
  uint32_t index = 0;
  if (flags & kAnyChannel) {
    for (uint32_t i = 0; i < musicCount_ && chosen == nullptr; ++i) {
      if (musicChannels_[i]->isFree()) {
        chosen = musicChannels_[i].get();
        index = i;
      }
    }
  } else {
    index = static_cast<uint32_t>(flags & kChannelMask);
    if (index < musicCount_ && musicChannels_[index]->isFree()) chosen = musicChannels_[index].get();
  }
  if (chosen == nullptr || !chosen->setUp(*music)) {
    unlock();
    return kPlayFailed;
  }
  chosen->start((flags & kStartPaused) != 0);
  unlock();
  return static_cast<int32_t>(index);
}

void audSpeaker::applyToSounds(void (audChannel::*operation)()) {
  if (!open_) return;
  lock();
  for (auto& c : soundChannels_) (c.get()->*operation)();
  unlock();
}

void audSpeaker::applyToMusic(void (audChannel::*operation)()) {
  if (!open_) return;
  lock();
  for (auto& c : musicChannels_) (c.get()->*operation)();
  unlock();
}

void audSpeaker::stopAllSounds() { applyToSounds(&audChannel::stop); }
void audSpeaker::stopAllMusic() { applyToMusic(&audChannel::stop); }
void audSpeaker::pauseAllSounds() { applyToSounds(&audChannel::pause); }
void audSpeaker::resumeAllSounds() { applyToSounds(&audChannel::resume); }
void audSpeaker::pauseAllMusic() { applyToMusic(&audChannel::pause); }
void audSpeaker::resumeAllMusic() { applyToMusic(&audChannel::resume); }

void audSpeaker::pause() {
  if (open_) driver_->pause();
}

void audSpeaker::resume() {
  if (open_) driver_->resume();
}

void audSpeaker::setSoundVolume(int32_t v) {
  soundMaster_ = (v < 0 || v > kMaxVolume) ? kMaxVolume : v;
  for (auto& c : soundChannels_) c->setVolume(c->volume);
}

void audSpeaker::setMusicVolume(int32_t v) {
  musicMaster_ = (v < 0 || v > kMaxVolume) ? kMaxVolume : v;
  for (auto& c : musicChannels_) c->setVolume(c->volume);
}

audChannel* audSpeaker::getChannel(int32_t index) {
  if (index < 0) return nullptr;
  auto i = static_cast<uint32_t>(index);
  if (i < musicCount_) return musicChannels_[i].get();
  if (i < musicCount_ + soundCount_) return soundChannels_[i - musicCount_].get();
  return nullptr;
}

void audSpeaker::buildStepTables(uint32_t rate) {
  stepTable_[0] = 0;
  for (int p = 1; p < kPeriodEntries; ++p) {
    uint64_t frequency = kPeriodClock / (2u * static_cast<uint64_t>(p));
    stepTable_[p] = static_cast<uint32_t>((frequency << kTrackerFraction) / rate);
  }
  const uint16_t* scale = kPeriodTable[0];
  int smallest = 0;
  for (int n = 1; n < kNotes; ++n) {
    if (scale[n] < scale[smallest]) smallest = n;
  }
  nearestNote_[0] = static_cast<uint16_t>(smallest);
  for (int p = 1; p < kPeriodEntries; ++p) {
    int best = 0;
    for (int n = 1; n < kNotes; ++n) {
      if (std::abs(scale[n] - p) < std::abs(scale[best] - p)) best = n;
    }
    nearestNote_[p] = static_cast<uint16_t>(best);
  }
}

void audSpeaker::mixCallback(void* speaker, void* buffer, uint32_t bytes) {
  if (speaker) static_cast<audSpeaker*>(speaker)->mix(buffer, bytes);
}

void audSpeaker::mix(void* buffer, uint32_t bytes) {
  activeMusic_.clear();
  activeSounds_.clear();
  for (auto& c : musicChannels_) {
    if (c->isActive()) activeMusic_.push_back(c.get());
  }
  for (auto& c : soundChannels_) {
    if (c->isActive()) activeSounds_.push_back(c.get());
  }
  if (activeMusic_.empty() && activeSounds_.empty()) {
    std::memset(buffer, sixteenBit_ ? 0 : kSilence8, bytes);
    return;
  }
  bool stereo = stereo_ != 0;
  uint32_t samples = bytes >> sixteenBit_;
  uint32_t framesToMix = stereo ? samples / 2 : samples;
  auto* out8 = static_cast<uint8_t*>(buffer);
  auto* out16 = static_cast<int16_t*>(buffer);
  const uint32_t sides = stereo ? 2 : 1;
  // Each module mixes a block of frames per call; effects one frame at a time.
  int32_t music[kMixBlockFrames * 2];
  for (uint32_t start = 0; start < framesToMix; start += kMixBlockFrames) {
    const uint32_t frames = std::min(kMixBlockFrames, framesToMix - start);
    std::fill_n(music, frames * 2, 0);
    for (audMusicChannel* c : activeMusic_) {
      if (!c->stopped) c->mixBlock(music, frames, stereo);
    }
    if (!activeSounds_.empty()) {
      for (uint32_t f = 0; f < frames; ++f) {
        int32_t soundLeft = 0, soundRight = 0;
        for (audSoundChannel* c : activeSounds_) {
          if (!c->stopped) c->mixFrame(soundLeft, soundRight, stereo, outputRate_);
        }
        music[2 * f] += soundLeft >> kEffectShift;
        music[2 * f + 1] += soundRight >> kEffectShift;
      }
    }
    if (sixteenBit_ && stereo) {
      toPcm16(music, out16, frames * 2);
      out16 += frames * 2;
      continue;
    }
    for (uint32_t f = 0; f < frames; ++f) {
      for (uint32_t s = 0; s < sides; ++s) {
        if (sixteenBit_) {
          *out16++ = static_cast<int16_t>(clamp(music[2 * f + s], -32768, 32767));
        } else {
          *out8++ = static_cast<uint8_t>(clamp(music[2 * f + s] >> 8, -128, 127) + 128);
        }
      }
    }
  }
}
