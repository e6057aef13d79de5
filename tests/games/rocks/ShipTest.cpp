// The player's ship: its sixteen headings, the thrust ramp under the top speed, drift without drag, the
// screen edge, hits with their invulnerable spell, the gun's offsets and drawing.
#include <gtest/gtest.h>

#include <string>

#include "games/rocks/RocksObjectsFixture.h"
#include "platform/seam/clock.h"

namespace rockstest {

using namespace rocks;
using gamelib::GameLib;
using nuv::lang::DStringPtr;

namespace {

std::string text(const DStringPtr& s) { return gltest::narrow(s); }

}  // namespace

class ShipTest : public RocksObjectsFixture {
 protected:
  void SetUp() override {
    RocksObjectsFixture::SetUp();
    startGame();
    setUpLevel(1);
  }
  Ship& s() { return *ship; }
  void head(const char16_t* quadrant, int frame) {
    s().quadrant = quadrant;
    s().frame = frame;
  }
};

TEST_F(ShipTest, TurnsWalkTheSixteenHeadingsAndWrapBetweenQuarters) {
  struct Case {
    const char16_t* quadrant;
    int frame;
    bool left;
    const char* quadrantAfter;
    int frameAfter;
  } cases[] = {
      {u"_dn", 4, true, "", 1},    {u"", 1, false, "_dn", 4},   {u"", 4, true, "_up", 1},     {u"_up", 1, false, "", 4},
      {u"_up", 4, true, "_lv", 1}, {u"_lv", 4, true, "_dn", 1}, {u"_lv", 2, false, "_lv", 1},
  };
  for (const Case& c : cases) {
    head(c.quadrant, c.frame);
    s().rampIndex = 7;
    if (c.left) {
      s().turnLeft();
    } else {
      s().turnRight();
    }
    EXPECT_EQ(text(s().quadrant), c.quadrantAfter) << text(DStringPtr(c.quadrant)) << c.frame;
    EXPECT_EQ(s().frame, c.frameAfter) << text(DStringPtr(c.quadrant)) << c.frame;
    // Every turn restarts the ramp with its first impulse.
    EXPECT_EQ(s().rampIndex, 1);
  }
  head(u"", 3);
  for (int i = 0; i < 16; ++i) s().turnLeft();
  EXPECT_EQ(text(s().quadrant), "");
  EXPECT_EQ(s().frame, 3);
}

TEST_F(ShipTest, DirectionsPointAlongTheHeadings) {
  struct Case {
    const char16_t* quadrant;
    int frame;
    int x, y;
  } cases[] = {
      {u"", 4, 0, -1000},      {u"", 1, 923, -382},  {u"", 2, 707, -707},    {u"_up", 4, -1000, 0},
      {u"_up", 1, -382, -923}, {u"_lv", 4, 0, 1000}, {u"_lv", 1, -923, 382}, {u"_dn", 4, 1000, 0},
      {u"_dn", 1, 382, 923},   {u"_xx", 2, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(s().directionX(c.frame, c.quadrant), c.x) << text(DStringPtr(c.quadrant)) << c.frame;
    EXPECT_EQ(s().directionY(c.frame, c.quadrant), c.y) << text(DStringPtr(c.quadrant)) << c.frame;
  }
}

TEST_F(ShipTest, ThrustRampsUpAndNeverReachesTheTopSpeed) {
  head(u"", 4);  // straight up
  s().vx = s().vy = 0;
  s().rampIndex = 0;
  // Impulses 1, 1, 1, 2, 2, 2 ... of the ramp: speeds 1, 2, 3, 5; 7 would reach the top speed of 7.
  const int expected[] = {-1, -2, -3, -5, -5, -5};
  for (int v : expected) {
    s().thrust();
    EXPECT_EQ(s().vy, v);
    EXPECT_EQ(s().vx, 0);
  }
  for (int i = 0; i < 30; ++i) s().thrust();
  EXPECT_EQ(s().rampIndex, s().rampMax);
  EXPECT_LT(s().vx * s().vx + s().vy * s().vy, 49);
  // A small impulse at a slant truncates to nothing: 1 x 923 / 1000 and 1 x 382 / 1000.
  head(u"", 1);
  s().vx = s().vy = 0;
  s().rampIndex = 0;
  s().thrust();
  EXPECT_EQ(s().vx, 0);
  EXPECT_EQ(s().vy, 0);
}

TEST_F(ShipTest, DriftKeepsItsSpeedAndMovesTheStarsAgainstIt) {
  s().vx = 2;
  s().vy = -1;
  s().x = 100;
  s().y = 100;
  const int first[] = {(*(*stars)[0])[0], (*(*stars)[starsPerLayer])[0], (*(*stars)[2 * starsPerLayer])[0]};
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(s().move());
  EXPECT_EQ(s().x, 110);
  EXPECT_EQ(s().y, 95);
  EXPECT_EQ(s().vx, 2);
  // Layers move 1/8, 1/2 and 2 times the ship's motion the other way (16.16, wrapping at the width).
  const int w = GameLib::screenWidth << 16;
  const int pace[] = {8192, 32768, 131072};
  for (int layer = 0; layer < 3; ++layer) {
    const int now = (*(*stars)[layer * starsPerLayer])[0];
    EXPECT_EQ(((first[layer] - 5 * 2 * pace[layer]) % w + w) % w, now) << layer;
  }
  s().vx = s().vy = 0;
  EXPECT_FALSE(s().move());
}

TEST_F(ShipTest, EdgesWrapOrBounce) {
  const int w = GameLib::screenWidth, h = GameLib::screenHeight, q = kShipW / 4;
  struct Case {
    bool bounce;
    int x, y, vx, vy;
    int xAfter, yAfter, vxAfter, vyAfter;
  } cases[] = {
      // Wrap: a quarter of the ship past the edge, then it comes in at the other side.
      {false, w + q, 50, 1, 0, w + q + 1, 50, 1, 0},
      {false, w + q + 1, 50, 1, 0, q + 1, 50, 1, 0},
      {false, -q, 50, -1, 0, -q - 1, 50, -1, 0},
      {false, -q - 1, 50, -1, 0, w - q - 1, 50, -1, 0},
      {false, 50, h + q, 0, 1, 50, h + q - h, 0, 1},
      {false, 50, -q - 1, 0, -1, 50, h - q - 1, 0, -1},
      // Bounce: held at the edge with the speed turned.
      {true, w, 50, 3, 0, w, 50, -3, 0},
      {true, 1, 50, -3, 0, 0, 50, 3, 0},
      {true, 50, h - 1, 0, 2, 50, h, 0, -2},
      {true, 50, 1, 0, -2, 50, 0, 0, 2},
  };
  for (const Case& c : cases) {
    rocks::boundsOn = c.bounce;
    s().x = c.x;
    s().y = c.y;
    s().vx = c.vx;
    s().vy = c.vy;
    s().move();
    EXPECT_EQ(s().x, c.xAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(s().y, c.yAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(s().vx, c.vxAfter) << c.bounce << " " << c.x << "," << c.y;
    EXPECT_EQ(s().vy, c.vyAfter) << c.bounce << " " << c.x << "," << c.y;
  }
}

TEST_F(ShipTest, AHitCostsOneLifeThenTheShipIsSafeForThreeSeconds) {
  ASSERT_EQ(s().lives, kLives);
  s().hit();
  EXPECT_EQ(s().lives, kLives - 1);
  EXPECT_TRUE(s().invulnerable);
  EXPECT_GT(s().spin, -20);
  EXPECT_LT(s().spin, 20);
  s().hit();
  EXPECT_EQ(s().lives, kLives - 1);
  platform::advanceManualClock(3000);
  s().move();
  EXPECT_TRUE(s().invulnerable);
  platform::advanceManualClock(1);
  s().move();
  EXPECT_FALSE(s().invulnerable);
  // The hidden invulnerability keeps every life.
  rocks::invulnerable = true;
  s().hit();
  EXPECT_EQ(s().lives, kLives - 1);
  rocks::invulnerable = false;
  s().lives = 0;
  s().hit();
  EXPECT_EQ(s().lives, 0);
  EXPECT_FALSE(s().invulnerable);
}

TEST_F(ShipTest, TheGunSitsWhereTheTextTableSays) {
  struct Case {
    const char16_t* quadrant;
    int frame;
    int dx, dy;
  } cases[] = {
      {u"", 1, 4, -2},   {u"", 4, 0, -4},   {u"_up", 1, -2, -4}, {u"_up", 4, -4, 0}, {u"_lv", 2, -3, 3},
      {u"_lv", 4, 0, 4}, {u"_dn", 1, 2, 4}, {u"_dn", 3, 4, 2},   {u"_dn", 4, 4, 0},
  };
  for (const Case& c : cases) {
    head(c.quadrant, c.frame);
    nuv::lang::DintArrayPtr gun = s().getGunOffset();
    EXPECT_EQ((*gun)[0], c.dx) << text(DStringPtr(c.quadrant)) << c.frame;
    EXPECT_EQ((*gun)[1], c.dy) << text(DStringPtr(c.quadrant)) << c.frame;
  }
}

TEST_F(ShipTest, ALevelStartsInTheMiddleOnASlantWithTheTextTablesLives) {
  for (int i = 0; i < 20; ++i) {
    s().lives = 1;
    s().reset();
    EXPECT_EQ(s().lives, kLives);
    EXPECT_EQ(s().x, GameLib::screenWidth / 2);
    EXPECT_EQ(s().y, GameLib::screenHeight / 2);
    // Halfway between the 45-degree directions: frame 1 or 3 of a quarter.
    EXPECT_TRUE(s().frame == 1 || s().frame == 3) << s().frame;
    EXPECT_FALSE(s().invulnerable);
    EXPECT_EQ(s().width, kShipW);
  }
}

TEST_F(ShipTest, PaintDrawsNothingWithoutLivesAndOneCopyAcrossACorner) {
  const uint16_t shipPixel = static_cast<uint16_t>(((kShipColour >> 19) << 11) | (((kShipColour >> 10) & 0x3F) << 5) |
                                                   ((kShipColour >> 3) & 0x1F));
  const int w = GameLib::screenWidth, h = GameLib::screenHeight;
  GameLib::graphics->setColor(0);
  GameLib::graphics->fillRect(0, 0, w, h);
  s().lives = 0;
  s().changed = true;
  s().paint();
  EXPECT_EQ(gltest::countCanvasPixels(shipPixel), 0);
  EXPECT_TRUE(s().changed);

  s().lives = 1;
  s().invulnerable = false;
  s().x = 2;
  s().y = 3;
  s().paint();
  EXPECT_FALSE(s().changed);
  // The part past the top left corner shows at the bottom right, and nowhere else.
  EXPECT_EQ(gltest::canvasPixel(0, 0), shipPixel);
  EXPECT_EQ(gltest::canvasPixel(w - 1, h - 1), shipPixel);
  EXPECT_NE(gltest::canvasPixel(w - 1, 0), shipPixel);
  EXPECT_NE(gltest::canvasPixel(0, h - 1), shipPixel);
  // Columns 0..15 and rows 0..16 at the top left; columns 229..239 and rows 310..319 at the bottom right.
  EXPECT_EQ(gltest::countCanvasPixels(shipPixel), 16 * 17 + 11 * 10);
}

}  // namespace rockstest
