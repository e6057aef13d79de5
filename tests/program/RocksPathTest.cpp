// The real program on the real game.dat, headless: the space-rocks game from its icon in the main menu,
// its start menu over the splash, the high-score page, level 1 played by keys (the ship thrusts, turns and
// fires until rocks break and the score rises), the hidden level select to the last level where the
// saucers' rockets take every ship, the game-over message, a high-score name typed in, and the name found
// again after a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/seam/capture.h"
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

// Regions of the 240 x 320 play screen: the number of lives in its panel at the top left, the score in its
// panel at the top right (both panels are opaque there), the level banner across the middle.
constexpr Rect kLives{22, 3, 20, 14};
constexpr Rect kScore{168, 3, 68, 14};
constexpr Rect kBanner{40, 140, 160, 30};
constexpr Rect kTable{20, 50, 200, 30};

// Keys are held for 100 ms: play reads them on every second 30 ms step.
std::string press(int t, const char* key) {
  return std::to_string(t) + " key down " + key + "\n" + std::to_string(t + 100) + " key up " + key + "\n";
}

// From the brick game's icon, right three times and down once reach the space-rocks game.
std::string toTheGame() { return start::toTheGame({"Right", "Right", "Right", "Down"}, 22000); }

// Its start menu's second entry is the high-score page.
std::string toTheTable() { return press(24000, "Down") + press(24400, "Enter"); }

// Level 1 is played from here, frames taken every half second; then the last level until the name entry.
constexpr int kPlayFrom = 27000;
constexpr int kPlayTo = 51000;
constexpr int kLastLevelFrom = 52000;
constexpr int kLastLevelTo = 110000;
constexpr int kFrameStep = 500;

// The banner's lettering is pale yellow; nothing else on the field is.
int bannerPixels(const platform::Picture& p) {
  int count = 0;
  for (int y = kBanner.y; y < kBanner.y + kBanner.h; ++y) {
    for (int x = kBanner.x; x < kBanner.x + kBanner.w; ++x) {
      const uint32_t rgb = at(p, x, y);
      const uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
      count += r >= 240 && g >= 200 && b < 200 ? 1 : 0;
    }
  }
  return count;
}

std::string frameName(int t) { return "f" + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = toTheGame();
  s += "23500 capture menu.png\n";
  s += toTheTable();
  s += "24800 capture table0.png\n";
  s += press(25000, "Enter");  // the page closes
  s += press(25400, "Enter");  // "start"
  s += "25700 capture intro.png\n";
  s += "26600 capture play0.png\n";
  // Thrust, then fire while turning left a little at a time.
  s += "26700 key down Up\n27300 key up Up\n";
  s += "27400 key down Enter\n";
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    s += std::to_string(t + 50) + " key down Left\n" + std::to_string(t + 170) + " key up Left\n";
    s += std::to_string(t + 400) + " capture " + frameName(t) + "\n";
  }
  s += std::to_string(kPlayTo) + " key up Enter\n";
  // Star, hash, star, 2, 0: the last level. Star and hash are the Pocket PC's App2 and App3 buttons.
  s += press(51200, "App2") + press(51400, "App3") + press(51600, "App2") + press(51800, "2") + press(52000, "0");
  s += "52250 capture intro20.png\n";
  for (int t = kLastLevelFrom; t < kLastLevelTo; t += kFrameStep) {
    s += std::to_string(t + 400) + " capture " + frameName(t) + "\n";
  }
  s += press(111000, "G") + press(111300, "L") + press(111600, "O");
  s += "111900 capture name.png\n";
  s += press(112200, "F1");  // the name is accepted
  s += "112800 capture table1.png\n"
       "113000 close\n";
  return s;
}

std::string secondRunScript() { return toTheGame() + toTheTable() + "24800 capture table2.png\n25000 close\n"; }

TEST(RocksPathTest, ThrustTurnFireBreakRocksLoseEveryShipAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  platform::Picture pause, main, menu, table0, intro, play0, intro20, name, table1;
  ASSERT_TRUE(platform::readPng(frames::staged("graphics/240x320/pause.png").string(), pause));
  // The pause sign, drawn opaque in the lower right corner.
  const Rect pauseSign{kWidth - pause.width, kHeight - pause.height, pause.width, pause.height};
  for (auto [file, picture] : {std::pair{"main.png", &main},
                               {"menu.png", &menu},
                               {"table0.png", &table0},
                               {"intro.png", &intro},
                               {"play0.png", &play0},
                               {"intro20.png", &intro20},
                               {"name.png", &name},
                               {"table1.png", &table1}}) {
    ASSERT_TRUE(platform::readPng(folder.file(file), *picture)) << file;
  }

  // The main menu opened the game: its menu is a new screen, and the table another.
  EXPECT_GT(differing(menu, main, {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  EXPECT_GT(differing(table0, menu, kTable), 0);
  // The level's banner shows in the intro only; play has its panels and the pause sign.
  EXPECT_GT(differing(intro, play0, kBanner), 0);
  EXPECT_EQ(differing(intro, play0, pauseSign), 0);
  EXPECT_EQ(differing(intro, play0, kLives), 0);
  // The hidden level select started level 20: its banner has one digit more than level 1's.
  EXPECT_GT(bannerPixels(intro20), bannerPixels(intro));

  std::vector<platform::Picture> level1, level20;
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    platform::Picture f;
    ASSERT_TRUE(platform::readPng(folder.file(frameName(t)), f)) << t;
    level1.push_back(std::move(f));
  }
  for (int t = kLastLevelFrom; t < kLastLevelTo; t += kFrameStep) {
    platform::Picture f;
    ASSERT_TRUE(platform::readPng(folder.file(frameName(t)), f)) << t;
    level20.push_back(std::move(f));
  }
  // Shots cost points and the score starts at 0: a score that shows anything else means rocks broke.
  bool scoreRose = false, moved = false;
  for (const platform::Picture& f : level1) {
    scoreRose |= differing(play0, f, kScore) > 0;
    moved |= differing(play0, f, {40, 30, 160, 250}) > 200;
  }
  EXPECT_TRUE(scoreRose);
  EXPECT_TRUE(moved);

  // On the last level ships are lost one by one until the game-over message, then the name entry.
  int livesChanged = 0, gameOver = -1;
  for (int i = 0; i < static_cast<int>(level20.size()); ++i) {
    const platform::Picture& f = level20[i];
    if (i > 0 && differing(level20[i - 1], f, kLives) > 0) ++livesChanged;
    // The message stands on the field, where the pause sign is gone.
    if (gameOver < 0 && differing(play0, f, pauseSign) > 0 && differing(f, name, kScore) > 0) gameOver = i;
  }
  EXPECT_GE(livesChanged, 2);
  ASSERT_GE(gameOver, 0) << "the game did not end";
  EXPECT_GT(differing(name, level20[gameOver], {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  EXPECT_GT(differing(table0, table1, kTable), 0);

  // After a restart the table still shows the name.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  platform::Picture table2;
  ASSERT_TRUE(platform::readPng(folder.file("table2.png"), table2));
  EXPECT_EQ(differing(table1, table2, kTable), 0);
  EXPECT_GT(differing(table0, table2, kTable), 0);
}

}  // namespace
