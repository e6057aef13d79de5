// The guards' pursuit: the distance search from the hero, spread over world updates, and each guard's
// choice of a neighbour one move closer.
#include <gtest/gtest.h>

#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;

class ClimberPursuitTest : public ClimberObjectsFixture {
 protected:
  // A guard standing in a cell, about to choose its way.
  static Runner& guardAt(int e, int column, int row) {
    Runner& g = guard(e);
    g.column = column;
    g.row = row;
    g.cell = column + mapWidth * row;
    g.offsetX = g.offsetY = 0;
    g.state = Runner::STANDING;
    g.timer = 0;
    g.cellChanged = false;
    g.directionX = g.directionY = 0;
    return g;
  }
};

// A corridor of 50 cells: the restart only seeds the search, then each update adds 20 generations.
TEST_F(ClimberPursuitTest, TheSearchRestartsFromTheHeroAndGrowsTwentyCellsAnUpdate) {
  std::vector<std::string> map = {std::string(50, '.'), std::string(50, '#')};
  map[0][0] = 'P';
  map[0][49] = 'E';
  map[0][48] = '$';
  playLevel(map);
  restartSearch = true;
  Climber::updateDistances();
  EXPECT_FALSE(restartSearch);
  EXPECT_EQ(distance(0, 0), 0);
  EXPECT_EQ(distance(1, 0), -1);
  Climber::updateDistances();
  EXPECT_EQ(distance(20, 0), 20);
  EXPECT_EQ(distance(21, 0), -1);
  Climber::updateDistances();
  EXPECT_EQ(distance(40, 0), 40);
  EXPECT_EQ(distance(41, 0), -1);
  // Bricks are never reached.
  EXPECT_EQ(distance(5, 1), -1);
}

// A guard walking off a ledge falls to the floor in one move, however high the ledge.
TEST_F(ClimberPursuitTest, AFallIsOneMove) {
  playLevel({"A.......",  //
             "####....",  //
             "........",  //
             "........",  //
             "P.....$E",  //
             "########"});
  restartSearch = true;
  for (int i = 0; i < 2; ++i) Climber::updateDistances();
  EXPECT_EQ(distance(4, 4), 4);
  // Beside the ledge's end, four rows up: one move from the floor below.
  EXPECT_EQ(distance(4, 0), 5);
  EXPECT_EQ(distance(3, 0), 6);
  // Open air with nothing to stand on beside it is no place a guard comes from.
  EXPECT_EQ(distance(6, 0), -1);
}

TEST_F(ClimberPursuitTest, GuardsChooseDownUpRightLeftInThatOrder) {
  playLevel({"..A....E",  //
             "####H###",  //
             "....H...",  //
             "P...H..$",  //
             "########"});
  // Distances by hand, so the choices are what is tested.
  nuv::lang::DshortArray& d = *(*distanceTable)[0];
  for (int i = 0; i < d.length; ++i) d[i] = -1;
  auto set = [&](int column, int row, int value) { d[column + mapWidth * row] = static_cast<int16_t>(value); };
  struct Case {
    const char* what;
    int column, row;
    std::vector<std::tuple<int, int, int>> distances;
    int state, directionX, directionY;
  } cases[] = {
      {"below first", 4, 2, {{4, 2, 5}, {4, 3, 4}, {4, 1, 4}, {5, 2, 4}}, Runner::CLIMBING, 0, 1},
      {"then up a ladder", 4, 2, {{4, 2, 5}, {4, 1, 4}, {5, 2, 4}, {3, 2, 4}}, Runner::CLIMBING, 0, -1},
      {"then right", 2, 0, {{2, 0, 5}, {3, 0, 4}, {1, 0, 4}}, Runner::WALKING, 1, 0},
      {"then left", 2, 0, {{2, 0, 5}, {1, 0, 4}}, Runner::WALKING, -1, 0},
      {"nothing closer", 2, 0, {{2, 0, 5}, {1, 0, 5}, {3, 0, 6}}, Runner::STANDING, 0, 0},
      // Above an ordinary cell is no way up: without a ladder the guard cannot climb.
      {"no climbing without a ladder", 6, 2, {{6, 2, 5}, {6, 1, 4}}, Runner::STANDING, 0, 0},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < d.length; ++i) d[i] = -1;
    for (const auto& [column, row, value] : c.distances) set(column, row, value);
    Runner& g = guardAt(0, c.column, c.row);
    Climber::stepEnemy(g);
    EXPECT_EQ(g.state, c.state) << c.what;
    EXPECT_EQ(g.directionX, c.directionX) << c.what;
    EXPECT_EQ(g.directionY, c.directionY) << c.what;
    EXPECT_EQ(g.lastDistance, 5) << c.what;
  }
}

TEST_F(ClimberPursuitTest, AConfusedGuardTurnsItsHorizontalChoicesAbout) {
  playLevel({"..A....E", "####H###", "....H...", "P...H..$", "########"});
  nuv::lang::DshortArray& d = *(*distanceTable)[0];
  for (int i = 0; i < d.length; ++i) d[i] = -1;
  d[2] = 5;
  d[1] = 4;
  d[4 + 2 * mapWidth] = 5;
  d[4 + 3 * mapWidth] = 4;
  Runner& g = guardAt(0, 2, 0);
  g.state = Runner::WALKING;
  g.timer = 2 * confusedTime;
  g.cellChanged = true;
  Climber::stepEnemy(g);
  EXPECT_EQ(g.directionX, 1);
  // Vertical choices are kept.
  Runner& climber = guardAt(0, 4, 2);
  climber.state = Runner::CLIMBING;
  climber.timer = 2 * confusedTime;
  climber.cellChanged = true;
  Climber::stepEnemy(climber);
  EXPECT_EQ(climber.directionY, 1);
}

TEST_F(ClimberPursuitTest, AGuardTheSearchHasNotReachedWanders) {
  playLevel({"..A....E", "########", "P......$", "########"});
  nuv::lang::DshortArray& d = *(*distanceTable)[0];
  for (int i = 0; i < d.length; ++i) d[i] = -1;
  Runner& g = guardAt(0, 2, 0);
  Climber::stepEnemy(g);
  EXPECT_EQ(g.state, Runner::WALKING);
  EXPECT_NE(g.directionX, 0);
  const int first = g.directionX;
  g.state = Runner::STANDING;
  Climber::stepEnemy(g);
  EXPECT_EQ(g.directionX, -first);
}

TEST_F(ClimberPursuitTest, GuardsReachTheHeroAcrossTheMap) {
  playLevel({".A.......E",  //
             "#####H####",  //
             ".....H....",  //
             ".....H....",  //
             "P.......$.",  //
             "##########"});
  for (int n = 0; n < 400 && gameState == STATE_PLAYING; ++n) worldUpdate();
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(lives, kStartLives - 1);
}

}  // namespace
}  // namespace climbertest
