// The real program, run headless with scripts: the frames it shows, how it ends, and a second start.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/capture.h"
#include "platform/instance.h"
#include "platform/paths.h"
#include "platform/resources.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kProgram = GH_PROGRAM;

uint32_t pixel(const platform::Picture& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)];
}

// The program's canvas shows the 16 game actions as a 4 x 4 grid of cells, lit while held, and a red
// square under the pen.
bool lit(uint32_t rgb) { return (rgb >> 16) > 0xC0 && ((rgb >> 8) & 0xFF) > 0xC0 && (rgb & 0xFF) < 0x40; }
bool red(uint32_t rgb) { return (rgb >> 16) > 0xC0 && ((rgb >> 8) & 0xFF) < 0x40 && (rgb & 0xFF) < 0x40; }

// Centre of the cell of a game action on the 240 x 320 screen.
int cellX(int action) { return (action % 4) * 60 + 30; }
int cellY(int action) { return (action / 4) * 80 + 40; }

constexpr int kSoftLeft = 9;
constexpr int kFire = 4;
constexpr int kRight = 3;

TEST(ProgramTest, ScriptedRunShowsSplashThenCanvasFollowsInputAndEndsWithZero) {
  test::TempFolder folder;
  test::ProgramResult run = test::runProgram(kProgram, folder.path(),
                                             "2 capture splash.png\n"
                                             "20 capture idle.png\n"
                                             "30 key down F1\n"
                                             "31 key down Enter\n"
                                             "40 capture keys.png\n"
                                             "50 key up F1\n"
                                             "50 key up Enter\n"
                                             "60 pen down 120 150\n"
                                             "65 pen move 200 300\n"
                                             "70 capture pen.png\n"
                                             "80 pen up 200 300\n"
                                             "90 deactivate\n"
                                             "100 key down Right\n"
                                             "120 capture inactive.png\n"
                                             "130 activate\n"
                                             "150 capture active.png\n"
                                             "200 close\n");
  EXPECT_EQ(run.exitCode, 0) << run.errors;

  platform::Picture splash, idle, keys, pen, inactive, active;
  ASSERT_TRUE(platform::readPng(folder.file("splash.png"), splash));
  ASSERT_TRUE(platform::readPng(folder.file("idle.png"), idle));
  ASSERT_TRUE(platform::readPng(folder.file("keys.png"), keys));
  ASSERT_TRUE(platform::readPng(folder.file("pen.png"), pen));
  ASSERT_TRUE(platform::readPng(folder.file("inactive.png"), inactive));
  ASSERT_TRUE(platform::readPng(folder.file("active.png"), active));

  // The splash, centred on white.
  platform::Picture picture = platform::splashPicture();
  int left = (240 - picture.width) / 2, top = (320 - picture.height) / 2;
  EXPECT_EQ(pixel(splash, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(pixel(splash, left, top), picture.pixels[0]);
  EXPECT_EQ(pixel(splash, left + picture.width - 1, top + picture.height - 1), picture.pixels.back());

  for (int action = 0; action < 16; ++action) EXPECT_FALSE(lit(pixel(idle, cellX(action), cellY(action)))) << action;
  // F1 is the left soft key; Enter the action key, which means fire.
  EXPECT_TRUE(lit(pixel(keys, cellX(kSoftLeft), cellY(kSoftLeft))));
  EXPECT_TRUE(lit(pixel(keys, cellX(kFire), cellY(kFire))));
  EXPECT_FALSE(lit(pixel(keys, cellX(kRight), cellY(kRight))));
  // The pen was dragged to (200, 300); the press point is no longer marked.
  EXPECT_TRUE(red(pixel(pen, 200, 300)));
  EXPECT_FALSE(red(pixel(pen, 120, 150)));
  EXPECT_FALSE(lit(pixel(pen, cellX(kSoftLeft), cellY(kSoftLeft))));
  // While inactive nothing is drawn; the key held meanwhile shows once the window is active again.
  EXPECT_FALSE(lit(pixel(inactive, cellX(kRight), cellY(kRight))));
  EXPECT_TRUE(lit(pixel(active, cellX(kRight), cellY(kRight))));
}

TEST(ProgramTest, SecondStartOnTheSameDataFolderEndsQuietly) {
  test::TempFolder folder, other;
  // The first instance runs on the real clock for a while.
  test::ProgramResult first;
  std::thread running([&] { first = test::runProgram(kProgram, folder.path(), "realtime\n4000 close\n"); });

  platform::setProgramFile(folder.file("glimmerhut"));
  for (int i = 0; i < 400 && platform::findPublishedWindow(u"GameEngine", u"GlimmerHut") == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_NE(platform::findPublishedWindow(u"GameEngine", u"GlimmerHut"), 0);
  platform::setProgramFile("");

  test::TempFolder secondFolder;
  auto started = std::chrono::steady_clock::now();
  test::ProgramResult second = test::runProgram(kProgram, secondFolder.path(), "1 capture ran.png\n", {},
                                                {"GLIMMERHUT_DATA=" + folder.path()});
  EXPECT_EQ(second.exitCode, 0) << second.errors;
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
  platform::Picture ran;
  EXPECT_FALSE(platform::readPng(secondFolder.file("ran.png"), ran));  // it never got as far as its loop

  // Another data folder is another instance and runs as usual.
  test::ProgramResult elsewhere = test::runProgram(kProgram, other.path(), "5 capture frame.png\n");
  EXPECT_EQ(elsewhere.exitCode, 0) << elsewhere.errors;
  platform::Picture frame;
  EXPECT_TRUE(platform::readPng(other.file("frame.png"), frame));

  running.join();
  EXPECT_EQ(first.exitCode, 0) << first.errors;
}

}  // namespace
