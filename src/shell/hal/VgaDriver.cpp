// The raw frame-buffer driver and its detection.
#include "shell/hal/VgaDriver.h"

#include "platform/api/gdi.h"
#include "platform/api/gx.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr int32_t kBitsPerPixel = 16;
// This device reports a frame buffer that does not match its screen's size.
constexpr int32_t kForcedWidth = 240;
constexpr int32_t kForcedHeight = 320;
constexpr int32_t kMotoQOrientation = 3;

unsigned long long bits(const void* address) {
  return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address));
}

struct RawFrame {
  VideoMode mode;
  int64_t offset = 0;
};

// Asks the display driver for its raw frame buffer; logs each step when asked to.
bool queryRawFrame(RawFrame& frame, bool logSteps) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const int escape = GETRAWFRAMEBUFFER;
  RawFrameBufferInfo info{};
  const bool supported =
      ExtEscape(screen, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<const char*>(&escape), 0, nullptr) > 0 &&
      ExtEscape(screen, GETRAWFRAMEBUFFER, 0, nullptr, sizeof info, reinterpret_cast<char*>(&info)) > 0;
  const int64_t screenPixels = static_cast<int64_t>(GetDeviceCaps(screen, HORZRES)) * GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  if (!supported) {
    if (logSteps) log("DriverVGA: GETRAWFRAMEBUFFER failed");
    return false;
  }
  if (logSteps) {
    log("DriverVGA: Raw info: W:%d, H:%d, X:%d, Y:%d, FB:%p", info.cxPixels, info.cyPixels, info.cxStride,
        info.cyStride, info.pFramePointer);
  }
  if (info.cxPixels == 0 || info.cyPixels == 0 || info.wFormat != FORMAT_565 || info.pFramePointer == nullptr)
    return false;
  int32_t width = info.cxPixels;
  int32_t height = info.cyPixels;
  if (oemCode() == kOemI760) {
    width = kForcedWidth;
    height = kForcedHeight;
  }
  const FrameLayout layout = layoutFromPitches(info.cxStride, info.cyStride, width, height);
  int32_t orientation = layout.orientation;
  if (oemCode() == kOemMotoQ) {
    orientation = kMotoQOrientation;
    if (logSteps) log("DriverVGA: Motorola Q detected, overriding orientation to ORIENTATION_ROTATE90CW");
  }
  if (logSteps) log("DriverVGA: Native orientation is %d", orientation);
  if (static_cast<int64_t>(width) * height != screenPixels) return false;
  if (logSteps) log("DriverVGA: Found W:%d, H:%d, D:%d", layout.width, layout.height, static_cast<int>(info.wBPP));
  // The offset follows the pitches as reported, which the override does not change.
  frame.offset = frameBufferOffset(layout.orientation, width, height, info.cxStride, info.cyStride);
  if (logSteps) log("DriverVGA: Offset is %d", static_cast<int>(frame.offset));
  uint8_t* frameBuffer = static_cast<uint8_t*>(info.pFramePointer) + frame.offset;
  if (logSteps) log("DriverVGA: Final framebuffer address = %08llx", bits(frameBuffer));
  frame.mode.width = layout.width;
  frame.mode.height = layout.height;
  frame.mode.bitsPerPixel = kBitsPerPixel;
  frame.mode.pitch = layout.pitch;
  frame.mode.orientation = orientation;
  frame.mode.swapKind = kSwapNone;
  frame.mode.frameBuffer = frameBuffer;
  return true;
}

}  // namespace

bool VgaDriver::detect(DetectionRecord& detection) {
  log("DriverVGA: Detect()");
  RawFrame frame;
  if (!queryRawFrame(frame, true)) return false;
  detection.mode = frame.mode;
  return true;
}

bool VgaDriver::initialize(HWND, DisplayParams&, DetectionRecord&) {
  log("DriverVGA: Initialize()");
  RawFrame frame;
  if (!queryRawFrame(frame, false)) return false;
  mode_ = frame.mode;
  surface_.width = mode_.width;
  surface_.height = mode_.height;
  surface_.pitch = mode_.pitch;
  surface_.pixels = mode_.frameBuffer;
  surface_.ownsPixels = false;
  return true;
}

Surface* VgaDriver::lock() { return surface_.pixels != nullptr ? &surface_ : nullptr; }

}  // namespace ScreenHAL
