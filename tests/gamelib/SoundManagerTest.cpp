// The sound service on the null audio device: sounds loaded by name from the data writers' WAV and MOD
// files (a damaged one reported by name), plays refused by the levels, and the level table over the master
// volumes.
#include <gtest/gtest.h>

#include "Sound.h"
#include "Wav.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/SoundManager.h"
#include "sound/DManager.h"
#include "support/Exceptions.h"

namespace {

using gamelib::SoundManager;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::microedition::media::DManager;
using nuv::microedition::media::DPlayer;

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

constexpr int kEffect = 0;
constexpr int kMusic = 1;
constexpr int kAbsent = 2;

class SoundManagerTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    startSound();
    openArchive({
        {"data/t/sound/zap.wav",
         bytes(datakit::synthesiseEffect(
             "rate=22050\nformat=pcm\nlevel=0.5\nv1.wave=square\nv1.freq=440\nv1.length=2\n", "zap.sfx"))},
        {"data/t/sound/theme.mod",
         bytes(datakit::compileTune("speed 6\ntempo 125\ninstrument lead square volume=40\npattern a\n"
                                    "1 lead: [ c2*4 e2*4 ]*8\norder a\n",
                                    "theme.tune"))},
        {"data/t/sound/broken.wav", "RIFF nothing"},
        {"data/t/sound/alaw.wav",
         bytes(datakit::writeWav({.format = datakit::kWavALaw, .bits = 8}, datakit::Bytes(100, 0xD5)))},
        {"data/t/sound/noise.mod", std::string(2000, '\0')},
    });
    DStringArrayPtr names = new DStringArray(3);
    (*names)[kEffect] = u"/data/t/sound/zap";
    (*names)[kMusic] = u"/data/t/sound/theme";
    (*names)[kAbsent] = u"/data/t/sound/absent";
    SoundManager::loadSounds(names);
  }
};

TEST_F(SoundManagerTest, SoundsLoadAsWavElseModAndMissingOnesStayEmpty) {
  ASSERT_EQ(SoundManager::players->length, 3);
  ASSERT_FALSE((*SoundManager::players)[kEffect].isNull());
  ASSERT_FALSE((*SoundManager::players)[kMusic].isNull());
  EXPECT_EQ((*SoundManager::players)[kEffect]->isMusic, 0);
  EXPECT_EQ((*SoundManager::players)[kMusic]->isMusic, 1);
  EXPECT_TRUE((*SoundManager::players)[kAbsent].isNull());
  // Empty entries play nothing; ids outside the list are an error for play, ignored by stop.
  SoundManager::setSfxLevel(2);
  SoundManager::play(kAbsent, 1, 0);
  EXPECT_TRUE(SoundManager::current.isNull());
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException, SoundManager::play(4, 1, 0));
  SoundManager::stop(-1);
  SoundManager::stop(4);
  // A sound that is there but cannot be played is damage, reported by name.
  DStringArrayPtr broken = new DStringArray(1);
  (*broken)[0] = u"/data/t/sound/broken";
  EXPECT_THROWS_MESSAGE_STARTING("game.dat: data/t/sound/broken.wav: ", SoundManager::loadSounds(broken));
}

TEST_F(SoundManagerTest, ARefusedSoundNamesItsEntryAndWhy) {
  struct Case {
    const char16_t* name;
    const char* said;
  } cases[] = {
      {u"/data/t/sound/broken", "game.dat: data/t/sound/broken.wav: no \"fmt \" chunk at byte 12: not a WAVE file"},
      {u"/data/t/sound/alaw", "game.dat: data/t/sound/alaw.wav: neither PCM nor Microsoft ADPCM"},
      {u"/data/t/sound/noise",
       "game.dat: data/t/sound/noise.mod: no channel count in its tag, or no song: not a module"},
  };
  for (const Case& c : cases) {
    DStringArrayPtr names = new DStringArray(1);
    (*names)[0] = c.name;
    EXPECT_EQ(test::thrownMessage([&] { SoundManager::loadSounds(names); }), c.said);
  }
}

TEST_F(SoundManagerTest, EffectsStartOnlyWhileSwitchedOnAndMusicIsNotRestarted) {
  SoundManager::setSfxLevel(0);
  SoundManager::play(kEffect, -1, 0);
  EXPECT_TRUE(SoundManager::current.isNull());
  EXPECT_FALSE(SoundManager::isPlaying());

  SoundManager::setSfxLevel(1);
  SoundManager::play(kEffect, 1, 0);
  EXPECT_EQ(SoundManager::current.get(), (*SoundManager::players)[kEffect].get());
  EXPECT_TRUE(SoundManager::isPlaying());

  // Music starts even with effects off, and a second play of it is refused.
  SoundManager::setSfxLevel(0);
  SoundManager::play(kMusic, -1, 0);
  EXPECT_EQ(SoundManager::current.get(), (*SoundManager::players)[kMusic].get());
  EXPECT_FALSE(SoundManager::startPlayer((*SoundManager::players)[kMusic], 0));

  // A refused effect play with loop count -1 still reads as playing.
  SoundManager::play(kEffect, -1, 0);
  EXPECT_TRUE(SoundManager::isPlaying());

  SoundManager::loopCount = 1;
  SoundManager::stopCurrent();
  EXPECT_TRUE(SoundManager::current.isNull());
  EXPECT_FALSE(SoundManager::isPlaying());
  SoundManager::play(kMusic, 1, 0);
  SoundManager::stopAll();
  EXPECT_NE((*SoundManager::players)[kMusic]->getState(), DPlayer::STARTED);
}

TEST_F(SoundManagerTest, WithoutALoadedListEveryCallAScreenMakesDoesNothing) {
  SoundManager::setSfxLevel(3);
  SoundManager::release();
  ASSERT_TRUE(SoundManager::players.isNull());
  for (const int32_t id : {kEffect, kMusic, kAbsent, 99}) {
    SoundManager::play(id, -1, 0);
    SoundManager::stop(id);
  }
  SoundManager::pauseAll();
  SoundManager::resumeAll();
  SoundManager::stopCurrent();
  SoundManager::stopAll();
  EXPECT_TRUE(SoundManager::current.isNull());
  EXPECT_FALSE(SoundManager::isPlaying());
  // A loaded list still refuses an id it does not have.
  DStringArrayPtr one = new DStringArray(1);
  (*one)[0] = u"/data/t/sound/zap";
  SoundManager::loadSounds(one);
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException, SoundManager::play(1, 1, 0));
}

TEST_F(SoundManagerTest, LevelsSetAndReadTheMasterVolumes) {
  struct Case {
    int32_t level;
    int32_t volume;
  } cases[] = {{0, 0}, {1, 21}, {2, 42}, {3, 64}};
  for (const Case& c : cases) {
    SoundManager::setSfxLevel(c.level);
    SoundManager::setMusicLevel(c.level);
    EXPECT_EQ(DManager::getSoundVolume(), c.volume);
    EXPECT_EQ(DManager::getMusicVolume(), c.volume);
    EXPECT_EQ(SoundManager::sfxOn, c.level != 0);
  }
  struct Back {
    int32_t volume;
    int32_t level;
  } backs[] = {{0, 0}, {1, 1}, {21, 1}, {22, 2}, {42, 2}, {43, 3}, {64, 3}};
  for (const Back& b : backs) {
    DManager::setSoundVolume(b.volume);
    DManager::setMusicVolume(b.volume);
    EXPECT_EQ(SoundManager::getSfxLevel(), b.level) << b.volume;
    EXPECT_EQ(SoundManager::getMusicLevel(), b.level) << b.volume;
  }
  // A level outside 0..3 switches effects on and leaves the volumes alone.
  SoundManager::setSfxLevel(0);
  SoundManager::setSfxLevel(5);
  SoundManager::setMusicLevel(-1);
  EXPECT_TRUE(SoundManager::sfxOn);
  EXPECT_EQ(DManager::getSoundVolume(), 0);
  EXPECT_EQ(DManager::getMusicVolume(), 64);
}

}  // namespace
