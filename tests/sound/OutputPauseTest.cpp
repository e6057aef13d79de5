// Pausing and resuming the whole output, as the window's focus change does: players keep their channels
// and their places, and go on from there.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SoundFixtures.h"
#include "core/io/DByteArrayInputStream.h"
#include "sound/DManager.h"

using namespace soundtest;
using namespace nuv::microedition::media;

namespace {

using Clock = std::chrono::steady_clock;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

nuv::io::DInputStreamPtr streamOf(const Bytes& bytes) {
  nuv::lang::DbyteArrayPtr array = new nuv::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*array)[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
  return new nuv::io::DByteArrayInputStream(array);
}

constexpr int kEffectRate = 22050;

DPlayerPtr effect(int ms) {
  Bytes wav = makeWav(16, 1, kEffectRate, pcm16(std::vector<int16_t>(kEffectRate * ms / 1000, 3000)));
  return DManager::createPlayer(streamOf(wav), u"audio/x-wav");
}

// Four patterns in order at one tick a row: the position (pattern x 64 + row) climbs for about 5 s.
DPlayerPtr song() {
  ModSample s;
  s.data.assign(1000, 20);
  s.loopWords = 500;
  ModuleBuilder b("M.K.", 4);
  b.orders({0, 1, 2, 3}).sample(1, s).cell(0, 0, 0, 1, 428, 15, 1);
  for (int p = 1; p < 4; ++p) b.cell(p, 0, 0, 1, 428);
  return DManager::createPlayer(streamOf(b.build()), u"audio/mod");
}

template <class F>
bool waitFor(F done, int ms = 3000) {
  for (int i = 0; i < ms && !done(); ++i) sleepMs(1);
  return done();
}

class OutputPauseTest : public ::testing::Test {
 protected:
  void SetUp() override { DManager::initSound(); }
  void TearDown() override {
    DManager::resumeOutput();
    DManager::doneSound();
  }
};

}  // namespace

TEST_F(OutputPauseTest, PausedOutputHoldsEveryPlayerInPlaceAndResumeGoesOnFromThere) {
  DPlayerPtr music = song();
  DPlayerPtr sound = effect(3000);
  music->start();
  sound->start();
  int64_t musicStart = music->getMediaTime();
  ASSERT_TRUE(waitFor([&] { return music->getMediaTime() > musicStart + 2 && sound->getMediaTime() > 0; }));

  DManager::pauseOutput();
  DManager::pauseOutput();  // a second pause changes nothing
  sleepMs(50);              // a buffer taken just before the pause may still be mixed
  int64_t musicHeld = music->getMediaTime();
  int64_t soundHeld = sound->getMediaTime();
  sleepMs(250);
  EXPECT_EQ(music->getMediaTime(), musicHeld);
  EXPECT_EQ(sound->getMediaTime(), soundHeld);
  // Still theirs: nothing was retired or handed to another player.
  for (DPlayer* p : {music.get(), sound.get()}) {
    EXPECT_EQ(p->isPlaying(), 1);
    EXPECT_EQ(p->getState(), DPlayer::STARTED);
  }

  DManager::resumeOutput();
  EXPECT_GE(music->getMediaTime(), musicHeld);
  EXPECT_GE(sound->getMediaTime(), soundHeld);
  EXPECT_TRUE(waitFor([&] { return music->getMediaTime() > musicHeld && sound->getMediaTime() > soundHeld; }));
  // Nor did it skip what was held back.
  EXPECT_LT(music->getMediaTime(), musicHeld + 64);
}

TEST_F(OutputPauseTest, AnEffectEndsOnlyAfterTheTimeItWasHeldPlusItsLength) {
  constexpr int kLengthMs = 600, kHeldMs = 400;
  // Mixing runs ahead of what was heard by at most the output's buffering.
  constexpr int kAheadMs = 180 + 50;
  DPlayerPtr sound = effect(kLengthMs);
  auto start = Clock::now();
  sound->start();
  sleepMs(100);
  DManager::pauseOutput();
  sleepMs(kHeldMs);
  DManager::resumeOutput();
  ASSERT_TRUE(waitFor([&] { return sound->isPlaying() == 0; }));
  auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  EXPECT_GE(took, kLengthMs + kHeldMs - kAheadMs);
  EXPECT_EQ(sound->getState(), DPlayer::PREFETCHED);
}

TEST_F(OutputPauseTest, ASoundStartedWhileTheOutputIsPausedWaitsForTheResume) {
  DManager::pauseOutput();
  sleepMs(50);
  DPlayerPtr sound = effect(1000);
  ASSERT_FALSE(sound->start().isNull());
  sleepMs(150);
  EXPECT_EQ(sound->isPlaying(), 1);
  EXPECT_EQ(sound->getMediaTime(), 0);
  DManager::resumeOutput();
  DManager::resumeOutput();
  EXPECT_TRUE(waitFor([&] { return sound->getMediaTime() > 0; }));
}

TEST_F(OutputPauseTest, PauseAndResumeWithoutASoundSystemDoNothingAndAPausedOutputEnds) {
  DManager::doneSound();
  DManager::pauseOutput();
  DManager::resumeOutput();
  EXPECT_FALSE(DManager::isSoundStarted());
  DManager::initSound();
  DPlayerPtr music = song();
  music->start();
  DManager::pauseOutput();
  auto start = Clock::now();
  DManager::doneSound();  // the paused worker is woken to end (a worker left asleep would never end)
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(30));
  EXPECT_FALSE(DManager::isSoundStarted());
}
