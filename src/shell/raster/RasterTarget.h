// The clip-and-target record a graphics context or the display draws through. Coordinates arrive
// already translated; everything outside the clip is cut silently.
#pragma once

#include <cstdint>

#include "shell/raster/Raster2D.h"
#include "shell/raster/RasterSurface.h"
#include "shell/raster/Rect.h"

namespace Raster {

class RasterTarget {
 public:
  // Clip = the whole target (empty while there is no target or no surface).
  explicit RasterTarget(RasterSurface* target = nullptr);

  // Clip = the whole target intersected with rect.
  void setClip(const Rect& rect);
  const Rect& clip() const { return clip_; }
  RasterSurface* target() const { return target_; }
  // Points at another target with the clip reset to all of it; returns the previous target.
  RasterSurface* retarget(RasterSurface* target);
  // The whole target as a rectangle.
  Rect bounds() const;

  // Copies srcRect of the source (all of it when null) to (x, y), skipping the source's key colour.
  void blit(const RasterSurface& source, int32_t x, int32_t y, const Rect* srcRect = nullptr);
  void clear(uint16_t colour);
  void hline(int32_t x, int32_t y, int32_t length, uint16_t colour);
  void vline(int32_t x, int32_t y, int32_t length, uint16_t colour);
  // Right and bottom exclusive.
  void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour);
  void plot(int32_t x, int32_t y, uint16_t colour);
  // Both ends included.
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour);
  // The outline with corners (x1, y1) and (x2, y2), all four included.
  void drawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour);

 private:
  ScreenHAL::Surface* surface() const { return target_ ? target_->surface : nullptr; }

  RasterSurface* target_ = nullptr;
  Rect clip_;
  const Internal::I2DRasterizer* rasterizer_ = &Internal::Raster2D::instance();
};

}  // namespace Raster
