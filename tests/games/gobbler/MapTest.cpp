// The maze of one level: reading map files into the bordered grid, the cell and wall queries the movers use,
// and measuring the maze from the first map.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerObjectsFixture.h"
#include "support/Exceptions.h"

namespace gobblertest {

using namespace gobbler;

namespace {

// Wall, player start, wall over wall, dot, wall; with the chasers' starts in a third row.
const Map kSmall = {"1p1", "1.1", "r1g"};

class MapTest : public GobblerObjectsFixture {
 protected:
  // A map of the fixture's first size read from these bytes as "map12".
  bool loadBytes(const std::string& file) {
    writeBeside("data/gob/maps/extra.txt", file);
    return map->load(u"/data/gob/maps/extra.txt");
  }
};

}  // namespace

TEST_F(MapTest, TheSmallMapInEachMode) {
  startGame({kSmall});
  ASSERT_EQ(mapColumns, 3);
  ASSERT_EQ(mapRows, 3);
  for (int mode : {0, 1, 2, 3}) {
    gameMode = mode;
    map = new MapBase(mapColumns, mapRows, cellWidth, cellHeight);
    ASSERT_TRUE(map->load(data::kMapFiles[0])) << mode;
    EXPECT_EQ(map->dotCount, 1) << mode;
    EXPECT_EQ(map->playerStart->x, 2 * cellWidth);
    EXPECT_EQ(map->playerStart->y, 1 * cellHeight);
    EXPECT_EQ(cell(2, 2).kind, CellBase::OPEN);
    // The dot lies out only in the dot mode, but counts in all.
    EXPECT_EQ(cell(2, 2).content, mode == 0 ? CellBase::DOT : CellBase::EMPTY) << mode;
    for (int x = 0; x <= 4; ++x) {
      EXPECT_EQ(cell(x, 0).kind, CellBase::WALL);
      EXPECT_EQ(cell(x, 4).kind, CellBase::WALL);
    }
    for (int y = 0; y <= 4; ++y) {
      EXPECT_EQ(cell(0, y).kind, CellBase::WALL);
      EXPECT_EQ(cell(4, y).kind, CellBase::WALL);
    }
  }
}

TEST_F(MapTest, CellBytesAndWhatIsSkipped) {
  startGame({kSmall});
  map = new MapBase(3, 3, cellWidth, cellHeight);
  struct Case {
    const char* what;
    std::string file;
    const char* cells;  // the nine cells' kind ('W' or 'O') and content ('.' dot, 'o' power, '*' portal, '#' door)
  };
  const Case cases[] = {
      {"every byte", "p*#\r\n.o0\r\nr1g", "O  O* O# O. Oo O  O  W  O  "},
      {"blanks, tabs and letters between cells", "p x*\t#\r\n. o 0\r\nr1g", "O  O* O# O. Oo O  O  W  O  "},
      {"a line end and blank lines after the last row", "p*#\r\n.o0\r\nr1g\r\n\r\n\r\n", "O  O* O# O. Oo O  O  W  O  "},
  };
  for (const Case& c : cases) {
    loadBytes(c.file);
    std::string got;
    for (int y = 1; y <= 3; ++y) {
      for (int x = 1; x <= 3; ++x) {
        const CellBase& k = cell(x, y);
        got += k.kind == CellBase::WALL ? "W" : "O";
        const char contents[] = " *#.o";
        got += contents[k.content];
        got += " ";
      }
    }
    EXPECT_EQ(got, c.cells) << c.what;
  }
}

// A map the game cannot be played in is reported instead of giving a maze of walls.
TEST_F(MapTest, MapsThatCannotBePlayedAreRefused) {
  startGame({kSmall});
  map = new MapBase(3, 3, cellWidth, cellHeight);
  EXPECT_FALSE(map->load(u"/data/gob/maps/missing.txt"));
  EXPECT_STREQ(map->loadFailure, "the file is missing");
  EXPECT_FALSE(loadBytes("1*1\r\n1.1\r\nr1g"));
  EXPECT_STREQ(map->loadFailure, "the map has no start for the player");
  EXPECT_TRUE(loadBytes("1p1\r\n1.1\r\nr1g"));
  EXPECT_EQ(map->loadFailure, nullptr);
}

// Every map is read into the grid measured from the first: a map of another shape, or whose lines the game
// cannot read, is refused naming the line. Before, rows were counted, not delimited: a short line pulled
// cells up from the next, a long one pushed them down, what followed the last row was dropped, and a short
// file left walls.
TEST_F(MapTest, AMapOfAnotherShapeThanTheMazeIsRefusedNamingItsLine) {
  startGame({kSmall});
  map = new MapBase(3, 3, cellWidth, cellHeight);
  struct Case {
    const char* what;
    std::string file;
    const char* why;
  } cases[] = {
      {"a short line", "p*\r\n#.o0\r\nr1g", "line 1 has 2 cells; the maze is 3 wide, measured from the first map"},
      {"a long line", "p*#\r\n.o01\r\nr1g", "line 2 has 4 cells; the maze is 3 wide, measured from the first map"},
      {"cells after the last row", "p*#\r\n.o0\r\nr1g.....",
       "line 3 has 8 cells; the maze is 3 wide, measured from the first map"},
      {"a short file", "p*#\r\nr", "line 2 has 1 cell; the maze is 3 wide, measured from the first map"},
      {"a row too few", "1p1\r\nr1g\r\n", "the map has 2 rows; the maze has 3, measured from the first map"},
      {"a row too many", "1p1\r\n1.1\r\nr1g\r\n111", "the map has 4 rows; the maze has 3, measured from the first map"},
      {"an empty first line", "\r\n1p1\r\n1.1\r\nr1g", "line 1 is empty"},
      {"an empty line between rows", "1p1\r\n1.1\r\n\r\nr1g", "line 3 is empty"},
      {"line feeds alone", "1p1\n1.1\nr1g", "line 1 ends in a line feed alone; the maze's lines end in CR LF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_THAT(test::thrownMessage([&] { loadBytes(c.file); }),
                ::testing::EndsWith(std::string(": data/gob/maps/extra.txt: ") + c.why));
  }
}

TEST_F(MapTest, CellsOutsideTheGridAreNull) {
  startGame({kSmall});
  map = new MapBase(3, 3, cellWidth, cellHeight);
  EXPECT_TRUE(map->cellAt(-1, 0).isNull());
  EXPECT_TRUE(map->cellAt(5, 0).isNull());
  EXPECT_TRUE(map->cellAt(0, 5).isNull());
  EXPECT_FALSE(map->cellAt(4, 4).isNull());
  EXPECT_EQ(map->cellAt(new point(4, 4)).get(), map->getCell(4, 4).get());
}

TEST_F(MapTest, RectanglesPointsAndWalls) {
  startGame({{"p#.", "...", "r1g"}});
  gameMode = 0;
  map = new MapBase(3, 3, cellWidth, cellHeight);
  ASSERT_TRUE(map->load(data::kMapFiles[0]));
  map->buildWalls();
  struct Overlap {
    int a[4], b[4];
    bool overlap;
  };
  for (const Overlap& o :
       {Overlap{{0, 0, 16, 16}, {16, 0, 32, 16}, false}, Overlap{{0, 0, 16, 16}, {15, 15, 20, 20}, true},
        Overlap{{0, 0, 16, 16}, {0, 16, 16, 32}, false}}) {
    EXPECT_EQ(
        map->rectsOverlap(new rectangle(o.a[0], o.a[1], o.a[2], o.a[3]), new rectangle(o.b[0], o.b[1], o.b[2], o.b[3])),
        o.overlap);
  }
  EXPECT_TRUE(map->containsPoint(new rectangle(0, 0, 16, 16), new point(0, 0)));
  EXPECT_FALSE(map->containsPoint(new rectangle(0, 0, 16, 16), new point(16, 0)));
  const int c = cellWidth;
  // The door at column 2, row 1 blocks only movers that ask for it.
  rectanglePtr overDoor = new rectangle(2 * c, c, 3 * c, 2 * c);
  EXPECT_FALSE(map->hitsWall(overDoor, false));
  EXPECT_TRUE(map->hitsWall(overDoor, true));
  // Touching a wall's edge is no hit; one pixel into it is.
  EXPECT_FALSE(map->hitsWall(new rectangle(2 * c, 2 * c, 3 * c, 3 * c), true));
  EXPECT_TRUE(map->hitsWall(new rectangle(2 * c, 2 * c + 1, 3 * c, 3 * c + 1), true));
  EXPECT_TRUE(map->hitsWall(new rectangle(c - 1, c, 2 * c - 1, 2 * c), false));
  // Rectangles past the grid look only at the cells there are.
  EXPECT_TRUE(map->hitsWall(new rectangle(-100, -100, 1000, 1000), false));
}

TEST_F(MapTest, PixelSizeLeavesOutPartOfTheBorder) {
  startGame({kSmall});
  EXPECT_EQ(MapBase(19, 21, 16, 16).pixelWidth(), 322);
  EXPECT_EQ(MapBase(19, 21, 16, 16).pixelHeight(), 23 * 16);
}

// The game measures its grid from the first map's rows; the line ends and blank lines after the last row add
// none (before, a line end after the last line added an unfilled row).
TEST_F(MapTest, TheMazeIsMeasuredFromTheFirstMap) {
  startGame({kSmall});
  struct Case {
    std::string file;
    int columns, rows;
  };
  for (const Case& c :
       {Case{"1p1\r\n1.1\r\nr1g", 3, 3}, Case{"1p1\r\n1.1\r\nr1g\r\n", 3, 3}, Case{"1p11\r\n1.11\r\nr1g1", 4, 3},
        Case{"1p1\r\n1.1\r\nr1g\r\n\r\n\r\n", 3, 3}, Case{"1p1\r\n1 . 1\r\nr1g", 3, 3}}) {
    writeBeside("data/gob/maps/map00.txt", c.file);
    // The archive's map00 comes first: measure through a file beside the program instead.
    openArchive({{"x", "x"}});
    Gobbler::measureMaze();
    EXPECT_EQ(mapColumns, c.columns) << c.file;
    EXPECT_EQ(mapRows, c.rows) << c.file;
  }
}

// A first map whose lines the game cannot read is refused naming the line and what is wrong. Before, the
// width was measured from the last line ended by a carriage return, an empty one measured 0, and carriage
// returns alone measured a line short; the game then read a sheared maze or one without a start.
TEST_F(MapTest, AFirstMapWhoseLinesCannotBeReadIsRefusedNamingTheLine) {
  startGame({kSmall});
  const std::string lineEnds = "; the maze's lines end in CR LF";
  struct Case {
    const char* what;
    std::string file;
    std::string why;
  } cases[] = {
      {"an empty first line", "\r\n1p1", "line 1 is empty, and the maze's width is measured from it"},
      {"an empty first line, then whole ones", "\r\n1p1\r\nr1g",
       "line 1 is empty, and the maze's width is measured from it"},
      {"an empty line between rows", "1p1\r\n\r\nr1g", "line 2 is empty"},
      {"carriage returns alone", "1p1\r1.1\rr1g", "line 1 ends in a carriage return alone" + lineEnds},
      {"carriage returns alone, an empty line", "1p1\r\rr1g", "line 1 ends in a carriage return alone" + lineEnds},
      {"a carriage return alone at the end", "1p1\r\nr1g\r", "line 2 ends in a carriage return alone" + lineEnds},
      {"line feeds alone", "1p1\n1.1\nr1g", "line 1 ends in a line feed alone" + lineEnds},
      {"a line feed alone after the last row", "1p1\r\nr1g\n", "line 2 ends in a line feed alone" + lineEnds},
      {"a short row", "1p1\r\n1.\r\nr1g", "line 2 has 2 cells; the maze is 3 wide, measured from the first map"},
      {"a long last row", "1p1\r\n1.1\r\nr1g1", "line 3 has 4 cells; the maze is 3 wide, measured from the first map"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBeside("data/gob/maps/map00.txt", c.file);
    openArchive({{"x", "x"}});
    EXPECT_THAT(test::thrownMessage([] { Gobbler::measureMaze(); }),
                ::testing::EndsWith(": data/gob/maps/map00.txt: " + c.why));
  }
}

// The maze is drawn from one picture of it: one larger than 128 x 128 cells is refused by name as it is
// measured, before its grid is made. Before, a 93 KB map overflowed the cell count and a 40 KB one asked
// for 6.4 GB; both are line feeds alone, refused at their first line now. The bound counts the map's rows:
// the line ends and blank lines after the last one are no rows past it.
TEST_F(MapTest, AMazeLargerThanTheGameDrawsIsRefusedAsItIsMeasured) {
  startGame({kSmall});
  auto lines = [](int count, int length) {
    std::string file;
    for (int i = 0; i < count; ++i) file += (i > 0 ? "\r\n" : "") + std::string(static_cast<size_t>(length), '0');
    return file;
  };
  const char* larger = "the maze is larger than 128 x 128 cells";
  const char* lineFeed = "line 1 ends in a line feed alone; the maze's lines end in CR LF";
  struct Case {
    const char* what;
    std::string file;
    const char* why;    // null: measured
    int columns, rows;  // as measured
  } cases[] = {
      {"128 x 128", lines(128, 128), nullptr, 128, 128},
      {"128 x 128 ending in a line end", lines(128, 128) + "\r\n", nullptr, 128, 128},
      {"18 x 128 ending in a line end", lines(128, 18) + "\r\n", nullptr, 18, 128},
      {"129 columns", lines(3, 129), larger},
      {"129 columns ending in a line end", lines(3, 129) + "\r\n", larger},
      {"129 rows", lines(129, 3), larger},
      {"129 rows ending in a line end", lines(129, 3) + "\r\n", larger},
      {"128 rows and an empty one", lines(128, 3) + "\r\n\r\n", nullptr, 3, 128},
      {"93 KB of line feeds and one carriage return", std::string(46500, '\n') + "\r" + std::string(46499, '0'),
       lineFeed},
      {"40 KB of line feeds and one carriage return", std::string(20000, '\n') + "\r", lineFeed},
      {"one line of 93 KB", std::string(93000, '0') + "\r\n", larger},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBeside("data/gob/maps/map00.txt", c.file);
    openArchive({{"x", "x"}});
    const std::string thrown = test::thrownMessage([] { Gobbler::measureMaze(); });
    if (c.why) {
      EXPECT_THAT(thrown, ::testing::EndsWith(std::string(": data/gob/maps/map00.txt: ") + c.why));
    } else {
      EXPECT_EQ(thrown, "no exception");
      EXPECT_EQ(mapColumns, c.columns);
      EXPECT_EQ(mapRows, c.rows);
    }
  }
}

}  // namespace gobblertest
