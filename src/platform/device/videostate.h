// Inside the emulated video hardware: the state that the libraries' entries, the escapes and the
// refresh share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/device/device.h"

namespace platform::video {

struct State {
  bool exists = false;  // the device has video memory past the drawing calls
  VideoHardware config;
  int screenWidth = 0;  // the screen as held
  int screenHeight = 0;
  // Video memory in the panel's scan order.
  int width = 0;
  int height = 0;
  int pitch = 0;
  int orientation = 0;
  uint8_t* cached = nullptr;    // first pixel through the cached alias
  uint8_t* uncached = nullptr;  // the same pixel through the uncached alias
  uint64_t physical = 0;        // physical address of the first pixel
  bool dma = false;             // "gxdma.dll": GETGXINFO reports the system-memory copy
  // System-memory copy of the frame buffer for the Game API's DRAM mode and for DMA, laid out the same.
  std::vector<uint8_t> dram;
  // Game API.
  bool displayOpen = false;
  bool suspended = false;
  int viewportTop = 0;
  int viewportRows = 0;  // 0: every row
  // Imageon chip: one surface and the overlay that shows it.
  bool attached = false;
  bool surfaceAllocated = false;
  bool overlayOn = false;
  int overlayX = 0;
  int overlayY = 0;
  int surfaceWidth = 0;
  int surfaceHeight = 0;
  int surfacePitch = 0;
  std::vector<uint8_t> surface;

  uint8_t* at(uint8_t* base, int x, int y) const { return base + static_cast<std::ptrdiff_t>(y) * pitch + x * 2; }
  // Byte offset of the held screen's top-left pixel, and the steps to its neighbours.
  int64_t originOffset() const;
  int xStep() const;
  int yStep() const;
};

// The hardware of the device in force, rebuilt when the device changes. Main thread only.
State& state();

}  // namespace platform::video
