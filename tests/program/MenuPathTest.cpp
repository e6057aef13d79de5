// The real program on the real game.dat, headless: the language question, the sound question, the main
// menu with its ten icons, moving the highlight, and "exit" ending the program with code 0.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <string>

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
using frames::imageTable;
using frames::near;
using frames::Rect;
using frames::staged;

// Up and down rows of the questions' list box move the highlight; Enter confirms. The main menu starts
// on the first game; right, down, down and right reach "exit".
constexpr const char* kScript =
    "1300 capture lang.png\n"
    "1400 key down Down\n1420 key up Down\n"
    "1600 capture lang2.png\n"
    "1700 key down Enter\n1720 key up Enter\n"
    "1900 capture sound.png\n"
    "2000 key down Up\n2020 key up Up\n"
    "2200 capture sound2.png\n"
    "2300 key down Enter\n2320 key up Enter\n"
    "20000 capture main.png\n"
    "20100 key down Right\n20120 key up Right\n"
    "20800 capture moved.png\n"
    "21000 key down Down\n21020 key up Down\n"
    "21500 key down Down\n21520 key up Down\n"
    "22000 key down Right\n22020 key up Right\n"
    "22500 capture onexit.png\n"
    "23000 key down Enter\n23020 key up Enter\n"
    "60000 capture never.png\n";

TEST(MenuPathTest, LanguageSoundMainMenuAndExit) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), kScript);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  platform::Picture never;
  EXPECT_FALSE(platform::readPng(folder.file("never.png"), never));  // "exit" ended it before

  platform::Picture font, lang, lang2, sound, sound2, main, moved, onexit, back;
  ASSERT_TRUE(platform::readPng(staged("240x320/menu/font_0.png").string(), font));
  for (auto [name, picture] : {std::pair{"lang.png", &lang},
                               {"lang2.png", &lang2},
                               {"sound.png", &sound},
                               {"sound2.png", &sound2},
                               {"main.png", &main},
                               {"moved.png", &moved},
                               {"onexit.png", &onexit}}) {
    ASSERT_TRUE(platform::readPng(folder.file(name), *picture)) << name;
  }

  // The questions: a list box of rows one menu-font line and 4 pixels high, centred; the highlight bar
  // on the chosen row.
  const uint32_t bar = 0x7381A9;
  const int row = font.height + 4;
  auto barOn = [&](const platform::Picture& p, int rows, int i) {
    int top = (kHeight - rows * row) >> 1;
    return near(at(p, 45, top + i * row + row / 2), bar);
  };
  EXPECT_TRUE(barOn(lang, 3, 0));
  EXPECT_FALSE(barOn(lang, 3, 1));
  EXPECT_TRUE(barOn(lang2, 3, 1));
  EXPECT_TRUE(barOn(sound, 3, 2));   // "no" first
  EXPECT_TRUE(barOn(sound2, 3, 1));  // then "yes"

  // The main menu: ten icons on the 3 x 4 grid, each covering the background where it sits.
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/menu/back.png").string(), back));
  ASSERT_EQ(back.width, kWidth);
  platform::Picture hud1;
  ASSERT_TRUE(platform::readPng(staged("240x320/hud1/font_0.png").string(), hud1));
  std::map<std::string, Rect> icons = imageTable(staged("graphics/240x320/menu/icons.txt"));
  ASSERT_EQ(icons.count("bnc.png"), 1u);
  const int iw = icons["bnc.png"].w, ih = icons["bnc.png"].h;
  const std::array<Rect, 10> cells = start::mainMenuIcons();
  for (int e = 0; e < 10; ++e) EXPECT_GT(differing(main, back, cells[e]), iw * ih / 4) << "icon " << e;
  // Right moves the highlight from the first game to the second; the others stay as they were.
  EXPECT_GT(differing(main, moved, cells[0]), 0);
  EXPECT_GT(differing(main, moved, cells[1]), 0);
  EXPECT_EQ(differing(main, moved, cells[6]), 0);
  // Down, down and right reach "exit", in the bottom row.
  EXPECT_GT(differing(moved, onexit, cells[8]), 0);
  EXPECT_EQ(differing(moved, onexit, cells[6]), 0);
}

}  // namespace
