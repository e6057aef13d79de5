// Options and high-score tables in record stores: values read back, defaults, the byte layout of both
// stores, inserting scores, and damaged records that must not lose the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/lang/DStringArray.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/SoundManager.h"

namespace {

using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gltest::narrow;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DintArray;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;

class OptionsAndHighScoresTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    menu = new GameMenu();
  }
  GameMenuPtr menu;
};

std::vector<uint8_t> record(const char16_t* store, int32_t id) {
  DRecordStorePtr s = DRecordStore::openRecordStore(store, false);
  DbyteArrayPtr bytes = s->getRecord(id);
  std::vector<uint8_t> out;
  for (int32_t i = 0; i < bytes->length; ++i) out.push_back(static_cast<uint8_t>((*bytes)[i]));
  s->closeRecordStore();
  return out;
}

int32_t recordCount(const char16_t* store) {
  DRecordStorePtr s = DRecordStore::openRecordStore(store, false);
  int32_t n = s->getNumRecords();
  s->closeRecordStore();
  return n;
}

void writeRecord(const char16_t* store, const std::vector<uint8_t>& bytes) {
  DRecordStorePtr s = DRecordStore::openRecordStore(store, true);
  DbyteArrayPtr data = new DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*data)[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
  s->addRecord(data, 0, data->length);
  s->closeRecordStore();
}

// A table record: the count byte, then `rows` rows named "p0", "p1", ... scoring 1000, 990, ...
std::vector<uint8_t> tableRecord(uint8_t count, int32_t rows) {
  std::vector<uint8_t> bytes{count};
  for (int32_t i = 0; i < rows; ++i) {
    const std::string name = "p" + std::to_string(i);
    const int32_t score = 1000 - 10 * i;
    bytes.insert(bytes.end(), {0, static_cast<uint8_t>(name.size())});
    bytes.insert(bytes.end(), name.begin(), name.end());
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(score >> shift));
  }
  return bytes;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> bytes, const std::vector<uint8_t>& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return bytes;
}

std::vector<std::string> names(const GameMenu& m) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < m.items->length; ++i) out.push_back(narrow((*m.items)[i]));
  return out;
}

std::vector<int32_t> scores(const GameMenu& m) {
  std::vector<int32_t> out;
  for (int32_t i = 0; i < m.scores->length; ++i) out.push_back((*m.scores)[i]);
  return out;
}

TEST_F(OptionsAndHighScoresTest, OptionsReadBackTheirDefaultUntilSavedAndKeepOneRecord) {
  EXPECT_EQ(GameMenu::loadOption(u"bouncesfx_level", 2), 2);
  EXPECT_EQ(recordCount(u"op_bouncesfx_level"), 0);  // the store exists, empty
  GameMenu::saveOption(u"bouncesfx_level", 3);
  EXPECT_EQ(GameMenu::loadOption(u"bouncesfx_level", 2), 3);
  EXPECT_EQ(record(u"op_bouncesfx_level", 1), (std::vector<uint8_t>{0, 0, 0, 3}));
  GameMenu::saveOption(u"bouncesfx_level", -2);
  EXPECT_EQ(GameMenu::loadOption(u"bouncesfx_level", 2), -2);
  EXPECT_EQ(record(u"op_bouncesfx_level", 1), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE}));
  EXPECT_EQ(recordCount(u"op_bouncesfx_level"), 1);
  // Options of other keys are stores of their own.
  EXPECT_EQ(GameMenu::loadOption(u"rockssfx_level", 2), 2);
}

TEST_F(OptionsAndHighScoresTest, DamagedOptionRecordsGiveTheDefault) {
  struct Case {
    const char16_t* key;
    std::vector<uint8_t> bytes;
  } cases[] = {{u"short", {0, 0, 1}}, {u"empty", {}}};
  for (const Case& c : cases) {
    writeRecord((DStringPtr(u"op_") + c.key)->chars(), c.bytes);
    EXPECT_EQ(GameMenu::loadOption(c.key, 7), 7) << narrow(DStringPtr(c.key));
  }
}

TEST_F(OptionsAndHighScoresTest, MissingTableIsTheDefaultOfEightAndIsSavedAtOnce) {
  menu->loadHighScores(1, u"bounce");
  EXPECT_EQ(names(*menu), std::vector<std::string>(8, "Empty "));
  EXPECT_EQ(scores(*menu), std::vector<int32_t>(8, 0));
  std::vector<uint8_t> bytes = record(u"bouncehs1", 1);
  ASSERT_EQ(bytes.size(), 1u + 8u * (2 + 6 + 4));
  // The count, then per entry the UTF name and the int score.
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 13),
            (std::vector<uint8_t>{8, 0, 6, 'E', 'm', 'p', 't', 'y', ' ', 0, 0, 0, 0}));
  EXPECT_FALSE(menu->isHighScore(0));
  EXPECT_TRUE(menu->isHighScore(1));
}

TEST_F(OptionsAndHighScoresTest, SavedTablesReadBackWithTheirOwnLength) {
  DStringArrayPtr list = new DStringArray(9);
  nuv::lang::DintArrayPtr points = new DintArray(9);
  for (int32_t i = 0; i < 9; ++i) {
    (*list)[i] = DStringPtr(u"n\u00e9") + i;
    (*points)[i] = 1000 - 100 * i;
  }
  menu->setHighScores(list, points);
  menu->saveHighScores(2, u"rocks");
  GameMenuPtr other = new GameMenu();
  other->loadHighScores(2, u"rocks");
  ASSERT_EQ(other->items->length, 9);
  EXPECT_EQ(scores(*other), scores(*menu));
  EXPECT_TRUE((*other->items)[8]->equals(DStringPtr(u"n\u00e98")));
  EXPECT_EQ(record(u"rockshs2", 1)[0], 9);
  // Saving again replaces record 1.
  menu->saveHighScores(2, u"rocks");
  EXPECT_EQ(recordCount(u"rockshs2"), 1);
}

TEST_F(OptionsAndHighScoresTest, NewScoresGoAfterEveryEntryThatIsNotLower) {
  struct Case {
    int32_t score;
    std::vector<int32_t> want;
    int32_t at;  // where "new" lands; -1 when it does not
  } cases[] = {
      {300, {500, 300, 300, 300, 100, 0, 0, 0}, 3},
      {600, {600, 500, 300, 300, 100, 0, 0, 0}, 0},
      {1, {500, 300, 300, 100, 1, 0, 0, 0}, 4},
      {0, {500, 300, 300, 100, 0, 0, 0, 0}, -1},
  };
  for (const Case& c : cases) {
    DStringArrayPtr list = new DStringArray(8);
    for (int32_t i = 0; i < 8; ++i) (*list)[i] = DStringPtr(u"p") + i;
    menu->setHighScores(list, new DintArray(8, 500, 300, 300, 100, 0, 0, 0, 0));
    EXPECT_EQ(menu->isHighScore(c.score), c.at >= 0) << c.score;
    menu->addHighScore(u"new", c.score);
    EXPECT_EQ(scores(*menu), c.want) << c.score;
    std::vector<std::string> got = names(*menu);
    EXPECT_EQ(got.size(), 8u);
    if (c.at >= 0) {
      EXPECT_EQ(got[static_cast<size_t>(c.at)], "new");
      EXPECT_EQ(got[static_cast<size_t>(c.at) + 1], "p" + std::to_string(c.at));
    } else {
      EXPECT_EQ(got[7], "p7");
    }
  }
  GameMenuPtr fresh = new GameMenu();
  EXPECT_FALSE(fresh->isHighScore(1000));
}

TEST_F(OptionsAndHighScoresTest, DamagedTablesKeepWhatWasReadAndNeverLeaveNamesMissing) {
  // Count 3, one whole entry ("ab", 7), then the data ends.
  writeRecord(u"swarmhs1", {3, 0, 2, 'a', 'b', 0, 0, 0, 7});
  menu->loadHighScores(1, u"swarm");
  // A table always has its eight rows.
  EXPECT_EQ(names(*menu),
            (std::vector<std::string>{"ab", "Empty ", "Empty ", "Empty ", "Empty ", "Empty ", "Empty ", "Empty "}));
  EXPECT_EQ(scores(*menu), (std::vector<int32_t>{7, 0, 0, 0, 0, 0, 0, 0}));
  // What was stored is not overwritten by reading it.
  EXPECT_EQ(record(u"swarmhs1", 1).size(), 9u);
  // A record without even its count: the default table, in memory only.
  writeRecord(u"tankshs1", {});
  menu->loadHighScores(1, u"tanks");
  EXPECT_EQ(names(*menu), std::vector<std::string>(8, "Empty "));
  EXPECT_EQ(record(u"tankshs1", 1).size(), 0u);
  // The table page paints what was read: in every row shown, a name in the box's left half and a score in
  // its right half.
  menu->mode = GameMenu::MODE_TABLE;
  menu->update();
  clearScreen(0x123456);
  menu->paint();
  const uint16_t box = gltest::canvasPixel(menu->left + menu->border + 1, menu->top + menu->border + 1);
  const int32_t middle = gamelib::GameLib::screenWidth / 2, half = middle - menu->left - 10;
  const int32_t rows = std::min(menu->visibleRows, 8);
  ASSERT_GT(rows, 0);
  for (int32_t i = 0; i < rows; ++i) {
    const int32_t y = menu->border + menu->top + 4 + i * menu->itemHeight;
    EXPECT_GT(gltest::countOtherPixels(menu->left + 10, y, half, menu->itemHeight, box), 0) << "name " << i;
    EXPECT_GT(gltest::countOtherPixels(middle, y, half, menu->itemHeight, box), 0) << "score " << i;
  }
}

// One damaged byte must not change the table for good: the rows the record holds are kept, the table
// has its eight rows at least, the damage is told once, and the next save writes a whole table. A table
// shorter than eight rows is no damage when its count and its bytes agree.
TEST_F(OptionsAndHighScoresTest, DamagedTablesKeepTheirRowsInAWholeTable) {
  std::vector<uint8_t> longName = tableRecord(8, 8);
  longName[1 + 4 * 8] = 0xFF;  // the fifth row's name runs past the end
  struct Case {
    const char* what;
    std::vector<uint8_t> record;
    int32_t rowsRead;
    int32_t length;
    bool told;
  } cases[] = {
      {"a count of 0 before 8 rows", tableRecord(0, 8), 8, 8, true},
      {"a count of 255 before 8 rows", tableRecord(255, 8), 8, 8, true},
      {"a count of 7 before 8 rows", tableRecord(7, 8), 8, 8, true},
      {"a count of 0 alone", tableRecord(0, 0), 0, 8, true},
      // A short table whose count says what it holds is read whole and padded, without a word.
      {"a table of 7", tableRecord(7, 7), 7, 8, false},
      {"a table of 3", tableRecord(3, 3), 3, 8, false},
      {"a table of 1", tableRecord(1, 1), 1, 8, false},
      {"a name running past the end", longName, 4, 8, true},
      {"bytes after the rows", tableRecord(8, 8) + std::vector<uint8_t>{1, 2, 3}, 8, 8, true},
      {"a whole table of 9", tableRecord(9, 9), 9, 9, false},
  };
  int32_t game = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DStringPtr key = DStringPtr(u"damaged") + game++;
    const DStringPtr store = key + u"hs1";
    writeRecord(store->chars(), c.record);
    testing::internal::CaptureStderr();
    menu->loadHighScores(1, key);
    menu->loadHighScores(1, key);
    const std::string told = testing::internal::GetCapturedStderr();
    ASSERT_EQ(menu->items->length, c.length);
    for (int32_t i = 0; i < c.length; ++i) {
      EXPECT_EQ(narrow((*menu->items)[i]), i < c.rowsRead ? "p" + std::to_string(i) : "Empty ") << i;
      EXPECT_EQ((*menu->scores)[i], i < c.rowsRead ? 1000 - 10 * i : 0) << i;
    }
    if (c.told) {
      EXPECT_NE(told.find("the record store " + narrow(store) + " is damaged"), std::string::npos) << told;
      EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
    } else {
      EXPECT_EQ(told, "");
    }
    // What was stored stays until the next save, which takes the game's score and writes a whole table.
    EXPECT_EQ(record(store->chars(), 1), c.record);
    ASSERT_TRUE(menu->isHighScore(2000));
    menu->addHighScore(u"new", 2000);
    menu->saveHighScores(1, key);
    EXPECT_EQ(record(store->chars(), 1)[0], c.length);
    GameMenuPtr again = new GameMenu();
    testing::internal::CaptureStderr();
    again->loadHighScores(1, key);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(names(*again), names(*menu));
    EXPECT_EQ(names(*again)[0], "new");
  }
}

TEST_F(OptionsAndHighScoresTest, OptionsOutsideTheirRangeGiveTheDefaultAndAreToldOnce) {
  struct Case {
    const char16_t* key;
    std::vector<uint8_t> bytes;
    int32_t want;
    bool told;
  } cases[] = {
      {u"asfx_level", {0, 0, 0, 3}, 3, false},   {u"bsfx_level", {0, 0, 0, 0}, 0, false},
      {u"csfx_level", {0, 0, 0, 7}, 2, true},    {u"dsfx_level", {0xFF, 0xFF, 0xFF, 0xFF}, 2, true},
      {u"esfx_level", {0x7F, 0, 0, 1}, 2, true}, {u"fsfx_level", {0, 3}, 2, true},
  };
  for (const Case& c : cases) {
    const DStringPtr store = DStringPtr(u"op_") + c.key;
    SCOPED_TRACE(narrow(store));
    writeRecord(store->chars(), c.bytes);
    testing::internal::CaptureStderr();
    EXPECT_EQ(GameMenu::loadOption(c.key, 2, 0, 3), c.want);
    EXPECT_EQ(GameMenu::loadOption(c.key, 2, 0, 3), c.want);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told.find("the record store " + narrow(store) + " is damaged") != std::string::npos, c.told) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), c.told ? 1 : 0) << told;
  }
  // Without a range every number is a value.
  EXPECT_EQ(GameMenu::loadOption(u"csfx_level", 2), 7);
  // A game's sound levels read so: a stored level the sound service has not is the default one. The
  // levels live in the mixer.
  startSound();
  gamelib::SoundManager::setSfxLevel(3);
  gamelib::SoundManager::setMusicLevel(3);
  GameMenu::saveOption(u"flowtestsfx_level", 7);
  GameMenu::saveOption(u"flowtestmusic_level", -1);
  testing::internal::CaptureStderr();
  gamelib::SoundManager::loadLevels(u"flowtest");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(gamelib::SoundManager::getSfxLevel(), gamelib::SoundManager::kDefaultLevel);
  EXPECT_EQ(gamelib::SoundManager::getMusicLevel(), gamelib::SoundManager::kDefaultLevel);
}

}  // namespace
