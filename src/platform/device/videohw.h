// The emulated handheld's video hardware: video memory laid out in the panel's scan order (with a
// cached and an uncached alias), the LCD controller's registers, a system-memory copy for the Game API
// and DMA, the Imageon chip's overlay, and the refresh that shows all of it on the device screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform {

// The frame buffer as the panel scans it; pixels is null when the device has no video memory.
struct FrameBufferView {
  uint8_t* pixels = nullptr;  // the uncached alias of the first pixel in memory
  int width = 0;              // in the panel's scan order
  int height = 0;
  int pitch = 0;
  int orientation = 0;  // quarter turns between the scan order and the screen as held
};
FrameBufferView videoFrameBuffer();

// What the panel shows goes onto the device screen (and to its presenters) when it changed since the
// last refresh; true when it did. The desktop window and frame capture call it.
bool refreshScreenFromVideo();

// Writes the device screen, with the panel's latest frame, as an 8-bit RGB PNG; false (with a line on
// stderr) when the file cannot be written.
bool captureScreen(const std::string& path);

namespace video {

// Maps physical pages into a reservation; false when the device has no such memory there.
bool mapPhysical(void* destination, uint64_t physical, size_t size);
// Whether the physical address lies in the LCD controller's register page.
bool isLcdPhysical(uint64_t physical);
// Nanoseconds the slow video bus has cost so far, as the high-resolution counter sees them.
uint64_t busStallNanoseconds();
DWORD mainIdRegister();

}  // namespace video

}  // namespace platform
