// Key set-up: defaults and the store layout, capturing keys, moving with wrap-around, the buttons, taps,
// games whose texts lack their action names, and the keys' names in the player's language.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/lang/DbyteArray.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/CustomControls.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace {

using gamelib::CustomControls;
using gamelib::CustomControlsPtr;
using gamelib::GameLib;
using gamelib::ScreenCanvas;
using gamelib::GameAction::Fire;
using gamelib::GameAction::Left;
using gamelib::GameAction::Right;
using gltest::kKeyAction;
using gltest::kKeyDown;
using gltest::kKeyLeft;
using gltest::kKeySoftLeft;
using gltest::kKeySoftRight;
using gltest::kKeyUp;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;

constexpr int32_t kBounceMask = 0x1C;  // left, right, fire
constexpr int32_t kRowLeft = 0, kRowRight = 1, kRowFire = 2, kRowDefaults = 3, kRowOk = 4, kRowCancel = 5;

std::vector<std::vector<uint8_t>> records(const char16_t* store) {
  DRecordStorePtr s = DRecordStore::openRecordStore(store, true);
  std::vector<std::vector<uint8_t>> out;
  for (int32_t id = 1; id <= s->getNumRecords(); ++id) {
    DbyteArrayPtr bytes = s->getRecord(id);
    out.emplace_back();
    for (int32_t i = 0; i < bytes->length; ++i) out.back().push_back(static_cast<uint8_t>((*bytes)[i]));
  }
  s->closeRecordStore();
  return out;
}

class CustomControlsTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    controls = new CustomControls(kBounceMask);
    controls->init(u"bounce");
    controls->load();
    controls->update();  // starts the pen clock
  }
  // One key press, one step.
  int32_t key(int32_t code) {
    press(code);
    return controls->update();
  }
  int32_t tapAt(int32_t x, int32_t y) {
    wait(201);
    tap(x, y);
    return controls->update();
  }
  std::vector<int32_t> keysOf(int32_t action) {
    std::vector<int32_t> out;
    nuv::lang::DintArrayPtr row = (*controls->keyLists)[action];
    for (int32_t i = 0; i < row->length; ++i) out.push_back((*row)[i]);
    return out;
  }
  // The centre of a screen row of the grid (the gap and the buttons count as rows) in a column.
  int32_t rowY(int32_t screenRow) {
    return controls->gridY + screenRow * controls->rowHeight + controls->rowHeight / 2;
  }
  int32_t cellX(int32_t cell) { return controls->gridX + controls->labelWidth + cell * controls->keyColumnWidth + 5; }
  CustomControlsPtr controls;
};

TEST_F(CustomControlsTest, FirstVisitGivesTheDefaultsAndOkStoresOneRecordPerAction) {
  EXPECT_EQ(controls->actionCount, 3);
  EXPECT_EQ(keysOf(2), (std::vector<int32_t>{'4', 37}));
  EXPECT_EQ(keysOf(3), (std::vector<int32_t>{'6', 39}));
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{'5', 10002}));
  EXPECT_TRUE((*controls->keyLists)[0].isNull());
  EXPECT_TRUE(records(u"keys_bounce").empty());
  controls->selectedRow = kRowOk;
  EXPECT_EQ(key(kKeyAction), CustomControls::CLOSED_OK);
  std::vector<std::vector<uint8_t>> want = {
      {0, 0, 0, 0x34, 0, 0, 0, 0x25}, {0, 0, 0, 0x36, 0, 0, 0, 0x27}, {0, 0, 0, 0x35, 0, 0, 0x27, 0x12}};
  EXPECT_EQ(records(u"keys_bounce"), want);
  controls->save();
  EXPECT_EQ(records(u"keys_bounce"), want);
  EXPECT_EQ(controls->pointerClock, 0);
}

TEST_F(CustomControlsTest, ACapturedKeyLeavesEveryOtherCellAndBothCellsMayEndEmpty) {
  controls->selectedRow = kRowLeft;
  key(kKeyAction);
  EXPECT_TRUE(controls->capturing);
  key('5');
  EXPECT_FALSE(controls->capturing);
  EXPECT_EQ(keysOf(2), (std::vector<int32_t>{'5', 37}));
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{-1, 10002}));
  // The action key goes to left too; fire keeps no key at all.
  controls->selectedColumn = 1;
  key(kKeyAction);
  key(kKeyAction);
  EXPECT_EQ(keysOf(2), (std::vector<int32_t>{'5', 10002}));
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{-1, -1}));
  // The table is the canvas's key map 1.
  GameLib::canvas->setKeyMap(1, controls->keyLists);
  GameLib::canvas->selectKeyMap(1);
  EXPECT_EQ(GameLib::canvas->getGameAction('5'), gamelib::GameAction::Left);
  EXPECT_EQ(GameLib::canvas->getGameAction(37), -1);
  GameLib::canvas->selectKeyMap(0);
}

TEST_F(CustomControlsTest, SoftKeysWhileCapturing) {
  controls->selectedRow = kRowRight;
  key(kKeyAction);
  key(kKeySoftLeft);  // cannot be bound: capturing goes on
  EXPECT_TRUE(controls->capturing);
  EXPECT_EQ(key(kKeySoftRight), CustomControls::STILL_OPEN);  // ends capturing, nothing bound
  EXPECT_FALSE(controls->capturing);
  EXPECT_EQ(keysOf(3), (std::vector<int32_t>{'6', 39}));
}

TEST_F(CustomControlsTest, RowsAndCellsWrapAround) {
  struct Case {
    int32_t row, column, code, wantRow, wantColumn;
  } cases[] = {
      {kRowLeft, 0, kKeyUp, kRowCancel, 0},     {kRowCancel, 0, kKeyDown, kRowLeft, 0},
      {kRowFire, 1, kKeyDown, kRowDefaults, 1}, {kRowRight, 1, '6', kRowRight, 0},  // right wraps to the first cell
      {kRowRight, 0, kKeyLeft, kRowRight, 1},   {kRowOk, 0, kKeyLeft, kRowOk, 0},   // buttons have no cells
  };
  for (const Case& c : cases) {
    controls->selectedRow = c.row;
    controls->selectedColumn = c.column;
    EXPECT_EQ(key(c.code), CustomControls::STILL_OPEN);
    EXPECT_EQ(controls->selectedRow, c.wantRow) << c.row << " " << c.code;
    EXPECT_EQ(controls->selectedColumn, c.wantColumn) << c.row << " " << c.code;
  }
  // Without the buttons the "set_default" row is the last.
  controls->buttonsHidden = true;
  controls->selectedRow = kRowLeft;
  key(kKeyUp);
  EXPECT_EQ(controls->selectedRow, kRowDefaults);
}

TEST_F(CustomControlsTest, DefaultsShowAtOnceAndCancelBringsBackTheStoredBinding) {
  controls->selectedRow = kRowFire;
  key(kKeyAction);
  key('Q');
  controls->selectedRow = kRowOk;
  key(kKeyAction);
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{'Q', 10002}));
  controls->selectedRow = kRowDefaults;
  EXPECT_EQ(key(kKeyAction), CustomControls::STILL_OPEN);
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{'5', 10002}));
  controls->selectedRow = kRowCancel;
  EXPECT_EQ(key(kKeyAction), CustomControls::CLOSED_CANCEL);
  EXPECT_EQ(keysOf(4), (std::vector<int32_t>{'Q', 10002}));
  // The right soft key cancels as well.
  EXPECT_EQ(key(kKeySoftRight), CustomControls::CLOSED_CANCEL);
}

TEST_F(CustomControlsTest, TapsSelectCellsStartCapturingAndPressButtons) {
  EXPECT_EQ(tapAt(cellX(1), rowY(kRowRight)), CustomControls::STILL_OPEN);
  EXPECT_EQ(controls->selectedRow, kRowRight);
  EXPECT_EQ(controls->selectedColumn, 1);
  EXPECT_FALSE(controls->capturing);
  tapAt(cellX(1), rowY(kRowRight));
  EXPECT_TRUE(controls->capturing);
  key('Z');
  EXPECT_EQ(keysOf(3), (std::vector<int32_t>{'6', 'Z'}));
  // The gap row, the right border line and the bottom border line select nothing.
  struct Case {
    int32_t x, y;
  } nothing[] = {{cellX(0), rowY(3)},
                 {controls->gridX + controls->gridWidth, rowY(kRowLeft)},
                 {cellX(0), controls->gridY + 7 * controls->rowHeight}};
  for (const Case& c : nothing) {
    EXPECT_EQ(tapAt(c.x, c.y), CustomControls::STILL_OPEN);
    EXPECT_EQ(controls->selectedRow, kRowRight) << c.x << "," << c.y;
    EXPECT_EQ(controls->selectedColumn, 1) << c.x << "," << c.y;
  }
  // A tap on the "ok" row saves and closes at once.
  EXPECT_EQ(tapAt(120, rowY(kRowOk + 1)), CustomControls::CLOSED_OK);
  EXPECT_EQ(records(u"keys_bounce").size(), 3u);
  // The "cancel" label cancels.
  controls->update();
  EXPECT_EQ(tapAt(238, 318), CustomControls::CLOSED_CANCEL);
}

TEST_F(CustomControlsTest, TheSoftKeyLabelsTakeTapsOnEveryColumnTheyShow) {
  clearScreen(0);
  controls->paint(GameLib::graphics);
  const int32_t h = GameLib::font(GameLib::FONT_HUD0)->getHeight(), y = 320 - h / 2;
  const gltest::Columns ok = gltest::inkColumns(0, 320 - h, 120, h, 0);
  const gltest::Columns cancel = gltest::inkColumns(120, 320 - h, 120, h, 0);
  ASSERT_GE(ok.first, 0);
  ASSERT_GE(cancel.first, 0);
  for (const int32_t x : {ok.first, ok.last}) {
    EXPECT_EQ(tapAt(x, y), CustomControls::CLOSED_OK) << x;
    controls->update();
  }
  for (const int32_t x : {cancel.first, cancel.last}) {
    EXPECT_EQ(tapAt(x, y), CustomControls::CLOSED_CANCEL) << x;
    controls->update();
  }
}

TEST_F(CustomControlsTest, DamagedStoresGiveTheDefaultsForEveryAction) {
  DRecordStorePtr s = DRecordStore::openRecordStore(u"keys_bounce", true);
  DbyteArrayPtr full = new DbyteArray(8), shortRecord = new DbyteArray(5);
  (*full)[3] = 'Q';
  s->addRecord(full, 0, 8);
  s->addRecord(shortRecord, 0, 5);
  s->closeRecordStore();
  controls->load();
  EXPECT_EQ(keysOf(2), (std::vector<int32_t>{'4', 37}));
  EXPECT_EQ(keysOf(3), (std::vector<int32_t>{'6', 39}));
}

// A key code no key can arrive with is damage: that cell gets its default key, the others keep theirs,
// and it is told once.
TEST_F(CustomControlsTest, KeyCellsOutsideTheKeysTakeTheirDefaultKey) {
  struct Case {
    const char* what;
    int32_t stored;
    int32_t loaded;
  } cases[] = {
      {"a letter", 'Q', 'Q'},
      {"an arrow", 37, 37},
      {"an empty cell", -1, -1},
      {"the action key", 10002, 10002},
      {"the pause key", -4, -4},
      {"a code of no key", 0x12345678, '4'},
      {"past the framework keys", 10005, '4'},
      {"zero", 0, '4'},
      {"below the specials", -5, '4'},
  };
  int32_t game = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const nuv::lang::DStringPtr key = nuv::lang::DStringPtr(u"cells") + game++;
    DRecordStorePtr s = DRecordStore::openRecordStore(u"keys_" + key, true);
    for (int32_t record = 0; record < 3; ++record) {
      // Left's first cell holds the case; every other cell the letter A.
      DbyteArrayPtr bytes = new DbyteArray(8);
      const int32_t first = record == 0 ? c.stored : 'A';
      for (int32_t i = 0; i < 4; ++i) (*bytes)[i] = static_cast<int8_t>(first >> (24 - 8 * i));
      (*bytes)[7] = 'A';
      s->addRecord(bytes, 0, 8);
    }
    s->closeRecordStore();
    CustomControlsPtr other = new CustomControls(kBounceMask);
    other->init(key);
    testing::internal::CaptureStderr();
    other->load();
    other->load();
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ((*(*other->keyLists)[Left])[0], c.loaded);
    EXPECT_EQ((*(*other->keyLists)[Left])[1], 'A');
    EXPECT_EQ((*(*other->keyLists)[Right])[0], 'A');
    const bool damaged = c.loaded != c.stored;
    EXPECT_EQ(told.find("the record store keys_" + gltest::narrow(key) + " is damaged") != std::string::npos, damaged)
        << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), damaged ? 1 : 0) << told;
  }
}

TEST_F(CustomControlsTest, GamesWithoutActionNamesShowEmptyNames) {
  CustomControlsPtr other = new CustomControls(0x181F);
  other->init(u"nosuchgame");
  other->load();
  EXPECT_EQ(other->actionCount, 7);
  ASSERT_EQ(other->actionNames->length, 7);
  EXPECT_EQ((*other->actionNames)[6]->length(), 0);
  EXPECT_EQ(other->listHeight, 7 * other->rowHeight);
  other->paint(GameLib::graphics);
  // And the names that exist are one per action.
  CustomControlsPtr climber = new CustomControls(0x181F);
  climber->init(u"climber");
  EXPECT_EQ(gltest::narrow((*climber->actionNames)[5]), "Dig left");
  climber->load();
  clearScreen(0);
  climber->paint(GameLib::graphics);
  EXPECT_GT(gltest::countOtherPixels(10, 10, 220, 7 * climber->rowHeight, 0), 100);
}

// The grid names a key as the texts do where they name it, and as the canvas does elsewhere.
TEST_F(CustomControlsTest, KeyNamesComeFromTheTextsWhereTheyNameThem) {
  gamelib::TextTable::table->put(nuv::lang::DStringPtr(u"keyname_Left"), nuv::lang::DStringPtr(u"Links"));
  const struct {
    int32_t key;
    const char* name;
  } cases[] = {
      {37, "Links"},           // named by the texts
      {kKeyAction, "Action"},  // the English texts name it as the canvas does
      {8, "Bksp"},             // the English texts' shorter name, which fits its cell
      {'Q', "Q"},              // not named by the texts: the canvas's name
      {112, "F1"},
  };
  for (const auto& c : cases) EXPECT_EQ(gltest::narrow(CustomControls::keyName(c.key)), c.name) << c.key;
}

}  // namespace
