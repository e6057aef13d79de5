// Media players: creation, life cycle, channel ownership, duplicates, loops, rewinds, pan and volume.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SoundFixtures.h"
#include "core/io/DByteArrayInputStream.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"
#include "sound/DPlayerSourceWav.h"
#include "sound/aud/audSpeaker.h"
#include "support/Exceptions.h"

using namespace soundtest;
using namespace nuv::microedition::media;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::ExceptionCode::IllegalArgumentException;
using nuv::lang::ExceptionCode::IllegalStateException;
using nuv::lang::ExceptionCode::MediaException;

namespace {

nuv::io::DInputStreamPtr streamOf(const Bytes& bytes) {
  DbyteArrayPtr array = new DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*array)[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
  return new nuv::io::DByteArrayInputStream(array);
}

// A 16-bit mono effect of the given length in milliseconds at 22050 Hz.
Bytes effectWav(int ms) { return makeWav(16, 1, 22050, pcm16(std::vector<int16_t>(22050 * ms / 1000, 3000))); }

Bytes songMod() {
  ModSample s;
  s.data.assign(1000, 20);
  s.loopWords = 500;
  return ModuleBuilder("M.K.", 4).sample(1, s).cell(0, 0, 0, 1, 428).build();
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Every test starts the sound system afresh on the null device.
class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { DManager::initSound(); }
  void TearDown() override { DManager::doneSound(); }

  DPlayerPtr wav(int ms) { return DManager::createPlayer(streamOf(effectWav(ms)), u"audio/x-wav"); }
  DPlayerPtr mod() { return DManager::createPlayer(streamOf(songMod()), u"audio/mod"); }
  audSpeaker& speaker() { return *DManager::getSpeaker(); }
};

}  // namespace

TEST_F(PlayerTest, StartWithDefaultProperties) {
  ASSERT_TRUE(DManager::isSoundStarted());
  EXPECT_EQ(speaker().getOutputRate(), 44100u);
  EXPECT_TRUE(speaker().isStereo());
  EXPECT_TRUE(speaker().isSixteenBit());
  EXPECT_EQ(speaker().getMusicCount(), 16u);
  EXPECT_EQ(speaker().getSoundCount(), 32u);
  EXPECT_EQ(DManager::getPlayerArray()->length, 48);
  EXPECT_EQ(DManager::getMusicVolume(), 32);
  EXPECT_EQ(DManager::getSoundVolume(), 32);
  struct Case {
    int32_t set, expected;
  } cases[] = {{100, 64}, {-1, 64}, {0, 0}, {40, 40}};
  for (const Case& c : cases) {
    DManager::setSoundVolume(c.set);
    DManager::setMusicVolume(c.set);
    EXPECT_EQ(DManager::getSoundVolume(), c.expected);
    EXPECT_EQ(DManager::getMusicVolume(), c.expected);
  }
}

TEST_F(PlayerTest, WithoutADeviceTheSystemStaysSilentAndTriesAgainLater) {
  DManager::doneSound();
  platform::setAudioDriver("none");
  DManager::initSound();
  EXPECT_FALSE(DManager::isSoundStarted());
  DPlayerPtr p = wav(50);
  EXPECT_TRUE(p->start().isNull());
  platform::setAudioDriver("null");
  EXPECT_FALSE(p->start().isNull());  // the next player operation starts the system
  EXPECT_TRUE(DManager::isSoundStarted());
}

TEST_F(PlayerTest, CreatePlayerByType) {
  struct Case {
    const char16_t* type;
    bool made;
    int32_t isMusic;
  } cases[] = {{u"audio/x-wav", true, 0},
               {u"audio/mod", true, 1},
               {u"audio/MOD", false, 0},
               {u"audio/wav", false, 0},
               {u"", false, 0}};
  for (const Case& c : cases) {
    DPlayerPtr p = DManager::createPlayer(streamOf(effectWav(10)), c.type);
    EXPECT_EQ(!p.isNull(), c.made);
    if (p) {
      EXPECT_EQ(p->isMusic, c.isMusic);
      EXPECT_EQ(p->getState(), DPlayer::UNREALIZED);
      EXPECT_EQ(p->getDuration(), -1);
    }
  }
  EXPECT_THROWS_CODE(IllegalArgumentException, DManager::createPlayer(nullptr, u"audio/mod"));
  EXPECT_THROWS_CODE(MediaException, DManager::createPlayer(streamOf({1}), nullptr));
}

TEST_F(PlayerTest, LifeCycle) {
  DPlayerPtr bad = DManager::createPlayer(streamOf({'R', 'I', 'F', 'F'}), u"audio/x-wav");
  EXPECT_THROWS_CODE(MediaException, bad->realize());
  EXPECT_EQ(bad->getState(), DPlayer::UNREALIZED);
  DPlayerPtr empty = DManager::createPlayer(streamOf({}), u"audio/mod");
  EXPECT_THROWS_CODE(MediaException, empty->prefetch());

  DPlayerPtr p = wav(50);
  p->realize();
  EXPECT_EQ(p->getState(), DPlayer::REALIZED);
  p->prefetch();
  EXPECT_EQ(p->getState(), DPlayer::PREFETCHED);
  EXPECT_THROWS_CODE(IllegalArgumentException, p->setLoopCount(0));
  EXPECT_THROWS_CODE(IllegalArgumentException, p->setLoopCount(2));
  EXPECT_EQ(p->getVolume(), -1);
  EXPECT_EQ(p->getMediaTime(), -1);
  p->close();
  EXPECT_EQ(p->getState(), DPlayer::CLOSED);
  EXPECT_THROWS_CODE(IllegalStateException, p->realize());
  EXPECT_THROWS_CODE(IllegalStateException, p->prefetch());
  EXPECT_THROWS_CODE(IllegalStateException, p->start());
}

TEST_F(PlayerTest, SoundEndsAndGivesItsChannelBack) {
  DPlayerPtr p = wav(30);
  DPlayerPtr playing = p->start();
  EXPECT_EQ(playing.get(), p.get());
  EXPECT_EQ(p->getState(), DPlayer::STARTED);
  EXPECT_EQ(p->isPlaying(), 1);
  EXPECT_EQ(p->getVolume(), 32);                                      // 64 x master 32 / 64
  for (int i = 0; i < 10000 && p->isPlaying() == 1; ++i) sleepMs(1);  // bounded, not timed
  EXPECT_EQ(p->isPlaying(), 0);
  EXPECT_EQ(p->getState(), DPlayer::PREFETCHED);
  int empty = 0;
  DPlayerArray* owners = DManager::getPlayerArray();
  for (int32_t i = 0; i < owners->length; ++i) empty += (*owners)[i].isNull() ? 1 : 0;
  EXPECT_EQ(empty, owners->length);
}

TEST_F(PlayerTest, StartingAPlayingSoundMakesADuplicateOnTheSameSource) {
  DPlayerPtr p = wav(2000);
  DPlayerPtr first = p->start();
  DPlayerPtr second = p->start();
  ASSERT_FALSE(second.isNull());
  EXPECT_NE(second.get(), p.get());
  EXPECT_EQ(p->isPlaying(), 1);
  EXPECT_EQ(second->isPlaying(), 1);
  EXPECT_EQ(second->getContentType()->equals(nuv::lang::DStringPtr(u"audio/x-wav").get()), true);
  int owned = 0;
  DPlayerArray* owners = DManager::getPlayerArray();
  for (int32_t i = 0; i < owners->length; ++i) owned += (*owners)[i].isNull() ? 0 : 1;
  EXPECT_EQ(owned, 2);
}

TEST_F(PlayerTest, StopResumesAndRewinds) {
  DPlayerPtr p = wav(3000);
  p->start();
  // Played a second in (of three) before it stops, however busy the machine: the rewinds below then
  // land clearly before that point.
  for (int waited = 0; p->getMediaTime() < 22050 && p->isPlaying() == 1 && waited < 20000; waited += 5) sleepMs(5);
  ASSERT_GE(p->getMediaTime(), 22050);
  p->stop();
  EXPECT_EQ(p->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(p->getMediaTime(), -1);
  int64_t where = [&] {
    p->start();
    return p->getMediaTime();
  }();
  EXPECT_GT(where, 0);  // resumed where it stopped
  EXPECT_EQ(p->setMediaTime(5), -1);
  EXPECT_EQ(p->setMediaTime(0), 0);
  EXPECT_LT(p->getMediaTime(), where);

  p->stop();
  EXPECT_EQ(p->setMediaTime(0), 0);  // stopped: the channel is freed
  EXPECT_EQ(p->getVolume(), -1);
  p->start();
  EXPECT_EQ(p->isPlaying(), 1);
  EXPECT_LT(p->getMediaTime(), where);

  DPlayerPtr music = mod();
  music->start();
  EXPECT_EQ(music->setMediaTime(-3), 0);
  EXPECT_EQ(music->setMediaTime(1), -1);
}

TEST_F(PlayerTest, PanAndVolumeGoToTheChannel) {
  DPlayerPtr p = wav(2000);
  p->start();
  struct Case {
    int32_t set, channelPan, reported;
  } cases[] = {{-200, 0, -128}, {127, 255, 127}, {0, 128, 0}, {500, 255, 127}};
  for (const Case& c : cases) {
    p->setPan(c.set);
    EXPECT_EQ(p->getPan(), c.reported) << c.set;
  }
  p->setVolume(100);
  EXPECT_EQ(p->getVolume(), 32);
  p->setVolume(32);
  EXPECT_EQ(p->getVolume(), 16);
  DPlayerPtr music = mod();
  music->start();
  music->setPan(-100);
  EXPECT_EQ(music->getPan(), 0);
}

TEST_F(PlayerTest, ATakenChannelRetiresItsFormerPlayer) {
  DPlayerPtr p = wav(2000);
  p->start();
  DPlayerPtr q = wav(2000);
  q->start();
  // Give p's slot to q, as the mixer does when a channel is reused.
  DPlayerArray* owners = DManager::getPlayerArray();
  int32_t slot = -1;
  for (int32_t i = 0; i < owners->length; ++i) {
    if ((*owners)[i].get() == p.get()) slot = i;
  }
  ASSERT_GE(slot, 0);
  (*owners)[slot] = q;
  EXPECT_EQ(p->isPlaying(), 0);
  EXPECT_EQ(p->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(p->getVolume(), -1);  // it gave up its channel index

  // A started music player with an empty slot answers 0 but stays started.
  DPlayerPtr music = mod();
  music->start();
  for (int32_t i = 0; i < owners->length; ++i) {
    if ((*owners)[i].get() == music.get()) (*owners)[i] = nullptr;
  }
  EXPECT_EQ(music->isPlaying(), 0);
  EXPECT_EQ(music->getState(), DPlayer::STARTED);
  EXPECT_TRUE(music->start().isNull());
}

TEST_F(PlayerTest, PauseAllKeepsChannelsWithTheirPlayers) {
  DPlayerPtr music = mod();
  music->setLoopCount(-1);
  music->start();
  DPlayerPtr effect = wav(2000);
  effect->start();
  DManager::pauseAll();
  // Paused, both still own their channels: music is not started a second time.
  EXPECT_EQ(music->isPlaying(), 1);
  EXPECT_EQ(effect->isPlaying(), 1);
  EXPECT_EQ(music->getState(), DPlayer::STARTED);
  int64_t before = music->getMediaTime();
  sleepMs(80);
  EXPECT_EQ(music->getMediaTime(), before);
  DManager::resumeAll();
  int owners = 0;
  DPlayerArray* array = DManager::getPlayerArray();
  for (int32_t i = 0; i < array->length; ++i) owners += array->operator[](i).isNull() ? 0 : 1;
  EXPECT_EQ(owners, 2);
  int active = 0;
  for (int32_t i = 0; i < array->length; ++i) active += speaker().getChannel(i)->isActive() ? 1 : 0;
  EXPECT_EQ(active, 2);  // no channel plays without an owner
  DManager::stopAll();
  EXPECT_EQ(music->isPlaying(), 0);
  EXPECT_EQ(effect->isPlaying(), 0);
}

TEST_F(PlayerTest, LoopCountReachesThePlayingChannel) {
  DPlayerPtr p = wav(30);
  p->setLoopCount(-1);
  p->start();
  sleepMs(200);
  EXPECT_EQ(p->isPlaying(), 1);  // a 30 ms sound loops on
  p->setLoopCount(1);
  for (int i = 0; i < 10000 && p->isPlaying() == 1; ++i) sleepMs(1);  // bounded, not timed
  EXPECT_EQ(p->isPlaying(), 0);
}
