// Tanks and bullets on small stages: a move's steps, sliding round corners, what stops a tank, and what a
// bullet does to walls, houses, tanks, the base and other bullets.
#include <gtest/gtest.h>

#include "gamelib/ScreenCanvas.h"
#include "games/tanks/TanksGlobals.h"
#include "games/tanks/TanksObjectsFixture.h"

namespace tankstest {
namespace {

using namespace tanks;

TEST_F(TanksObjectsFixture, ATankCrossesACellInStepsByItsSpeedAndFlipsItsFrame) {
  load({"E....", ".....", ".....", "..P.B"});
  struct Case {
    int speed;
    int steps;
  } cases[] = {{2, 4}, {4, 2}};
  for (const Case& c : cases) {
    GTNK tank;
    tank.init(0);
    tank.place(8, 4, DIR_RIGHT);
    tank.speed = c.speed;
    const int frame = tank.frame;
    tank.setState(GTNK::STATE_MOVING);
    for (int i = 1; i < c.steps; ++i) EXPECT_FALSE(tank.step()) << c.speed;
    EXPECT_TRUE(tank.step()) << c.speed;
    EXPECT_EQ(tank.x, 9);
    EXPECT_NE(tank.frame, frame);
  }
}

TEST_F(TanksObjectsFixture, ATankSlidesRoundACornerByUpToTwoCellsButOnlyOneToTheHigherSide) {
  // The tank faces a house straight ahead (up); the road is open to one side.
  struct Case {
    int startX;  // cells; the house is the block at x 8..11 above the tank's row
    bool moves;
    int endX;
  } cases[] = {
      {5, true, 4},     // one cell into the house from the left: slides left by one
      {11, true, 12},   // one cell into it from the right: slides right by one
      {6, true, 4},     // two cells into it from the left: slides left by two
      {10, false, 10},  // two cells into it from the right: +2 is never tried
  };
  for (const Case& c : cases) {
    load({"E....", "..H..", ".....", "P...B"});
    clearEnemies();
    GTNK& t = *player;
    gridClearBlockValue(CELL_TANK, t.x, t.y);
    t.place(c.startX, 8, DIR_UP);
    field->tryMove(t, DIR_UP);
    EXPECT_EQ(t.isState(GTNK::STATE_MOVING), c.moves) << c.startX;
    EXPECT_EQ(t.x, c.endX) << c.startX;
  }
}

TEST_F(TanksObjectsFixture, WaterItemsTanksAndTheEdgeStopATank) {
  struct Case {
    std::vector<std::string> rows;
    int x, y, direction;
  } cases[] = {
      {{"E....", ".~...", ".P...", "....B"}, 4, 8, DIR_UP},       // water ahead
      {{"E....", ".S...", ".P...", "....B"}, 4, 8, DIR_UP},       // steel ahead
      {{"E....", ".....", ".....", "P...B"}, 0, 12, DIR_DOWN},    // the bottom edge
      {{"E....", ".....", ".....", "P...B"}, 12, 12, DIR_RIGHT},  // the base
  };
  for (const Case& c : cases) {
    load(c.rows);
    clearEnemies();
    gridClearBlockValue(CELL_TANK, player->x, player->y);
    player->place(c.x, c.y, c.direction);
    field->tryMove(*player, c.direction);
    EXPECT_TRUE(player->isState(GTNK::STATE_IDLE)) << c.rows[1] << " " << c.direction;
    EXPECT_EQ(player->direction, c.direction);
  }
}

TEST_F(TanksObjectsFixture, OnlyTheHeaviestGunBreaksSteelHousesTakeThreeShotsObstaclesOne) {
  struct Case {
    char letter;
    int playerType;
    int shots;  // 0: never gives way
  } cases[] = {{'S', 3, 2}, {'S', 2, 0}, {'H', 0, 3}, {'h', 1, 3}, {'o', 0, 1}};
  for (const Case& c : cases) {
    load({"E....", ".....", std::string("..") + c.letter + "..", "..P.B"});
    clearEnemies();
    player->type = c.playerType;
    const int itemX = 8, itemY = 8;
    int shots = 0;
    for (; shots < 6 && gridTestBlock(CELL_ITEM, itemX, itemY) != 0; ++shots) {
      gamelib::ScreenCanvas::held[gamelib::GameAction::Fire] = true;
      step(40);
    }
    EXPECT_EQ(gridTestBlock(CELL_ITEM, itemX, itemY) == 0 ? shots : 0, c.shots) << c.letter << c.playerType;
  }
}

// An enemy standing still in the block at (x, y), marked on the grid.
GTNK& standingEnemy(TanksObjectsFixture& f, int index, int type, int x, int y) {
  GTNK& e = *(*enemies)[index];
  e.init(type);
  e.place(x, y, DIR_DOWN);
  e.entered = true;
  gridSetBlock(CELL_TANK, index, x, y);
  f.field->freezeTimer = 3600000;
  return e;
}

TEST_F(TanksObjectsFixture, HeavyEnemiesTakeTwoLightShotsAndBonusCarriersDropABonusAtEveryHit) {
  struct Case {
    int type;
    int shotsToDestroy;
    bool bonus;
  } cases[] = {{0, 1, false}, {3, 2, false}, {4, 1, true}, {7, 2, true}};
  for (const Case& c : cases) {
    load({"E....", ".....", ".....", "..P.B"});
    clearEnemies();
    GTNK& e = standingEnemy(*this, 0, c.type, 8, 4);
    int bonuses = 0;
    int shots = 0;
    while (!e.destroyed && shots < 4) {
      field->bonusLifetime = 0;
      gamelib::ScreenCanvas::held[gamelib::GameAction::Fire] = true;
      step(40);
      ++shots;
      bonuses += field->bonusLifetime > 0 ? 1 : 0;
    }
    EXPECT_EQ(shots, c.shotsToDestroy) << c.type;
    EXPECT_EQ(bonuses, c.bonus ? c.shotsToDestroy : 0) << c.type;
    EXPECT_EQ((field->killCounters >> (8 * (c.type & 3))) & 0xFF, 1) << c.type;
    EXPECT_EQ(gridTestBlock(CELL_TANK, 8, 4), 0) << c.type;
  }
}

TEST_F(TanksObjectsFixture, BulletsMeetingHeadOnTheEnemysExplodesThePlayersIsDropped) {
  load({"E....", ".....", ".....", "..P.B"});
  clearEnemies();
  standingEnemy(*this, 0, 0, 8, 0);
  GBUL& mine = playerShot();
  GBUL& theirs = enemyShot(0);
  mine.init(9, 9, DIR_UP, 0, true);
  theirs.init(10, 6, DIR_DOWN, 0, false);
  for (int i = 0; i < 4 && mine.active; ++i) step();
  EXPECT_FALSE(mine.active);
  EXPECT_TRUE(theirs.active);
  EXPECT_EQ(theirs.state, GBUL::STATE_EXPLODING);
}

TEST_F(TanksObjectsFixture, AnEnemyShotCostsALifeUnlessTheShieldIsUp) {
  struct Case {
    int64_t shield;
    int lives;
  } cases[] = {{5000, 3}, {-1, 2}};
  for (const Case& c : cases) {
    load({"E....", ".....", "P....", "....B"});
    clearEnemies();
    standingEnemy(*this, 0, 0, 0, 0);
    field->shieldTimer = c.shield;
    // The player has moved off its start; a lost life puts it back there.
    gridClearBlockValue(CELL_TANK, player->x, player->y);
    player->place(0, 10, DIR_UP);
    gridSetBlock(CELL_TANK, GameTanks::kPlayerIndex, 0, 10);
    GBUL& shot = enemyShot(0);
    shot.init(1, 2, DIR_DOWN, 0, false);
    for (int i = 0; i < 20 && shot.state == GBUL::STATE_FLYING; ++i) step();
    EXPECT_EQ(shot.state, GBUL::STATE_EXPLODING) << c.shield;
    EXPECT_EQ(player->lives, c.lives) << c.shield;
    EXPECT_EQ(player->y, c.lives == 3 ? 10 : 8) << c.shield;
  }
}

TEST_F(TanksObjectsFixture, AShotOnTheBaseLosesTheBattleButNeverABattleAlreadyWon) {
  struct Case {
    bool wonBefore;
    bool ended, won;
    int lives;
  } cases[] = {{false, true, false, 2}, {true, true, true, 3}};
  for (const Case& c : cases) {
    load({"E....", ".....", ".....", "P...B"});
    clearEnemies();
    if (c.wonBefore) field->endBattle(true);
    GBUL& shot = enemyShot(0);
    shot.init(17, 6, DIR_DOWN, 0, false);
    for (int i = 0; i < 20 && shot.state == GBUL::STATE_FLYING; ++i) step();
    EXPECT_EQ(shot.state, GBUL::STATE_EXPLODING);
    EXPECT_EQ(battleEnded, c.ended);
    EXPECT_EQ(battleWon, c.won);
    EXPECT_EQ(player->lives, c.lives);
  }
}

TEST_F(TanksObjectsFixture, AnItemPastTheTwoHundredFiftySixthIsHitItselfNotItsNamesakeByTheLowByte) {
  // 18 x 16 blocks of obstacles: the items run past 256.
  std::vector<std::string> rows(16, std::string(18, 'o'));
  rows[0][0] = 'E';
  rows[15][0] = 'P';
  rows[15][17] = 'B';
  load(rows);
  clearEnemies();
  const int index = 257;
  GITM& target = *(*items)[index];
  GITM& namesake = *(*items)[index & 0xFF];
  GBUL& shot = playerShot();
  shot.init(target.x + 1, target.y + 4, DIR_UP, 0, true);
  ASSERT_TRUE(shot.active);
  EXPECT_FALSE(field->bulletHit(shot) && shot.state == GBUL::STATE_FLYING);
  EXPECT_FALSE(target.active);
  EXPECT_TRUE(namesake.active);
  EXPECT_EQ(gridTestBlock(CELL_ITEM, target.x, target.y), 0);
}

TEST_F(TanksObjectsFixture, ABulletLeavingTheGridIsDroppedAndItsSideCellBeyondTheEdgeIsEmpty) {
  load({"E....", ".....", ".....", "P...B"});
  clearEnemies();
  GBUL& shot = playerShot();
  // Flying along the left edge: its side cell (x - 1) lies outside the grid.
  shot.init(0, 10, DIR_DOWN, 0, true);
  ASSERT_TRUE(shot.active);
  step(30);
  EXPECT_FALSE(shot.active);
}

}  // namespace
}  // namespace tankstest
