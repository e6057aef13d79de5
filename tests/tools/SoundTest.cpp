// Sound writers: WAVE files in PCM and ADPCM, synthesised effects, modules and the tune notation.
#include <gtest/gtest.h>

#include <cmath>

#include "DataError.h"
#include "Mod.h"
#include "Sound.h"
#include "Tune.h"
#include "Wav.h"

using namespace datakit;

namespace {

Samples sine(int count, double period, double amplitude) {
  Samples s;
  for (int i = 0; i < count; ++i)
    s.push_back(static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * i / period))));
  return s;
}

const char* kTune = R"(title test
instrument lead square volume=40
instrument bass triangle octave=-1
instrument kick kick
pattern a
1 lead: c2 . e2 . g2*4 r c3*55
2 bass: c1*32 g1*32
4 drums: [ kick*8 .*8 ]*4
order a a
)";

}  // namespace

TEST(Sound, PcmFilesCarryTheirFormatAndSamples) {
  Samples s = {0, 1000, -1000, 32767, -32768};
  WavInfo info;
  ASSERT_TRUE(readWav(writeWavPcm16(s, 22050), info));
  EXPECT_EQ(info.format, 1);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.rate, 22050);
  EXPECT_EQ(info.bits, 16);
  ASSERT_EQ(info.data.size(), 10u);
  EXPECT_EQ(info.data[2], 0xE8);  // 1000 little-endian
  EXPECT_EQ(info.data[3], 0x03);
}

TEST(Sound, AdpcmDecodesCloseToTheInputInWholeBlocks) {
  for (int count : {10, 500, 501, 2000}) {
    Samples in = sine(count, 37.0, 12000);
    WavInfo info;
    ASSERT_TRUE(readWav(writeWavAdpcm(in, 22050, 256), info));
    EXPECT_EQ(info.format, 2);
    EXPECT_EQ(info.bits, 4);
    EXPECT_EQ(info.samplesPerBlock, 500);
    EXPECT_EQ(info.data.size() % 256, 0u) << "only whole blocks are decoded";
    Samples out = decodeAdpcmData(info.data, info.blockAlign, info.samplesPerBlock);
    ASSERT_GE(out.size(), in.size());
    double error = 0, signal = 0;
    for (size_t i = 0; i < in.size(); ++i) {
      error += std::pow(out[i] - in[i], 2);
      signal += std::pow(in[i], 2);
    }
    EXPECT_GT(10 * std::log10(signal / std::max(error, 1.0)), 20.0) << count << " samples";
    for (size_t i = in.size(); i < out.size(); ++i) EXPECT_LT(std::abs(out[i]), 2000) << "padding is silence";
  }
}

TEST(Sound, EffectsStayUnderFullScale) {
  const char* source =
      "rate=22050\nformat=pcm\nv1.wave=square\nv1.from=880\nv1.to=110\nv1.length=0.2\n"
      "v2.wave=noise\nv2.freq=4000\nv2.start=0.1\nv2.length=0.3\nv2.volume=3\n";
  int rate = 0;
  Samples s = synthesiseSamples(source, "e.sfx", rate);
  EXPECT_EQ(rate, 22050);
  EXPECT_EQ(s.size(), static_cast<size_t>(0.4 * 22050) + 1);
  int peak = 0;
  for (std::int16_t v : s) peak = std::max(peak, std::abs(int(v)));
  EXPECT_GT(peak, 20000);
  EXPECT_LT(peak, 32767);
  const char* bad[] = {"v1.wave=sine\n", "v9.freq=100\n", "v1.length=9\n", "rate=8000\nv1.freq=1\n", "x=1\n"};
  for (const char* b : bad) EXPECT_THROW(synthesiseSamples(b, "e.sfx", rate), DataError) << b;
}

TEST(Sound, ModulesHaveTheLayoutTheTrackerReads) {
  Tune tune = parseTune(kTune, "t.tune");
  Bytes mod = writeMod(tune.module);
  ASSERT_GE(mod.size(), 1084u);
  EXPECT_EQ(std::string(mod.begin() + 1080, mod.begin() + 1084), "M.K.");
  EXPECT_EQ(mod[950], 2);  // song length
  size_t samples = 0;
  for (const ModSample& s : tune.module.samples) samples += s.data.size();
  EXPECT_EQ(mod.size(), 1084 + 1 * 4 * 256 + samples);
  // Row 0, channel 0: sample 1, note c2 = period 428 = 0x1AC.
  EXPECT_EQ(mod[1084], 0x01);
  EXPECT_EQ(mod[1085], 0xAC);
  EXPECT_EQ(mod[1086] >> 4, 1);
  // Row 8 holds the rest: set volume 0 on channel 0.
  EXPECT_EQ(mod[1084 + 8 * 16 + 2] & 0x0F, 12);
  EXPECT_EQ(mod[1084 + 8 * 16 + 3], 0);
  // The drum line's repeat group: a kick every 16 rows and nothing between.
  EXPECT_EQ(tune.module.patterns[0][16][3].sample, 3);
  EXPECT_EQ(tune.module.patterns[0][8][3].sample, 0);
}

TEST(Sound, ModuleWriterRefusesWhatTheTrackerCannotPlay) {
  Module good = parseTune(kTune, "t.tune").module;
  auto broken = [&](auto change) {
    Module m = good;
    change(m);
    return m;
  };
  const Module cases[] = {
      broken([](Module& m) { m.samples[0].volume = 65; }),
      broken([](Module& m) { m.samples[0].data.push_back(0); }),
      broken([](Module& m) { m.samples[0].finetune = 8; }),
      broken([](Module& m) { m.patterns[0][0][0].note = 48; }),
      broken([](Module& m) { m.patterns[0][0][0].sample = 9; }),
      broken([](Module& m) { m.order.push_back(5); }),
      broken([](Module& m) { m.order.clear(); }),
      broken([](Module& m) { m.samples.resize(32, m.samples[0]); }),
  };
  for (const Module& m : cases) EXPECT_THROW(writeMod(m), std::invalid_argument);
}

TEST(Sound, TuneFaultsNameTheirLine) {
  struct Case {
    const char* source;
    int line;
  };
  const Case cases[] = {
      {"instrument a square\npattern p\n1 a: c2*63\norder p\n", 0},  // 63 rows, not 64
      {"instrument a square\npattern p\n1 a: c2*65\norder p\n", 3},
      {"instrument a square\npattern p\n1 b: c2*64\norder p\n", 3},  // no such instrument
      {"instrument a square\npattern p\n1 a: h2*64\norder p\n", 3},  // no such note
      {"instrument a square\npattern p\n1 a: c4*64\norder p\n", 3},  // beyond the three octaves
      {"instrument a square\npattern p\n1 a: c2*64\norder q\n", 4},
      {"instrument a square volume=70\n", 1},
      {"speed 40\n", 1},
      {"instrument a square\npattern p\n1 a: [ c2*8 ]*8 [ c2\norder p\n", 3},    // group not closed
      {"instrument a square\npattern p\n1 a: [ c2 [ d2 ]*2 ]*2\norder p\n", 3},  // groups do not nest
  };
  for (const Case& c : cases) {
    try {
      parseTune(c.source, "t.tune");
      ADD_FAILURE() << "accepted: " << c.source;
    } catch (const DataError& e) {
      EXPECT_EQ(e.line(), c.line) << c.source;
    }
  }
}

TEST(Sound, SpeedAndTempoGoIntoTheFirstRow) {
  std::string source = std::string("speed 4\ntempo 140\n") + kTune;
  Tune tune = parseTune(source, "t.tune");
  int speed = -1, tempo = -1;
  for (const ModCell& c : tune.module.patterns[0][0])
    if (c.effect == 15) (c.param <= 32 ? speed : tempo) = c.param;
  EXPECT_EQ(speed, 4);
  EXPECT_EQ(tempo, 140);
  Samples rendered = renderMod(tune.module, 22050, 6, 50);
  EXPECT_EQ(rendered.size(), 2u * 64 * (22050 * 4 / 56));
}
