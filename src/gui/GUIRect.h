// Rectangles, points and alignment of the GUI engine: layout and painting of widgets, and the clipping rule
// of the graphics context.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "shell/raster/Rect.h"

namespace gamelib {

// {x, y, width, height}.
using GUIRect = Raster::XYWHRect;

struct GUIPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct GUISize {
  int32_t width = 0;
  int32_t height = 0;
};

// Alignment and anchor bits: horizontal in bits 0-1, vertical in bits 2-3; 0 is the left or top edge.
inline constexpr int32_t ALIGN_RIGHT = 1;
inline constexpr int32_t ALIGN_HCENTER = 2;
inline constexpr int32_t ALIGN_JUSTIFY = 3;
inline constexpr int32_t ALIGN_BOTTOM = 4;
inline constexpr int32_t ALIGN_VCENTER = 8;
inline constexpr int32_t ALIGN_CENTER = ALIGN_HCENTER | ALIGN_VCENTER;
inline constexpr int32_t ALIGN_HORIZONTAL = 3;
inline constexpr int32_t ALIGN_VERTICAL = 12;

// The point moved right by the width (bits 1) or half of it (bits 2), down by the height (bits 4) or half
// of it (bits 8).
GUIPoint alignPoint(GUIPoint point, GUISize size, int32_t align);
// The same offsets taken away.
GUIPoint unalignPoint(GUIPoint point, GUISize size, int32_t align);
// a clipped to b; a result without area has width and height 0.
GUIRect intersectRect(const GUIRect& a, const GUIRect& b);
// The smallest rectangle holding both; a when b has no area (a takes part even when it has none).
GUIRect unionRect(const GUIRect& a, const GUIRect& b);
// Touching edges count as overlap.
bool rectsOverlap(const GUIRect& a, const GUIRect& b);
// The first index at or after from of any of the characters, -1 when none.
int32_t indexOfAny(const nuv::lang::DString& text, int32_t from, const char16_t* characters);

}  // namespace gamelib
