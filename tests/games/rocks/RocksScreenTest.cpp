// The space-rocks game's screen on the real game data: its menus and the screen-edge option, the pace and
// the timed states of play, firing, the hidden level select within the game's levels, the end of a game
// with its high score, pausing, a field without pictures, and leaving.
#include <gtest/gtest.h>

#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "games/rocks/RocksScreenFixture.h"
#include "sound/DPlayer.h"

namespace rockstest {

using namespace rocks;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
namespace GameAction = gamelib::GameAction;

class RocksScreenTest : public RocksScreenFixture {
 protected:
  // Play goes on without the ship being struck, unless a test wants it.
  void play() {
    startScreen();
    startPlaying();
    ASSERT_EQ(gameState, Rocks::STATE_PLAY);
    rocks::invulnerable = true;
  }
  // Nothing left to shoot but one saucer standing far from the ship.
  void onlyAFarSaucer() {
    game->rockArray = new FlyingOArray(0);
    game->ufos = new FlyingOArray(1);
    (*game->ufos)[0] = new FlyingO(200, 300, 0, 0, 1, 150, 150, u"ufo1", 0);
  }
  void empty() {
    game->rockArray = new FlyingOArray(0);
    game->ufos = new FlyingOArray(0);
  }
};

TEST_F(RocksScreenTest, TheMenusListTheirEntriesWithTheScreenEdge) {
  startScreen();
  EXPECT_EQ(gameState, Rocks::STATE_MENU);
  EXPECT_EQ(menuFlow->menu().items->length, Rocks::kItemCount);
  EXPECT_EQ(item(Rocks::ITEM_START), "Start");
  EXPECT_EQ(item(Rocks::ITEM_BOUNDS), "Edges: Wrap");
  EXPECT_EQ(item(Rocks::ITEM_EXIT), "Exit");
  // With nothing stored the sound levels are the middle ones and the edge lets the ship through.
  EXPECT_EQ(SoundManager::getSfxLevel(), 2);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
  EXPECT_FALSE(rocks::boundsOn);

  startPlaying();
  ScreenCanvas::select = true;
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_MENU);
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_PAUSE);
  EXPECT_EQ(item(Rocks::ITEM_START), "Continue");
  EXPECT_EQ(item(Rocks::ITEM_EXIT), "Main Menu");
  // "continue" goes back to the same game.
  const FlyingOArray* rocksBefore = game->rockArray.get();
  choose(Rocks::ITEM_START);
  EXPECT_EQ(gameState, Rocks::STATE_PLAY);
  EXPECT_EQ(game->rockArray.get(), rocksBefore);
}

TEST_F(RocksScreenTest, TheScreenEdgeOptionIsKeptAndReadBack) {
  startScreen();
  choose(Rocks::ITEM_BOUNDS);
  EXPECT_TRUE(rocks::boundsOn);
  EXPECT_EQ(item(Rocks::ITEM_BOUNDS), "Edges: Bounce");
  EXPECT_EQ(GameMenu::loadOption(u"rocksB", 0), 1);
  game->leave();
  rocks::boundsOn = false;
  game = new Rocks();
  GameLib::currentScreen = game;
  startScreen();
  EXPECT_TRUE(rocks::boundsOn);
  EXPECT_EQ(item(Rocks::ITEM_BOUNDS), "Edges: Bounce");
  // The closed help page goes back to the menu it came from, which remembers the one before.
  choose(Rocks::ITEM_HELP);
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_HELP);
  EXPECT_EQ(rocks::previousMenuMode, Rocks::MENU_START);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_HELP);
  menuFlow->menu().closed = true;
  step();
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_START);
  EXPECT_EQ(rocks::previousMenuMode, Rocks::MENU_HELP);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_LIST);
}

TEST_F(RocksScreenTest, PlayAdvancesOnEverySecondStepAndTheIntroLastsTenOfThem) {
  startScreen();
  choose(Rocks::ITEM_START);
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_INTRO);
  EXPECT_EQ(rocks::level, 1);
  EXPECT_EQ(game->stateTimer, 10);
  step();
  EXPECT_EQ(game->stateTimer, 9);
  step();  // 30 ms later: nothing
  EXPECT_EQ(game->stateTimer, 9);
  steps(17);
  EXPECT_EQ(game->stateTimer, 0);
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_INTRO);
  steps(2);
  EXPECT_EQ(gameState, Rocks::STATE_PLAY);
}

TEST_F(RocksScreenTest, AShotCostsThirtyPointsButNeverTakesTheScoreBelowZero) {
  play();
  onlyAFarSaucer();
  game->score = 10;
  game->fireCounter = 10;
  ScreenCanvas::held[GameAction::Fire] = true;
  playStep();
  EXPECT_EQ(game->score, 0);
  EXPECT_EQ(game->shotCount, 1);
  EXPECT_EQ(game->fireCounter, 0);
  EXPECT_EQ(lastSound(), Rocks::SOUND_SHOOT);
  // Four play steps pass before the next shot.
  playSteps(3);
  EXPECT_EQ(game->shotCount, 1);
  playStep();
  EXPECT_EQ(game->shotCount, 2);

  // Every place in use: the shot is dropped without a sound, and the gun waits again.
  for (int i = 0; i < Rocks::kMaxShots; ++i) (*game->shots)[i] = new FlyingO(-20, -20, 0, 0, 4, 50, 50, u"bb1", 0);
  game->shotCount = Rocks::kMaxShots;
  game->fireCounter = 10;
  SoundManager::current = nullptr;
  playStep();
  EXPECT_EQ(game->shotCount, Rocks::kMaxShots);
  EXPECT_EQ(game->fireCounter, 0);
  EXPECT_EQ(lastSound(), -1);
  ScreenCanvas::held[GameAction::Fire] = false;
}

TEST_F(RocksScreenTest, TheHiddenLevelSelectStaysWithinTheGamesLevels) {
  play();
  ship->lives = 2;
  selectLevel(45);
  playStep();
  EXPECT_EQ(rocks::level, data::kLastLevel);
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_INTRO);
  EXPECT_EQ(ship->lives, 2);
  EXPECT_EQ(game->ufos->length, 7);
  // The number 0 only toggles invulnerability.
  playSteps(11);
  ASSERT_EQ(gameState, Rocks::STATE_PLAY);
  const bool before = rocks::invulnerable;
  selectLevel(0);
  playStep();
  EXPECT_NE(rocks::invulnerable, before);
  EXPECT_EQ(rocks::level, 20);
  EXPECT_EQ(gameState, Rocks::STATE_PLAY);

  // The last level won ends the game instead of starting a level 21.
  empty();
  playStep();
  ASSERT_EQ(gameState, Rocks::STATE_LEVEL_DONE);
  playSteps(30);
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_DONE);
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_MENU);
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_START);
  EXPECT_EQ(rocks::level, 1);
}

TEST_F(RocksScreenTest, AWonLevelLeadsToTheNextWithTheLivesKept) {
  play();
  ship->lives = 5;
  empty();
  playStep();
  ASSERT_EQ(gameState, Rocks::STATE_LEVEL_DONE);
  EXPECT_EQ(game->stateTimer, 30);
  playSteps(30);
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_DONE);
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_LEVEL_INTRO);
  EXPECT_EQ(rocks::level, 2);
  EXPECT_EQ(ship->lives, 5);
  EXPECT_EQ(game->ufos->length, 2);
}

TEST_F(RocksScreenTest, TheLastLifeLostEndsTheGameWithTheNameEntryForAHighScore) {
  play();
  ship->lives = 0;
  game->score = 7777;
  playStep();
  ASSERT_EQ(gameState, Rocks::STATE_GAME_OVER);
  EXPECT_EQ(game->stateTimer, 30);
  playSteps(30);
  EXPECT_EQ(gameState, Rocks::STATE_GAME_OVER);
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_MENU);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_TRUE(rocks::background.isNull());

  GameMenu::enteredName = u"ACE";
  GameMenu::nameEntered = true;
  playStep();
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_TABLE);
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_HIGH_SCORES);
  EXPECT_EQ(rocks::previousMenuMode, Rocks::MENU_START);
  EXPECT_EQ(item(0), "ACE");
  EXPECT_EQ((*menuFlow->menu().scores)[0], 7777);
  EXPECT_EQ(game->score, 0);
}

TEST_F(RocksScreenTest, ALargeSaucerThatSurvivesARockStillSteersAndFlies) {
  play();
  // A small rock right on a large saucer that is due to steer.
  FlyingOPtr big = new FlyingO(60, 60, 2, 2, 1, 150, 150, u"ufo3", 0);
  big->age = 20;
  game->ufos = new FlyingOArray(1);
  (*game->ufos)[0] = big;
  game->rockArray = new FlyingOArray(2);
  (*game->rockArray)[0] = new FlyingO(61, 61, 0, 0, 1, 3, 1, nullptr, 0);
  (*game->rockArray)[1] = new FlyingO(200, 280, 0, 0, 1, 3, 1, nullptr, 0);
  playStep();
  EXPECT_EQ(big->hitPoints, 3);
  EXPECT_TRUE((*game->rockArray)[0].isNull());
  EXPECT_EQ(big->age, 0);
  EXPECT_EQ(gameState, Rocks::STATE_PLAY);
}

TEST_F(RocksScreenTest, ATapOnThePauseCornerPausesOnlyWhileThePausePictureIsThere) {
  play();
  onlyAFarSaucer();
  auto pauseImage = GameMenu::pauseImage;
  ASSERT_FALSE(pauseImage.isNull());
  GameMenu::pauseImage = nullptr;
  ScreenCanvas::pointerDown = true;
  ScreenCanvas::pointerX = GameLib::screenWidth - 2;
  ScreenCanvas::pointerY = GameLib::screenHeight - 2;
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_PLAY);
  GameMenu::pauseImage = pauseImage;
  playStep();
  EXPECT_EQ(gameState, Rocks::STATE_MENU);
  EXPECT_EQ(rocks::menuMode, Rocks::MENU_PAUSE);
  ScreenCanvas::pointerDown = false;
}

TEST_F(RocksScreenTest, WithoutItsPicturesTheGameStillStartsOnAPlainField) {
  // No picture of the game is found: the splash, the sprites and the level pictures are all missing.
  GameLib::setPathList(u"nowhere/");
  rocks::background = nullptr;
  startScreen();
  EXPECT_TRUE(game->splash.isNull());
  EXPECT_TRUE(menuFlow->menu().background.isNull());
  clearScreen(0x00FF00);
  paint();
  EXPECT_GT(gltest::countOtherPixels(0, 0, GameLib::screenWidth, GameLib::screenHeight, 0x07E0), 0);
  startPlaying();
  ASSERT_EQ(gameState, Rocks::STATE_PLAY);
  EXPECT_TRUE(rocks::background.isNull());
  clearScreen(0x00FF00);
  paint();
  // Plain space: nothing of the old screen is left, and the field is black but for stars and the ship's note.
  EXPECT_EQ(gltest::countCanvasPixels(0x07E0), 0);
  EXPECT_GT(gltest::countCanvasPixels(0), GameLib::screenWidth * GameLib::screenHeight * 9 / 10);
}

TEST_F(RocksScreenTest, LeavingStopsEverySound) {
  play();
  ASSERT_FALSE(SoundManager::players.isNull());
  game->leave();
  for (int32_t i = 0; i < SoundManager::players->length; ++i) {
    auto player = (*SoundManager::players)[i];
    if (!player.isNull()) {
      EXPECT_NE(player->getState(), nuv::microedition::media::DPlayer::STARTED) << i;
    }
  }
  EXPECT_TRUE(menuFlow.isNull());
  EXPECT_TRUE(rocks::ship.isNull());
  EXPECT_TRUE(gamelib::CustomControls::current.isNull());
}

}  // namespace rockstest
