// The real program on the real game.dat, headless: the river-flying shooter from its icon in the main menu
// through its menu into level 1; the plane steers onto a fuel depot and fills up, shoots its way up the
// river, blows up the first bridge and flies past it, loses a plane and starts again beyond the bridge,
// then flies into the bank until the last plane is gone; game over, a high-score name typed in, and the
// name found again after a restart.
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

using frames::at;
using frames::differing;
using frames::Rect;
using frames::staged;

// Regions of the 240 x 320 play view: the river between the side panels, the score at the top right, the
// life icons at the bottom right.
constexpr Rect kRiver{32, 20, 176, 240};
constexpr Rect kScore{180, 0, 60, 14};
constexpr Rect kLives{216, 298, 24, 22};
constexpr Rect kLeftPanel{0, 40, 28, 200};
constexpr Rect kTable{20, 50, 200, 30};

// The game's icon is the second of the main menu.
const std::string kToTheGame = start::toTheGame({"Right"}, 20400);

// Its menu's second entry is the high-score page.
constexpr const char* kToTheTable =
    "24000 key down Down\n24050 key up Down\n"
    "24400 key down Enter\n24450 key up Enter\n";

// "start" opens level 1; play begins after its get-ready screen, at about 26 s.
constexpr int kPlayFrom = 26000;
constexpr int kPlayTo = 46000;
constexpr int kFrameStep = 250;

std::string frameName(int t) { return "f" + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "24400 key down Enter\n24450 key up Enter\n"  // start
       "25000 capture ready.png\n"
       // Onto the depot in the first screen's river, slowly, without shooting it.
       "26300 key down Right\n26750 key up Right\n"
       "26800 key down Down\n26850 key up Down\n"
       // Back to the middle at the usual speed, shooting whatever comes.
       "29000 key down Left\n29450 key up Left\n"
       "29500 key down Up\n29550 key up Up\n";
  for (int t = 29500; t < 36000; t += 500) s += std::to_string(t) + " key down Enter\n+40 key up Enter\n";
  // Into the left bank, plane after plane.
  s += "36000 key down Left\n46000 key up Left\n";
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep)
    s += std::to_string(t + 100) + " capture " + frameName(t) + "\n";
  s += "48000 capture name.png\n"
       "48200 key down G\n48250 key up G\n"
       "48500 key down L\n48550 key up L\n"
       "48800 key down O\n48850 key up O\n"
       "49100 key down F1\n49150 key up F1\n"  // the name is accepted
       "49700 capture table1.png\n"
       "50000 close\n";
  return s;
}

std::string secondRunScript() { return kToTheGame + kToTheTable + "24700 capture table2.png\n25000 close\n"; }

// Rows of the fuel gauge that show fuel: the barrel's middle column where the frame differs from the
// barrel's own picture.
class Gauge {
 public:
  Gauge() {
    platform::readPng(staged("graphics/240x320/cy/all.png").string(), atlas_);
    barrel_ = frames::imageTable(staged("graphics/240x320/cy/all.txt"))["barell176.png"];
  }
  bool loaded() const { return barrel_.w > 0 && atlas_.width > 0; }
  int fuelRows(const platform::Picture& frame) const {
    const int x = barrel_.w / 2, top = kHeight - barrel_.h;
    int rows = 0;
    for (int y = 0; y < barrel_.h; ++y)
      rows += !frames::near(at(frame, x, top + y), at(atlas_, barrel_.x + x, barrel_.y + y));
    return rows;
  }

 private:
  platform::Picture atlas_;
  Rect barrel_{0, 0, 0, 0};
};

TEST(CanyonPathTest, RefuelShootCrossABridgeCrashAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(saved::firstRecord(folder.file("glimmerhut/registry.db"), u"canyonhs1").find("glo"), std::string::npos);

  platform::Picture ready, name, table1;
  for (auto [file, picture] : {std::pair{"ready.png", &ready}, {"name.png", &name}, {"table1.png", &table1}}) {
    ASSERT_TRUE(platform::readPng(folder.file(file), *picture)) << file;
  }
  std::vector<platform::Picture> play;
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    platform::Picture f;
    ASSERT_TRUE(platform::readPng(folder.file(frameName(t)), f)) << t;
    play.push_back(std::move(f));
  }
  const Gauge gauge;
  ASSERT_TRUE(gauge.loaded());
  const platform::Picture& first = play.front();

  // The get-ready screen is black around its text; play shows the river.
  EXPECT_EQ(at(ready, 4, kHeight / 2), 0u);
  EXPECT_GT(differing(ready, first, kRiver), kRiver.w * kRiver.h / 2);

  // Frame by frame: the river scrolls; the gauge falls, and rises over the depot while the plane lives;
  // the score rises; a plane lost takes a life icon and the next plane starts with a full tank.
  // The side panels stand still while the game plays.
  auto playing = [&](const platform::Picture& f) { return differing(first, f, kLeftPanel) == 0; };
  bool refuelled = false, scoreRose = false;
  int planesLost = 0, firstRestart = -1, lastPlay = -1;
  std::string gaugeRows;
  for (size_t i = 0; i + 1 < play.size() && playing(play[i + 1]); ++i) {
    const platform::Picture &f = play[i], &next = play[i + 1];
    EXPECT_GT(differing(f, next, kRiver), 0) << "the river stood still at frame " << i + 1;
    lastPlay = static_cast<int>(i + 1);
    gaugeRows += std::to_string(gauge.fuelRows(next)) + " ";
    scoreRose |= differing(first, next, kScore) > 0;
    const bool lifeLost = differing(f, next, kLives) > 0;
    if (lifeLost) {
      ++planesLost;
      if (firstRestart < 0) firstRestart = static_cast<int>(i + 1);
    }
    if (!lifeLost && planesLost == 0 && gauge.fuelRows(next) > gauge.fuelRows(f)) refuelled = true;
  }
  EXPECT_TRUE(refuelled);
  EXPECT_TRUE(scoreRose);
  EXPECT_EQ(planesLost, 3) << "three spare planes are lost before the last one";
  ASSERT_GT(firstRestart, 0);
  // The first bridge was blown up and passed: the new plane, with its full tank, starts beyond it, not
  // where the level began.
  int restart = firstRestart + 1;
  while (restart < lastPlay && gauge.fuelRows(play[restart]) <= gauge.fuelRows(play[restart - 1])) ++restart;
  ASSERT_LT(restart, lastPlay) << gaugeRows;
  EXPECT_GT(differing(first, play[static_cast<size_t>(restart)], kRiver), kRiver.w * kRiver.h / 4);
  // The last plane's crash ended the game: the game-over picture, then the name entry.
  ASSERT_GT(lastPlay, 0);
  ASSERT_LT(lastPlay + 1, static_cast<int>(play.size())) << "the game did not end";
  EXPECT_GT(differing(name, play.back(), {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  // The table's first row holds the new name and score, after a restart too; a fresh table has none.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  platform::Picture table2;
  ASSERT_TRUE(platform::readPng(folder.file("table2.png"), table2));
  EXPECT_EQ(differing(table1, table2, kTable), 0);
  test::TempFolder fresh;
  fs::copy_file(GH_GAME_DAT, fresh.file("game.dat"));
  ASSERT_EQ(test::runProgram(kProgram, fresh.path(), secondRunScript()).exitCode, 0);
  platform::Picture table0;
  ASSERT_TRUE(platform::readPng(fresh.file("table2.png"), table0));
  EXPECT_GT(differing(table0, table2, kTable), 0);
}

}  // namespace
