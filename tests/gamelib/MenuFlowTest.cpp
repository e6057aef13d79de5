// The in-game menu flow the games share, on the real texts and a game of hooks that only record: entry
// texts with and without a paused game, what each entry leads to, the way back from a help, table or key
// set-up page as each style has it, sound levels that wrap and are kept, and the end of a game with a name
// typed and stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace {

using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::MenuEntry;
using gamelib::MenuEntryKeys;
using gamelib::MenuFlow;
using gamelib::MenuFlowPtr;
using gamelib::MenuPage;
using gamelib::MenuStyle;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gltest::narrow;
namespace GameAction = gamelib::GameAction;

// A game with an option of its own between the music level and the key set-up.
constexpr MenuEntryKeys kWithOption[] = {{MenuEntry::Start, u"start", u"continue"},
                                         {MenuEntry::SfxLevel, nullptr, nullptr},
                                         {MenuEntry::MusicLevel, nullptr, nullptr},
                                         {MenuEntry::Own, u"levelsoriginal", u"levelsoriginal"},
                                         {MenuEntry::Exit, u"exit", u"mainmenu"}};
constexpr int32_t kSfx = 1;
constexpr int32_t kMusic = 2;
constexpr int32_t kOption = 3;
constexpr int32_t kExit = 4;

// The standard entries, by place.
constexpr int32_t kStart = 0;
constexpr int32_t kHighScores = 1;
constexpr int32_t kHelp = 2;
constexpr int32_t kKeys = 5;

class MenuFlowTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    // The sound levels live in the mixer.
    platform::setAudioDriver("null");
    nuv::microedition::media::DManager::initSound();
    menu = new GameMenu();
  }
  void TearDown() override {
    flow = nullptr;
    menu = nullptr;
    nuv::microedition::media::DManager::doneSound();
    MenuFixture::TearDown();
  }
  // A flow whose hooks record what they are asked.
  void makeFlow(std::span<const MenuEntryKeys> entries, MenuStyle style = {}) {
    gamelib::MenuHooks hooks;
    hooks.start = [this](int32_t) { calls.push_back("start"); };
    hooks.resume = [this] { calls.push_back("resume"); };
    hooks.abandon = [this] {
      calls.push_back("abandon");
      flow->show(MenuPage::Start);
    };
    hooks.own = [this](MenuPage page, int32_t item) {
      calls.push_back("own " + std::to_string(static_cast<int>(page)) + " " + std::to_string(item));
    };
    flow = new MenuFlow(u"flowtest", entries, menu, 1, hooks, style);
    flow->helpFolder = u"/txt/bnc/";
  }
  // The page showing.
  MenuPage showing() const { return flow->page(); }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (int32_t i = 0; i < menu->items->length; ++i) out.push_back(narrow((*menu->items)[i]));
    return out;
  }
  // One step of the page showing, with a key held through it once the menu takes input again.
  void step(int32_t action = -1) {
    if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
    wait(250);
    if (action >= 0) ScreenCanvas::held[action] = true;
    flow->update();
    if (action >= 0) ScreenCanvas::held[action] = false;
  }
  // Fire on an entry of the list showing.
  void choose(int32_t item) {
    menu->selected = item;
    step(GameAction::Fire);
  }

  GameMenuPtr menu;
  MenuFlowPtr flow;
  std::vector<std::string> calls;
};

TEST_F(MenuFlowTest, EntriesShowTheirTextsAndTheSoundLevelsAsTheyAre) {
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(0);
  makeFlow(kWithOption);
  struct Case {
    MenuPage page;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {MenuPage::Start, {"Start", "Sound: High", "Music: Off", "Levels: Original", "Exit"}},
      {MenuPage::Pause, {"Continue", "Sound: High", "Music: Off", "Levels: Original", "Main Menu"}},
  };
  for (const Case& c : cases) {
    menu->selected = 3;
    flow->show(c.page);
    EXPECT_EQ(texts(), c.expected) << static_cast<int>(c.page);
    EXPECT_EQ(menu->selected, 0);
    EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
    EXPECT_EQ(showing(), c.page);
  }
}

TEST_F(MenuFlowTest, SoundLevelsWrapAfterTheHighestAndAreKeptAsTheGamesOption) {
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(1);
  makeFlow(kWithOption);
  flow->show(MenuPage::Start);
  choose(kSfx);
  choose(kMusic);
  EXPECT_EQ(SoundManager::getSfxLevel(), 0);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
  EXPECT_EQ(texts()[kSfx], narrow(GameMenu::getSfxLevelText(0)));
  EXPECT_EQ(texts()[kMusic], narrow(GameMenu::getMusicLevelText(2)));
  // The next start of the game finds them.
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(3);
  SoundManager::loadLevels(u"flowtest");
  EXPECT_EQ(SoundManager::getSfxLevel(), 0);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
  EXPECT_TRUE(calls.empty());
}

TEST_F(MenuFlowTest, EachEntryLeadsWhereItsKindSays) {
  makeFlow(gamelib::kStandardMenu);
  struct Case {
    MenuPage page;
    int32_t item;
    const char* call;  // the game's hook asked, if any
    MenuPage shows;
    int32_t mode;
  };
  const Case cases[] = {
      {MenuPage::Start, kStart, "start", MenuPage::Start, GameMenu::MODE_LIST},
      {MenuPage::Pause, kStart, "resume", MenuPage::Pause, GameMenu::MODE_LIST},
      {MenuPage::Start, kHighScores, nullptr, MenuPage::Table, GameMenu::MODE_TABLE},
      {MenuPage::Pause, kHelp, nullptr, MenuPage::Help, GameMenu::MODE_HELP},
      {MenuPage::Start, kKeys, nullptr, MenuPage::Keys, GameMenu::MODE_LIST},
      {MenuPage::Pause, 6, "abandon", MenuPage::Start, GameMenu::MODE_LIST},
  };
  for (const Case& c : cases) {
    calls.clear();
    flow->show(c.page);
    choose(c.item);
    EXPECT_EQ(calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{}) << c.item;
    EXPECT_EQ(showing(), c.shows) << c.item;
    EXPECT_EQ(menu->mode, c.mode) << c.item;
  }
  // The game's own entries and pages are its own.
  calls.clear();
  makeFlow(kWithOption);
  flow->show(MenuPage::Pause);
  choose(kOption);
  flow->show(gamelib::ownPage(1));
  choose(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"own 1 3", "own 6 2"}));
}

TEST_F(MenuFlowTest, AClosedPageGoesBackToTheListItCameFrom) {
  struct Case {
    MenuStyle style;
    MenuPage from;
    int32_t entry;
    int32_t selected;  // after the way back
  };
  const Case cases[] = {
      {{}, MenuPage::Start, kHighScores, 0},
      {{}, MenuPage::Pause, kHelp, 0},
      {{.pagesKeepTheList = true}, MenuPage::Pause, kHighScores, kHighScores},
      {{.pagesKeepTheList = true}, MenuPage::Start, kHelp, kHelp},
  };
  for (const Case& c : cases) {
    makeFlow(gamelib::kStandardMenu, c.style);
    flow->show(c.from);
    choose(c.entry);
    ASSERT_NE(showing(), c.from);
    step(GameAction::Up);
    EXPECT_NE(showing(), c.from) << c.entry;  // up only scrolls
    ScreenCanvas::select = true;
    step();
    EXPECT_EQ(showing(), c.from) << c.entry;
    EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
    EXPECT_EQ(menu->selected, c.selected) << c.entry;
    EXPECT_FALSE(menu->closed);
  }
}

TEST_F(MenuFlowTest, APageOpenedAfterTheLastEntryWasChosenStaysOpen) {
  makeFlow(gamelib::kStandardMenu);
  for (const int32_t entry : {kHighScores, kHelp}) {
    flow->show(MenuPage::Pause);
    choose(6);  // "mainmenu": the last entry also reports its page closed
    ASSERT_EQ(calls.back(), "abandon");
    choose(entry);
    const MenuPage page = showing();
    step();
    EXPECT_EQ(showing(), page) << entry;
    EXPECT_NE(showing(), MenuPage::Start) << entry;
  }
}

TEST_F(MenuFlowTest, ATableThatClosesOnFireOrATapOnlyIgnoresTheSoftKeys) {
  makeFlow(gamelib::kStandardMenu, {.tableClosesOnFireOrTap = true});
  flow->show(MenuPage::Start);
  choose(kHighScores);
  for (bool* key : {&ScreenCanvas::select, &ScreenCanvas::back}) {
    *key = true;
    step();
    *key = false;
    EXPECT_EQ(showing(), MenuPage::Table);
  }
  step(GameAction::Fire);
  EXPECT_EQ(showing(), MenuPage::Start);
}

TEST_F(MenuFlowTest, WithoutAKeySetUpItsStepClosesAtOnceAndClearsInput) {
  struct Case {
    MenuStyle style;
    int32_t selected;  // after the way back
    bool clockRestarted;
  };
  const Case cases[] = {{{}, kKeys, false}, {{.keysKeepTheList = false, .inputClockRestarts = true}, 0, true}};
  for (const Case& c : cases) {
    makeFlow(gamelib::kStandardMenu, c.style);
    flow->show(MenuPage::Pause);
    choose(kKeys);
    ASSERT_EQ(showing(), MenuPage::Keys);
    gamelib::CustomControls::current = nullptr;
    GameMenu::inputClock = 1;
    ScreenCanvas::held[GameAction::Fire] = true;
    flow->update();
    EXPECT_FALSE(ScreenCanvas::held[GameAction::Fire]);
    EXPECT_EQ(showing(), MenuPage::Pause);
    EXPECT_EQ(menu->selected, c.selected);
    EXPECT_EQ(GameMenu::inputClock == nuv::lang::DSystem::currentTimeMillis(), c.clockRestarted);
  }
}

TEST_F(MenuFlowTest, AScoreThatEntersTheTableIsOfferedAndStoredUnderTheTypedName) {
  makeFlow(gamelib::kStandardMenu);
  // The default table holds eight scores of 0: any positive score enters it.
  EXPECT_FALSE(flow->endGame(0));
  EXPECT_NE(menu->mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_EQ(narrow((*menu->items)[0]), "Start");
  ASSERT_TRUE(flow->endGame(1234));
  EXPECT_EQ(menu->mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_EQ(showing(), MenuPage::Start);
  EXPECT_FALSE(flow->storeTypedName());

  GameMenu::enteredName = u"ZED";
  GameMenu::nameEntered = true;
  ASSERT_TRUE(flow->storeTypedName());
  EXPECT_FALSE(GameMenu::nameEntered);
  GameMenuPtr reread = new GameMenu();
  reread->loadHighScores(1, u"flowtest");
  EXPECT_EQ(narrow((*reread->items)[0]), "ZED");
  EXPECT_EQ((*reread->scores)[0], 1234);
  // The table shows, and closing it leads to the start page.
  EXPECT_EQ(showing(), MenuPage::Table);
  EXPECT_EQ(menu->mode, GameMenu::MODE_TABLE);
  step(GameAction::Fire);
  EXPECT_EQ(showing(), MenuPage::Start);
}

}  // namespace
