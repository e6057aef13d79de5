// Monsters: they come in at the top right within the level's limit, take a tunnel toward the hero in sight
// and flee during a bonus, turn back at dead ends and before bags, make way for each other, dig without
// ever turning back, change kind on their timer, and stay on the field when a turn points off it.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowMonsterTest : public BurrowObjectsFixture {
 protected:
  static void step(Monster& m) { m.move(0); }
};

TEST_F(BurrowMonsterTest, MonstersComeInAtTheTopRightWithinTheLimit) {
  startLevel({"..............H"});
  levelNumber = 1;
  Level::updateMonsterLimit();
  for (int i = 0; i < 3; ++i) paintMovers();
  int active = 0;
  for (int i = 0; i < maxMonsters; ++i) active += monster(i).active ? 1 : 0;
  EXPECT_EQ(active, 3);
  EXPECT_TRUE(monster(2).active);
  EXPECT_FALSE(monster(3).active);
  EXPECT_EQ(monster(0).x, 14 * 15);
  EXPECT_EQ(monster(0).y, 0);
  EXPECT_EQ(monster(0).direction, DIR_LEFT);
  EXPECT_EQ(monster(0).waitSteps, 15);
  // Monster 6 never comes, even at the highest limit; during a bonus none comes.
  monsterLimit = 5;
  bonusActive = true;
  for (int i = 0; i < 3; ++i) paintMovers();
  EXPECT_FALSE(monster(3).active);
  bonusActive = false;
  for (int i = 0; i < 3; ++i) paintMovers();
  EXPECT_TRUE(monster(4).active);
  EXPECT_FALSE(monster(5).active);
}

TEST_F(BurrowMonsterTest, AMonsterInTheHerosColumnTakesTheTunnelTowardIt) {
  // A vertical tunnel down column 5 from row 2 to row 8, the monster at its top.
  std::vector<std::string> rows(10, "");
  for (int r = 2; r <= 8; ++r) rows[static_cast<size_t>(r)] = ".....V";
  startLevel(rows);
  levelNumber = 1;
  putHero(5, 8, DIR_UP);
  int toward = 0, away = 0;
  for (int trial = 0; trial < 20; ++trial) {
    Monster& m = putMonster(0, 5, 2, DIR_NONE);
    m.digging = false;
    m.chooseMove();
    toward += m.direction == DIR_DOWN ? 1 : 0;
  }
  // Now and then (a roll under 28 of 100 at level 1) it looks for another way, which here is the same.
  EXPECT_EQ(toward, 20);
  bonusActive = true;
  for (int trial = 0; trial < 20; ++trial) {
    Monster& m = putMonster(0, 5, 5, DIR_NONE);
    m.chooseMove();
    away += m.direction == DIR_UP ? 1 : 0;
  }
  EXPECT_EQ(away, 20);
}

TEST_F(BurrowMonsterTest, AtADeadEndAMonsterTurnsBackAndPauses) {
  startLevel({"", "", "", "", "...HHH"});
  putHero(0, 9);
  Monster& m = putMonster(0, 5, 4, DIR_RIGHT);
  m.chooseMove();
  EXPECT_EQ(m.direction, DIR_LEFT);
  EXPECT_EQ(m.waitSteps, 1);
}

TEST_F(BurrowMonsterTest, ABagInTheWayTurnsAMonsterBackAfterFourSteps) {
  startLevel({"", "", "", "", "HHHHHHB"});
  putHero(0, 9);
  Monster& m = putMonster(0, 5, 4, DIR_RIGHT);
  m.offsetX = 3;
  m.x += 3;
  // The bag is pushed each time; held in place, it blocks.
  for (int i = 0; i < 3; ++i) {
    bag(0).pauseSteps = 0;
    m.move(0);
    bag(0).pushDirection = DIR_NONE;
    EXPECT_EQ(m.direction, DIR_RIGHT) << i;
  }
  EXPECT_EQ(m.x, 5 * 15 + 3);
  m.move(0);
  EXPECT_EQ(m.direction, DIR_LEFT);
  EXPECT_EQ(m.bumps, 0);
}

TEST_F(BurrowMonsterTest, TwoMonstersOnOneCellGoingOneWayPartWays) {
  startLevel({"", "", "HHHHHHHHHH"});
  putHero(0, 9);
  monsterLimit = 3;
  Monster& first = putMonster(0, 4, 2, DIR_RIGHT);
  putMonster(1, 4, 2, DIR_RIGHT);
  first.separate();
  EXPECT_EQ(first.direction, DIR_LEFT);
  EXPECT_EQ(first.waitSteps, 2);
  EXPECT_EQ(monster(1).direction, DIR_RIGHT);
  // The later one never looks back at the earlier.
  monster(1).separate();
  EXPECT_EQ(monster(1).direction, DIR_RIGHT);
}

TEST_F(BurrowMonsterTest, ADiggingMonsterNeverTurnsBack) {
  startLevel({});
  // The hero below and to the left, the monster coming from the left (moving right) or from below.
  struct Case {
    int before, heroColumn, heroRow, expected;
  };
  const Case cases[] = {
      {DIR_RIGHT, 2, 8, DIR_DOWN},  // left would turn it back
      {DIR_UP, 2, 8, DIR_LEFT},     // down would turn it back
      {DIR_LEFT, 9, 8, DIR_DOWN},
  };
  for (const Case& c : cases) {
    for (int trial = 0; trial < 10; ++trial) {
      putHero(c.heroColumn, c.heroRow);
      Monster& m = putMonster(0, 6, 4, c.before);
      m.digging = true;
      m.chooseMove();
      EXPECT_EQ(m.direction, c.expected) << c.before;
    }
  }
  // At the field's edge its choices stay on the field.
  putHero(14, 0);
  Monster& m = putMonster(0, 14, 0, DIR_DOWN);
  m.digging = true;
  for (int trial = 0; trial < 10; ++trial) {
    m.direction = DIR_DOWN;
    m.chooseMove();
    EXPECT_TRUE(m.direction == DIR_DOWN || m.direction == DIR_LEFT) << m.direction;
  }
}

TEST_F(BurrowMonsterTest, ADiggingMonsterCarvesItsWay) {
  startLevel({});
  putHero(0, 9);
  Monster& m = putMonster(0, 6, 4, DIR_RIGHT);
  m.digging = true;
  for (int i = 0; i < 5; ++i) m.move(1);
  EXPECT_EQ(m.column, 7);
  EXPECT_EQ(cell(7, 4), 0x07C0);
}

TEST_F(BurrowMonsterTest, AMonsterTurnedOffTheFieldStaysOnIt) {
  startLevel({"HHHHHHHHHHHHHHH"});
  putHero(0, 9);
  struct Case {
    int column, row, direction;
    bool digging;
  };
  for (const Case& c : {Case{14, 0, DIR_RIGHT, false}, Case{0, 0, DIR_LEFT, false}, Case{14, 0, DIR_UP, true},
                        Case{0, 0, DIR_LEFT, true}}) {
    Monster& m = putMonster(0, c.column, c.row, c.direction);
    m.digging = c.digging;
    for (int i = 0; i < 10; ++i) m.move(1);
    EXPECT_EQ(m.x, c.column * 15) << c.column << " " << c.direction;
    EXPECT_EQ(m.y, c.row * 15) << c.column << " " << c.direction;
  }
}

TEST_F(BurrowMonsterTest, TheKindChangesOnItsTimer) {
  startLevel({"..............H"});
  levelNumber = 1;
  Monster& m = monster(0);
  m.phaseSteps = 2;
  m.update();
  EXPECT_FALSE(m.digging);
  m.update();
  EXPECT_TRUE(m.digging);
  EXPECT_GE(m.phaseSteps, diggingPhaseSteps);
  EXPECT_LT(m.phaseSteps, diggingPhaseSteps + 10);
  EXPECT_EQ(m.sideRightAnim.get(), m.carveRightAnim.get());
  m.phaseSteps = 1;
  m.update();
  EXPECT_FALSE(m.digging);
  EXPECT_LE(m.phaseSteps, normalPhaseSteps);
  EXPECT_GT(m.phaseSteps, normalPhaseSteps - 30);
  EXPECT_EQ(m.sideRightAnim.get(), m.walkRightAnim.get());
}

TEST_F(BurrowMonsterTest, AKilledMonsterComesBackAfterItsDeath) {
  startLevel({"..............H"});
  Monster& m = putMonster(0, 10, 0, DIR_LEFT);
  m.kill();
  EXPECT_TRUE(m.dying);
  EXPECT_FALSE(m.active);
  int paints = 0;
  while (m.dying && paints < 100) {
    m.update();
    ++paints;
  }
  EXPECT_FALSE(m.dying);
  EXPECT_EQ(m.x, 14 * 15);
  m.update();
  m.update();
  EXPECT_TRUE(m.active);
}

}  // namespace
}  // namespace burrowtest
