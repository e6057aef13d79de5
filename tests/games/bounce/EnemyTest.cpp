// Enemies: entering, wandering with its turns and edges, bricks in the way, the bomb, and meeting balls:
// swallowing, carrying, letting go, and the lives that costs.
#include <gtest/gtest.h>

#include "core/lang/DSystem.h"
#include "games/bounce/BounceObjectsFixture.h"
#include "platform/seam/clock.h"

namespace bouncetest {
namespace {

using namespace bounce;
using gamelib::GameLib;

class EnemyTest : public BounceObjectsFixture {
 protected:
  void SetUp() override {
    BounceObjectsFixture::SetUp();
    startWithRound({kEmptyRow, kEmptyRow, kEmptyRow, kEmptyRow, "f.........f", kEmptyRow, kEmptyRow, kEmptyRow,
                    kEmptyRow, kEmptyRow, "....f......"});
  }
  // An active enemy of a kind standing at (x, y).
  Enemy& placeEnemy(int slot, int kind, int x, int y) {
    Enemy& e = enemy(slot);
    e.active = true;
    e.kind = kind;
    e.width = kEnemyW;
    e.height = kEnemyH;
    e.x = x;
    e.y = y;
    e.dx = 0;
    e.dy = 0;
    e.lastTurn = nuv::lang::DSystem::currentTimeMillis();
    return e;
  }
  Platform& paddle() { return *bounce::platform; }
};

TEST_F(EnemyTest, AnEnemyEntersAtTheTopCentreMovingDown) {
  Enemy& e = enemy(0);
  int tries = 0;
  while (!e.active && tries < 100000) {
    e.trySpawn();
    ++tries;
  }
  ASSERT_TRUE(e.active);
  EXPECT_GT(tries, 1);
  EXPECT_GE(e.kind, 0);
  EXPECT_LE(e.kind, 2);
  EXPECT_EQ(e.x, GameLib::screenWidth / 2);
  EXPECT_EQ(e.width, kEnemyW);
  EXPECT_EQ(e.y, -kEnemyH);
  EXPECT_EQ(e.dx, 0);
  EXPECT_EQ(e.dy, 1);
  EXPECT_FALSE(paddle().exitAnimation->finished);

  // Straight down until the first turn, 3 to 4 seconds after it entered.
  const int x = e.x;
  for (int t = 30; t <= 2990; t += 30) {
    platform::advanceManualClock(30);
    e.move();
    ASSERT_EQ(e.x, x) << t;
  }
  EXPECT_EQ(e.y, -kEnemyH + 99);
  for (int t = 3020; t <= 4010; t += 30) {
    platform::advanceManualClock(30);
    e.move();
  }
  EXPECT_NE(e.lastTurn, 1000);
}

TEST_F(EnemyTest, BricksStopEnemiesButPassingStatesDoNot) {
  Enemy& e = enemy(0);
  const Brick& left = brick(0, 4);
  const int cellW = brickList->cellWidth;
  const struct {
    const char* name;
    int x, y;
    bool brick;
  } cases[] = {
      {"inside a brick", left.x + 3, left.y + 3, true},
      {"empty cell", left.x + cellW + 3, left.y + 3, false},
      {"just left of the field, beside column 0", fieldLeft - 3, left.y + 3, true},
      {"a cell further left", fieldLeft - cellW - 3, left.y + 3, false},
      {"above the field", left.x + 3, brickList->top - 20, false},
      {"below the grid", left.x + 3, brickList->top + fieldRows * brickList->cellHeight + 2, false},
  };
  for (const auto& c : cases) EXPECT_EQ(e.isBrickAt(c.x, c.y), c.brick) << c.name;
  brick(0, 4).kind = Brick::KIND_FLASH;
  EXPECT_FALSE(e.isBrickAt(left.x + 3, left.y + 3));
}

TEST_F(EnemyTest, EnemiesTurnAtBricksAndFieldEdgesKeepingTheirPace) {
  const Brick& target = brick(4, 10);
  const struct {
    const char* name;
    int x, y, dx, dy, dxAfter, dyAfter;
  } cases[] = {
      {"fast to the left into a brick", target.x + brickList->cellWidth + kEnemyW / 2, target.y + 3, -3, 0, 3, 0},
      {"down onto a brick", target.x + 7, target.y - kEnemyH / 2 - 1, 0, 1, 0, -1},
      {"past the left edge", fieldLeft + 2, 150, -3, 0, 1, 0},
      {"past the right edge", fieldLeft + brickList->fieldWidth - 2, 150, 3, 0, -1, 0},
      {"above the field's top", 120, brickList->top - 2, 0, -1, 0, 1},
      {"near the bottom", 120, GameLib::screenHeight - 30, 0, 1, 0, -1},
  };
  for (const auto& c : cases) {
    Enemy& e = placeEnemy(0, Enemy::KIND_WANDERER, c.x, c.y);
    e.dx = c.dx;
    e.dy = c.dy;
    e.move();
    EXPECT_EQ(e.dx, c.dxAfter) << c.name;
    EXPECT_EQ(e.dy, c.dyAfter) << c.name;
    EXPECT_EQ(e.x, c.x + c.dxAfter * enemySpeed) << c.name;
  }
}

TEST_F(EnemyTest, ABomberNeverDropsASecondBombWhileOneFalls) {
  Enemy& e = placeEnemy(0, Enemy::KIND_BOMBER, 120, 150);
  Ball& bomb = *paddle().bomb;
  int steps = 0;
  while (!bomb.released && steps < 10000) {
    platform::advanceManualClock(30);
    e.move();
    ++steps;
  }
  ASSERT_TRUE(bomb.released);
  EXPECT_EQ(bomb.x, e.x);
  const int x = bomb.x, y = bomb.y;
  for (int i = 0; i < 2000; ++i) e.move();
  EXPECT_EQ(bomb.x, x);
  EXPECT_EQ(bomb.y, y);
}

TEST_F(EnemyTest, SwallowingTheLastBallCostsOneLife) {
  const struct {
    const char* name;
    int ballsInPlay, lives;
    int livesAfter;
    bool carried, roundIntro;
  } cases[] = {
      {"one of two balls", 2, 3, 3, true, false},
      {"the last ball, two lives", 1, 2, 1, true, false},
      {"the last ball, the last life", 1, 1, 0, false, true},
  };
  for (const auto& c : cases) {
    game->resetPlay();
    gameState = Bounce::STATE_PLAYING;
    game->lives = c.lives;
    Ball& b = flyingBall(120, 150, 2, -15);
    if (c.ballsInPlay == 2) {
      ball(1).setActive(true);
      ball(1).setPosition(60, 250);
    }
    paddle().ballsInPlay = c.ballsInPlay;
    Enemy& e = placeEnemy(0, Enemy::KIND_SWALLOWER, 120, 150);
    game->updateEnemies();
    EXPECT_EQ(game->lives, c.livesAfter) << c.name;
    EXPECT_EQ(gameState == Bounce::STATE_ROUND_INTRO, c.roundIntro) << c.name;
    if (!c.carried) continue;
    EXPECT_EQ(e.kind, Enemy::KIND_CARRIER) << c.name;
    EXPECT_EQ(e.carriedBall.get(), &b) << c.name;
    EXPECT_FALSE(b.inPlay) << c.name;
    EXPECT_EQ(paddle().ballsInPlay, 1) << c.name;
    if (c.ballsInPlay == 1) {
      // A new ball waits on the paddle.
      EXPECT_TRUE(ball(1).inPlay);
      EXPECT_TRUE(ball(1).visible);
      EXPECT_FALSE(ball(1).released);
      EXPECT_EQ(ball(1).y, paddle().top - 1);
    }
  }
}

TEST_F(EnemyTest, WithNoSlotForANewBallTheLastBallIsNotSwallowed) {
  game->lives = 3;
  Ball& b = flyingBall(120, 150, 2, -15);
  for (int s = 1; s < game->ballSlots; ++s) ball(s).visible = true;
  Enemy& e = placeEnemy(0, Enemy::KIND_SWALLOWER, 120, 150);
  game->updateEnemies();
  EXPECT_EQ(game->lives, 3);
  EXPECT_TRUE(b.inPlay);
  EXPECT_EQ(e.kind, Enemy::KIND_SWALLOWER);
  EXPECT_TRUE(e.carriedBall.isNull());
}

TEST_F(EnemyTest, OtherMeetingsRemoveTheEnemyAndTurnTheBall) {
  const struct {
    int enemyKind, ballKind;
  } cases[] = {{Enemy::KIND_SWALLOWER, Ball::KIND_FIRE_SMALL},
               {Enemy::KIND_BOMBER, Ball::KIND_NORMAL},
               {Enemy::KIND_WANDERER, Ball::KIND_FIRE_BIG}};
  for (const auto& c : cases) {
    game->resetPlay();
    const int score = brickList->score;
    Ball& b = flyingBall(120, 150, 2, -15, c.ballKind);
    Enemy& e = placeEnemy(0, c.enemyKind, 121, 151);
    game->updateEnemies();
    EXPECT_FALSE(e.active) << c.enemyKind;
    EXPECT_EQ(b.dx, -2);
    EXPECT_EQ(b.dy, 15);
    EXPECT_EQ(brickList->score, score + 1);
    EXPECT_TRUE(b.inPlay);
  }
}

TEST_F(EnemyTest, HittingACarrierLetsItsBallGoWithALifePowerUp) {
  gameState = Bounce::STATE_PLAYING;
  game->lives = 3;
  Ball& carried = flyingBall(120, 150, 2, -15);
  ball(1).setActive(true);
  ball(1).setPosition(40, 250);
  paddle().ballsInPlay = 2;
  Enemy& e = placeEnemy(0, Enemy::KIND_SWALLOWER, 120, 150);
  game->updateEnemies();
  ASSERT_EQ(e.kind, Enemy::KIND_CARRIER);
  ASSERT_EQ(paddle().ballsInPlay, 1);

  Ball& other = ball(1);
  other.setPosition(e.x + 2, e.y + 2);
  game->updateEnemies();
  EXPECT_FALSE(e.active);
  EXPECT_TRUE(e.carriedBall.isNull());
  EXPECT_TRUE(carried.inPlay);
  EXPECT_EQ(carried.x, e.x);
  EXPECT_EQ(paddle().ballsInPlay, 2);
  EXPECT_EQ((*paddle().bonuses)[0]->kind, Platform::BONUS_LIFE);
  EXPECT_EQ(game->lives, 3);
}

}  // namespace
}  // namespace bouncetest
