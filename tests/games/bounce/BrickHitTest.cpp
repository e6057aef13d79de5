// What a hit does to a brick by the ball's kind and role and the brick's kind and value; detonators,
// explosions and their chains; power-ups released by hits; bricks that come back.
#include <gtest/gtest.h>

#include "games/bounce/BounceObjectsFixture.h"

namespace bouncetest {
namespace {

using namespace bounce;

class BrickHitTest : public BounceObjectsFixture {
 protected:
  // Paints a brick's frames until its passing state is over or the steps run out.
  void runBrick(Brick& b, int steps) {
    for (int i = 0; i < steps && b.kind < 0; ++i) b.paintAnimation();
  }
};

TEST_F(BrickHitTest, HitsByBallKindAndBrickKind) {
  // Row 0: a b c d e f g h i j, one letter per column; column 10 empty.
  startWithRound({"abcdefghij."});
  constexpr int kExplosion = -1;
  constexpr int kBullet = -2;
  const struct {
    const char* name;
    int column;
    int hitter;  // a ball kind, an explosion or a bullet
    int hitsBefore;
    int kind, value, remainingDelta, scoreDelta;
  } cases[] = {
      {"small ball takes one from a two-hit brick", 0, Ball::KIND_SMALL, 0, 1, 1, -1, 1},
      {"normal ball breaks a two-hit brick", 0, Ball::KIND_NORMAL, 0, Brick::KIND_FLASH, 0, -2, 2},
      {"big ball breaks a three-hit brick", 1, Ball::KIND_BIG, 0, Brick::KIND_FLASH, 0, -3, 3},
      {"bullet takes one from a three-hit brick", 1, kBullet, 0, 2, 2, -1, 1},
      {"small fire ball takes three at once", 1, Ball::KIND_FIRE_SMALL, 0, Brick::KIND_FLASH, 0, -3, 1},
      {"normal ball sends a regenerating brick away", 2, Ball::KIND_NORMAL, 0, Brick::KIND_GONE, 0, 0, 1},
      {"fire ball removes a regenerating brick", 2, Ball::KIND_FIRE, 0, Brick::KIND_FLASH, 0, 0, 1},
      {"normal ball only rings on steel", 4, Ball::KIND_NORMAL, 0, 5, 1, 0, 0},
      {"fire ball breaks steel without score", 4, Ball::KIND_FIRE, 0, Brick::KIND_FLASH, 0, 0, 0},
      {"explosion breaks steel", 4, kExplosion, 0, Brick::KIND_FLASH, 0, 0, 0},
      {"explosion lights an explosive brick's fuse", 7, kExplosion, 0, Brick::KIND_FUSE, 6, -1, 1},
      {"normal ball breaks an explosive brick plainly", 7, Ball::KIND_NORMAL, 0, Brick::KIND_FLASH, 0, -1, 1},
      {"normal ball takes two from a five-hit brick", 9, Ball::KIND_NORMAL, 0, 9, 3, -2, 1},
      {"then breaks it", 9, Ball::KIND_NORMAL, 1, Brick::KIND_FLASH, 0, -3, 3},
      {"big ball takes three from a five-hit brick", 9, Ball::KIND_BIG, 0, 9, 2, -3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    brickList->loadRound(1);
    BallPtr hitter = c.hitter == kExplosion ? nullptr
                     : c.hitter == kBullet  ? bounce::platform->bulletLeft
                                            : BallPtr((*game->balls)[1]);
    if (c.hitter >= 0) hitter->setState(c.hitter);
    for (int i = 0; i < c.hitsBefore; ++i) brick(c.column, 0).hit(hitter);
    const int remaining = brickList->remaining;
    const int score = brickList->score;
    brick(c.column, 0).hit(hitter);
    EXPECT_EQ(brick(c.column, 0).kind, c.kind);
    EXPECT_EQ(brick(c.column, 0).value, c.value);
    EXPECT_EQ(brickList->remaining - remaining, c.remainingDelta);
    EXPECT_EQ(brickList->score - score, c.scoreDelta);
  }
}

TEST_F(BrickHitTest, AFiveHitBrickSparksWhenItSurvivesAHit) {
  startWithRound({"j.........."});
  Brick& b = brick(0, 0);
  BallPtr normal = (*game->balls)[1];
  normal->setState(Ball::KIND_NORMAL);
  b.hit(normal);
  ASSERT_FALSE(b.animation.isNull());
  EXPECT_EQ(b.animation.get(), (*b.ownAnimations)[Brick::ANIM_SPARK].get());
  runBrick(b, 1);
  for (int i = 0; i < 10 && !b.animation.isNull(); ++i) b.paintAnimation();
  EXPECT_TRUE(b.animation.isNull());
  EXPECT_EQ(b.kind, 9);
}

TEST_F(BrickHitTest, ADetonatorSetsOffOnlyTheFirstExplosiveBrick) {
  // Explosive bricks at (5, 0) and (1, 2); the detonator at (5, 4) is far from both.
  startWithRound({".....h.....", "ffffgfffff.", ".h.........", "...........", ".....d....."});
  BallPtr normal = (*game->balls)[1];
  normal->setState(Ball::KIND_NORMAL);
  brick(5, 4).hit(normal);
  EXPECT_EQ(brick(5, 4).kind, Brick::KIND_FLASH);
  // The first explosive brick stays itself and blows its neighbours: the row below breaks around it.
  EXPECT_EQ(brick(5, 0).kind, 8);
  EXPECT_EQ(brick(4, 1).kind, Brick::KIND_FLASH);
  EXPECT_EQ(brick(5, 1).kind, Brick::KIND_FLASH);
  EXPECT_EQ(brick(6, 1).kind, Brick::KIND_FLASH);
  EXPECT_EQ(brick(3, 1).kind, 6);
  EXPECT_EQ(brick(1, 2).kind, 8);
}

TEST_F(BrickHitTest, AnExplosionChainsThroughAFuseAndBreaksEverythingAround) {
  // A big fire ball breaks (1, 1) and sets it off; (2, 1) is explosive and burns; its blast takes the steel
  // and the regenerating brick beside it.
  startWithRound({"...........", ".fhec......", "...........", "..........."});
  BallPtr fireBig = (*game->balls)[1];
  fireBig->setState(Ball::KIND_FIRE_BIG);
  brick(1, 1).hit(fireBig);
  Brick& fuse = brick(2, 1);
  EXPECT_EQ(fuse.kind, Brick::KIND_FUSE);
  EXPECT_EQ(brick(3, 1).kind, 5);
  for (int i = 0; i < 6; ++i) fuse.update();
  EXPECT_EQ(fuse.kind, Brick::KIND_FUSE);
  fuse.update();
  EXPECT_EQ(fuse.kind, Brick::KIND_EXPLODING);
  EXPECT_EQ(brick(3, 1).kind, Brick::KIND_FLASH);
  runBrick(fuse, 50);
  EXPECT_EQ(fuse.kind, Brick::KIND_EMPTY);
  // The flash of a broken brick lasts one update.
  brick(3, 1).update();
  EXPECT_EQ(brick(3, 1).kind, Brick::KIND_EMPTY);
  EXPECT_TRUE(brick(3, 1).image.isNull());
}

TEST_F(BrickHitTest, PowerUpsFallOnTheFirstBallHitButNotFromExplosions) {
  startWithRound({"bb........."});
  brick(0, 0).bonus = 7;
  brick(1, 0).bonus = 9;
  BallPtr small = (*game->balls)[1];
  small->setState(Ball::KIND_SMALL);
  brick(0, 0).hit(small);
  EXPECT_EQ(brick(0, 0).kind, 2);
  EXPECT_EQ(brick(0, 0).bonus, 0);
  EXPECT_EQ((*bounce::platform->bonuses)[0]->kind, 7);
  brick(1, 0).hit(nullptr);
  EXPECT_EQ(brick(1, 0).bonus, 9);
  EXPECT_EQ((*bounce::platform->bonuses)[1]->kind, 0);
}

TEST_F(BrickHitTest, ARegeneratingBrickComesBackWithoutItsPowerUp) {
  startWithRound({"c.........."});
  Brick& b = brick(0, 0);
  b.bonus = 3;
  BallPtr normal = (*game->balls)[1];
  b.hit(normal);
  EXPECT_EQ(b.kind, Brick::KIND_GONE);
  int steps = 0;
  while (b.kind != Brick::KIND_REGENERATING && steps < 100000) {
    b.paintAnimation();
    ++steps;
  }
  EXPECT_EQ(b.kind, Brick::KIND_REGENERATING);
  EXPECT_EQ(b.value, 1);
  EXPECT_EQ(b.bonus, 0);
  EXPECT_FALSE(b.image.isNull());
  // A regenerating brick never counts for clearing.
  EXPECT_EQ(brickList->remaining, 0);
}

TEST_F(BrickHitTest, AFiveHitBrickShowsOneQuarterPieceLessForEachHitLeft) {
  startWithRound({"j.........."});
  Brick& b = brick(0, 0);
  const uint16_t body = gltest::rgb565(0x404040);
  // Piece i and where it sits: (x, y), (x + w, y + h + 1), (x, y + h + 1), (x + w, y).
  const struct {
    int dx, dy;
    uint16_t colour;
  } pieces[] = {{0, 0, gltest::rgb565(0x101010)},
                {7, 4, gltest::rgb565(0x202020)},
                {0, 4, gltest::rgb565(0x303030)},
                {7, 0, gltest::rgb565(0x505050)}};
  auto shown = [&](int piece) {
    gamelib::GameLib::graphics->drawImageOpaque(brickList->picture, 0, 0, 0);
    return gltest::canvasPixel(b.x + pieces[piece].dx + 1, b.y + pieces[piece].dy + 1);
  };
  for (int i = 0; i < 4; ++i) EXPECT_EQ(shown(i), pieces[i].colour) << i;
  ball(1).setState(Ball::KIND_NORMAL);
  b.hit((*game->balls)[1]);
  ASSERT_EQ(b.value, 3);
  EXPECT_EQ(shown(0), pieces[0].colour);
  EXPECT_EQ(shown(1), pieces[1].colour);
  EXPECT_EQ(shown(2), body);
  EXPECT_EQ(shown(3), body);
}

TEST_F(BrickHitTest, AWipedBrickLeavesItsOverlappingNeighboursWholeInThePicture) {
  gamelib::GameLib::screenWidth = 208;
  startWithRound({"fff........"});
  ASSERT_EQ(cellGapX, -2);
  Brick& middle = brick(1, 0);
  Brick& right = brick(2, 0);
  ASSERT_LT(right.x, middle.x + kBrickW);  // the right brick's first column lies under the middle one
  middle.hit((*game->balls)[1]);
  middle.update();
  ASSERT_EQ(middle.kind, Brick::KIND_EMPTY);
  gamelib::GameLib::graphics->drawImageOpaque(brickList->picture, 0, 0, 0);
  constexpr uint16_t kCyan = 0x07FF;  // b6.png
  constexpr uint16_t kWhite = 0xFFFF;
  EXPECT_EQ(gltest::canvasPixel(right.x, right.y + 1), kCyan);
  EXPECT_EQ(gltest::canvasPixel(middle.x + 2, middle.y + 1), kWhite);
  EXPECT_EQ(gltest::canvasPixel(brick(0, 0).x + kBrickW - 1, middle.y + 1), kCyan);
  gamelib::GameLib::screenWidth = 240;
}

}  // namespace
}  // namespace bouncetest
