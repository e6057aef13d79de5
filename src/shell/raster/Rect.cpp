// Clipping of position-and-size rectangles.
#include "shell/raster/Rect.h"

namespace Raster {

XYWHRect* intersectRect(const XYWHRect* a, XYWHRect* out, const XYWHRect* b) {
  *out = *a;
  if (out->x < b->x) {
    out->width -= b->x - out->x;
    out->x = b->x;
  }
  if (out->x + out->width > b->x + b->width) out->width = b->x + b->width - out->x;
  if (out->y < b->y) {
    out->height -= b->y - out->y;
    out->y = b->y;
  }
  if (out->y + out->height > b->y + b->height) out->height = b->y + b->height - out->y;
  if (out->width <= 0 || out->height <= 0) {
    out->width = 0;
    out->height = 0;
  }
  return out;
}

}  // namespace Raster
