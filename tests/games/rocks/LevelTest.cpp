// The set-up of a level: saucers by level, a random budget of rocks in arrays with room for fragments,
// the background picture by level, and nothing of the level before left behind.
#include <gtest/gtest.h>

#include "games/rocks/RocksObjectsFixture.h"

namespace rockstest {

using namespace rocks;

class LevelTest : public RocksObjectsFixture {
 protected:
  void SetUp() override {
    RocksObjectsFixture::SetUp();
    startGame();
  }
};

TEST_F(LevelTest, SaucersGrowInNumberAndSizeWithTheLevel) {
  // Level, then saucers of type 1, 2 and 3.
  const int table[][4] = {{1, 1, 0, 0},  {2, 2, 0, 0},  {3, 3, 0, 0},   {4, 1, 1, 0},  {5, 2, 1, 0},  {6, 3, 1, 0},
                          {7, 1, 1, 1},  {8, 2, 1, 1},  {9, 3, 1, 1},   {10, 1, 2, 1}, {11, 2, 2, 1}, {12, 3, 2, 1},
                          {13, 1, 2, 1}, {14, 2, 2, 1}, {15, 3, 2, 1},  {16, 1, 3, 2}, {17, 2, 3, 2}, {18, 3, 3, 2},
                          {19, 1, 3, 2}, {20, 2, 3, 2}, {99, 3, 16, 11}};
  for (const auto& row : table) {
    setUpLevel(row[0]);
    int byType[4] = {0, 0, 0, 0};
    for (int32_t i = 0; i < game->ufos->length; ++i) {
      FlyingO& u = *(*game->ufos)[i];
      const int type = gltest::narrow(u.imageName).back() - '0';
      byType[type] += 1;
      // Filled in order of type.
      if (i > 0) {
        EXPECT_GE(type, gltest::narrow((*game->ufos)[i - 1]->imageName).back() - '0');
      }
    }
    EXPECT_EQ(byType[1], row[1]) << "level " << row[0];
    EXPECT_EQ(byType[2], row[2]) << "level " << row[0];
    EXPECT_EQ(byType[3], row[3]) << "level " << row[0];
    EXPECT_EQ(game->liveUfos, row[1] + row[2] + row[3]);
    // One rocket place per large saucer.
    EXPECT_EQ(game->rockets->length, row[3]) << "level " << row[0];
  }
}

TEST_F(LevelTest, RocksSpendABudgetOfUpToSixUnitsAndStartUpwards) {
  const int units[] = {0, 4, 2, 1};
  bool sawEmpty = false, sawSingleSmall = false;
  for (int i = 0; i < 200; ++i) {
    setUpLevel(1);
    const int places = game->rockArray->length;
    ASSERT_LE(places, 6);
    int used = 0, rocksMade = 0;
    for (int32_t p = 0; p < places; ++p) {
      FlyingOPtr r = (*game->rockArray)[p];
      if (r.isNull()) {
        // The free places are at the end, left for fragments.
        for (int32_t q = p; q < places; ++q) EXPECT_TRUE((*game->rockArray)[q].isNull());
        break;
      }
      const int size = r->hitSize == 350 ? 1 : r->hitSize == 250 ? 2 : 3;
      used += units[size];
      ++rocksMade;
      if (p < 5) {
        EXPECT_LT(r->dy, 0) << "rock " << p;
      }
      EXPECT_TRUE(r->kind == FlyingO::KIND_ROCK || r->kind == FlyingO::KIND_TURNING_ROCK);
    }
    // A large rock on a budget of 2 or 3 still costs 4.
    EXPECT_GE(used, places);
    EXPECT_LE(used, places + 2);
    sawEmpty |= places == 0;
    if (places == 1) {
      EXPECT_EQ(rocksMade, 1);
      EXPECT_EQ((*game->rockArray)[0]->hitSize, 200);
      sawSingleSmall = true;
    }
    for (int32_t u = 0; u < game->ufos->length && u < 2; ++u) EXPECT_LT((*game->ufos)[u]->dy, 0);
  }
  EXPECT_TRUE(sawEmpty);
  EXPECT_TRUE(sawSingleSmall);
}

TEST_F(LevelTest, ASecondSetUpLeavesNothingOfTheFirst) {
  setUpLevel(8);
  (*game->shots)[3] = shot(10, 10);
  (*game->rockets)[0] = shot(20, 20);
  game->shotCount = 4;
  game->fireCounter = 9;
  game->stateTimer = 5;
  game->startBurst(50, 50, 50, 50);
  rocks::backgroundX = 5 << 16;
  FlyingOArrayPtr oldRocks = game->rockArray, oldUfos = game->ufos;
  game->startLevel(8, 1234);
  EXPECT_EQ(count(game->shots), 0);
  EXPECT_EQ(count(game->rockets), 0);
  EXPECT_EQ(game->shotCount, 0);
  EXPECT_EQ(game->fireCounter, 0);
  EXPECT_EQ(game->stateTimer, 0);
  EXPECT_EQ(game->burstCount, 0);
  EXPECT_EQ(game->score, 1234);
  EXPECT_EQ(rocks::backgroundX, 0);
  EXPECT_NE(game->rockArray.get(), oldRocks.get());
  EXPECT_NE(game->ufos.get(), oldUfos.get());
  for (int i = 0; i < Rocks::kBurstRows * Rocks::kRecordsPerBurst; ++i)
    EXPECT_EQ(record(i, Rocks::P_STATE), Rocks::FREE);
  for (int r = 0; r < Rocks::kBurstRows; ++r) EXPECT_EQ((*(*game->particleSlots)[r])[Rocks::BURST_PHASE], Rocks::FREE);
  // The ship is back in the middle with the starting lives.
  EXPECT_EQ(ship->x, gamelib::GameLib::screenWidth / 2);
  EXPECT_EQ(ship->lives, kLives);
}

TEST_F(LevelTest, TheBackgroundFollowsTheLevelAndStaysWhenItsPictureIsMissing) {
  struct Case {
    int level;
    int width;
  } cases[] = {{1, kPicture1W}, {2, kPicture2W}, {3, kPicture2W}, {4, kPicture1W}, {6, kPicture1W}, {5, kPicture2W}};
  for (const Case& c : cases) {
    setUpLevel(c.level);
    ASSERT_FALSE(rocks::background.isNull());
    EXPECT_EQ(rocks::background->getWidth(), c.width) << "level " << c.level;
  }
}

}  // namespace rockstest
