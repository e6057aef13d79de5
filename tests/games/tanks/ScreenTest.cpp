// The tanks game's screen on the real data: its menus and their entries, the level list, the stage intro,
// pausing, the stage result with its tally and time, and the end of a game.
#include <gtest/gtest.h>

#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "games/tanks/TanksScreenFixture.h"

namespace tankstest {
namespace {

using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using tanks::GameMain;
namespace GameAction = gamelib::GameAction;

TEST_F(TanksScreenFixture, AFirstStartPlaysAtLevelTwoAndOpensWithStageOne) {
  EXPECT_EQ(state(), GameMain::STATE_MENU);
  EXPECT_EQ(gamelib::SoundManager::getSfxLevel(), 2);
  EXPECT_EQ(gamelib::SoundManager::getMusicLevel(), 2);
  EXPECT_EQ(game->openLevel, 1);
  EXPECT_EQ(tanks::ETNK_AI_LEVEL, 24);
  EXPECT_EQ(tanks::GAME_TIME_LAST, 5000);
  choose(GameMain::ITEM_START);
  EXPECT_EQ(state(), GameMain::STATE_INTRO);
  EXPECT_EQ(game->playfield->stage, 1);
}

TEST_F(TanksScreenFixture, WithThreeStagesOpenStartOffersThemAndExitGoesBackToTheStartMenu) {
  game->openLevel = 3;
  choose(GameMain::ITEM_START);
  ASSERT_EQ(state(), GameMain::STATE_LEVELS);
  EXPECT_EQ(item(0), "Level 3");
  EXPECT_EQ(item(2), "Level 1");
  EXPECT_EQ(item(3), "Exit");
  choose(3);
  EXPECT_EQ(state(), GameMain::STATE_MENU);
  EXPECT_EQ(item(0), "Start");
  choose(GameMain::ITEM_START);
  choose(1);
  EXPECT_EQ(state(), GameMain::STATE_INTRO);
  EXPECT_EQ(game->playfield->stage, 2);
}

TEST_F(TanksScreenFixture, TheIntroLastsMoreThanOneAndAHalfSeconds) {
  choose(GameMain::ITEM_START);
  wait(1500 - 30);
  step();
  EXPECT_EQ(state(), GameMain::STATE_INTRO);
  step();
  EXPECT_EQ(state(), GameMain::STATE_PLAYING);
}

TEST_F(TanksScreenFixture, ATapPausesOnlyOnTheLeftThreeQuartersOfThePauseButton) {
  choose(GameMain::ITEM_START);
  wait(1600);
  step();
  ASSERT_EQ(state(), GameMain::STATE_PLAYING);
  const int w = tanks::panelBottomLeft->getWidth();
  const int y = 320 - 2;
  struct Case {
    int x;
    bool pauses;
  } cases[] = {{w - (w >> 2) + 1, false}, {w - (w >> 2), true}};
  for (const Case& c : cases) {
    ScreenCanvas::pointerDown = true;
    ScreenCanvas::pointerX = c.x;
    ScreenCanvas::pointerY = y;
    step();
    ScreenCanvas::pointerDown = false;
    EXPECT_EQ(state() == GameMain::STATE_PAUSED, c.pauses) << c.x;
  }
  EXPECT_TRUE(tanks::paused);
  EXPECT_EQ(item(0), "Continue");
  // "Main menu" abandons the stage: the tanks start menu comes back.
  choose(GameMain::ITEM_EXIT);
  EXPECT_EQ(state(), GameMain::STATE_MENU);
  EXPECT_FALSE(tanks::paused);
  EXPECT_EQ(item(0), "Start");
}

TEST_F(TanksScreenFixture, TheResultCountsTenToFortyAKillAndShowsMinutesAndSeconds) {
  struct Bonus {
    int counters;
    int points;
  } bonuses[] = {{0x01020001, 110}, {0x02010003, 30 + 30 + 80}, {0, 0}};
  for (const Bonus& b : bonuses) EXPECT_EQ(GameMain::stageBonus(b.counters), b.points) << b.counters;
  struct Time {
    int64_t ms;
    const char* text;
  } times[] = {{65000, "Time 1:05"}, {600000, "Time 10:00"}, {59999, "Time 0:59"}};
  for (const Time& t : times) EXPECT_EQ(gltest::narrow(GameMain::timeText(t.ms)), t.text);
}

TEST_F(TanksScreenFixture, TheResultWaitsForFireThenTheLastLifeLostOffersTheNameEntry) {
  choose(GameMain::ITEM_START);
  wait(1600);
  play(1);
  tanks::player->lives = 0;
  game->playfield->score = 5000;
  game->playfield->endBattle(false);
  wait(5100);
  step();
  ASSERT_EQ(state(), GameMain::STATE_RESULT);
  ScreenCanvas::held[GameAction::Left] = true;
  step();
  EXPECT_EQ(state(), GameMain::STATE_RESULT);
  EXPECT_FALSE(ScreenCanvas::held[GameAction::Left]);
  game->paint();
  ScreenCanvas::held[GameAction::Fire] = true;
  step();
  EXPECT_EQ(state(), GameMain::STATE_MENU);
  EXPECT_EQ(tanks::menuFlow->menu().mode, GameMenu::MODE_NAME_ENTRY);
}

TEST_F(TanksScreenFixture, AWonStageGoesOnToTheNextAndOpensIt) {
  choose(GameMain::ITEM_START);
  wait(1600);
  play(1);
  game->playfield->endBattle(true);
  wait(5100);
  step();
  ASSERT_EQ(state(), GameMain::STATE_RESULT);
  ScreenCanvas::held[GameAction::Fire] = true;
  step();
  EXPECT_EQ(state(), GameMain::STATE_INTRO);
  EXPECT_EQ(game->playfield->stage, 2);
  EXPECT_EQ(game->openLevel, 2);
  EXPECT_EQ(GameMenu::loadOption(u"tanksopenlevel", 1), 2);
}

// Without its stage the game goes back to its menu and says so where the player can read it, as the other
// games do for their levels, naming the file it looked for.
TEST_F(TanksScreenFixture, AStageThatCannotBePlayedIsSaidOnStderrAndTheMenuComesBack) {
  game->playfield->stageFile = u"/tankstest/no-such-stages.bin";
  // The program's log, as the engine gives it with logging off.
  nuv::lang::DSystem::out = new nuv::io::DPrintStream(nullptr);
  testing::internal::CaptureStderr();
  choose(GameMain::ITEM_START);
  const std::string errors = testing::internal::GetCapturedStderr();
  nuv::lang::DSystem::out = nullptr;
  EXPECT_NE(errors.find("GlimmerHut: the tanks game cannot play stage 1: stage 1: no stage file"), std::string::npos)
      << errors;
  // The entry the game looked for is named.
  EXPECT_NE(errors.find("no stage file, tankstest/no-such-stages.bin is missing\n"), std::string::npos) << errors;
  EXPECT_EQ(state(), GameMain::STATE_MENU);
}

}  // namespace
}  // namespace tankstest
