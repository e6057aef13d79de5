// The paddle: power-ups against its states and transitions, the falling power-ups, the more-balls
// power-up, the guns and bullets, the bomb, and moving inside the field.
#include <gtest/gtest.h>

#include "games/bounce/BounceObjectsFixture.h"

namespace bouncetest {
namespace {

using namespace bounce;
using gamelib::GameLib;

class PlatformTest : public BounceObjectsFixture {
 protected:
  void SetUp() override {
    BounceObjectsFixture::SetUp();
    startGame({{"data/bnc/data/round01.txt", roundFile({})},
               {"data/bnc/data/round02.txt", roundFile({kEmptyRow, kEmptyRow, kEmptyRow, "fffffffffff"})}});
    brickList->loadRound(1);
  }
  Platform& paddle() { return *bounce::platform; }
  // Drops a power-up onto the paddle and runs the paddle's step once; returns the lives it gives back.
  int catchBonus(int kind, int lives = 3) {
    paddle().spawnBonus(kind, paddle().x - 6, paddle().top - kBonusH + 1);
    return paddle().update(lives, game->ballSlots);
  }
  void finishTransition() {
    for (int i = 0; i < 100 && paddle().inTransition; ++i) paddle().paint();
  }
  void enterState(int state) {
    paddle().setState(state);
    finishTransition();
  }
};

TEST_F(PlatformTest, SizePowerUpsAgainstPaddleSizes) {
  const struct {
    const char* name;
    int startState, bonus, state, size;
  } cases[] = {
      {"normal, smaller", Platform::STATE_NORMAL, Platform::BONUS_SMALLER, Platform::STATE_SMALL, 0},
      {"small, smaller", Platform::STATE_SMALL, Platform::BONUS_SMALLER, Platform::STATE_SMALL, 0},
      {"small, larger", Platform::STATE_SMALL, Platform::BONUS_LARGER, Platform::STATE_DESMALL, 1},
      {"normal, larger", Platform::STATE_NORMAL, Platform::BONUS_LARGER, Platform::STATE_BIGGER, 2},
      {"big, larger", Platform::STATE_BIGGER, Platform::BONUS_LARGER, Platform::STATE_BIGGER, 2},
      {"big, smaller", Platform::STATE_BIGGER, Platform::BONUS_SMALLER, Platform::STATE_DEBIGGER, 1},
  };
  for (const auto& c : cases) {
    game->resetPlay();
    enterState(c.startState);
    catchBonus(c.bonus);
    finishTransition();
    EXPECT_EQ(paddle().state, c.state) << c.name;
    EXPECT_EQ(paddle().size, c.size) << c.name;
  }
  // The body drawn follows the size: a small paddle is 20 wide, a big one 40.
  game->resetPlay();
  enterState(Platform::STATE_SMALL);
  paddle().paint();
  EXPECT_EQ(paddle().width, 20);
  enterState(Platform::STATE_DESMALL);
  enterState(Platform::STATE_BIGGER);
  paddle().paint();
  EXPECT_EQ(paddle().width, 40);
}

TEST_F(PlatformTest, APowerUpCaughtDuringATransitionIsLost) {
  paddle().setState(Platform::STATE_SMALL);
  ASSERT_TRUE(paddle().inTransition);
  catchBonus(Platform::BONUS_LARGER);
  EXPECT_EQ((*paddle().bonuses)[0]->kind, 0);
  finishTransition();
  EXPECT_EQ(paddle().state, Platform::STATE_SMALL);
  EXPECT_EQ(paddle().size, 0);
}

TEST_F(PlatformTest, GunsGlueTurboAndALife) {
  EXPECT_EQ(catchBonus(Platform::BONUS_LIFE, 3), 4);
  catchBonus(Platform::BONUS_GUNS);
  EXPECT_TRUE(paddle().armed);
  EXPECT_EQ(paddle().state, Platform::STATE_ARMED);
  finishTransition();
  catchBonus(Platform::BONUS_TURBO);
  EXPECT_TRUE(paddle().turbo);
  EXPECT_EQ(paddle().speed, 5);
  EXPECT_EQ(paddle().lowerImage.get(), paddle().lowerTurboImage.get());
  finishTransition();
  catchBonus(Platform::BONUS_GLUE);
  EXPECT_TRUE(paddle().sticky);
  // The glue shows once and then stays; a new life or round takes it away.
  for (int i = 0; i < 20; ++i) paddle().paint();
  EXPECT_TRUE(paddle().glueAnimation->finished);
  paddle().reset();
  EXPECT_FALSE(paddle().sticky);
  EXPECT_FALSE(paddle().armed);
  EXPECT_FALSE(paddle().turbo);
  EXPECT_EQ(paddle().speed, 3);
  catchBonus(Platform::BONUS_GLUE);
  EXPECT_TRUE(paddle().sticky);
}

TEST_F(PlatformTest, BallSpeedPowerUpsStopAtTheFirstBallOutOfPlay) {
  const struct {
    int bonus;
    int before[4];
    bool inPlay[4];
    int after[4];
  } cases[] = {
      {Platform::BONUS_FASTER, {2, 3, 2, 2}, {true, true, false, true}, {3, 4, 2, 2}},
      {Platform::BONUS_SLOWER, {4, 2, 5, 5}, {true, true, true, true}, {3, 2, 5, 5}},
      {Platform::BONUS_SLOWER, {3, 3, 4, 4}, {true, true, false, true}, {2, 2, 4, 4}},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 4; ++i) {
      ball(i).speedLevel = c.before[i];
      ball(i).inPlay = c.inPlay[i];
    }
    catchBonus(c.bonus);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ball(i).speedLevel, c.after[i]) << c.bonus << " slot " << i;
  }
}

TEST_F(PlatformTest, BallKindPowerUpsChangeEverySlot) {
  catchBonus(Platform::BONUS_FIRE);
  EXPECT_EQ(ball(0).kind, Ball::KIND_FIRE_SMALL);
  EXPECT_EQ(ball(31).kind, Ball::KIND_FIRE_SMALL);
  catchBonus(Platform::BONUS_BIG_BALLS);
  EXPECT_EQ(ball(5).kind, Ball::KIND_FIRE);
  catchBonus(Platform::BONUS_SMALL_BALLS);
  catchBonus(Platform::BONUS_SMALL_BALLS);
  EXPECT_EQ(ball(5).kind, Ball::KIND_FIRE_SMALL);
}

TEST_F(PlatformTest, MoreBallsCountsOnlyTheBallsMadeAndNoneFliesLevel) {
  for (int trial = 0; trial < 60; ++trial) {
    game->resetPlay();
    Ball& source = flyingBall(120, 200, 2, 1);
    catchBonus(Platform::BONUS_MORE_BALLS);
    int made = 0;
    for (int s = 0; s < game->ballSlots; ++s) {
      if (!ball(s).inPlay) continue;
      ++made;
      EXPECT_NE(ball(s).dy, 0) << "trial " << trial << " slot " << s;
      EXPECT_EQ(ball(s).speedLevel, source.speedLevel);
    }
    EXPECT_EQ(paddle().ballsInPlay, made);
    EXPECT_GE(made, 2);
    EXPECT_LE(made, 3);
  }
  // With every slot showing a ball there is no room: nothing is made and nothing counted.
  game->resetPlay();
  flyingBall(120, 200, 2, -15);
  for (int s = 1; s < game->ballSlots; ++s) ball(s).visible = true;
  catchBonus(Platform::BONUS_MORE_BALLS);
  EXPECT_EQ(paddle().ballsInPlay, 1);
}

TEST_F(PlatformTest, FallingPowerUpsDriftBounceAndDrop) {
  // Three fall at most; a fourth is not started.
  for (int i = 0; i < 4; ++i) paddle().spawnBonus(i + 1, 100, 50);
  for (int i = 0; i < 3; ++i) EXPECT_EQ((*paddle().bonuses)[i]->kind, i + 1);

  bool drift[3] = {false, false, false};
  for (int i = 0; i < 60; ++i) {
    Bonus b;
    b.start(5, 100, 50);
    EXPECT_EQ(b.x, 102);
    EXPECT_EQ(b.dy, 1);
    EXPECT_LE(b.dx, 5);
    EXPECT_GE(b.dx, -5);
    drift[b.dx < 0 ? 0 : b.dx == 0 ? 1 : 2] = true;
  }
  EXPECT_TRUE(drift[0] && drift[1] && drift[2]);

  const int right = GameLib::screenWidth - fieldLeft;
  const struct {
    int x, dx, xAfter, dxAfter;
  } cases[] = {{100, 0, 100, 0}, {right - kBonusW - 1, 3, right - kBonusW, -3}, {fieldLeft + 1, -3, fieldLeft, 3}};
  for (const auto& c : cases) {
    Bonus b;
    b.start(5, 0, 100);
    b.x = c.x;
    b.dx = c.dx;
    EXPECT_EQ(b.update(0, 0, 0, 0), 0);
    EXPECT_EQ(b.x, c.xAfter);
    EXPECT_EQ(b.dx, c.dxAfter);
    EXPECT_EQ(b.y, 101);
  }
  Bonus b;
  b.start(5, 100, GameLib::screenHeight - kBonusH);
  b.dx = 0;
  b.update(0, 0, 0, 0);
  EXPECT_EQ(b.kind, 0);
}

TEST_F(PlatformTest, GunsShootOnlyWhenArmedReadyAndBothShotsAreDone) {
  paddle().shoot();
  EXPECT_TRUE(paddle().shotLeft.isNull());
  catchBonus(Platform::BONUS_GUNS);
  paddle().shoot();
  EXPECT_TRUE(paddle().shotLeft.isNull()) << "the guns are still coming out";
  finishTransition();
  paddle().shoot();
  ASSERT_FALSE(paddle().shotLeft.isNull());
  ASSERT_FALSE(paddle().shotRight.isNull());
  Ball& left = *paddle().shotLeft;
  const int y = left.y;
  paddle().shoot();
  EXPECT_EQ(paddle().shotLeft->y, y);
  // They rise to the top of the empty field and end there.
  for (int i = 0; i < 200 && !paddle().shotLeft.isNull(); ++i) paddle().updateShots();
  EXPECT_TRUE(paddle().shotLeft.isNull());
  EXPECT_TRUE(paddle().shotRight.isNull());
  paddle().shoot();
  EXPECT_FALSE(paddle().shotLeft.isNull());
}

TEST_F(PlatformTest, EveryVolleyShowsItsMuzzleFlames) {
  for (int volley = 0; volley < 2; ++volley) {
    paddle().prepareShot();
    ASSERT_TRUE(paddle().gunFlames);
    paddle().paint();
    EXPECT_TRUE(paddle().gunFlames) << volley;
    EXPECT_EQ(paddle().gunFlameLeftAnimation->tickCounter, 1) << volley;
    for (int i = 0; i < 20 && paddle().gunFlames; ++i) paddle().paint();
    EXPECT_FALSE(paddle().gunFlames);
  }
}

TEST_F(PlatformTest, BulletsHitBricksAndEnemies) {
  brickList->loadRound(2);
  catchBonus(Platform::BONUS_GUNS);
  finishTransition();
  paddle().shoot();
  for (int i = 0; i < 300 && !paddle().shotLeft.isNull(); ++i) paddle().updateShots();
  int broken = 0;
  for (int c = 0; c < fieldColumns; ++c) broken += brick(c, 3).kind == Brick::KIND_FLASH ? 1 : 0;
  EXPECT_EQ(broken, 2);
  EXPECT_EQ(brickList->score, 2);

  Enemy& e = enemy(0);
  e.active = true;
  e.width = kEnemyW;
  e.height = kEnemyH;
  e.x = paddle().x;
  e.y = 200;
  paddle().launchShot(paddle().bulletLeft, 0);
  paddle().shotLeft = paddle().bulletLeft;
  for (int i = 0; i < 100 && !paddle().shotLeft.isNull(); ++i) paddle().updateShots();
  EXPECT_FALSE(e.active);
  EXPECT_EQ(brickList->score, 3);
}

TEST_F(PlatformTest, TheBombCostsALifeWhateverBallsArePlaying) {
  game->lives = 3;
  paddle().ballsInPlay = 3;
  Ball& bomb = *paddle().bomb;
  bomb.setPosition(paddle().x, paddle().top - bomb.radius - 1);
  bomb.setActive(true);
  paddle().paint();
  EXPECT_EQ(game->lives, 2);
  EXPECT_EQ(gameState, Bounce::STATE_ROUND_INTRO);
  EXPECT_FALSE(bomb.released);
}

TEST_F(PlatformTest, ThePaddleMovesInsideTheField) {
  const int fieldRight = fieldLeft + brickList->fieldWidth;
  for (int i = 0; i < 200; ++i) paddle().move(1);
  EXPECT_GE(paddle().x + paddle().width / 2, fieldRight);
  EXPECT_LT(paddle().x + paddle().width / 2, fieldRight + paddle().speed);
  for (int i = 0; i < 200; ++i) paddle().move(0);
  EXPECT_LE(paddle().x - paddle().width / 2, fieldLeft);
  EXPECT_GT(paddle().x - paddle().width / 2, fieldLeft - paddle().speed);
}

}  // namespace
}  // namespace bouncetest
