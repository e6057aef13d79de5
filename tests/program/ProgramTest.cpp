// The real program, run headless with scripts: the frames it shows, how it ends, and a second start.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/api/resources.h"
#include "platform/host/instance.h"
#include "platform/host/paths.h"
#include "platform/seam/capture.h"
#include "shell/ExitStatus.h"
#include "support/Archives.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kProgram = GH_PROGRAM;
// Far beyond what a start takes: reaching it means the run hung.
constexpr int kGenerousSeconds = 60;

uint32_t pixel(const platform::Picture& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)];
}

TEST(ProgramTest, ScriptedRunShowsSplashThenTheStartAndEndsWithZeroWhenClosed) {
  test::TempFolder folder;
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(),
                                             "2 capture splash.png\n"
                                             "1300 capture start.png\n"
                                             "1400 close\n"
                                             "5000 capture never.png\n");
  EXPECT_EQ(run.exitCode, 0) << run.errors;

  platform::Picture splash, start, never;
  ASSERT_TRUE(platform::readPng(folder.file("splash.png"), splash));
  ASSERT_TRUE(platform::readPng(folder.file("start.png"), start));
  EXPECT_FALSE(platform::readPng(folder.file("never.png"), never));

  // The splash, centred on white.
  platform::Picture picture = platform::splashPicture();
  int left = (240 - picture.width) / 2, top = (320 - picture.height) / 2;
  EXPECT_EQ(pixel(splash, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(pixel(splash, left, top), picture.pixels[0]);
  EXPECT_EQ(pixel(splash, left + picture.width - 1, top + picture.height - 1), picture.pixels.back());
  // The game library has drawn over it by then.
  int changed = 0;
  for (size_t i = 0; i < start.pixels.size(); ++i) changed += start.pixels[i] != splash.pixels[i] ? 1 : 0;
  EXPECT_GT(changed, 240 * 320 / 10);
}

TEST(ProgramTest, WithoutItsArchiveTheProgramSaysWhyAndEnds) {
  test::TempFolder folder;
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), "60000 capture never.png\n");
  // The start's failure ends the program through its usual shutdown, with the status of a failure.
  EXPECT_EQ(run.exitCode, shell::kFailed) << run.errors;
  EXPECT_NE(run.errors.find("game.dat"), std::string::npos) << run.errors;
  platform::Picture never;
  EXPECT_FALSE(platform::readPng(folder.file("never.png"), never));
}

// A game.dat that is no file is refused at once, with its path; one without this screen's data says what
// it lacks. Neither ends as a success. The time limit only ends a run that hangs.
TEST(ProgramTest, AStartThatCannotBeMadeSaysWhyAndEndsWithAFailure) {
  struct Case {
    const char* what;
    std::function<void(const std::string& gameDat)> make;
    std::vector<std::string> environment;
    int status;
    std::string said;  // "{}" stands for game.dat's path
  };
  const std::string notAFile =
      "GlimmerHut: the start failed while opening the resource archive \"game.dat\": IOException not a file: {}\n";
  const Case cases[] = {
      {"a FIFO", [](const std::string& at) { ASSERT_EQ(mkfifo(at.c_str(), 0644), 0); }, {}, shell::kFailed, notAFile},
      {"a folder", [](const std::string& at) { std::filesystem::create_directory(at); }, {}, shell::kFailed, notAFile},
      {"a device",
       [](const std::string& at) { std::filesystem::create_symlink("/dev/null", at); },
       {},
       shell::kFailed,
       notAFile},
      {"an archive without the screen's data",
       [](const std::string& at) {
         test::packArchive(at, {{"data/keys.txt", "KEY_LEFT_SOFT1=10000\n"}});
       },
       {},
       shell::kScreenNotSupported,
       "GlimmerHut: game.dat has no data for a 240 x 320 screen: graphics/240x320.dat is missing\n"},
      {"a screen size the archive has nothing for",
       [](const std::string& at) { std::filesystem::copy_file(GH_GAME_DAT, at); },
       {"GLIMMERHUT_SCREEN=200x200"},
       shell::kScreenNotSupported,
       "GlimmerHut: game.dat has no data for a 200 x 200 screen: graphics/200x200.dat is missing\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    c.make(folder.file("game.dat"));
    test::ProgramResult run =
        test::runProgram(kProgram, folder.path(), "60000 capture never.png\n", {}, c.environment, kGenerousSeconds);
    EXPECT_EQ(run.exitCode, c.status) << run.errors;
    std::string said = c.said;
    if (const size_t at = said.find("{}"); at != std::string::npos) said.replace(at, 2, folder.file("game.dat"));
    EXPECT_NE(run.errors.find(said), std::string::npos) << run.errors;
  }
}

// The status is the failure's from the moment it is known: a close request while the "not supported" notice
// still shows ends the run at once, but not as the player's own end.
TEST(ProgramTest, AFailedStartClosedEarlyKeepsItsStatus) {
  struct Case {
    const char* what;
    bool archive;
    std::vector<std::string> environment;
    int status;
  };
  const Case cases[] = {
      {"a 176x220 device", true, {"GLIMMERHUT_DEVICE=smartphone"}, shell::kScreenNotSupported},
      {"a screen size the archive has nothing for", true, {"GLIMMERHUT_SCREEN=200x200"}, shell::kScreenNotSupported},
      {"no archive", false, {}, shell::kFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    if (c.archive) std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), "+1000 close\n", {}, c.environment);
    EXPECT_EQ(run.exitCode, c.status) << run.errors;
  }
}

// With no display and no script nothing could see or play the run: it ends at once, says why and what would
// run it unseen, and fails, also where SDL falls back on a driver that shows nothing. The time limit only
// ends a run that hangs.
TEST(ProgramTest, WithoutADisplayOrAScriptTheStartFailsAndSaysWhy) {
  struct Case {
    const char* drivers;  // SDL_VIDEODRIVER: SDL tries them in turn
    const char* reason;
  };
  const Case cases[] = {
      {"x11", "GlimmerHut: no display to open the window on ("},
      {"x11,offscreen", "GlimmerHut: no display to open the window on (SDL fell back on its \"offscreen\" driver"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drivers);
    test::TempFolder folder;
    std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
    const test::ProgramResult run = test::runProgram(kProgram, folder.path(), "", {},
                                                     {"GLIMMERHUT_HEADLESS=", "GLIMMERHUT_SCRIPT=", "DISPLAY=",
                                                      "WAYLAND_DISPLAY=", std::string("SDL_VIDEODRIVER=") + c.drivers},
                                                     kGenerousSeconds);
    EXPECT_EQ(run.exitCode, shell::kFailed) << run.errors;
    EXPECT_EQ(run.errors.rfind(c.reason, 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find("; GLIMMERHUT_HEADLESS=1 with a GLIMMERHUT_SCRIPT runs unseen\n"), std::string::npos)
        << run.errors;
  }
}

// A FIFO where the display layer's log goes holds nothing up: the run shows the main menu at 10 s just as a
// run with a plain log folder does, and says once that the log is lost.
TEST(ProgramTest, AFifoForTheLogHoldsNothingUp) {
  const std::string script =
      "1700 key down Enter\n1720 key up Enter\n2300 key down Enter\n2320 key up Enter\n10000 capture menu.png\n"
      "10100 close\n";
  platform::Picture menus[2];
  for (const bool fifo : {false, true}) {
    SCOPED_TRACE(fifo ? "a FIFO" : "a plain folder");
    test::TempFolder folder;
    std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
    if (fifo) {
      ASSERT_EQ(mkfifo(folder.file("Log_SHAL.txt").c_str(), 0644), 0);
    }
    const test::ProgramResult run = test::runProgram(kProgram, folder.path(), script);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_TRUE(platform::readPng(folder.file("menu.png"), menus[fifo ? 1 : 0]));
    const std::string lost =
        "GlimmerHut: the log " + folder.file("Log_SHAL.txt") + " is not a file; its lines are lost\n";
    EXPECT_EQ(run.errors.find(lost) != std::string::npos, fifo) << run.errors;
    EXPECT_EQ(run.errors.find(lost), run.errors.rfind(lost)) << run.errors;
  }
  EXPECT_EQ(menus[1].pixels, menus[0].pixels);
}

// A relative GLIMMERHUT_DATA is one folder for everything, taken from the current folder at the start.
TEST(ProgramTest, ARelativeDataFolderIsTakenFromTheCurrentFolder) {
  test::TempFolder folder;
  std::filesystem::create_directory(folder.file("gd"));
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("gd/game.dat"));
  const std::filesystem::path current = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const test::ProgramResult run = test::runProgram(
      kProgram, folder.path(),
      "1700 key down Enter\n1720 key up Enter\n2300 key down Enter\n2320 key up Enter\n6000 capture main.png\n"
      "6100 close\n",
      {}, {"GLIMMERHUT_DATA=gd"});
  std::filesystem::current_path(current);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("main.png")));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("gd/Log_SHAL.txt")));
  // The settings keep to the user's data folder, here the test's.
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("glimmerhut/registry.db")));
}

// An unknown sound device or platform type is said, and the default used.
TEST(ProgramTest, UnknownValuesAreSaidAndTheDefaultsUsed) {
  test::TempFolder folder;
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  const test::ProgramResult run = test::runProgram(kProgram, folder.path(), "+1000 close\n", {},
                                                   {"GLIMMERHUT_AUDIO=loud", "GLIMMERHUT_PLATFORM=Toaster"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  for (const char* said : {"GlimmerHut: unknown sound device \"loud\", using \"null\"\n",
                           "GlimmerHut: unknown platform type \"Toaster\", using \"PocketPC\"\n"})
    EXPECT_NE(run.errors.find(said), std::string::npos) << run.errors;
}

// Every file below the folder, with its size and time: what an installed folder holds.
std::map<std::string, std::pair<uintmax_t, std::filesystem::file_time_type>> listing(const std::string& folder) {
  std::map<std::string, std::pair<uintmax_t, std::filesystem::file_time_type>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const uintmax_t size = entry.is_regular_file() ? entry.file_size() : 0;
    files[entry.path().string()] = {size, entry.last_write_time()};
  }
  return files;
}

// Installed, the program's folder is the package's: its logs go to the user's state folder, or to the folder
// GLIMMERHUT_DATA names, and the installed data stays as it was installed.
TEST(ProgramTest, TheInstalledProgramWritesNothingIntoItsInstallFolder) {
  namespace fs = std::filesystem;
  test::TempFolder prefix, run, state, named;
  fs::create_directories(prefix.file("bin"));
  fs::create_directories(prefix.file("share/glimmerhut"));
  // A link costs nothing where the build and the temporary folder share a file system.
  std::error_code linked;
  fs::create_hard_link(kProgram, prefix.file("bin/glimmerhut"), linked);
  if (linked) fs::copy_file(kProgram, prefix.file("bin/glimmerhut"));
  fs::copy_file(GH_GAME_DAT, prefix.file("share/glimmerhut/game.dat"));
  const auto installed = listing(prefix.file("share"));
  struct Case {
    const char* what;
    std::string dataVariable;  // empty: the installed data is found from the program's folder
    std::string logFolder;
  };
  const Case cases[] = {
      {"the user's state folder", "", state.file("glimmerhut")},
      {"the folder GLIMMERHUT_DATA names", named.path(), named.path()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.dataVariable.empty()) fs::copy_file(GH_GAME_DAT, c.dataVariable + "/game.dat");
    // The questions answered, then the main menu.
    test::ProgramResult result = test::runProgram(
        prefix.file("bin/glimmerhut"), run.path(),
        "1700 key down Enter\n1720 key up Enter\n2300 key down Enter\n2320 key up Enter\n6000 capture main.png\n"
        "6100 close\n",
        {}, {"GLIMMERHUT_DATA=" + c.dataVariable, "XDG_STATE_HOME=" + state.path(), "HOME=" + run.path()});
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_TRUE(fs::exists(run.file("main.png")));
    EXPECT_EQ(listing(prefix.file("share")), installed);
    EXPECT_TRUE(fs::is_regular_file(c.logFolder + "/Log_SHAL.txt"));
    EXPECT_EQ(fs::exists(state.file("glimmerhut/Log_SHAL.txt")), c.dataVariable.empty());
    fs::remove_all(state.file("glimmerhut"));
  }
}

TEST(ProgramTest, SecondStartOnTheSameDataFolderEndsQuietly) {
  test::TempFolder folder, other;
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  std::filesystem::copy_file(GH_GAME_DAT, other.file("game.dat"));
  // The first instance runs on the real clock until it is asked to end, once the other starts are done; its
  // script's close and the time limit only end a run that went wrong.
  test::ProgramResult first;
  std::thread running(
      [&] { first = test::runProgram(kProgram, folder.path(), "realtime\n600000 close\n", {}, {}, 660); });

  platform::setProgramFile(folder.file("glimmerhut"));
  // Its process id, once it has both claimed the window and written its id beside the claim.
  int instance = 0;
  for (int i = 0; i < 6000 && (instance = platform::findPublishedWindow(u"GameEngine", u"GlimmerHut")) <= 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_GT(instance, 0);
  platform::setProgramFile("");

  test::TempFolder secondFolder;
  test::ProgramResult second =
      test::runProgram(kProgram, secondFolder.path(), "1 capture ran.png\n", {}, {"GLIMMERHUT_DATA=" + folder.path()});
  EXPECT_EQ(second.exitCode, 0) << second.errors;
  platform::Picture ran;
  EXPECT_FALSE(platform::readPng(secondFolder.file("ran.png"), ran));  // it never got as far as its loop

  // Another data folder is another instance and runs as usual.
  test::ProgramResult elsewhere = test::runProgram(kProgram, other.path(), "5 capture frame.png\n");
  EXPECT_EQ(elsewhere.exitCode, 0) << elsewhere.errors;
  platform::Picture frame;
  EXPECT_TRUE(platform::readPng(other.file("frame.png"), frame));

  if (instance > 0) test::askToEnd(instance);
  running.join();
  EXPECT_EQ(first.exitCode, 0) << first.errors;
}

}  // namespace
