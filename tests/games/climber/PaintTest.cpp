// Drawing the game: the back buffer copied to the screen at the view's offset without a seam, cells
// drawn only inside the buffered window, the gold's shine, the pictures a level takes in turn, runners
// by state, and the level intro's life icons.
#include <gtest/gtest.h>

#include "gamelib/GameImage.h"
#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;
using gamelib::GameLib;
using gltest::canvasPixel;
using gltest::rgb565;

class ClimberPaintTest : public ClimberObjectsFixture {
 protected:
  // The back buffer's pixel in the middle of a map cell's place.
  static uint16_t cellColour(int column, int row) {
    return imagePixel(backBuffer, (column * tileWidth) % bufferWidth + tileWidth / 2,
                      (row * tileHeight) % bufferHeight + tileHeight - 1);
  }
  // A 60 x 40 map of empty cells on a brick floor, the hero at its top left.
  void wideLevel() {
    std::vector<std::string> map(40, std::string(60, '.'));
    map[39] = std::string(60, '#');
    map[0][0] = 'P';
    map[38][59] = 'E';
    map[38][58] = '$';
    playLevel(map);
  }
};

TEST_F(ClimberPaintTest, TheBufferCoversTheScreenAtAnyOffsetWithoutASeam) {
  wideLevel();
  // Every cell of the buffered window drawn with its place's colour: the first brick, then paint.
  for (int c = 0; c < bufferColumns; ++c) {
    for (int r = 0; r < bufferRows; ++r) {
      auto g = backBuffer->getGraphics();
      const int rgb = (c * 7 + r * 13) % 2 == 0 ? 0xFF0000 : 0x0000FF;
      g->setColor(rgb);
      g->fillRect(c * tileWidth, r * tileHeight, tileWidth - 1, tileHeight - 1);
    }
  }
  // On the 240 x 320 screen with 10 x 14 cells the buffer is 26 cells, 260 pixels, wide.
  constexpr int kBufferWidth = 260;
  for (int offset : {0, kBufferWidth - 5}) {
    cameraX = offset;
    cameraY = 0;
    clearScreen(0x00FF00);
    paint();
    // Screen column x shows buffer column (cameraX + x) mod the buffer's width.
    for (int x : {0, 4, 5, 6, 120, 239}) {
      const int bx = (cameraX + x) % kBufferWidth;
      EXPECT_EQ(canvasPixel(x, 100), imagePixel(backBuffer, bx, 100)) << offset << " " << x;
    }
  }
}

TEST_F(ClimberPaintTest, CellsOutsideTheMapOrTheBufferedWindowAreNotDrawn) {
  wideLevel();
  auto g = backBuffer->getGraphics();
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, bufferWidth, bufferHeight);
  const uint16_t white = rgb565(0xFFFFFF);
  // The window is columns 0 to 25 and rows 0 to 23.
  Climber::redrawCell(26, 5);
  Climber::redrawCell(5, 24);
  Climber::redrawCell(-1, 5);
  Climber::redrawCell(5, -1);
  EXPECT_EQ(cellColour(26, 5), white);
  EXPECT_EQ(cellColour(5, 24), white);
  EXPECT_EQ(cellColour(0, 5), white);
  Climber::redrawCell(25, 5);
  EXPECT_NE(cellColour(25, 5), white);
}

TEST_F(ClimberPaintTest, GoldGlintsEitherSideOfTheShine) {
  playLevel({"P$$$$.E", "#######"});
  shinePosition = 3;
  for (int c = 1; c <= 4; ++c) Climber::redrawCell(c, 0);
  // Column + row 2 is behind the shine, 4 ahead of it; 3 on the shine and 1 away from it plain.
  EXPECT_EQ(cellColour(1, 0), rgb565(kGoldColours[0]));
  EXPECT_EQ(cellColour(2, 0), rgb565(kGoldColours[1]));
  EXPECT_EQ(cellColour(3, 0), rgb565(kGoldColours[0]));
  EXPECT_EQ(cellColour(4, 0), rgb565(kGoldColours[2]));
}

TEST_F(ClimberPaintTest, ALevelTakesItsBackgroundAndBricksInTurnAndUnknownCellsAreBricks) {
  std::map<int, std::string> levels;
  levels[6] = levelFile({"P.A.#", "E.$#A", "BBBBB"});
  startScreen(levels);
  level = 6;
  ASSERT_TRUE(Climber::loadLevel(6));
  // Level 6: background 1, brick 2 of 4, armour 0 of 1.
  EXPECT_EQ(imagePixel(backBuffer, 1 * tileWidth + 1, 1), rgb565(kBackgroundColours[1]));
  EXPECT_EQ(cellColour(4, 0), rgb565(kBrickColours[2]));
  EXPECT_EQ(cellColour(0, 2), rgb565(kArmourColour));
  // A cell no picture is made for, like an eleventh guard's start left in the map, shows a brick.
  (*cells)[4 + mapWidth] = u'A';
  Climber::redrawCell(4, 1);
  EXPECT_EQ(cellColour(4, 1), rgb565(kBrickColours[2]));
}

TEST_F(ClimberPaintTest, RunnersAreDrawnByStateABuriedGuardNotAtAll) {
  playLevel({"P.A.E$", "######"});
  worldUpdate();
  Runner& g = guard(0);
  const int gx = g.column * tileWidth - cameraX, gy = g.row * tileHeight - cameraY;
  for (int state : {Runner::STANDING, Runner::BURIED, Runner::HANGING}) {
    g.state = state;
    clearScreen(0x00FF00);
    paint();
    // Standing on its cell's bottom; hanging from its top; buried: nothing.
    const bool top =
        canvasPixel(gx + 1, gy + 1) != rgb565(0x00FF00) && canvasPixel(gx + 1, gy + 1) != rgb565(kBackgroundColours[1]);
    const bool bottom = canvasPixel(gx + 1, gy + tileHeight - 1) != rgb565(kBackgroundColours[1]);
    EXPECT_EQ(top, state == Runner::HANGING) << state;
    EXPECT_EQ(bottom, state == Runner::STANDING) << state;
  }
}

TEST_F(ClimberPaintTest, TheIntroShowsOneCentredIconPerLife) {
  playLevel({"P.E$", "####"});
  gameState = STATE_LEVEL_INTRO;
  lives = 3;
  clearScreen(0xFFFFFF);
  paint();
  // Three icons 8 wide, 3 apart: 30 pixels centred on the screen.
  const int row = 160 - 2 * GameLib::font(GameLib::FONT_HUD1)->getHeight() - 3 +
                  2 * (GameLib::font(GameLib::FONT_HUD1)->getHeight() + 3) + kHeroH / 2;
  const uint16_t icon = rgb565(kHeroColour);
  int count = 0, first = -1, last = -1;
  for (int x = 0; x < 240; ++x) {
    if (canvasPixel(x, row) != icon) continue;
    ++count;
    if (first < 0) first = x;
    last = x;
  }
  EXPECT_EQ(count, 3 * kHeroW);
  EXPECT_EQ(first, (240 - 3 * (kHeroW + 3)) / 2);
  EXPECT_EQ(last, first + 3 * (kHeroW + 3) - 3 - 1);
}

// Without bricks, backgrounds or runner frames the game draws what it has and never divides by zero.
TEST_F(ClimberPaintTest, EmptyPictureListsAndSmallBackgroundsDrawNothingMissing) {
  playLevel({"P.A.E$#", "#######"});
  brickImages = new gamelib::GameImageArray(0);
  armourBrickImages = new gamelib::GameImageArray(0);
  heroGoRight = new gamelib::Animation(new nuv::lang::DStringArray(0));
  backgroundColumns = 1;
  backgroundRows = 1;
  Climber::redrawColumns(0);
  hero().state = Runner::WALKING;
  hero().directionX = 1;
  clearScreen(0);
  paint();
  backgrounds = new gamelib::GameImageArray(5);
  Climber::redrawCell(6, 0);
  EXPECT_EQ(cellColour(6, 0), rgb565(0x000000));
}

}  // namespace
}  // namespace climbertest
