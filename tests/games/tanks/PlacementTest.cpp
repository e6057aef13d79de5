// Where the field sits on the 240 x 320 screen: centred when it is narrower, following the player's tank
// when it is wider until an edge of the field reaches the screen's edge; and under the top strip.
#include <gtest/gtest.h>

#include "games/tanks/TanksGlobals.h"
#include "games/tanks/TanksObjectsFixture.h"

namespace tankstest {
namespace {

using namespace tanks;

TEST_F(TanksObjectsFixture, ANarrowFieldIsCentredAndAWideOneFollowsThePlayerToItsEdges) {
  // 5 blocks are 80 pixels; 20 blocks are 320 pixels, wider than the screen.
  const std::string wide = "E...................";
  const std::string wideBottom = "P..................B";
  struct Case {
    bool wideField;
    int playerX;  // cells
    int offsetX;
  } cases[] = {
      {false, 0, 80},        {false, 16, 80}, {true, 0, 0},  // the left edge stays at the screen's edge
      {true, 40, 120 - 160},                                 // the tank (at 160 pixels) at the screen's middle
      {true, 76, 240 - 320},                                 // the right edge stays at the screen's edge
  };
  for (const Case& c : cases) {
    if (c.wideField) {
      load({wide, std::string(20, '.'), std::string(20, '.'), wideBottom});
    } else {
      load({"E....", ".....", ".....", "P...B"});
    }
    player->x = c.playerX;
    EXPECT_EQ(field->offsetX(), c.offsetX) << c.wideField << " " << c.playerX;
    // Four rows of 16 pixels stand on the status bar.
    EXPECT_EQ(field->offsetY(), 320 - panelBottomRight->getHeight() - 64);
  }
}

}  // namespace
}  // namespace tankstest
