// The whole engine run on a scripted, stepped clock: splash, loop while active and inactive, the ways a run
// ends, the single-instance rule, and pixel doubling on the screen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"
#include "core/rms/DRecordStore.h"
#include "platform/api/registry.h"
#include "platform/api/resources.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/capture.h"
#include "platform/seam/script.h"
#include "shell/CGameEngine.h"
#include "shell/ExitStatus.h"
#include "shell/WinMain.h"
#include "shell/engine/TestMIDlet.h"
#include "shell/hal/Log.h"
#include "support/TempFolder.h"

namespace {

using Log = std::vector<std::string>;

// The MIDlet the engine makes; the factory hands out this one so the test can look at it afterwards.
nuv::lang::DPtr<test::TestMIDlet> made;

nuv::microedition::midlet::DMIDletPtr makeTestMIDlet() { return made; }

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("GLIMMERHUT_AUDIO", "null", 0);  // the engine starts the sound: never on a real device here
    platform::setHeadless(true);
    platform::setProgramFile(folder_.file("glimmerhut"));
    platform::setDataFolder(folder_.path());
    platform::setLogFolder(folder_.path());
    made = new test::TestMIDlet();
    CGameEngine::setMIDletFactory(makeTestMIDlet);
  }
  void TearDown() override {
    CGameEngine::setMIDletFactory(nullptr);
    made = nullptr;
    platform::stopScript();
    platform::useRealClock();
    platform::setProgramFile("");
    platform::setDataFolder("");
    platform::setLogFolder("");
    platform::Device pocketPc;
    platform::findDeviceProfile("pocketpc", pocketPc);
    platform::setDevice(pocketPc);
  }
  void play(const char* script) {
    platform::Script parsed;
    std::string error;
    ASSERT_TRUE(platform::parseScript(script, parsed, error)) << error;
    platform::startScript(std::move(parsed), folder_.path());
  }
  bool run(int32_t width = 240, int32_t height = 320) {
    auto engine = std::make_unique<CGameEngine>();
    return engine->Run(nullptr, width, height);
  }

  test::TempFolder folder_;
};

TEST_F(RunTest, TicksOnlyWhileActiveAndShutsDownInOrder) {
  play("5 deactivate\n50 activate\n80 close\n");
  EXPECT_TRUE(run());
  // Pass 1 (clock 1) only ends the splash; while inactive the loop waits and the clock jumps to the next event.
  std::vector<uint64_t> expected = {2, 3, 4};
  for (uint64_t t = 50; t <= 80; ++t) expected.push_back(t);
  EXPECT_EQ(made->tickTimes, expected);
  EXPECT_EQ(made->log, (Log{"startApp", "showNotify", "pauseApp", "showNotify", "destroyApp true"}));
  // The window and its class are gone: a new start finds nothing.
  EXPECT_EQ(FindWindowW(u"GameEngine", u"GlimmerHut"), nullptr);
  EXPECT_EQ(nuv::microedition::midlet::DMIDlet::current(), nullptr);
}

TEST_F(RunTest, WhileTheMIDletIsIdleTheLoopWaitsForInputOrItsNextWork) {
  play("45 key down A\n45 key up A\n100 close\n");
  // Work every 20 ms of the clock.
  made->onIdle = [](test::TestMIDlet&) { return static_cast<int32_t>(20 - platform::tickCount64() % 20); };
  EXPECT_TRUE(run());
  // Pass 1 (clock 1) ends the splash; from then on the passes come when the work is due and when input
  // comes, one message a pass.
  EXPECT_EQ(made->tickTimes, (std::vector<uint64_t>{20, 40, 45, 46, 60, 80, 100}));
  EXPECT_EQ(made->log, (Log{"startApp", "showNotify", "keyPressed 65", "keyReleased 65", "destroyApp true"}));
}

TEST_F(RunTest, NotifyDestroyedEndsTheLoopAfterThatFrame) {
  play("1000 close\n");
  made->onTick = [](test::TestMIDlet& m) {
    if (m.tickTimes.size() == 3) m.notifyDestroyed();
  };
  EXPECT_TRUE(run());
  EXPECT_EQ(made->tickTimes.size(), 3u);
  EXPECT_EQ(made->log.back(), "destroyApp true");
}

TEST_F(RunTest, OkCommandClosesLikeACloseRequest) {
  play("1000 close\n");
  made->onTick = [](test::TestMIDlet&) { PostMessageW(CGameEngine::instance()->window, WM_COMMAND, IDOK, 0); };
  EXPECT_TRUE(run());
  EXPECT_EQ(made->tickTimes, (std::vector<uint64_t>{2, 3}));  // the close is taken on the next pass
  EXPECT_EQ(made->log.back(), "destroyApp true");
}

TEST_F(RunTest, FailedStartEndsWithoutALoop) {
  play("1000 close\n");
  made->onStart = [](test::TestMIDlet&) { nuv::lang::throwException(nuv::lang::ExceptionCode::IOException); };
  testing::internal::CaptureStderr();
  EXPECT_FALSE(run());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error! StartApp - unhadled exception 0x6000000!\nIOException"),
            std::string::npos);
  EXPECT_TRUE(made->tickTimes.empty());
  EXPECT_EQ(made->log, (Log{"startApp", "destroyApp true"}));
  EXPECT_EQ(FindWindowW(u"GameEngine", u"GlimmerHut"), nullptr);
}

TEST_F(RunTest, AnExceptionOutOfTheRunIsShownAndTheEngineReleased) {
  play("1000 close\n");
  made->onTick = [](test::TestMIDlet&) { nuv::lang::throwException(nuv::lang::ExceptionCode::IOException); };
  testing::internal::CaptureStderr();
  runGameEngine(nullptr, 240, 320);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Run - unhadled exception 0x6000000!"), std::string::npos);
  // No engine is left behind: the next one may start.
  EXPECT_EQ(CGameEngine::instance(), nullptr);
}

// Only the player's own end is a success; each kind of failure has its status.
TEST_F(RunTest, TheExitStatusTellsAFailureFromThePlayersOwnEnd) {
  using Hook = std::function<void(test::TestMIDlet&)>;
  const Hook none;
  const Hook throwIO = [](test::TestMIDlet&) { nuv::lang::throwException(nuv::lang::ExceptionCode::IOException); };
  struct Case {
    const char* what;
    Hook onStart, onTick;
    int32_t status;
  };
  const Case cases[] = {
      {"a close request", none, none, shell::kEndedByPlayer},
      {"the application's own end", none, [](test::TestMIDlet& m) { m.notifyDestroyed(); }, shell::kEndedByPlayer},
      {"a start that fails", [](test::TestMIDlet& m) { m.notifyFailed(shell::kFailed); }, none, shell::kFailed},
      {"a screen size it cannot show", none, [](test::TestMIDlet& m) { m.notifyFailed(shell::kScreenNotSupported); },
       shell::kScreenNotSupported},
      {"a close request after a failure is known",
       [](test::TestMIDlet& m) { m.recordFailure(shell::kScreenNotSupported); }, none, shell::kScreenNotSupported},
      {"an exception out of its start", throwIO, none, shell::kUnhandledFailure},
      {"an exception out of the run", none, throwIO, shell::kUnhandledFailure},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    made = new test::TestMIDlet();
    made->onStart = c.onStart;
    made->onTick = c.onTick;
    play("1000 close\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(runGameEngine(nullptr, 240, 320), c.status);
    testing::internal::GetCapturedStderr();
    platform::stopScript();
  }
}

TEST_F(RunTest, RecordStoresLiveUnderTheRunningApplicationsName) {
  play("1000 close\n");
  made->appName = u"RunTestApp";
  made->onTick = [](test::TestMIDlet& m) {
    using nuv::microedition::rms::DRecordStore;
    nuv::microedition::rms::DRecordStorePtr store = DRecordStore::openRecordStore(u"scores", true);
    store->closeRecordStore();
    m.notifyDestroyed();
  };
  EXPECT_TRUE(run());
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\RunTestApp\\scores", 0, 0, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RunTest, DeviceProbesChooseTheKeyTranslation) {
  struct Case {
    const char16_t* platformType;
    const char16_t* oem;
    bool smartphone;
    bool specialKeys;
  } cases[] = {
      {u"PocketPC", u"GlimmerHut Pocket PC", false, false},
      {u"SmartPhone", u"GlimmerHut Smartphone", true, false},
      {u"Smartphone", u"Acme KOVS100 rev 2", false, true},  // the platform text must match exactly
  };
  for (const Case& c : cases) {
    platform::Device device;
    platform::findDeviceProfile("pocketpc", device);
    device.platformType = c.platformType;
    device.oemInfo = c.oem;
    platform::setDevice(device);
    made = new test::TestMIDlet();
    bool smartphone = !c.smartphone, specialKeys = !c.specialKeys;
    made->onStart = [&](test::TestMIDlet&) {
      smartphone = CGameEngine::instance()->smartphone;
      specialKeys = CGameEngine::instance()->specialKeysDevice;
    };
    play("3 close\n");
    EXPECT_TRUE(run());
    EXPECT_EQ(smartphone, c.smartphone);
    EXPECT_EQ(specialKeys, c.specialKeys);
  }
}

TEST_F(RunTest, LogFilesAreMadeOnlyWhenAskedFor) {
  play("3 close\n");
  EXPECT_TRUE(run());
  EXPECT_FALSE(std::filesystem::exists(folder_.file("doutput.txt")));

  std::ofstream(folder_.file("uselog.txt")).put('\n');
  made = new test::TestMIDlet();
  play("3 close\n");
  EXPECT_TRUE(run());
  EXPECT_TRUE(std::filesystem::exists(folder_.file("doutput.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder_.file("derror.txt")));
  EXPECT_EQ(nuv::lang::DSystem::out, nullptr);  // released by the shutdown
}

// The switch and the logs live in the log folder, never beside the program (installed, that folder is not
// the user's).
TEST_F(RunTest, LogsGoToTheLogFolderNotBesideTheProgram) {
  test::TempFolder logs;
  platform::setLogFolder(logs.path());
  std::ofstream(logs.file("uselog.txt")).put('\n');
  std::ofstream(folder_.file("uselog.txt")).put('\n');
  play("3 close\n");
  EXPECT_TRUE(run());
  for (const char* name : {"doutput.txt", "derror.txt", "Log_SHAL.txt"}) {
    EXPECT_TRUE(std::filesystem::exists(logs.file(name))) << name;
    EXPECT_FALSE(std::filesystem::exists(folder_.file(name))) << name;
  }
}

// The switch counts beside the program, where the handheld has it, as well as in the log folder; the logs it
// turns on go to the log folder either way.
TEST_F(RunTest, TheSwitchBesideTheProgramOrInTheLogFolderTurnsTheLogsOn) {
  test::TempFolder logs;
  platform::setLogFolder(logs.path());
  for (const std::string& switchFolder : {logs.path(), folder_.path()}) {
    SCOPED_TRACE(switchFolder);
    std::ofstream(switchFolder + "/uselog.txt").put('\n');
    made = new test::TestMIDlet();
    play("3 close\n");
    EXPECT_TRUE(run());
    EXPECT_TRUE(std::filesystem::exists(logs.file("doutput.txt")));
    EXPECT_FALSE(std::filesystem::exists(folder_.file("doutput.txt")));
    std::filesystem::remove(switchFolder + "/uselog.txt");
    std::filesystem::remove(logs.file("doutput.txt"));
    platform::stopScript();
  }
}

// Nothing among the logs that is not a file is opened or waited on: a switch that is none turns nothing on, a
// log that is none is lost; either is said once and the start goes on.
TEST_F(RunTest, WhatIsNoFileAmongTheLogsIsSaidAndTheStartGoesOn) {
  const auto fifo = [this](const char* name) { ASSERT_EQ(mkfifo(folder_.file(name).c_str(), 0644), 0); };
  const auto file = [this](const char* name) { std::ofstream(folder_.file(name)).put('\n'); };
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string said;  // "{}" stands for the folder
    std::vector<const char*> made;
  };
  const Case cases[] = {
      {"a FIFO for the switch",
       [&] { fifo("uselog.txt"); },
       "GlimmerHut: {}/uselog.txt is not a file; it turns no logs on\n",
       {}},
      {"a FIFO for the output log",
       [&] {
         file("uselog.txt");
         fifo("doutput.txt");
       },
       "GlimmerHut: the log {}/doutput.txt is not a file; its lines are lost\n",
       {"derror.txt"}},
      {"a folder for the error log",
       [&] {
         file("uselog.txt");
         std::filesystem::create_directory(folder_.file("derror.txt"));
       },
       "GlimmerHut: the log {}/derror.txt is not a file; its lines are lost\n",
       {"doutput.txt"}},
      {"a FIFO for the display layer's log",
       [&] { fifo("Log_SHAL.txt"); },
       "GlimmerHut: the log {}/Log_SHAL.txt is not a file; its lines are lost\n",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"uselog.txt", "doutput.txt", "derror.txt", "Log_SHAL.txt"})
      std::filesystem::remove_all(folder_.file(name));
    c.make();
    ScreenHAL::restartLog();
    made = new test::TestMIDlet();
    play("3 close\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(run());
    const std::string said = testing::internal::GetCapturedStderr();
    std::string wanted = c.said;
    wanted.replace(wanted.find("{}"), 2, folder_.path());
    EXPECT_NE(said.find(wanted), std::string::npos) << said;
    EXPECT_EQ(said.find(wanted), said.rfind(wanted)) << said;
    for (const char* name : c.made) EXPECT_TRUE(std::filesystem::is_regular_file(folder_.file(name))) << name;
    platform::stopScript();
  }
}

// A log asked for that cannot be made at all stops the start, as it always has, and now says why.
TEST_F(RunTest, ALogThatCannotBeMadeStopsTheStartAndSaysWhy) {
  std::ofstream(folder_.file("uselog.txt")).put('\n');
  std::filesystem::create_symlink(folder_.file("missing/doutput.txt"), folder_.file("doutput.txt"));
  play("3 close\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runGameEngine(nullptr, 240, 320), shell::kFailed);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("GlimmerHut: the start failed: the log " + folder_.file("doutput.txt") +
                      " cannot be made: its folder is missing\n"),
            std::string::npos)
      << said;
}

TEST_F(RunTest, SecondInstanceIsBroughtForwardAndTheNewOneEnds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"GameEngine";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND running =
      CreateWindowExW(0, u"GameEngine", u"GlimmerHut", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(running, nullptr);
  EXPECT_FALSE(run());
  EXPECT_TRUE(made->log.empty());  // the application never started
  DestroyWindow(running);
  UnregisterClassW(u"GameEngine", nullptr);
}

TEST_F(RunTest, SplashIsPaintedWhenTheWindowIsShownAndGoesWithTheFirstFrame) {
  // Pass 1 paints the splash as the desktop shows the window, and ends it; pass 2 captures, then draws.
  play("2 capture splash.png\n3 capture frame.png\n");
  made->onTick = [](test::TestMIDlet& m) { m.canvas->flushGraphics(); };
  EXPECT_TRUE(run());
  platform::Picture splash, frame;
  ASSERT_TRUE(platform::readPng(folder_.file("splash.png"), splash));
  ASSERT_TRUE(platform::readPng(folder_.file("frame.png"), frame));
  platform::Picture picture = platform::splashPicture();
  int left = (240 - picture.width) / 2, top = (320 - picture.height) / 2;
  EXPECT_EQ(splash.pixels[0], 0xFFFFFFu);  // the white background around it
  EXPECT_EQ(splash.pixels[static_cast<size_t>(top * 240 + left)], picture.pixels[0]);
  EXPECT_EQ(splash.pixels[static_cast<size_t>(top * 240 + left - 1)], 0xFFFFFFu);
  // The canvas's first frame covers it: a new back buffer is black.
  EXPECT_EQ(frame.pixels[static_cast<size_t>(top * 240 + left)], 0u);
  EXPECT_EQ(frame.pixels[0], 0u);
}

// A whole run on a 480 x 640 screen with a MIDlet that asks for pixel doubling; 0 when every check holds.
// The video detection is made once per process, so this runs in a process of its own.
int runDoubled(const std::string& folder) {
  platform::Device big;
  platform::findDeviceProfile("pocketpc", big);
  big.screenWidth = 480;
  big.screenHeight = 640;
  platform::setDevice(big);
  platform::deviceScreen().resize(480, 640);
  setenv("GLIMMERHUT_AUDIO", "null", 0);
  platform::setHeadless(true);
  platform::setProgramFile(folder + "/glimmerhut");
  platform::Script script;
  std::string error;
  platform::parseScript("10 close\n", script, error);
  platform::startScript(std::move(script), folder);
  made = new test::TestMIDlet();
  made->scale2x = true;
  int32_t canvasWidth = 0;
  made->onTick = [&](test::TestMIDlet& m) {
    canvasWidth = m.canvas->width;
    Raster::LockedPixels p = m.canvas->backBuffer->lock();
    reinterpret_cast<uint16_t*>(p.address)[0] = 0xF800;
    reinterpret_cast<uint16_t*>(p.address)[1] = 0x001F;
    m.canvas->flushGraphics();
  };
  CGameEngine::setMIDletFactory(makeTestMIDlet);
  auto engine = std::make_unique<CGameEngine>();
  if (!engine->Run(nullptr, 480, 640) || !engine->pixelDoubling || canvasWidth != 240) return 1;
  const uint32_t* px = platform::deviceScreen().pixels();
  for (int i : {0, 1, 480, 481}) {
    if (px[i] != 0xF80000u) return 2;
  }
  for (int i : {2, 3, 482, 483}) {
    if (px[i] != 0x0000F8u) return 3;
  }
  return 0;
}

TEST_F(RunTest, PixelDoublingShowsEveryCanvasPixelAsTwoByTwo) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The child ends by exit, which runs no destructor: it removes its own folder first.
  EXPECT_EXIT(
      {
        const int code = runDoubled(folder_.path());
        std::filesystem::remove_all(folder_.path());
        std::exit(code);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
