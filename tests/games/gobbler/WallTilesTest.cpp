// The maze's walls: the 41 tile patterns, the tile every wall cell of a map gets from its neighbourhood
// (a wall always as a wall), the style's tiles and the cells' rectangles.
#include <gtest/gtest.h>

#include "games/gobbler/GobblerObjectsFixture.h"
#include "games/gobbler/WallPatterns.h"

namespace gobblertest {

using namespace gobbler;

namespace {

class WallTilesTest : public GobblerObjectsFixture {
 protected:
  void SetUp() override {
    GobblerObjectsFixture::SetUp();
    startGame({{"p..", "...", "r.g"}});
  }
  // Builds the walls of a map of these rows (its own size) in a style.
  void build(const Map& rows, int style = 0) {
    writeBeside("data/gob/maps/tiles.txt", mapFile(rows));
    map = new MapBase(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), cellWidth, cellHeight);
    map->load(u"/data/gob/maps/tiles.txt");
    tileStyle = style;
    map->buildWalls();
  }
  // The tile number a cell is drawn with, 0 for the ground, -1 for none.
  static int tileOf(int column, int row) {
    const gamelib::GameImage* image = cell(column, row).image.get();
    for (int t = 0; t < data::kTilesPerStyle; ++t)
      if ((*MapBase::tileImages)[t][tileStyle].get() == image) return t;
    return -1;
  }
};

walls::Neighbourhood neighbourhoodOf(const char* cells, int eitherFill) {
  walls::Neighbourhood n = 0;
  int either = 0;
  for (int i = 0; i < walls::kCells; ++i) {
    bool wall = cells[i] == 'W';
    if (cells[i] == '-') wall = (eitherFill >> either++) & 1;
    if (wall) n |= 1u << i;
  }
  return n;
}

}  // namespace

// Each pattern, with its "either" cells filled every way, gives its own tile; the neighbourhoods no pattern
// has still get a wall tile.
TEST(WallPatterns, EveryPatternGivesItsTileAndNoWallIsLeftAsGround) {
  int matched = 0;
  for (const walls::Pattern& p : walls::kPatterns) {
    int either = 0;
    for (int i = 0; i < walls::kCells; ++i) either += p.cells[i] == '-' ? 1 : 0;
    for (int fill = 0; fill < (1 << either); ++fill) {
      EXPECT_EQ(walls::matchingTile(neighbourhoodOf(p.cells, fill)), p.tile) << p.tile << " " << fill;
      ++matched;
    }
  }
  EXPECT_EQ(matched, 213);
  int unmatched = 0;
  for (walls::Neighbourhood n = 0; n < 512; ++n) {
    if ((n & walls::kCentre) == 0 || walls::matchingTile(n) != 0) continue;
    ++unmatched;
    EXPECT_GT(walls::wallTile(n), 0) << n;
  }
  EXPECT_EQ(unmatched, 43);
}

TEST_F(WallTilesTest, TilesFromTheNeighbourhood) {
  struct Case {
    const char* what;
    Map rows;
    int column, row, tile;
  };
  const Case cases[] = {
      {"inside a solid wall", {"111", "111", "111"}, 2, 2, 25},
      // Outside the grid counts as wall.
      {"the top border above an open cell", {"101", "111", "111"}, 2, 0, 22},
      {"a single block", {"00000", "00000", "00100", "00000", "00000"}, 3, 3, 7},
      {"a single block with a wall on a diagonal", {"00000", "01000", "00100", "00000", "00000"}, 3, 3, 7},
      {"a crossing of thin walls",
       {"0000000", "0001000", "0001000", "0111110", "0001000", "0001000", "0000000"},
       4,
       4,
       8},
      {"a crossing with a wall on a diagonal",
       {"0000000", "0001000", "0011000", "0111110", "0001000", "0001000", "0000000"},
       4,
       4,
       8},
      {"left end of a horizontal wall", {"00000", "00000", "01110", "00000", "00000"}, 2, 3, 3},
      {"middle of a horizontal wall", {"00000", "00000", "01110", "00000", "00000"}, 3, 3, 1},
      {"right end of a horizontal wall", {"00000", "00000", "01110", "00000", "00000"}, 4, 3, 5},
      {"top end of a vertical wall", {"00000", "00100", "00100", "00100", "00000"}, 3, 2, 4},
      {"middle of a vertical wall", {"00000", "00100", "00100", "00100", "00000"}, 3, 3, 2},
      {"bottom end of a vertical wall", {"00000", "00100", "00100", "00100", "00000"}, 3, 4, 6},
      {"an open cell", {"00000", "00100", "00100", "00100", "00000"}, 1, 1, 0},
  };
  for (const Case& c : cases) {
    build(c.rows);
    EXPECT_EQ(tileOf(c.column, c.row), c.tile) << c.what;
  }
}

TEST_F(WallTilesTest, TheStyleIsKeptToTheFourSets) {
  build({"000", "010", "000"}, 5);
  EXPECT_EQ(tileStyle, 1);
  EXPECT_EQ(cell(2, 2).image.get(), (*MapBase::tileImages)[7][1].get());
  EXPECT_EQ(cell(1, 1).image.get(), (*MapBase::tileImages)[0][1].get());
}

TEST_F(WallTilesTest, RectanglesAndThePicture) {
  build({"000", "010"});
  const int w = cellWidth, h = cellHeight;
  const rectangle& first = *cell(0, 0).rect;
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.top, 0);
  EXPECT_EQ(first.right, w);
  EXPECT_EQ(first.bottom, h);
  const rectangle& last = *cell(4, 3).rect;
  EXPECT_EQ(last.right, 5 * w);
  EXPECT_EQ(last.bottom, 4 * h);
  EXPECT_EQ(MapBase::mazeImage->getWidth(), 5 * w);
  EXPECT_EQ(MapBase::mazeImage->getHeight(), 4 * h);
  EXPECT_TRUE(MapBase::mazeRebuild);
}

}  // namespace gobblertest
