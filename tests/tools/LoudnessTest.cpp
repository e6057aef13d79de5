// Loudness as EBU R 128 measures it, and the menus' tune measured by it: as loud as the games' play.
#include <gtest/gtest.h>

#include <cmath>

#include "BuiltArchive.h"
#include "CheckMix.h"
#include "Loudness.h"
#include "Stage.h"

using namespace datakit;

namespace {

// `seconds` of a sine of `hz` on both sides at `dbfs` (its peak), then as long again of silence if asked.
std::vector<std::int16_t> sine(double hz, double dbfs, double seconds, int rate, bool silenceAfter = false) {
  const double amplitude = 32768.0 * std::pow(10.0, dbfs / 20);
  std::vector<std::int16_t> out;
  const auto frames = static_cast<size_t>(seconds * rate);
  for (size_t f = 0; f < frames; ++f) {
    const auto v = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * f / rate)));
    out.insert(out.end(), {v, v});
  }
  if (silenceAfter) out.resize(out.size() * 2, 0);
  return out;
}

}  // namespace

// A 1 kHz sine on both sides reads as its peak level in dBFS, at any rate; the gates leave out silence. The
// figures are ffmpeg's ebur128 filter's for the same sines.
TEST(Loudness, ASineReadsAsItsLevelAndSilenceIsGatedOff) {
  struct Case {
    const char* what;
    std::vector<std::int16_t> samples;
    int rate;
    double lufs;
  } cases[] = {
      {"-23 dBFS at 48 kHz", sine(1000, -23, 5, 48000), 48000, -23.0},
      {"-23 dBFS at 44.1 kHz", sine(1000, -23, 5, 44100), 44100, -23.0},
      {"-10 dBFS at 22.05 kHz", sine(1000, -10, 5, 22050), 22050, -10.0},
      // The silence is gated off; the blocks across its start count, a little quieter.
      {"-23 dBFS, then silence", sine(1000, -23, 5, 44100, true), 44100, -23.1},
      // Below a kilohertz the weighting takes a little off, above it adds.
      {"100 Hz", sine(100, -23, 5, 44100), 44100, -24.8},
      {"5 kHz", sine(5000, -23, 5, 44100), 44100, -19.7},
  };
  for (const Case& c : cases) EXPECT_NEAR(integratedLoudness(c.samples, c.rate), c.lufs, 0.1) << c.what;
  EXPECT_LE(integratedLoudness(std::vector<std::int16_t>(44100 * 2, 0), 44100), -70.0) << "silence";
  EXPECT_LE(integratedLoudness({}, 44100), -70.0) << "nothing";
}

// The games' play measures about -21.7 LUFS at the highest levels (docs/data.md); the menus' tune, shared by
// every game's menu, plays at the same loudness so that a menu does not jump out.
constexpr double kPlayLufs = -21.7;
constexpr double kMenuTolerance = 1.0;

TEST(Loudness, TheMenusTunePlaysAsLoudAsTheGames) {
  const std::filesystem::path tune = builtarchive::stagedTree() / "data/bnc/sound/menu.mod";
  const std::vector<std::int16_t> played = playTunesOnce({{"menu.mod", readBytes(tune)}});
  ASSERT_GT(played.size(), static_cast<size_t>(10 * 2 * mixRate()));
  EXPECT_NEAR(integratedLoudness(played, mixRate()), kPlayLufs, kMenuTolerance);
}
