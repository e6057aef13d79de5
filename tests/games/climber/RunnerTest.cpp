// The runners' steps: stopping in the middle of a cell before bricks, falls ending on ladder tops, climbs
// ending at bricks or past a ladder's top, and the view following the hero.
#include <gtest/gtest.h>

#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;

class ClimberRunnerTest : public ClimberObjectsFixture {
 protected:
  // The hero in a cell of the map, standing still in its middle.
  static Runner& heroAt(int column, int row) {
    Runner& h = hero();
    h.column = column;
    h.row = row;
    h.cell = column + mapWidth * row;
    h.offsetX = h.offsetY = 0;
    h.state = Runner::STANDING;
    h.cellChanged = false;
    return h;
  }
};

TEST_F(ClimberRunnerTest, TheStepLengthsComeFromTheCell) {
  playLevel({"P.E$"});
  EXPECT_EQ(tileWidth, 10);
  EXPECT_EQ(tileHeight, 14);
  EXPECT_EQ(bufferColumns, 26);
  EXPECT_EQ(bufferRows, 24);
  EXPECT_EQ(backBuffer->getWidth(), 260);
  EXPECT_EQ(backBuffer->getHeight(), 336);
  EXPECT_EQ(stepX, 3);
  EXPECT_EQ(smallStepX, 1);
  EXPECT_EQ(stepY, 3);
  EXPECT_EQ(fallStepY, 6);
}

TEST_F(ClimberRunnerTest, ABrickStopsTheHeroInTheMiddleOfHisCell) {
  playLevel({"#P.E$", "#####"});
  Runner& h = heroAt(1, 0);
  h.state = Runner::WALKING;
  h.offsetX = -2;
  h.stepHorizontal(-1);
  EXPECT_EQ(h.offsetX, 0);
  EXPECT_EQ(h.column, 1);
  EXPECT_EQ(h.state, Runner::STANDING);
  EXPECT_TRUE(h.cellChanged);
  // Into open air the hero walks on, changing cells past the middle between them.
  heroAt(1, 0).state = Runner::WALKING;
  for (int i = 0; i < 2; ++i) h.stepHorizontal(1);
  EXPECT_EQ(h.offsetX, 6 - 10);
  EXPECT_EQ(h.column, 2);
  EXPECT_EQ(h.cell, 2);
  EXPECT_TRUE(h.cellChanged);
}

TEST_F(ClimberRunnerTest, AFallEndsOnALadderTopAndAClimbAtBricksOrPastTheLadder) {
  playLevel({"P.E$.",  //
             "...#.",  //
             "...H.",  //
             "...H.",  //
             "#####"});
  // Falling from the top row onto the ladder at column 3: the fall stops on the cell above it.
  (*cells)[3 + mapWidth] = u' ';
  Runner& h = heroAt(3, 0);
  h.state = Runner::FALLING;
  for (int i = 0; i < 10 && h.state == Runner::FALLING; ++i) h.stepVertical(1, true);
  EXPECT_EQ(h.row, 1);
  EXPECT_EQ(h.offsetY, 0);
  EXPECT_EQ(h.state, Runner::STANDING);

  // Climbing up the ladder into a brick stops in the middle of the top ladder cell.
  (*cells)[3 + mapWidth] = u'#';
  heroAt(3, 3).state = Runner::CLIMBING;
  for (int i = 0; i < 20 && h.state == Runner::CLIMBING; ++i) h.stepVertical(-1, false);
  EXPECT_EQ(h.row, 2);
  EXPECT_EQ(h.offsetY, 0);

  // Without the brick, climbing past the ladder's top leaves the hero standing on the cell above it.
  (*cells)[3 + mapWidth] = u' ';
  heroAt(3, 3).state = Runner::CLIMBING;
  for (int i = 0; i < 20 && h.state == Runner::CLIMBING; ++i) h.stepVertical(-1, false);
  EXPECT_EQ(h.row, 1);
  EXPECT_EQ(h.offsetY, 0);
  EXPECT_EQ(h.state, Runner::STANDING);
}

TEST_F(ClimberRunnerTest, TheViewFollowsTheHeroAndDrawsTheColumnsComingIntoIt) {
  std::vector<std::string> map = {std::string(60, '.'), std::string(60, '#')};
  map[0][0] = 'P';
  map[0][59] = 'E';
  map[0][58] = '$';
  playLevel(map);
  Runner& h = heroAt(0, 0);
  EXPECT_EQ(cameraX, 0);
  // Walk right until the view has scrolled three cells and a bit.
  h.state = Runner::WALKING;
  while (h.column * tileWidth + h.offsetX < 115 + 35) h.stepHorizontal(1);
  EXPECT_EQ(cameraX, h.column * tileWidth + h.offsetX - 115);
  // Column 28 is the buffered window's last: drawn as it came in, its brick under the path.
  const int place = (28 * tileWidth) % bufferWidth;
  EXPECT_EQ(imagePixel(backBuffer, place + 5, (1 * tileHeight) % bufferHeight + 5), gltest::rgb565(kBrickColours[1]));
}

}  // namespace
}  // namespace climbertest
