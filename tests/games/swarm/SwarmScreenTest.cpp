// The alien-formation game's screen on the real data: its set-up, the start and pause menus with their
// entries and pages, the lost game with its picture and the high-score name, the end after the last level,
// the key set-up, the heads-up row, and leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/swarm/SwarmScreenFixture.h"
#include "platform/seam/capture.h"

namespace {

using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gltest::narrow;
using swarm::Swarm;

class SwarmScreen : public swarmtest::SwarmScreenFixture {
 protected:
  // The back buffer's pixels in a rectangle.
  static std::vector<uint16_t> pixels(int x, int y, int w, int h) {
    std::vector<uint16_t> out;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) out.push_back(gltest::canvasPixel(i, j));
    return out;
  }
  static int differing(const std::vector<uint16_t>& a, const std::vector<uint16_t>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i] ? 1 : 0;
    return n;
  }
  // The left soft key on a high-score or help page, once the page takes input.
  void closePage() {
    // A page just opened starts the menu's 200 ms input gap at its first step.
    step();
    press(gltest::kKeySoftLeft);
    wait(250);
    step();
    ScreenCanvas::resetInput();
  }
  // A game in play whose ship is hit with no spare ship left.
  void loseTheGame(int32_t score) {
    game->init();
    startPlaying();
    swarm::score = score;
    swarm::lives = 0;
    game->shipHit();
  }
  // The pause menu over a game in play.
  void pause() {
    press(gltest::kKeySoftLeft);
    step();
    ScreenCanvas::resetInput();
  }
};

TEST_F(SwarmScreen, SetUpLeavesTheStartMenuWithTextsSoundsAndKeysReady) {
  game->init();
  EXPECT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_START);
  // The text table holds the language texts again, not the animation list.
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"mainship")), "mainship");
  EXPECT_EQ(GameMenu::progressPercent, 100);
  const char* expected[] = {"Start", "High Scores", "Help", "Sound: Normal", "Music: Normal", "Controls", "Exit"};
  for (int32_t i = 0; i < Swarm::kItemCount; ++i) EXPECT_EQ(item(i), expected[i]);
  EXPECT_EQ(lastSound(), swarm::SOUND_MENU);
  EXPECT_FALSE(gamelib::CustomControls::current.isNull());
  EXPECT_EQ(swarm::aliensLeft, 23);
  EXPECT_EQ(swarm::starsPerLayer, 50 * 320 / 208);
  EXPECT_EQ(swarm::shipY + swarm::shipHeight + (*swarm::shipAnimation->frames)[0]->h, 320);
}

TEST_F(SwarmScreen, StartBeginsLevelOneWithFourSpareShipsAfterTheIntro) {
  game->init();
  swarm::lives = 0;
  swarm::score = 300;
  choose(Swarm::ITEM_START);
  EXPECT_EQ(state(), Swarm::STATE_WAVE_INTRO);
  EXPECT_EQ(swarm::level, 1);
  EXPECT_EQ(swarm::lives, 4);
  EXPECT_EQ(swarm::score, 0);
  EXPECT_EQ(lastSound(), swarm::SOUND_GAME);
  ASSERT_FALSE(swarm::backgroundImage.isNull());
  EXPECT_EQ(swarm::backgroundImage->getWidth(), 240);
  play(67);
  EXPECT_EQ(state(), Swarm::STATE_WAVE_INTRO);
  play(1);
  EXPECT_EQ(state(), Swarm::STATE_PLAY);
}

TEST_F(SwarmScreen, PauseMenuContinuesOrAbandonsTheGame) {
  game->init();
  startPlaying();
  pause();
  EXPECT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_PAUSE);
  EXPECT_EQ(item(0), "Continue");
  EXPECT_EQ(item(Swarm::ITEM_EXIT), "Main Menu");
  choose(Swarm::ITEM_START);
  EXPECT_EQ(state(), Swarm::STATE_PLAY);

  // The pause picture in the top-left corner pauses too.
  ASSERT_FALSE(GameMenu::pauseImage.isNull());
  // After a shot fired by the pen, a tap there pauses without firing again.
  tap(120, 200);
  step();
  gamelib::GameLib::canvas->pointerReleased(120, 200);
  step();
  ASSERT_NE((*swarm::playerShot)[0], swarm::NONE);
  (*swarm::playerShot)[0] = swarm::NONE;
  swarm::reloadTimer = 0;
  tap(GameMenu::pauseImage->getWidth(), GameMenu::pauseImage->getHeight());
  step();
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_PAUSE);
  EXPECT_EQ((*swarm::playerShot)[0], swarm::NONE) << "the tap that paused also fired";
  choose(Swarm::ITEM_EXIT);
  EXPECT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_START);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(SwarmScreen, PagesCloseBackToTheMenuTheyCameFrom) {
  game->init();
  struct Case {
    int32_t entry;
    int32_t mode;
    int32_t kind;
  } cases[] = {{Swarm::ITEM_HIGH_SCORES, GameMenu::MODE_TABLE, Swarm::MENU_TABLE},
               {Swarm::ITEM_HELP, GameMenu::MODE_HELP, Swarm::MENU_HELP}};
  for (bool paused : {false, true}) {
    if (paused) {
      startPlaying();
      pause();
    }
    for (const Case& c : cases) {
      choose(c.entry);
      EXPECT_EQ(swarm::menuKind, c.kind);
      EXPECT_EQ(swarm::menuFlow->menu().mode, c.mode);
      paint();
      closePage();
      EXPECT_EQ(swarm::menuKind, paused ? Swarm::MENU_PAUSE : Swarm::MENU_START) << c.entry;
      EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_LIST);
    }
  }
}

TEST_F(SwarmScreen, KeySetUpOpensAndClosesBackToTheMenu) {
  game->init();
  choose(Swarm::ITEM_KEYS);
  EXPECT_EQ(state(), Swarm::STATE_KEY_SETUP);
  clearScreen(0x000000);
  paint();
  EXPECT_GT(gltest::countOtherPixels(0, 0, 240, 320, 0), 1000);
  press(gltest::kKeySoftRight);
  step();
  EXPECT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_START);
}

TEST_F(SwarmScreen, LostGameShowsItsPictureThenTakesTheName) {
  loseTheGame(4321);
  EXPECT_EQ(state(), Swarm::STATE_LAST_SHIP_LOST);
  for (int i = 0; i < 40 && state() == Swarm::STATE_LAST_SHIP_LOST; ++i) play(1);
  ASSERT_EQ(state(), Swarm::STATE_GAME_OVER);

  // The picture of the lost game is the one shown behind the texts.
  clearScreen(0x000000);
  paint();
  platform::Picture picture;
  const auto staged =
      std::filesystem::path(GH_GAME_DAT).parent_path() / "data/archive/graphics/240x320/swm/gameover.png";
  ASSERT_TRUE(platform::readPng(staged.string(), picture));
  int same = 0, tested = 0;
  for (int y = 0; y < 320; y += 16) {
    for (int x = 0; x < 240; x += 16) {
      if (y > 100 && y < 180) continue;  // the texts
      const uint32_t rgb = picture.pixels[static_cast<size_t>(y) * picture.width + x];
      const uint16_t want = static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x1F));
      same += gltest::canvasPixel(x, y) == want ? 1 : 0;
      ++tested;
    }
  }
  EXPECT_EQ(same, tested);

  for (int i = 0; i < 80 && state() == Swarm::STATE_GAME_OVER; ++i) play(1);
  ASSERT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  GameMenu::enteredName = u"ACE";
  GameMenu::nameEntered = true;
  step();
  EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_TABLE);
  EXPECT_EQ(item(0), "ACE");
  EXPECT_EQ((*swarm::menuFlow->menu().scores)[0], 4321);
  // Closing the table leads to the start menu.
  closePage();
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_START);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(SwarmScreen, ANameAcceptedOnTheKeyboardShowsInTheTableOneStepLater) {
  loseTheGame(1234);
  for (int i = 0; i < 200 && state() != Swarm::STATE_MENU; ++i) play(1);
  ASSERT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  GameMenu::keyboard->text = u"ONE";
  wait(250);
  // The step that takes the accept still shows the keyboard, and the table holds no new name yet.
  press(gltest::kKeySoftLeft);
  play(1);
  ScreenCanvas::resetInput();
  EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  const std::vector<uint16_t> accepted = pixels(0, 0, 240, 320);
  gamelib::GameMenuPtr stored = new GameMenu();
  stored->loadHighScores(1, u"swarm");
  EXPECT_NE(narrow((*stored->items)[0]), "ONE");
  // The next one stores it and shows the table.
  play(1);
  EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_TABLE);
  EXPECT_EQ(item(0), "ONE");
  EXPECT_GT(differing(accepted, pixels(0, 0, 240, 320)), 240 * 320 / 10);
}

TEST_F(SwarmScreen, ClearingTheLastLevelEndsTheGame) {
  game->init();
  startPlaying();
  swarm::level = swarm::lastLevel;
  swarm::gameState = Swarm::STATE_WAVE_CLEARED;
  swarm::stateTimer = 0;
  swarm::score = 0;
  step();
  EXPECT_EQ(state(), Swarm::STATE_MENU);
  EXPECT_EQ(swarm::level, swarm::lastLevel + 1);
  // A score of 0 does not make the table: the start menu.
  EXPECT_EQ(swarm::menuKind, Swarm::MENU_START);
  EXPECT_EQ(swarm::menuFlow->menu().mode, GameMenu::MODE_LIST);
}

TEST_F(SwarmScreen, HeadsUpRowShowsLevelsAndSpareShips) {
  game->init();
  startPlaying();
  swarm::level = 3;
  const int right = 240 - 5 * swarm::lifeImage->w, top = swarm::levelImage->h;
  swarm::lives = 0;
  paint();
  const auto none = pixels(right, top, 240 - right, swarm::lifeImage->h);
  const auto levels = pixels(240 - 3 * swarm::levelImage->w, 0, 3 * swarm::levelImage->w, top);
  swarm::lives = 5;
  paint();
  EXPECT_GT(differing(none, pixels(right, top, 240 - right, swarm::lifeImage->h)), 5 * 8);
  swarm::level = 0;
  paint();
  EXPECT_GT(differing(levels, pixels(240 - 3 * swarm::levelImage->w, 0, 3 * swarm::levelImage->w, top)), 3 * 8);
}

TEST_F(SwarmScreen, LeaveLetsTheGamesObjectsGo) {
  game->init();
  startPlaying();
  game->leave();
  EXPECT_TRUE(swarm::menuFlow.isNull());
  EXPECT_TRUE(swarm::formation.isNull());
  EXPECT_TRUE(swarm::allAliens.isNull());
  EXPECT_TRUE(swarm::stars.isNull());
  EXPECT_TRUE(swarm::backgroundImage.isNull());
  EXPECT_TRUE(gamelib::CustomControls::current.isNull());
  // The tables of the application's start stay.
  EXPECT_FALSE(swarm::rowLength.isNull());
  EXPECT_EQ(narrow(swarm::gameKey), "swarm");
}

}  // namespace
