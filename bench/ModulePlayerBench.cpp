// The module player against libxmp, its peer, on the same modules from the built game.dat: both render
// 44.1 kHz 16-bit stereo without interpolation (nearest sampling), timed in turns in the same run.
#include <benchmark/benchmark.h>
#include <xmp.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "platform/host/paths.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audSpeaker.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr uint32_t kBufferBytes = 5296;  // one 30 ms buffer of the output driver
constexpr uint32_t kBufferFrames = kBufferBytes / 4;
constexpr int kBuffersPerTurn = 16;

constexpr const char16_t* kModules[] = {u"data/bnc/sound/game.mod", u"data/bnc/sound/menu.mod",
                                        u"data/rck/sound/game.mod"};

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

// The entry's bytes from game.dat, found as the program finds it; empty when missing.
std::vector<uint8_t> moduleFromGameDat(const char16_t* entry) {
  platform::setProgramFile((std::filesystem::path(GH_GAME_DAT).parent_path() / "glimmerhut").string());
  std::vector<uint8_t> bytes;
  try {
    nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
    nuv::io::D7zipInputStreamPtr stream = nuv::io::D7zipInputStream::open(entry);
    const int32_t size = stream->available();
    nuv::lang::DbyteArrayPtr data = new nuv::lang::DbyteArray(size);
    stream->read(data, 0, size);
    bytes.assign(reinterpret_cast<const uint8_t*>(data->data()), reinterpret_cast<const uint8_t*>(data->data()) + size);
  } catch (nuv::lang::DExceptionBase* e) {
    nuv::lang::catchException(e, 0);
  }
  nuv::io::D7zipInputStream::closeArchive();
  platform::setProgramFile("");
  return bytes;
}

void ModulePlayerAgainstLibxmp(benchmark::State& state) {
  const std::vector<uint8_t> module = moduleFromGameDat(kModules[state.range(0)]);
  if (module.empty()) {
    state.SkipWithError("the module is not in game.dat: is it built?");
    return;
  }
  audSpeaker speaker;
  speaker.open(std::make_unique<SilentDriver>(), kRate, 16, 1, 1, 8);
  audMusic music;
  music.load(module.data(), module.size(), true);
  music.loop = true;
  speaker.playMusic(&music, audSpeaker::kAnyChannel);

  xmp_context peer = xmp_create_context();
  if (xmp_load_module_from_memory(peer, module.data(), static_cast<long>(module.size())) != 0 ||
      xmp_start_player(peer, kRate, 0) != 0) {
    xmp_free_context(peer);
    state.SkipWithError("libxmp did not take the module");
    return;
  }
  xmp_set_player(peer, XMP_PLAYER_INTERP, XMP_INTERP_NEAREST);
  xmp_set_player(peer, XMP_PLAYER_DSP, 0);

  std::vector<uint8_t> ours(kBufferBytes), theirs(kBufferBytes);
  using Clock = std::chrono::steady_clock;
  Clock::duration ourTime{}, peerTime{};
  for (auto _ : state) {
    const auto a = Clock::now();
    for (int i = 0; i < kBuffersPerTurn; ++i) {
      speaker.mix(ours.data(), kBufferBytes);
      benchmark::DoNotOptimize(ours.data());
    }
    const auto b = Clock::now();
    for (int i = 0; i < kBuffersPerTurn; ++i) {
      xmp_play_buffer(peer, theirs.data(), static_cast<int>(kBufferBytes), 0);
      benchmark::DoNotOptimize(theirs.data());
    }
    const auto c = Clock::now();
    ourTime += b - a;
    peerTime += c - b;
  }
  const double audio = static_cast<double>(state.iterations()) * kBuffersPerTurn * kBufferFrames / kRate;
  state.counters["ours_realtime_x"] = audio / std::chrono::duration<double>(ourTime).count();
  state.counters["libxmp_realtime_x"] = audio / std::chrono::duration<double>(peerTime).count();
  state.counters["speed_vs_libxmp"] =
      std::chrono::duration<double>(peerTime).count() / std::chrono::duration<double>(ourTime).count();
  state.counters["channels"] = audMusic::checkTag(module.data());
  xmp_end_player(peer);
  xmp_release_module(peer);
  xmp_free_context(peer);
}
BENCHMARK(ModulePlayerAgainstLibxmp)->ArgName("module")->Arg(0)->Arg(1)->Arg(2);

}  // namespace
