// The real program on the real game.dat, headless: the alien-formation game from the main menu's third
// icon through its menu, its high-score table and the first wave's intro into play; the ship holds still
// and fires, shoots aliens, loses ships to the divers, clears a wave, and goes down in a later one; the lost
// game's picture, the name typed in, and the name found again after a restart.
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
constexpr uint32_t kKey = 0xFF00FF;

using frames::at;
using frames::differing;
using frames::near;
using frames::Rect;
using frames::staged;

// Two steps right on the main menu's grid lead to the third icon, the alien-formation game, whose menu
// opens on "Start".
const std::string kToTheGame = start::toTheGame({"Right", "Right"}, 20800);

// The menu's second entry is the high-score table.
constexpr const char* kToTheTable =
    "23000 key down Down\n23050 key up Down\n"
    "23300 key down Enter\n23350 key up Enter\n";

// Fire is held from the start of play while the ship stays in the middle: the formation sways over it and
// the divers steer at it, so it shoots aliens and is shot or rammed in turn until its ships are gone.
constexpr int kPlayFrom = 27000;
constexpr int kPlayTo = 250000;
constexpr int kFrameStep = 1000;

// Rows of the high-score table: the first, and the last ones, which a new best score does not reach.
constexpr Rect kFirstRow{20, 50, 200, 20};
constexpr Rect kLastRows{20, 220, 200, 16};

std::string frameName(int t) { return "f" + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "22900 capture menu.png\n";
  s += kToTheTable;
  s += "23700 capture table0.png\n"
       "23800 key down Enter\n23850 key up Enter\n"  // the table closes onto "start"
       "24400 key down Enter\n24450 key up Enter\n"
       "25200 capture intro.png\n" +
       std::to_string(kPlayFrom) + " key down Up\n";
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) s += std::to_string(t + 10) + " capture " + frameName(t) + "\n";
  s += std::to_string(kPlayTo) + " key up Up\n";
  s += "251000 key down G\n251050 key up G\n"
       "251300 key down L\n251350 key up L\n"
       "251600 key down O\n251650 key up O\n"
       "251900 capture name.png\n"
       "252200 key down F1\n252250 key up F1\n"  // the name is accepted
       "252800 capture table1.png\n"
       "253000 close\n";
  return s;
}

std::string secondRunScript() { return kToTheGame + kToTheTable + "23700 capture table2.png\n24000 close\n"; }

// Whether the frame shows the sprite of the atlas rectangle at (x, y), its transparent pixels aside.
bool shows(const platform::Picture& frame, const platform::Picture& atlas, Rect sprite, int x, int y) {
  for (int j = 0; j < sprite.h; ++j) {
    for (int i = 0; i < sprite.w; ++i) {
      const uint32_t want = at(atlas, sprite.x + i, sprite.y + j);
      if (want != kKey && !near(at(frame, x + i, y + j), want)) return false;
    }
  }
  return true;
}

// Icons of the heads-up row, counted leftwards from the right edge.
int iconsInRow(const platform::Picture& frame, const platform::Picture& atlas, Rect icon, int y) {
  int n = 0;
  while (n < kWidth / icon.w && shows(frame, atlas, icon, kWidth - (n + 1) * icon.w, y)) ++n;
  return n;
}

// Pixels of the score's white digits.
int scoreInk(const platform::Picture& frame) {
  int n = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 16; x < 90; ++x) n += near(at(frame, x, y), 0xFFFFFF) ? 1 : 0;
  }
  return n;
}

TEST(SwarmPathTest, ShootLoseShipsClearAWaveLoseTheGameAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript(), {}, {}, 120);
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  platform::Picture atlas, gameOver, menu, table0, intro, name, table1;
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/swm/all.png").string(), atlas));
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/swm/gameover.png").string(), gameOver));
  const auto table = frames::imageTable(staged("graphics/240x320/swm/all.txt"));
  const Rect life = table.at("life.png"), level = table.at("level.png");
  for (auto [file, picture] : {std::pair{"menu.png", &menu},
                               {"table0.png", &table0},
                               {"intro.png", &intro},
                               {"name.png", &name},
                               {"table1.png", &table1}}) {
    ASSERT_TRUE(platform::readPng(folder.file(file), *picture)) << file;
  }

  // The intro of the first wave: its texts on black, four spare ships under them.
  EXPECT_EQ(at(intro, 5, 5), 0u);
  EXPECT_GT(differing(intro, menu, {40, 100, 160, 80}), 500);

  // Through the frames of play: the score rises, ships are lost, the second wave comes, and the game is lost.
  int firstPlay = -1, lowestLives = 99, mostLevels = 0, gameOverAt = -1, firstInk = -1, mostInk = 0;
  bool secondIntro = false, livesAfterIntro = false;
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) {
    platform::Picture f;
    ASSERT_TRUE(platform::readPng(folder.file(frameName(t)), f)) << t;
    int sameAsLost = 0;
    for (int y = 8; y < kHeight; y += 24) {
      for (int x = 8; x < kWidth; x += 24) {
        if (y > 100 && y < 180) continue;  // the texts
        sameAsLost += near(at(f, x, y), at(gameOver, x, y)) ? 1 : 0;
      }
    }
    if (sameAsLost > 60) {
      if (gameOverAt < 0) gameOverAt = t;
      continue;
    }
    const int levels = iconsInRow(f, atlas, level, 0);
    if (levels > 0) {
      const int lives = iconsInRow(f, atlas, life, level.h);
      if (firstPlay < 0) {
        firstPlay = t;
        firstInk = scoreInk(f);
        EXPECT_EQ(lives, 4) << t;
        EXPECT_EQ(levels, 1) << t;
      }
      lowestLives = std::min(lowestLives, lives);
      mostLevels = std::max(mostLevels, levels);
      mostInk = std::max(mostInk, scoreInk(f));
      livesAfterIntro |= secondIntro && lives > 0;
    } else if (firstPlay >= 0 && at(f, 5, 5) == 0 && differing(f, intro, {40, 100, 160, 80}) > 0) {
      secondIntro = true;  // the next wave's intro: another level and score
    }
  }
  ASSERT_GE(firstPlay, 0) << "no frame of play";
  EXPECT_GT(mostInk, firstInk + 20) << "the score did not rise";
  EXPECT_LT(lowestLives, 4) << "no ship was lost";
  EXPECT_GE(mostLevels, 2) << "the first wave was not cleared";
  EXPECT_TRUE(secondIntro);
  EXPECT_TRUE(livesAfterIntro);
  ASSERT_GT(gameOverAt, firstPlay) << "the game was not lost";

  // The name entry covers the screen; the table's first row then holds the new name and score.
  EXPECT_GT(differing(name, gameOver, {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  EXPECT_GT(differing(table0, table1, kFirstRow), 0);
  EXPECT_EQ(differing(table0, table1, kLastRows), 0);

  // After a restart the table still shows them.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRunScript());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  platform::Picture table2;
  ASSERT_TRUE(platform::readPng(folder.file("table2.png"), table2));
  EXPECT_EQ(differing(table1, table2, {0, 0, kWidth, kHeight}), 0);
  EXPECT_GT(differing(table0, table2, kFirstRow), 0);
}

}  // namespace
