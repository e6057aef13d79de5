// The real program on the real game.dat, headless: the tanks game from the main menu's fifth icon through
// its menu into stage 1, driven and fired by keys until enemy tanks are destroyed and the base
// falls, the stage result with its tally, three lost battles to the game's end, a high-score name typed
// in, and the table found again after a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program/Frames.h"
#include "program/Start.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = GH_PROGRAM;
constexpr int kWidth = 240;
constexpr int kHeight = 320;

using frames::at;
using frames::differing;
using frames::near;
using frames::Rect;
using frames::staged;

// Regions of the 240 x 320 screens: the intro's two lines, the field, the reserve of enemy tanks in the
// status bar, the result's tally and the high-score table's first rows.
constexpr Rect kIntroLevel{40, 112, 160, 22};
constexpr Rect kIntroScore{40, 136, 160, 22};
constexpr Rect kField{16, 24, 208, 272};
constexpr Rect kReserve{124, 298, 110, 20};
constexpr Rect kTally{20, 40, 200, 100};
constexpr Rect kTable{20, 50, 200, 30};

// Down and right on the main menu reach the tanks game's icon.
const std::string kToTheGame = start::toTheGame({"Down", "Right"}, 20500);

// Each second of driving: a turn held half a second, then two shots.
constexpr const char* kDrive[] = {"Up", "Up", "Left", "Up", "Right", "Right", "Up", "Left", "Down", "Up"};

std::string drive(int from, int to, int& turn) {
  std::string s;
  for (int t = from; t < to; t += 1000) {
    const char* key = kDrive[turn++ % std::size(kDrive)];
    s += std::to_string(t) + " key down " + key + "\n" + std::to_string(t + 500) + " key up " + key + "\n";
    for (int shot : {t + 550, t + 800})
      s += std::to_string(shot) + " key down Enter\n" + std::to_string(shot + 50) + " key up Enter\n";
  }
  return s;
}

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "21000 capture menu.png\n"
       "24500 key down Enter\n24550 key up Enter\n"  // start: stage 1, the only one open
       "25000 capture intro.png\n"
       "27000 capture play0.png\n";
  int turn = 0;
  s += drive(27100, 60000, turn);
  // The base has fallen: the result waits for fire.
  s += "50000 capture play1.png\n"
       "69500 capture result.png\n";
  s += drive(70000, 130000, turn);
  s += "71000 capture intro2.png\n";
  // The third battle is lost without a fight; the last result leads to the name entry.
  s += "200000 capture over.png\n"
       "200500 key down Enter\n200550 key up Enter\n"
       "201000 key down T\n201050 key up T\n"
       "201300 key down K\n201350 key up K\n"
       "201700 capture name.png\n"
       "202000 key down F1\n202050 key up F1\n"  // the name is accepted
       "202600 capture table1.png\n"
       "203000 close\n";
  return s;
}

std::string secondRunScript() {
  return kToTheGame +
         "24100 key down Down\n24150 key up Down\n"
         "24400 key down Enter\n24450 key up Enter\n"
         "24700 capture table2.png\n25000 close\n";
}

// A picture read from the run's folder.
platform::Picture frame(const test::TempFolder& folder, const char* name) {
  platform::Picture p;
  EXPECT_TRUE(platform::readPng(folder.file(name), p)) << name;
  return p;
}

TEST(TanksPathTest, DefendTheBaseLoseItThreeTimesAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), std::string(firstRunScript()));
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  platform::Picture panel;
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/tanks/panel_l.png").string(), panel));
  const platform::Picture main = frame(folder, "main.png"), menu = frame(folder, "menu.png"),
                          intro = frame(folder, "intro.png"), play0 = frame(folder, "play0.png"),
                          play1 = frame(folder, "play1.png"), result = frame(folder, "result.png"),
                          intro2 = frame(folder, "intro2.png"), over = frame(folder, "over.png"),
                          name = frame(folder, "name.png"), table1 = frame(folder, "table1.png");

  // The game's menu over its own picture replaces the main menu.
  EXPECT_GT(differing(menu, main, {0, 0, kWidth, kHeight}), kWidth * kHeight / 3);

  // The intro shows no field; play shows the panels and the field, and enemies leave the reserve.
  EXPECT_GT(differing(intro, play0, kField), kField.w * kField.h / 2);
  EXPECT_TRUE(near(at(play0, 8, 100), at(panel, 8, 100)));
  EXPECT_GT(differing(play0, play1, kField), 0);
  EXPECT_GT(differing(play0, play1, kReserve), 0);

  // The stage result tallies the kills over black; the next intro is of stage 1 again, with a score.
  EXPECT_GT(differing(result, intro, kTally), 0);
  EXPECT_EQ(differing(intro, intro2, kIntroLevel), 0);
  EXPECT_GT(differing(intro, intro2, kIntroScore), 0);
  // The game ends on its last result; the name entry covers it.
  EXPECT_GT(differing(over, play0, kField), kField.w * kField.h / 2);
  EXPECT_GT(differing(name, over, {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);

  // After a restart the table still shows the name and score.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  const platform::Picture table2 = frame(folder, "table2.png");
  EXPECT_EQ(differing(table1, table2, kTable), 0);
  EXPECT_GT(differing(table2, name, kTable), 0);
}

}  // namespace
