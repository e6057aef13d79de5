// A game's sound at the highest levels, mixed by the program's mixer: its loudest effects stacked over its
// play tunes must not reach full scale. Fixtures show where the stack meets the tune and which effects
// count; every game of the built data keeps a margin; its sounds back at their old levels fail the build.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "BuiltArchive.h"
#include "CheckMix.h"
#include "GameTable.h"
#include "Mod.h"
#include "Sound.h"
#include "Wav.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

constexpr int kRate = 22050;

// A module of one voice: a constant sample, looped from row 0 (steady), or a short one at row 32 (a burst).
Bytes tune(bool steady) {
  Module m;
  ModSample s;
  s.data.assign(steady ? 64 : 2000, 100);
  if (steady) s.loopLength = 64;
  m.samples.push_back(s);
  m.patterns.emplace_back();
  ModCell& cell = m.patterns[0][steady ? 0 : 32][0];
  cell.sample = 1;
  cell.note = 24;
  m.order = {0};
  return writeMod(m);
}

// An effect: `quietFor` seconds at `quiet`, then 0.1 s at `loud`.
Bytes effect(std::int16_t loud, double quietFor = 0, std::int16_t quiet = 0) {
  Samples s(static_cast<size_t>(quietFor * kRate), quiet);
  s.insert(s.end(), kRate / 10, loud);
  return writeWavPcm16(s, kRate);
}

}  // namespace

TEST(GameMix, TheLoudestEffectsMeetTheTuneWhereItIsLoudest) {
  // The steady tune's voice sums to 9600 on the left at the highest levels; an effect adds half its
  // samples a copy, so three copies of 15445 or more reach full scale over it, and four effects of 11584.
  struct Case {
    const char* what;
    bool steady;
    std::vector<Bytes> effects;
    bool stackClips, loudestClip;
  } cases[] = {
      {"three copies that fit", true, {effect(14000), effect(3000)}, false, false},
      {"three copies over", true, {effect(3000), effect(16500)}, true, false},
      {"an effect against the tune's direction", true, {effect(-16500)}, false, false},
      // Started at the burst, the effect's quiet part would meet it and nothing would clip.
      {"a late peak meets a short burst", false, {effect(16500, 0.9, 1000)}, true, false},
      // A quiet effect first by name is not among the four loudest.
      {"four loudest over, each fits three times",
       true,
       {effect(500), effect(13000), effect(13000), effect(13000), effect(13000)},
       false,
       true},
  };
  for (const Case& c : cases) {
    std::vector<MixSound> effects;
    for (const Bytes& e : c.effects) effects.push_back({"e" + std::to_string(effects.size()) + ".wav", e});
    const std::vector<MixSound> tunes = {{"game.mod", tune(c.steady)}};
    const std::vector<MixCase> mixed = mixGameSounds(tunes, effects);
    ASSERT_EQ(mixed.size(), 2u) << c.what;
    EXPECT_EQ(mixed[0].fullScale, c.stackClips) << c.what << ": " << describeClip(mixed[0], tunes);
    EXPECT_EQ(mixed[1].fullScale, c.loudestClip) << c.what << ": " << describeClip(mixed[1], tunes);
    EXPECT_NEAR(mixed[0].tune, 20 * std::log10(9600 / 32768.0), 0.1) << c.what;
  }
  EXPECT_TRUE(mixGameSounds({}, {{"e.wav", effect(16000)}}).empty()) << "no tune";
  EXPECT_TRUE(mixGameSounds({{"game.mod", tune(true)}}, {}).empty()) << "no effect";
}

namespace {

// A module of short bursts, each a constant sample on one channel at one row: channel 0 sounds mostly on the
// left, channel 1 mostly on the right.
struct Burst {
  int channel, row;
  std::int8_t value;
};
Bytes bursts(const std::vector<Burst>& list) {
  Module m;
  m.patterns.emplace_back();
  for (const Burst& b : list) {
    ModSample s;
    s.data.assign(2000, b.value);
    m.samples.push_back(s);
    ModCell& cell = m.patterns[0][static_cast<size_t>(b.row)][static_cast<size_t>(b.channel)];
    cell.sample = static_cast<int>(m.samples.size());
    cell.note = 24;
  }
  m.order = {0};
  return writeMod(m);
}

}  // namespace

// The tunes' loudest sample is above zero on the left; a stack that swings below zero meets a quieter place
// of the tunes below zero, or one on the right, and clips only there.
TEST(GameMix, StacksMeetTheTunesOnBothSidesInBothDirections) {
  struct Case {
    const char* what;
    std::vector<Burst> tune;
    Bytes effect;
    bool clips;
  } cases[] = {
      {"below zero on the same side", {{0, 0, 100}, {0, 32, -90}}, effect(-16500), true},
      {"below zero on the other side", {{0, 0, 100}, {1, 32, -90}}, effect(-16500), true},
      {"above zero on the other side", {{0, 0, -100}, {1, 32, 90}}, effect(16500), true},
      {"below zero with room to spare", {{0, 0, 100}, {0, 32, -40}}, effect(-16500), false},
  };
  for (const Case& c : cases) {
    const std::vector<MixSound> tunes = {{"game.mod", bursts(c.tune)}};
    const std::vector<MixCase> mixed = mixGameSounds(tunes, {{"e.wav", c.effect}});
    ASSERT_EQ(mixed.size(), 2u) << c.what;
    EXPECT_EQ(mixed[0].fullScale, c.clips) << c.what << ": mix at " << mixed[0].mixPeak;
  }
  // The fault tells where the stack met the tunes.
  const std::vector<MixSound> tunes = {{"game.mod", bursts({{0, 0, 100}, {0, 32, -90}})}};
  EXPECT_THAT(describeClip(mixGameSounds(tunes, {{"e.wav", effect(-16500)}})[0], tunes),
              testing::HasSubstr("dBFS there (on the left, below zero), the effects at"));
}

// A margin under full scale for the moment where more stacks than the check's cases.
constexpr double kMarginDb = 1.0;

TEST(GameMix, EveryGameKeepsAMarginAtTheHighestLevels) {
  int games = 0;
  for (const GameRow& game : gameTable()) {
    const GameSounds sounds = playSoundsOf(game, builtarchive::stagedTree());
    if (sounds.tunes.empty()) continue;
    ++games;
    const std::vector<MixCase> mixed = mixGameSounds(sounds.tunes, sounds.effects);
    ASSERT_EQ(mixed.size(), 2u) << game.key;
    for (const MixCase& c : mixed) {
      EXPECT_LE(c.mixPeak, -kMarginDb) << game.key << ", " << c.what << ": the music at " << c.tune
                                       << " dBFS, the effects at " << c.effectsThere << ", the mix at " << c.mixPeak;
    }
  }
  EXPECT_EQ(games, 8);
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// The space-rocks game's effects and tune made again from their sources with every level and instrument
// volume raised by `db`: 5.8 dB gives them back the levels they had when its play clipped.
void louderRocks(SpoiledTree& tree, double db) {
  const double gain = std::pow(10.0, db / 20);
  const std::regex level("^level=([0-9.]+)", std::regex::multiline);
  const std::regex volume("volume=([0-9]+)");
  for (const auto& f : fs::directory_iterator(fs::path(GH_SOURCE_DATA) / "data/rck/sound")) {
    const std::string name = f.path().stem().string(), ending = f.path().extension().string();
    std::string text = readFile(f.path());
    std::string raised;
    const std::regex& number = ending == ".sfx" ? level : volume;
    auto at = text.cbegin();
    for (std::sregex_iterator m(text.begin(), text.end(), number), end; m != end; ++m) {
      raised.append(at, (*m)[1].first);
      const double v = std::stod((*m)[1].str()) * gain;
      raised += ending == ".sfx" ? std::to_string(v) : std::to_string(std::lround(v));
      at = (*m)[1].second;
    }
    raised.append(at, text.cend());
    if (ending == ".sfx") tree.write("data/rck/sound/" + name + ".wav", synthesiseEffect(raised, name));
    if (ending == ".tune") tree.write("data/rck/sound/" + name + ".mod", compileTune(raised, name));
  }
}

const builtarchive::Spoil kSpoils[] = {
    {"three copies of the loudest at the old levels",
     [](SpoiledTree& d) { louderRocks(d, 5.8); },
     "game.mod with 3 copies of its loudest effect (rockethit.wav) started together at its loudest place reaches "
     "full scale",
     {"rck/sound/rockethit.sfx:4:", "lower the game's effects or its music"}},
    {"the four loudest at the old levels",
     [](SpoiledTree& d) { louderRocks(d, 5.8); },
     "game.mod with its 4 loudest effects (rockethit.wav, explose.wav, rocket.wav and limit.wav) started together",
     {"rck/sound/rockethit.sfx:4:", "reaches full scale"}},
};
INSTANTIATE_TEST_SUITE_P(Mix, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
