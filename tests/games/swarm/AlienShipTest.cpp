// An alien's flight: heading images over slopes, the aim of a dive, the loop, the shots it may fire and
// the shared shot timer, the way home, and its hit box.
#include <gtest/gtest.h>

#include <algorithm>

#include "games/swarm/SwarmObjectsFixture.h"

namespace {

using gamelib::GameLib;
using swarm::AlienShip;
using namespace swarm;

class AlienFlight : public swarmtest::SwarmObjectsFixture {};

TEST(AlienHeading, ImageFacesTheShipBySlope) {
  // Image 0 points down and the index turns clockwise: 4 left, 8 up, 12 right. The bounds between images
  // are the slopes tan 11.25, 33.75, 56.25 and 67.5 degrees.
  struct Case {
    int dx, dy, image;
  } cases[] = {
      {0, 10, 0},     {0, -10, 8},    {10, 0, 0},     {-10, 0, 0},  // straight down or up, and level
      {100, 19, 12},  {100, 20, 13},  {100, 66, 13},  {100, 67, 14},  {100, 149, 14},  {100, 150, 15},
      {100, 241, 15}, {100, 242, 0},  {-100, 19, 4},  {-100, 20, 3},  {-100, 67, 2},   {-100, 150, 1},
      {-100, 242, 0}, {100, -19, 12}, {-100, -19, 4}, {100, -242, 8}, {-100, -150, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(AlienShip::directionTowards(c.dx, c.dy), c.image) << c.dx << "," << c.dy;
}

// With the ship 0 wide a dive aims exactly at the ship's centre.
TEST_F(AlienFlight, DiveAimsAtItsTargetWhenTheClimbEnds) {
  startWave();
  shipWidth = 0;
  struct Case {
    int x, y, targetX;
  } cases[] = {{100, 60, 80}, {100, 60, 140}, {30, 40, 200}, {100, 60, 100}, {150, 100, 20}};
  for (const Case& c : cases) {
    AlienShip& a = alien(4, 0);
    a.state = AlienShip::STATE_CLIMBING;
    a.x = c.x;
    a.y = c.y;
    a.vy = climbSpeedMax;
    shipX = c.targetX;
    a.updateFlight();
    ASSERT_EQ(a.state, AlienShip::STATE_DIVING);
    EXPECT_EQ(a.targetX, c.targetX);
    EXPECT_EQ(a.vy, diveDescentSpeed * 65536);
    // Flying down to the target's height it comes across to the target, to within a pixel.
    const double steps = static_cast<double>(a.targetY - c.y) / diveDescentSpeed;
    EXPECT_NEAR(c.x + a.vx * steps / 65536, c.targetX, 1.0) << c.x << " -> " << c.targetX;
    if (c.targetX == c.x) {
      EXPECT_EQ(a.vx, 0);
    }
  }
}

TEST_F(AlienFlight, DiveLevelWithItsTargetDropsStraightInsteadOfDividingByZero) {
  startWave();
  shipWidth = 0;
  AlienShip& a = alien(4, 0);
  a.state = AlienShip::STATE_CLIMBING;
  a.x = 50;
  a.y = flightHeight;
  a.vy = climbSpeedMax;
  shipX = 150;
  a.updateFlight();
  EXPECT_EQ(a.state, AlienShip::STATE_DIVING);
  EXPECT_EQ(a.vx, 0);
}

TEST_F(AlienFlight, TargetStaysInsideTheFlightArea) {
  startWave();
  shipWidth = 0;
  for (auto [ship, target] : {std::pair{0, alienWidth}, {flightWidth, flightWidth - alienWidth}}) {
    AlienShip& a = alien(3, 2);
    a.state = AlienShip::STATE_CLIMBING;
    a.x = 100;
    a.y = 50;
    a.vy = climbSpeedMax;
    shipX = ship;
    a.updateFlight();
    EXPECT_EQ(a.targetX, target);
  }
}

TEST_F(AlienFlight, ClimbSpinsOutTowardsItsSideThenDives) {
  startWave();
  for (int side : {AlienShip::SIDE_LEFT, AlienShip::SIDE_RIGHT}) {
    AlienShip& a = alien(4, side == AlienShip::SIDE_LEFT ? 0 : 5);
    ASSERT_EQ(a.side, side);
    a.state = AlienShip::STATE_FORMATION;
    a.imageIndex = 0;
    const int startX = a.x;
    a.activate();
    EXPECT_EQ(a.state, AlienShip::STATE_CLIMBING);
    EXPECT_EQ(a.shotsLeft, alienShotsPerDive);
    a.updateFlight();
    // Side 0 turns anticlockwise (image 15 next), side 1 clockwise.
    EXPECT_EQ(a.imageIndex, side == AlienShip::SIDE_LEFT ? 15 : 0);
    int steps = 1;
    while (a.state == AlienShip::STATE_CLIMBING && steps < 1000) {
      a.updateFlight();
      ++steps;
    }
    // It speeds up from full climb to full fall, then one more step turns it into the dive.
    EXPECT_EQ(steps, (2 * climbSpeedMax + climbAcceleration - 1) / climbAcceleration + 1);
    EXPECT_EQ(side == AlienShip::SIDE_LEFT, a.x < startX) << "out towards its own side";
  }
}

TEST_F(AlienFlight, LoopingAlienCannotLeaveUntilItsLoopEndsWithItsShotsBack) {
  startWave();
  // Low enough that the bottom of its loop lies past the flight area, high enough to come back into it.
  AlienShip& a = diver(4, 0, 100, flightHeight - 150, 0, diveDescentSpeed * 65536, AlienShip::DIVE_LOOPING);
  a.shotsLeft = 0;
  int lowest = a.y;
  while (a.diveMode == AlienShip::DIVE_LOOPING) {
    a.updateFlight();
    lowest = std::max(lowest, a.y);
    ASSERT_EQ(a.state, AlienShip::STATE_DIVING) << "left the screen inside its loop";
  }
  EXPECT_GE(lowest, flightHeight);
  EXPECT_LT(a.y, flightHeight);
  EXPECT_EQ(a.shotsLeft, alienShotsPerDive);
  // Out of the loop it falls again and leaves at the bottom, back into the formation from the top.
  for (int i = 0; i < 2000 && a.state == AlienShip::STATE_DIVING; ++i) a.updateFlight();
  EXPECT_EQ(a.state, AlienShip::STATE_RETURNING);
  EXPECT_EQ(a.y, -alienHeight);
  EXPECT_EQ(a.x, a.homeX + swayOffset);
}

TEST_F(AlienFlight, ShotTimerRunsDownOncePerDivingAlien) {
  startWave();
  alienShotTimer = ALIEN_SHOT_INTERVAL;
  diver(4, 0, 40, 200, 0, 65536, AlienShip::DIVE_STRAIGHT).updateFlight();
  diver(4, 5, 200, 200, 0, 65536, AlienShip::DIVE_STRAIGHT).updateFlight();
  EXPECT_EQ(alienShotTimer, ALIEN_SHOT_INTERVAL - 2 * GameLib::kStepMs);
}

TEST_F(AlienFlight, FiresOnlyIntoAFreeSlotAndKeepsItsShotsOtherwise) {
  startWave();
  AlienShip& a = diver(4, 0, shipX, 20, 0, 0, AlienShip::DIVE_STRAIGHT);
  for (int i = 0; i < enemyShots->length; ++i) (*enemyShots)[i][0] = 5;
  for (int i = 0; i < 200; ++i) {
    alienShotTimer = 0;
    a.updateFlight();
  }
  EXPECT_EQ(a.shotsLeft, alienShotsPerDive);

  // Slot 3 free: over the ship it soon fires there, from its centre, and the shared timer restarts.
  (*enemyShots)[3][0] = NONE;
  for (int i = 0; i < 200 && a.shotsLeft == alienShotsPerDive; ++i) {
    alienShotTimer = 0;
    a.updateFlight();
  }
  EXPECT_EQ(a.shotsLeft, alienShotsPerDive - 1);
  EXPECT_EQ((*enemyShots)[3][0], a.x);
  EXPECT_EQ((*enemyShots)[3][1], a.y);
  EXPECT_EQ(alienShotTimer, ALIEN_SHOT_INTERVAL);
}

TEST_F(AlienFlight, NoShotsFromTheLowerHalfOfTheScreen) {
  startWave();
  AlienShip& a = diver(4, 0, shipX, screenHeight / 2, 0, 0, AlienShip::DIVE_STRAIGHT);
  for (int i = 0; i < 200; ++i) {
    alienShotTimer = 0;
    a.y = screenHeight / 2;
    a.fy = a.y * 65536;
    a.updateFlight();
  }
  EXPECT_EQ(a.shotsLeft, alienShotsPerDive);
}

TEST_F(AlienFlight, ReturningAlienComesDownIntoItsSlot) {
  startWave();
  AlienShip& a = alien(2, 1);
  a.state = AlienShip::STATE_RETURNING;
  a.y = -alienHeight;
  a.imageIndex = 0;
  const int steps = a.homeY + alienHeight;
  for (int i = 0; i < steps; ++i) a.updateFlight();
  EXPECT_EQ(a.y, a.homeY);
  EXPECT_EQ(a.state, AlienShip::STATE_RETURNING);
  a.updateFlight();
  EXPECT_EQ(a.state, AlienShip::STATE_FORMATION);
}

TEST_F(AlienFlight, HitBoxIsThePictureLessTheMarginAndTouchingCounts) {
  startWave();
  AlienShip& a = alien(4, 0);
  a.x = 50;
  a.y = 60;
  // 8 x 8 picture from 46 to 54 across and 56 to 64 down; the margin of 2 leaves 48..52 and 58..62.
  ASSERT_EQ(hitMargin, 2);
  struct Case {
    int x, y, w, h;
    bool hit;
  } cases[] = {
      {52, 60, 3, 1, true},  {53, 60, 3, 1, false}, {45, 60, 3, 1, true},  {44, 60, 3, 1, false},  {50, 62, 1, 5, true},
      {50, 63, 1, 5, false}, {50, 53, 1, 5, true},  {50, 52, 1, 5, false}, {40, 50, 30, 30, true}, {49, 59, 1, 1, true},
  };
  for (const Case& c : cases) {
    a.state = AlienShip::STATE_FORMATION;
    EXPECT_EQ(a.hitTest(c.x, c.y, c.w, c.h), c.hit ? 1 : 0) << c.x << "," << c.y << " " << c.w << "x" << c.h;
    EXPECT_EQ(a.state, c.hit ? AlienShip::STATE_EXPLODING : AlienShip::STATE_FORMATION);
  }
}

TEST_F(AlienFlight, AliensOfARowDoNotBeatTheirWingsInStep) {
  startWave();
  bool differ = false;
  for (int c = 1; c < (*rowLength)[4]; ++c) {
    differ |= alien(4, c).formationAnimation->currentFrame != alien(4, 0).formationAnimation->currentFrame;
  }
  EXPECT_TRUE(differ);
}

}  // namespace
