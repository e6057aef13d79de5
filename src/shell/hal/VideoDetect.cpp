// Video detection: which drivers the device offers, in the order found (the display tries them from
// the last), and the mode list.
#include "shell/hal/VideoDetect.h"

#include <memory>

#include "platform/api/version.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/DirectDriver.h"
#include "shell/hal/GDIDriver.h"
#include "shell/hal/GameApiDriver.h"
#include "shell/hal/ImageonDriver.h"
#include "shell/hal/Log.h"
#include "shell/hal/SlowFrameBufferDriver.h"
#include "shell/hal/StrongArmDriver.h"
#include "shell/hal/VgaDriver.h"
#include "shell/hal/XScaleDriver.h"

namespace ScreenHAL {

namespace {

// A side that is a multiple of this lets every quarter turn of the mode be offered.
constexpr int32_t kTurnableSide = 16;
// Only a 16-bit screen can be reached past the platform's drawing calls.
constexpr int32_t kDirectBits = 16;

struct DriverEntry {
  int32_t code;
  VideoDriver* (*create)();
};

template <class Driver>
VideoDriver* make() {
  return new Driver;
}

// Every driver by its code, in the order detection may find them.
constexpr DriverEntry kDrivers[] = {
    {kGdiDriver, make<GDIDriver>},
    {kDirectDriver, make<DirectDriver>},
    {kGameApiDriver, make<GameApiDriver>},
    {kStrongArmDriver, make<StrongArmDriver>},
    {kXScaleDriver, make<XScaleDriver>},
    {kImageonDriver, make<ImageonDriver>},
    {kSlowFrameBufferDriver, make<SlowFrameBufferDriver>},
    {kVgaDriver, make<VgaDriver>},
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

// The processor's own LCD controller or a graphics chip, each only while none was found.
void detectHardware(DetectionRecord& detection) {
  const int32_t processor = processorType();
  if (processor == kStrongArmProcessor && StrongArmDriver::detect(detection)) {
    addDriver(detection, kStrongArmDriver);
  } else if (processor == kXScaleProcessor && XScaleDriver::detect(detection)) {
    addDriver(detection, kXScaleDriver);
  } else if (ImageonDriver::detect(detection)) {
    addDriver(detection, kImageonDriver);
  } else if (SlowFrameBufferDriver::detect(detection)) {
    addDriver(detection, kSlowFrameBufferDriver);
  }
}

void detectFrameBuffers(DetectionRecord& detection) {
  logOsVersion();
  if (VgaDriver::detect(detection)) {
    addDriver(detection, kVgaDriver);
    return;
  }
  bool gameApiLoaded = false;
  bool found = false;
  if (GameApiDriver::detect(detection, gameApiLoaded)) {
    addDriver(detection, kGameApiDriver);
    found = true;
  } else if (!gameApiLoaded && DirectDriver::detect(detection)) {
    addDriver(detection, kDirectDriver);
    found = true;
  }
  // A frame buffer that is already a copy in system memory leaves nothing for the hardware to speed up.
  if (found && detection.mode.swapKind == kSwapCopy) return;
  detectHardware(detection);
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

void VideoDetect::forget() {
  record.reset();
  forgetDeviceProbe();
}

void VideoDetect::DetectDrivers(DetectionRecord& detection) {
  log("VideoDetect::DetectDrivers()");
  if (GDIDriver::detect(detection)) addDriver(detection, kGdiDriver);
  oemCode();
  if (detection.driverCount > 0 && detection.mode.bitsPerPixel == kDirectBits) detectFrameBuffers(detection);
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
