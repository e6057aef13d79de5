// Copies of a back buffer into a frame buffer turned by quarter turns, in tiles of 16 x 16 pixels.
#pragma once

#include <cstdint>

#include "shell/hal/Surface.h"
#include "shell/raster/Rect.h"

namespace ScreenHAL {

inline constexpr int32_t kRotationTile = 16;

enum class TileOrder {
  Columns,     // tile columns of the frame buffer one after another: reads the back buffer in runs
  BehindScan,  // tile rows from the top, following the panel's scan after a wait
};

// Frame-buffer pixel (x, y) of rect shows back-buffer pixel (y, Hb - 1 - x) for delta 1,
// (Wb - 1 - x, Hb - 1 - y) for delta 2, (Wb - 1 - y, x) for delta 3, and (x, y) for delta 0.
// The rectangle must lie inside the frame buffer, and its turned image inside the back buffer.
void copyRotated(const Surface& back, Surface& frame, const Raster::Rect& rect, int32_t delta, TileOrder order,
                 bool preload);

// The same, one pixel at a time: the reference the tiled copies are held to.
void copyRotatedPerPixel(const Surface& back, Surface& frame, const Raster::Rect& rect, int32_t delta);

// The frame-buffer rectangle that shows the back buffer's rectangle, for a frame buffer turned by delta.
Raster::Rect turnRect(const Raster::Rect& backRect, int32_t backWidth, int32_t backHeight, int32_t delta);

}  // namespace ScreenHAL
