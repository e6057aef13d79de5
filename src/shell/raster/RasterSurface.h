// The surface record an image, a canvas back buffer or the display's back buffer holds.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/hal/Surface.h"
#include "shell/raster/Rect.h"

namespace Raster {

// The pixel at the point and the pitch to step rows with.
struct LockedPixels {
  int32_t pitch = 0;
  uint8_t* address = nullptr;
};

class RasterSurface {
 public:
  // A record around a new surface of its own, key -1; null when memory runs out.
  static std::unique_ptr<RasterSurface> create(int32_t width, int32_t height);
  // A record around a surface it does not own (null allowed), key -1.
  static std::unique_ptr<RasterSurface> wrap(ScreenHAL::Surface* surface);

  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;
  // Frees the surface only when the record made it.
  ~RasterSurface();

  // Deletes the surface, owned or not, and leaves the record empty.
  void destroy();

  LockedPixels lock() const { return lock(Point{}); }
  LockedPixels lock(Point point) const;

  int32_t width() const { return surface ? surface->width : 0; }
  int32_t height() const { return surface ? surface->height : 0; }

  ScreenHAL::Surface* surface = nullptr;
  // The transparent colour: -1 none, otherwise its low 16 bits are the RGB565 value copies skip.
  int32_t key = -1;

 private:
  RasterSurface(ScreenHAL::Surface* s, bool owns) : surface(s), ownsSurface_(owns) {}
  bool ownsSurface_ = false;
};

// The counterpart of RasterSurface::lock. Surfaces stay where they are while drawn into, so there is
// nothing to release; it answers true and callers ignore the answer.
inline bool returnsOne(const void* /*object*/, int32_t /*value*/) { return true; }

}  // namespace Raster
