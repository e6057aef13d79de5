// The maze game's screen on the real data: loading, the pages of its menu and their entries, starting a game
// in each mode, pausing, the game step on every second update, the direction the keys and the stylus ask
// for, the hidden level number, the end of a game with its high-score name, and leaving and coming back.
#include <gtest/gtest.h>

#include <vector>

#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/GobblerScreenFixture.h"

namespace gobblertest {

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gltest::narrow;
using namespace gobbler;
namespace GameAction = gamelib::GameAction;

class GobblerScreenTest : public GobblerScreenFixture {
 protected:
  // Updates until the game has gone back to its menu (the game steps on every second one).
  void stepUntilMenu(int most = 200) {
    for (int i = 0; i < most && screenState != Gobbler::STATE_MENU; ++i) step();
  }
  void pause() {
    press(gltest::kKeySoftLeft);
    stepUntilMenu();
    GameLib::canvas->keyReleased(gltest::kKeySoftLeft);
    ScreenCanvas::pump();
  }
};

constexpr const char* kStartMenu = "Start|High Scores|Help|Sound: Normal|Music: Normal|Controls|Exit";
constexpr const char* kPauseMenu = "Continue|High Scores|Help|Sound: Normal|Music: Normal|Controls|Main Menu";

}  // namespace

TEST_F(GobblerScreenTest, LoadingEndsInTheStartMenuWithItsTune) {
  game->init();
  EXPECT_EQ(screenState, Gobbler::STATE_MENU);
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
  EXPECT_EQ(items(), kStartMenu);
  EXPECT_EQ(lastSound(), GobblerGame::SND_MENU);
  // The real maze: 18 x 21 cells of 12 pixels, and the speeds that go with them.
  EXPECT_EQ(mapColumns, data::kMapColumns);
  EXPECT_EQ(mapRows, data::kMapRows);
  EXPECT_EQ(cellWidth, 12);
  EXPECT_EQ(playerSpeed, 4);
  EXPECT_EQ(chaserFrightSpeed, 2);
  EXPECT_EQ(chaserReturnSpeed, 5);
  EXPECT_EQ(fruitSpeedTenths, 13);
  // The text table holds the language's texts again, not the animation list.
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"little-money")), "little-money");
  EXPECT_FALSE(gamelib::CustomControls::current.isNull());
}

TEST_F(GobblerScreenTest, TheSetUpPageChoosesTheLevelsAndTheMode) {
  startScreen();
  choose(Gobbler::ITEM_START);
  EXPECT_EQ(menuPage, Gobbler::PAGE_SETUP);
  EXPECT_EQ(items(), "Start|Levels: Original|Mode: Classic|Exit");
  choose(Gobbler::SETUP_LEVELS);
  EXPECT_TRUE(randomLevels);
  EXPECT_EQ(item(Gobbler::SETUP_LEVELS), "Levels: Random");
  choose(Gobbler::SETUP_LEVELS);
  EXPECT_EQ(item(Gobbler::SETUP_LEVELS), "Levels: Original");
  const char* modes[] = {"Mode: Fruit", "Mode: Time", "Mode: Hunt", "Mode: Classic"};
  for (int i = 0; i < 4; ++i) {
    choose(Gobbler::SETUP_MODE);
    EXPECT_EQ(gameMode, (i + 1) % 4);
    EXPECT_EQ(item(Gobbler::SETUP_MODE), modes[i]);
  }
  choose(Gobbler::SETUP_EXIT);
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
  EXPECT_EQ(items(), kStartMenu);
}

TEST_F(GobblerScreenTest, AHighScoreTablePerMode) {
  startScreen();
  choose(Gobbler::ITEM_HIGH_SCORES);
  EXPECT_EQ(menuPage, Gobbler::PAGE_TABLES);
  EXPECT_EQ(items(), "Mode: Classic|Mode: Fruit|Mode: Time|Mode: Hunt|Exit");
  choose(GobblerGame::MODE_TIME);
  EXPECT_EQ(menuPage, Gobbler::PAGE_TABLE);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_TABLE);
  EXPECT_EQ(shownTable, GobblerGame::MODE_TIME);
  EXPECT_EQ(menuFlow->menu().items->length, 8);
  // Closed, the table goes back to the choice, and its exit to the start menu.
  press(gltest::kKeySoftLeft);
  wait(250);
  step();
  EXPECT_EQ(menuPage, Gobbler::PAGE_TABLES);
  ScreenCanvas::resetInput();
  choose(Gobbler::TABLES_EXIT);
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
}

TEST_F(GobblerScreenTest, HelpGoesBackToThePageItCameFrom) {
  startScreen();
  choose(Gobbler::ITEM_HELP);
  EXPECT_EQ(menuPage, Gobbler::PAGE_HELP);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_HELP);
  EXPECT_GT(GameMenu::helpLineCount, 5);
  press(gltest::kKeySoftLeft);
  wait(250);
  step();
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_LIST);
  EXPECT_TRUE(GameMenu::helpLines.isNull());
}

TEST_F(GobblerScreenTest, EachModeStartsAGame) {
  startScreen();
  for (int mode : {GobblerGame::MODE_DOTS, GobblerGame::MODE_FRUIT, GobblerGame::MODE_TIME, GobblerGame::MODE_KILL}) {
    choose(Gobbler::ITEM_START);
    while (gameMode != mode) choose(Gobbler::SETUP_MODE);
    choose(Gobbler::SETUP_START);
    EXPECT_EQ(screenState, Gobbler::STATE_PLAY) << mode;
    EXPECT_EQ(lastSound(), GobblerGame::SND_GAME) << mode;
    EXPECT_EQ(levelNumber(), 1);
    EXPECT_EQ(lives, 5);
    EXPECT_EQ(map->dotCount > 0, true);
    EXPECT_EQ(!game->game->movingDotCell.isNull(), mode == GobblerGame::MODE_TIME) << mode;
    EXPECT_EQ(chaser1->frightened, mode == GobblerGame::MODE_KILL) << mode;
    play(60);
    EXPECT_EQ(screenState, Gobbler::STATE_PLAY) << mode;
    // "Main Menu" on the pause menu abandons the game.
    pause();
    EXPECT_EQ(items(), kPauseMenu);
    choose(Gobbler::ITEM_EXIT);
    EXPECT_EQ(menuPage, Gobbler::PAGE_START) << mode;
    EXPECT_FALSE(gamePaused);
  }
}

TEST_F(GobblerScreenTest, PauseAndContinue) {
  startScreen();
  startPlaying(GobblerGame::MODE_DOTS);
  play(10);
  pause();
  EXPECT_TRUE(gamePaused);
  EXPECT_EQ(menuPage, Gobbler::PAGE_PAUSE);
  // The table choice's exit goes back to the pause menu while a game waits.
  choose(Gobbler::ITEM_HIGH_SCORES);
  choose(Gobbler::TABLES_EXIT);
  EXPECT_EQ(menuPage, Gobbler::PAGE_PAUSE);
  const int x = player->position->x;
  choose(Gobbler::ITEM_START);
  EXPECT_EQ(screenState, Gobbler::STATE_PLAY);
  EXPECT_FALSE(gamePaused);
  EXPECT_FALSE(panelDrawn);
  EXPECT_EQ(player->position->x, x);
}

TEST_F(GobblerScreenTest, TheGameStepsOnEverySecondUpdate) {
  startScreen();
  startPlaying(GobblerGame::MODE_DOTS);
  // The first map's player runs left along an open corridor.
  ASSERT_TRUE(player->direction->sameAs(-1, 0));
  const int x = player->position->x;
  for (int i = 0; i < 10; ++i) step();
  EXPECT_EQ(player->position->x, x - 5 * playerSpeed);
}

TEST_F(GobblerScreenTest, KeysAskInTheirOrder) {
  startScreen();
  struct Case {
    std::vector<int> held;
    int direction;
  };
  const Case cases[] = {
      {{GameAction::Right, GameAction::Left}, Gobbler::DIR_RIGHT},
      {{GameAction::Left, GameAction::Up}, Gobbler::DIR_LEFT},
      {{GameAction::Up, GameAction::Down}, Gobbler::DIR_UP},
      {{GameAction::Down, GameAction::Fire}, Gobbler::DIR_DOWN},
      {{GameAction::Fire}, Gobbler::DIR_FIRE},
      {{}, Gobbler::DIR_NONE},
  };
  for (const Case& c : cases) {
    ScreenCanvas::resetInput();
    for (int action : c.held) ScreenCanvas::held[action] = true;
    EXPECT_EQ(Gobbler::requestedDirection(), c.direction);
    EXPECT_TRUE(Gobbler::isRequested(c.direction));
  }
  ScreenCanvas::resetInput();
}

// Star, hash, star and two digits typed in play through the canvas's queue: only digit keys are its digits,
// any other key ends it and acts as always, only a map's level is jumped to, and a sequence left unfinished
// when a game ends is not finished in the next.
TEST_F(GobblerScreenTest, TheHiddenNumberTakesDigitsOnlyAndStaysWithinTheMaps) {
  constexpr int S = gamelib::FrameworkKey::Star, H = gamelib::FrameworkKey::Hash;
  constexpr int F1 = gltest::kKeySoftLeft, Right = gltest::kKeyRight;
  // Not a key: the game ends and a new one starts.
  constexpr int kNewGame = 0;
  struct Case {
    std::vector<int> keys;
    int level;
    bool invulnerable;
    bool paused;
    int direction;  // asked for by the keys left held
  };
  const Case cases[] = {
      {{S, H, S, '0', '5'}, 5, false, false, Gobbler::DIR_NONE},
      {{S, H, S, '1', '3'}, 13, false, false, Gobbler::DIR_NONE},
      {{S, H, S, '0', '0'}, 1, true, false, Gobbler::DIR_NONE},
      {{S, H, S, '1', '4'}, 1, false, false, Gobbler::DIR_NONE},
      {{S, H, S, '9', '9'}, 1, false, false, Gobbler::DIR_NONE},
      {{S, Right}, 1, false, false, Gobbler::DIR_RIGHT},
      {{S, H, Right}, 1, false, false, Gobbler::DIR_RIGHT},
      {{S, H, S, Right}, 1, false, false, Gobbler::DIR_RIGHT},
      {{S, H, S, '0', Right}, 1, false, false, Gobbler::DIR_RIGHT},
      {{S, H, S, '0', 'T'}, 1, false, false, Gobbler::DIR_NONE},
      {{S, H, S, F1}, 1, false, true, Gobbler::DIR_NONE},
      {{S, H, S, '0', F1}, 1, false, true, Gobbler::DIR_NONE},
      {{S, H, S, '0', kNewGame, '5'}, 1, false, false, Gobbler::DIR_FIRE},
  };
  startScreen();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.keys));
    invulnerable = false;
    startPlaying(GobblerGame::MODE_DOTS);
    for (int key : c.keys) {
      if (key == kNewGame) {
        score = 0;
        lives = -1;
        stepUntilMenu();
        startPlaying(GobblerGame::MODE_DOTS);
        continue;
      }
      GameLib::canvas->keyPressed(key);
      step();
    }
    // A chosen level starts once the wait after the left one is over.
    play(60);
    EXPECT_EQ(levelNumber(), c.level);
    EXPECT_EQ(invulnerable, c.invulnerable);
    EXPECT_EQ(gamePaused, c.paused);
    EXPECT_EQ(Gobbler::requestedDirection(), c.direction);
    ScreenCanvas::resetInput();
    if (!gamePaused) pause();
    choose(Gobbler::ITEM_EXIT);
    ASSERT_EQ(menuPage, Gobbler::PAGE_START);
  }
}

TEST_F(GobblerScreenTest, TheStylusSteersTowardItsSide) {
  startScreen();
  startPlaying(GobblerGame::MODE_DOTS);
  pause();
  ScreenCanvas::resetInput();
  const int px = player->position->x + viewX, py = player->position->y + viewY, w = cellWidth;
  struct Case {
    const char* what;
    int dx, dy;
    int direction;
  };
  const Case cases[] = {
      {"left on its row", -20, 5, Gobbler::DIR_LEFT},
      {"right on its row", w + 10, 5, Gobbler::DIR_RIGHT},
      {"above in its column", 5, -20, Gobbler::DIR_UP},
      {"below in its column", 5, w + 30, Gobbler::DIR_DOWN},
      {"as far across as down: vertical", -30, -30, Gobbler::DIR_UP},
      {"further across than down", 40, -30, Gobbler::DIR_RIGHT},
  };
  for (const Case& c : cases) {
    ScreenCanvas::pointerDown = true;
    ScreenCanvas::pointerX = px + c.dx;
    ScreenCanvas::pointerY = py + c.dy;
    pointerCacheValid = true;
    EXPECT_EQ(Gobbler::requestedDirection(), c.direction) << c.what;
    // Asked again in the same step, it answers again; held still into the next step, it asks for nothing.
    EXPECT_EQ(Gobbler::requestedDirection(), c.direction) << c.what;
    pointerCacheValid = true;
    EXPECT_EQ(Gobbler::requestedDirection(), Gobbler::DIR_NONE) << c.what;
  }
  // A tap on the player asks for nothing and is let go.
  ScreenCanvas::pointerDown = true;
  ScreenCanvas::pointerX = px + 5;
  ScreenCanvas::pointerY = py + 5;
  pointerCacheValid = true;
  EXPECT_EQ(Gobbler::requestedDirection(), Gobbler::DIR_NONE);
  EXPECT_FALSE(ScreenCanvas::pointerDown);
}

TEST_F(GobblerScreenTest, AHighScoreTakesANameIntoTheTableOfItsMode) {
  startScreen();
  startPlaying(GobblerGame::MODE_TIME);
  score = 5000;
  lives = -1;
  stepUntilMenu();
  ASSERT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_TRUE(player.isNull());
  GameMenu::enteredName = u"abc";
  GameMenu::nameEntered = true;
  step();
  EXPECT_EQ(menuPage, Gobbler::PAGE_TABLE);
  EXPECT_EQ(shownTable, GobblerGame::MODE_TIME);
  EXPECT_EQ(narrow((*menuFlow->menu().items)[0]), "abc");
  EXPECT_EQ((*menuFlow->menu().scores)[0], 5000);
  // The other modes' tables do not have it.
  gamelib::GameMenuPtr other = new GameMenu();
  other->loadHighScores(GobblerGame::MODE_DOTS, gameKey);
  EXPECT_EQ((*other->scores)[0], 0);
  // Its table closes to the start menu.
  press(gltest::kKeySoftLeft);
  wait(250);
  step();
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
}

TEST_F(GobblerScreenTest, ALowScoreEndsInTheStartMenu) {
  startScreen();
  startPlaying(GobblerGame::MODE_DOTS);
  score = 0;
  lives = -1;
  stepUntilMenu();
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_LIST);
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
  EXPECT_EQ(items(), kStartMenu);
}

// Coming back neither widens the menu's list nor keeps a random order that its next game would not play.
TEST_F(GobblerScreenTest, LeavingAndComingBack) {
  startScreen();
  const int left = menuFlow->menu().left;
  choose(Gobbler::ITEM_START);
  choose(Gobbler::SETUP_LEVELS);
  choose(Gobbler::SETUP_EXIT);
  choose(Gobbler::ITEM_EXIT);
  EXPECT_NE(GameLib::currentScreen.get(), game.get());
  EXPECT_TRUE(gamelib::CustomControls::current.isNull());
  game = new Gobbler();
  GameLib::currentScreen = game;
  startScreen();
  EXPECT_EQ(menuFlow->menu().left, left);
  EXPECT_FALSE(randomLevels);
  choose(Gobbler::ITEM_START);
  EXPECT_EQ(item(Gobbler::SETUP_LEVELS), "Levels: Original");
}

}  // namespace gobblertest
