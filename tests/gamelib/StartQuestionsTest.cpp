// The language and sound questions at start: the language lists, moving with wrap-around, taps and their
// 200 ms gap, the answer stored for every game, and the hand-over to the start.
#include <gtest/gtest.h>

#include <string>

#include "TextTables.h"
#include "gamelib/GameMenu.h"
#include "gamelib/LangMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundMenu.h"
#include "gamelib/StringList.h"
#include "gamelib/TextTable.h"

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::GameAction::Fire;
using gltest::kKeyAction;
using gltest::kKeyDown;
using gltest::kKeySoftLeft;
using gltest::kKeyUp;
using gltest::narrow;
using langmenu::LangMenu;
using langmenu::LangMenuPtr;
using soundmenu::SoundMenu;
using soundmenu::SoundMenuPtr;

class StartQuestionsTest : public gltest::MenuFixture {
 protected:
  // The centre of row i of a question's list box.
  static int32_t rowY(const gamelib::ChoiceBox& box, int32_t i) {
    return box.boxY + i * box.rowHeight + box.rowHeight / 2;
  }
};

TEST_F(StartQuestionsTest, LanguageListsComeFromTheLanguageTable) {
  LangMenuPtr menu = new LangMenu();
  menu->init();
  EXPECT_EQ(GameLib::languageIndex, -1);
  EXPECT_EQ(GameLib::languageCount, 3);
  EXPECT_EQ(narrow((*GameLib::languageCodes)[1]), "de");
  EXPECT_EQ(menu->box.boxWidth, 160);
  EXPECT_EQ(menu->box.boxX, 40);
  EXPECT_EQ(menu->box.boxHeight, 3 * menu->box.rowHeight);
  struct Case {
    int32_t from, code, to;
  } cases[] = {{0, kKeyUp, 2}, {2, kKeyDown, 0}, {1, kKeyDown, 2}, {-1, kKeyDown, 1}};
  for (const Case& c : cases) {
    GameLib::languageIndex = c.from;
    press(c.code);
    menu->update();
    EXPECT_EQ(GameLib::languageIndex, c.to) << c.from << " " << c.code;
    EXPECT_FALSE(ScreenCanvas::anyKey);
  }
  // Without input only a missing choice changes: it becomes the first language.
  GameLib::languageIndex = -1;
  menu->update();
  EXPECT_EQ(GameLib::languageIndex, 0);
  clearScreen(0xFFFFFF);
  menu->paint();
  EXPECT_EQ(gltest::canvasPixel(menu->box.boxX + 2, menu->box.boxY + 2), 0x7415);  // the highlight bar
}

TEST_F(StartQuestionsTest, OneLanguageOrListsThatDoNotMatchNeedNoChoice) {
  struct Case {
    const char16_t* langs;
    const char16_t* codes;
    int32_t index;
  } cases[] = {{u"English", u"en", 0}, {u"English;Deutsch", u"en", 0}, {u"English;Deutsch", u"en;de", -1}};
  for (const Case& c : cases) {
    std::vector<datakit::TextEntry> entries = {{"LANGS", c.langs, 0}, {"SNAMES", c.codes, 0}};
    datakit::Bytes bytes = datakit::writeUtfTable(entries);
    openArchive({{"txt/lang.txt", std::string(bytes.begin(), bytes.end())}});
    LangMenuPtr menu = new LangMenu();
    menu->init();
    EXPECT_EQ(GameLib::languageIndex, c.index) << narrow(nuv::lang::DStringPtr(c.langs));
  }
}

TEST_F(StartQuestionsTest, ATapOnALanguageChoosesItAndASecondTapWithin200MsIsIgnored) {
  LangMenuPtr menu = new LangMenu();
  menu->init();
  GameLib::currentScreen = menu;
  GameLib::languageIndex = 0;
  wait(100);
  tap(120, rowY(menu->box, 2));
  menu->update();
  EXPECT_EQ(GameLib::languageIndex, 0);
  EXPECT_FALSE(ScreenCanvas::pointerDown);
  wait(101);
  tap(120, rowY(menu->box, 2));
  menu->update();
  // Chosen and confirmed: the start goes on to the sound question.
  EXPECT_EQ(GameLib::languageIndex, 2);
  EXPECT_NE(dynamic_cast<SoundMenu*>(GameLib::currentScreen.get()), nullptr);
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"yes")), "Oui");
}

TEST_F(StartQuestionsTest, TheSoundAnswerBecomesEveryGamesLevels) {
  GameLib::languageCodes = gamelib::stringList({u"en"});
  GameLib::languageIndex = 0;
  nuv::lang::DStringArrayPtr keys = gamelib::stringList({u"bounce", u"rocks", u"tanks"});
  struct Case {
    std::function<void(SoundMenu&)> answer;
    int32_t level;
  } cases[] = {
      {[](SoundMenu&) { press(kKeyAction); }, 0},  // the first answer is "no"
      {[](SoundMenu&) {
         press(kKeyUp);
         ScreenCanvas::held[gamelib::GameAction::Fire] = true;
       },
       1},
      {[](SoundMenu& m) { tap(120, rowY(m.box, 1)); }, 1},
      {[](SoundMenu& m) { tap(120, rowY(m.box, 2)); }, 0},
      {[](SoundMenu& m) {
         SoundMenu::soundOn = true;
         tap(6, 320 - m.box.rowHeight + 2);  // the "OK" label
       },
       1},
  };
  for (const Case& c : cases) {
    SoundMenu::soundOn = false;
    SoundMenuPtr menu = new SoundMenu();
    EXPECT_FALSE(SoundMenu::done);
    menu->setup(keys);
    EXPECT_EQ(narrow(menu->question), "Enable sound?");
    GameLib::currentScreen = menu;
    wait(201);
    c.answer(*menu);
    menu->update();
    EXPECT_TRUE(SoundMenu::done) << c.level;
    // The start has the screen now: the question no longer paints over it.
    clearScreen(0xFFFFFF);
    menu->paint();
    EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, 0xFFFF), 0);
    for (const char16_t* key : {u"bouncesfx_level", u"bouncemusic_level", u"tankssfx_level"}) {
      EXPECT_EQ(GameMenu::loadOption(key, 2), c.level) << narrow(nuv::lang::DStringPtr(key));
    }
  }
  // A tap on the question itself changes nothing.
  SoundMenu::soundOn = false;
  SoundMenuPtr menu = new SoundMenu();
  menu->setup(keys);
  wait(201);
  tap(120, rowY(menu->box, 0));
  menu->update();
  EXPECT_FALSE(SoundMenu::done);
  EXPECT_FALSE(SoundMenu::soundOn);
}

}  // namespace
