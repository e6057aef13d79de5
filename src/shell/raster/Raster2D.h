// The pixel operations on RGB565 surfaces: spans, rectangles, lines, circles and copies.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/hal/Surface.h"
#include "shell/raster/Rect.h"

namespace Raster::Internal {

// Six fixed-point values: m0..m3 scale in 1/1024, m4 and m5 offset in 1/65536 pixel.
struct Matrix {
  int32_t m[6] = {};
};

// Every operation takes the destination first and does no clipping unless it says so. Copies may take one
// surface as both source and destination: overlapping areas come out as if copied through a spare buffer.
class I2DRasterizer {
 public:
  virtual ~I2DRasterizer() = default;
  virtual void blit(ScreenHAL::Surface& dst, Point dstPoint, const ScreenHAL::Surface& src,
                    const Rect& srcRect) const = 0;
  // Leaves the destination unchanged where the source pixel equals key.
  virtual void blitKeyed(ScreenHAL::Surface& dst, Point dstPoint, const ScreenHAL::Surface& src, const Rect& srcRect,
                         uint16_t key) const = 0;
  // Source pixels outside the source surface are skipped; dstRect must lie inside dst.
  virtual void blitTransformed(ScreenHAL::Surface& dst, const Rect& dstRect, const Matrix& matrix,
                               const ScreenHAL::Surface& src) const = 0;
  virtual void blitTransformedKeyed(ScreenHAL::Surface& dst, const Rect& dstRect, const Matrix& matrix,
                                    const ScreenHAL::Surface& src, uint16_t key) const = 0;
  // Each point is tested against clipRect.
  virtual void circleClipped(ScreenHAL::Surface& dst, Point centre, int32_t radius, uint16_t colour,
                             const Rect& clipRect) const = 0;
  virtual void circle(ScreenHAL::Surface& dst, Point centre, int32_t radius, uint16_t colour) const = 0;
  virtual void clear(ScreenHAL::Surface& dst, uint16_t colour) const = 0;
  virtual void fillRect(ScreenHAL::Surface& dst, const Rect& rect, uint16_t colour) const = 0;
  virtual void hline(ScreenHAL::Surface& dst, Point point, int32_t count, uint16_t colour) const = 0;
  // Both ends drawn.
  virtual void line(ScreenHAL::Surface& dst, Point from, Point to, uint16_t colour) const = 0;
  virtual void setPixel(ScreenHAL::Surface& dst, Point point, uint16_t colour) const = 0;
  virtual void vline(ScreenHAL::Surface& dst, Point point, int32_t count, uint16_t colour) const = 0;
};

class Raster2D final : public I2DRasterizer {
 public:
  // The one stateless instance everything draws through.
  static const Raster2D& instance();

  void blit(ScreenHAL::Surface& dst, Point dstPoint, const ScreenHAL::Surface& src, const Rect& srcRect) const override;
  void blitKeyed(ScreenHAL::Surface& dst, Point dstPoint, const ScreenHAL::Surface& src, const Rect& srcRect,
                 uint16_t key) const override;
  void blitTransformed(ScreenHAL::Surface& dst, const Rect& dstRect, const Matrix& matrix,
                       const ScreenHAL::Surface& src) const override;
  void blitTransformedKeyed(ScreenHAL::Surface& dst, const Rect& dstRect, const Matrix& matrix,
                            const ScreenHAL::Surface& src, uint16_t key) const override;
  void circleClipped(ScreenHAL::Surface& dst, Point centre, int32_t radius, uint16_t colour,
                     const Rect& clipRect) const override;
  void circle(ScreenHAL::Surface& dst, Point centre, int32_t radius, uint16_t colour) const override;
  void clear(ScreenHAL::Surface& dst, uint16_t colour) const override;
  void fillRect(ScreenHAL::Surface& dst, const Rect& rect, uint16_t colour) const override;
  void hline(ScreenHAL::Surface& dst, Point point, int32_t count, uint16_t colour) const override;
  void line(ScreenHAL::Surface& dst, Point from, Point to, uint16_t colour) const override;
  void setPixel(ScreenHAL::Surface& dst, Point point, uint16_t colour) const override;
  void vline(ScreenHAL::Surface& dst, Point point, int32_t count, uint16_t colour) const override;
};

// Sets count pixels to the colour.
void fillRow(uint16_t* out, int32_t count, uint16_t colour);
// Copies count pixels, leaving dst unchanged where src equals key. Shared by every keyed copy.
void copyKeyedRow(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key);
// The same from the last pixel to the first: for a row copied onto itself further right.
void copyKeyedRowBackward(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key);
// Whether two surfaces draw into the same pixels (a surface copied onto itself).
bool sharePixels(const ScreenHAL::Surface& a, const ScreenHAL::Surface& b);
// A new surface holding the same pixels; null when memory runs out.
std::unique_ptr<ScreenHAL::Surface> copyOf(const ScreenHAL::Surface& src);
// Whether any of count pixels has the colour.
bool rowHasColour(const uint16_t* row, int32_t count, uint16_t colour);

}  // namespace Raster::Internal
