// The ball step through the brick field: rays against cell edges, the nearest hit and its tie rule,
// rebounds by ball and brick, and balls that meet nothing.
#include <gtest/gtest.h>

#include "games/bounce/BounceObjectsFixture.h"

namespace bouncetest {
namespace {

using namespace bounce;

class BallStepTest : public BounceObjectsFixture {
 protected:
  // One ray of the scratch, in 1/16 pixel.
  void setRay(int ray, int x0, int y0, int x1, int y1) {
    (*game->rayStartX)[ray] = x0;
    (*game->rayStartY)[ray] = y0;
    (*game->rayEndX)[ray] = x1;
    (*game->rayEndY)[ray] = y1;
    (*game->noHit)[ray] = true;
  }
};

TEST_F(BallStepTest, RaysCrossCellEdgesOnlyStrictlyInside) {
  startWithRound({});
  BrickList& field = *brickList;
  const int left = field.columnLeft(4), right = field.columnRight(4);
  const int top = field.rowTop(6), bottom = field.rowBottom(6);
  const int midX = (left + right) / 2, midY = (top + bottom) / 2;
  const struct {
    const char* name;
    int edge, x0, y0, x1, y1;
    bool crosses;
    int hitX, hitY;
  } cases[] = {
      {"up through the bottom", 0, midX, bottom + 40, midX, bottom - 40, true, midX, bottom},
      {"up, stopping short", 0, midX, bottom + 40, midX, bottom + 1, false, 0, 0},
      {"up, ending on the edge", 0, midX, bottom + 40, midX, bottom, false, 0, 0},
      {"up beside the cell", 0, right + 16, bottom + 40, right + 16, bottom - 40, false, 0, 0},
      {"up through the corner", 0, left, bottom + 40, left, bottom - 40, false, 0, 0},
      {"left through the right side", 1, right + 40, midY, right - 40, midY, true, right, midY},
      {"left along the bottom line", 1, right + 40, bottom, right - 40, bottom, false, 0, 0},
      {"down through the top", 2, midX, top - 32, midX + 32, top + 32, true, midX + 16, top},
      {"right through the left side", 3, left - 32, midY - 16, left + 32, midY + 16, true, left, midY},
  };
  for (const auto& c : cases) {
    setRay(0, c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(game->intersectCellEdge(4, 6, c.edge, 0), c.crosses) << c.name;
    EXPECT_EQ(!(*game->noHit)[0], c.crosses) << c.name;
    if (!c.crosses) continue;
    EXPECT_EQ((*game->hitX)[0], c.hitX) << c.name;
    EXPECT_EQ((*game->hitY)[0], c.hitY) << c.name;
    EXPECT_EQ((*game->verticalEdge)[0], c.edge % 2 == 1) << c.name;
  }
}

TEST_F(BallStepTest, AFartherCrossingKeepsTheNearerHitAndAnEqualOneReplacesIt) {
  startWithRound({});
  BrickList& field = *brickList;
  const int x = (field.columnLeft(3) + field.columnRight(3)) / 2;
  setRay(2, x, field.rowBottom(8) + 32, x, field.rowTop(6) - 32);
  EXPECT_TRUE(game->intersectCellEdge(3, 8, 0, 2));
  EXPECT_TRUE(game->intersectCellEdge(3, 7, 0, 2));
  EXPECT_EQ((*game->hitRow)[2], 8);
  // A crossing at the recorded distance replaces the record: the cell scanned later wins a tie.
  (*game->hitColumn)[2] = 9;
  EXPECT_TRUE(game->intersectCellEdge(3, 8, 0, 2));
  EXPECT_EQ((*game->hitColumn)[2], 3);
}

TEST_F(BallStepTest, OnEqualDistanceTheLowerRayDecides) {
  // Two plain bricks side by side; a fast ball rises with its centre exactly on the line between them,
  // so its top point meets no edge strictly inside a cell and its two sides meet the bricks together.
  startWithRound({kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow,
                  kEmptyRow, "....ff....."});
  BrickList& field = *brickList;
  Ball& b = flyingBall(brick(5, 10).x, 0, 0, -16, Ball::KIND_SMALL, 6);
  b.setPosition(brick(5, 10).x, field.rowBottom(10) / 16 + b.radius + 1);
  game->moveBalls();
  // Ray 0 is the ball's right side: the brick on the right breaks, the left one stands.
  EXPECT_EQ(brick(5, 10).kind, Brick::KIND_FLASH);
  EXPECT_EQ(brick(4, 10).kind, 6);
  EXPECT_EQ(b.dy, 16);
}

TEST_F(BallStepTest, ReboundsByBallKindAndBrick) {
  startWithRound({"fabjeg....."});
  const struct {
    int ballKind, column;
    bool rebounds;
  } cases[] = {
      {Ball::KIND_SMALL, 0, true},      {Ball::KIND_NORMAL, 0, false}, {Ball::KIND_NORMAL, 1, true},
      {Ball::KIND_NORMAL, 4, true},     {Ball::KIND_BIG, 2, false},    {Ball::KIND_BIG, 3, true},
      {Ball::KIND_FIRE_SMALL, 5, true}, {Ball::KIND_FIRE, 4, true},    {Ball::KIND_FIRE, 3, false},
      {Ball::KIND_FIRE_BIG, 4, false},
  };
  for (const auto& c : cases) {
    brickList->loadRound(1);
    Brick& target = brick(c.column, 0);
    Ball& b = flyingBall(0, 0, 3, -14, c.ballKind);
    const int hitX16 = (target.x + 5) * 16;
    const int hitY16 = (target.y + kBrickH + 3) * 16;
    game->testBrickHit((*game->balls)[0], hitX16, hitY16, c.column, 0, false);
    EXPECT_EQ(b.dy, c.rebounds ? 14 : -14) << "ball " << c.ballKind << " column " << c.column;
    EXPECT_EQ(b.dx, 3);
    // A rebound off a brick that still stands moves the ball a pixel back on both axes.
    const bool stands = target.kind > 0;
    EXPECT_EQ(b.x, target.x + 5 + (c.rebounds && stands ? -1 : 0)) << "ball " << c.ballKind << " column " << c.column;
    EXPECT_EQ(b.y, target.y + kBrickH + 3 + (c.rebounds && stands ? 1 : 0));
    EXPECT_EQ(b.x16, b.x * 16);
  }
}

TEST_F(BallStepTest, ABallMovingSidewaysMeetsTheSideOfABrick) {
  startWithRound({kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, "...b......."});
  Brick& target = brick(3, 5);
  Ball& b = flyingBall(0, 0, -16, 0, Ball::KIND_SMALL);
  b.setPosition(target.x + brickList->cellWidth + b.radius + 1, target.y + 3);
  game->moveBalls();
  EXPECT_EQ(target.value, 2);
  EXPECT_EQ(b.dx, 16);
  EXPECT_EQ(b.dy, 0);
}

TEST_F(BallStepTest, ABallStandingStillOrInOpenFieldMeetsNoBrick) {
  startWithRound({"ggggggggggg"});
  Ball& b = flyingBall(120, 150, 0, 0);
  game->moveBalls();
  EXPECT_EQ(b.x, 120);
  EXPECT_EQ(brickList->remaining, 11);
  b.dx = 3;
  b.dy = -15;
  game->moveBalls();
  EXPECT_LT(b.y, 150);
  EXPECT_EQ(brickList->remaining, 11);
}

TEST_F(BallStepTest, AWaitingBallRidesOnThePaddle) {
  startWithRound({});
  Platform& paddle = *bounce::platform;
  Ball& b = ball(0);
  ASSERT_FALSE(b.released);
  paddle.x = 90;
  game->moveBalls();
  EXPECT_EQ(b.x, 90 + b.radius);
  EXPECT_EQ(b.y, paddle.top - 1);
}

}  // namespace
}  // namespace bouncetest
