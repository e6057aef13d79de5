// The canyon game's screen on the real game.dat at 240 x 320 with the null audio device: its set-up and
// menus, the start with and without the level list, pausing by key and by the pause picture, the play view
// with its gauge and lives, the end screens with the high-score hand-over, and leaving; with the decided
// mends: a level that cannot be built, a missing splash, and the texts after leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/canyon/CanyonScreenFixture.h"

namespace canyontest {
namespace {

using namespace canyon;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gltest::narrow;
namespace GameAction = gamelib::GameAction;
namespace fs = std::filesystem;

class CanyonScreen : public CanyonScreenFixture {};

TEST_F(CanyonScreen, SetUpLoadsEverythingAndOpensTheMenu) {
  game->init();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuKind, MENU_MAIN);
  const char* entries[] = {"Start", "High Scores", "Help", "Sound: Normal", "Music: Normal", "Controls", "Exit"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(item(i), entries[i]) << i;
  // Cells of 8 pixels: a river of 176 between the panels, a view of 41 rows.
  EXPECT_EQ(cellSize, 8);
  EXPECT_EQ(riverWidth, 176);
  EXPECT_EQ(viewRows, 41);
  EXPECT_EQ(baseSpeed, 2);
  EXPECT_EQ(tiles->length, data::kTileCount);
  EXPECT_GE(levels->length, 8);
  EXPECT_FALSE(menuFlow->menu().background.isNull());
  EXPECT_FALSE(panelLeft.isNull());
  EXPECT_EQ(panelRight->getWidth(), panelLeft->getWidth());
  EXPECT_FALSE(pausePicture.isNull());
  EXPECT_FALSE(gamelib::CustomControls::current.isNull());
  // The splash is kept only while the set-up runs; the language texts are back.
  EXPECT_TRUE(splash.isNull());
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"score")), "Score");
  EXPECT_EQ(lastSound(), SOUND_MENU);
}

TEST_F(CanyonScreen, StartGoesToLevelOneOrToTheListOfOpenLevels) {
  game->init();
  startPlaying();
  EXPECT_EQ(levelIndex, 0);
  EXPECT_EQ(lives, kStartLives);
  EXPECT_EQ(lastSound(), SOUND_GAME);
  game->leave();

  GameMenu::saveOption(u"canyonopenlevel", 3);
  game->init();
  EXPECT_EQ(openLevel, 3);
  choose(0);
  ASSERT_EQ(menuKind, MENU_LEVELS);
  EXPECT_EQ(item(0), "Level 3");
  EXPECT_EQ(item(1), "Level 2");
  EXPECT_EQ(item(2), "Level 1");
  EXPECT_EQ(item(3), "Exit");
  choose(1);
  EXPECT_EQ(gameState, STATE_GET_READY);
  EXPECT_EQ(levelIndex, 1);
  EXPECT_EQ(presencePercent, 10 + 60 / levels->length);
  game->leave();

  // A stored level past the last one reads as the last; "exit" in the list goes back to the start page.
  GameMenu::saveOption(u"canyonopenlevel", 99);
  game->init();
  EXPECT_EQ(openLevel, levels->length);
  choose(0);
  choose(openLevel);
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuKind, MENU_MAIN);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(CanyonScreen, SoftKeysPauseAndTheGameGoesOnFromWhereItWas) {
  game->init();
  startPlaying();
  play(10);
  const int top = viewTop;
  ScreenCanvas::back = true;
  step();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuKind, MENU_PAUSE);
  EXPECT_EQ(item(0), "Continue");
  EXPECT_EQ(item(6), "Main Menu");
  EXPECT_EQ(GameLib::canvas->activeKeyMap, 0);
  // The step that opened the menu still flew on; under the menu nothing moves.
  EXPECT_EQ(viewTop, top + speed);
  step();
  EXPECT_EQ(viewTop, top + speed);
  choose(0);
  EXPECT_EQ(gameState, STATE_PLAYING);
  EXPECT_EQ(GameLib::canvas->activeKeyMap, 1);
  step();
  EXPECT_EQ(viewTop, top + 2 * speed);

  // "Main Menu" abandons the game for the start page.
  ScreenCanvas::select = true;
  step();
  choose(6);
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(CanyonScreen, ATapOnThePausePictureOpensThePauseMenuWithoutClearingTheInput) {
  game->init();
  startPlaying();
  const int top = viewTop;
  tap(pausePicture->getWidth() / 2, pausePicture->getHeight() / 2);
  step();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuKind, MENU_PAUSE);
  EXPECT_TRUE(ScreenCanvas::pointerDown);
  EXPECT_EQ(viewTop, top + speed);
  // Below the picture a tap steers.
  choose(0);
  ScreenCanvas::pointerDown = false;
  step();
  tap(2, pausePicture->getHeight() + 4);
  const int x = planeX;
  step();
  EXPECT_EQ(gameState, STATE_PLAYING);
  EXPECT_LT(planeX, x);
}

TEST_F(CanyonScreen, ThePlayViewShowsTheGaugeAndTheLivesAsTheyAre) {
  game->init();
  startPlaying();
  const int w = GameLib::screenWidth, h = GameLib::screenHeight;
  const int iw = lifeIcon->w, ih = lifeIcon->h;
  // The pixels of a region of the painted play view.
  auto region = [&](int x, int y, int rw, int rh) {
    paint();
    std::vector<uint16_t> pixels;
    for (int j = y; j < y + rh; ++j)
      for (int i = x; i < x + rw; ++i) pixels.push_back(gltest::canvasPixel(i, j));
    return pixels;
  };
  struct Icon {
    const char* where;
    int x, y, lives;  // shown from this many lives on
  } icons[] = {
      {"bottom right", w - iw, h - ih, 1},
      {"bottom, left of it", w - 2 * iw - 2, h - ih, 2},
      {"centred above them", w - iw / 2 - iw - 1, h - 2 * ih, 3},
  };
  for (const Icon& icon : icons) {
    lives = icon.lives;
    const auto shown = region(icon.x, icon.y, iw, ih);
    lives = icon.lives - 1;
    EXPECT_NE(region(icon.x, icon.y, iw, ih), shown) << icon.where;
  }

  // The indicator stands in the gauge from its lowest row up to fuel * its height / 2000 rows.
  const int full = indicatorImage->h;
  const int column = (barrelImage->w - indicatorImage->w) / 2 + indicatorImage->w / 2;
  const int bottom = h - barrelImage->h + full + 3;
  fuel = 0;
  const auto glass = region(column, bottom - full, 1, full);
  auto shownRows = [&](int amount) {
    fuel = amount;
    const auto now = region(column, bottom - full, 1, full);
    int rows = 0;
    for (size_t i = 0; i < now.size(); ++i) rows += now[i] != glass[i] ? 1 : 0;
    return rows;
  };
  struct Case {
    int fuel, rows;
  } cases[] = {{kFullFuel, full}, {1000, full / 2}, {1, 0}, {-20, 0}, {kFullFuel + 8, full}};
  for (const Case& c : cases) EXPECT_EQ(shownRows(c.fuel), c.rows) << c.fuel;
  EXPECT_EQ(indicatorImage->h, full);
}

TEST_F(CanyonScreen, TheLastPlaneLostShowsGameOverThenTakesTheName) {
  game->init();
  startPlaying();
  score = 4321;
  lives = 0;
  invulnerableCounter = kInvulnerableSteps;
  fuel = -10;
  play(1);
  ASSERT_EQ(planeState, PLANE_EXPLODING);
  for (int i = 0; i < 100 && gameState == STATE_PLAYING; ++i) play(1);
  ASSERT_EQ(gameState, STATE_GAME_OVER);
  EXPECT_FALSE(gameOverPicture.isNull());
  wait(2001);
  step();
  EXPECT_EQ(gameState, STATE_MENU);
  ASSERT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_TRUE(gameOverPicture.isNull());
  EXPECT_EQ(GameLib::canvas->activeKeyMap, 0);

  GameMenu::keyboard->text = u"RIVA";
  GameMenu::keyboard->done = true;
  step();
  EXPECT_EQ(menuKind, MENU_HIGH_SCORES);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_TABLE);
  gamelib::GameMenuPtr stored = new GameMenu();
  stored->loadHighScores(1, u"canyon");
  EXPECT_EQ(narrow((*stored->items)[0]), "RIVA");
  EXPECT_EQ((*stored->scores)[0], 4321);
  // Fire leaves the table for the start page.
  ScreenCanvas::held[GameAction::Fire] = true;
  step();
  EXPECT_EQ(menuKind, MENU_MAIN);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(CanyonScreen, TheGameCompleteScreenTellsTheScoreThenTheMenuComes) {
  game->init();
  game->setState(STATE_GAME_COMPLETE);
  clearScreen(0x00FF00);
  paint();
  // Black, with the text in the middle.
  EXPECT_EQ(gltest::canvasPixel(2, 2), 0);
  EXPECT_GT(gltest::countOtherPixels(0, 100, 240, 60, 0), 100);
  score = 0;
  wait(2001);
  step();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_LIST);
}

// A level that names a screen the file does not have is said on stderr and the game stays in its menu.
TEST_F(CanyonScreen, ALevelThatCannotBeBuiltSendsTheGameBackToItsMenu) {
  game->init();
  nuv::lang::DintArrayPtr broken = new nuv::lang::DintArray(3, 0, 99, 1);
  (*levels)[0] = broken;
  choose(0);
  wait(1501);
  testing::internal::CaptureStderr();
  step();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("level 1"), std::string::npos) << said;
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuKind, MENU_MAIN);
  EXPECT_EQ(GameLib::canvas->activeKeyMap, 0);
  EXPECT_TRUE(levelTerrain.isNull());
  EXPECT_TRUE(entities.isNull());
  // The menu is whole and a good level starts.
  (*levels)[0] = new nuv::lang::DintArray(2, 0, 1);
  startPlaying();
}

TEST_F(CanyonScreen, LeavingPutsTheLanguageTextsBackForTheMainMenu) {
  game->init();
  choose(6);
  EXPECT_STREQ(GameLib::currentScreen->getClassName(), "MainMenu");
  EXPECT_TRUE(menuFlow.isNull());
  EXPECT_TRUE(riverBuffer.isNull());
  EXPECT_TRUE(screenTerrain.isNull());
  EXPECT_TRUE(tiles.isNull());
  EXPECT_TRUE(gamelib::CustomControls::current.isNull());
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"cy")), "Canyon Flight");
  EXPECT_EQ(narrow(gamelib::TextTable::getString(u"exit")), "Exit");
}

// The archive without the game's splash: the set-up goes on, and nothing is shaded from no picture.
TEST_F(CanyonScreen, WithoutASplashTheMenusShowOnTheirOwnGround) {
  const fs::path staged = fs::path(GH_GAME_DAT).parent_path() / "data" / "archive";
  test::ArchiveFiles files;
  for (const auto& entry : fs::recursive_directory_iterator(staged)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = fs::relative(entry.path(), staged).generic_string();
    if (name.find("cy/splash") != std::string::npos) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[name] = bytes.str();
  }
  openArchive(files);
  game->init();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_TRUE(menuFlow->menu().background.isNull());
  EXPECT_TRUE(gamelib::CustomControls::current->background.isNull());
  paint();
  startPlaying();
}

}  // namespace
}  // namespace canyontest
