// Saves made while another program holds the settings file: kept, read back by the game, written at the
// next save or at the end, and named when even the end cannot write them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/lang/DStringArray.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/StoreSaves.h"
#include "platform/api/registry.h"
#include "platform/host/userhive.h"
#include "support/HiveLock.h"

namespace {

using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::StoreSaves;
using gltest::narrow;
using nuv::lang::DbyteArrayPtr;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;
using test::HiveLock;

class StoreSavesTest : public gltest::MenuFixture {
 protected:
  void TearDown() override {
    testing::internal::CaptureStderr();
    StoreSaves::writeKept();
    testing::internal::GetCapturedStderr();
    platform::closeUserHive();
    MenuFixture::TearDown();
  }

  std::string hive() const { return folder.file(platform::userhive::kDatabaseName); }

  // Record 1 as the settings file holds it, asked past the game library.
  static std::vector<uint8_t> stored(const char16_t* store) {
    DRecordStorePtr s = DRecordStore::openRecordStore(store, true);
    std::vector<uint8_t> out;
    if (s->getNumRecords() > 0) {
      DbyteArrayPtr bytes = s->getRecord(1);
      out.assign(bytes->data(), bytes->data() + bytes->length);
    }
    s->closeRecordStore();
    return out;
  }

  static std::string firstName(const GameMenu& menu) { return narrow((*menu.items)[0]); }

  test::HiveWaits waits;
};

TEST_F(StoreSavesTest, ASaveMadeWhileTheFileIsHeldIsKeptAndWrittenAtTheNextSave) {
  testing::internal::CaptureStderr();
  for (HiveLock::Holds holds : {HiveLock::Holds::Writes, HiveLock::Holds::Everything}) {
    const bool everything = holds == HiveLock::Holds::Everything;
    SCOPED_TRACE(everything ? "held wholly" : "held for writes");
    const nuv::lang::DStringPtr game = everything ? u"whole" : u"writes";
    // A game played before.
    GameMenuPtr menu = new GameMenu();
    GameMenu::saveOption(game + u"sfx_level", 1);
    menu->loadHighScores(1, game);
    platform::closeUserHive();
    {
      HiveLock lock(hive(), holds);
      // A game's end under the lock, and its next start: what was saved is what is read back.
      GameMenu::saveOption(game + u"sfx_level", 3);
      menu->addHighScore(u"new", 500);
      menu->saveHighScores(1, game);
      EXPECT_EQ(GameMenu::loadOption(game + u"sfx_level", 2, 0, 3), 3);
      GameMenuPtr next = new GameMenu();
      next->loadHighScores(1, game);
      EXPECT_EQ(firstName(*next), "new");
      // One wait of a second for it all.
      EXPECT_GE(waits.takeWaited(), 1000u);
      GameMenu::saveOption(game + u"music_level", 0);
      EXPECT_EQ(waits.takeWaited(), 0u);
    }
    // The next save, the lock gone, writes the kept ones first.
    GameMenu::saveOption(game + u"openlevel", 4);
    EXPECT_EQ(stored((u"op_" + game + u"sfx_level")->chars()), (std::vector<uint8_t>{0, 0, 0, 3}));
    EXPECT_EQ(stored((u"op_" + game + u"music_level")->chars()), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(stored((game + u"hs1")->chars()).at(3), 'n');
  }
  // Told once for the file.
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find(hive() + " is held by another program"), std::string::npos) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
}

// A table the game could not read was shown as the default one: the scores added to it join the stored
// table when it can be written, instead of replacing it.
TEST_F(StoreSavesTest, ScoresAddedToATableThatCouldNotBeReadJoinTheStoredOne) {
  GameMenuPtr menu = new GameMenu();
  nuv::lang::DStringArrayPtr names = new nuv::lang::DStringArray(8);
  nuv::lang::DintArrayPtr points = new nuv::lang::DintArray(8);
  for (int32_t i = 0; i < 8; ++i) {
    (*names)[i] = nuv::lang::DStringPtr(u"old") + i;
    (*points)[i] = 900 - 100 * i;
  }
  menu->setHighScores(names, points);
  menu->saveHighScores(1, u"join");
  platform::closeUserHive();
  auto scoresOf = [](const GameMenu& m) {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < m.scores->length; ++i) out.push_back((*m.scores)[i]);
    return out;
  };
  testing::internal::CaptureStderr();
  {
    HiveLock lock(hive(), HiveLock::Holds::Everything);
    // Two games end while the file is held; each reads the table first, as the games do.
    for (auto [name, score] : {std::pair{u"new", 850}, std::pair{u"next", 650}}) {
      GameMenuPtr game = new GameMenu();
      game->loadHighScores(1, u"join");
      game->addHighScore(name, score);
      game->saveHighScores(1, u"join");
    }
  }
  // Free again: the table read is the stored one with both scores, before anything is written.
  GameMenuPtr after = new GameMenu();
  after->loadHighScores(1, u"join");
  EXPECT_EQ(scoresOf(*after), (std::vector<int32_t>{900, 850, 800, 700, 650, 600, 500, 400}));
  EXPECT_EQ(narrow((*after->items)[1]), "new");
  // And so it is written.
  StoreSaves::writeKept();
  testing::internal::GetCapturedStderr();
  GameMenuPtr reread = new GameMenu();
  reread->loadHighScores(1, u"join");
  EXPECT_EQ(scoresOf(*reread), scoresOf(*after));
  EXPECT_EQ(narrow((*reread->items)[0]), "old0");
  EXPECT_EQ(narrow((*reread->items)[4]), "next");
}

TEST_F(StoreSavesTest, AtTheEndKeptSavesAreWrittenOrNamed) {
  GameMenu::saveOption(u"endsfx_level", 1);
  gamelib::CustomControlsPtr controls = new gamelib::CustomControls(0x1C);
  controls->init(u"end");
  controls->load();
  platform::closeUserHive();
  // Free again by the end: written.
  {
    HiveLock lock(hive(), HiveLock::Holds::Everything);
    testing::internal::CaptureStderr();
    GameMenu::saveOption(u"endsfx_level", 2);
    testing::internal::GetCapturedStderr();
  }
  testing::internal::CaptureStderr();
  StoreSaves::writeKept();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(stored(u"op_endsfx_level"), (std::vector<uint8_t>{0, 0, 0, 2}));
  platform::closeUserHive();

  // Still held at the end: each store not saved is named.
  HiveLock lock(hive(), HiveLock::Holds::Everything);
  testing::internal::CaptureStderr();
  GameMenu::saveOption(u"endsfx_level", 3);
  (*(*controls->keyLists)[gamelib::GameAction::Fire])[0] = 'Z';
  controls->save();
  StoreSaves::writeKept();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("not saved: op_endsfx_level, keys_end\n"), std::string::npos) << told;
  lock.release();
  // Nothing is left kept: the file's own values are read again.
  EXPECT_EQ(GameMenu::loadOption(u"endsfx_level", 0), 2);
}

}  // namespace
