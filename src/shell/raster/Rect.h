// Points and rectangles the rasteriser works with.
#pragma once

#include <algorithm>
#include <cstdint>

namespace Raster {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

// Right and bottom are exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }

  // a becomes the intersection of a and b; the result may be empty, which callers test.
  static void intersect(Rect& a, const Rect& b) {
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
  }
};

// A rectangle as position and size, the form the GUI and the image transforms use.
struct XYWHRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// out = a clipped to b; an empty result has width and height 0. Returns out.
XYWHRect* intersectRect(const XYWHRect* a, XYWHRect* out, const XYWHRect* b);

}  // namespace Raster
