// The mixer: channel counts, silence, clipping, pan and volume, instance limits and sounds that end.
#include <gtest/gtest.h>

#include <memory>

#include "SoundFixtures.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audSpeaker.h"

using namespace soundtest;

namespace {

// A 16-bit mono sound holding one value.
std::unique_ptr<audSound> constantSound(int16_t value, size_t frames, uint32_t rate = 44100) {
  auto sound = std::make_unique<audSound>();
  Bytes image = makeWav(16, 1, rate, pcm16(std::vector<int16_t>(frames, value)));
  EXPECT_EQ(sound->loadWav(image.data(), image.size(), true), 0);
  return sound;
}

}  // namespace

TEST(MixerTest, ChannelCountsAreClampedAndTheDriverGetsTheFormat) {
  struct Case {
    int32_t music, sounds;
    uint32_t musicCount, soundCount;
  } cases[] = {{0, 2, 1, 8}, {16, 32, 16, 32}, {200, 200, 64, 128}, {-5, 8, 1, 8}};
  for (const Case& c : cases) {
    Mixer m;
    ASSERT_EQ(m.open(44100, 16, 1, c.music, c.sounds), 0);
    EXPECT_EQ(m.speaker.getMusicCount(), c.musicCount);
    EXPECT_EQ(m.speaker.getSoundCount(), c.soundCount);
    EXPECT_EQ(m.speaker.getChannel(static_cast<int32_t>(c.musicCount + c.soundCount - 1)) != nullptr, true);
    EXPECT_EQ(m.speaker.getChannel(static_cast<int32_t>(c.musicCount + c.soundCount)), nullptr);
    EXPECT_EQ(m.speaker.getChannel(-1), nullptr);
  }
  struct Format {
    int32_t rate, bits, stereo;
    int32_t flags, channels;
    uint32_t totalFrames;
  } formats[] = {{44100, 16, 1, 0x12, 2, 7938}, {22050, 8, 0, 0x21, 1, 3969}, {11025, 16, 0, 0x12, 1, 1984}};
  for (const Format& f : formats) {
    Mixer m;
    ASSERT_EQ(m.open(f.rate, f.bits, f.stereo), 0);
    EXPECT_EQ(m.record.format.flags, f.flags);
    EXPECT_EQ(m.record.format.channels, f.channels);
    EXPECT_EQ(m.record.totalFrames, f.totalFrames);
    EXPECT_EQ(m.record.resumes, 1);  // output runs once open
    EXPECT_EQ(m.speaker.getSoundVolume(), 64);
    EXPECT_EQ(m.speaker.getMusicVolume(), 64);
  }
}

TEST(MixerTest, OpenFailuresAndClosedMixer) {
  Mixer m;
  EXPECT_EQ(m.speaker.open(std::make_unique<FakeDriver>(&m.record, -1), 44100, 16, 1, 1, 8), -1);
  EXPECT_FALSE(m.speaker.isOpen());
  auto sound = constantSound(1000, 10);
  EXPECT_EQ(m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel), audSpeaker::kPlayFailed);
  m.speaker.pauseAllSounds();  // nothing to do, nothing breaks
  ASSERT_EQ(m.open(44100, 16, 1), 0);
  EXPECT_EQ(m.open(44100, 16, 1), audSpeaker::kAlreadyOpen);
  EXPECT_EQ(m.speaker.close(), 0);
  EXPECT_EQ(m.record.closes, 1);
  EXPECT_EQ(m.speaker.getChannel(0), nullptr);
}

TEST(MixerTest, SilenceWithoutActiveChannels) {
  struct Case {
    int32_t bits;
    uint8_t expected;
  } cases[] = {{8, 0x80}, {16, 0x00}};
  for (const Case& c : cases) {
    Mixer m;
    ASSERT_EQ(m.open(22050, c.bits, 1), 0);
    std::vector<uint8_t> buffer(664, 0x33);
    m.speaker.mix(buffer.data(), 662);
    for (size_t i = 0; i < 662; ++i) ASSERT_EQ(buffer[i], c.expected) << i;
    EXPECT_EQ(buffer[662], 0x33);  // never past the buffer
  }
}

TEST(MixerTest, LoudSoundsClipInsteadOfWrapping) {
  struct Case {
    int32_t stereo;
    int sounds;
    int16_t value;
    int32_t pan;
    int16_t left, right;
  } cases[] = {
      {0, 1, 32767, 128, 16383, 0},  // one full sound is half the range
      {0, 2, 32767, 128, 32767, 0},  // two just reach the top
      {0, 3, 32767, 128, 32767, 0},  // three clip
      {0, 3, -32768, 128, -32768, 0},
      {1, 2, 32767, 255, 511, 32767},  // panned hard right: right clips, left keeps 1/128 of each
      {1, 1, 16384, 0, 16384, 0},
  };
  for (const Case& c : cases) {
    Mixer m;
    ASSERT_EQ(m.open(44100, 16, c.stereo), 0);
    auto sound = constantSound(c.value, 100);
    sound->pan = c.pan;
    for (int i = 0; i < c.sounds; ++i) ASSERT_GE(m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel), 1);
    std::vector<int16_t> out = m.mix16(4);
    EXPECT_EQ(out[0], c.left) << c.sounds << " sounds of " << c.value;
    if (c.stereo) {
      EXPECT_EQ(out[1], c.right) << c.sounds << " sounds of " << c.value;
    }
  }
}

TEST(MixerTest, EightBitOutputAndSources) {
  Mixer m;
  ASSERT_EQ(m.open(22050, 8, 0), 0);
  auto sound = std::make_unique<audSound>();
  Bytes image = makeWav(8, 1, 22050, Bytes(50, 0xC0));  // +64 in 8-bit
  ASSERT_EQ(sound->loadWav(image.data(), image.size(), false), 0);
  m.speaker.setSoundVolume(64);
  m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  uint8_t out[4];
  m.speaker.mix(out, 4);
  // (64 x 256 x 64 >> 7) >> 8 = 32, stored with 128 added.
  EXPECT_EQ(out[0], 160);
}

TEST(MixerTest, InstanceLimitAndFreeChannels) {
  Mixer m;
  ASSERT_EQ(m.open(44100, 16, 1, 2, 8), 0);
  auto sound = constantSound(100, 1000);
  sound->instanceLimit = 2;
  int32_t a = m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  int32_t b = m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  // With a limit the walk counts to the end and takes the last free channel.
  EXPECT_EQ(a, 2 + 7);  // past the two music channels
  EXPECT_EQ(b, 2 + 6);
  EXPECT_EQ(m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel), audSpeaker::kPlayFailed);
  // Another sample is not counted against this one's limit.
  auto other = constantSound(5, 1000);
  EXPECT_EQ(m.speaker.playSound(other.get(), audSpeaker::kAnyChannel), 2);

  // An explicit channel must exist and be free.
  EXPECT_EQ(m.speaker.playSound(other.get(), a - 2), audSpeaker::kPlayFailed);
  EXPECT_EQ(m.speaker.playSound(other.get(), 8), audSpeaker::kPlayFailed);
  EXPECT_EQ(m.speaker.playSound(other.get(), 1), 3);
  EXPECT_EQ(m.speaker.playSound(other.get(), 2 | audSpeaker::kStartPaused), 4);
  EXPECT_FALSE(m.speaker.getChannel(4)->isActive());
  EXPECT_FALSE(m.speaker.getChannel(4)->isFree());

  // With every channel busy even an unlimited sound fails.
  sound->instanceLimit = audSound::kNoInstanceLimit;
  while (m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel) >= 0) {
  }
  m.speaker.stopAllSounds();
  EXPECT_TRUE(m.speaker.getChannel(4)->isFree());
}

TEST(MixerTest, SoundEndsLoopsAndFollowsItsRate) {
  Mixer m;
  ASSERT_EQ(m.open(22050, 16, 0), 0);
  // 10 frames at 44100 Hz play as 5 output frames at 22050 Hz.
  auto sound = constantSound(12800, 10, 44100);
  int32_t index = m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  audChannel* channel = m.speaker.getChannel(index);
  std::vector<int16_t> out = m.mix16(8);
  std::vector<int16_t> expected = {6400, 6400, 6400, 6400, 6400, 0, 0, 0};
  EXPECT_EQ(out, expected);
  EXPECT_FALSE(channel->isActive());
  EXPECT_TRUE(channel->isFree());

  sound->loop = true;
  index = m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  out = m.mix16(20);
  for (int16_t v : out) EXPECT_EQ(v, 6400);
  EXPECT_TRUE(m.speaker.getChannel(index)->isActive());

  // Rates of 65536 Hz and more still play at the right speed.
  m.speaker.stopAllSounds();
  auto fast = constantSound(12800, 100, 88200);
  fast->loop = false;
  index = m.speaker.playSound(fast.get(), audSpeaker::kAnyChannel);
  out = m.mix16(60);
  EXPECT_EQ(out[24], 6400);
  EXPECT_EQ(out[25], 0);
}

TEST(MixerTest, VolumesAndPan) {
  Mixer m;
  ASSERT_EQ(m.open(44100, 16, 1), 0);
  auto sound = constantSound(12800, 100);
  int32_t index = m.speaker.playSound(sound.get(), audSpeaker::kAnyChannel);
  audChannel* c = m.speaker.getChannel(index);
  struct Case {
    int32_t master, volume;
    int32_t expectedVolume, expectedEffective;
  } cases[] = {{64, 64, 64, 64}, {32, 64, 64, 32}, {32, 32, 32, 16}, {100, 80, 64, 64}, {-1, -3, 64, 64}};
  for (const Case& k : cases) {
    m.speaker.setSoundVolume(k.master);
    c->setVolume(k.volume);
    EXPECT_EQ(c->volume, k.expectedVolume);
    EXPECT_EQ(c->effectiveVolume, k.expectedEffective);
  }
  m.speaker.setSoundVolume(32);
  EXPECT_EQ(c->effectiveVolume, 32);  // masters apply to playing channels at once
  struct PanCase {
    int32_t pan, stored;
  } pans[] = {{0, 0}, {128, 128}, {255, 255}, {300, 255}, {-1, 255}};
  for (const PanCase& p : pans) {
    c->setPan(p.pan);
    EXPECT_EQ(c->pan, p.stored);
  }
}

TEST(MixerTest, PositionUnitsFollowTheSampleFormat) {
  Mixer m;
  ASSERT_EQ(m.open(44100, 16, 1), 0);
  struct Case {
    int bits, channels;
    size_t bytes;
    uint32_t frames, length;
  } cases[] = {{8, 1, 400, 400, 400}, {8, 2, 400, 200, 100}, {16, 1, 400, 200, 100}, {16, 2, 400, 100, 25}};
  for (const Case& c : cases) {
    audSound sound;
    Bytes image = makeWav(c.bits, c.channels, 44100, Bytes(c.bytes, 0));
    ASSERT_EQ(sound.loadWav(image.data(), image.size(), true), 0);
    EXPECT_EQ(sound.frames, c.frames);
    int32_t index = m.speaker.playSound(&sound, audSpeaker::kAnyChannel | audSpeaker::kStartPaused);
    audChannel* channel = m.speaker.getChannel(index);
    EXPECT_EQ(channel->getLength(), c.length);
    channel->setPosition(10);
    EXPECT_EQ(channel->getPosition(), 10u);
    m.speaker.stopAllSounds();
  }
}
