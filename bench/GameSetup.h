// What the game benchmarks share: the game library started headless on the built game.dat, at a screen
// size of the benchmark's choosing, on the manual clock.
#pragma once

#include <filesystem>
#include <string>

#include "app/GameList.h"
#include "gamelib/GameLib.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/clock.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/midlet/DMIDlet.h"

namespace benchsetup {

// A Pocket PC with a screen of this size.
inline void useScreen(int width, int height) {
  platform::Device device;
  platform::findDeviceProfile("pocketpc", device);
  device.screenWidth = width;
  device.screenHeight = height;
  platform::setDevice(device);
  platform::deviceScreen().resize(width, height);
}

// Headless, on the manual clock, with game.dat (built beside the bench folder) beside the program.
inline void useGameData(int width, int height) {
  platform::setHeadless(true);
  platform::setManualClock(0);
  const auto buildFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
  platform::setProgramFile((buildFolder / "glimmerhut").string());
  useScreen(width, height);
}

// The application started as far as its first screen, its waits passed on the manual clock; let go
// (and the screen set back to 240 x 320) at the end of the scope.
class StartedGameLib {
 public:
  StartedGameLib()
      : app(new gamelib::GameLib(glimmerhut::kMenuList)), display(new nuv::microedition::lcdui::DDisplay(nullptr)) {
    app->startApp();
    for (int call = 0; call < 100 && gamelib::GameLib::currentScreen.isNull() && app->running != 0; ++call) {
      platform::advanceManualClock(2000);
      app->tick();
    }
    started = !gamelib::GameLib::currentScreen.isNull();
  }
  StartedGameLib(const StartedGameLib&) = delete;
  StartedGameLib& operator=(const StartedGameLib&) = delete;
  ~StartedGameLib() {
    app->destroyApp(true);
    display = nullptr;
    app = nullptr;
    nuv::microedition::midlet::DMIDlet::releaseCurrent();
    gamelib::GameLib::languageIndex = -1;
  }

  static constexpr const char* kNotStarted = "the start did not reach a screen: is game.dat built?";

  gamelib::GameLibPtr app;
  nuv::microedition::lcdui::DDisplayPtr display;
  bool started = false;
};

}  // namespace benchsetup
