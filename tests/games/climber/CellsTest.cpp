// What arriving in a cell does: gold and the exit, handrails, falls, holes with their timed life and their
// scores, trapped guards that carry the hero and drop gold, and the hero's digging.
#include <gtest/gtest.h>

#include "gamelib/ScreenCanvas.h"
#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

class ClimberCellsTest : public ClimberObjectsFixture {
 protected:
  static void place(Runner& r, int column, int row) {
    r.column = column;
    r.row = row;
    r.cell = column + mapWidth * row;
    r.offsetX = r.offsetY = 0;
    r.cellChanged = false;
  }
  // The hero dug once, then the world updates until the hole's cell is `want` or `limit` updates passed;
  // the number of updates taken.
  int updatesUntil(int column, int row, char want, int limit) {
    for (int n = 1; n <= limit; ++n) {
      worldUpdate();
      if (cellAt(column, row) == want) return n;
    }
    return -1;
  }
};

TEST_F(ClimberCellsTest, TheLastGoldOpensTheExitAndEnteringItEndsTheLevel) {
  playLevel({"P$.$E", "#####"});
  worldUpdate();
  EXPECT_EQ(goldLeft, 2);
  place(hero(), 1, 0);
  Climber::enterCell(hero());
  EXPECT_EQ(score, goldScore);
  EXPECT_EQ(cellAt(1, 0), '.');
  EXPECT_EQ(cellAt(4, 0), 'X');
  place(hero(), 3, 0);
  Climber::enterCell(hero());
  EXPECT_EQ(goldLeft, 0);
  EXPECT_EQ(cellAt(4, 0), 'E');
  place(hero(), 4, 0);
  Climber::enterCell(hero());
  EXPECT_EQ(level, 2);
}

TEST_F(ClimberCellsTest, GuardsPassOverGoldButTakeDroppedGoldWithoutScoring) {
  playLevel({"P$GA.E", "######"});
  place(guard(0), 1, 0);
  Climber::enterCell(guard(0));
  EXPECT_EQ(cellAt(1, 0), '$');
  place(guard(0), 2, 0);
  Climber::enterCell(guard(0));
  EXPECT_EQ(cellAt(2, 0), '.');
  EXPECT_EQ(score, 0);
  EXPECT_EQ(goldLeft, 1);
}

TEST_F(ClimberCellsTest, AHandrailHoldsARunnerAndNothingUnderfootStartsAFall) {
  playLevel({"P.-.E$", "#....#", "######", "#A####"});
  Runner& h = hero();
  place(h, 2, 0);
  h.state = Runner::WALKING;
  Climber::enterCell(h);
  EXPECT_EQ(h.state, Runner::HANGING);
  place(h, 3, 0);
  Climber::enterCell(h);
  EXPECT_EQ(h.state, Runner::FALLING);
  // A guard standing still keeps standing on a handrail's cell.
  Runner& g = guard(0);
  g.isEnemy = true;
  place(g, 2, 0);
  g.state = Runner::STANDING;
  Climber::enterCell(g);
  EXPECT_EQ(g.state, Runner::STANDING);
}

TEST_F(ClimberCellsTest, DiggingNeedsABrickBelowWithRoomBesideTheHero) {
  struct Case {
    const char* what;
    char beside;  // the cell at the hero's row, in the way he faces
    char target;  // the cell below that
    bool dug;
  } cases[] = {
      {"beside empty", '.', '#', true},     {"beside a handrail", '-', '#', true},  {"beside a hole", 'd', '#', true},
      {"beside a ladder", 'H', '#', false}, {"beside gold", '$', '#', false},       {"beside a brick", '#', '#', false},
      {"armour below", '.', 'B', false},    {"false brick below", '.', '~', false},
  };
  for (const Case& c : cases) {
    std::string top = "P?..E$", floor = "#?####";
    top[1] = c.beside;
    floor[1] = c.target;
    playLevel({top, floor, "######"});
    hero().directionX = 1;
    Climber::dig();
    EXPECT_EQ(cellAt(1, 1) == 'D', c.dug) << c.what;
    EXPECT_EQ(hero().state == Runner::DIGGING, c.dug) << c.what;
    game->leave();
  }
  // Facing left at the map's edge there is nothing to dig.
  playLevel({"P...E$", "######"});
  hero().directionX = -1;
  Climber::dig();
  EXPECT_EQ(hero().state, Runner::REAPPEARING);
}

TEST_F(ClimberCellsTest, AHoleOpensStaysOpenClosesAndBuriesTheGuardsInIt) {
  // Two guards shut in brick below, out of the way until they are needed.
  playLevel({"P....E$", "#######", "#A#A###", "#######"});
  worldUpdate();
  hero().directionX = 1;
  Climber::dig();
  ASSERT_EQ(cellAt(1, 1), 'D');
  // 'D' while it melts: four updates; then open.
  EXPECT_EQ(updatesUntil(1, 1, 'd', 10), 4);
  // 'D' again in its last 200 ms, then brick. 8000 ms are 133 updates of 60 ms and a bit: below 200 ms
  // left after update 131.
  EXPECT_EQ(updatesUntil(1, 1, 'D', 200), 131 - 4);
  for (int e = 0; e < 2; ++e) {
    Runner& g = guard(e);
    g.isEnemy = true;
    place(g, 1, 1);
    g.state = Runner::TRAPPED;
    g.timer = trappedTime * 10;
  }
  enemyCount = 2;
  const int before = score;
  EXPECT_EQ(updatesUntil(1, 1, '#', 10), 134 - 131);
  EXPECT_EQ(score - before, 2 * enemyScore);
  EXPECT_EQ(guard(0).state, Runner::BURIED);
  // Buried by the hole's update, then its own step of the same world update counts down.
  EXPECT_EQ(guard(1).timer, buriedTime - timeStep);
}

TEST_F(ClimberCellsTest, AHoleClosingOnTheHeroCostsALife) {
  playLevel({"P....E$", "#######", "#######"});
  worldUpdate();
  hero().directionX = 1;
  Climber::dig();
  place(hero(), 1, 1);
  hero().state = Runner::STANDING;
  for (int n = 0; n < 140 && gameState == STATE_PLAYING; ++n) worldUpdate();
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(lives, kStartLives - 1);
  // The level starts again from its file.
  EXPECT_EQ(cellAt(1, 1), '#');
  EXPECT_EQ(hero().cell, 0);
}

// An untouchable hero keeps his life in a closing hole: it turns to brick around him and stays in use,
// the world stands still while he is in it, and he can still walk out.
TEST_F(ClimberCellsTest, AnUntouchableHeroWalksOutOfAClosedHole) {
  playLevel({"P.....E$", "##.#####", "#######A", "########"});
  worldUpdate();
  invulnerable = true;
  hero().directionX = 1;
  Climber::dig();
  place(hero(), 1, 1);
  hero().state = Runner::STANDING;
  for (int n = 0; n < 140 && cellAt(1, 1) != '#'; ++n) worldUpdate();
  ASSERT_EQ(cellAt(1, 1), '#');
  EXPECT_EQ(gameState, STATE_PLAYING);
  EXPECT_EQ(lives, kStartLives);
  // The guard, shut in brick, counts down only while the world moves.
  guard(0).state = Runner::REAPPEARING;
  const int guardTimer = guard(0).timer = 100 * timeStep;
  ScreenCanvas::held[GameAction::Right] = true;
  worldUpdate();
  EXPECT_EQ(guard(0).timer, guardTimer);
  EXPECT_GT(hero().offsetX, 0);
  // Out of it, the hole's row is freed and the world moves again.
  for (int n = 0; n < 2; ++n) worldUpdate();
  ScreenCanvas::held[GameAction::Right] = false;
  EXPECT_EQ(hero().column, 2);
  EXPECT_EQ((*(*holeTable)[0])[HOLE_CELL], -1);
  EXPECT_LT(guard(0).timer, guardTimer);
}

TEST_F(ClimberCellsTest, AGuardFallingIntoAHoleIsTrappedAndCarriesTheHero) {
  playLevel({"P..A.E$", "#######", "#######"});
  worldUpdate();
  hero().directionX = 1;
  Climber::dig();
  Runner& g = guard(0);
  g.state = Runner::WALKING;
  place(g, 1, 0);
  Climber::enterCell(g);
  ASSERT_EQ(g.state, Runner::FALLING);
  for (int i = 0; i < 5 && g.state == Runner::FALLING; ++i) {
    g.stepVertical(1, true);
    if (g.cellChanged) {
      g.cellChanged = false;
      Climber::enterCell(g);
    }
  }
  EXPECT_EQ(g.state, Runner::TRAPPED);
  EXPECT_EQ(g.cell, 1 + mapWidth);
  EXPECT_EQ(g.timer, trappedTime);
  // The hero walks over the trapped guard without falling.
  place(hero(), 1, 0);
  hero().state = Runner::WALKING;
  Climber::enterCell(hero());
  EXPECT_EQ(hero().state, Runner::WALKING);
  EXPECT_EQ(gameState, STATE_PLAYING);
}

// A trapped guard drops its gold into empty air above the hole only: a handrail, a ladder or a hole there
// stays as it is.
TEST_F(ClimberCellsTest, ATrappedGuardDropsGoldOnlyIntoEmptyAirAbove) {
  for (char above : {'.', '-', 'H', 'd'}) {
    playLevel({"P.....E$", "#######A", "########"});
    Runner& g = guard(0);
    int dropped = 0;
    // One time in eight: forty falls into the hole drop gold a few times.
    for (int fall = 0; fall < 40; ++fall) {
      (*cells)[2] = static_cast<char16_t>(above == '.' ? ' ' : above);
      (*cells)[2 + mapWidth] = data::kOpenHole;
      g.state = Runner::FALLING;
      place(g, 2, 1);
      Climber::enterCell(g);
      ASSERT_EQ(g.state, Runner::TRAPPED);
      dropped += cellAt(2, 0) == 'G' ? 1 : 0;
      if (above != '.') {
        EXPECT_EQ(cellAt(2, 0), above);
      }
    }
    if (above == '.') {
      EXPECT_GT(dropped, 0);
    }
    game->leave();
  }
}

TEST_F(ClimberCellsTest, ATrappedGuardTurnsAboutAtTheEndAndClimbsOut) {
  playLevel({"P.A...E$", "########", "########"});
  Runner& g = guard(0);
  (*cells)[4 + mapWidth] = data::kOpenHole;
  place(g, 4, 1);
  Climber::enterCell(g);
  g.directionX = 1;
  int turns = 0, updates = 0;
  for (int last = g.directionX; g.state == Runner::TRAPPED && updates < 100; ++updates) {
    Climber::stepEnemy(g);
    if (g.directionX != last) ++turns;
    last = g.directionX;
  }
  EXPECT_EQ(updates, trappedTime / timeStep + 1);
  // Every update of its last 800 ms.
  EXPECT_EQ(turns, 13);
  EXPECT_EQ(g.state, Runner::STANDING);
  EXPECT_EQ(g.row, 0);
}

// A buried guard comes up through the bricks above it, and stops at the map's top row.
TEST_F(ClimberCellsTest, ABuriedGuardRisesThroughBricksToTheTopRowAtMost) {
  playLevel({"###....E", "###..PA$", "########", "########"});
  Runner& g = guard(0);
  g.isEnemy = true;
  enemyCount = 1;
  place(g, 1, 2);
  g.state = Runner::BURIED;
  g.timer = 0;
  Climber::stepEnemy(g);
  EXPECT_EQ(g.row, 0);
  EXPECT_EQ(g.cell, 1);
  EXPECT_EQ(g.state, Runner::REAPPEARING);
}

}  // namespace
}  // namespace climbertest
