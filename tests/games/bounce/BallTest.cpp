// Balls on their own: the fixed-point step at each brick scale, the speed that keeps a direction about
// 16 long, the paddle's angles, the walls, the bottom and the speed-up; kinds and their looks.
#include <gtest/gtest.h>

#include "games/bounce/BounceObjectsFixture.h"

namespace bouncetest {
namespace {

using namespace bounce;
using gamelib::GameLib;

class BallTest : public BounceObjectsFixture {
 protected:
  void SetUp() override {
    BounceObjectsFixture::SetUp();
    startGame();
  }
};

TEST_F(BallTest, VerticalSpeedByHorizontalSpeed) {
  const int table[][2] = {{0, 16},  {3, 16},  {4, 15}, {6, 15}, {7, 14}, {8, 14}, {9, 13},  {10, 13}, {11, 12},
                          {12, 11}, {13, 10}, {14, 8}, {15, 5}, {16, 2}, {17, 1}, {-15, 5}, {-4, 15}};
  for (const auto& row : table) EXPECT_EQ(ball(0).verticalSpeedFor(row[0]), row[1]) << "dx " << row[0];
}

TEST_F(BallTest, StepScalesWithTheMeanOfBrickWidthAndBase) {
  const struct {
    int brickWidth, speedLevel, dx, dy, x16Delta, y16Delta;
  } cases[] = {
      {14, 2, 0, -16, 0, -32},   // two pixels a step straight up
      {14, 3, 15, -5, 45, -15},  //
      {28, 2, 0, -16, 0, -48},   // scale 21, not 28
      {20, 2, -7, 13, -17, 31},  // scale 17: -238 / 14 and 442 / 14 truncate toward zero
  };
  for (const auto& c : cases) {
    brickWidth = c.brickWidth;
    Ball& b = ball(0);
    b.setPosition(100, 100);
    b.speedLevel = c.speedLevel;
    b.dx = c.dx;
    b.dy = c.dy;
    b.step();
    EXPECT_EQ(b.x16 - 1600, c.x16Delta) << c.brickWidth << " " << c.dx;
    EXPECT_EQ(b.y16 - 1600, c.y16Delta) << c.brickWidth << " " << c.dy;
    EXPECT_EQ(b.x, b.x16 >> 4);
    EXPECT_EQ(b.y, b.y16 >> 4);
  }
}

TEST_F(BallTest, ThePaddleSendsTheBallUpAtAnAngleByWhereItLands) {
  constexpr int kLeft = 100, kRight = 130, kTop = 280, kMiddle = 115;
  const struct {
    int d, dx, dy;
  } cases[] = {{0, -1, -16},   {1, -1, -16}, {-1, -1, -16},  {2, 1, -16},  {10, 5, -15},
               {-10, -5, -15}, {31, 15, -5}, {-31, -15, -5}, {40, 15, -5}, {-40, -15, -5}};
  for (const auto& c : cases) {
    Ball& b = ball(0);
    b.setState(Ball::KIND_NORMAL);
    b.setActive(true);
    b.setPosition(kMiddle + c.d, kTop - b.radius);
    b.dx = 0;
    b.dy = 15;
    b.speedLevel = 2;
    EXPECT_FALSE(b.update(kMiddle, kTop, kLeft - 40, kRight + 40, false));
    EXPECT_EQ(b.dx, c.dx) << "d " << c.d;
    EXPECT_EQ(b.dy, c.dy) << "d " << c.d;
    EXPECT_EQ(b.y, kTop - b.radius);
    EXPECT_TRUE(b.released);
  }
  // A sticky paddle keeps the ball where it landed until it is launched.
  Ball& b = ball(0);
  b.setPosition(kMiddle + 6, kTop - b.radius);
  b.dx = 0;
  b.dy = 15;
  b.update(kMiddle, kTop, kLeft, kRight, true);
  EXPECT_FALSE(b.released);
  EXPECT_EQ(b.stickOffset, 6);
  b.update(kMiddle + 20, kTop, kLeft + 20, kRight + 20, true);
  EXPECT_EQ(b.x, kMiddle + 26);
  EXPECT_EQ(b.y, kTop - b.radius);
}

TEST_F(BallTest, WallsTurnOnlyABallMovingTowardThem) {
  const int right = GameLib::screenWidth - fieldLeft;
  const int topWall = brickList->top;
  const struct {
    const char* name;
    int x, y, dx, dy, dxAfter, dyAfter;
  } cases[] = {
      {"left wall, moving left", fieldLeft + 2, 150, -5, -15, 5, -15},
      {"left wall, already moving right", fieldLeft + 2, 150, 5, -15, 5, -15},
      {"right wall, moving right", right - 2, 150, 5, 15, -5, 15},
      {"right wall, moving left", right - 2, 150, -5, 15, -5, 15},
      {"top wall, moving up", 120, topWall + 2, 1, -16, 1, 16},
      {"top wall, moving down", 120, topWall + 2, 1, 16, 1, 16},
  };
  for (const auto& c : cases) {
    Ball& b = ball(0);
    b.setState(Ball::KIND_NORMAL);
    b.setActive(true);
    b.setPosition(c.x, c.y);
    b.dx = c.dx;
    b.dy = c.dy;
    b.speedLevel = 1;
    b.update(120, 300, 100, 140, false);
    EXPECT_EQ(b.dx, c.dxAfter) << c.name;
    EXPECT_EQ(b.dy, c.dyAfter) << c.name;
  }
  EXPECT_GT(particleCount(PARTICLE_SPARK), 0);
}

TEST_F(BallTest, ABallLeavingTheBottomIsLostAndFastBallsSpeedUp) {
  Ball& b = ball(0);
  b.setActive(true);
  b.setPosition(120, GameLib::screenHeight - 1);
  b.dx = 1;
  b.dy = 16;
  EXPECT_TRUE(b.update(0, 0, 0, 0, false));
  EXPECT_FALSE(b.inPlay);
  EXPECT_TRUE(b.lost);

  b.setActive(true);
  b.setPosition(120, 150);
  b.speedLevel = 2;
  b.speedCounter = 512;
  b.update(0, 300, 0, 0, false);
  EXPECT_EQ(b.speedLevel, 3);
  EXPECT_EQ(b.speedCounter, 0);
}

TEST_F(BallTest, KindsChangeTheirLookAndRadius) {
  const struct {
    int kind;
    void (Ball::*change)();
    int after;
    int radius;
  } cases[] = {
      {Ball::KIND_SMALL, &Ball::ignite, Ball::KIND_FIRE_SMALL, 3},
      {Ball::KIND_FIRE_BIG, &Ball::ignite, Ball::KIND_FIRE_BIG, 5},
      {Ball::KIND_FIRE, &Ball::extinguish, Ball::KIND_NORMAL, 4},
      {Ball::KIND_NORMAL, &Ball::extinguish, Ball::KIND_NORMAL, 4},
      {Ball::KIND_NORMAL, &Ball::grow, Ball::KIND_BIG, 5},
      {Ball::KIND_BIG, &Ball::grow, Ball::KIND_BIG, 5},
      {Ball::KIND_FIRE_BIG, &Ball::grow, Ball::KIND_FIRE_BIG, 5},
      {Ball::KIND_FIRE_SMALL, &Ball::shrink, Ball::KIND_FIRE_SMALL, 3},
      {Ball::KIND_FIRE, &Ball::shrink, Ball::KIND_FIRE_SMALL, 3},
  };
  for (const auto& c : cases) {
    Ball& b = ball(0);
    b.setState(c.kind);
    (b.*c.change)();
    EXPECT_EQ(b.kind, c.after) << c.kind;
    EXPECT_EQ(b.radius, c.radius) << c.kind;
  }
  // Each ball burns with an animation of its own over the shared frames.
  EXPECT_NE(ball(0).fireAnimation.get(), ball(1).fireAnimation.get());
  EXPECT_EQ(ball(0).fireAnimation->frames.get(), fireAnimation->frames.get());
}

}  // namespace
}  // namespace bouncetest
