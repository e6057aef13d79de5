// What the game benchmarks share: where game.dat is, and the emulated screen's size.
#pragma once

#include <filesystem>
#include <string>

#include "platform/device.h"
#include "platform/screen.h"

namespace benchsetup {

// game.dat is built beside the bench folder.
inline std::string gameDatFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().string();
}

// A Pocket PC with a screen of this size.
inline void useScreen(int width, int height) {
  platform::Device device;
  platform::findDeviceProfile("pocketpc", device);
  device.screenWidth = width;
  device.screenHeight = height;
  platform::setDevice(device);
  platform::deviceScreen().resize(width, height);
}

}  // namespace benchsetup
