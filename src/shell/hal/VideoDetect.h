// Finds the video drivers the device offers and the display modes they can show.
#pragma once

#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class VideoDetect {
 public:
  VideoDetect() = delete;

  // The detection of this program, run on first use and kept until the program ends.
  static DetectionRecord& detection(HWND window);
  // Fills the driver list in the order found, then the mode list.
  static void DetectDrivers(DetectionRecord& detection);
  // The detected mode first; then quarter turns of it, or its upright form.
  static void buildModeList(DetectionRecord& detection);
  // A new driver of that code, or null for a code without a driver here.
  static VideoDriver* CreateDriver(int32_t code);
  // Makes the next detection(...) run detection again (tests change the device).
  static void forget();
};

}  // namespace ScreenHAL
