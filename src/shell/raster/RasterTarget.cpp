// Clipped drawing onto one target surface.
#include "shell/raster/RasterTarget.h"

#include <algorithm>
#include <cstdlib>

namespace Raster {

namespace {

// Cohen-Sutherland outcodes against the inclusive window (left, top, right - 1, bottom - 1).
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kAbove = 4;
constexpr int kBelow = 8;

int outcode(int32_t x, int32_t y, const Rect& clip) {
  int code = 0;
  if (x < clip.left) code |= kLeft;
  if (x > clip.right - 1) code |= kRight;
  if (y < clip.top) code |= kAbove;
  if (y > clip.bottom - 1) code |= kBelow;
  return code;
}

// Product first, then division truncating toward zero; 64 bits so long lines cannot overflow.
int32_t interpolate(int32_t a1, int32_t a2, int32_t b1, int32_t b2, int32_t edge) {
  return static_cast<int32_t>(a1 + int64_t{a2 - a1} * (edge - b1) / (b2 - b1));
}

// False when the line lies wholly outside the clip.
bool clipLine(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, const Rect& clip) {
  int code1 = outcode(x1, y1, clip);
  int code2 = outcode(x2, y2, clip);
  for (;;) {
    if ((code1 | code2) == 0) return true;
    if ((code1 & code2) != 0) return false;
    const bool first = code1 != 0;
    const int code = first ? code1 : code2;
    int32_t x = 0;
    int32_t y = 0;
    if (code & kLeft) {
      x = clip.left;
      y = interpolate(y1, y2, x1, x2, x);
    } else if (code & kRight) {
      x = clip.right - 1;
      y = interpolate(y1, y2, x1, x2, x);
    } else if (code & kAbove) {
      y = clip.top;
      x = interpolate(x1, x2, y1, y2, y);
    } else {
      y = clip.bottom - 1;
      x = interpolate(x1, x2, y1, y2, y);
    }
    if (first) {
      x1 = x;
      y1 = y;
      code1 = outcode(x1, y1, clip);
    } else {
      x2 = x;
      y2 = y;
      code2 = outcode(x2, y2, clip);
    }
  }
}

}  // namespace

RasterTarget::RasterTarget(RasterSurface* target) : target_(target), clip_(bounds()) {}

Rect RasterTarget::bounds() const {
  ScreenHAL::Surface* s = surface();
  return s ? Rect{0, 0, s->width, s->height} : Rect{};
}

void RasterTarget::setClip(const Rect& rect) {
  clip_ = bounds();
  Rect::intersect(clip_, rect);
}

RasterSurface* RasterTarget::retarget(RasterSurface* target) {
  RasterSurface* previous = target_;
  target_ = target;
  clip_ = bounds();
  return previous;
}

void RasterTarget::blit(const RasterSurface& source, int32_t x, int32_t y, const Rect* srcRect) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr || source.surface == nullptr) return;
  const Rect whole{0, 0, source.surface->width, source.surface->height};
  Rect src = srcRect ? *srcRect : whole;
  // A source rectangle reaching past the source surface would read outside it.
  Rect::intersect(src, whole);
  if (src.isEmpty()) return;

  Rect dstRect{x, y, x + src.width(), y + src.height()};
  Rect visible = dstRect;
  Rect::intersect(visible, clip_);
  if (visible.isEmpty()) return;
  src.left += visible.left - dstRect.left;
  src.top += visible.top - dstRect.top;
  src.right = src.left + visible.width();
  src.bottom = src.top + visible.height();

  const Point at{visible.left, visible.top};
  if (source.key < 0) {
    rasterizer_->blit(*dst, at, *source.surface, src);
  } else {
    rasterizer_->blitKeyed(*dst, at, *source.surface, src, static_cast<uint16_t>(source.key & 0xFFFF));
  }
}

void RasterTarget::clear(uint16_t colour) {
  if (ScreenHAL::Surface* dst = surface()) rasterizer_->clear(*dst, colour);
}

void RasterTarget::hline(int32_t x, int32_t y, int32_t length, uint16_t colour) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr || y < clip_.top || y >= clip_.bottom) return;
  if (x < clip_.left) {
    length -= clip_.left - x;
    x = clip_.left;
  }
  if (int64_t{x} + length > clip_.right) length = clip_.right - x;
  if (length < 1) return;
  rasterizer_->hline(*dst, Point{x, y}, length, colour);
}

void RasterTarget::vline(int32_t x, int32_t y, int32_t length, uint16_t colour) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr || x < clip_.left || x >= clip_.right) return;
  if (y < clip_.top) {
    length -= clip_.top - y;
    y = clip_.top;
  }
  if (int64_t{y} + length > clip_.bottom) length = clip_.bottom - y;
  if (length < 1) return;
  rasterizer_->vline(*dst, Point{x, y}, length, colour);
}

void RasterTarget::fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr) return;
  Rect r{left, top, right, bottom};
  Rect::intersect(r, clip_);
  if (!r.isEmpty()) rasterizer_->fillRect(*dst, r, colour);
}

void RasterTarget::plot(int32_t x, int32_t y, uint16_t colour) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr || x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
  rasterizer_->setPixel(*dst, Point{x, y}, colour);
}

void RasterTarget::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour) {
  ScreenHAL::Surface* dst = surface();
  if (dst == nullptr || clip_.isEmpty()) return;
  if (x1 == x2) {
    vline(x1, std::min(y1, y2), std::abs(y2 - y1) + 1, colour);
    return;
  }
  if (y1 == y2) {
    hline(std::min(x1, x2), y1, std::abs(x2 - x1) + 1, colour);
    return;
  }
  if (clipLine(x1, y1, x2, y2, clip_)) rasterizer_->line(*dst, Point{x1, y1}, Point{x2, y2}, colour);
}

void RasterTarget::drawRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour) {
  hline(x1, y1, x2 - x1 + 1, colour);
  hline(x1, y2, x2 - x1 + 1, colour);
  vline(x1, y1, y2 - y1 + 1, colour);
  vline(x2, y1, y2 - y1 + 1, colour);
}

}  // namespace Raster
