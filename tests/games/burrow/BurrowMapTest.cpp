// The live tunnel map: the fifths each move step uncovers, which ways the tunnels lead, how a cell is
// painted, and the list of cells to redraw, which never overflows and never names a cell off the field.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowMapTest : public BurrowObjectsFixture {
 protected:
  void SetUp() override {
    BurrowObjectsFixture::SetUp();
    startLevel({});
  }
  static void setCell(int c, int r, int32_t word) { (*mapCells)[r * 15 + c] = static_cast<int16_t>(word); }
};

TEST_F(BurrowMapTest, EachMoveStepUncoversOneFifth) {
  struct Case {
    const char* what;
    int direction;
    std::vector<int> offsets;  // the mover's offset at each step, in the cell (5, 5)
    int column, row;           // the cell whose bits are uncovered
    std::vector<int32_t> bits;
  };
  const Case cases[] = {
      {"right: the cell ahead from the left",
       DIR_RIGHT,
       {3, 6, 9, 12, 15},
       6,
       5,
       {0x0400, 0x0200, 0x0100, 0x0080, 0x0040}},
      {"left: the own cell, from the left edge",
       DIR_LEFT,
       {0, 3, 6, 9, 12},
       5,
       5,
       {0x0400, 0x0200, 0x0100, 0x0080, 0x0040}},
      {"up: the own cell, from the bottom", DIR_UP, {12, 9, 6, 3, 0}, 5, 5, {0x8000, 0x4000, 0x2000, 0x1000, 0x0800}},
      {"down: the cell below, from the top",
       DIR_DOWN,
       {3, 6, 9, 12, 15},
       5,
       6,
       {0x0800, 0x1000, 0x2000, 0x4000, 0x8000}},
  };
  for (const Case& c : cases) {
    for (size_t i = 0; i < c.offsets.size(); ++i) {
      setCell(c.column, c.row, 0);
      const bool horizontal = c.direction == DIR_RIGHT || c.direction == DIR_LEFT;
      Level::carve(5, 5, horizontal ? c.offsets[i] : 0, horizontal ? 0 : c.offsets[i], c.direction);
      EXPECT_EQ(cell(c.column, c.row), c.bits[i]) << c.what << " at offset " << c.offsets[i];
    }
  }
  // Bits are only set, the content stays, and a step between fifths or a stop uncovers nothing.
  setCell(5, 5, CELL_CRYSTAL);
  Level::carve(5, 5, 0, 0, DIR_UP);
  Level::carve(5, 5, 0, 7, DIR_UP);
  Level::carve(5, 5, 0, 0, DIR_NONE);
  EXPECT_EQ(cell(5, 5), 0x0800 | CELL_CRYSTAL);
  // A mover at the edge uncovers nothing off the field.
  Level::carve(14, 9, 15, 0, DIR_RIGHT);
  Level::carve(14, 9, 0, 15, DIR_DOWN);
  EXPECT_EQ(cell(0, 0), 0);
}

TEST_F(BurrowMapTest, PassabilityNeedsTheTunnelOnBothSides) {
  struct Case {
    const char* what;
    int32_t here, there;
    bool (*test)(int32_t, int32_t);
    int dc, dr;
    bool expected;
  };
  const Case cases[] = {
      {"down through a vertical tunnel", 0xF800, 0x0800, Level::canGoDown, 0, 1, true},
      {"down: the cell below not dug at its top", 0xF800, 0x8000, Level::canGoDown, 0, 1, false},
      {"down from a turn: bottom fifth and the middle", 0x8380, 0x0800, Level::canGoDown, 0, 1, true},
      {"down: the turn lacks its middle", 0x8300, 0x0800, Level::canGoDown, 0, 1, false},
      {"up through a vertical tunnel", 0x7800, 0x8000, Level::canGoUp, 0, -1, true},
      {"up from a turn", 0x0B80, 0x8000, Level::canGoUp, 0, -1, true},
      {"left through a horizontal tunnel", 0x0780, 0x0040, Level::canGoLeft, -1, 0, true},
      {"left from a turn", 0x7400, 0x0040, Level::canGoLeft, -1, 0, true},
      {"left: the cell to the left not dug at its right", 0x07C0, 0x0400, Level::canGoLeft, -1, 0, false},
      {"right through a horizontal tunnel", 0x03C0, 0x0400, Level::canGoRight, 1, 0, true},
      {"right: a vertical tunnel with its right fifth", 0xF840, 0x0400, Level::canGoRight, 1, 0, true},
      {"right: plain earth", 0x0000, 0x0400, Level::canGoRight, 1, 0, false},
  };
  for (const Case& c : cases) {
    setCell(5, 5, c.here);
    setCell(5 + c.dc, 5 + c.dr, c.there);
    EXPECT_EQ(c.test(5, 5), c.expected) << c.what;
    setCell(5 + c.dc, 5 + c.dr, 0);
  }
  // No tunnel leads off the field.
  setCell(14, 9, 0xFFC0);
  EXPECT_FALSE(Level::canGoRight(14, 9));
  EXPECT_FALSE(Level::canGoDown(14, 9));
  EXPECT_EQ(Level::cellAt(15, 9), 0);
  EXPECT_EQ(Level::cellAt(-1, 0), 0);
}

TEST_F(BurrowMapTest, CellsArePaintedByTheirWords) {
  struct Case {
    const char* what;
    int32_t word;
    uint32_t centre;  // the colour at the cell's middle once painted
  };
  const Case cases[] = {
      {"earth", 0x0000, kEarthColour},
      {"a crossing", 0xFFC0, kCrossingColour},
      {"a dug-out square is the crossing alone", 0xFFC1, kCrossingColour},
      {"a full vertical tunnel", 0xF800, kVerticalColour},
      {"a full vertical tunnel with a horizontal fifth: its mask on top", 0xF840, kMaskColour},
      {"a full horizontal tunnel", 0x07C0, kVerticalColour},  // the vertical tile turned
      {"a crystal", CELL_CRYSTAL, kCrystalColour},
      {"a crystal partly dug: its masks over it", 0x0800 | CELL_CRYSTAL, kMaskColour},
      {"a crystal in a full tunnel shows the tunnel only", 0xF800 | CELL_CRYSTAL, kVerticalColour},
      {"an eaten crystal", CELL_EATEN, kEatenColour},
  };
  for (const Case& c : cases) {
    gamelib::GameLib::graphics->setColor(0x123456);
    gamelib::GameLib::graphics->fillRect(0, 0, 240, 320);
    Level::paintCell(c.word, 30, 30);
    EXPECT_EQ(gltest::canvasPixel(37, 37), gltest::rgb565(c.centre)) << c.what;
    EXPECT_EQ(gltest::canvasPixel(45, 37), gltest::rgb565(0x123456)) << c.what << ": the cell's neighbour";
  }
}

TEST_F(BurrowMapTest, TheDirtyListNeverOverflowsNorLeavesTheField) {
  dirtyCount = 0;
  fieldDirty = false;
  Level::markDirty(15, 0);
  Level::markDirty(-1, 3);
  Level::markDirty(3, 10);
  EXPECT_EQ(dirtyCount, 0);
  for (int i = 0; i < 150; ++i) Level::markDirty(i % 15, i / 15);
  EXPECT_EQ(dirtyCount, 150);
  EXPECT_FALSE(fieldDirty);
  // One more: the next paint draws the whole field instead.
  Level::markDirty(0, 0);
  EXPECT_EQ(dirtyCount, 150);
  EXPECT_TRUE(fieldDirty);
}

TEST_F(BurrowMapTest, PaintingTheDirtyCellsDrawsThemThenTheBagsAndTheCherry) {
  startLevel({"...B"});
  gamelib::GameLib::graphics->setColor(0x123456);
  gamelib::GameLib::graphics->fillRect(0, 0, 240, 320);
  dirtyCount = 0;
  cherryShown = true;
  Level::paintDirty();
  EXPECT_EQ(fieldPixel(3 * 15 + 7, 7), gltest::rgb565(kBagColour));
  EXPECT_EQ(fieldPixel(14 * 15 + 7, 7), gltest::rgb565(kCherryColour));
  EXPECT_EQ(fieldPixel(5 * 15 + 7, 7), gltest::rgb565(0x123456));
  Level::markDirty(5, 0);
  Level::paintDirty();
  EXPECT_EQ(fieldPixel(5 * 15 + 7, 7), gltest::rgb565(kEarthColour));
  EXPECT_EQ(dirtyCount, 0);
}

TEST_F(BurrowMapTest, CrystalsAreCountedAndBagsFound) {
  startLevel({"CC", "..C"});
  EXPECT_EQ(Level::countCrystals(), 3);
  setCell(0, 0, CELL_EATEN);
  EXPECT_EQ(Level::countCrystals(), 2);
  EXPECT_EQ(crystalsLeft, 2);
  bag(0).place(4, 6);
  EXPECT_TRUE(Level::bagAt(6, 4));
  EXPECT_FALSE(Level::bagFallingInColumn(6));
  bag(0).active = false;
  bag(0).falling = true;
  EXPECT_FALSE(Level::bagAt(6, 4));
  EXPECT_TRUE(Level::bagFallingInColumn(6));  // active or not
}

}  // namespace
}  // namespace burrowtest
