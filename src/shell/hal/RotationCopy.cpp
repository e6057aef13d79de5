// The tiled rotated copies, one routine per quarter turn, and their per-pixel reference.
#include "shell/hal/RotationCopy.h"

#include <algorithm>
#include <cstring>

namespace ScreenHAL {

namespace {

// One tile, rows [top, bottom) and columns [left, right) of the frame buffer. Source pointers step
// through the back buffer as the frame buffer's row is walked.
template <int kDelta>
void copyTile(const Surface& back, Surface& frame, int32_t left, int32_t top, int32_t right, int32_t bottom,
              bool preload) {
  const intptr_t backStep = back.pitch / 2;  // back-buffer pitch in pixels
  for (int32_t y = top; y < bottom; ++y) {
    uint16_t* to = frame.at(left, y);
    const uint16_t* from = nullptr;
    intptr_t step = 0;
    if constexpr (kDelta == 1) {
      from = back.at(y, back.height - 1 - left);
      step = -backStep;
    } else if constexpr (kDelta == 2) {
      from = back.at(back.width - 1 - left, back.height - 1 - y);
      step = -1;
    } else {
      from = back.at(back.width - 1 - y, left);
      step = backStep;
    }
    if (preload && y + 1 < bottom) __builtin_prefetch(to + frame.pitch / 2, 1);
    for (int32_t x = left; x < right; ++x) {
      *to++ = *from;
      from += step;
    }
  }
}

template <int kDelta>
void copyTiles(const Surface& back, Surface& frame, const Raster::Rect& rect, TileOrder order, bool preload) {
  auto tile = [&](int32_t tileLeft, int32_t tileTop) {
    copyTile<kDelta>(back, frame, tileLeft, tileTop, std::min(tileLeft + kRotationTile, rect.right),
                     std::min(tileTop + kRotationTile, rect.bottom), preload);
  };
  if (order == TileOrder::BehindScan) {
    for (int32_t top = rect.top; top < rect.bottom; top += kRotationTile)
      for (int32_t left = rect.left; left < rect.right; left += kRotationTile) tile(left, top);
  } else {
    for (int32_t left = rect.left; left < rect.right; left += kRotationTile)
      for (int32_t top = rect.top; top < rect.bottom; top += kRotationTile) tile(left, top);
  }
}

}  // namespace

void copyRotated(const Surface& back, Surface& frame, const Raster::Rect& rect, int32_t delta, TileOrder order,
                 bool preload) {
  if (rect.isEmpty()) return;
  switch (delta & 3) {
    case 0:
      for (int32_t y = rect.top; y < rect.bottom; ++y)
        std::memcpy(frame.at(rect.left, y), back.at(rect.left, y), static_cast<size_t>(rect.width()) * 2);
      break;
    case 1:
      copyTiles<1>(back, frame, rect, order, preload);
      break;
    case 2:
      copyTiles<2>(back, frame, rect, order, preload);
      break;
    default:
      copyTiles<3>(back, frame, rect, order, preload);
      break;
  }
}

void copyRotatedPerPixel(const Surface& back, Surface& frame, const Raster::Rect& rect, int32_t delta) {
  for (int32_t y = rect.top; y < rect.bottom; ++y) {
    for (int32_t x = rect.left; x < rect.right; ++x) {
      int32_t bx = x, by = y;
      switch (delta & 3) {
        case 1:
          bx = y;
          by = back.height - 1 - x;
          break;
        case 2:
          bx = back.width - 1 - x;
          by = back.height - 1 - y;
          break;
        case 3:
          bx = back.width - 1 - y;
          by = x;
          break;
        default:
          break;
      }
      *frame.at(x, y) = *back.at(bx, by);
    }
  }
}

Raster::Rect turnRect(const Raster::Rect& r, int32_t backWidth, int32_t backHeight, int32_t delta) {
  switch (delta & 3) {
    case 1:
      return Raster::Rect{backHeight - r.bottom, r.left, backHeight - r.top, r.right};
    case 2:
      return Raster::Rect{backWidth - r.right, backHeight - r.bottom, backWidth - r.left, backHeight - r.top};
    case 3:
      return Raster::Rect{r.top, backWidth - r.right, r.bottom, backWidth - r.left};
    default:
      return r;
  }
}

}  // namespace ScreenHAL
