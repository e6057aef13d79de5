// Rocks, saucers, rockets and shots: what the constructor makes of its arguments, random starts outside
// the middle, the screen edge, the animation of turning rocks, drawing off the screen and steering.
#include <gtest/gtest.h>

#include <string>

#include "games/rocks/RocksObjectsFixture.h"

namespace rockstest {

using namespace rocks;
using gamelib::GameLib;
using nuv::lang::DStringPtr;

namespace {

// Strictly between a third and a half, or between a half and two thirds.
bool inBand(int v, int size) { return (size / 3 < v && v < size / 2) || (size / 2 < v && v < 2 * size / 3); }

}  // namespace

class FlyingOTest : public RocksObjectsFixture {
 protected:
  void SetUp() override {
    RocksObjectsFixture::SetUp();
    startGame();
    setUpLevel(1);
  }
};

TEST_F(FlyingOTest, SizeTypeAndNameChooseKindHitSizeAndPicture) {
  struct Case {
    int size, type;
    const char16_t* name;
    int kind, hitSize, hitPoints;
    const char* picture;
  } cases[] = {
      {50, 50, u"bb1", FlyingO::KIND_STRAIGHT, 200, 1, "bb1"},
      {1, 1, nullptr, FlyingO::KIND_TURNING_ROCK, 350, 1, "a110"},
      {1, 2, nullptr, FlyingO::KIND_ROCK, 350, 1, "a120"},
      {2, 1, nullptr, FlyingO::KIND_ROCK, 250, 1, "a210"},
      {2, 2, nullptr, FlyingO::KIND_TURNING_ROCK, 250, 1, "a220"},
      {3, 3, nullptr, FlyingO::KIND_ROCK, 200, 1, "a330"},
      {150, 150, u"ufo1", FlyingO::KIND_SAUCER1, 200, 1, "ufo1"},
      {150, 150, u"ufo2", FlyingO::KIND_SAUCER2, 250, 1, "ufo2"},
      {150, 150, u"ufo3", FlyingO::KIND_BIG_SAUCER, 430, 4, "ufo3"},
      {100, 100, u"boom10", FlyingO::KIND_STILL, 200, 1, "boom10"},
  };
  for (const Case& c : cases) {
    FlyingOPtr o = new FlyingO(10, 20, 4, 6, 2, c.size, c.type, c.name, -1);
    EXPECT_EQ(o->kind, c.kind) << c.picture;
    EXPECT_EQ(o->hitSize, c.hitSize) << c.picture;
    EXPECT_EQ(o->hitPoints, c.hitPoints) << c.picture;
    EXPECT_EQ(gltest::narrow(o->imageName), c.picture);
    EXPECT_EQ(o->x, 10);
    EXPECT_EQ(o->age, 5);
    EXPECT_TRUE(o->frameDelay >= 0 && o->frameDelay < 5);
    EXPECT_TRUE(o->frame >= 0 && o->frame < 4);
    // Given speeds stay, halved for the large saucer.
    EXPECT_EQ(o->dx, c.kind == FlyingO::KIND_BIG_SAUCER ? 2 : 4) << c.picture;
    EXPECT_EQ(o->speedFactor, 2);
  }
}

TEST_F(FlyingOTest, RandomStartsKeepOutOfTheMiddleAndNeverStandStill) {
  const int w = GameLib::screenWidth, h = GameLib::screenHeight;
  for (int lv : {1, 20}) {
    rocks::level = lv;
    for (int i = 0; i < 2000; ++i) {
      FlyingOPtr o = new FlyingO(FlyingO::RANDOM, 0, FlyingO::RANDOM, 0, 1, 1, 2, nullptr, -1);
      // The rows are tested first; only a start on the rows' borders tests the columns.
      EXPECT_FALSE(inBand(o->y, h)) << o->x << "," << o->y;
      if (o->y >= h / 3 && o->y <= 2 * h / 3) {
        EXPECT_FALSE(inBand(o->x, w)) << o->x << "," << o->y;
      }
      EXPECT_TRUE(o->x >= 0 && o->x < w && o->y >= 0 && o->y < h);
      EXPECT_NE(o->dx, 0);
      EXPECT_NE(o->dy, 0);
      EXPECT_LE(std::abs(o->dx), 4);
      EXPECT_EQ(o->speedFactor, 1);
    }
  }
}

TEST_F(FlyingOTest, EdgesWrapOrBounce) {
  const int w = GameLib::screenWidth, h = GameLib::screenHeight;
  struct Case {
    bool bounce;
    int size, type;  // a rock, or 150/150 for the large saucer
    int x, y, dx, dy, width;
    int xAfter, yAfter, dxAfter, dyAfter;
  } cases[] = {
      // A rock 1 px past the edge plus a quarter of its width comes in at the other side.
      {false, 1, 2, w + 10, 50, 1, 0, 40, w + 11, 50, 1, 0},
      {false, 1, 2, w + 10, 50, 2, 0, 40, 11, 50, 2, 0},
      {false, 1, 2, -10, 50, -2, 0, 40, w - 11, 50, -2, 0},
      {false, 1, 2, 50, h + 10, 0, 1, 40, 50, 10, 0, 1},
      // The large saucer goes its whole width further before it comes back.
      {false, 150, 150, w + 9, 50, 4, 0, 36, -26, 50, 2, 0},
      // Bounce: put back at the edge, the speed turned; the top and bottom keep it a pixel inside.
      {true, 1, 2, w - 1, 50, 3, 0, 40, w, 50, -3, 0},
      {true, 1, 2, 1, 50, -3, 0, 40, 0, 50, 3, 0},
      {true, 1, 2, 50, 1, 0, -3, 40, 50, 1, 0, 3},
      {true, 1, 2, 50, h - 1, 0, 3, 40, 50, h - 1, 0, -3},
  };
  for (const Case& c : cases) {
    rocks::boundsOn = c.bounce;
    FlyingOPtr o = new FlyingO(c.x, c.y, c.dx, c.dy, 1, c.size, c.type,
                               c.size == 150 ? DStringPtr(u"ufo3") : DStringPtr(nullptr), 0);
    if (c.size != 150) {
      o->dx = c.dx;
      o->dy = c.dy;
    }
    o->width = c.width;
    o->height = c.width;
    o->move();
    EXPECT_EQ(o->x, c.xAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(o->y, c.yAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(o->dx, c.dxAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(o->dy, c.dyAfter) << c.bounce << " " << c.x << "," << c.y;
  }
  // Shots and rockets have no edge.
  rocks::boundsOn = false;
  FlyingOPtr s = shot(w + 20, 10, 1, 0);
  s->move();
  EXPECT_EQ(s->x, w + 24);
}

TEST_F(FlyingOTest, ATurningRockRunsSixteenFramesAsFourPicturesInFourTurns) {
  FlyingOPtr o = rock(1, 1, 100, 100, 0, 0);
  o->frame = 0;
  o->frameDelay = 0;
  std::string seen;
  for (int step = 0; step < 16; ++step) {
    o->move();
    // The game names the picture after each move: size and type, the frame within the turn, the suffix.
    o->imageName = (o->imageName->substring(0, 3) + o->frame % 4) + o->imageName->substring(4);
    seen += gltest::narrow(o->imageName) + " ";
  }
  EXPECT_EQ(seen,
            "a111 a112 a113 a110_up a111_up a112_up a113_up a110_lv a111_lv a112_lv a113_lv a110_dn a111_dn a112_dn "
            "a113_dn a110 ");
  // A tumbling rock counts to 15 and starts again; the large saucer to 10.
  FlyingOPtr t = rock(1, 2, 100, 100);
  t->frame = 15;
  t->frameDelay = 0;
  t->move();
  EXPECT_EQ(t->frame, 0);
  FlyingOPtr big = saucer(3, 100, 100);
  big->frame = 10;
  big->frameDelay = 0;
  big->move();
  EXPECT_EQ(big->frame, 0);
}

TEST_F(FlyingOTest, PaintOffTheScreenDrawsNothing) {
  gamelib::GameImagePtr picture = gamelib::GameImage::create(u"a120");
  ASSERT_FALSE(picture.isNull());
  GameLib::graphics->setColor(0);
  GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  FlyingOPtr o = rock(1, 2, -kLargeRockW, 100);
  EXPECT_FALSE(o->paint(picture, picture->w, picture->h));
  EXPECT_EQ(gltest::countCanvasPixels(0), GameLib::screenWidth * GameLib::screenHeight);
  EXPECT_EQ(o->width, kLargeRockW);
  // No picture: only the size is taken.
  EXPECT_TRUE(o->paint(nullptr, 7, 9));
  EXPECT_EQ(o->height, 9);
  o->x = 100;
  EXPECT_TRUE(o->paint(picture, picture->w, picture->h));
  EXPECT_EQ(gltest::countCanvasPixels(0), GameLib::screenWidth * GameLib::screenHeight - kLargeRockW * kLargeRockW);
}

TEST_F(FlyingOTest, SaucersSteerByTheNearestObject) {
  for (int i = 0; i < 50; ++i) {
    FlyingOPtr o = saucer(1, 100, 100);
    nuv::lang::DintArrayPtr nearest = new nuv::lang::DintArray(5, 50, 60, 100, 3, -2);
    o->steer(nearest);
    EXPECT_TRUE(o->dx >= 2 && o->dx <= 4) << o->dx;
    EXPECT_TRUE(o->dy >= -3 && o->dy <= -1) << o->dy;
    // The large saucer at half the speed.
    FlyingOPtr big = saucer(3, 100, 100);
    nuv::lang::DintArrayPtr far = new nuv::lang::DintArray(5, 50, 60, 100, 8, 8);
    big->steer(far);
    EXPECT_LE(std::abs(big->dx), 4);
    EXPECT_LE(std::abs(big->dy), 4);
  }
}

}  // namespace rockstest
