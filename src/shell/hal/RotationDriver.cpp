// Turning frames for a screen whose native orientation is not the one asked for.
#include "shell/hal/RotationDriver.h"

#include <algorithm>

#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"
#include "shell/hal/RotationCopy.h"

namespace ScreenHAL {

RotationDriver::RotationDriver(std::unique_ptr<VideoDriver> inner) : inner_(std::move(inner)) {}

RotationDriver::~RotationDriver() = default;

bool RotationDriver::initialize(HWND, DisplayParams& params, DetectionRecord&) {
  log("RotationDriver: Initialize()");
  const VideoMode& inner = inner_->mode();
  const int32_t requested = params.O == kAnyOrientation ? inner.orientation : params.O;
  delta_ = inner.orientation - requested;
  if (delta_ < 0) delta_ += 4;
  const bool across = delta_ % 2 == 1;
  const int32_t width = across ? inner.height : inner.width;
  const int32_t height = across ? inner.width : inner.height;
  back_.reset(Surface::create(width, height));
  if (!back_) return false;
  preload_ = processorType() == kXScaleProcessor;
  mode_.width = width;
  mode_.height = height;
  mode_.bitsPerPixel = inner.bitsPerPixel;
  mode_.pitch = back_->pitch;
  mode_.orientation = requested;
  mode_.swapKind = kSwapCopy;
  mode_.frameBuffer = back_->pixels;
  surface_.width = width;
  surface_.height = height;
  surface_.pitch = back_->pitch;
  surface_.pixels = back_->pixels;
  surface_.ownsPixels = false;
  copyRect_ = Raster::Rect{0, 0, inner.width, inner.height};
  return true;
}

Surface* RotationDriver::lock() {
  frame_ = inner_->lock();
  return frame_ != nullptr ? &surface_ : nullptr;
}

void RotationDriver::present(uint32_t flags) {
  if (frame_ == nullptr) return;
  const bool waited = (flags & kPresentWait) != 0;
  if (waited) inner_->wait();
  // Drivers that waited for the scan get the copy that follows it, unless the inner surface is a copy
  // of its own anyway.
  const TileOrder order = waited && inner_->mode().swapKind != kSwapNone ? TileOrder::BehindScan : TileOrder::Columns;
  Raster::Rect rect = copyRect_;
  Raster::Rect::intersect(rect, Raster::Rect{0, 0, frame_->width, frame_->height});
  copyRotated(*back_, *frame_, rect, delta_, order, preload_);
  inner_->present(flags);
  frame_ = nullptr;
}

void RotationDriver::adjustRect(Raster::Rect& dirty) {
  Raster::Rect turned = turnRect(dirty, back_->width, back_->height, delta_);
  inner_->adjustRect(turned);
  // Whole tiles, but never past the frame buffer: sizes need not be multiples of a tile.
  const VideoMode& inner = inner_->mode();
  turned.left = turned.left / kRotationTile * kRotationTile;
  turned.top = turned.top / kRotationTile * kRotationTile;
  turned.right = (turned.right + kRotationTile - 1) / kRotationTile * kRotationTile;
  turned.bottom = (turned.bottom + kRotationTile - 1) / kRotationTile * kRotationTile;
  Raster::Rect::intersect(turned, Raster::Rect{0, 0, inner.width, inner.height});
  copyRect_ = turned;
}

}  // namespace ScreenHAL
