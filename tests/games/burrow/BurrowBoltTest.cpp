// The fire bolt: one at a time and not while it recharges, launched only from a cell on the field, tested
// against the tunnels as its leading edge crosses into a cell, hitting the first monster in play it meets,
// and recharging longer the higher the level.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowBoltTest : public BurrowObjectsFixture {
 protected:
  static Firebolt& bolt() { return *firebolt; }
  static void fireFromHero() { bolt().fire(hero().column * 15, hero().row * 15, hero().direction); }
  // Play steps until the bolt stops; how many.
  static int flyUntilStopped() {
    int steps = 0;
    while (bolt().flying && steps < 100) {
      bolt().update();
      ++steps;
    }
    return steps;
  }
};

TEST_F(BurrowBoltTest, OneBoltAtATimeAndNoneWhileRecharging) {
  startLevel({"", "", "", "", "HHHHHHHHHHHHHHH"});
  levelNumber = 1;
  putHero(2, 4, DIR_RIGHT);
  fireFromHero();
  EXPECT_TRUE(bolt().flying);
  EXPECT_EQ(takeSound(), SOUND_SHOOT);
  const int x = bolt().x;
  fireFromHero();
  EXPECT_EQ(bolt().x, x);
  EXPECT_EQ(takeSound(), -1);
  bolt().stop();
  EXPECT_EQ(bolt().rechargeSteps, 20);
  fireFromHero();
  EXPECT_FALSE(bolt().flying);
  EXPECT_EQ(takeSound(), -1);
  // Counted down once per play step: ready again in the step it reaches 0.
  for (int i = 0; i < 20; ++i) bolt().update();
  fireFromHero();
  EXPECT_TRUE(bolt().flying);
}

TEST_F(BurrowBoltTest, ABoltFromTheFieldsEdgeOutwardStaysReady) {
  startLevel({});
  for (auto [column, row, direction] : {std::tuple{14, 4, DIR_RIGHT}, std::tuple{4, 9, DIR_DOWN}}) {
    putHero(column, row, direction);
    fireFromHero();
    EXPECT_FALSE(bolt().flying);
    EXPECT_EQ(bolt().rechargeSteps, 0);
    EXPECT_EQ(takeSound(), -1);
  }
  // Fired left from the first column it is launched, leaves the field at once and recharges.
  putHero(0, 4, DIR_LEFT);
  fireFromHero();
  EXPECT_TRUE(bolt().flying);
  EXPECT_EQ(takeSound(), SOUND_SHOOT);
  dirtyCount = 0;
  EXPECT_EQ(flyUntilStopped(), 1);
  EXPECT_EQ(bolt().rechargeSteps, 20);
  for (int i = 0; i < dirtyCount; ++i) EXPECT_GE((*dirtyCells)[i] >> 16, 0);
}

TEST_F(BurrowBoltTest, TheTunnelDecidesHowFarItFlies) {
  struct Case {
    const char* what;
    const char* row;
    int heroColumn, direction;
    int steps;
  };
  const Case cases[] = {
      {"right: first tested at the sixth step", "HHHH", 2, DIR_RIGHT, 6},
      {"right: through a longer tunnel", "HHHHHH", 2, DIR_RIGHT, 11},
      {"right from the column before the last: past the edge", "...............", 13, DIR_RIGHT, 6},
      {"left: through the tunnel to the field's edge", "HHH", 2, DIR_LEFT, 11},
      {"left: tested at the first step, into earth", "..H", 2, DIR_LEFT, 1},
      {"left: into earth a cell later", ".HH", 2, DIR_LEFT, 6},
  };
  for (const Case& c : cases) {
    startLevel({"", "", "", "", c.row});
    putHero(c.heroColumn, 4, c.direction);
    fireFromHero();
    ASSERT_TRUE(bolt().flying) << c.what;
    EXPECT_EQ(flyUntilStopped(), c.steps) << c.what;
  }
}

TEST_F(BurrowBoltTest, ItHitsTheFirstMonsterInPlayOnly) {
  startLevel({"", "", "", "", "HHHHHHHHHHHHHHH"});
  levelNumber = 1;
  monsterLimit = 5;
  putHero(1, 4, DIR_RIGHT);
  // Monster 0 at the nest, monster 1 dying: both passed by; monsters 2 and 3 overlap the bolt's path.
  putMonster(0, 4, 4, DIR_LEFT).active = false;
  putMonster(1, 4, 4, DIR_LEFT).kill();
  putMonster(2, 5, 4, DIR_LEFT);
  putMonster(3, 5, 4, DIR_LEFT);
  fireFromHero();
  const int scoreBefore = hero().score;
  flyUntilStopped();
  EXPECT_FALSE(monster(0).dying);
  EXPECT_TRUE(monster(2).dying);
  EXPECT_TRUE(monster(3).active);
  EXPECT_EQ(hero().score, scoreBefore + 25);
  // Stopped where its box first touched monster 2's.
  EXPECT_EQ(bolt().x, 63);
}

TEST_F(BurrowBoltTest, TheRechargeGrowsWithTheLevel) {
  startLevel({});
  const int cases[][2] = {{1, 20}, {6, 20}, {7, 35}, {14, 50}, {30, 80}, {63, 155}, {72, 155}};
  for (const auto& c : cases) {
    levelNumber = c[0];
    bolt().stop();
    EXPECT_EQ(bolt().rechargeSteps, c[1]) << c[0];
  }
}

TEST_F(BurrowBoltTest, AFlyingBoltIsDrawnWhereItIs) {
  startLevel({"", "", "", "", "HHHHHHHHHHHHHHH"});
  putHero(1, 4, DIR_RIGHT);
  fireFromHero();
  gamelib::GameLib::graphics->setColor(0x123456);
  gamelib::GameLib::graphics->fillRect(0, 0, 240, 320);
  bolt().paint();
  EXPECT_NE(fieldPixel(2 * 15 + 7, 4 * 15 + 7), gltest::rgb565(0x123456));
  bolt().stop();
  gamelib::GameLib::graphics->fillRect(0, 0, 240, 320);
  bolt().paint();
  EXPECT_EQ(fieldPixel(2 * 15 + 7, 4 * 15 + 7), gltest::rgb565(0x123456));
}

}  // namespace
}  // namespace burrowtest
