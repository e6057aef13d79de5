// One step of play in the brick-and-paddle game: particle spawns and lifetimes, the random helper, lost
// balls and lives, keeping the balls in play together, and what painting decides during play.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/bounce/BounceScreenFixture.h"
#include "platform/seam/clock.h"

namespace {

using bounce::Bounce;
using gamelib::GameLib;

class BouncePlayTest : public bouncetest::BounceScreenFixture {
 protected:
  void SetUp() override {
    BounceScreenFixture::SetUp();
    startScreen();
    startPlaying();
  }
};

int liveParticles(int32_t type = -1) {
  int n = 0;
  for (int32_t i = 0; i < bounce::particles->length; ++i) {
    int32_t t = (*(*bounce::particles)[i])[bounce::PARTICLE_TYPE];
    n += t != 0 && (type < 0 || t == type) ? 1 : 0;
  }
  return n;
}

void occupyAllBut(int32_t freeRecords) {
  for (int32_t i = freeRecords; i < bounce::particles->length; ++i) {
    (*(*bounce::particles)[i])[bounce::PARTICLE_TYPE] = bounce::PARTICLE_SPARK;
    (*(*bounce::particles)[i])[bounce::PARTICLE_AGE] = 0;
  }
}

TEST_F(BouncePlayTest, SpawnsFillFreeRecordsScaledByTheBrickWidth) {
  struct Case {
    int32_t count;
    int32_t width;
    int32_t free;  // -1: all
    int expected;
  } cases[] = {{10, 14, -1, 10}, {10, 28, -1, 20}, {10, 20, -1, 10}, {10, 14, 3, 3}, {0, 14, -1, 1}, {5, 13, -1, 1}};
  const int32_t width = bounce::brickWidth;
  for (const Case& c : cases) {
    game->resetPlay();
    if (c.free >= 0) occupyAllBut(c.free);
    int before = liveParticles();
    bounce::brickWidth = c.width;
    bounce::spawnParticles(c.count, bounce::PARTICLE_DEBRIS, 100, 100, 7);
    bounce::brickWidth = width;
    EXPECT_EQ(liveParticles() - before, c.expected) << c.count << " at width " << c.width;
  }
  // Every speed is a multiple of a quarter pixel from -1.5 to 1.5, and the variant is kept.
  for (int32_t i = 0; i < bounce::particles->length; ++i) {
    const auto& p = *(*bounce::particles)[i];
    if (p[bounce::PARTICLE_TYPE] != bounce::PARTICLE_DEBRIS) continue;
    EXPECT_EQ(p[bounce::PARTICLE_DX] % 0x4000, 0);
    EXPECT_LE(std::abs(p[bounce::PARTICLE_DX]), 6 * 0x4000);
    EXPECT_LE(std::abs(p[bounce::PARTICLE_DY]), 6 * 0x4000);
    EXPECT_EQ(p[bounce::PARTICLE_VARIANT], 7);
    EXPECT_EQ(p[bounce::PARTICLE_X], 100 * 65536);
  }
}

TEST_F(BouncePlayTest, ParticlesLiveTheirStepsOrUntilTheyLeaveTheScreen) {
  auto place = [](int32_t i, int32_t type, int32_t x, int32_t y, int32_t dx, int32_t dy) {
    auto& p = *(*bounce::particles)[i];
    p[bounce::PARTICLE_TYPE] = type;
    p[bounce::PARTICLE_X] = x * 65536;
    p[bounce::PARTICLE_Y] = y * 65536;
    p[bounce::PARTICLE_DX] = dx;
    p[bounce::PARTICLE_DY] = dy;
    p[bounce::PARTICLE_AGE] = 0;
  };
  struct Case {
    int32_t type, x, y, dx, dy;
    int lastStepAlive;  // the particle is gone after this many steps
  } cases[] = {
      {bounce::PARTICLE_DEBRIS, 100, 100, 0, -0x80000, 24},      // 25 steps
      {bounce::PARTICLE_SPARK, 100, 20, 0, -0x40000, 49},        // 50 steps
      {bounce::PARTICLE_SMALL_SPARK, 100, 20, 0, -0x40000, 49},  // 50 steps
      {bounce::PARTICLE_SPARK, 100, -50, 0, -0x10000, 49},       // above the top: lives on
      {bounce::PARTICLE_SPARK, 0, 100, -0x10000, -0x40000, 1},   // out at the left
      {bounce::PARTICLE_SPARK, 239, 100, 0x10000, -0x40000, 1},  // out at the right
      {bounce::PARTICLE_SPARK, 100, 318, 0, 0x20000, 1},         // out at the bottom
  };
  for (const Case& c : cases) {
    game->resetPlay();
    place(0, c.type, c.x, c.y, c.dx, c.dy);
    int alive = 0;
    for (int s = 1; s <= 60; ++s) {
      bounce::brickList->remaining = 0;  // only the particles move
      game->playStep();
      bounce::gameState = Bounce::STATE_PLAYING;
      if ((*(*bounce::particles)[0])[bounce::PARTICLE_TYPE] != 0) alive = s;
    }
    EXPECT_EQ(alive, c.lastStepAlive) << c.type << " at " << c.x << "," << c.y;
  }
}

TEST_F(BouncePlayTest, LastCountingBrickGoneStopsEverythingButTheParticles) {
  launch();
  bounce::spawnParticles(1, bounce::PARTICLE_SPARK, 100, 100);
  bounce::BallPtr ball = (*game->balls)[0];
  int32_t y = ball->y;
  bounce::brickList->remaining = 0;
  game->playStep();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_CLEARED);
  EXPECT_EQ(ball->y, y);
  EXPECT_EQ((*(*bounce::particles)[0])[bounce::PARTICLE_AGE], 1);
}

TEST_F(BouncePlayTest, LosingTheLastBallCostsOneLifeAndRestartsTheRound) {
  bounce::platform->ballsInPlay = 2;
  bounce::spawnParticles(10, bounce::PARTICLE_SPARK, 100, 100);
  game->ballLost();
  EXPECT_EQ(bounce::platform->ballsInPlay, 1);
  EXPECT_EQ(game->lives, 5);
  EXPECT_EQ(state(), Bounce::STATE_PLAYING);
  EXPECT_EQ(liveParticles(), 10);

  game->ballLost();
  EXPECT_EQ(game->lives, 4);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(lastSound(), bounce::SOUND_DIE);
  EXPECT_EQ(liveParticles(), 0);
  EXPECT_EQ(bounce::platform->ballsInPlay, 1);  // one ball waits on the paddle again
  EXPECT_FALSE((*game->balls)[0]->released);
}

TEST_F(BouncePlayTest, BallFallingOutOfTheFieldIsLost) {
  launch();
  bounce::BallPtr ball = (*game->balls)[0];
  // Straight down past the paddle.
  ball->setPosition(bounce::platform->x - 60, GameLib::screenHeight - 4);
  ball->dx = 0;
  ball->dy = 16;
  for (int i = 0; i < 10 && state() == Bounce::STATE_PLAYING; ++i) step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->lives, 4);
}

TEST_F(BouncePlayTest, LastBallSwallowedByAnEnemyCostsOneLife) {
  struct Case {
    int32_t lives;
    int32_t after;
    int32_t state;
  } cases[] = {{1, 0, Bounce::STATE_ROUND_INTRO}, {3, 2, Bounce::STATE_PLAYING}};
  for (const Case& c : cases) {
    game->resetPlay();
    bounce::gameState = Bounce::STATE_PLAYING;
    game->lives = c.lives;
    bounce::BallPtr ball = (*game->balls)[0];
    ball->released = true;
    ball->setState(bounce::Ball::KIND_NORMAL);
    bounce::EnemyPtr enemy = (*game->enemies)[0];
    enemy->kind = bounce::Enemy::KIND_SWALLOWER;
    enemy->active = true;
    enemy->width = enemy->height = 10;
    enemy->x = ball->x;
    enemy->y = ball->y;
    enemy->dx = 0;
    enemy->dy = 0;
    enemy->lastTurn = nuv::lang::DSystem::currentTimeMillis();
    game->updateEnemies();
    EXPECT_EQ(game->lives, c.after) << c.lives;
    EXPECT_EQ(state(), c.state) << c.lives;
  }
}

TEST_F(BouncePlayTest, PackingKeepsBallsInPlayInFrontInTheirOrder) {
  bounce::BallArray& slots = *game->balls;
  for (int32_t s = 0; s < game->ballSlots; ++s) slots[s]->inPlay = false;
  bounce::Ball* second = slots[2].get();
  bounce::Ball* fifth = slots[5].get();
  second->inPlay = fifth->inPlay = true;
  game->packBalls();
  EXPECT_EQ(slots[0].get(), second);
  EXPECT_EQ(slots[1].get(), fifth);
  for (int32_t s = 2; s < game->ballSlots; ++s) EXPECT_FALSE(slots[s]->inPlay) << s;
}

// The generator made at the clock time whose next draw is the most negative int.
void seedForMostNegativeDraw() {
  constexpr uint64_t a = 0x5DEECE66DULL, c = 0xB, mask = (1ULL << 48) - 1;
  uint64_t inverse = 1;  // a^-1 mod 2^48 by Newton's iteration
  for (int i = 0; i < 6; ++i) inverse = (inverse * (2 - a * inverse)) & mask;
  uint64_t next = 0x800000000000ULL;
  uint64_t seed = ((next - c) * inverse) & mask;
  int64_t now = nuv::lang::DSystem::currentTimeMillis();
  platform::setManualClock(seed ^ a);
  GameLib::random = new nuv::util::DRandom();
  platform::setManualClock(static_cast<uint64_t>(now));
}

TEST_F(BouncePlayTest, RandomInRangeStaysInsideItsRange) {
  seedForMostNegativeDraw();
  EXPECT_EQ(bounce::randomInRange(1, 16), 1);  // 2^31 % 16 = 0
  seedForMostNegativeDraw();
  int32_t v = bounce::randomInRange(0, 2000);
  EXPECT_GE(v, 0);
  EXPECT_LE(v, 2000);
  bool seen[17] = {};
  for (int i = 0; i < 2000; ++i) {
    int32_t r = bounce::randomInRange(1, 16);
    ASSERT_GE(r, 1);
    ASSERT_LE(r, 16);
    seen[r] = true;
  }
  for (int32_t r = 1; r <= 16; ++r) EXPECT_TRUE(seen[r]) << r;
  EXPECT_EQ(bounce::randomInRange(5, 5), 5);
}

TEST_F(BouncePlayTest, PaintPutsAFlyingBallBackWhenNoneIsVisibleOrCarried) {
  launch();
  bounce::BallPtr ball = (*game->balls)[0];
  ASSERT_TRUE(ball->released);
  ball->visible = false;
  paint();
  EXPECT_FALSE(ball->released);
  EXPECT_TRUE(ball->visible);
  EXPECT_TRUE(ball->inPlay);
  EXPECT_LT(ball->y, bounce::platform->top);

  // One ball carried by an enemy and another one visible: more balls show than are carried.
  launch();
  bounce::EnemyPtr enemy = (*game->enemies)[1];
  enemy->carriedBall = (*game->balls)[5];
  (*game->balls)[5]->visible = true;
  (*game->balls)[6]->visible = true;
  ball->visible = false;
  paint();
  EXPECT_TRUE(ball->released);
  EXPECT_FALSE(ball->visible);
  enemy->carriedBall = nullptr;
}

TEST_F(BouncePlayTest, ParticlesFadeFromTheirColours) {
  struct Case {
    int32_t type, variant, age;
    uint16_t expected;  // RGB565; 0 for "the field shows through"
  } cases[] = {
      {bounce::PARTICLE_SMALL_SPARK, 0, 0, 0xFFE0},   // yellow
      {bounce::PARTICLE_SMALL_SPARK, 0, 25, 0x7BE0},  // half yellow
      {bounce::PARTICLE_SPARK, 0, 25, 0x7BEF},        // grey
      {bounce::PARTICLE_DEBRIS, 9, 0, 0xFFFF},        // white
      {bounce::PARTICLE_DEBRIS, 3, 0, 0},             // regenerating bricks leave no debris
      {bounce::PARTICLE_DEBRIS, 5, 0, 0},
  };
  const int32_t x = GameLib::screenWidth / 2, y = GameLib::screenHeight / 2;
  game->resetPlay();
  paint();
  const uint16_t field = gltest::canvasPixel(x, y);
  for (const Case& c : cases) {
    game->resetPlay();
    auto& p = *(*bounce::particles)[0];
    p[bounce::PARTICLE_TYPE] = c.type;
    p[bounce::PARTICLE_X] = x * 65536;
    p[bounce::PARTICLE_Y] = y * 65536;
    p[bounce::PARTICLE_AGE] = c.age;
    p[bounce::PARTICLE_VARIANT] = c.variant;
    paint();
    EXPECT_EQ(gltest::canvasPixel(x, y), c.expected ? c.expected : field) << c.type << "/" << c.variant;
    if (c.type == bounce::PARTICLE_DEBRIS && c.expected) {
      EXPECT_EQ(gltest::canvasPixel(x + 1, y + 1), c.expected);  // debris is 2 x 2
    }
  }
}

}  // namespace
