// The in-game menu flow the games share, on the real texts and a game of hooks that only record: the pages a
// game hands over made as it enters and let go as it leaves, entry texts with and without a paused game, what each
// entry leads to, the way back from a help, table or key set-up page as each style has it, sound levels that wrap and
// are kept, and the end of a game with a name typed and stored.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/Score.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringList.h"
#include "gamelib/TextTable.h"
#include "shell/lcdui/DImage.h"

namespace {

using gamelib::GameLib;
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
    startSound();
  }
  void TearDown() override {
    flow = nullptr;
    menu = nullptr;
    MenuFixture::TearDown();
  }
  // A flow whose hooks record what they are asked; `menu` is its list.
  void makeFlow(std::span<const MenuEntryKeys> entries, MenuStyle style = {},
                const gamelib::MenuPages& pages = {.helpFolder = u"/txt/bnc/"}) {
    gamelib::MenuHooks hooks;
    hooks.start = [this](int32_t level) {
      calls.push_back("start");
      levels.push_back(level);
    };
    hooks.resume = [this] {
      calls.push_back("resume");
      if (onResume) onResume();
    };
    hooks.abandon = [this] {
      calls.push_back("abandon");
      flow->show(MenuPage::Start);
    };
    hooks.own = [this](MenuPage page, int32_t item) {
      calls.push_back("own " + std::to_string(static_cast<int>(page)) + " " + std::to_string(item));
    };
    flow = new MenuFlow(u"flowtest", entries, pages, hooks, style);
    menu = &flow->menu();
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

  // The left soft key, pressed and taken by one update of the flow.
  void selectOnce() {
    press(gltest::kKeySoftLeft);
    flow->update();
    ScreenCanvas::resetInput();
  }
  // The back buffer's pixels.
  static std::vector<uint16_t> screen() {
    std::vector<uint16_t> out;
    for (int32_t y = 0; y < 320; ++y)
      for (int32_t x = 0; x < 240; ++x) out.push_back(gltest::canvasPixel(x, y));
    return out;
  }

  GameMenuPtr menu;
  MenuFlowPtr flow;
  std::vector<std::string> calls;
  std::vector<int32_t> levels;  // the levels the start hook was asked for
  std::function<void()> onResume;
};

TEST_F(MenuFlowTest, EntriesShowTheirTextsAndTheSoundLevelsAsTheyAre) {
  makeFlow(kWithOption);
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(0);
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
  makeFlow(kWithOption);
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(1);
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

TEST_F(MenuFlowTest, AScoreAtTheBoundIsOfferedLikeAnyOtherUntilEveryRowHoldsIt) {
  using gamelib::kHighestScore;
  struct Case {
    int32_t rowsAtTheBound;
    int32_t place;  // where the typed name goes; -1: no name is asked for
  } cases[] = {{0, 0}, {7, 7}, {8, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rowsAtTheBound);
    GameMenuPtr stored = new GameMenu();
    stored->loadHighScores(1, u"flowtest");
    for (int32_t i = 0; i < stored->scores->length; ++i)
      (*stored->scores)[i] = i < c.rowsAtTheBound ? kHighestScore : 100;
    stored->saveHighScores(1, u"flowtest");
    makeFlow(gamelib::kStandardMenu);
    ASSERT_EQ(flow->endGame(kHighestScore), c.place >= 0);
    if (c.place < 0) continue;
    GameMenu::enteredName = u"MAX";
    GameMenu::nameEntered = true;
    ASSERT_TRUE(flow->storeTypedName());
    GameMenuPtr reread = new GameMenu();
    reread->loadHighScores(1, u"flowtest");
    EXPECT_EQ(narrow((*reread->items)[c.place]), "MAX");
    EXPECT_EQ((*reread->scores)[c.place], kHighestScore);
  }
}

TEST_F(MenuFlowTest, StartOffersTheLevelsFromTheHighestReachedDownAndExitLeadsBack) {
  struct Case {
    int32_t highest;
    int32_t chosen;   // the entry of the level list; -1: there is none
    int32_t startAt;  // the level the game starts at; 0: none, the start page shows again
  };
  const Case cases[] = {{1, -1, 1}, {4, 0, 4}, {4, 1, 3}, {4, 3, 1}, {4, 4, 0}, {2, 2, 0}};
  for (const Case& c : cases) {
    makeFlow(gamelib::kStandardMenu);
    gamelib::HighestLevel highest{u"flowtest"};
    highest = c.highest;
    flow->words.highestLevel = &highest;
    flow->show(MenuPage::Start);
    choose(kStart);
    if (c.chosen >= 0) {
      ASSERT_EQ(showing(), MenuPage::Levels) << c.highest;
      std::vector<std::string> list;
      for (int32_t level = c.highest; level >= 1; --level) list.push_back("Level " + std::to_string(level));
      list.push_back("Exit");
      EXPECT_EQ(texts(), list);
      EXPECT_TRUE(levels.empty());
      choose(c.chosen);
    }
    EXPECT_EQ(levels, c.startAt > 0 ? std::vector<int32_t>{c.startAt} : std::vector<int32_t>{}) << c.chosen;
    if (c.startAt == 0) {
      EXPECT_EQ(showing(), MenuPage::Start);
      EXPECT_EQ(texts()[0], "Start");
    }
    levels.clear();
  }
}

TEST_F(MenuFlowTest, APauseIsAskedByTheSoftKeysThePauseActionOrThePenOnTheGamesSign) {
  for (bool* key : {&ScreenCanvas::select, &ScreenCanvas::back, &ScreenCanvas::held[GameAction::Pause]}) {
    *key = true;
    EXPECT_TRUE(MenuFlow::pauseRequested());
    *key = false;
  }
  EXPECT_FALSE(MenuFlow::pauseRequested());
  using gamelib::PauseSign;
  const nuv::microedition::lcdui::DImagePtr sign = nuv::microedition::lcdui::DImage::createMutableImage(20, 18);
  const PauseSign topLeft = PauseSign::topLeft(sign), topRight = PauseSign::topRight(sign);
  const PauseSign bottomLeft = PauseSign::bottomLeft(sign), bottomRight = PauseSign::bottomRight(sign);
  struct Case {
    PauseSign sign;
    int32_t x, y;
    bool pauses;
  } cases[] = {
      // The left corners reach the picture's edges, the screen's and beyond.
      {topLeft, 20, 18, true},
      {topLeft, 21, 0, false},
      {topLeft, 0, 19, false},
      {topLeft, -5, -5, true},
      {bottomLeft, 20, 302, true},
      {bottomLeft, 0, 301, false},
      {bottomLeft, 3, 400, true},
      // The right ones start a pixel inside the picture; the top one ends a row short of it.
      {topRight, 221, 17, true},
      {topRight, 220, 0, false},
      {topRight, 239, 18, false},
      {topRight, 300, -3, true},
      {bottomRight, 221, 303, true},
      {bottomRight, 221, 302, false},
      // A sign of the game's own, bounds included; none without a picture.
      {{10, 20, 30, 40}, 10, 40, true},
      {{10, 20, 30, 40}, 31, 30, false},
      {PauseSign::topLeft(nullptr), 0, 0, false},
      {{}, 0, 0, false},
  };
  for (const Case& c : cases) {
    tap(c.x, c.y);
    EXPECT_EQ(MenuFlow::pauseRequested(c.sign), c.pauses) << c.x << "," << c.y;
    ScreenCanvas::resetInput();
    EXPECT_FALSE(MenuFlow::pauseRequested(c.sign));
  }
}

TEST_F(MenuFlowTest, PauseHoldsPlayAndContinueReleasesThePlayKeysBeforeTheGamesOwn) {
  makeFlow(gamelib::kStandardMenu);
  gamelib::CustomControls::install(0x1C, u"flowtest", nullptr);
  GameLib::canvas->selectKeyMap(gamelib::ScreenCanvas::kPlayKeyMap);
  ScreenCanvas::held[GameAction::Up] = true;
  flow->pause();
  EXPECT_EQ(showing(), MenuPage::Pause);
  EXPECT_EQ(texts()[0], "Continue");
  EXPECT_FALSE(ScreenCanvas::held[GameAction::Up]);
  EXPECT_EQ(GameLib::canvas->activeKeyMap, gamelib::ScreenCanvas::kMenuKeyMap);

  // The keys that move and fire are released when the game's own continuing runs; the others stay.
  bool released = false;
  onResume = [&] {
    released = !ScreenCanvas::held[GameAction::Right] && !ScreenCanvas::held[GameAction::Left] &&
               !ScreenCanvas::select && !ScreenCanvas::back && ScreenCanvas::held[GameAction::Star] &&
               GameLib::canvas->activeKeyMap == gamelib::ScreenCanvas::kPlayKeyMap;
  };
  menu->selected = kStart;
  for (const int32_t a : {GameAction::Right, GameAction::Left, GameAction::Star}) ScreenCanvas::held[a] = true;
  ScreenCanvas::back = true;
  step(GameAction::Fire);
  EXPECT_EQ(calls, std::vector<std::string>{"resume"});
  EXPECT_TRUE(released);
  gamelib::CustomControls::current = nullptr;
}

TEST_F(MenuFlowTest, WithoutItsOwnAbandonAGameGivenUpLeavesTheStartPage) {
  flow = new MenuFlow(u"flowtest", gamelib::kStandardMenu, {}, gamelib::MenuHooks{});
  menu = &flow->menu();
  flow->show(MenuPage::Pause);
  choose(6);
  EXPECT_EQ(showing(), MenuPage::Start);
  EXPECT_EQ(texts()[0], "Start");
  EXPECT_EQ(texts()[6], "Exit");
}

TEST_F(MenuFlowTest, TheGamesWordsFollowThePagesAndNameThePageOfEachStep) {
  makeFlow(gamelib::kStandardMenu);
  // A state word for the menu and the key set-up, a page word, the one before it, and the paused flag.
  constexpr gamelib::MenuPageNumber kStates[] = {{MenuPage::Start, 10}, {MenuPage::Keys, 11}};
  constexpr gamelib::MenuPageNumber kPages[] = {
      {MenuPage::Start, 0}, {MenuPage::Pause, 1}, {MenuPage::Help, 2}, {MenuPage::Table, 3}};
  int32_t state = -1, page = -1, previous = -1;
  bool paused = false;
  flow->words = {
      .state = &state, .states = kStates, .page = &page, .pages = kPages, .previousPage = &previous, .paused = &paused};
  struct Case {
    MenuPage shown;
    int32_t state, page, previous;
    bool paused;
  } cases[] = {
      {MenuPage::Pause, 10, 1, -1, true},
      {MenuPage::Help, 10, 2, 1, true},  // a page over the list leaves paused as it is
      {MenuPage::Keys, 11, 2, 1, true},  // the key set-up leaves the page words
      {MenuPage::Start, 10, 0, 2, false},
  };
  for (const Case& c : cases) {
    flow->show(c.shown);
    EXPECT_EQ(state, c.state) << static_cast<int>(c.shown);
    EXPECT_EQ(page, c.page) << static_cast<int>(c.shown);
    EXPECT_EQ(previous, c.previous) << static_cast<int>(c.shown);
    EXPECT_EQ(paused, c.paused) << static_cast<int>(c.shown);
  }
  // The words the game writes itself name the page the next step acts on.
  page = 1;
  EXPECT_EQ(showing(), MenuPage::Pause);
  choose(kStart);
  EXPECT_EQ(calls, std::vector<std::string>{"resume"});
  // Where the start and pause pages share a state and no page word tells them apart, the paused flag does.
  constexpr gamelib::MenuPageNumber kShared[] = {{MenuPage::Start, 5}, {MenuPage::Pause, 5}, {MenuPage::Keys, 6}};
  flow->words = {.state = &state, .states = kShared, .paused = &paused};
  state = 5;
  for (const bool p : {true, false}) {
    paused = p;
    EXPECT_EQ(showing(), p ? MenuPage::Pause : MenuPage::Start);
  }
}

TEST_F(MenuFlowTest, ThePageShowingIsPaintedTheKeySetUpIncluded) {
  makeFlow(gamelib::kStandardMenu, {}, {.tableHasItsMenu = true, .remappableActions = 0x1C});
  GameMenu* table = &flow->menuOf(MenuPage::Table);
  ASSERT_NE(table, menu.get());
  // Each page as its own painter draws it.
  struct Case {
    MenuPage page;
    std::function<void()> paint;
  } cases[] = {
      {MenuPage::Start, [&] { menu->paint(); }},
      {MenuPage::Table, [&] { table->paint(); }},
      {MenuPage::Keys, [] { gamelib::CustomControls::current->paint(GameLib::graphics); }},
  };
  for (const Case& c : cases) {
    flow->show(c.page);
    clearScreen(0x00FF00);
    c.paint();
    const std::vector<uint16_t> want = screen();
    clearScreen(0x00FF00);
    flow->paint();
    EXPECT_EQ(screen(), want) << static_cast<int>(c.page);
    EXPECT_GT(gltest::countOtherPixels(0, 0, 240, 320, 0x07E0), 0) << static_cast<int>(c.page);
  }
  // Without a key set-up its page paints nothing.
  gamelib::CustomControls::current = nullptr;
  clearScreen(0x00FF00);
  flow->paint();
  EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, 0x07E0), 0);
}

TEST_F(MenuFlowTest, ATypedNameIsStoredAfterTheStepThatAcceptedItOrAtTheStartOfTheNext) {
  for (const bool nextStep : {false, true}) {
    makeFlow(gamelib::kStandardMenu, {.nameStoredNextStep = nextStep});
    GameMenu::enteredName = nextStep ? u"TWO" : u"ONE";
    ASSERT_TRUE(flow->endGame(100 + (nextStep ? 1 : 0)));
    wait(250);
    selectOnce();  // the keyboard's accept
    EXPECT_EQ(showing(), nextStep ? MenuPage::Start : MenuPage::Table) << nextStep;
    EXPECT_EQ(menu->mode, nextStep ? GameMenu::MODE_NAME_ENTRY : GameMenu::MODE_TABLE) << nextStep;
    flow->update();
    EXPECT_EQ(showing(), MenuPage::Table) << nextStep;
    EXPECT_EQ(narrow((*menu->items)[0]), nextStep ? "TWO" : "ONE");
  }
}

TEST_F(MenuFlowTest, EnteringMakesThePagesTheGameHandsOverAndLeavingLetsThemGo) {
  using gamelib::HelpLayout;
  using nuv::microedition::lcdui::DImage;
  // The game's stored levels and the chosen language come with the flow.
  GameMenu::saveOption(u"flowtestsfx_level", 3);
  GameMenu::saveOption(u"flowtestmusic_level", 1);
  GameLib::languageCodes = gamelib::stringList({u"en", u"de", u"fr"});
  GameLib::languageIndex = 2;
  const auto splash = DImage::createMutableImage(240, 320);
  // The plain list keeps an eighth of the screen free on each side; the picture halves that.
  const int32_t plainLeft = GameLib::screenWidth / 8;
  struct Case {
    gamelib::MenuPages pages;
    int32_t left;      // of the list
    bool helpLaidOut;  // before its page opens
    int32_t helpLeft;  // the list's left the help was laid out for; 0: not laid out
  } cases[] = {
      {{.helpFolder = u"/txt/bnc/"}, plainLeft, false, 0},
      {{.picture = splash, .helpFolder = u"/txt/bnc/", .help = HelpLayout::OnEntering},
       plainLeft / 2,
       true,
       plainLeft / 2},
      {{.picture = splash, .helpFolder = u"/txt/bnc/", .help = HelpLayout::OnEnteringAtPlainWidth},
       plainLeft / 2,
       true,
       plainLeft},
      {{.picture = splash,
        .helpFolder = u"/txt/bnc/",
        .help = HelpLayout::OnEntering,
        .tableHasItsMenu = true,
        .helpHasItsMenu = true,
        .remappableActions = 0x1C},
       plainLeft / 2,
       true,
       plainLeft},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.pages.help));
    GameMenu::helpLines = nullptr;
    GameMenu::helpLineCount = 0;
    SoundManager::setSfxLevel(0);
    gamelib::TextTable::load(u"/txt/res_en", true);
    makeFlow(gamelib::kStandardMenu, {}, c.pages);
    EXPECT_EQ(SoundManager::getSfxLevel(), 3);
    EXPECT_EQ(SoundManager::getMusicLevel(), 1);
    EXPECT_EQ(narrow(gamelib::TextTable::getString(u"start")), "Jouer");

    const bool shaded = !c.pages.picture.isNull();
    EXPECT_EQ(menu->left, c.left);
    EXPECT_EQ(menu->background.isNull(), !shaded);
    EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
    // Pages with menus of their own lie on the darker shade; the table's holds the table already.
    GameMenu& table = flow->menuOf(MenuPage::Table);
    GameMenu& help = flow->menuOf(MenuPage::Help);
    EXPECT_EQ(&table != menu.get(), c.pages.tableHasItsMenu);
    EXPECT_EQ(&help != menu.get(), c.pages.helpHasItsMenu);
    if (c.pages.tableHasItsMenu) {
      EXPECT_EQ(table.mode, GameMenu::MODE_TABLE);
      EXPECT_EQ(table.left, plainLeft);
      EXPECT_FALSE(table.background.isNull());
      ASSERT_FALSE(table.items.isNull());
      EXPECT_EQ(table.items->length, 8);
    }
    EXPECT_EQ(GameMenu::helpLineCount > 0, c.helpLaidOut);
    if (c.helpLaidOut) {
      const int32_t wrapAt = GameLib::screenWidth - 2 * c.helpLeft;
      EXPECT_EQ(GameMenu::helpMinChars, (wrapAt - 4) / GameLib::font(GameLib::FONT_SMALL)->stringWidth(u"W"));
    }
    ASSERT_FALSE(gamelib::CustomControls::current.isNull());
    EXPECT_EQ(gamelib::CustomControls::current->background.isNull(), !shaded);
    EXPECT_EQ(gamelib::CustomControls::current->actionMask, c.pages.remappableActions);

    // A help laid out as its page opens is read then.
    flow->show(MenuPage::Help);
    EXPECT_GT(GameMenu::helpLineCount, 0);

    MenuFlow::leave(flow);
    EXPECT_TRUE(flow.isNull());
    EXPECT_TRUE(gamelib::CustomControls::current.isNull());
    EXPECT_TRUE(GameMenu::helpLines.isNull());
    EXPECT_EQ(GameMenu::helpLineCount, 0);
    MenuFlow::leave(flow);  // no flow: nothing
  }
}

}  // namespace
