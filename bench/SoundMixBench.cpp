// Mixing cost at 44.1 kHz stereo 16-bit: effect channels and tracker modules, as multiples of real time.
#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audSpeaker.h"

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
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a'};
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

}  // namespace
