// The loop waits for input while the game library has nothing to do before its next step: the idle time
// it reports, and a scripted run through the real game whose frames are the same as when the loop polled
// on every pass, made in a fraction of the passes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/GameList.h"
#include "gamelib/GameLibFixture.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/clock.h"
#include "platform/seam/script.h"
#include "shell/CGameEngine.h"
#include "shell/hal/VideoDetect.h"
#include "support/TempFolder.h"

namespace {

using gamelib::GameLib;

class IdleTimeTest : public gltest::GameLibFixture {};

TEST_F(IdleTimeTest, IsTheTimeUntilTheNextStepOrNoneWhileThereIsWork) {
  GameLib::resolutionSupported = true;
  GameLib::lastStepTime = 1000;  // the next step is due at 1030
  struct Case {
    uint64_t clock;
    int32_t pendingSwitch;
    int32_t idle;
  } cases[] = {
      {1000, -1, 30}, {1010, -1, 20}, {1029, -1, 1}, {1030, -1, 0}, {1200, -1, 0},  // late: the step runs at once
      {2000, -1, 0},  // too late: the clock starts again at once
      {1010, 0, 0},   // the switch to the main menu is made on the next call
      {990, -1, 30},  // a clock behind the last step waits no longer than a step
  };
  for (const Case& c : cases) {
    platform::setManualClock(c.clock);
    GameLib::pendingSwitch = c.pendingSwitch;
    EXPECT_EQ(app->idleTime(), c.idle) << c.clock;
  }
  GameLib::pendingSwitch = -1;
  GameLib::resolutionSupported = false;  // that frame is drawn on every call
  platform::setManualClock(1010);
  EXPECT_EQ(app->idleTime(), 0);
}

// The game library, counting its frame calls: one per pass of the loop. Made to poll, it reports no idle
// time, so the loop never waits, as before it could.
class CountingGameLib : public GameLib {
 public:
  CountingGameLib() : GameLib(glimmerhut::kMenuList) {}
  void tick() override {
    ++calls;
    GameLib::tick();
  }
  int32_t idleTime() override { return polls ? 0 : GameLib::idleTime(); }
  static inline bool polls = false;
  static inline int calls = 0;
};

nuv::microedition::midlet::DMIDletPtr makeCountingGameLib() { return new CountingGameLib(); }

// Through the start (its logo waits), the language and sound questions, the main menu, the brick game's
// loading screen and menu, and into play: keys held and tapped, several at the same moment, the pen, a
// pause and its end, the window losing the foreground and getting it back. A frame every 250 ms.
std::string script(int step) {
  std::string s = "step " + std::to_string(step) + "\n";
  s += "1700 key down Enter\n1720 key up Enter\n"
       "2000 key down Up\n2020 key up Up\n2300 key down Enter\n2320 key up Enter\n"
       "4500 key down Right\n4520 key up Right\n4800 key down Left\n4800 key up Left\n"
       "5000 key down Enter\n5020 key up Enter\n"
       "9500 key down Enter\n9550 key up Enter\n"
       "12100 key down Up\n12150 key up Up\n"
       "12300 key down Left\n12300 key down Up\n12301 key up Up\n12700 key up Left\n"
       "13000 pen down 200 300\n13005 pen move 150 300\n13400 pen up 150 300\n"
       "14100 key down Up\n14150 key up Up\n14300 key down Right\n14900 key up Right\n"
       "15000 key down F1\n15050 key up F1\n15600 key down Enter\n15650 key up Enter\n"
       "16500 deactivate\n17000 activate\n"
       "18000 key down Enter\n18050 key up Enter\n"
       "19100 key down Up\n19150 key up Up\n";
  for (int t = 500; t < 21000; t += 250) s += std::to_string(t) + " capture f" + std::to_string(t) + ".png\n";
  return s + "21000 close\n";
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class LoopWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("GLIMMERHUT_AUDIO", "null", 0);  // the start plays sound: never on a real device here
    CGameEngine::setMIDletFactory(makeCountingGameLib);
  }
  void TearDown() override {
    CGameEngine::setMIDletFactory(nullptr);
    CountingGameLib::polls = false;
    platform::stopScript();
    platform::useRealClock();
    platform::setProgramFile("");
    platform::setDataFolder("");
    gltest::resetGameLibGlobals();
  }
  // Runs the application in a process of its own, as the program runs, so that nothing of one run is
  // left for the next; the frame calls made, or -1 when the run failed.
  int runApart(const std::string& text, const test::TempFolder& folder, bool polls) {
    const pid_t child = fork();
    if (child == 0) {
      const int calls = run(text, folder, polls);
      std::ofstream(folder.file("calls.txt")) << calls;
      std::_Exit(calls > 0 ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    int calls = -1;
    std::ifstream(folder.file("calls.txt")) >> calls;
    return calls;
  }
  // Runs the application on the script in a folder of its own, where its frames land; the frame calls made.
  int run(const std::string& text, const test::TempFolder& folder, bool polls) {
    gltest::resetGameLibGlobals();
    std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
    platform::setProgramFile(folder.file("glimmerhut"));
    platform::setDataFolder(folder.path());
    platform::setHeadless(true);
    platform::Device device;
    platform::findDeviceProfile("pocketpc", device);
    platform::setDevice(device);
    platform::deviceScreen().resize(device.screenWidth, device.screenHeight);
    ScreenHAL::VideoDetect::forget();
    platform::Script parsed;
    std::string error;
    EXPECT_TRUE(platform::parseScript(text, parsed, error)) << error;
    platform::startScript(std::move(parsed), folder.path());
    CountingGameLib::polls = polls;
    CountingGameLib::calls = 0;
    auto engine = std::make_unique<CGameEngine>();
    EXPECT_TRUE(engine->Run(nullptr, device.screenWidth, device.screenHeight));
    engine.reset();
    platform::stopScript();
    return CountingGameLib::calls;
  }
};

TEST_F(LoopWaitTest, AScriptedRunShowsTheSameFramesAsWhenTheLoopPolled) {
  for (int step : {1, 7}) {
    SCOPED_TRACE("step " + std::to_string(step));
    test::TempFolder polling, waiting;
    const int polled = runApart(script(step), polling, true);
    const int waited = runApart(script(step), waiting, false);
    ASSERT_GT(waited, 0);
    EXPECT_LT(waited * 3, polled);  // about one pass a step, where polling made one a poll

    int frames = 0, changes = 0;
    std::string previous;
    for (int t = 500; t < 21000; t += 250) {
      const std::string name = "/f" + std::to_string(t) + ".png";
      const std::string before = fileBytes(polling.path() + name);
      ASSERT_FALSE(before.empty()) << name;
      EXPECT_TRUE(fileBytes(waiting.path() + name) == before) << name;
      ++frames;
      changes += before != previous ? 1 : 0;
      previous = before;
    }
    EXPECT_EQ(frames, 82);
    EXPECT_GT(changes, 40);  // the run moves on: menus, loading and play
  }
}

}  // namespace
