// Video detection: the drivers in the order detection tries them, and the mode list.
#include "shell/hal/VideoDetect.h"

#include <memory>

#include "platform/version.h"
#include "shell/hal/GDIDriver.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

// A side that is a multiple of this lets every quarter turn of the mode be offered.
constexpr int32_t kTurnableSide = 16;
constexpr int32_t kDetectedBitsForHardware = 16;

struct DriverEntry {
  int32_t code;
  bool (*detect)(DetectionRecord&);
  VideoDriver* (*create)();
};

// Detection order. The frame-buffer drivers of the handheld (Game API, direct, VGA, the LCD
// controllers and graphics chips) join this table as they are built.
constexpr DriverEntry kDrivers[] = {
    {kGdiDriver, GDIDriver::detect, []() -> VideoDriver* { return new GDIDriver; }},
};

std::unique_ptr<DetectionRecord> record;  // main thread only

void addDriver(DetectionRecord& detection, int32_t code) {
  if (detection.driverCount < DetectionRecord::kMaxDrivers) detection.drivers[detection.driverCount++] = code;
}

void logOsVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExW(&version)) {
    log("VideoDetect: OS Version is %d.%d", static_cast<int>(version.dwMajorVersion),
        static_cast<int>(version.dwMinorVersion));
  } else {
    log("VideoDetect: Couldn't retrieve OS version info");
  }
}

}  // namespace

DetectionRecord& VideoDetect::detection(HWND window) {
  if (!record) {
    record = std::make_unique<DetectionRecord>();
    record->window = window;
    DetectDrivers(*record);
  }
  return *record;
}

void VideoDetect::forget() { record.reset(); }

void VideoDetect::DetectDrivers(DetectionRecord& detection) {
  log("VideoDetect::DetectDrivers()");
  for (const DriverEntry& entry : kDrivers) {
    if (entry.detect(detection)) addDriver(detection, entry.code);
    // Only a 16-bit screen can be reached past the platform's drawing calls.
    if (entry.code == kGdiDriver && detection.driverCount > 0 &&
        detection.mode.bitsPerPixel == kDetectedBitsForHardware) {
      logOsVersion();
    }
  }
  if (detection.mode.orientation == kAnyOrientation) detection.mode.orientation = 0;
  buildModeList(detection);
}

void VideoDetect::buildModeList(DetectionRecord& detection) {
  ModeEntry mode{detection.mode.width, detection.mode.height, detection.mode.orientation};
  detection.modeCount = 0;
  detection.modes[detection.modeCount++] = mode;
  if (mode.width % kTurnableSide == 0 && mode.height % kTurnableSide == 0) {
    for (int turn = 0; turn < 3; ++turn) {
      mode = ModeEntry{mode.height, mode.width, (mode.orientation + 1) % 4};
      detection.modes[detection.modeCount++] = mode;
    }
  } else if (mode.orientation != 0) {
    const bool across = mode.orientation != 2;
    detection.modes[detection.modeCount++] =
        ModeEntry{across ? mode.height : mode.width, across ? mode.width : mode.height, 0};
  }
}

VideoDriver* VideoDetect::CreateDriver(int32_t code) {
  for (const DriverEntry& entry : kDrivers) {
    if (entry.code == code) return entry.create();
  }
  return nullptr;
}

}  // namespace ScreenHAL
