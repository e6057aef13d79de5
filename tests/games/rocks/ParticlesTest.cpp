// Particle bursts: debris and sparks slowing to a stop, trails, the blast ring's frames, a burst row's
// phases until it is free again, and the exhaust puffs behind the ship.
#include <gtest/gtest.h>

#include "games/rocks/RocksObjectsFixture.h"

namespace rockstest {

using namespace rocks;

class ParticlesTest : public RocksObjectsFixture {
 protected:
  void SetUp() override {
    RocksObjectsFixture::SetUp();
    startGame();
    setUpLevel(1);
    game->burstCount = 1;
  }
  int counter(int row) { return (*(*game->particleSlots)[row])[Rocks::BURST_COUNTER]; }
  int phase(int row) { return (*(*game->particleSlots)[row])[Rocks::BURST_PHASE]; }
};

TEST_F(ParticlesTest, DebrisSlowsByAThirdAndIsGoneAfterThirteenSteps) {
  setRecord(1, 50, 60, 6, -6, 0);
  const int dx[] = {4, 2, 1, 0, 0};
  const int x[] = {56, 60, 62, 63, 63};
  for (int i = 0; i < 5; ++i) {
    game->updateParticles();
    EXPECT_EQ(record(1, Rocks::P_DX), dx[i]) << i;
    EXPECT_EQ(record(1, Rocks::P_DY), -dx[i]) << i;
    EXPECT_EQ(record(1, Rocks::P_X), x[i]) << i;
  }
  for (int i = 5; i < 12; ++i) game->updateParticles();
  EXPECT_EQ(record(1, Rocks::P_STATE), 12);
  game->updateParticles();
  EXPECT_EQ(record(1, Rocks::P_STATE), Rocks::FREE);
  EXPECT_EQ(counter(0), -1);
}

TEST_F(ParticlesTest, SparksLeaveATrailAndStopWhenTheirSpeedIsGone) {
  // A spark that is still at once writes one trail dot and is freed in the same step; the dot, a later
  // record, ages in that step too.
  setRecord(5, 30, 40, 0, 0, 4);
  game->updateParticles();
  EXPECT_EQ(record(5, Rocks::P_STATE), Rocks::FREE);
  EXPECT_EQ(record(10, Rocks::P_STATE), 2);
  EXPECT_EQ(record(10, Rocks::P_X), 30);

  // Spark 9 owns trail records 26 to 29 and writes them in turn.
  setRecord(9, 100, 100, 10, 0, 4);
  int steps = 0;
  while (record(9, Rocks::P_STATE) != Rocks::FREE && steps < 40) {
    const int before = record(9, Rocks::P_X), state = record(9, Rocks::P_STATE);
    game->updateParticles();
    const int dot = 26 + state % 4;
    EXPECT_EQ(record(dot, Rocks::P_X), before) << steps;
    ++steps;
  }
  // Speeds 10, 8, 6, 4, 3, 2, 1, then 0: the speed decays to exactly nothing in seven steps.
  EXPECT_EQ(steps, 7);
  EXPECT_EQ(record(9, Rocks::P_X), 100 + 10 + 8 + 6 + 4 + 3 + 2 + 1);
  // Trail dots live five steps.
  for (int i = 0; i < 5; ++i) game->updateParticles();
  for (int r = 26; r < 30; ++r) EXPECT_EQ(record(r, Rocks::P_STATE), Rocks::FREE) << r;
}

TEST_F(ParticlesTest, TheRingShowsSevenFrames) {
  setRecord(0, 80, 80, 0, 0, 1);
  for (int frame = 1; frame < 7; ++frame) {
    game->updateParticles();
    EXPECT_EQ(record(0, Rocks::P_STATE) / 3, frame);
    EXPECT_EQ(record(0, Rocks::P_STATE) % 3 - 1, 0);  // row 0 of the ring pictures
  }
  game->updateParticles();
  EXPECT_EQ(record(0, Rocks::P_STATE), Rocks::FREE);
}

TEST_F(ParticlesTest, ABurstRowIsFreeAfterPhaseThirteenOnceNothingOfItLives) {
  game->burstCount = 0;
  game->startBurst(120, 160, 120, 160);
  EXPECT_EQ(game->burstCount, 1);
  EXPECT_EQ(phase(0), 0);
  int steps = 0;
  while (phase(0) != Rocks::FREE && steps < 100) {
    game->updateParticles();
    game->updateExplosions();
    ++steps;
    if (phase(0) != Rocks::FREE) continue;
    for (int r = 0; r < Rocks::kRecordsPerBurst; ++r) EXPECT_EQ(record(r, Rocks::P_STATE), Rocks::FREE) << r;
  }
  EXPECT_GE(steps, 14);
  EXPECT_LT(steps, 100);
  // The row counted as in use in the step that freed it; the next step sees none.
  EXPECT_EQ(game->burstCount, 1);
  game->updateExplosions();
  EXPECT_EQ(game->burstCount, 0);
  // Rows past burstCount are left alone.
  setRecord(Rocks::kRecordsPerBurst + 1, 5, 5, 3, 3, 0);
  game->updateParticles();
  EXPECT_EQ(record(Rocks::kRecordsPerBurst + 1, Rocks::P_X), 5);
}

TEST_F(ParticlesTest, BurstsNeverPassTenRows) {
  game->burstCount = 0;
  for (int i = 0; i < 12; ++i) game->startBurst(10 * i, 20, 10 * i, 20);
  EXPECT_EQ(game->burstCount, Rocks::kBurstRows);
  EXPECT_EQ((*(*game->particleSlots)[9])[Rocks::BURST_X], 90);
}

TEST_F(ParticlesTest, ExhaustPuffsBehindTheShipUnlessEveryRowIsBusy) {
  Ship& s = *ship;
  s.x = 120;
  s.y = 160;
  s.quadrant = u"";
  s.frame = 4;  // nose up
  s.vx = 1;
  s.vy = -2;
  game->emitExhaust(0);
  game->emitExhaust(1);
  EXPECT_EQ(phase(0), 5);
  EXPECT_EQ((*(*game->particleSlots)[0])[Rocks::BURST_X], -100);
  // 13 pixels behind the nose, 5 to either side (>> 10 of thousandths), drifting back from the ship's speed.
  const int r0 = 10, r1 = Rocks::kRecordsPerBurst + 10;
  EXPECT_EQ(record(r0, Rocks::P_X), 124);
  EXPECT_EQ(record(r0, Rocks::P_Y), 172);
  EXPECT_EQ(record(r1, Rocks::P_X), 115);
  EXPECT_EQ(record(r0, Rocks::P_DX), 1);
  EXPECT_EQ(record(r0, Rocks::P_DY), -2 + 4);
  EXPECT_EQ(record(r0, Rocks::P_STATE), 0);

  fillBurstRows();
  const int before = record(2 * Rocks::kRecordsPerBurst + 10, Rocks::P_X);
  game->emitExhaust(0);
  EXPECT_EQ(record(2 * Rocks::kRecordsPerBurst + 10, Rocks::P_X), before);
}

}  // namespace rockstest
