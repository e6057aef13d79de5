// Lives and the level flow: the level intro and game over and their lengths, six attempts, the
// untouchable hero, the exit to the next level, the end of the last level, the hidden level jump, and a
// level that cannot be played ending the game into its menu.
#include <gtest/gtest.h>

#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;

const std::vector<std::string> kLevel = {"P..$..E", "#######"};

class ClimberFlowTest : public ClimberObjectsFixture {
 protected:
  // Steps while the game stays in a state; how many were taken.
  int stepsWhile(int state, int limit) {
    int n = 0;
    for (; gameState == state && n < limit; ++n) step();
    return n;
  }
  void start(const std::map<int, std::string>& levels) { startScreen(levels); }
};

TEST_F(ClimberFlowTest, StartOpensTheLevelIntroWhichLastsTwoSeconds) {
  start({{1, levelFile(kLevel)}});
  EXPECT_EQ(gameState, STATE_MENU);
  choose(ITEM_START);
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(level, 1);
  EXPECT_EQ(lives, kStartLives);
  EXPECT_EQ(score, 0);
  // 2000 ms in steps of 30, ending below 1.
  EXPECT_EQ(stepsWhile(STATE_LEVEL_INTRO, 100), 67);
  EXPECT_EQ(gameState, STATE_PLAYING);
}

TEST_F(ClimberFlowTest, SixAttemptsThenGameOverForFourSecondsThenTheMenu) {
  start({{1, levelFile(kLevel)}});
  choose(ITEM_START);
  for (int lost = 1; lost <= kStartLives; ++lost) {
    gameState = STATE_PLAYING;
    Climber::loseLife();
    EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
    EXPECT_EQ(lives, kStartLives - lost);
  }
  gameState = STATE_PLAYING;
  Climber::loseLife();
  EXPECT_EQ(gameState, STATE_GAME_OVER);
  EXPECT_EQ(stepsWhile(STATE_GAME_OVER, 200), 134);
  EXPECT_EQ(gameState, STATE_MENU);
  // No score, no name to enter: the start menu.
  EXPECT_EQ(menuMode, MENU_START);
}

TEST_F(ClimberFlowTest, AnUntouchableHeroKeepsHisLives) {
  start({{1, levelFile(kLevel)}});
  choose(ITEM_START);
  gameState = STATE_PLAYING;
  invulnerable = true;
  Climber::loseLife();
  EXPECT_EQ(gameState, STATE_PLAYING);
  EXPECT_EQ(lives, kStartLives);
}

TEST_F(ClimberFlowTest, TheExitLeadsToTheNextLevelAndTheLastOneEndsTheGame) {
  start({{1, levelFile(kLevel)}, {2, levelFile({"E..$..P", "#######"})}});
  choose(ITEM_START);
  score = 120;
  Climber::completeLevel();
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(level, 2);
  EXPECT_EQ(hero().column, 6);
  EXPECT_EQ(score, 120);
  EXPECT_EQ(openLevel, 2);
  // With two levels in the game, the second one's exit ends it: a score for the table, and its name entry.
  levelCount = 2;
  gameState = STATE_PLAYING;
  Climber::completeLevel();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
}

TEST_F(ClimberFlowTest, TheHiddenJumpStaysWithinTheLevels) {
  start({{1, levelFile(kLevel)}, {3, levelFile({"E..$..P", "#######"})}});
  choose(ITEM_START);
  stepsWhile(STATE_LEVEL_INTRO, 100);
  struct Case {
    int number;
    int level;
    bool invulnerable;
  } cases[] = {{0, 1, true}, {0, 1, false}, {80, 1, false}, {76, 1, false}, {3, 3, false}};
  for (const Case& c : cases) {
    ScreenCanvas::sequenceNumber = c.number;
    ScreenCanvas::sequenceDone = true;
    step();
    EXPECT_FALSE(ScreenCanvas::sequenceDone);
    EXPECT_EQ(level, c.level) << c.number;
    EXPECT_EQ(invulnerable, c.invulnerable) << c.number;
    EXPECT_EQ(gameState, STATE_PLAYING) << c.number;
  }
  EXPECT_EQ(hero().column, 6);
}

// A level whose file is missing, or short, or without a hero or an exit, is reported and ends the game
// into its menu; nothing of the level before it plays on.
TEST_F(ClimberFlowTest, ALevelThatCannotBePlayedEndsTheGameIntoItsMenu) {
  const std::string broken[] = {"", "7\r\n2\r\nE..$..P\r\n###", levelFile({"E..$...", "#######"}),
                                levelFile({"...$..P", "#######"})};
  for (const std::string& file : broken) {
    std::map<int, std::string> levels = {{1, levelFile(kLevel)}};
    if (!file.empty()) levels[2] = file;
    start(levels);
    choose(ITEM_START);
    stepsWhile(STATE_LEVEL_INTRO, 100);
    score = 50;
    Climber::completeLevel();
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_EQ(badLevel, 2);
    EXPECT_EQ(openLevel, 1);
    paint();
    stepsWhile(STATE_GAME_OVER, 200);
    EXPECT_EQ(gameState, STATE_MENU);
    EXPECT_EQ(badLevel, 0);
    // The score still counts for the table.
    EXPECT_EQ(menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
    game->leave();
  }
}

TEST_F(ClimberFlowTest, PauseAndContinue) {
  start({{1, levelFile(kLevel)}});
  choose(ITEM_START);
  stepsWhile(STATE_LEVEL_INTRO, 100);
  press(gltest::kKeySoftLeft);
  step();
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuMode, MENU_PAUSE);
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[ITEM_START]), "continue");
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[ITEM_EXIT]), "mainmenu");
  // Entries 1 to 5 are the same array as the start menu's.
  EXPECT_EQ(menuFlow->menu().items.get(), menuItemTexts.get());
  choose(ITEM_START);
  EXPECT_EQ(gameState, STATE_PLAYING);
  press(gltest::kKeySoftLeft);
  step();
  choose(ITEM_EXIT);
  EXPECT_EQ(gameState, STATE_MENU);
  EXPECT_EQ(menuMode, MENU_START);
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[ITEM_START]), "start");
}

TEST_F(ClimberFlowTest, LaterLevelsAreOfferedHighestFirst) {
  start({{1, levelFile(kLevel)}, {2, levelFile(kLevel)}, {3, levelFile(kLevel)}});
  openLevel = 3;
  choose(ITEM_START);
  EXPECT_EQ(menuMode, MENU_LEVELS);
  ASSERT_EQ(menuFlow->menu().items->length, 4);
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[0]), "level 3");
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[2]), "level 1");
  EXPECT_EQ(gltest::narrow((*menuFlow->menu().items)[3]), "exit");
  choose(1);
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(level, 2);
}

}  // namespace
}  // namespace climbertest
