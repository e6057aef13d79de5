// The real program on the real game.dat, headless: the ladders game from the main menu's sixth icon into
// level 1, where the hero melts a hole that traps the guard, walks over it, takes the gold and leaves by
// the exit; then in level 2 the guards catch him until the game ends, a name is typed for the high-score
// table, and the table still holds it after a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "program/Saved.h"
#include "program/Start.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = GH_PROGRAM;
constexpr int kWidth = 240;
constexpr int kHeight = 320;

using frames::differing;
using frames::Rect;

// Regions of the 240 x 320 screen: the two caption lines of the level intro, the status line's lives and
// score, the cell of level 1's floor where the hole is dug (column 9, row 19, the view 2 pixels down), and
// the high-score table's first row.
constexpr Rect kLevelCaption{40, 115, 160, 18};
constexpr Rect kScoreCaption{40, 135, 160, 18};
constexpr Rect kLives{20, 300, 40, 20};
constexpr Rect kScore{150, 300, 90, 20};
constexpr Rect kHoleCell{90, 264, 10, 14};
constexpr Rect kTable{20, 50, 200, 30};

// Down and twice right reach the sixth icon.
const std::string kToTheGame = start::toTheGame({"Down", "Right", "Right"}, 21000);

// Its in-game menu's second entry is the high-score page.
constexpr const char* kToTheTable =
    "24100 key down Down\n24150 key up Down\n"
    "24400 key down Enter\n24450 key up Enter\n";

// Level 2's frames are taken every second until the game has ended.
constexpr int kLevel2From = 49000;
constexpr int kLevel2To = 180000;

struct Hold {
  int from, to;
  const char* key;
};

// Level 1: walk right, melt the floor before the guard, wait for it to fall in, then run right over it for
// the gold, up the ladder, left to the second gold and up, right to the last gold, left into the exit.
constexpr Hold kLevel1[] = {{26100, 27300, "Right"}, {27400, 27450, "Enter"}, {30600, 33600, "Right"},
                            {33700, 34300, "Left"},  {34400, 36400, "Up"},    {36500, 39700, "Left"},
                            {39800, 41800, "Up"},    {41900, 43500, "Right"}, {43600, 45800, "Left"}};

std::string frameName(int t) { return "f" + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "24000 key down Enter\n24050 key up Enter\n"  // "start": level 1 at once
       "24500 capture intro1.png\n"
       "26500 capture play0.png\n"
       "30500 capture trapped.png\n"
       "46500 capture intro2.png\n";
  for (const Hold& h : kLevel1)
    s += std::to_string(h.from) + " key down " + h.key + "\n" + std::to_string(h.to) + " key up " + h.key + "\n";
  for (int t = kLevel2From; t < kLevel2To; t += 1000) s += std::to_string(t) + " capture " + frameName(t) + "\n";
  s += "184000 capture name.png\n"
       "184500 key down C\n184550 key up C\n"
       "184800 key down L\n184850 key up L\n"
       "185100 key down M\n185150 key up M\n"
       "185400 key down F1\n185450 key up F1\n"  // the name is accepted
       "186000 capture table1.png\n"
       "186500 close\n";
  return s;
}

std::string secondRunScript() { return kToTheGame + kToTheTable + "24700 capture table2.png\n25000 close\n"; }

platform::Picture picture(const test::TempFolder& folder, const std::string& name) {
  platform::Picture p;
  EXPECT_TRUE(platform::readPng(folder.file(name), p)) << name;
  return p;
}

TEST(ClimberPathTest, TrapAGuardTakeTheGoldLeaveByTheExitThenLoseEveryLifeAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_NE(saved::firstRecord(folder.file("glimmerhut/registry.db"), u"climberhs1").find("clm"), std::string::npos);

  const platform::Picture intro1 = picture(folder, "intro1.png"), play0 = picture(folder, "play0.png"),
                          trapped = picture(folder, "trapped.png"), intro2 = picture(folder, "intro2.png"),
                          name = picture(folder, "name.png"), table1 = picture(folder, "table1.png");
  // The guard stands in the hole melted into the floor.
  EXPECT_GT(differing(play0, trapped, kHoleCell), 20);
  // Level 1 was left by its exit: level 2's intro, and a score (the gold, the dropped gold and the buried
  // guard).
  EXPECT_GT(differing(intro1, intro2, kLevelCaption), 0);
  EXPECT_GT(differing(intro1, intro2, kScoreCaption), 0);

  // Level 2: the lives in the status line go down while the score stays; the game over ends in the name
  // entry.
  std::vector<platform::Picture> frames;
  for (int t = kLevel2From; t < kLevel2To; t += 1000) frames.push_back(picture(folder, frameName(t)));
  const platform::Picture& first = frames.front();
  bool lifeLost = false;
  for (const platform::Picture& f : frames) {
    if (differing(first, f, {0, 0, kWidth, 250}) > kWidth * 250 / 2) continue;  // an intro or game over
    lifeLost |= differing(first, f, kLives) > 0;
    EXPECT_EQ(differing(first, f, kScore), 0);
  }
  EXPECT_TRUE(lifeLost);
  EXPECT_GT(differing(name, frames.back(), {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);

  // After a restart the table still shows the name and score.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  const platform::Picture table2 = picture(folder, "table2.png");
  EXPECT_EQ(differing(table1, table2, kTable), 0);
}

}  // namespace
