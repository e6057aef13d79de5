// The video driver family: one way each to reach the screen's pixels, behind one set of operations.
#pragma once

#include <cstdint>

#include "platform/api/window.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/hal/Surface.h"
#include "shell/raster/Rect.h"

namespace ScreenHAL {

// Driver codes in the order detection finds them.
enum DriverCode : int32_t {
  kGdiDriver = 1,
  kDirectDriver = 2,
  kGameApiDriver = 3,
  kStrongArmDriver = 4,
  kXScaleDriver = 5,
  kImageonDriver = 6,
  kSlowFrameBufferDriver = 7,
  kVgaDriver = 8,
};

// Swap kinds a driver offers.
inline constexpr int32_t kSwapNone = 0;    // the driver's surface is the screen itself
inline constexpr int32_t kSwapDouble = 1;  // the slow frame-buffer driver's own double buffering
inline constexpr int32_t kSwapCopy = 2;    // the surface is a copy put on the screen at present

inline constexpr int32_t kAnyOrientation = 4;

struct VideoMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  int32_t pitch = 0;
  int32_t orientation = kAnyOrientation;
  int32_t swapKind = kSwapNone;
  uint8_t* frameBuffer = nullptr;
};

struct ModeEntry {
  int32_t width = 0;
  int32_t height = 0;
  int32_t orientation = 0;
};

struct DetectionRecord {
  static constexpr int kMaxModes = 8;
  static constexpr int kMaxDrivers = 8;
  VideoMode mode;
  int32_t modeCount = 0;
  ModeEntry modes[kMaxModes];
  int32_t driverCount = 0;
  int32_t drivers[kMaxDrivers] = {};
  HWND window = nullptr;
};

// Present flags.
inline constexpr uint32_t kPresentWait = 1;  // wait for the hardware before copying
inline constexpr uint32_t kPresentAll = 2;   // copy everything

class VideoDriver {
 public:
  virtual void resume() {}
  virtual void suspend() {}
  virtual void repaint() {}
  virtual ~VideoDriver() = default;
  virtual bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) = 0;
  // Access to the pixels for one frame, or null.
  virtual Surface* lock() = 0;
  virtual void present(uint32_t flags) = 0;
  // The driver may record or widen the rectangle present will copy.
  virtual void adjustRect(Raster::Rect& /*dirty*/) {}
  virtual void wait() {}

  const VideoMode& mode() const { return mode_; }
  // The surface lock hands out, even outside a frame (its pitch fixes the display's copy).
  const Surface& surface() const { return surface_; }

 protected:
  VideoMode mode_;
  Surface surface_;  // wraps the driver's pixels; never owns them
};

}  // namespace ScreenHAL
