// A battle on small stages: bonuses and their effects, where a bonus may land, the base guard, how many
// enemies take part, the enemies' decisions, the player's controls, and when a battle ends.
#include <gtest/gtest.h>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "games/tanks/TanksGlobals.h"
#include "games/tanks/TanksObjectsFixture.h"

namespace tankstest {
namespace {

using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;
using namespace tanks;

// Every enemy frozen in the field's corner blocks, entered and standing.
void enemiesOnField(TanksObjectsFixture& f, int count) {
  for (int i = 0; i < count; ++i) {
    GTNK& e = *(*enemies)[i];
    e.place(0, 0, DIR_DOWN);
    e.entered = true;
  }
  f.field->freezeTimer = 3600000;
}

TEST_F(TanksObjectsFixture, EachBonusTakenDoesItsOwnThing) {
  struct Case {
    int kind;
    const char* what;
  } cases[] = {{0, "upgrade"}, {1, "freeze"}, {2, "bomb"}, {3, "shield"}, {4, "life"}, {5, "spade"}};
  for (const Case& c : cases) {
    load({"E....", ".....", "P.HHH", "...HB"});
    clearEnemies();
    enemiesOnField(*this, 3);
    field->freezeTimer = -1;
    field->shieldTimer = -1;
    field->bonusKind = c.kind;
    field->bonusX = player->x;
    field->bonusY = player->y;
    field->bonusLifetime = 1000;
    gridOrBlock(CELL_BONUS, player->x, player->y);
    step();
    EXPECT_EQ(player->type, c.kind == 0 ? 1 : 0) << c.what;
    EXPECT_EQ(field->freezeTimer > 0, c.kind == 1) << c.what;
    EXPECT_EQ(enemy(0).destroyed, c.kind == 2) << c.what;
    EXPECT_EQ((field->killCounters & 0xFF), c.kind == 2 ? 3 : 0) << c.what;
    EXPECT_EQ(field->shieldTimer > 0, c.kind == 3) << c.what;
    EXPECT_EQ(player->lives, c.kind == 4 ? 4 : 3) << c.what;
    // The houses guarding the base turn to steel.
    EXPECT_EQ((*items)[1]->kind, c.kind == 5 ? GITM::KIND_WALL : GITM::KIND_HOUSE_A) << c.what;
    EXPECT_EQ(gridTestBlock(CELL_BONUS, player->x, player->y), 0) << c.what;
  }
}

TEST_F(TanksObjectsFixture, TheBaseGuardTurnsBackWithFullStrengthWhenTheSpadeRunsOut) {
  load({"E....", ".....", "P..HH", "...HB"});
  clearEnemies();
  ASSERT_EQ(field->baseGuard->length, 3);
  (*items)[0]->hit(2);
  field->fortifyTimer = 60;
  field->fortifyBase(true);
  EXPECT_EQ((*items)[0]->hitPoints, GITM::kWallHitPoints);
  step(4);
  EXPECT_EQ((*items)[0]->kind, GITM::KIND_HOUSE_A);
  EXPECT_EQ((*items)[0]->hitPoints, GITM::kHouseHitPoints);
  EXPECT_EQ(field->fortifyTimer, -1);
}

TEST_F(TanksObjectsFixture, ABonusNeverLandsNearTheBaseOnWaterOrOnAnItem) {
  // Only the two top-left blocks are open; everything else is water, a house or near the base.
  load({"E.~~~~", "~~~~~~", "~~HHHH", "~~~PB."});
  clearEnemies();
  for (int i = 0; i < 50; ++i) {
    field->placeBonus();
    if (field->bonusLifetime <= 0) continue;
    const int bx = field->bonusX, by = field->bonusY;
    EXPECT_EQ(by, 0) << bx;
    EXPECT_TRUE(bx == 0 || bx == 4) << bx;
  }
}

TEST_F(TanksObjectsFixture, ABonusGivesUpWhenNoBlockWillDo) {
  load({"~~~", "~E~", "~PB"});
  clearEnemies();
  field->placeBonus();
  EXPECT_EQ(field->bonusLifetime, 0);
  EXPECT_EQ(gridTestBlock(CELL_BONUS, 0, 0), 0);
}

TEST_F(TanksObjectsFixture, AtMostSixEnemiesTakePartUntilStageTwentyThenSeven) {
  struct Case {
    int stage;
    int most;
  } cases[] = {{1, 6}, {19, 6}, {20, 7}};
  for (const Case& c : cases) {
    load({"E.E.E", ".....", ".....", ".....", "P...B"}, kLightEnemies, c.stage);
    field->freezeTimer = 3600000;
    int most = 0;
    for (int i = 0; i < 2000; ++i) {
      step();
      int taking = 0;
      for (int k = 0; k < GameTanks::kEnemies; ++k) taking += enemy(k).takesPart() ? 1 : 0;
      most = std::max(most, taking);
      // Enemies that appeared move off their start so the next may come.
      for (int k = 0; k < GameTanks::kEnemies; ++k) {
        GTNK& e = enemy(k);
        if (e.takesPart() && e.isState(GTNK::STATE_IDLE) && e.y == 0) {
          gridClearBlockValue(CELL_TANK, e.x, e.y);
          e.place(e.x, 4 + 4 * (k % 2), DIR_DOWN);
          e.x = (k % 5) * 4;
          e.y = 4 + (k / 5) % 2 * 4;
        }
      }
    }
    EXPECT_EQ(most, c.most) << c.stage;
  }
}

TEST_F(TanksObjectsFixture, AnEnemyAimsOnlyWithAHighRollAndOnlyAtWhatItIsLinedUpWith) {
  struct Case {
    int roll;
    int x, y;  // the enemy's cell; the base is at (8, 16) and the player at (0, 16)
    bool moves;
    int direction;
  } cases[] = {
      {24, 8, 4, true, DIR_DOWN},    // above the base, in reach: down to it
      {23, 8, 4, false, DIR_DOWN},   // the same with a low roll: no aiming
      {27, 16, 16, true, DIR_LEFT},  // level with the base, right of it: left
      {24, 16, 4, false, DIR_DOWN},  // lined up with nothing
      {24, 1, 4, true, DIR_DOWN},    // above the player (within 2 cells): down to it
  };
  for (const Case& c : cases) {
    load({"E....", ".....", ".....", ".....", "P.B.."});
    clearEnemies();
    GTNK& e = enemy(0);
    e.init(0);
    e.place(c.x, c.y, DIR_UP);
    e.entered = true;
    field->aimEnemy(c.roll, e);
    EXPECT_EQ(e.isState(GTNK::STATE_MOVING), c.moves) << c.roll << " " << c.x << "," << c.y;
    if (c.moves) {
      EXPECT_EQ(e.direction, c.direction) << c.roll << " " << c.x << "," << c.y;
    }
  }
}

TEST_F(TanksObjectsFixture, APointerMovesThePlayerOnlyFromSixPixelsOffItsCentre) {
  struct Case {
    int dx, dy;
    bool moves;
    int direction;
  } cases[] = {{5, 0, false, DIR_UP}, {6, 0, true, DIR_RIGHT}, {-6, 2, true, DIR_LEFT}, {1, -7, true, DIR_UP}};
  for (const Case& c : cases) {
    load({"E....", ".....", ".....", "..P.B"});
    clearEnemies();
    const int half = blockSize / 2;
    ScreenCanvas::pointerDown = true;
    ScreenCanvas::pointerX = field->offsetX() + player->x * cellSize + half + c.dx;
    ScreenCanvas::pointerY = field->offsetY() + player->y * cellSize + half + c.dy;
    step();
    ScreenCanvas::pointerDown = false;
    EXPECT_EQ(player->isState(GTNK::STATE_MOVING), c.moves) << c.dx << "," << c.dy;
    EXPECT_EQ(player->direction, c.direction) << c.dx << "," << c.dy;
  }
}

TEST_F(TanksObjectsFixture, FirePressedWhileTheShotFliesIsKeptAndFiresWhenItIsGone) {
  load({"E....", ".....", ".....", "..P.B"});
  clearEnemies();
  ScreenCanvas::held[GameAction::Fire] = true;
  step();
  ASSERT_TRUE(playerShot().active);
  const int firstY = playerShot().y;
  ScreenCanvas::held[GameAction::Fire] = true;
  // The press waits while the first shot flies up and off the field, then fires the second at once.
  int steps = 0;
  while (ScreenCanvas::held[GameAction::Fire] && steps < 100) {
    step();
    ++steps;
  }
  EXPECT_GT(steps, 10);
  EXPECT_TRUE(playerShot().active);
  EXPECT_EQ(playerShot().y, firstY);
}

TEST_F(TanksObjectsFixture, AWonBattleEndsAtTheFirstStepPastTheEndTime) {
  load({"E....", ".....", ".....", "..P.B"});
  clearEnemies();
  for (int i = 0; i < GameTanks::kEnemies; ++i) {
    enemy(i).entered = true;
    enemy(i).destroyed = true;
  }
  EXPECT_EQ(step(), 1);
  ASSERT_TRUE(battleEnded);
  ASSERT_TRUE(battleWon);
  // GAME_TIME_LAST is 5000: the step at 5010 ms after the end is the first past it.
  int steps = 0;
  while (step() == 1) ++steps;
  EXPECT_EQ((steps + 1) * gamelib::GameLib::kStepMs, 5010);
}

TEST_F(TanksObjectsFixture, TheLastLifeLostEndsTheBattleAndHidesThePlayer) {
  load({"E....", ".....", "P....", "....B"});
  clearEnemies();
  player->lives = 1;
  field->shieldTimer = -1;
  GBUL& shot = enemyShot(0);
  enemiesOnField(*this, 1);
  shot.init(1, 2, DIR_DOWN, 0, false);
  for (int i = 0; i < 20 && !battleEnded; ++i) step();
  EXPECT_TRUE(battleEnded);
  EXPECT_FALSE(battleWon);
  EXPECT_TRUE(playerHidden);
}

}  // namespace
}  // namespace tankstest
