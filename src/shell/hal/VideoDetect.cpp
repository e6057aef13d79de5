// Video detection: one table of the drivers in the order detection tries them, which drivers the device
// offers (the display tries them from the last), and the mode list.
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

// How a row's finding shapes the rest of the detection.
enum class Group {
  Screen,       // the platform's drawing calls: always tried, and the rest only on a 16-bit screen
  RawScreen,    // a raw frame buffer serving the whole screen: when found, nothing else is looked for
  FrameBuffer,  // a frame-buffer access: the first found counts
  Hardware,     // the processor's LCD controller or a graphics chip: the first found counts
};

// What the rows' detections share: whether "gx.dll" could be loaded at all.
struct Probe {
  bool gameApiLoaded = false;
};

struct DriverRow {
  int32_t code;
  const char* name;
  Group group;
  bool (*detect)(DetectionRecord& detection, Probe& probe);
  VideoDriver* (*create)();
};

template <class Driver>
VideoDriver* make() {
  return new Driver;
}

template <class Driver>
bool detectPlain(DetectionRecord& detection, Probe&) {
  return Driver::detect(detection);
}

bool detectGameApi(DetectionRecord& detection, Probe& probe) {
  return GameApiDriver::detect(detection, probe.gameApiLoaded);
}

// The escape is the way in only where the Game API library is missing altogether.
bool detectDirect(DetectionRecord& detection, Probe& probe) {
  return !probe.gameApiLoaded && DirectDriver::detect(detection);
}

template <class Driver, int32_t kProcessor>
bool detectOnProcessor(DetectionRecord& detection, Probe&) {
  return processorType() == kProcessor && Driver::detect(detection);
}

// Every driver, in the order detection tries them; the display tries the found ones from the last.
constexpr DriverRow kDrivers[] = {
    {kGdiDriver, "GDI", Group::Screen, detectPlain<GDIDriver>, make<GDIDriver>},
    {kVgaDriver, "VGA", Group::RawScreen, detectPlain<VgaDriver>, make<VgaDriver>},
    {kGameApiDriver, "Game API", Group::FrameBuffer, detectGameApi, make<GameApiDriver>},
    {kDirectDriver, "direct", Group::FrameBuffer, detectDirect, make<DirectDriver>},
    {kStrongArmDriver, "StrongARM", Group::Hardware, detectOnProcessor<StrongArmDriver, kStrongArmProcessor>,
     make<StrongArmDriver>},
    {kXScaleDriver, "XScale", Group::Hardware, detectOnProcessor<XScaleDriver, kXScaleProcessor>, make<XScaleDriver>},
    {kImageonDriver, "Imageon", Group::Hardware, detectPlain<ImageonDriver>, make<ImageonDriver>},
    {kSlowFrameBufferDriver, "slow frame buffer", Group::Hardware, detectPlain<SlowFrameBufferDriver>,
     make<SlowFrameBufferDriver>},
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

// Walks the rows past the drawing calls; returns once a finding leaves nothing more to look for.
void detectPastTheDrawingCalls(DetectionRecord& detection) {
  logOsVersion();
  Probe probe;
  bool frameBufferFound = false;
  bool hardwareFound = false;
  for (const DriverRow& row : kDrivers) {
    if (row.group == Group::Screen) continue;
    if (row.group == Group::Hardware) {
      // A frame buffer that is already a copy in system memory leaves nothing for the hardware to speed up.
      if (hardwareFound || (frameBufferFound && detection.mode.swapKind == kSwapCopy)) return;
    }
    if (row.group == Group::FrameBuffer && frameBufferFound) continue;
    if (!row.detect(detection, probe)) continue;
    addDriver(detection, row.code);
    switch (row.group) {
      case Group::RawScreen:
        return;
      case Group::FrameBuffer:
        frameBufferFound = true;
        break;
      default:
        hardwareFound = true;
        break;
    }
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

void VideoDetect::forget() {
  record.reset();
  forgetDeviceProbe();
}

void VideoDetect::DetectDrivers(DetectionRecord& detection) {
  log("VideoDetect::DetectDrivers()");
  for (const DriverRow& row : kDrivers) {
    Probe probe;
    if (row.group == Group::Screen && row.detect(detection, probe)) addDriver(detection, row.code);
  }
  oemCode();
  if (detection.driverCount > 0 && detection.mode.bitsPerPixel == kDirectBits) detectPastTheDrawingCalls(detection);
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
  for (const DriverRow& row : kDrivers) {
    if (row.code == code) return row.create();
  }
  return nullptr;
}

}  // namespace ScreenHAL
