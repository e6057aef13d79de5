// The brick-and-paddle game's screen: loading, the in-game menu and its entries, the round chooser,
// pausing, the round intro, cleared rounds, the game's end with its high-score name, and the hidden
// round select.
#include <gtest/gtest.h>

#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/bounce/BounceScreenFixture.h"
#include "support/Exceptions.h"

namespace {

using bounce::Bounce;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gltest::narrow;

class BounceScreenTest : public bouncetest::BounceScreenFixture {};

void storeOpenLevel(int32_t level) { GameMenu::saveOption(bounce::gameKey + u"openlevel", level); }
int32_t storedOpenLevel() { return GameMenu::loadOption(bounce::gameKey + u"openlevel", -1); }

// Every brick of the field set to one kind and value.
void fillField(int32_t kind, int32_t value) {
  for (int32_t r = 0; r < bounce::fieldRows; ++r) {
    for (int32_t c = 0; c < bounce::fieldColumns; ++c) {
      bounce::Brick* b = bounce::brickList->brickAt(c, r);
      b->kind = kind;
      b->value = value;
    }
  }
}

TEST_F(BounceScreenTest, LoadingScreenStaysItsLeastTimeThenTheMenuComes) {
  game->init();
  EXPECT_EQ(state(), Bounce::STATE_LOADING);
  // The text table holds the language texts again, not the animation list.
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"bnc_bon1")), "bnc_bon1");
  EXPECT_TRUE((*bounce::bonusAnimations)[0].isNull());
  for (int32_t k = 1; k <= 12; ++k) EXPECT_TRUE((*bounce::bonusAnimations)[k]->running) << k;
  // The field's scale follows the brick picture's width: particle records and the enemies' step.
  struct Scale {
    int32_t brickWidth, particles, enemySpeed;
  } scales[] = {{14, 100, 1}, {28, 200, 2}};
  const Scale* scale = nullptr;
  for (const Scale& s : scales) scale = s.brickWidth == bounce::brickWidth ? &s : scale;
  ASSERT_NE(scale, nullptr) << bounce::brickWidth;
  EXPECT_EQ(bounce::particles->length, scale->particles);
  EXPECT_EQ(bounce::enemySpeed, scale->enemySpeed);
  EXPECT_EQ(SoundManager::getSfxLevel(), 2);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
  ASSERT_FALSE(gamelib::CustomControls::current.isNull());

  wait(1460);
  step();
  EXPECT_EQ(state(), Bounce::STATE_LOADING);
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_EQ(lastSound(), bounce::SOUND_MENU);
  const char* expected[] = {"Start", "High Scores", "Help", "Sound: Normal", "Music: Normal", "Controls", "Exit"};
  for (int32_t i = 0; i < Bounce::kItemCount; ++i) EXPECT_EQ(item(i), expected[i]);
}

TEST_F(BounceScreenTest, StoredOpenLevelIsKeptWithinTheRounds) {
  struct Case {
    int32_t stored;
    int32_t read;
  } cases[] = {{60, 50}, {50, 50}, {7, 7}, {1, 1}, {0, 1}, {-3, 1}};
  for (const Case& c : cases) {
    storeOpenLevel(c.stored);
    game->init();
    EXPECT_EQ(bounce::openLevel, c.read) << c.stored;
    game->leave();
  }
}

TEST_F(BounceScreenTest, FirstGameStartsRoundOneAfterTheIntro) {
  startScreen();
  choose(Bounce::ITEM_START);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->round, 1);
  EXPECT_EQ(game->lives, 5);
  EXPECT_EQ(bounce::brickList->score, 0);
  EXPECT_GT(bounce::brickList->remaining, 0);
  EXPECT_EQ(lastSound(), bounce::SOUND_GAME);
  wait(1470);
  step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);  // 1500 ms: not more than the wait
  step();
  EXPECT_EQ(state(), Bounce::STATE_PLAYING);
}

TEST_F(BounceScreenTest, RoundChooserListsOpenRoundsHighestFirst) {
  storeOpenLevel(4);
  startScreen();
  choose(Bounce::ITEM_START);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_CHOOSER);
  ASSERT_EQ(bounce::menuFlow->menu().items->length, 5);
  const char* expected[] = {"Level 4", "Level 3", "Level 2", "Level 1", "Exit"};
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(item(i), expected[i]);

  choose(1);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->round, 3);
  EXPECT_EQ(item(0), "Start");  // the menu is built again behind the game

  // "exit" of the chooser goes back to the menu.
  bounce::gameState = Bounce::STATE_MENU;
  choose(Bounce::ITEM_START);
  choose(4);
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_EQ(bounce::menuFlow->menu().items->length, Bounce::kItemCount);
}

TEST_F(BounceScreenTest, MenuPagesOpenAndCloseBackOnTheirEntry) {
  startScreen();
  choose(Bounce::ITEM_HIGH_SCORES);
  EXPECT_EQ(state(), Bounce::STATE_HIGH_SCORES);
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  wait(250);
  step();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_EQ(bounce::menuFlow->menu().selected, Bounce::ITEM_HIGH_SCORES);

  choose(Bounce::ITEM_HELP);
  EXPECT_EQ(state(), Bounce::STATE_HELP);
  EXPECT_EQ(bounce::menuFlow->menu().mode, GameMenu::MODE_HELP);
  bounce::menuFlow->menu().closed = true;
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_EQ(bounce::menuFlow->menu().mode, GameMenu::MODE_LIST);
  EXPECT_EQ(bounce::menuFlow->menu().selected, Bounce::ITEM_HELP);

  choose(Bounce::ITEM_KEYS);
  EXPECT_EQ(state(), Bounce::STATE_KEY_SETUP);
  gamelib::CustomControls::current = nullptr;  // no key set-up: straight back
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
}

TEST_F(BounceScreenTest, ExitGoesToTheMainMenuAndReleasesTheGame) {
  startScreen();
  choose(Bounce::ITEM_EXIT);
  EXPECT_STREQ(gamelib::GameLib::currentScreen->getClassName(), "MainMenu");
  // The flow has let its list and table menus go.
  EXPECT_TRUE(bounce::menuFlow.isNull());
  EXPECT_TRUE(bounce::platform.isNull());
  EXPECT_TRUE(bounce::brickList.isNull());
  EXPECT_TRUE(bounce::particles.isNull());
  EXPECT_TRUE(bounce::bonusAnimations.isNull());
  EXPECT_TRUE(gamelib::CustomControls::current.isNull());
  EXPECT_TRUE(game->balls.isNull());
  EXPECT_TRUE(game->splashImage.isNull());
}

TEST_F(BounceScreenTest, PauseContinuesTheSameRoundOrAbandonsIt) {
  startScreen();
  startPlaying();
  launch();
  play(5);
  ASSERT_EQ(state(), Bounce::STATE_PLAYING);
  bounce::BallPtr ball = (*game->balls)[0];
  int32_t y = ball->y;

  ScreenCanvas::select = true;
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_TRUE(bounce::gamePaused);
  EXPECT_EQ(item(0), "Continue");
  EXPECT_EQ(item(6), "Main Menu");
  step();
  EXPECT_EQ(ball->y, y);  // nothing moves under the menu

  choose(Bounce::ITEM_START);
  EXPECT_EQ(state(), Bounce::STATE_PLAYING);
  EXPECT_FALSE(bounce::gamePaused);
  step();
  EXPECT_NE(ball->y, y);
  EXPECT_EQ((*game->balls)[0].get(), ball.get());

  // The pause icon in the top-right corner pauses too.
  ASSERT_FALSE(GameMenu::pauseImage.isNull());
  tap(gamelib::GameLib::screenWidth - 2, 2);
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  choose(Bounce::ITEM_EXIT);
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_FALSE(bounce::gamePaused);
  EXPECT_EQ(item(0), "Start");
  EXPECT_EQ(item(6), "Exit");
}

TEST_F(BounceScreenTest, PauseKeysActOnlyWhilePlaying) {
  startScreen();
  choose(Bounce::ITEM_START);
  ScreenCanvas::held[gamelib::GameAction::Pause] = true;
  step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  wait(1500);
  step();
  EXPECT_EQ(state(), Bounce::STATE_PLAYING);
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
}

TEST_F(BounceScreenTest, StylusMovesThePaddleOutsideItsDeadZone) {
  startScreen();
  startPlaying();
  struct Case {
    int32_t offset;
    int32_t direction;  // -1 left, 0 none, 1 right
  } cases[] = {{-40, -1}, {-4, -1}, {-3, 0}, {0, 0}, {3, 0}, {4, 1}, {40, 1}};
  for (const Case& c : cases) {
    int32_t x = bounce::platform->x;
    ScreenCanvas::pointerDown = true;
    ScreenCanvas::pointerX = x + c.offset;
    ScreenCanvas::pointerY = 300;
    step();
    int32_t moved = bounce::platform->x - x;
    EXPECT_EQ((moved > 0) - (moved < 0), c.direction) << c.offset;
  }
}

TEST_F(BounceScreenTest, LastBallLostWithOneLifeEndsTheGameAfterTheIntro) {
  startScreen();
  startPlaying();
  game->lives = 1;
  game->ballLost();
  EXPECT_EQ(game->lives, 0);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  wait(1501);
  step();
  // A score that beats no entry resets the game at once.
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  EXPECT_EQ(bounce::menuFlow->menu().mode, GameMenu::MODE_LIST);
  EXPECT_EQ(game->lives, 5);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(BounceScreenTest, HighScoreNameIsStoredAndTheTableShown) {
  startScreen();
  startPlaying();
  bounce::brickList->score = 1234;
  game->lives = 0;
  game->gameOver();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
  ASSERT_EQ(bounce::menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);

  GameMenu::keyboard->text = u"ANNA";
  GameMenu::keyboard->done = true;
  step();
  EXPECT_EQ(state(), Bounce::STATE_HIGH_SCORES);
  EXPECT_EQ(bounce::brickList->score, 0);
  EXPECT_EQ(game->lives, 5);
  gamelib::GameMenuPtr stored = new GameMenu();
  stored->loadHighScores(1, u"bounce");
  EXPECT_EQ(narrow((*stored->items)[0]), "ANNA");
  EXPECT_EQ((*stored->scores)[0], 1234);
}

TEST_F(BounceScreenTest, ClearedRoundOpensTheNextAndSavesIt) {
  startScreen();
  startPlaying();
  fillField(0, 0);
  bounce::brickList->remaining = 0;
  step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_CLEARED);
  step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->round, 2);
  EXPECT_EQ(bounce::openLevel, 2);
  EXPECT_EQ(storedOpenLevel(), 2);
  EXPECT_GT(bounce::brickList->remaining, 0);  // round 2 is loaded
}

TEST_F(BounceScreenTest, ClearingTheLastRoundCompletesTheGame) {
  startScreen();
  startPlaying();
  game->round = game->lastRound;
  bounce::brickList->score = 0;
  fillField(0, 0);
  bounce::brickList->remaining = 0;
  step();
  step();
  EXPECT_EQ(state(), Bounce::STATE_GAME_COMPLETE);
  wait(2970);
  step();  // 3000 ms: not more than the wait
  EXPECT_EQ(state(), Bounce::STATE_GAME_COMPLETE);
  step();
  EXPECT_EQ(state(), Bounce::STATE_MENU);
}

TEST_F(BounceScreenTest, ClearedRoundWaitsForBricksOnTheirWayOut) {
  startScreen();
  startPlaying();
  fillField(0, 0);
  bounce::Brick* fuse = bounce::brickList->brickAt(5, 3);
  fuse->kind = bounce::Brick::KIND_FUSE;
  fuse->value = 6;
  bounce::brickList->remaining = 0;
  step();
  ASSERT_EQ(state(), Bounce::STATE_ROUND_CLEARED);
  step();
  ASSERT_EQ(state(), Bounce::STATE_ROUND_CLEARED);
  // A ball lost meanwhile (the bomb still falls while the field is painted) does not lose the round.
  game->ballLost();
  wait(1501);
  step();
  step();
  ASSERT_EQ(state(), Bounce::STATE_ROUND_CLEARED);
  // The fuse burns down while the field is painted, and then the round ends.
  for (int i = 0; i < 200 && state() == Bounce::STATE_ROUND_CLEARED; ++i) play(1);
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->round, 2);

  // A brick that still stands and counts sends the game back to play.
  wait(1501);
  step();
  fillField(0, 0);
  bounce::brickList->brickAt(2, 2)->kind = 6;
  bounce::brickList->brickAt(2, 2)->value = 1;
  bounce::brickList->remaining = 0;
  step();
  step();
  EXPECT_EQ(state(), Bounce::STATE_PLAYING);
  EXPECT_EQ(bounce::brickList->remaining, 1);
}

TEST_F(BounceScreenTest, HiddenRoundSelectRestartsTheIntroOfAGoodRoundOnly) {
  startScreen();
  startPlaying();
  bounce::brickList->score = 77;
  game->lives = 2;

  struct Case {
    int32_t number;
  } refused[] = {{0}, {51}, {99}};
  for (const Case& c : refused) {
    ScreenCanvas::sequenceNumber = c.number;
    ScreenCanvas::sequenceDone = true;
    step();
    EXPECT_FALSE(ScreenCanvas::sequenceDone);
    EXPECT_EQ(state(), Bounce::STATE_PLAYING) << c.number;
    EXPECT_EQ(game->round, 1);
    EXPECT_EQ(game->lives, 2);
  }
  EXPECT_EQ(storedOpenLevel(), -1);

  ScreenCanvas::sequenceNumber = 12;
  ScreenCanvas::sequenceDone = true;
  step();
  EXPECT_EQ(state(), Bounce::STATE_ROUND_INTRO);
  EXPECT_EQ(game->round, 12);
  EXPECT_EQ(game->lives, 5);
  EXPECT_EQ(bounce::brickList->score, 77);
  EXPECT_EQ(bounce::openLevel, 12);
  EXPECT_EQ(storedOpenLevel(), 12);
}

TEST_F(BounceScreenTest, HiddenRoundSelectOfAShortFileReportsItAndKeepsTheRound) {
  startScreen();
  startPlaying();
  game->lastRound = 60;
  std::string rows;
  for (int r = 0; r < 21; ++r) rows += r == 9 ? "ffff\r\n" : "fffffffffff\r\n";
  writeBeside("data/bnc/data/round55.txt", rows);
  int32_t before = bounce::brickList->remaining;
  ScreenCanvas::sequenceNumber = 55;
  ScreenCanvas::sequenceDone = true;
  // Damage to the file, named; the game ends there (into the main menu, in the real frame step).
  EXPECT_THAT(test::thrownMessage([&] { step(); }),
              testing::EndsWith(": data/bnc/data/round55.txt: line 10 is shorter than a row"));
  EXPECT_EQ(game->round, 1);
  EXPECT_EQ(bounce::brickList->remaining, before);
  EXPECT_EQ(bounce::openLevel, 1);
}

}  // namespace
