// Rectangles, points and alignment of the GUI engine.
#include "gui/GUIRect.h"

#include <algorithm>

namespace gamelib {

namespace {

// The offset an alignment gives inside a size; halves by arithmetic shift.
GUIPoint alignOffset(GUISize size, int32_t align) {
  GUIPoint d;
  if ((align & ALIGN_HORIZONTAL) == ALIGN_RIGHT) d.x = size.width;
  if ((align & ALIGN_HORIZONTAL) == ALIGN_HCENTER) d.x = size.width >> 1;
  if ((align & ALIGN_VERTICAL) == ALIGN_BOTTOM) d.y = size.height;
  if ((align & ALIGN_VERTICAL) == ALIGN_VCENTER) d.y = size.height >> 1;
  return d;
}

}  // namespace

GUIPoint alignPoint(GUIPoint point, GUISize size, int32_t align) {
  GUIPoint d = alignOffset(size, align);
  return {point.x + d.x, point.y + d.y};
}

GUIPoint unalignPoint(GUIPoint point, GUISize size, int32_t align) {
  GUIPoint d = alignOffset(size, align);
  return {point.x - d.x, point.y - d.y};
}

GUIRect intersectRect(const GUIRect& a, const GUIRect& b) {
  GUIRect out;
  Raster::intersectRect(&a, &out, &b);
  return out;
}

GUIRect unionRect(const GUIRect& a, const GUIRect& b) {
  if (b.width <= 0 || b.height <= 0) return a;
  int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  int32_t right = std::max(a.x + a.width, b.x + b.width), bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

bool rectsOverlap(const GUIRect& a, const GUIRect& b) {
  return b.x <= a.x + a.width && a.x <= b.x + b.width && b.y <= a.y + a.height && a.y <= b.y + b.height;
}

int32_t indexOfAny(const nuv::lang::DString& text, int32_t from, const char16_t* characters) {
  std::u16string_view view = text.view();
  for (int32_t i = std::max(from, 0); i < static_cast<int32_t>(view.size()); ++i) {
    for (const char16_t* c = characters; *c != 0; ++c) {
      if (view[i] == *c) return i;
    }
  }
  return -1;
}

}  // namespace gamelib
