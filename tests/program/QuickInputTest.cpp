// A press and release inside one 30 ms step of the program reach it as a held press does: a tap on an icon
// of the main menu opens that game, an arrow key moves the highlight.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "program/Start.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

// From the main menu, at 20 s; what it led to is captured at 21.5 s.
constexpr int kAt = 20000;
constexpr const char* kAfter = "21500 capture after.png\n";

std::string line(int t, const std::string& event) { return std::to_string(t) + " " + event + "\n"; }

std::string tap(int x, int y, int hold) {
  const std::string where = " " + std::to_string(x) + " " + std::to_string(y);
  return line(kAt, "pen down" + where) + line(kAt + hold, "pen up" + where);
}

std::string key(const char* name, int hold) {
  return line(kAt, std::string("key down ") + name) + line(kAt + hold, std::string("key up ") + name);
}

// The frame the input led to, the start's questions answered as the path tests answer them.
platform::Picture after(const std::string& input) {
  test::TempFolder folder;
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  const std::string script = line(1700, "key down Enter") + line(1720, "key up Enter") + line(2300, "key down Enter") +
                             line(2320, "key up Enter") + input + kAfter;
  test::ProgramResult run = test::runProgram(GH_PROGRAM, folder.path(), script);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  platform::Picture frame;
  EXPECT_TRUE(platform::readPng(folder.file("after.png"), frame));
  return frame;
}

TEST(QuickInputTest, APressAndReleaseInsideOneStepActAsAHeldOne) {
  const frames::Rect second = start::mainMenuIcons()[1];
  const int x = second.x + second.w / 2, y = second.y + second.h / 2;
  const platform::Picture untouched = after("");
  const frames::Rect screen{0, 0, untouched.width, untouched.height};
  struct Case {
    const char* what;
    std::string quick, held;
  } cases[] = {
      {"a tap on the second game's icon, released at once", tap(x, y, 0), tap(x, y, 120)},
      {"a tap released 10 ms after", tap(x, y, 10), tap(x, y, 120)},
      {"the right arrow, released at once", key("Right", 0), key("Right", 50)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const platform::Picture quick = after(c.quick);
    const platform::Picture held = after(c.held);
    EXPECT_GT(frames::differing(held, untouched, screen), 0);
    EXPECT_EQ(frames::differing(quick, held, screen), 0);
  }
}

}  // namespace
