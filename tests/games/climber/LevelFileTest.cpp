// Level files into the cell map: padding to more than a screen, line ends anywhere, the hero, guards,
// gold and exit, the highest level kept, the view, and files that cannot be played changing nothing.
#include <gtest/gtest.h>

#include "gamelib/GameMenu.h"
#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;

const std::vector<std::string> kSmall = {"P.$..", "###H#", "E..H."};

class ClimberLevelFileTest : public ClimberObjectsFixture {};

TEST_F(ClimberLevelFileTest, ASmallMapGrowsToOneCellMoreThanTheScreenFilledWithArmour) {
  startScreen({{1, levelFile(kSmall)}});
  ASSERT_TRUE(Climber::loadLevel(1));
  // 240 / 10 + 1 columns, 320 / 14 + 1 rows.
  EXPECT_EQ(mapWidth, 25);
  EXPECT_EQ(mapHeight, 23);
  EXPECT_EQ(rows(0, 4, 7), (std::vector<std::string>{"..$..BB", "###H#BB", "X..H.BB", "BBBBBBB"}));
  EXPECT_EQ(cellAt(24, 22), 'B');
  EXPECT_EQ(hero().cell, 0);
  EXPECT_FALSE(hero().isEnemy);
  EXPECT_EQ(exitCell, 2 * mapWidth);
  EXPECT_EQ(goldLeft, 1);
}

TEST_F(ClimberLevelFileTest, LineEndsMayStandAnywhereAmongTheCells) {
  const std::string header = "5\r\n3\r\n";
  const std::string cells[] = {"P $  \r\n###H#\r\nE  H \r\n", "P $  \n###H#\nE  H \n", "P $  ###H#E  H ",
                               "P $\r\n  ###\nH#E  \r\r\nH \r\n"};
  for (const std::string& body : cells) {
    startScreen({{1, header + body}});
    ASSERT_TRUE(Climber::loadLevel(1)) << body;
    EXPECT_EQ(rows(0, 3, 5), (std::vector<std::string>{"..$..", "###H#", "X..H."})) << body;
    game->leave();
  }
}

TEST_F(ClimberLevelFileTest, TenGuardsAreMadeAndAnEleventhStaysACell) {
  startScreen({{1, levelFile({"AAAAAAAAAAA", "P.........E"})}});
  ASSERT_TRUE(Climber::loadLevel(1));
  EXPECT_EQ(enemyCount, 10);
  for (int e = 0; e < 10; ++e) {
    EXPECT_EQ(guard(e).cell, e);
    EXPECT_TRUE(guard(e).isEnemy);
    EXPECT_EQ(guard(e).state, Runner::REAPPEARING);
    EXPECT_EQ(cellAt(e, 0), '.');
  }
  // Drawn like a brick, but not solid.
  EXPECT_EQ(cellAt(10, 0), 'A');
  EXPECT_TRUE(Climber::canEnter(10, 0, true));
}

TEST_F(ClimberLevelFileTest, SeveralExitsLeaveTheLastOneToOpenAndAMapWithoutGoldStaysShut) {
  startScreen({{1, levelFile({"E...E", "P...E"})}});
  ASSERT_TRUE(Climber::loadLevel(1));
  EXPECT_EQ(rows(0, 2, 5), (std::vector<std::string>{"X...X", "....X"}));
  EXPECT_EQ(exitCell, 4 + mapWidth);
  EXPECT_EQ(goldLeft, 0);
}

TEST_F(ClimberLevelFileTest, TheHighestLevelIsSavedWhenItGrows) {
  std::map<int, std::string> levels;
  for (int n : {3, 7}) levels[n] = levelFile(kSmall);
  startScreen(levels);
  openLevel = 5;
  ASSERT_TRUE(Climber::loadLevel(7));
  EXPECT_EQ(openLevel, 7);
  EXPECT_EQ(gamelib::GameMenu::loadOption(u"climberopenlevel", 0), 7);
  ASSERT_TRUE(Climber::loadLevel(3));
  EXPECT_EQ(openLevel, 7);
  EXPECT_EQ(gamelib::GameMenu::loadOption(u"climberopenlevel", 0), 7);
}

TEST_F(ClimberLevelFileTest, CanEnterKeepsRunnersInsideTheMapAndOutOfBricks) {
  startScreen({{1, levelFile({"P#B~H-$.E"})}});
  ASSERT_TRUE(Climber::loadLevel(1));
  struct Case {
    int column, row;
    bool ladderSolid, expected;
  } cases[] = {{-1, 0, false, false}, {0, -1, false, false}, {0, mapHeight, false, false}, {mapWidth, 0, false, false},
               {1, 0, false, false},  {2, 0, false, false},  {3, 0, false, true},          {4, 0, false, true},
               {4, 0, true, false},   {5, 0, true, true},    {6, 0, true, true},           {7, 0, false, true}};
  for (const Case& c : cases)
    EXPECT_EQ(Climber::canEnter(c.column, c.row, c.ladderSolid), c.expected) << c.column << "," << c.row;
}

TEST_F(ClimberLevelFileTest, TheViewCentresTheHeroInsideTheMap) {
  // 40 x 40 cells: the hero in the middle, at the left edge, and at the bottom right corner.
  struct Case {
    int column, row, cameraX, cameraY;
  } cases[] = {{20, 20, 200 - 115, 280 - 153}, {0, 0, 0, 0}, {39, 39, 400 - 240, 560 - 320}};
  for (const Case& c : cases) {
    std::vector<std::string> map(40, std::string(40, '.'));
    map[c.row][c.column] = 'P';
    map[c.row == 0 ? 1 : 0][0] = 'E';
    startScreen({{1, levelFile(map)}});
    ASSERT_TRUE(Climber::loadLevel(1));
    EXPECT_EQ(cameraX, c.cameraX) << c.column;
    EXPECT_EQ(cameraY, c.cameraY) << c.row;
    game->leave();
  }
}

// A level file that cannot be played changes nothing of the level that runs: no half-read map, no
// positions of the last level, no level opened.
TEST_F(ClimberLevelFileTest, FilesThatCannotBePlayedChangeNothing) {
  struct Case {
    const char* what;
    std::string file;
  } cases[] = {
      {"short", "5\r\n3\r\nP $  \r\n###H#\r\nE  "},
      {"no start", levelFile({"..$..", "###H#", "E..H."})},
      {"no exit", levelFile({"P.$..", "###H#", "...H."})},
      {"width no number", "five\r\n3\r\nP $  \r\n###H#\r\nE  H \r\n"},
      {"height missing", "5\r\n"},
      {"no size", "0\r\n3\r\n"},
      {"too many cells", "0x7FFF\r\n2\r\n"},
  };
  for (const Case& c : cases) {
    startScreen({{1, levelFile({"....P", "E..$."})}, {2, c.file}});
    ASSERT_TRUE(Climber::loadLevel(1));
    const int heroCell = hero().cell;
    EXPECT_FALSE(Climber::loadLevel(2)) << c.what;
    EXPECT_FALSE(Climber::loadLevel(3)) << "missing";
    EXPECT_EQ(openLevel, 1) << c.what;
    EXPECT_EQ(hero().cell, heroCell) << c.what;
    EXPECT_EQ(rows(0, 2, 5), (std::vector<std::string>{".....", "X..$."})) << c.what;
    game->leave();
  }
}

}  // namespace
}  // namespace climbertest
