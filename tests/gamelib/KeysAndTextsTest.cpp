// The start's keys table and language texts: defaults for missing keys, and a chosen language that the
// list of codes does not reach.
#include <gtest/gtest.h>

#include "TextTables.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/TextTable.h"

namespace {

using gamelib::GameLib;
using gamelib::TextTable;
using gltest::crlf;
using gltest::narrow;

class KeysAndTextsTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    screen = new InitCounter();
    GameLib::currentScreen = screen;
  }
  struct InitCounter : gamelib::GameInterface {
    void init() override { ++inits; }
    int inits = 0;
  };
  nuv::lang::DPtr<InitCounter> screen;
};

std::string utf(const char* key, const std::u16string& value) {
  datakit::Bytes bytes = datakit::writeUtfTable({{key, value, 0}});
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(KeysAndTextsTest, KeysTableGivesTheSoftKeysAndMissingKeysKeepTheirDefaults) {
  openArchive({{"data/keys.txt", crlf({"KEY_LEFT_SOFT2=112", "KEY_RIGHT_SOFT2=0x71", "KEY_MIDDLE_SOFT=oops"})},
               {"txt/res_de.txt", utf("start", u"Los")}});
  GameLib::languageCodes = TextTable::split(u"en;de", u';');
  GameLib::languageIndex = 1;
  GameLib::loadKeysAndTexts();
  EXPECT_EQ(GameLib::leftSoftKey1, 10000);
  EXPECT_EQ(GameLib::leftSoftKey2, 112);
  EXPECT_EQ(GameLib::rightSoftKey1, 10001);
  EXPECT_EQ(GameLib::rightSoftKey2, 0x71);
  EXPECT_EQ(GameLib::middleSoftKey, 10002);
  EXPECT_EQ(narrow(TextTable::getString(u"start")), "Los");
  EXPECT_EQ(screen->inits, 1);
}

TEST_F(KeysAndTextsTest, MissingTablesAndUnreachableLanguagesLeaveTheTextsAsTheyWere) {
  openArchive({{"txt/res_en.txt", utf("start", u"Start")}});
  TextTable::parse(nullptr, true);
  TextTable::table->put(nuv::lang::DStringPtr(u"start"), nuv::lang::DStringPtr(u"kept"));
  struct Case {
    const char16_t* codes;  // null: no list
    int32_t index;
  } cases[] = {{nullptr, 0}, {u"en", 1}, {u"en", 5}, {u"en", -1}, {u"fr", 0}};
  for (const Case& c : cases) {
    GameLib::languageCodes = c.codes ? TextTable::split(c.codes, u';') : nullptr;
    GameLib::languageIndex = c.index;
    GameLib::loadKeysAndTexts();
    EXPECT_EQ(narrow(TextTable::getString(u"start")), "kept") << c.index;
  }
  EXPECT_EQ(screen->inits, 5);
  EXPECT_EQ(GameLib::leftSoftKey1, 10000);
  EXPECT_EQ(GameLib::rightSoftKey2, 0);
}

}  // namespace
