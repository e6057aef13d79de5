// The cell grid's block operations and the stage loader: block bytes into terrain, cover and items, the
// records by stage number, the starting tanks, and stages the game cannot play.
#include <gtest/gtest.h>

#include <memory>

#include "core/lang/DExceptionBase.h"
#include "games/tanks/TanksGlobals.h"
#include "games/tanks/TanksObjectsFixture.h"
#include "support/Exceptions.h"

namespace tankstest {
namespace {

using namespace tanks;

class GridTest : public TanksObjectsFixture {
 protected:
  void SetUp() override {
    TanksObjectsFixture::SetUp();
    gridAlloc(8, 8);
    gridClear();
  }
};

TEST_F(GridTest, BlockTestsTellWhichFlagsAndWhichCellsMet) {
  gridSetCell(CELL_ITEM, 3, 3, 3);
  const int32_t found = gridTestBlock(CELL_ITEM, 0, 0);
  EXPECT_EQ(found & 0xFFFF, CELL_ITEM);
  EXPECT_EQ(static_cast<uint32_t>(found) & 0xFFFF0000u, 1u << 31);
  EXPECT_EQ(gridTestBlock(CELL_TANK, 0, 0), 0);
}

TEST_F(GridTest, CellsReadTheirValueOnlyWithEveryFlag) {
  struct Case {
    int32_t flags;
    int32_t want;
  } cases[] = {{CELL_TANK | CELL_GRASS, 20}, {CELL_GRASS, -1}};
  for (const Case& c : cases) {
    gridClearBlockValue(0xFFFF, 0, 0);
    gridSetCell(c.flags, 20, 1, 1);
    EXPECT_EQ(gridCell(CELL_TANK, 1, 1), c.want) << c.flags;
  }
}

TEST_F(GridTest, ClearingFlagsKeepsTheValueUnlessAskedToClearIt) {
  gridSetBlock(CELL_TANK, 7, 4, 4);
  gridClearBlock(CELL_TANK, 4, 4);
  EXPECT_EQ(cell(5, 5), 7 << 16);
  gridSetBlock(CELL_TANK, 7, 4, 4);
  gridClearBlockValue(CELL_TANK, 4, 4);
  EXPECT_EQ(cell(5, 5), 0);
}

TEST_F(GridTest, ABlockReachingPastTheGridThrowsTheArrayIndexException) {
  try {
    gridOrBlock(CELL_GRASS, 6, 0);
    FAIL() << "no exception";
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> owned(e);
    EXPECT_EQ(e->code(), nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException);
  }
}

// A 2 x 2 block stage: the block under test at the top left, the player, an enemy start and the base.
std::string twoByTwo(char first, const std::string& types = kLightEnemies) {
  return std::string{first, 0x30, 0x28, 0x38} + types;
}

TEST_F(TanksObjectsFixture, BlockBytesGiveTerrainCoverAndItems) {
  struct Case {
    char byte;
    int32_t flags;  // of the block's cells, without tank marks
    int32_t itemKind;
  } cases[] = {
      {0x0A, CELL_WATER | CELL_COVER, -1},
      {0x13, CELL_RUIN | CELL_ITEM, GITM::KIND_WALL},
      {0x11, CELL_RUIN | CELL_ITEM, GITM::KIND_WALL},  // the grass under the wall goes
      {0x1B, CELL_RUIN | CELL_ITEM, GITM::KIND_HOUSE_A},
      {0x45, CELL_SAND | CELL_ITEM, 3},
  };
  for (const Case& c : cases) {
    const std::string block = twoByTwo(c.byte);
    writeStageFile(rawStages(2, 2, block.substr(0, 4), block.substr(4)));
    field->newGame();
    field->loadStage();
    ASSERT_TRUE(stageLoaded) << int(c.byte);
    EXPECT_EQ(cell(3, 3) & 0xFFFF, c.flags) << int(c.byte);
    if (c.itemKind >= 0) {
      EXPECT_EQ((*items)[0]->kind, c.itemKind) << int(c.byte);
    }
  }
}

TEST_F(TanksObjectsFixture, StageNUsesRecordNModTwenty) {
  // Record r has its player start in column r % 2, so stage 1 and stage 20 start apart.
  std::string file{2, 2};
  for (int r = 0; r < 20; ++r)
    file += (r % 2 == 0 ? std::string{0x28, 0x30, 0x38, 0x00} : std::string{0x30, 0x28, 0x38, 0x00}) + kLightEnemies;
  writeStageFile(file);
  struct Case {
    int stage;
    int playerX;
  } cases[] = {{1, 4}, {20, 0}, {21, 4}};
  for (const Case& c : cases) {
    field->newGame();
    field->stage = c.stage;
    field->loadStage();
    EXPECT_EQ(player->x, c.playerX) << c.stage;
  }
}

TEST_F(TanksObjectsFixture, AStageStartsWithThreeLivesTheEnemiesAppearingAtTheirStarts) {
  load({"E...E", ".....", ".....", "..P.B"}, "01234567012345670123");
  EXPECT_EQ(player->lives, GameTanks::kStartLives);
  EXPECT_EQ(player->direction, DIR_UP);
  EXPECT_EQ(player->x, 8);
  EXPECT_EQ(player->y, 12);
  // Spawn rows 1 and 2 bring in enemies 19 and 18; only the top-left cell is marked.
  EXPECT_TRUE(enemy(19).isState(GTNK::STATE_APPEARING));
  EXPECT_EQ(enemy(18).x, 16);
  EXPECT_EQ(gridCell(CELL_TANK, 0, 0), 19);
  EXPECT_EQ(gridCell(CELL_TANK, 1, 1), -1);
  EXPECT_EQ(enemy(3).type, 3);
  EXPECT_EQ(enemy(3).lives, 2);
  EXPECT_EQ(field->spawnCount, 2);
}

TEST_F(TanksObjectsFixture, AStageWithoutBaseOrEnemyStartIsReportedNotPlayed) {
  struct Case {
    std::string blocks;
    const char* why;
  } cases[] = {
      {std::string{0x30, 0x28, 0x00, 0x00}, "no base"},
      {std::string{0x00, 0x28, 0x38, 0x00}, "no enemy spawn point"},
  };
  for (const Case& c : cases) {
    writeStageFile(rawStages(2, 2, c.blocks, kLightEnemies));
    field->newGame();
    field->loadStage();
    EXPECT_FALSE(stageLoaded);
    EXPECT_NE(gltest::narrow(field->loadError).find(c.why), std::string::npos) << gltest::narrow(field->loadError);
    // The record and the file it lies in are named.
    EXPECT_THAT(gltest::narrow(field->loadError), testing::EndsWith(" in record 1 of tankstest/stages.bin"));
    field->renderLayer(0, 0);
    EXPECT_EQ(step(10), 1);
  }
}

// Stage files that end early or name what the game has not are damage: reported with the file's name, the
// stage not loaded.
TEST_F(TanksObjectsFixture, DamagedStageFilesAreReportedByNameAndLeaveTheStageUnloaded) {
  struct Case {
    std::string file;
    const char* why;
  } cases[] = {
      {std::string{2, 2, 0x30, 0x28}, "EOFException"},
      {rawStages(3, 2, std::string{0x30, 0x30, 0x30, 0x30, 0x30, 0x30}, kLightEnemies),
       "more enemy spawn points than a stage has"},
      {rawStages(2, 2, std::string{0x30, 0x28, 0x38, 0x00}, "0123456789abcdefghij"), "an enemy type no tank has"},
  };
  for (const Case& c : cases) {
    writeStageFile(c.file);
    field->newGame();
    EXPECT_THAT(test::thrownMessage([&] { field->loadStage(); }),
                testing::EndsWith(std::string(": tankstest/stages.bin: ") + c.why));
    EXPECT_FALSE(stageLoaded) << c.why;
  }
}

// The ground is drawn into one picture of the field: a stage of more than 64 blocks a side is refused before
// its grid is made. Before, 255 x 255 blocks made a grid of a million cells and a picture of 133 MB at
// 480x640. At the bound on either side a stage loads.
TEST_F(TanksObjectsFixture, AStageLargerThanTheGameDrawsIsRefusedByName) {
  const struct {
    int wide, high;
    bool loads;
  } cases[] = {
      {64, 64, true}, {1, 64, true}, {64, 1, true}, {65, 64, false}, {64, 65, false}, {65, 1, false}, {1, 255, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.wide) + " x " + std::to_string(c.high));
    if (c.loads) {
      // The player, the base and an enemy's start in the first three blocks.
      std::string blocks(static_cast<size_t>(c.wide * c.high), '\0');
      blocks[0] = 0x28;
      blocks[1] = 0x30;
      blocks[2] = 0x38;
      writeStageFile(rawStages(c.wide, c.high, blocks, kLightEnemies));
      field->newGame();
      field->loadStage();
      EXPECT_TRUE(stageLoaded) << gltest::narrow(field->loadError);
      EXPECT_EQ(gridW, c.wide * kBlockCells);
      EXPECT_EQ(gridH, c.high * kBlockCells);
    } else {
      // The sizes alone: nothing after them is read.
      writeStageFile(std::string{static_cast<char>(c.wide), static_cast<char>(c.high)});
      field->newGame();
      EXPECT_THAT(test::thrownMessage([&] { field->loadStage(); }),
                  testing::EndsWith(": tankstest/stages.bin: a stage larger than 64 x 64 blocks"));
      EXPECT_FALSE(stageLoaded);
    }
  }
}

}  // namespace
}  // namespace tankstest
