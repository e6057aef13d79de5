// The canyon game's playing step: speeds, fuel and refuelling, the time a new plane cannot be hit, crashes
// and new planes at the checkpoint, the lives, and the end of a level and of the game.
#include <gtest/gtest.h>

#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/canyon/CanyonObjectsFixture.h"

namespace canyontest {
namespace {

using namespace canyon;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

class CanyonPlay : public CanyonObjectsFixture {
 protected:
  // Eight screens of the usual channel, and a second level of two.
  void startLevels() {
    start({screenOf({}), screenOf({}), screenOf({})}, {{0, 1, 2, 0, 1, 2, 0, 1}, {0, 1}});
    startRun();
  }
  static void press(int action) { ScreenCanvas::held[action] = true; }
  // Steps until the plane's explosion has ended (it advances as it is drawn).
  void untilExploded() {
    for (int i = 0; i < 100 && planeState == PLANE_EXPLODING && gameState == STATE_PLAYING; ++i) step();
  }
};

TEST_F(CanyonPlay, UpAndDownChangeTheSpeedByOneStepAroundTheBase) {
  startLevels();
  struct Case {
    int from, action, to;
  } cases[] = {
      {kBase, GameAction::Up, kBase + 1},       {kBase + 1, GameAction::Up, kBase + 1},
      {kBase + 1, GameAction::Down, kBase},     {kBase, GameAction::Down, kBase - 1},
      {kBase - 1, GameAction::Down, kBase - 1}, {kBase - 1, GameAction::Up, kBase},
      {kBase, GameAction::Special1, kBase + 1}, {kBase, GameAction::Special2, kBase - 1},
  };
  for (const Case& c : cases) {
    speed = c.from;
    press(c.action);
    step();
    EXPECT_EQ(speed, c.to) << c.from << " " << c.action;
    // Taken once per press.
    EXPECT_FALSE(ScreenCanvas::held[c.action]);
  }
}

TEST_F(CanyonPlay, FuelBurnsWithTheSpeedAndADepotFillsItTenAStep) {
  startLevels();
  beVulnerable();
  struct Case {
    int speed, burn;
  } cases[] = {{kBase - 1, 2}, {kBase, 4}, {kBase + 1, 6}};
  for (const Case& c : cases) {
    fuel = 1000;
    speed = c.speed;
    step();
    EXPECT_EQ(fuel, 1000 - c.burn) << c.speed;
  }
  // A full tank lasts 500 steps at the base speed.
  fuel = kFullFuel;
  speed = kBase;
  steps(500);
  EXPECT_EQ(fuel, 0);
  EXPECT_EQ(planeState, PLANE_FLYING);
  step();
  EXPECT_EQ(planeState, PLANE_EXPLODING);
  EXPECT_EQ(lives, kStartLives - 1);

  // Over a depot: 10 in, 4 burnt a step.
  game->resetPlane(rowsDrawn);
  beVulnerable();
  fuel = 1000;
  Entity& depot = place(data::CODE_FUEL, hitX() - 4, hitTop() + 40);
  int over = 0;
  for (int i = 0; i < 40; ++i) {
    const int before = fuel;
    step();
    if (fuel - before == 6) ++over;
  }
  EXPECT_GT(over, 5);
  EXPECT_EQ(fuel, 1000 - 40 * 4 + over * 10);
  EXPECT_EQ(depot.state, Entity::STATE_ALIVE);
}

TEST_F(CanyonPlay, ANewPlaneCannotBeHitForItsFirst120Steps) {
  // A river that ends in a wall of bank four rows above the start, and a ship in the way.
  datakit::CanyonScreen start = screenOf({});
  for (int c = 0; c < 22; ++c) start[static_cast<size_t>((25 - 9) * 22 + c)] = {0, 0xFF, 0xFF};
  this->start({start, screenOf({})}, {{0, 1, 1, 1, 1, 1}});
  startRun();
  fuel = 0;
  Entity& ship = place(12, hitX() - 2, hitTop() + 12);
  ship.speed = 0;
  Entity& gun = place(7, hitX() + 40, hitTop() + 2);
  int crashedAt = -1;
  for (int i = 1; i <= 130 && crashedAt < 0; ++i) {
    fuel = -5;
    // The gun keeps up with the plane, firing straight at it.
    gun.y = hitTop() + 2;
    gun.shotState = Entity::SHOT_FLYING;
    gun.shotStartX = gun.shotX = hitX() + 6;
    gun.shotY = hitTop() - 2;
    step();
    if (planeState == PLANE_EXPLODING) crashedAt = i;
  }
  EXPECT_EQ(crashedAt, kInvulnerableSteps + 1);
  // The ship met in that time was destroyed, the plane flew on.
  EXPECT_EQ(ship.state, Entity::STATE_GONE);
  EXPECT_EQ(score, 200);
}

TEST_F(CanyonPlay, AFlightIntoTheBankCostsAPlaneThatStartsAgainAtTheCheckpoint) {
  startLevels();
  beVulnerable();
  const int start = checkpointRow;
  EXPECT_EQ(start, kViewRows + 1);
  // Fly far up the river, past a destroyed bridge.
  steps(100);
  Entity& bridge = place(0, 64, planeY + 8);
  bridge.state = Entity::STATE_GONE;
  steps(10);
  ASSERT_EQ(bridge.state, Entity::STATE_PASSED);
  const int checkpoint = checkpointRow;
  EXPECT_GT(checkpoint, start);
  // Into the left bank.
  for (int i = 0; i < 200 && planeState == PLANE_FLYING; ++i) {
    press(GameAction::Left);
    step();
  }
  ScreenCanvas::held[GameAction::Left] = false;
  ASSERT_EQ(planeState, PLANE_EXPLODING);
  EXPECT_EQ(lives, kStartLives - 1);
  untilExploded();
  EXPECT_EQ(planeState, PLANE_FLYING);
  EXPECT_EQ(viewTop, checkpoint * kCell);
  EXPECT_EQ(planeX, (kRiverWidth - kPlaneW) / 2);
  EXPECT_EQ(fuel, kFullFuel);
  EXPECT_EQ(invulnerableCounter, 0);
  // The bridge stays as it was.
  EXPECT_EQ(bridge.state, Entity::STATE_PASSED);
}

TEST_F(CanyonPlay, FourPlanesInAllThenTheGameIsOver) {
  startLevels();
  int planes = 1;
  while (gameState == STATE_PLAYING && planes < 10) {
    beVulnerable();
    fuel = -1;
    step();
    ASSERT_EQ(planeState, PLANE_EXPLODING);
    untilExploded();
    if (gameState == STATE_PLAYING) ++planes;
  }
  EXPECT_EQ(planes, 4);
  EXPECT_EQ(lives, -1);
  EXPECT_EQ(gameState, STATE_GAME_OVER);
}

TEST_F(CanyonPlay, AtTheRiversEndThePlaneFliesOutAndTheNextLevelOpens) {
  startLevels();
  // The game's own menu is not made here; the level-end step needs none.
  openLevel = 1;
  int n = 0;
  while (gameState == STATE_PLAYING && n++ < 2000) {
    beVulnerable();
    fuel = kFullFuel;
    step();
  }
  ASSERT_EQ(gameState, STATE_LEVEL_END);
  EXPECT_EQ(rowsDrawn, totalRows);
  const int top = viewTop;
  int flights = 0;
  while (gameState == STATE_LEVEL_END && flights++ < 200) {
    game->update();
    EXPECT_EQ(viewTop, top);
  }
  EXPECT_EQ(gameState, STATE_GET_READY);
  EXPECT_EQ(levelIndex, 1);
  EXPECT_EQ(openLevel, 2);
  EXPECT_EQ(gamelib::GameMenu::loadOption(gameKey + u"openlevel", 0), 2);
  // A share of the enemies grows with the level: 10 + 60 * 1 / 2.
  EXPECT_EQ(presencePercent, 40);

  // After the last level: the game is complete and starts over at level 1.
  startRun(1);
  n = 0;
  while (gameState == STATE_PLAYING && n++ < 2000) {
    beVulnerable();
    fuel = kFullFuel;
    step();
  }
  while (gameState == STATE_LEVEL_END && flights++ < 400) game->update();
  EXPECT_EQ(gameState, STATE_GAME_COMPLETE);
  EXPECT_EQ(levelIndex, 0);
  EXPECT_EQ(openLevel, 2);
}

TEST_F(CanyonPlay, ARunLeavesOutMostEnemiesOnTheFirstLevelButNeverBridgesOrDepots) {
  std::vector<std::string> rows;
  for (int r = 0; r < 24; ++r) rows.push_back(r % 4 == 0 ? "....~S~~S~~S~~F~~....." : kChannel);
  rows[21] = "=====B~~~~~~~~~~======";
  start({screenOf(rows), screenOf(rows)}, {{0, 1}});
  levelIndex = 0;
  presencePercent = 10;
  ASSERT_TRUE(game->startRun());
  int ships = 0, present = 0;
  for (int i = 0; i < entities->length; ++i) {
    const Entity& e = *(*entities)[i];
    if (e.type == data::CODE_FUEL || e.type == data::CODE_BRIDGE) {
      EXPECT_EQ(e.state, Entity::STATE_ALIVE);
      continue;
    }
    ++ships;
    present += e.state == Entity::STATE_ALIVE ? 1 : 0;
  }
  EXPECT_EQ(ships, 36);
  EXPECT_GE(present, 1);
  EXPECT_LE(present, 9);
  // The list runs from the bottom of the level up.
  for (int i = 1; i < entities->length; ++i) EXPECT_LE((*entities)[i - 1]->y, (*entities)[i]->y);
}

}  // namespace
}  // namespace canyontest
