// The tunnel game's screen on the real data: its set-up, the state machine at half the library's pace,
// the menus and the level list, level captions, pausing by keys and by the pause button, the hidden level
// select (levels 1 to 72 only, a number not yet taken ending with the game), and the end of a game judged
// against the stored high-score table.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "games/burrow/BurrowScreenFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gltest::narrow;

class BurrowScreenTest : public BurrowScreenFixture {};

TEST_F(BurrowScreenTest, SetUpLaysTheFieldOutFromTheEarthTile) {
  EXPECT_EQ(cellSize, 15);
  EXPECT_EQ(moveStep, 3);
  EXPECT_EQ(scrollMarginX, 30);
  EXPECT_EQ(scrollMarginY, 30);
  EXPECT_EQ(scrollX, 7);
  EXPECT_EQ(homeScrollX, 7);
  EXPECT_EQ(scrollY, 85);
  EXPECT_EQ(centreScrollY, 85);
  EXPECT_EQ(state(), BurrowGame::MENU);
  EXPECT_FALSE(gamePaused);
  for (const auto* p : {&panelTopImage, &panelTop2Image, &panelBottomLImage, &panelBottomCImage, &panelBottomRImage,
                        &panelBottom2Image, &panelLImage, &panelRImage, &pauseImage})
    EXPECT_FALSE(p->isNull());
  const char* expected[] = {"Start", "High Scores", "Help", "Sound: Normal", "Music: Normal", "Controls", "Exit"};
  for (int32_t i = 0; i < BurrowGame::kItemCount; ++i) EXPECT_EQ(item(i), expected[i]);
  EXPECT_FALSE(gamelib::CustomControls::current.isNull());
  EXPECT_EQ(openLevel, 1);
}

TEST_F(BurrowScreenTest, AStoredOpenLevelReadsAsAtMostTheOneBeforeTheLast) {
  const int cases[][2] = {{30, 30}, {71, 71}, {72, 71}, {80, 71}};
  for (const auto& c : cases) {
    game->leave();
    GameMenu::saveOption(u"burrowopenlevel", c[0]);
    game->init();
    EXPECT_EQ(openLevel, c[1]) << c[0];
  }
}

TEST_F(BurrowScreenTest, TheStateMachineRunsOnEverySecondStep) {
  choose(BurrowGame::ITEM_START);
  ASSERT_EQ(state(), BurrowGame::LEVEL_INTRO);
  wait(1501);
  // Of two steps exactly one ends the caption.
  int ran = 0;
  for (int i = 0; i < 2; ++i) {
    step();
    ran += state() == BurrowGame::PLAY ? 1 : 0;
    if (state() == BurrowGame::PLAY) break;
  }
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(stepParity, 1);
}

TEST_F(BurrowScreenTest, StartBeginsLevelOneUntilLaterLevelsAreOpen) {
  choose(BurrowGame::ITEM_START);
  EXPECT_EQ(state(), BurrowGame::LEVEL_INTRO);
  EXPECT_EQ(levelNumber, 1);
  // The caption lasts more than 1500 ms.
  wait(1500);
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::LEVEL_INTRO);
  wait(1);
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::PLAY);
  EXPECT_EQ(takeSound(), SOUND_GAME);

  // With level 5 open, a list: level 5 first, level 1 last, then "exit".
  choose(BurrowGame::ITEM_START);
  game->leave();
  GameMenu::saveOption(u"burrowopenlevel", 5);
  game->init();
  choose(BurrowGame::ITEM_START);
  ASSERT_EQ(state(), BurrowGame::LEVEL_SELECT);
  ASSERT_EQ(menuFlow->menu().items->length, 6);
  EXPECT_EQ(item(0), "Level 5");
  EXPECT_EQ(item(4), "Level 1");
  EXPECT_EQ(item(5), "Exit");
  choose(1);
  EXPECT_EQ(state(), BurrowGame::LEVEL_INTRO);
  EXPECT_EQ(levelNumber, 4);
}

TEST_F(BurrowScreenTest, GameOverWaitsItsTimeThenTheMenu) {
  playLevel(1);
  player->lives = -1;
  stateTime = nuv::lang::DSystem::currentTimeMillis();
  gameState = BurrowGame::GAME_OVER;
  wait(2000);
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::GAME_OVER);
  wait(1);
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::MENU);
}

TEST_F(BurrowScreenTest, ThePauseButtonTakesTapsInItsBoxAndTheFieldTheRest) {
  struct Case {
    int x, y;
    bool pauses;
  };
  const int w = pauseImage->getWidth(), h = pauseImage->getHeight();
  const int top = 320 - h / 2 - 85 / 2;
  const Case cases[] = {{2, top, true},          {w + 2, top + h, true}, {1, top, false},
                        {w + 3, top + 2, false}, {5, top - 1, false},    {5, top + h + 1, false}};
  for (const Case& c : cases) {
    playLevel(1);
    ASSERT_EQ(state(), BurrowGame::PLAY);
    tap(c.x, c.y);
    stepParity = 0;
    game->update();
    ScreenCanvas::pointerDown = false;
    EXPECT_EQ(state() == BurrowGame::PAUSE_MENU, c.pauses) << c.x << "," << c.y;
    // Back to the game's menu for the next case.
    gamePaused = false;
    BurrowGame::setState(BurrowGame::MENU);
  }
}

TEST_F(BurrowScreenTest, ATapBesideTheHeroSteersIt) {
  playLevel(1);
  const int x = player->x;
  // In the hero's row, to its right.
  tap(scrollX + player->x + 40, scrollY + player->y + 5);
  for (int i = 0; i < 2; ++i) tick();
  EXPECT_GT(player->x, x);
  EXPECT_EQ(state(), BurrowGame::PLAY);
}

TEST_F(BurrowScreenTest, ContinuingResumesTheSoundsInsteadOfRestartingThem) {
  playLevel(1);
  takeSound();
  press(gltest::kKeySoftLeft);
  stepParity = 0;
  game->update();
  ASSERT_EQ(state(), BurrowGame::PAUSE_MENU);
  EXPECT_EQ(item(0), "Continue");
  EXPECT_EQ(item(6), "Main Menu");
  choose(BurrowGame::ITEM_START);
  EXPECT_EQ(state(), BurrowGame::PLAY);
  EXPECT_FALSE(gamePaused);
  EXPECT_EQ(takeSound(), -1);
  // "mainmenu" in the pause menu abandons the game for the game's own menu.
  press(gltest::kKeySoftLeft);
  stepParity = 0;
  game->update();
  choose(BurrowGame::ITEM_EXIT);
  EXPECT_EQ(state(), BurrowGame::MENU);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(BurrowScreenTest, TheHiddenLevelSelectKeepsWithinTheLevels) {
  playLevel(1);
  struct Case {
    int number, level;
  };
  for (const Case& c : {Case{12, 12}, Case{0, 12}, Case{73, 12}, Case{99, 12}, Case{72, 72}}) {
    ScreenCanvas::sequenceNumber = c.number;
    ScreenCanvas::sequenceDone = true;
    stepDelay = 0;
    stepParity = 0;
    game->update();
    EXPECT_FALSE(ScreenCanvas::sequenceDone) << c.number;
    EXPECT_EQ(levelNumber, c.level) << c.number;
    EXPECT_EQ(state(), BurrowGame::PLAY) << c.number;
  }
  EXPECT_EQ(player->lives, 3);
  EXPECT_EQ(openLevel, 72);
}

// A level number typed but not yet taken ends with the game: at its end, at "Main Menu" on the pause menu
// (typed there), and when the game is left (typed in its menu); the next game starts on level 1.
TEST_F(BurrowScreenTest, ANumberNotYetTakenEndsWithTheGame) {
  enum Ending { kGameOver, kMainMenu, kLeft };
  auto typeCode = [] {
    for (int32_t key : {gamelib::FrameworkKey::Star, gamelib::FrameworkKey::Hash, gamelib::FrameworkKey::Star,
                        int32_t{'0'}, int32_t{'5'}})
      press(key);
    ASSERT_TRUE(ScreenCanvas::sequenceDone);
  };
  for (Ending ending : {kGameOver, kMainMenu, kLeft}) {
    playLevel(1);
    player->score = 0;
    if (ending == kGameOver) {
      typeCode();
      BurrowGame::finishGame(BurrowGame::MENU);
    } else if (ending == kMainMenu) {
      press(gltest::kKeySoftLeft);
      stepParity = 0;
      game->update();
      ASSERT_TRUE(gamePaused);
      typeCode();
      choose(BurrowGame::ITEM_EXIT);
    } else {
      BurrowGame::finishGame(BurrowGame::MENU);
      typeCode();
      choose(BurrowGame::ITEM_EXIT);
      GameLib::currentScreen = game;
      game->init();
    }
    ASSERT_EQ(state(), BurrowGame::MENU) << ending;
    playLevel(1);
    tick();
    EXPECT_EQ(levelNumber, 1) << ending;
  }
}

TEST_F(BurrowScreenTest, AScoreThatDoesNotEnterTheTableAsksNoName) {
  // A table of eight high scores already stored.
  gamelib::GameMenuPtr table = new GameMenu();
  table->loadHighScores(1, u"burrow");
  for (int i = 0; i < 8; ++i) table->addHighScore(u"ACE", 5000);
  table->saveHighScores(1, u"burrow");

  playLevel(1);
  player->score = 100;
  BurrowGame::finishGame(BurrowGame::MENU);
  EXPECT_EQ(state(), BurrowGame::MENU);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_LIST);
  EXPECT_EQ(item(0), "Start");

  // One that does is asked for a name, which is kept.
  playLevel(1);
  player->score = 6000;
  BurrowGame::finishGame(BurrowGame::MENU);
  ASSERT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  GameMenu::keyboard->text = u"DIGGA";
  GameMenu::keyboard->done = true;
  for (int i = 0; i < 2; ++i) step();
  EXPECT_EQ(state(), BurrowGame::HIGH_SCORES);
  gamelib::GameMenuPtr stored = new GameMenu();
  stored->loadHighScores(1, u"burrow");
  EXPECT_EQ(narrow((*stored->items)[0]), "DIGGA");
  EXPECT_EQ((*stored->scores)[0], 6000);
  // The table closes back on the menu.
  choose(0);
  EXPECT_EQ(state(), BurrowGame::MENU);
}

TEST_F(BurrowScreenTest, ClearingTheLastLevelEndsTheGame) {
  playLevel(1);
  levelNumber = 72;
  player->score = 0;
  Level::nextLevel();
  EXPECT_EQ(state(), BurrowGame::HIGH_SCORES);
  EXPECT_EQ(previousState, BurrowGame::MENU);
  EXPECT_EQ(levelNumber, 72);
}

TEST_F(BurrowScreenTest, HelpAndKeySetupReturnWhereTheyCameFrom) {
  choose(BurrowGame::ITEM_HELP);
  EXPECT_EQ(state(), BurrowGame::HELP);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_HELP);
  EXPECT_GT(GameMenu::helpLineCount, 5);
  ScreenCanvas::select = true;
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::MENU);
  choose(BurrowGame::ITEM_KEYS);
  EXPECT_EQ(state(), BurrowGame::KEY_SETUP);
  gamelib::CustomControls::current = nullptr;
  stepParity = 0;
  game->update();
  EXPECT_EQ(state(), BurrowGame::MENU);
}

TEST_F(BurrowScreenTest, ExitLeavesForTheMainMenu) {
  choose(BurrowGame::ITEM_EXIT);
  EXPECT_NE(GameLib::currentScreen.get(), game.get());
  EXPECT_TRUE(menuFlow.isNull());
  EXPECT_TRUE(theLevel.isNull());
}

TEST_F(BurrowScreenTest, PlayPaintsTheFieldTheFrameAndTheHeadsUpRow) {
  playLevel(1);
  clearScreen(0x123456);
  const uint16_t blue = gltest::canvasPixel(0, 0);
  // While the level waits to start nothing is drawn.
  stepDelay = 1;
  paint();
  EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, blue), 0);
  // The whole field at once, and the panels around it fill the rest of the screen, but for the column
  // between the field and the right panel that the odd margin leaves.
  stepDelay = 0;
  fieldDirty = true;
  paint();
  EXPECT_FALSE(fieldDirty);
  EXPECT_EQ(gltest::countOtherPixels(7, 85, 225, 150, blue), 225 * 150);
  EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, blue), 240 * 320 - 150);
  // A negative life count shows as 0, like no lives left.
  player->lives = 0;
  paint();
  std::vector<uint16_t> none;
  for (int x = 0; x < 240; ++x) none.push_back(gltest::canvasPixel(x, 277));
  player->lives = -1;
  paint();
  for (int x = 0; x < 240; ++x) EXPECT_EQ(gltest::canvasPixel(x, 277), none[static_cast<size_t>(x)]) << x;
}

}  // namespace
}  // namespace burrowtest
