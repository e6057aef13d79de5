// The wave-out driver and its worker on the null device: buffer layout, pause, resume and close.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "SoundFixtures.h"
#include "platform/api/waveout.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audWinMM.h"

using namespace soundtest;

namespace {

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Counter {
  std::atomic<int> calls{0};
  std::atomic<uint32_t> bytes{0};
};

void countCall(void* user, void* buffer, uint32_t bytes) {
  auto* c = static_cast<Counter*>(user);
  std::memset(buffer, 0, bytes);
  ++c->calls;
  c->bytes = bytes;
}

template <class F>
bool waitFor(F done, int ms = 2000) {
  for (int i = 0; i < ms && !done(); ++i) sleepMs(1);
  return done();
}

}  // namespace

TEST(DriverTest, BufferCountAndSize) {
  struct Case {
    int32_t rate, flags, channels;
    uint32_t totalFrames;
    uint32_t count, bytes;
  } cases[] = {
      {44100, audFormat::kSigned16, 2, 7938, 6, 5296},  // 180 ms
      {22050, audFormat::kUnsigned8, 1, 3969, 6, 664},
      {44100, audFormat::kSigned16, 1, 4410, 4, 2648},  // 100 ms: still 4 buffers
      {8000, audFormat::kUnsigned8, 2, 7680, 32, 480},  // 960 ms: 32
      {11025, audFormat::kSigned16, 2, 110250, 32, 1328},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(audWinMM::bufferCountFor(c.totalFrames, c.rate), c.count) << c.rate;
    EXPECT_EQ(audWinMM::bufferBytesFor(c.rate, c.flags, c.channels), c.bytes) << c.rate;
  }
}

TEST(DriverTest, WorkerRefillsBuffersWhileResumed) {
  Counter counter;
  audWinMM driver;
  audFormat format{44100, audFormat::kSigned16, 2};
  ASSERT_EQ(driver.open(&format, 7938, countCall, &counter), 0);
  EXPECT_EQ(driver.getBufferCount(), 6u);
  EXPECT_EQ(driver.getBufferBytes(), 5296u);
  EXPECT_EQ(driver.open(&format, 7938, countCall, &counter), audWinMM::kAlreadyOpen);
  sleepMs(60);
  EXPECT_EQ(counter.calls.load(), 0);  // opened paused

  driver.resume();
  driver.resume();
  EXPECT_TRUE(waitFor([&] { return counter.calls.load() >= 3; }));
  EXPECT_EQ(counter.bytes.load(), 5296u);

  driver.pause();
  driver.pause();
  EXPECT_TRUE(driver.isPaused());
  sleepMs(20);
  int frozen = counter.calls.load();
  sleepMs(100);
  EXPECT_EQ(counter.calls.load(), frozen);

  driver.resume();
  EXPECT_TRUE(waitFor([&] { return counter.calls.load() > frozen; }));
  driver.pause();
  EXPECT_EQ(driver.close(), 0);  // a paused driver closes
  EXPECT_EQ(driver.close(), audWinMM::kNotOpen);
}

TEST(DriverTest, OpenRefusesBadFormatsAndMissingDevices) {
  Counter counter;
  audWinMM driver;
  struct Case {
    audFormat format;
  } cases[] = {{{44100, 0, 2}}, {{44100, 0x11, 2}}, {{44100, 0x22, 2}}, {{44100, 0x12, 3}}, {{0, 0x12, 2}}};
  for (const Case& c : cases) EXPECT_EQ(driver.open(&c.format, 7938, countCall, &counter), audWinMM::kBadArguments);
  audFormat good{22050, audFormat::kUnsigned8, 1};
  EXPECT_EQ(driver.open(nullptr, 3969, countCall, &counter), audWinMM::kBadArguments);
  EXPECT_EQ(driver.open(&good, 3969, nullptr, &counter), audWinMM::kBadArguments);
  platform::setAudioDriver("none");
  EXPECT_EQ(driver.open(&good, 3969, countCall, &counter), audWinMM::kBadArguments);
  platform::setAudioDriver("null");
  EXPECT_FALSE(driver.isOpen());
  EXPECT_EQ(driver.close(), audWinMM::kNotOpen);
}

TEST(DriverTest, SpeakerPlaysThroughTheDeviceAndPausesWithoutLosingItsPlace) {
  audSpeaker speaker;
  ASSERT_EQ(speaker.open(22050, 16, 1, 2, 8), 0);
  audSound effect;
  Bytes wav = makeWav(16, 1, 22050, pcm16(std::vector<int16_t>(2205, 1000)));  // 100 ms
  ASSERT_EQ(effect.loadWav(wav.data(), wav.size(), true), 0);
  int32_t index = speaker.playSound(&effect, audSpeaker::kAnyChannel);
  ASSERT_GE(index, 2);
  EXPECT_TRUE(waitFor([&] { return speaker.getChannel(index)->isFree(); }));

  ModuleBuilder builder("M.K.", 4);
  ModSample sample;
  sample.data.assign(1000, 20);
  sample.loopWords = 500;
  builder.sample(1, sample).cell(0, 0, 0, 1, 428).cell(0, 0, 0, 1, 428, 15, 1);  // one tick per row
  Bytes image = builder.build();
  audMusic music;
  ASSERT_EQ(music.load(image.data(), image.size(), true), 0);
  music.loop = true;
  int32_t m = speaker.playMusic(&music, audSpeaker::kAnyChannel);
  ASSERT_EQ(m, 0);
  audChannel* channel = speaker.getChannel(m);
  EXPECT_TRUE(waitFor([&] { return channel->getPosition() >= 2; }));

  speaker.pause();
  uint32_t paused = channel->getPosition();
  sleepMs(150);
  EXPECT_EQ(channel->getPosition(), paused);
  speaker.resume();
  EXPECT_TRUE(waitFor([&] { return channel->getPosition() > paused; }));
  speaker.pause();
  EXPECT_EQ(speaker.close(), 0);
}
