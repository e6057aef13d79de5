// The real program on the real game.dat, headless: the brick-and-paddle game from the main menu's first
// icon through its loading screen, the high-score page, round 1 played by keys until bricks break and the
// score rises, a pause and its continue, lost lives up to the game's end, a high-score name typed in, and
// the name found again after a restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

using frames::at;
using frames::differing;
using frames::near;
using frames::Rect;
using frames::staged;

// Regions of the 240 x 320 play screen: the heads-up row with the lives at the left and the score at the
// right, the brick rows under it, the left wall, and the paddle's row.
constexpr Rect kLives{40, 4, 40, 18};
constexpr Rect kScore{140, 4, 70, 18};
constexpr Rect kBricks{38, 22, 164, 40};
constexpr Rect kLeftWall{30, 70, 8, 200};
constexpr Rect kPaddleRow{38, 296, 164, 16};
constexpr Rect kTable{20, 50, 200, 30};

// The main menu starts on the brick game's icon.
const std::string kToTheGame = start::toTheGame({}, 20100);

// Its in-game menu's second entry is the high-score page.
constexpr const char* kToTheTable =
    "24100 key down Down\n24150 key up Down\n"
    "24400 key down Enter\n24450 key up Enter\n";

// Frames of play are taken every half second from here until the name entry.
constexpr int kPlayFrom = 30000;
constexpr int kPlayTo = 100000;
constexpr int kFrameStep = 500;

std::string frameName(int t) { return "f" + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "22000 capture loading.png\n";
  s += kToTheTable;
  s += "24700 capture table0.png\n"
       "24800 key down Enter\n24850 key up Enter\n"  // the page closes
       "25100 key down Up\n25150 key up Up\n"        // back on "start"
       "25400 key down Enter\n25450 key up Enter\n"
       "25600 capture intro.png\n"
       "27000 capture play0.png\n"
       "27100 key down Right\n27400 key up Right\n"
       "27500 key down Up\n27550 key up Up\n"  // launch
       "29000 key down F1\n29050 key up F1\n"  // pause
       "29300 capture paused.png\n"
       "29500 key down Enter\n29550 key up Enter\n"  // continue
       "29800 capture resumed.png\n";
  // Every ball that comes back to the paddle is launched again, until the lives are gone.
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    if (t % 1000 == 0) s += std::to_string(t + 100) + " key down Up\n" + std::to_string(t + 150) + " key up Up\n";
    s += std::to_string(t + 400) + " capture " + frameName(t) + "\n";
  }
  s += "101000 key down G\n101050 key up G\n"
       "101300 key down L\n101350 key up L\n"
       "101600 key down O\n101650 key up O\n"
       "101900 capture name.png\n"
       "102200 key down F1\n102250 key up F1\n"  // the name is accepted
       "102800 capture table1.png\n"
       "103000 close\n";
  return s;
}

std::string secondRunScript() { return kToTheGame + kToTheTable + "24700 capture table2.png\n25000 close\n"; }

TEST(BouncePathTest, PlayPauseLoseEveryLifeAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  // The run closed its settings: the registry file alone, without its write-ahead log, holds the score.
  EXPECT_NE(saved::firstRecord(folder.file("glimmerhut/registry.db"), u"bouncehs1").find("glo"), std::string::npos);

  platform::Picture splash, main, loading, table0, intro, play0, paused, resumed, name, table1;
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/bnc/splash.png").string(), splash));
  for (auto [file, picture] : {std::pair{"main.png", &main},
                               {"loading.png", &loading},
                               {"table0.png", &table0},
                               {"intro.png", &intro},
                               {"play0.png", &play0},
                               {"paused.png", &paused},
                               {"resumed.png", &resumed},
                               {"name.png", &name},
                               {"table1.png", &table1}}) {
    ASSERT_TRUE(platform::readPng(folder.file(file), *picture)) << file;
  }

  // The loading screen: the game's splash with the red loading bar near the bottom.
  const int splashTop = (kHeight - splash.height) / 2;
  EXPECT_GT(differing(loading, main, {0, 0, kWidth, kHeight}), 0);
  EXPECT_TRUE(near(at(loading, kWidth / 2, splashTop + 40), at(splash, kWidth / 2, 40)));
  EXPECT_TRUE(near(at(loading, (kWidth - 108) / 2 + 4, kHeight - kHeight / 8 + 4), 0xFF0000));

  // The round intro shows no field; play shows the walls, the bricks and the paddle.
  EXPECT_GT(differing(intro, play0, kLeftWall), 0);
  EXPECT_EQ(differing(play0, resumed, kLeftWall), 0);
  EXPECT_GT(differing(play0, resumed, kPaddleRow), 0);  // the paddle moved right
  // Paused, the menu covers the field; continued, the field is back.
  EXPECT_GT(differing(paused, resumed, kBricks), 0);
  EXPECT_GT(differing(paused, resumed, kLeftWall), 0);

  // Frames of play: bricks broke, the score rose and lives were lost; the last field gave way to the
  // game-over message (on the round's background, like the intro) before the name entry.
  bool bricksBroke = false, scoreRose = false, lifeLost = false;
  int lastField = -1;
  std::vector<platform::Picture> frames;
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    platform::Picture f;
    ASSERT_TRUE(platform::readPng(folder.file(frameName(t)), f)) << t;
    frames.push_back(std::move(f));
  }
  for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
    const platform::Picture& f = frames[i];
    if (differing(f, play0, kLeftWall) != 0) continue;
    lastField = i;
    bricksBroke |= differing(play0, f, kBricks) > 0;
    scoreRose |= differing(play0, f, kScore) > 0;
    lifeLost |= differing(play0, f, kLives) > 0;
  }
  EXPECT_TRUE(bricksBroke);
  EXPECT_TRUE(scoreRose);
  EXPECT_TRUE(lifeLost);
  ASSERT_GE(lastField, 0);
  ASSERT_LT(lastField + 1, static_cast<int>(frames.size())) << "the game did not end";
  EXPECT_EQ(differing(frames[lastField + 1], intro, kLeftWall), 0);
  EXPECT_GT(differing(name, frames[lastField + 1], {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  // The table's first row holds the new name and score.
  EXPECT_GT(differing(table0, table1, kTable), 0);

  // After a restart the table still shows them.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  platform::Picture table2;
  ASSERT_TRUE(platform::readPng(folder.file("table2.png"), table2));
  EXPECT_EQ(differing(table1, table2, kTable), 0);
  EXPECT_GT(differing(table0, table2, kTable), 0);
}

// A high-score record whose count byte was damaged to 0 still takes the next game's name: the table has
// its eight rows, the damage is told, and the save writes a whole table.
TEST(BouncePathTest, ATableCountingNoRowsStillTakesTheNextName) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  const std::string registry = folder.file("glimmerhut/registry.db");
  saved::writeFirstRecord(registry, u"bouncehs1", std::string(1, '\0'));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.errors.find("the record store bouncehs1 is damaged"), std::string::npos) << run.errors;
  const std::string record = saved::firstRecord(registry, u"bouncehs1");
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(record[0], 8);
  EXPECT_NE(record.find("glo"), std::string::npos);
}

}  // namespace
