// Mixing cost at 44.1 kHz stereo 16-bit: effect channels and tracker modules as multiples of real time, and
// the output thread's share of one core while music plays on the null device.
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/lang/DString.h"
#include "core/lang/DSystem.h"
#include "platform/api/waveout.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audSpeaker.h"
#include "sound/aud/audWinMM.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr uint32_t kBufferBytes = 5296;  // one 30 ms buffer of the driver
constexpr uint32_t kBufferFrames = kBufferBytes / 4;

// A driver that never plays: the benchmark calls the mixer itself.
class SilentDriver : public audDriver {
 public:
  int32_t open(const audFormat*, uint32_t, audMixFunction, void*) override { return 0; }
  int32_t close() override { return 0; }
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }
  void pause() override {}
  void resume() override {}

 private:
  std::recursive_mutex mutex_;
};

std::vector<uint8_t> wavImage(size_t frames) {
  std::vector<uint8_t> b = {'R',  'I',  'F', 'F', 0, 0, 0,  0, 'W', 'A', 'V',  'E',  'f', 'm',
                            't',  ' ',  16,  0,   0, 0, 1,  0, 1,   0,   0x22, 0x56, 0,   0,
                            0x44, 0xAC, 0,   0,   2, 0, 16, 0, 'd', 'a', 't',  'a'};
  uint32_t bytes = static_cast<uint32_t>(frames * 2);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(bytes >> (8 * i)));
  for (size_t i = 0; i < frames; ++i) {
    auto v = static_cast<int16_t>((i * 97) % 20000 - 10000);
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
  }
  return b;
}

// A looping module with a note and an effect on every channel of every row.
std::vector<uint8_t> moduleImage(int channels) {
  std::vector<uint8_t> b(1084, 0);
  const char* tag = channels == 4 ? "M.K." : "8CHN";
  for (int i = 0; i < 4; ++i) b[1080 + i] = static_cast<uint8_t>(tag[i]);
  b[950] = 1;
  b[20 + 22] = 0x08;  // sample 1: 2048 words, looped
  b[20 + 25] = 64;
  b[20 + 28] = 0x08;
  const int periods[] = {428, 381, 339, 320, 285, 254, 226, 214};
  const int effects[] = {0x000, 0x037, 0x4A4, 0xA02, 0x104, 0x204, 0x047, 0x305};
  for (int row = 0; row < 64; ++row) {
    for (int c = 0; c < channels; ++c) {
      int period = periods[(row + c) % 8];
      int effect = effects[(row * 3 + c) % 8];
      b.push_back(static_cast<uint8_t>(period >> 8));
      b.push_back(static_cast<uint8_t>(period));
      b.push_back(static_cast<uint8_t>(0x10 | (effect >> 8)));
      b.push_back(static_cast<uint8_t>(effect));
    }
  }
  for (int i = 0; i < 4096; ++i) b.push_back(static_cast<uint8_t>((i * 13) % 200 - 100));
  return b;
}

void reportRealTime(benchmark::State& state) {
  double seconds = static_cast<double>(state.iterations()) * kBufferFrames / kRate;
  state.counters["realtime_x"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

void MixEffects(benchmark::State& state) {
  audSpeaker speaker;
  speaker.open(std::make_unique<SilentDriver>(), kRate, 16, 1, 1, 128);
  std::vector<uint8_t> image = wavImage(kRate);
  audSound sound;
  sound.loadWav(image.data(), image.size(), true);
  sound.loop = true;
  for (int64_t i = 0; i < state.range(0); ++i) {
    sound.pan = static_cast<int32_t>(i * 37 % 256);
    speaker.playSound(&sound, audSpeaker::kAnyChannel);
  }
  std::vector<uint8_t> buffer(kBufferBytes);
  for (auto _ : state) {
    speaker.mix(buffer.data(), kBufferBytes);
    benchmark::DoNotOptimize(buffer.data());
  }
  reportRealTime(state);
}
BENCHMARK(MixEffects)->Arg(8)->Arg(32)->Arg(128);

void MixModule(benchmark::State& state) {
  audSpeaker speaker;
  speaker.open(std::make_unique<SilentDriver>(), kRate, 16, 1, 16, 32);
  std::vector<uint8_t> image = moduleImage(static_cast<int>(state.range(0)));
  audMusic music;
  music.load(image.data(), image.size(), true);
  music.loop = true;
  speaker.playMusic(&music, audSpeaker::kAnyChannel);
  std::vector<uint8_t> buffer(kBufferBytes);
  for (auto _ : state) {
    speaker.mix(buffer.data(), kBufferBytes);
    benchmark::DoNotOptimize(buffer.data());
  }
  reportRealTime(state);
}
BENCHMARK(MixModule)->Arg(4)->Arg(8);

// The wave-out driver, with a watch on its worker: the thread's CPU clock and the time spent mixing.
class WatchedDriver : public audDriver {
 public:
  int32_t open(const audFormat* format, uint32_t totalFrames, audMixFunction callback, void* user) override {
    mix_ = callback;
    user_ = user;
    return inner_.open(format, totalFrames, &WatchedDriver::fill, this);
  }
  int32_t close() override { return inner_.close(); }
  void lock() override { inner_.lock(); }
  void unlock() override { inner_.unlock(); }
  void pause() override { inner_.pause(); }
  void resume() override { inner_.resume(); }

  // CPU seconds the worker has used so far; 0 before its first buffer.
  double workerSeconds() const {
    if (!clockKnown_.load()) return 0;
    return seconds(clock_);
  }
  double mixingSeconds() const { return static_cast<double>(mixingNs_.load()) / 1e9; }

 private:
  static double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
  }

  static void fill(void* self, void* buffer, uint32_t bytes) {
    auto* d = static_cast<WatchedDriver*>(self);
    if (!d->clockKnown_.load()) {
      pthread_getcpuclockid(pthread_self(), &d->clock_);
      d->clockKnown_.store(true);
    }
    double before = seconds(CLOCK_THREAD_CPUTIME_ID);
    d->mix_(d->user_, buffer, bytes);
    d->mixingNs_ += static_cast<int64_t>((seconds(CLOCK_THREAD_CPUTIME_ID) - before) * 1e9);
  }

  audWinMM inner_;
  audMixFunction mix_ = nullptr;
  void* user_ = nullptr;
  clockid_t clock_{};  // written once by the worker before clockKnown_
  std::atomic<bool> clockKnown_{false};
  std::atomic<int64_t> mixingNs_{0};  // worker only, read by the benchmark
};

// The output thread while a module (and some looping effects) plays at the sound start's default settings,
// measured over real time: its whole CPU time, and the part of it spent mixing, as percent of one core.
void WorkerShareWhileMusicPlays(benchmark::State& state) {
  using nuv::lang::DSystem;
  platform::setAudioDriver("null");
  audSpeaker speaker;
  auto watched = std::make_unique<WatchedDriver>();
  WatchedDriver* driver = watched.get();
  if (speaker.open(std::move(watched), DSystem::getIntProperty(u"sound.frequency"),
                   DSystem::getIntProperty(u"sound.bps"), DSystem::getIntProperty(u"sound.stereo") != 0 ? 1 : 0,
                   DSystem::getIntProperty(u"sound.music_channels"),
                   DSystem::getIntProperty(u"sound.sfx_channels")) != 0) {
    state.SkipWithError("the null audio device did not open");
    return;
  }
  speaker.setMusicVolume(32);
  speaker.setSoundVolume(32);
  std::vector<uint8_t> module = moduleImage(static_cast<int>(state.range(0)));
  audMusic music;
  music.load(module.data(), module.size(), true);
  music.loop = true;
  speaker.playMusic(&music, audSpeaker::kAnyChannel);
  std::vector<uint8_t> wav = wavImage(kRate);
  audSound sound;
  sound.loadWav(wav.data(), wav.size(), true);
  sound.loop = true;
  for (int64_t i = 0; i < state.range(1); ++i) speaker.playSound(&sound, audSpeaker::kAnyChannel);

  // The first buffers are filled at once; measure the steady state after them.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  double worker = driver->workerSeconds();
  double mixing = driver->mixingSeconds();
  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) std::this_thread::sleep_for(std::chrono::seconds(1));
  double span = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.counters["worker_core_pct"] = 100 * (driver->workerSeconds() - worker) / span;
  state.counters["mixing_core_pct"] = 100 * (driver->mixingSeconds() - mixing) / span;
  speaker.close();
}
BENCHMARK(WorkerShareWhileMusicPlays)
    ->ArgNames({"module_channels", "effects"})
    ->Args({4, 0})
    ->Args({8, 0})
    ->Args({4, 8})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
