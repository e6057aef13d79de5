// Tracker modules: tags and sizes, tempo, note periods, effects and song flow, rendered through the mixer.
#include <gtest/gtest.h>

#include "SoundFixtures.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audTrackerTables.h"

using namespace soundtest;

namespace {

// One row at speed 6 and 50 ticks per second at 44100 Hz: the reading frame, then 6 ticks of 883 frames.
constexpr size_t kRowFrames = 1 + 6 * 883;

ModSample constantSample(int8_t value, size_t bytes = 2000, int finetune = 0, int volume = 64) {
  ModSample s;
  s.data.assign(bytes, value);
  s.finetune = finetune;
  s.volume = volume;
  return s;
}

struct Player {
  Mixer m;
  audMusic music;
  Bytes image;
  audMusicChannel* channel = nullptr;

  explicit Player(const ModuleBuilder& builder, bool loop = false, int32_t stereo = 0) {
    image = builder.build();
    EXPECT_EQ(m.open(44100, 16, stereo), 0);
    EXPECT_EQ(music.load(image.data(), image.size(), false), 0);
    music.loop = loop;
    int32_t index = m.speaker.playMusic(&music, audSpeaker::kAnyChannel);
    EXPECT_EQ(index, 0);
    channel = static_cast<audMusicChannel*>(m.speaker.getChannel(index));
  }
  // Mixes until row r has been read and its ticks are done.
  void finishRow(int r) { mixTo(static_cast<size_t>(r + 1) * kRowFrames); }
  // Mixes until row r has just been read.
  void readRow(int r) { mixTo(static_cast<size_t>(r) * kRowFrames + 1); }
  void mixTo(size_t frame) {
    if (frame > mixed) m.mix16(frame - mixed);
    mixed = frame;
  }
  audMusicChannel::Voice& voice(int j = 0) { return channel->voices[j]; }
  size_t mixed = 0;
};

}  // namespace

TEST(ModTest, TagsGiveTheChannelCount) {
  struct Case {
    const char* tag;
    int channels;
  } cases[] = {{"M.K.", 4},  {"M!K!", 4}, {"6CHN", 6}, {"8CHN", 8}, {"16CH", 16},
               {"32CH", 32}, {"FLT4", 0}, {"m.k.", 0}, {"ABCD", 0}, {"xCHN", 0}};
  for (const Case& c : cases) {
    Bytes image = ModuleBuilder(c.tag, c.channels ? c.channels : 4).build();
    EXPECT_EQ(audMusic::checkTag(image.data()), c.channels) << c.tag;
    audMusic music;
    EXPECT_EQ(music.load(image.data(), image.size(), true), c.channels ? 0 : audMusic::kNotAModule) << c.tag;
  }
  // Tags that load but name more channels than a mixer channel plays are refused at play time.
  Bytes big = ModuleBuilder("40CH", 40).build();
  audMusic music;
  ASSERT_EQ(music.load(big.data(), big.size(), true), 0);
  Mixer m;
  ASSERT_EQ(m.open(44100, 16, 1), 0);
  EXPECT_EQ(m.speaker.playMusic(&music, audSpeaker::kAnyChannel), audSpeaker::kPlayFailed);
}

TEST(ModTest, SizeComesFromTheOrdersInTheSongAndTheSamples) {
  // Orders past the song length do not count: patterns 0..9.
  ModuleBuilder builder("M.K.", 4);
  builder.orders({0, 9, 3, 50})
      .songLength(3)
      .patterns(10)
      .sample(1, constantSample(1, 100))
      .sample(31, constantSample(2, 60));
  Bytes image = builder.build();
  EXPECT_EQ(audMusic::countPatterns(image.data(), 3), 10);
  EXPECT_EQ(image.size(), 1084u + 10 * 4 * 256 + 160);
  audMusic music;
  EXPECT_EQ(music.load(image.data(), image.size(), true), 0);
  EXPECT_EQ(music.load(image.data(), image.size() - 1, true), audMusic::kTruncated);
  EXPECT_EQ(music.data, nullptr);
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
    int32_t code;
  } cases[] = {
      {"finetune 16", 20 + 24, 16, audMusic::kBadSample},
      {"song length 0", 950, 0, audMusic::kNotAModule},
      {"song length 200 counts all 128 orders, pattern 50 among them", 950, 200, audMusic::kTruncated},
  };
  for (const Case& c : cases) {
    Bytes bad = image;
    bad[c.offset] = c.value;
    EXPECT_EQ(music.load(bad.data(), bad.size(), true), c.code) << c.what;
  }
  EXPECT_EQ(music.load(nullptr, 0, true), audMusic::kNoData);
  EXPECT_EQ(music.load(image.data(), 1000, true), audMusic::kTruncated);
}

TEST(ModTest, TempoAndSpeed) {
  struct Case {
    int parameter;
    int speed, ticksPerSecond;
    uint32_t framesPerTick;
  } cases[] = {{0x00, 6, 50, 882}, {0x7D, 6, 50, 882},  {0x20, 32, 50, 882},
               {0x03, 3, 50, 882}, {0x21, 6, 13, 3392}, {0xFF, 6, 102, 432}};
  for (const Case& c : cases) {
    ModuleBuilder b("M.K.", 4);
    b.cell(0, 0, 0, 0, 0, 15, c.parameter);
    Player p(b);
    p.readRow(0);
    EXPECT_EQ(p.channel->speed, c.speed) << c.parameter;
    EXPECT_EQ(p.channel->ticksPerSecond, c.ticksPerSecond) << c.parameter;
    EXPECT_EQ(p.channel->framesPerTick, c.framesPerTick) << c.parameter;
    // The next row is read after speed ticks of framesPerTick + 1 frames.
    size_t next = 1 + static_cast<size_t>(c.speed) * (c.framesPerTick + 1);
    p.mixTo(next);
    EXPECT_EQ(p.channel->row, 1) << c.parameter;
    p.mixTo(next + 1);
    EXPECT_EQ(p.channel->row, 2) << c.parameter;
  }
}

TEST(ModTest, NotesSnapToTheTableOfTheirSamplesFinetune) {
  ModuleBuilder b("M.K.", 4);
  b.sample(1, constantSample(10)).sample(2, constantSample(10, 2000, 1)).sample(3, constantSample(10, 2000, 15));
  b.cell(0, 0, 0, 1, 430).cell(0, 0, 1, 2, 428).cell(0, 0, 2, 3, 113).cell(0, 0, 3, 1, 4000);
  b.cell(0, 1, 0, 200, 0);  // a sample number past 31 is ignored
  Player p(b);
  p.readRow(0);
  struct Expect {
    int voice, period;
  } expected[] = {{0, 428}, {1, aud::kPeriodTable[1][24]}, {2, aud::kPeriodTable[15][47]}, {3, 1712}};
  for (const Expect& e : expected) {
    EXPECT_EQ(p.voice(e.voice).period, e.period) << e.voice;
    EXPECT_EQ(p.voice(e.voice).step, p.m.speaker.stepFor(e.period)) << e.voice;
  }
  // 7159090 / 856 = 8363 Hz plays 8363 x 4096 / 44100 bytes per frame in 20.12.
  EXPECT_EQ(p.m.speaker.stepFor(428), 776u);
  p.readRow(1);
  EXPECT_EQ(p.voice(0).sample, 1);
}

TEST(ModTest, EffectsOverARow) {
  struct Case {
    const char* what;
    int period, effect, parameter, volume;
    int expectedPeriod, expectedVolume;
  } cases[] = {
      {"portamento up 4 per tick", 428, 1, 4, 64, 408, 64},
      {"portamento down stops at 1712", 1712, 2, 0xFF, 64, 1712, 64},
      {"portamento up stops at 13", 113, 1, 0xFF, 64, 13, 64},
      {"volume slide up 2", 428, 10, 0x20, 10, 428, 20},
      {"volume slide down stops at 0", 428, 10, 0x0F, 10, 428, 0},
      {"volume slide up stops at 64", 428, 10, 0xF0, 60, 428, 64},
      {"set volume is at most 64", 428, 12, 0x50, 10, 428, 64},
      {"fine volume up", 428, 14, 0xA5, 62, 428, 64},
      {"fine volume down", 428, 14, 0xB5, 3, 428, 0},
      {"vibrato keeps the period", 428, 4, 0x8F, 64, 428, 64},
      {"vibrato at the table's end", 1712, 4, 0x3F, 64, 1712, 64},
  };
  for (const Case& c : cases) {
    ModuleBuilder b("M.K.", 4);
    b.sample(1, constantSample(10, 2000, 0, c.volume)).cell(0, 0, 0, 1, c.period, c.effect, c.parameter);
    Player p(b);
    p.finishRow(0);
    EXPECT_EQ(p.voice().period, c.expectedPeriod) << c.what;
    EXPECT_EQ(p.voice().volume, c.expectedVolume) << c.what;
  }
}

TEST(ModTest, SlidesArpeggioAndDelaysAcrossRows) {
  ModuleBuilder b("M.K.", 4);
  b.sample(1, constantSample(10));
  b.cell(0, 0, 0, 1, 428).cell(0, 1, 0, 0, 214, 3, 0x10);  // tone portamento towards 214 by 16
  b.cell(0, 0, 1, 1, aud::kPeriodTable[0][82], 0, 0x7F);   // arpeggio past the top note holds it
  b.cell(0, 2, 2, 1, 4095, 14, 0xD1);                      // delayed note with a period past the table
  b.cell(0, 2, 3, 1, 428, 14, 0xC2);                       // note cut after 2 ticks
  Player p(b);
  p.readRow(0);
  EXPECT_EQ(p.voice(1).arpeggioStep[1], p.m.speaker.stepFor(aud::kPeriodTable[0][83]));
  EXPECT_EQ(p.voice(1).arpeggioStep[2], p.m.speaker.stepFor(aud::kPeriodTable[0][83]));
  p.finishRow(1);
  EXPECT_EQ(p.voice(0).period, 428 - 5 * 16);
  p.readRow(2);
  EXPECT_EQ(p.voice(2).period, 0);
  EXPECT_GT(p.voice(3).effectiveVolume, 0);
  p.finishRow(2);
  EXPECT_EQ(p.voice(2).period, 1712);
  EXPECT_EQ(p.voice(2).step, p.m.speaker.stepFor(1712));
  EXPECT_EQ(p.voice(3).effectiveVolume, 0);
  EXPECT_EQ(p.voice(3).volume, 64);
}

TEST(ModTest, SongFlow) {
  // The effect sits in row 0 of order 1 (pattern 1); the song has 2 or 3 orders.
  struct Case {
    const char* what;
    int orders;
    int effect, parameter;
    bool loop;
    bool stops;
    int order, row;
  } cases[] = {
      {"pattern break D32 goes to row 32 of the next order", 3, 13, 0x32, false, false, 2, 32},
      {"a break past row 63 goes to row 0", 3, 13, 0x99, false, false, 2, 0},
      {"a break in the last order ends a song that does not loop", 2, 13, 0x00, false, true, 0, 0},
      {"a break in the last order of a looping song restarts it", 2, 13, 0x10, true, false, 0, 10},
      {"a jump back ends a song that does not loop", 2, 11, 0x00, false, true, 0, 0},
      {"a jump back repeats a looping song", 2, 11, 0x00, true, false, 0, 0},
      {"a jump forward", 3, 11, 0x02, false, false, 2, 0},
      {"a jump past the song restarts a looping song", 2, 11, 0x7F, true, false, 0, 0},
  };
  for (const Case& c : cases) {
    ModuleBuilder b("M.K.", 4);
    b.orders(c.orders == 2 ? std::vector<int>{0, 1} : std::vector<int>{0, 1, 0});
    b.cell(1, 0, 0, 0, 0, c.effect, c.parameter);
    Player p(b, c.loop);
    p.readRow(64);  // row 0 of order 1 has been read and the position advanced
    EXPECT_EQ(p.channel->stopped, c.stops) << c.what;
    if (!c.stops) {
      EXPECT_EQ(p.channel->order, c.order) << c.what;
      EXPECT_EQ(p.channel->row, c.row) << c.what;
    }
  }
}

TEST(ModTest, SongEndsOrLoopsAndPatternLoopsRepeat) {
  ModuleBuilder once("M.K.", 4);
  once.restart(5);  // past the song: restart at 0
  Player ended(once);
  ended.readRow(64);
  EXPECT_TRUE(ended.channel->stopped);
  EXPECT_TRUE(ended.channel->isFree());
  Player looped(once, true);
  looped.readRow(64);
  EXPECT_FALSE(looped.channel->stopped);
  EXPECT_EQ(looped.channel->row, 1);
  EXPECT_EQ(looped.channel->order, 0);

  ModuleBuilder loops("M.K.", 4);
  loops.cell(0, 0, 0, 0, 0, 14, 0x60).cell(0, 1, 0, 0, 0, 14, 0x62);
  Player p(loops);
  // Rows 0, 1, 0, 1, 0, 1, 2: the loop plays three times.
  int seen[7];
  for (int r = 0; r < 7; ++r) {
    p.readRow(r);
    seen[r] = p.channel->row;
  }
  EXPECT_EQ(std::vector<int>(seen, seen + 7), (std::vector<int>{1, 0, 1, 0, 1, 2, 3}));

  ModuleBuilder delay("M.K.", 4);
  delay.cell(0, 0, 0, 0, 0, 14, 0xE2);
  Player d(delay);
  d.mixTo(3 * kRowFrames);
  EXPECT_EQ(d.channel->row, 1);  // row 0 lasted three rows' time
  d.mixTo(3 * kRowFrames + 1);
  EXPECT_EQ(d.channel->row, 2);
}

TEST(ModTest, ModuleRendersWithVolumeAndPan) {
  ModuleBuilder b("M.K.", 4);
  b.sample(1, constantSample(64)).cell(0, 0, 0, 1, 428).cell(0, 0, 1, 1, 428);
  Player mono(b);
  std::vector<int16_t> out = mono.m.mix16(10);
  EXPECT_EQ(out[0], 2 * 64 * 64);
  mono.channel->setVolume(32);
  out = mono.m.mix16(1);
  EXPECT_EQ(out[0], 2 * 32 * 64);
  EXPECT_EQ(mono.channel->getPosition(), 1u);
  EXPECT_EQ(mono.channel->getLength(), 64u);

  // Module pan 255: even voices lean left (64), odd ones right (192).
  Player stereo(b, false, 1);
  out = stereo.m.mix16(1);
  int left = (64 - 16) * 128 + (64 - 48) * 128;
  int right = 16 * 128 + 48 * 128;
  EXPECT_EQ(out[0], left);
  EXPECT_EQ(out[1], right);
  struct PanCase {
    int32_t pan, even, odd;
  } pans[] = {{255, 64, 192}, {0, 127, 129}, {128, 95, 161}, {999, 64, 192}};
  for (const PanCase& c : pans) {
    stereo.channel->setPan(c.pan);
    EXPECT_EQ(stereo.voice(0).pan, c.even);
    EXPECT_EQ(stereo.voice(1).pan, c.odd);
  }
}
