// The real program on the real game.dat, headless: from the main menu to the more-games screen, down its
// list, choosing an entry (the browser started through the desktop's command with the entry's address),
// back to the main menu, and "exit".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "moregames/MoreGamesLook.h"
#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

using frames::at;
using frames::differing;
using frames::near;
using frames::Rect;

constexpr const char* kProgram = GH_PROGRAM;
constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr uint32_t kHighlight = moregames::kHighlightFill;

// English, sound off; on the main menu right, down, down reach the more-games entry. Its screen: down
// twice, the left soft key chooses the third entry, the right soft key goes back. Then right, down, down,
// right reach "exit".
constexpr const char* kScript =
    "1700 key down Enter\n1720 key up Enter\n"
    "2300 key down Enter\n2320 key up Enter\n"
    "20000 capture main.png\n"
    "20100 key down Right\n20120 key up Right\n"
    "20500 key down Down\n20520 key up Down\n"
    "21000 key down Down\n21020 key up Down\n"
    "21500 key down Enter\n21520 key up Enter\n"
    "24000 capture more.png\n"
    "24100 key down Down\n24120 key up Down\n"
    "24500 key down Down\n24520 key up Down\n"
    "26000 capture scrolled.png\n"
    "26100 key down F1\n26120 key up F1\n"
    "26500 capture chosen.png\n"
    "27000 key down F2\n27020 key up F2\n"
    "32000 capture back.png\n"
    "32100 key down Right\n32120 key up Right\n"
    "32500 key down Down\n32520 key up Down\n"
    "33000 key down Down\n33020 key up Down\n"
    "33500 key down Right\n33520 key up Right\n"
    "34000 key down Enter\n34020 key up Enter\n"
    "60000 capture never.png\n";

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(MoreGamesPathTest, MainMenuMoreGamesChooseAndBack) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  // The desktop's browser stands in as a script that notes the address it was given.
  const std::string browser = folder.file("browser.sh"), opened = folder.file("opened.txt");
  std::ofstream(browser) << "#!/bin/sh\necho \"$1\" >> '" << opened << "'\n";
  fs::permissions(browser, fs::perms::owner_exec, fs::perm_options::add);
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), kScript, {}, {"GLIMMERHUT_BROWSER=" + browser});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  platform::Picture never;
  EXPECT_FALSE(platform::readPng(folder.file("never.png"), never));  // "exit" ended it before

  platform::Picture main, more, scrolled, chosen, back;
  for (auto [name, picture] : {std::pair{"main.png", &main},
                               {"more.png", &more},
                               {"scrolled.png", &scrolled},
                               {"chosen.png", &chosen},
                               {"back.png", &back}}) {
    ASSERT_TRUE(platform::readPng(folder.file(name), *picture)) << name;
  }

  // The list fills the middle four fifths of the screen; the first entry is highlighted at its top.
  const Rect list = {kWidth / 10, kHeight / 10, kWidth * 4 / 5, kHeight * 4 / 5};
  EXPECT_TRUE(near(at(more, list.x + 2, list.y + 2), kHighlight));
  EXPECT_GT(differing(main, more, list), list.w * list.h / 2);
  // Down twice moved the highlight and scrolled the list.
  EXPECT_FALSE(near(at(scrolled, list.x + 2, list.y + 2), kHighlight));
  EXPECT_GT(differing(more, scrolled, list), list.w * list.h / 4);
  // Choosing opened the third entry's address and left the screen as it was.
  std::string addresses = readText(opened);
  EXPECT_EQ(addresses, "https://example.com/glimmerhut/en/comet-pinball\n");
  EXPECT_EQ(differing(scrolled, chosen, list), 0);
  // Back on the main menu, settled as it was before.
  EXPECT_LT(differing(main, back, {0, 0, kWidth, kHeight}), kWidth * kHeight / 100);
}

}  // namespace
