// The tunnel map's level files: the cell words their characters decode into, which file and grid a level
// comes from, what a level start makes of the grid, the monster limit by level, and the step to the next
// level; a file that is missing or short is never replaced by the cells of another.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"
#include "support/Exceptions.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowLevelFileTest : public BurrowObjectsFixture {};

TEST_F(BurrowLevelFileTest, CharactersDecodeIntoCellWords) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    int column, row;
    int32_t word;
  };
  const Case cases[] = {
      {"earth", {"..............."}, 3, 0, 0x0000},
      {"any other character is earth", {"xyz"}, 1, 0, 0x0000},
      {"a lone vertical piece", {"V.."}, 0, 0, 0xF800},
      {"a lone horizontal piece", {".H."}, 1, 0, 0x07C0},
      {"a vertical piece beside a horizontal one crosses", {"VH"}, 0, 0, 0xFFC0},
      {"the horizontal one looks only up and down", {"VH"}, 1, 0, 0x07C0},
      {"a vertical piece with a tunnel on its left crosses", {"HV"}, 1, 0, 0xFFC0},
      {"a horizontal piece under a vertical one crosses", {"V", "H"}, 0, 1, 0xFFC0},
      {"a horizontal piece over one adds the vertical tunnel", {"H", "V"}, 0, 0, 0xFFC0},
      {"a square is dug out whole", {".S."}, 1, 0, 0xFFC1},
      {"a square adds nothing to its neighbours", {"VS", "S"}, 0, 0, 0xF800},
      {"a bag has no tunnel whatever its neighbours", {"VBV", ".H"}, 1, 0, 13},
      {"a crystal neither", {"HCH"}, 1, 0, 14},
      {"the last column looks no further right", {"..............V"}, 14, 0, 0xF800},
  };
  for (const Case& c : cases) {
    startGame({{"data/bur/data/1.txt", levelFile({grid(c.rows)})}});
    ASSERT_EQ(Level::load(Level::fileName(1)), 0) << c.what;
    EXPECT_EQ((*levelCells)[c.row * 15 + c.column] & 0xFFFF, c.word) << c.what;
  }
}

TEST_F(BurrowLevelFileTest, CrystalsAreCountedPerLevelOfTheFile) {
  startGame({{"data/bur/data/1.txt", levelFile({grid({"CC.C", "", "C"}), grid({}), grid({"..............C"})})}});
  ASSERT_EQ(Level::load(Level::fileName(1)), 0);
  EXPECT_EQ((*crystalsPerLevel)[0], 4);
  EXPECT_EQ((*crystalsPerLevel)[1], 0);
  EXPECT_EQ((*crystalsPerLevel)[2], 1);
  // Each decode counts afresh.
  ASSERT_EQ(Level::load(Level::fileName(1)), 0);
  EXPECT_EQ((*crystalsPerLevel)[0], 4);
}

TEST_F(BurrowLevelFileTest, EightLevelsToAFileEachAtItsPlace) {
  struct Case {
    int level;
    const char* file;
  };
  for (const Case& c : {Case{1, "/data/bur/data/1.txt"}, Case{8, "/data/bur/data/1.txt"},
                        Case{9, "/data/bur/data/2.txt"}, Case{72, "/data/bur/data/9.txt"}})
    EXPECT_EQ(gltest::narrow(Level::fileName(c.level)), c.file) << c.level;

  std::vector<std::string> grids;
  for (int i = 0; i < 8; ++i) grids.push_back(grid({std::string(static_cast<size_t>(i + 1), 'C')}));
  startGame({{"data/bur/data/2.txt", levelFile(grids)}});
  levelNumber = 16;
  ASSERT_TRUE(BurrowGame::newLevel());
  EXPECT_EQ(crystalsLeft, 8);  // the eighth grid of the file
  levelNumber = 9;
  ASSERT_TRUE(BurrowGame::newLevel());
  EXPECT_EQ(crystalsLeft, 1);
  EXPECT_EQ(cell(0, 0), CELL_CRYSTAL);
  EXPECT_EQ(cell(1, 0), CELL_EARTH);
}

TEST_F(BurrowLevelFileTest, MissingAndShortFilesDecodeNothing) {
  const std::string good = levelFile({grid({"CCC"})});
  startGame({{"data/bur/data/1.txt", good},
             {"data/bur/data/2.txt", good.substr(0, 100)},
             {"data/bur/data/3.txt", good.substr(0, 2)},
             {"data/bur/data/4.txt", good.substr(0, 1)}});
  ASSERT_EQ(Level::load(u"/data/bur/data/1.txt"), 0);
  EXPECT_EQ(Level::load(u"/data/bur/data/9.txt"), -1);
  // A short file is damage, reported by name; a file of its leading word alone, or not even that, too.
  struct Case {
    const char16_t* file;
    const char* report;
  } cases[] = {
      {u"/data/bur/data/2.txt", "game.dat: data/bur/data/2.txt: the file ends before its last level"},
      {u"/data/bur/data/3.txt", "game.dat: data/bur/data/3.txt: the file ends before its last level"},
      {u"/data/bur/data/4.txt", "game.dat: data/bur/data/4.txt: EOFException"},
  };
  for (const Case& c : cases) EXPECT_EQ(test::thrownMessage([&] { Level::load(c.file); }), c.report);
  EXPECT_EQ((*levelCells)[0], CELL_CRYSTAL);
  EXPECT_EQ((*crystalsPerLevel)[0], 3);
}

TEST_F(BurrowLevelFileTest, ALevelStartPlacesTheBagsAndResetsTheCounters) {
  startLevel({"B.B", "", "...B", "", "", "", "", "", "", "..............B"});
  int active = 0;
  for (int i = 0; i < maxBags; ++i) active += bag(i).active ? 1 : 0;
  EXPECT_EQ(active, 4);
  // In reading order, the cells become earth.
  EXPECT_EQ(bag(0).column, 0);
  EXPECT_EQ(bag(1).column, 2);
  EXPECT_EQ(bag(2).row, 2);
  EXPECT_EQ(bag(2).x, 3 * 15);
  EXPECT_EQ(bag(3).row, 9);
  EXPECT_EQ(bag(3).column, 14);
  EXPECT_EQ(cell(0, 0), CELL_EARTH);
  EXPECT_EQ(crystalsLeft, 0);
  EXPECT_EQ(bonusSteps, 200);
  EXPECT_EQ(crystalRecountSteps, 30);
  EXPECT_FALSE(cherryShown);
  EXPECT_FALSE(bonusActive);
  EXPECT_TRUE(levelStartSound);
  EXPECT_EQ(hero().lives, 3);
  EXPECT_EQ(hero().column, 7);
  EXPECT_EQ(hero().row, 9);
}

TEST_F(BurrowLevelFileTest, BagsPastTheSlotsStayEarth) {
  startLevel({"BBBBBBBBBBBBBBB", "B"});
  int active = 0;
  for (int i = 0; i < maxBags; ++i) active += bag(i).active ? 1 : 0;
  EXPECT_EQ(active, 15);
  EXPECT_EQ(cell(0, 1), CELL_EARTH);
  EXPECT_FALSE(Level::bagAt(0, 1));
}

TEST_F(BurrowLevelFileTest, EarthSetsFollowTheLevelNumber) {
  std::vector<std::string> grids(8, grid({"C"}));
  startGame({{"data/bur/data/1.txt", levelFile(grids)}});
  for (int level = 1; level <= 6; ++level) {
    levelNumber = level;
    ASSERT_TRUE(BurrowGame::newLevel());
    const int set = (level - 1) % 4 + 1;
    const std::u16string name = u"earth_" + std::u16string(1, static_cast<char16_t>(u'0' + set)) + u".png";
    EXPECT_EQ(earthImage->y, gamelib::GameImage::create(name.c_str())->y) << level;
    EXPECT_EQ(earthImage->x, gamelib::GameImage::create(name.c_str())->x) << level;
    EXPECT_EQ(earthSet, set % 4 + 1) << level;  // the next level's set
  }
}

TEST_F(BurrowLevelFileTest, MonsterLimitRisesWithTheLevel) {
  startGame();
  const int cases[][2] = {{1, 3}, {6, 3}, {7, 4}, {13, 4}, {48, 4}, {49, 5}, {72, 5}};
  for (const auto& c : cases) {
    levelNumber = c[0];
    Level::updateMonsterLimit();
    EXPECT_EQ(monsterLimit, c[1]) << c[0];
  }
}

TEST_F(BurrowLevelFileTest, ClearingTheEighthLevelReadsTheNextFile) {
  startGame({{"data/bur/data/1.txt", levelFile(std::vector<std::string>(8, grid({"C"})))},
             {"data/bur/data/2.txt", levelFile({grid({"CCCCC"})})}});
  levelNumber = 8;
  openLevel = 1;
  ASSERT_TRUE(BurrowGame::newLevel());
  Level::nextLevel();
  EXPECT_EQ(levelNumber, 9);
  EXPECT_EQ(crystalsLeft, 5);
  EXPECT_EQ(openLevel, 9);
  EXPECT_EQ(gamelib::GameMenu::loadOption(u"burrowopenlevel", 0), 9);
  EXPECT_EQ(gameState, BurrowGame::LEVEL_INTRO);
  EXPECT_EQ(stepDelay, levelStartDelay);
}

// A level whose file is not there ends the game with that report, instead of playing the old cells again.
TEST_F(BurrowLevelFileTest, AMissingNextFileEndsTheGameWithAReport) {
  startGame({{"data/bur/data/1.txt", levelFile(std::vector<std::string>(8, grid({"C"})))}});
  levelNumber = 8;
  ASSERT_TRUE(BurrowGame::newLevel());
  hero().score = 120;
  Level::nextLevel();
  EXPECT_EQ(gameState, BurrowGame::GAME_OVER);
  EXPECT_EQ(std::u16string(endCaption), u"levelmissing");
  EXPECT_EQ(levelNumber, 8);
  EXPECT_EQ(hero().score, 120);

  gameState = BurrowGame::MENU;
  levelNumber = 30;
  EXPECT_FALSE(BurrowGame::newLevel());
  EXPECT_EQ(gameState, BurrowGame::GAME_OVER);
  // Nothing of the game before counts for the one that could not start.
  EXPECT_EQ(hero().score, 0);
}

}  // namespace
}  // namespace burrowtest
