// A block of RGB565 pixels: what images, canvases and the display's back buffer draw into.
#pragma once

#include <cstdint>

namespace ScreenHAL {

struct Surface {
  virtual ~Surface();

  // A new surface with its own zeroed pixels, every row starting on a 4-byte boundary; null when the
  // size is negative or memory runs out.
  static Surface* create(int32_t width, int32_t height);
  // Pitch of a surface made by create.
  static constexpr int32_t pitchFor(int32_t width) { return (width * 2 + 3) & ~3; }

  uint16_t* row(int32_t y) const { return reinterpret_cast<uint16_t*>(pixels + static_cast<intptr_t>(y) * pitch); }
  uint16_t* at(int32_t x, int32_t y) const { return row(y) + x; }

  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // bytes from one row to the next
  uint8_t* pixels = nullptr;
  bool ownsPixels = false;
};

}  // namespace ScreenHAL
