// The real program on the real game.dat, headless: each game's menu tour runs to its end, every frame it asks
// for is there, each page it opens changes the screen, and the main menu comes back as it was left. With
// GH_TOUR_FRAMES=<folder> the frames and the script are kept in <folder>/<game>/, to be compared with
// another build's. GH_TOUR_DEVICE=vga tours the 480x640 device instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "program/MenuTour.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = GH_PROGRAM;
// The tour's highest level reached, so that the level lists show.
constexpr int kOpenLevels = 3;

}  // namespace

namespace tour {
// Test names say which game.
void PrintTo(const Game& game, std::ostream* out) { *out << game.name; }
}  // namespace tour

namespace {

class MenuTourTest : public testing::TestWithParam<tour::Game> {};

TEST_P(MenuTourTest, EveryPageShowsAndTheMainMenuComesBack) {
  const tour::Game& game = GetParam();
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  if (game.levels) tour::openLevels(folder.path(), game.key, kOpenLevels);
  const char* device = std::getenv("GH_TOUR_DEVICE");
  const int scale = device != nullptr && std::string(device) == "vga" ? 2 : 1;
  std::vector<std::string> environment;
  if (device != nullptr) environment.push_back(std::string("GLIMMERHUT_DEVICE=") + device);
  const tour::Script tour = tour::script(game, scale);
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), tour.text, {}, environment, 300);
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  std::vector<platform::Picture> frames(tour.frames.size());
  for (size_t i = 0; i < tour.frames.size(); ++i) {
    ASSERT_TRUE(platform::readPng(folder.file(tour.frames[i]), frames[i])) << tour.frames[i];
  }
  // A page opened by a key is a new screen.
  const frames::Rect screen{0, 0, 240 * scale, 320 * scale};
  for (size_t i = 1; i < tour.frames.size(); ++i) {
    const std::string& name = tour.frames[i];
    const bool opens = name.ends_with("-help.png") || name.ends_with("-table.png") || name.ends_with("-keys.png") ||
                       name.ends_with("-paused.png") || name.ends_with("-levels.png");
    if (opens) {
      EXPECT_GT(frames::differing(frames[i - 1], frames[i], screen), 0) << name;
    }
  }
  // The main menu as it first showed.
  size_t main = 0;
  while (main < tour.frames.size() && !tour.frames[main].ends_with("-main.png")) ++main;
  ASSERT_LT(main, tour.frames.size());
  EXPECT_EQ(frames::differing(frames.back(), frames[main], screen), 0);

  if (const char* keep = std::getenv("GH_TOUR_FRAMES")) {
    const fs::path into = fs::path(keep) / game.name;
    fs::create_directories(into);
    fs::copy_file(folder.file("script.txt"), into / "script.txt", fs::copy_options::overwrite_existing);
    for (const std::string& name : tour.frames)
      fs::copy_file(folder.file(name), into / name, fs::copy_options::overwrite_existing);
  }
}

INSTANTIATE_TEST_SUITE_P(Games, MenuTourTest, testing::ValuesIn(tour::games()),
                         [](const testing::TestParamInfo<tour::Game>& game) { return std::string(game.param.name); });

}  // namespace
