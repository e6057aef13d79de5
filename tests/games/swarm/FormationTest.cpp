// The formation's places, the rows that may dive, and the choice of the diver.
#include <gtest/gtest.h>

#include <algorithm>

#include "games/swarm/SwarmObjectsFixture.h"

namespace {

using swarm::AlienShip;
using namespace swarm;

class Formation : public swarmtest::SwarmObjectsFixture {};

// With 8 x 8 aliens the rows lie at y = 16, 28, 40, 52 and 64, each alien at its offset from the middle.
TEST_F(Formation, PlacesOfEightByEightAliensOnEvenScreens) {
  startWave();
  const int rowY[] = {16, 28, 40, 52, 64};
  const std::vector<std::vector<int>> offsets = {
      {18, -8}, {-27, -9, 9, 27}, {-27, -9, 9, 27, 45}, {-45, -27, -9, 9, 27, 45}, {-45, -27, -9, 9, 27, 45}};
  for (int s : {176, 240, 480}) {
    screenWidth = s;
    Swarm::placeFormation();
    for (int r = 0; r < 5; ++r) {
      for (int c = 0; c < (*rowLength)[r]; ++c) {
        const AlienShip& a = alien(r, c);
        EXPECT_EQ(a.x - s / 2, offsets[r][c]) << s << " row " << r << " column " << c;
        EXPECT_EQ(a.y, rowY[r]) << s << " row " << r;
        EXPECT_EQ(a.homeX, a.x);
        EXPECT_EQ(a.homeY, a.y);
        // The right half of a row's columns peels off to the right, wherever the alien stands: in the top
        // row column 1 stands left of the middle and column 0 right of it.
        EXPECT_EQ(a.side, c >= (*rowLength)[r] / 2 ? AlienShip::SIDE_RIGHT : AlienShip::SIDE_LEFT) << r << "," << c;
      }
    }
    // The formation sways as far as the room left of its leftmost alien.
    EXPECT_EQ(swayLimit, s / 2 - 45 - 8) << s;
  }
}

// The top row's two aliens climb out by their column's side: column 1, left of the middle, to the right and
// column 0, right of the middle, to the left, so they cross towards each other.
TEST_F(Formation, TopRowClimbsOutTowardsTheMiddle) {
  startWave();
  for (int c : {0, 1}) {
    AlienShip& a = alien(0, c);
    const int startX = a.x;
    a.activate();
    for (int steps = 0; a.state == AlienShip::STATE_CLIMBING && steps < 1000; ++steps) a.updateFlight();
    EXPECT_EQ(a.x > startX, c == 1) << "column " << c;
  }
}

TEST_F(Formation, RowsThatMayDive) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> kept;
    std::vector<int> rows;  // of the candidates, leftmost then rightmost of each row
  } cases[] = {
      {"a full formation: the bottom rows", {}, {3, 3, 4, 4}},
      {"the bottom row has lost an alien: the middle row too",
       {{0, 0}, {1, 0}, {2, 0}, {2, 4}, {3, 0}, {3, 5}, {4, 1}, {4, 5}},
       {2, 2, 3, 3, 4, 4}},
      {"one alien left in a row goes in twice", {{0, 0}, {1, 1}, {3, 2}, {4, 4}}, {3, 3, 4, 4}},
      {"rows 3 and 4 empty: the middle row alone", {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 3}, {2, 2}}, {2, 2}},
      {"rows 2 to 4 empty, more than three left: the second row", {{0, 0}, {0, 1}, {1, 0}, {1, 2}}, {1, 1}},
      {"only the top row left", {{0, 0}, {0, 1}}, {0, 0}},
      {"three left: every row", {{0, 1}, {1, 2}, {4, 3}}, {0, 0, 1, 1, 4, 4}},
  };
  for (const Case& c : cases) {
    startWave();
    if (!c.kept.empty()) leaveOnly(c.kept);
    maxDivers = 99;
    diveTimer = 0;
    game->chooseDiver();
    EXPECT_EQ(candidateRows(), c.rows) << c.what;
  }
}

TEST_F(Formation, FullFormationCandidatesAreTheOuterAliensOfTheBottomRows) {
  startWave();
  maxDivers = 99;
  diveTimer = 0;
  game->chooseDiver();
  const AlienShip* want[] = {&alien(3, 0), &alien(3, 5), &alien(4, 0), &alien(4, 5)};
  for (int i = 0; i < 4; ++i) EXPECT_EQ((*diveCandidates)[i].get(), want[i]) << i;
  // One of them has gone.
  int climbing = 0;
  for (const AlienShip* a : want) climbing += a->state == AlienShip::STATE_CLIMBING ? 1 : 0;
  EXPECT_EQ(climbing, 1);
}

TEST_F(Formation, DivesWaitForTheTimerAndForRoom) {
  startWave(4);
  EXPECT_EQ(maxDivers, 3);
  diveTimer = 0;
  int away = 0;
  // Every step with the timer run out sends one more, up to maxDivers.
  for (int i = 0; i < 10; ++i) {
    diveTimer = 0;
    game->chooseDiver();
    if (away < maxDivers) {
      // The next dive waits about half to one and a half times the delay.
      EXPECT_GE(diveTimer, diveDelayBase - diveDelayRange / 2);
      EXPECT_LE(diveTimer, diveDelayBase + diveDelayRange / 2);
    }
    away = 0;
    for (int a = 0; a < allAliens->length; ++a) away += (*allAliens)[a]->state == AlienShip::STATE_CLIMBING ? 1 : 0;
  }
  EXPECT_EQ(away, 3);
  // A timer still running sends nobody.
  for (int a = 0; a < allAliens->length; ++a) (*allAliens)[a]->state = AlienShip::STATE_FORMATION;
  diveTimer = 31;
  game->chooseDiver();
  EXPECT_EQ(diveTimer, 1);
  for (int a = 0; a < allAliens->length; ++a) EXPECT_EQ((*allAliens)[a]->state, AlienShip::STATE_FORMATION);
}

TEST_F(Formation, WithFewLeftReturningAliensMayGoDownAgainThreeAtATime) {
  startWave();
  leaveOnly({{0, 0}, {2, 2}, {4, 4}});
  for (auto [r, c] : {std::pair{0, 0}, {2, 2}, {4, 4}}) {
    alien(r, c).state = AlienShip::STATE_RETURNING;
    alien(r, c).y = 0;
  }
  maxDivers = 1;
  // Returning aliens are not counted as away, so the dives go on.
  for (int i = 0; i < 60; ++i) {
    diveTimer = 0;
    game->chooseDiver();
  }
  EXPECT_EQ(maxDivers, FEW_ALIENS);
  int climbing = 0;
  for (auto [r, c] : {std::pair{0, 0}, {2, 2}, {4, 4}}) climbing += alien(r, c).state == AlienShip::STATE_CLIMBING;
  EXPECT_EQ(climbing, 3);
}

TEST_F(Formation, ReturningAliensStayPutWhileManyAreLeft) {
  startWave();
  for (auto [r, c] : {std::pair{3, 0}, {3, 5}, {4, 0}, {4, 5}}) alien(r, c).state = AlienShip::STATE_RETURNING;
  maxDivers = 99;
  for (int i = 0; i < 20; ++i) {
    diveTimer = 0;
    game->chooseDiver();
  }
  for (auto [r, c] : {std::pair{3, 0}, {3, 5}, {4, 0}, {4, 5}})
    EXPECT_EQ(alien(r, c).state, AlienShip::STATE_RETURNING);
}

}  // namespace
