// Frame buffer, cached alias and scan waiting of the LCD controller drivers.
#include "shell/hal/LcdDriver.h"

#include <cstring>
#include <thread>

#include "platform/api/kernel.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

// The cached and uncached views of the same memory differ in this address bit.
constexpr uintptr_t kUncachedBit = uintptr_t{1} << 29;
// This device's frame buffer is statically mapped here and scans across the screen.
constexpr uintptr_t kIpaqFrameBuffer = 0xAC050020;
constexpr int32_t kIpaqOrientation = 3;
// Rows from the bottom between which the scan must be before copying.
constexpr int32_t kScanWindowFar = 34;
constexpr int32_t kScanWindowNear = 20;
// A controller that never reaches the window must not hold the program: give up after this long.
constexpr uint32_t kWaitLimitMs = 50;

}  // namespace

bool LcdDriver::initialize(HWND, DisplayParams&, DetectionRecord& detection) {
  log("%s: Initialize()", name_);
  try {
    if (!probePanel(panel_)) return false;
  } catch (const platform::StructuredException&) {
    log("%s: *** CAUGHT EXCEPTION ***", name_);
    return false;
  }
  log("%s: detecting framebuffer", name_);
  const size_t bytes = static_cast<size_t>(panel_.stride) * static_cast<size_t>(panel_.height);
  uint8_t* frameBuffer = detection.mode.frameBuffer;
  // The panel turned as the earlier detection found it; the controller itself does not say.
  int32_t orientation =
      detection.mode.orientation >= 0 && detection.mode.orientation < kAnyOrientation ? detection.mode.orientation : 0;
  if (oemCode() == kOemIpaqH3800) {
    frameBuffer = reinterpret_cast<uint8_t*>(kIpaqFrameBuffer);
    orientation = kIpaqOrientation;
  }
  // A fixed address that this device does not map would fault at the first frame: refuse it now.
  if (frameBuffer == nullptr || IsBadReadPtr(frameBuffer, bytes)) return false;
  const auto address = reinterpret_cast<uintptr_t>(frameBuffer);
  if ((address & kUncachedBit) != 0) {
    auto* cached = reinterpret_cast<uint8_t*>(address & ~kUncachedBit);
    if (!IsBadReadPtr(cached, bytes) && std::memcmp(cached, frameBuffer, bytes) == 0) frameBuffer = cached;
  }
  log("%s: found framebuffer", name_);
  mode_.width = panel_.width;
  mode_.height = panel_.height;
  mode_.bitsPerPixel = panel_.bitsPerPixel;
  mode_.pitch = panel_.stride;
  mode_.orientation = orientation;
  mode_.swapKind = kSwapNone;
  mode_.frameBuffer = frameBuffer;
  surface_.width = panel_.width;
  surface_.height = panel_.height;
  surface_.pitch = panel_.stride;
  surface_.pixels = frameBuffer;
  surface_.ownsPixels = false;
  return true;
}

void LcdDriver::wait() {
  std::this_thread::yield();
  const uint32_t start = timerMs();
  while (!scanBetween(panel_.height - kScanWindowFar, panel_.height - kScanWindowNear)) {
    if (timerMs() - start > kWaitLimitMs) return;
  }
}

}  // namespace ScreenHAL
