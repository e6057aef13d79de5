// The graphics context: clip handling, anchors, image copies with transforms, text and pixel arrays.
#include "shell/lcdui/DGraphics.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "shell/raster/Raster2D.h"

namespace nuv::microedition::lcdui {

using nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException;
using nuv::lang::ExceptionCode::NullPointerException;
using Raster::Rect;

namespace {

constexpr uint16_t kTransparent = 0xF81F;
// Width of the destination strips a quarter-turned copy works in.
constexpr int32_t kTurnTile = 32;

// v * w for v 0..63 and w 0..255: the alpha blend looks products up instead of multiplying.
const std::array<uint16_t, 64 * 256>& products() {
  static const std::array<uint16_t, 64 * 256> table = [] {
    std::array<uint16_t, 64 * 256> t{};
    for (int v = 0; v < 64; ++v)
      for (int w = 0; w < 256; ++w) t[static_cast<size_t>(v * 256 + w)] = static_cast<uint16_t>(v * w);
    return t;
  }();
  return table;
}

uint16_t blend(uint16_t target, uint32_t argb, const std::array<uint16_t, 64 * 256>& mul) {
  if (target == kTransparent) return kTransparent;
  const uint32_t a = argb >> 24;
  const uint32_t ia = 255 - a;
  const uint32_t r5 = target >> 11, g6 = (target >> 5) & 63, b5 = target & 31;
  const uint32_t R = (argb >> 16) & 255, G = (argb >> 8) & 255, B = argb & 255;
  auto p = [&](uint32_t v, uint32_t w) -> uint32_t { return mul[v * 256 + w]; };
  const uint32_t blue = (p(b5 * 2, ia) + p(B >> 2, a)) >> 9;
  const uint32_t green = (p(g6, ia) + p(G >> 2, a)) >> 8;
  const uint32_t red = (p(r5 * 2, ia) + p(R >> 2, a)) >> 9;
  return static_cast<uint16_t>(red << 11 | green << 5 | blue);
}

// Where source pixel (0, 0) lands and how a step along a source row and down a source column moves in
// the destination, for an image of iw x ih drawn at the origin.
struct Placement {
  int32_t originX, originY;  // destination of source (0, 0), relative to the drawn corner
  int32_t colX, colY;        // destination step for sx + 1
  int32_t rowX, rowY;        // destination step for sy + 1
};

Placement placementOf(int32_t transform, int32_t iw, int32_t ih) {
  switch (transform) {
    case DGraphics::TRANS_MIRROR_ROT180:
      return {0, ih - 1, 1, 0, 0, -1};
    case DGraphics::TRANS_MIRROR:
      return {iw - 1, 0, -1, 0, 0, 1};
    case DGraphics::TRANS_ROT180:
      return {iw - 1, ih - 1, -1, 0, 0, -1};
    case DGraphics::TRANS_ROT90:
      return {ih - 1, 0, 0, 1, -1, 0};
    case DGraphics::TRANS_ROT270:
      return {0, iw - 1, 0, -1, 1, 0};
    default:
      return {0, 0, 1, 0, 0, 1};  // 0, and 4 and 7, which are drawn untransformed
  }
}

}  // namespace

DGraphics::DGraphics(Raster::RasterSurface* target, nuv::lang::DObjectPtr owner)
    : raster_(target), target_(target), font_(DFont::getDefaultFont()), owner_(std::move(owner)) {
  setClip(0, 0, target ? target->width() : 0, target ? target->height() : 0);
}

void DGraphics::setColor(int32_t c) {
  colourRGB_ = c;
  colour565_ = static_cast<uint16_t>(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
}

void DGraphics::setColorRGB(int32_t red, int32_t green, int32_t blue) {
  colourRGB_ = (red & 255) << 16 | (green & 255) << 8 | (blue & 255);
  colour565_ = static_cast<uint16_t>((red & 0xF8) << 8 | (green & 0xFC) << 3 | (blue & 255) >> 3);
}

void DGraphics::setClip(int32_t x, int32_t y, int32_t width, int32_t height) {
  const int64_t right = int64_t{x} + width;
  const int64_t bottom = int64_t{y} + height;
  const int32_t targetWidth = target_ ? target_->width() : 0;
  const int32_t targetHeight = target_ ? target_->height() : 0;
  if (width >= 1 && height >= 1 && right > 0 && bottom > 0 && x < targetWidth && y < targetHeight) {
    drawingEnabled_ = true;
    raster_.setClip(Rect{x, y, static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX)),
                         static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX))});
  } else {
    // The raster never holds an empty clip; the flag stops all drawing instead.
    drawingEnabled_ = false;
    raster_.setClip(raster_.bounds());
  }
}

void DGraphics::clipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!drawingEnabled_) return;
  Rect r = raster_.clip();
  Rect::intersect(r, Rect{x, y, static_cast<int32_t>(std::clamp<int64_t>(int64_t{x} + width, INT32_MIN, INT32_MAX)),
                          static_cast<int32_t>(std::clamp<int64_t>(int64_t{y} + height, INT32_MIN, INT32_MAX))});
  if (!r.isEmpty()) {
    raster_.setClip(r);
  } else {
    drawingEnabled_ = false;
    raster_.setClip(raster_.bounds());
  }
}

void DGraphics::fillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!drawingEnabled_) return;
  raster_.fillRect(x, y, x + width + 1, y + height + 1, colour565_);
}

void DGraphics::drawRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!drawingEnabled_) return;
  raster_.drawRect(x, y, x + width, y + height, colour565_);
}

void DGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!drawingEnabled_) return;
  if (x1 == x2 && y1 == y2) {
    raster_.plot(x1, y1, colour565_);
  } else {
    raster_.line(x1, y1, x2, y2, colour565_);
  }
}

void DGraphics::drawImage(DImagePtr image, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  if (!drawingEnabled_) return;
  Raster::RasterSurface* source = image->rasterSurface();
  if (source == nullptr || source->surface == nullptr) return;
  const bool turned = transform == TRANS_ROT90 || transform == TRANS_ROT270;
  const int32_t w = turned ? image->getHeight() : image->getWidth();
  const int32_t h = turned ? image->getWidth() : image->getHeight();
  if (anchor & RIGHT) {
    x -= w;
  } else if (anchor & HCENTER) {
    x -= w >> 1;
  }
  if (anchor & BOTTOM) {
    y -= h;
  } else if (anchor & VCENTER) {
    y -= h >> 1;
  }
  copyImage(*source, x, y, w, h, transform);
}

void DGraphics::drawImageOpaque(DImagePtr image, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  Raster::RasterSurface* source = image->rasterSurface();
  if (source == nullptr) return;
  const int32_t key = source->key;
  source->key = -1;
  drawImage(image, x, y, anchor, transform);
  source->key = key;
}

void DGraphics::copyImage(const Raster::RasterSurface& image, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t transform) {
  const Rect& clip = raster_.clip();
  Raster::XYWHRect drawn{x, y, w, h};
  const Raster::XYWHRect clipArea{clip.left, clip.top, clip.width(), clip.height()};
  Raster::intersectRect(&drawn, &drawn, &clipArea);
  if (drawn.width < 1 || drawn.height < 1) return;

  ScreenHAL::Surface& dst = *target_->surface;
  // A turned copy of an image onto itself reads pixels it has already written: it reads a copy instead.
  std::unique_ptr<ScreenHAL::Surface> spare;
  if (transform != TRANS_NONE && Raster::Internal::sharePixels(dst, *image.surface)) {
    spare = Raster::Internal::copyOf(*image.surface);
  }
  const ScreenHAL::Surface& src = spare ? *spare : *image.surface;
  const bool keyed = image.key >= 0;
  const auto key = static_cast<uint16_t>(image.key & 0xFFFF);
  target_->lock();
  image.lock();

  if (transform == TRANS_NONE || transform == TRANS_MIRROR_ROT270 || transform == TRANS_MIRROR_ROT90) {
    const Rect from{drawn.x - x, drawn.y - y, drawn.x - x + drawn.width, drawn.y - y + drawn.height};
    const Raster::Point to{drawn.x, drawn.y};
    if (keyed) {
      Raster::Internal::Raster2D::instance().blitKeyed(dst, to, src, from, key);
    } else {
      Raster::Internal::Raster2D::instance().blit(dst, to, src, from);
    }
  } else {
    // Walk the destination rows. Solving origin + sx * col + sy * row = (dx - x, dy - y) shows that
    // along a destination row the source moves by one pixel along one axis, so each row is a start
    // pointer and a fixed step.
    const Placement p = placementOf(transform, src.width, src.height);
    const bool alongSourceRows = p.colX != 0;
    const ptrdiff_t step = alongSourceRows ? p.colX : static_cast<ptrdiff_t>(p.rowX) * (src.pitch / 2);
    // Quarter turns read the source down its columns: work in tiles so those reads stay in the cache.
    const int32_t tile = alongSourceRows ? drawn.width : kTurnTile;
    for (int32_t tileX = drawn.x; tileX < drawn.x + drawn.width; tileX += tile) {
      const int32_t count = std::min(tile, drawn.x + drawn.width - tileX);
      for (int32_t dy = drawn.y; dy < drawn.y + drawn.height; ++dy) {
        const int32_t lx = tileX - x - p.originX;
        const int32_t ly = dy - y - p.originY;
        const int32_t sx = alongSourceRows ? lx * p.colX : ly * p.colY;
        const int32_t sy = alongSourceRows ? ly * p.rowY : lx * p.rowX;
        const uint16_t* in = src.at(sx, sy);
        uint16_t* out = dst.at(tileX, dy);
        if (keyed) {
          for (int32_t i = 0; i < count; ++i, in += step) {
            if (*in != key) out[i] = *in;
          }
        } else {
          for (int32_t i = 0; i < count; ++i, in += step) out[i] = *in;
        }
      }
    }
  }
  Raster::returnsOne(&image, 0);
  Raster::returnsOne(target_, 0);
}

void DGraphics::drawString(nuv::lang::DStringPtr text, int32_t x, int32_t y, int32_t anchor) {
  if (text.isNull()) nuv::lang::throwException(NullPointerException);
  if (!drawingEnabled_) return;
  DFont* font = font_.operator->();
  if (!(anchor & LEFT)) {
    if (anchor & RIGHT) {
      x -= font->stringWidth(text);
    } else if (anchor & HCENTER) {
      x -= font->stringWidth(text) >> 1;
    }
  }
  if (!(anchor & TOP)) {
    if (anchor & BOTTOM) {
      y -= font->height;
    } else if (anchor & VCENTER) {
      y -= font->height >> 1;
    } else if (anchor & BASELINE) {
      y -= font->baseline;
    }
  }
  for (char16_t c : text->view()) x += drawChar(c, x, y);
}

int32_t DGraphics::drawChar(char16_t character, int32_t x, int32_t y) {
  DCharMaskPtr mask = font_->getCharMask(character);
  if (mask.isNull()) return 0;
  const int32_t rows = std::min(mask->height, font_->height);
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* bytes = mask->row(r);
    for (int32_t c = 0; c < mask->width; ++c) {
      if (bytes[c] != 0) raster_.plot(x + c, y + r, colour565_);
    }
  }
  return mask->width;
}

void DGraphics::drawRGB(nuv::lang::DintArrayPtr data, int32_t offset, int32_t scanLength, int32_t x, int32_t y,
                        int32_t width, int32_t height, bool processAlpha) {
  if (data.isNull()) nuv::lang::throwException(NullPointerException);
  if (!drawingEnabled_ || width < 1 || height < 1) return;
  // The whole requested area must lie inside the array, whatever the clip leaves of it.
  const int64_t lastRow = int64_t{scanLength} * (height - 1);
  const int64_t first = int64_t{offset} + std::min<int64_t>(0, lastRow);
  const int64_t last = int64_t{offset} + std::max<int64_t>(0, lastRow) + (width - 1);
  if (first < 0 || last >= data->length) nuv::lang::throwException(ArrayIndexOutOfBoundsException);

  const Rect& clip = raster_.clip();
  const int64_t right = std::min<int64_t>(int64_t{x} + width, clip.right);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + height, clip.bottom);
  int64_t start = offset;
  if (x < clip.left) {
    start += clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    start += int64_t{clip.top - y} * scanLength;
    y = clip.top;
  }
  if (right - x < 1 || bottom - y < 1) return;
  const auto columns = static_cast<int32_t>(right - x);

  const std::array<uint16_t, 64 * 256>& mul = products();
  std::vector<uint16_t> row(static_cast<size_t>(columns));
  const int32_t* pixels = data->data();
  target_->lock(Raster::Point{x, y});
  for (int32_t dy = y; dy < bottom; ++dy, start += scanLength) {
    const int32_t* in = pixels + start;
    uint16_t* out = target_->surface->at(x, dy);
    for (int32_t i = 0; i < columns; ++i) {
      const auto argb = static_cast<uint32_t>(in[i]);
      row[static_cast<size_t>(i)] =
          processAlpha
              ? blend(out[i], argb, mul)
              : static_cast<uint16_t>(((argb >> 16) & 0xF8) << 8 | ((argb >> 8) & 0xFC) << 3 | (argb & 0xFF) >> 3);
    }
    std::copy(row.begin(), row.end(), out);
  }
  Raster::returnsOne(target_, 0);
}

}  // namespace nuv::microedition::lcdui
