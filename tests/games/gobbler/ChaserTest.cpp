// The chasers: waiting, leaving the house upward, deciding at each covered cell (toward the player, away from
// it while frightened, home as eyes), never turning back but in a dead end, and their pictures.
#include <gtest/gtest.h>

#include "games/gobbler/GobblerObjectsFixture.h"
#include "platform/seam/clock.h"

namespace gobblertest {

using namespace gobbler;

namespace {

// A cross of corridors: row 4 from column 1 to 6 (dead ends at both ends) and column 5 from row 1 to 7; the
// house (r and g under their doors) at the top right, under a corridor along row 1, and the player's start at
// the bottom.
const Map kCross = {
    "1111.0000",  //
    "1111.1##1",  //
    "1111.1rg1",  //
    "000000111",  //
    "1111.1111",  //
    "1111.1111",  //
    "1111p1111",  //
};

// A direction as the test reads it.
struct Way {
  int x, y;
  bool sameAs(int dx, int dy) const { return x == dx && y == dy; }
  bool isZero() const { return x == 0 && y == 0; }
};

class ChaserTest : public GobblerObjectsFixture {
 protected:
  void SetUp() override {
    GobblerObjectsFixture::SetUp();
    startGame({kCross});
    newGame();
    parkChasers();
    player->setPosition(5 * cellWidth, 7 * cellHeight);
  }
  // The chaser's direction after the decision of one update on a cell it came to from `from`.
  static Way decideAt(SpookyBase& c, int column, int row, int fromColumn, int fromRow) {
    putChaser(c, column, row);
    c.lastCell->set(fromColumn, fromRow);
    c.moving = false;
    c.update();
    return {c.direction->x, c.direction->y};
  }
};

}  // namespace

TEST_F(ChaserTest, WaitsThenLeavesUpwardUntilStopped) {
  SpookyBase& c = *chaser1;
  c.waitCounter = 2;
  const int startX = c.position->x, startY = c.position->y;
  c.update();
  c.update();
  EXPECT_EQ(c.position->y, startY);
  // Up through the door and on, no decision, until the wall above the corridor stops it.
  for (int i = 0; i < 20 && c.moving; ++i) c.update();
  EXPECT_EQ(c.position->x, startX);
  EXPECT_LT(c.position->y, 2 * cellHeight);
  EXPECT_TRUE(c.lastCell->sameAs(-1, -1));
  // Stopped, it decides on the next step.
  c.update();
  EXPECT_FALSE(c.lastCell->sameAs(-1, -1));
}

// Whatever the draws give, it never turns back with two ways open, and turns back in a dead end.
TEST_F(ChaserTest, BackOnlyOutOfADeadEnd) {
  SpookyBase& c = *chaser2;
  for (int i = 0; i < 30; ++i) {
    // In the corridor, coming from the left: on and on to the right.
    Way d = decideAt(c, 3, 4, 2, 4);
    EXPECT_TRUE(d.sameAs(1, 0)) << i;
    // At the crossing, from the left: anything but back.
    d = decideAt(c, 5, 4, 4, 4);
    EXPECT_FALSE(d.sameAs(-1, 0)) << i;
    EXPECT_FALSE(d.isZero()) << i;
    // In the dead end it came into: back out.
    d = decideAt(c, 1, 4, 2, 4);
    EXPECT_TRUE(d.sameAs(1, 0)) << i;
  }
}

TEST_F(ChaserTest, ChasingOnThePlayersRowNeverGoesUpOrDownFirst) {
  SpookyBase& c = *chaser2;
  // Player to the left on the same row; the crossing offers left, up and down.
  for (int i = 0; i < 30; ++i) {
    player->setPosition(2 * cellWidth, 4 * cellHeight + 1);
    EXPECT_TRUE(decideAt(c, 5, 4, 6, 4).sameAs(-1, 0)) << i;
  }
  // Player to the right, the only way there the one it came from: the second draw takes any other.
  for (int i = 0; i < 30; ++i) {
    player->setPosition(6 * cellWidth, 4 * cellHeight);
    const Way d = decideAt(c, 5, 4, 6, 4);
    EXPECT_TRUE(d.sameAs(-1, 0) || d.sameAs(0, -1) || d.sameAs(0, 1)) << i;
  }
}

TEST_F(ChaserTest, FarBelowThePlayerItNeverGoesDownFirst) {
  SpookyBase& c = *chaser2;
  player->setPosition(5 * cellWidth, 1 * cellHeight);
  bool sideways = false;
  for (int i = 0; i < 60; ++i) {
    const Way d = decideAt(c, 5, 4, 5, 5);
    EXPECT_FALSE(d.sameAs(0, 1)) << i;
    sideways |= d.x != 0;
  }
  EXPECT_TRUE(sideways);
}

TEST_F(ChaserTest, FrightenedItFlees) {
  SpookyBase& c = *chaser2;
  frightTimer = 100;
  c.frightened = true;
  for (int i = 0; i < 30; ++i) {
    player->setPosition(6 * cellWidth, 4 * cellHeight);
    EXPECT_FALSE(decideAt(c, 5, 4, 5, 5).sameAs(1, 0)) << i;
  }
  // The fright over, it chases again.
  frightTimer = 0;
  c.update();
  EXPECT_FALSE(c.frightened);
}

TEST_F(ChaserTest, EyesGoHomeAndComeBackOut) {
  SpookyBase& c = *chaser1;
  c.eyes = true;
  // Eyes pass the door: from the corridor above it, straight down home.
  putChaser(c, 7, 1);
  int steps = 0;
  while (c.eyes && steps < 40) {
    c.update();
    ++steps;
  }
  EXPECT_FALSE(c.eyes);
  EXPECT_TRUE(c.direction->sameAs(0, -1));
  EXPECT_EQ(c.speed, chaserReturnSpeed);
}

TEST_F(ChaserTest, SpeedsByState) {
  SpookyBase& c = *chaser2;
  struct Case {
    int mode;
    bool frightened, eyes;
    int speed;
  };
  for (const Case& k : {Case{0, false, false, chaserSpeed}, Case{3, false, false, chaserKillModeSpeed},
                        Case{0, true, false, chaserFrightSpeed}, Case{0, false, true, chaserReturnSpeed}}) {
    gameMode = k.mode;
    frightTimer = k.frightened ? 50 : 0;
    c.frightened = k.frightened;
    c.eyes = k.eyes;
    putChaser(c, 3, 4);
    c.update();
    EXPECT_EQ(c.speed, k.speed) << k.mode << k.frightened << k.eyes;
  }
}

TEST_F(ChaserTest, PicturesByStateAndDirection) {
  SpookyBase& c = *chaser4;  // orange: pictures 8 to 11
  struct Case {
    int dx, dy;
    int fright;
    bool frightened, eyes;
    int picture;
  };
  const Case cases[] = {
      {0, 1, 0, false, false, 8},   {0, -1, 0, false, false, 9}, {-1, 0, 0, false, false, 10},
      {1, 0, 0, false, false, 11},  {0, 0, 0, false, false, 8},  {1, 0, 120, true, false, 19},
      {0, 1, 120, true, false, 16}, {0, 1, 84, true, false, 0},  // the last 89 steps flash red: 84 mod 6 = 0
      {0, 1, 87, true, false, 16},                               // 87 mod 6 = 3: not this step
      {-1, 0, 86, false, false, 2},                              // a bold chaser flashes too
      {0, 1, 0, false, true, 20},   {0, -1, 0, false, true, 21}, {1, 0, 0, false, true, 22},
      {-1, 0, 0, false, true, 23},  {0, 0, 0, false, true, 20},
  };
  for (const Case& k : cases) {
    c.direction->set(k.dx, k.dy);
    frightTimer = k.fright;
    c.frightened = k.frightened;
    c.eyes = k.eyes;
    c.chooseFrame();
    EXPECT_EQ(c.frame.get(), (*chaserImages)[k.picture].get())
        << k.dx << "," << k.dy << " fright " << k.fright << " eyes " << k.eyes;
  }
}

// All four draw from the one generator, which every new chaser seeds again from the clock.
TEST_F(ChaserTest, EveryLifeStartsTheSameSequenceOnTheSameClock) {
  auto firstDraws = [] {
    SpookyBasePtr c = new SpookyBase();
    int a = nextNonNegative(), b = nextNonNegative();
    return std::pair{a, b};
  };
  const auto once = firstDraws(), again = firstDraws();
  EXPECT_EQ(once, again);
  platform::advanceManualClock(1);
  EXPECT_NE(firstDraws(), once);
}

}  // namespace gobblertest
