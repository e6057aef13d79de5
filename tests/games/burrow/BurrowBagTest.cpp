// Bags: they wobble once the earth below is dug, fall a fifth of a cell per step, rest after a fall of one
// cell and break into gold after two, are held by the hero standing under them facing up, and are pushed a
// cell sideways; at the field's edge a push is dropped and no cell off the field is named.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowBagTest : public BurrowObjectsFixture {
 protected:
  // Bag 0 at the top of column 5, the hero out of the way at the bottom left.
  void SetUp() override {
    BurrowObjectsFixture::SetUp();
    startLevel({".....B"});
    putHero(0, 9, DIR_LEFT);
  }
  static void dig(int column, int row) { (*mapCells)[row * 15 + column] = static_cast<int16_t>(CELL_TUNNELS); }
  // One play step of the bags and one paint, as the game runs them.
  static void step() {
    Level::updateBags();
    Level::paintBags(true);
  }
  // Steps until bag 0 stops falling; the number of steps.
  static int fallFully() {
    int steps = 0;
    while (steps < 200 && (bag(0).wobbling || bag(0).falling)) {
      step();
      ++steps;
    }
    return steps;
  }
};

TEST_F(BurrowBagTest, AFallOfOneCellRestsAndOfTwoBreaks) {
  struct Case {
    std::vector<int> dugRows;  // dug cells of column 5 under the bag
    int restRow;
    bool breaks;
  };
  const Case cases[] = {
      {{1}, 1, false}, {{1, 2}, 2, true}, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 9, true},  // onto the bottom row
  };
  for (const Case& c : cases) {
    startLevel({".....B"});
    putHero(0, 9, DIR_LEFT);
    for (int r : c.dugRows) dig(5, r);
    step();
    EXPECT_TRUE(bag(0).wobbling);
    // 32 paints of wobbling, then the fall.
    for (int i = 0; i < bagWobbleSteps; ++i) step();
    EXPECT_TRUE(bag(0).falling);
    EXPECT_EQ(takeSound(), SOUND_DROP_BAG);
    fallFully();
    EXPECT_EQ(bag(0).row, c.restRow);
    EXPECT_EQ(bag(0).y, c.restRow * 15);
    EXPECT_EQ(bag(0).breaking || bag(0).gold, c.breaks) << c.restRow;
    if (!c.breaks) {
      EXPECT_EQ(bag(0).fallen, 0);
      EXPECT_EQ(bag(0).wobbleTimer, bagWobbleSteps);
    }
  }
}

TEST_F(BurrowBagTest, AFallTakesFiveStepsACellAndDigsItsWay) {
  dig(5, 1);
  dig(5, 2);
  bag(0).wobbling = false;
  bag(0).falling = true;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bag(0).row, 0) << i;
    Level::updateBags();
  }
  EXPECT_EQ(bag(0).row, 1);
  EXPECT_EQ(bag(0).fallOffset, 0);
  EXPECT_NE(cell(5, 0) & 0x8000, 0);  // its own cell's bottom fifth
}

TEST_F(BurrowBagTest, ABagOnTheBottomRowNeverWobbles) {
  startLevel({"", "", "", "", "", "", "", "", "", "..B"});
  putHero(6, 8, DIR_UP);
  step();
  EXPECT_FALSE(bag(0).wobbling);
  EXPECT_FALSE(bag(0).falling);
}

TEST_F(BurrowBagTest, TheHeroUnderAWobblingBagFacingUpHoldsIt) {
  dig(5, 1);
  putHero(5, 1, DIR_UP);
  for (int i = 0; i < 100; ++i) step();
  EXPECT_TRUE(bag(0).wobbling);
  EXPECT_FALSE(bag(0).falling);
  EXPECT_EQ(bag(0).wobbleTimer, bagWobbleSteps);
  // Turned away, the bag goes on wobbling and falls.
  hero().direction = DIR_LEFT;
  for (int i = 0; i < bagWobbleSteps; ++i) step();
  EXPECT_TRUE(bag(0).falling);
}

TEST_F(BurrowBagTest, GoldGoesSixHundredPaintsAfterTheBreakBegan) {
  bag(0).breaking = true;
  int paints = 0;
  while (bag(0).active && paints < 1000) {
    Level::paintBags(true);
    ++paints;
    if (paints == 1) {
      EXPECT_EQ(takeSound(), SOUND_BREAK_BAG);
    }
  }
  EXPECT_EQ(paints, bagBreakSteps);
  EXPECT_FALSE(bag(0).gold);
}

TEST_F(BurrowBagTest, APushMovesACellInFiveMovesEachFollowedByARest) {
  struct Case {
    int direction;
    int endColumn;
  };
  for (const Case& c : {Case{DIR_RIGHT, 6}, Case{DIR_LEFT, 4}}) {
    startLevel({".....B"});
    putHero(0, 9, DIR_LEFT);
    bag(0).pushDirection = c.direction;
    int updates = 0;
    while (bag(0).pushDirection != DIR_NONE && updates < 50) {
      Level::updateBags();
      ++updates;
    }
    EXPECT_EQ(updates, 9) << c.direction;  // five moves, four rests between them
    EXPECT_EQ(bag(0).column, c.endColumn);
    EXPECT_EQ(bag(0).x, c.endColumn * 15);
    EXPECT_EQ(bag(0).pushOffset, 0);
  }
}

TEST_F(BurrowBagTest, APushIsDroppedAtTheEdgeOrAgainstABagButNotMidway) {
  startLevel({"BB............B"});
  putHero(0, 9, DIR_LEFT);
  // Against the right edge, against the left edge, against the bag beside it.
  bag(2).pushDirection = DIR_RIGHT;
  bag(0).pushDirection = DIR_LEFT;
  bag(1).pushDirection = DIR_LEFT;
  dirtyCount = 0;
  Level::updateBags();
  EXPECT_EQ(bag(2).x, 14 * 15);
  EXPECT_EQ(bag(0).x, 0);
  EXPECT_EQ(bag(1).x, 15);
  for (int i = 0; i < maxBags; ++i) EXPECT_EQ(bag(i).pushDirection, DIR_NONE) << i;
  // The bag at the right edge pushed left names no cell past the edge.
  Level::updateBags();
  bag(2).pushDirection = DIR_LEFT;
  dirtyCount = 0;
  Level::updateBags();
  EXPECT_EQ(bag(2).x, 14 * 15 - 3);
  for (int i = 0; i < dirtyCount; ++i) EXPECT_LT((*dirtyCells)[i] >> 16, 15);

  // Halfway through a push, a bag that stands in the next cell does not stop it.
  startLevel({"..B.B"});
  putHero(0, 9, DIR_LEFT);
  bag(0).pushDirection = DIR_RIGHT;
  Level::updateBags();
  Level::updateBags();
  bag(1).place(0, 3);  // now right beside the moving bag
  for (int i = 0; i < 10; ++i) Level::updateBags();
  EXPECT_EQ(bag(0).x, 3 * 15);
}

TEST_F(BurrowBagTest, AWobblingBagDropsItsPush) {
  dig(5, 1);
  step();
  ASSERT_TRUE(bag(0).wobbling);
  bag(0).pushDirection = DIR_RIGHT;
  Level::updateBags();
  EXPECT_EQ(bag(0).pushDirection, DIR_NONE);
  EXPECT_EQ(bag(0).x, 5 * 15);
}

}  // namespace
}  // namespace burrowtest
