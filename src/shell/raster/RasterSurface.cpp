// Surface records: creation, wrapping and locking.
#include "shell/raster/RasterSurface.h"

#include <new>

namespace Raster {

std::unique_ptr<RasterSurface> RasterSurface::create(int32_t width, int32_t height) {
  std::unique_ptr<ScreenHAL::Surface> surface(ScreenHAL::Surface::create(width, height));
  if (!surface) return nullptr;
  std::unique_ptr<RasterSurface> record(new (std::nothrow) RasterSurface(surface.get(), true));
  if (record) surface.release();
  return record;
}

std::unique_ptr<RasterSurface> RasterSurface::wrap(ScreenHAL::Surface* surface) {
  return std::unique_ptr<RasterSurface>(new RasterSurface(surface, false));
}

RasterSurface::~RasterSurface() {
  if (ownsSurface_) destroy();
}

void RasterSurface::destroy() {
  delete surface;
  surface = nullptr;
  ownsSurface_ = false;
}

LockedPixels RasterSurface::lock(Point point) const {
  if (surface == nullptr) return {};
  return {surface->pitch, reinterpret_cast<uint8_t*>(surface->at(point.x, point.y))};
}

}  // namespace Raster
