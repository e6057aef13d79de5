// Pixel operations of the rasteriser. Work is done on 16-bit words in place, without allocation.
#include "shell/raster/Raster2D.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace Raster::Internal {

using ScreenHAL::Surface;

namespace {

// Fixed-point arithmetic of the transformed copy wraps like the handheld's 32-bit registers.
int32_t wrapMulAdd(int32_t a, int32_t b, int32_t c) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b) + static_cast<uint32_t>(c));
}
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

template <bool Keyed>
void transformedCopy(Surface& dst, const Rect& dstRect, const Matrix& matrix, const Surface& src, uint16_t key) {
  const int32_t* m = matrix.m;
  const auto srcWidth = static_cast<uint32_t>(src.width);
  const auto srcHeight = static_cast<uint32_t>(src.height);
  const int32_t stepU = wrapMulAdd(m[0], 64, 0);
  const int32_t stepV = wrapMulAdd(m[1], 64, 0);
  const int32_t firstX = dstRect.left * 64 + 32;
  for (int32_t y = dstRect.top; y < dstRect.bottom; ++y) {
    const int32_t Y = y * 64 + 32;
    int32_t u = wrapMulAdd(m[0], firstX, wrapMulAdd(m[2], Y, m[4]));
    int32_t v = wrapMulAdd(m[1], firstX, wrapMulAdd(m[3], Y, m[5]));
    uint16_t* out = dst.at(dstRect.left, y);
    for (int32_t x = dstRect.left; x < dstRect.right; ++x, ++out) {
      // Negative coordinates become huge as unsigned values and fail the bounds test.
      const auto su = static_cast<uint32_t>(u >> 16);
      const auto sv = static_cast<uint32_t>(v >> 16);
      if (su < srcWidth && sv < srcHeight) {
        const uint16_t pixel = *src.at(static_cast<int32_t>(su), static_cast<int32_t>(sv));
        if (!Keyed || pixel != key) *out = pixel;
      }
      u = wrapAdd(u, stepU);
      v = wrapAdd(v, stepV);
    }
  }
}

// The eight symmetric points of a circle octant step; Clipped tests each against clip.
template <bool Clipped>
void circleImpl(Surface& dst, Point c, int32_t radius, uint16_t colour, const Rect& clip) {
  auto put = [&](int32_t px, int32_t py) {
    if (Clipped && (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom)) return;
    *dst.at(px, py) = colour;
  };
  int32_t x = 0;
  int32_t y = radius;
  int32_t d = 3 - 2 * radius;
  while (x < y) {
    put(c.x + x, c.y + y);
    put(c.x - x, c.y + y);
    put(c.x + x, c.y - y);
    put(c.x - x, c.y - y);
    put(c.x + y, c.y + x);
    put(c.x - y, c.y + x);
    put(c.x + y, c.y - x);
    put(c.x - y, c.y - x);
    if (d < 0) {
      d += 4 * x + 6;
    } else {
      d += 4 * (x - y) + 10;
      --y;
    }
    ++x;
  }
  if (x == y) {
    put(c.x + x, c.y + y);
    put(c.x - x, c.y + y);
    put(c.x + x, c.y - y);
    put(c.x - x, c.y - y);
  }
}

// Fills `rows` rows of `count` pixels each, the rows `stride` pixels apart.
using BlockFill = void (*)(uint16_t* out, int32_t count, int32_t rows, ptrdiff_t stride, uint16_t colour);

#if defined(__SSE2__)
// Unaligned 16-byte stores, four to a step; a row's last store may overlap the one before it, so no
// pixel is written singly unless the row is shorter than a store.
inline void fillRowSse2(uint16_t* out, int32_t count, __m128i wide, uint16_t colour) {
  if (count < 8) {
    for (int32_t i = 0; i < count; ++i) out[i] = colour;
    return;
  }
  int32_t i = 0;
  for (; i + 32 <= count; i += 32) {
    auto* p = reinterpret_cast<__m128i*>(out + i);
    _mm_storeu_si128(p, wide);
    _mm_storeu_si128(p + 1, wide);
    _mm_storeu_si128(p + 2, wide);
    _mm_storeu_si128(p + 3, wide);
  }
  for (; i + 8 <= count; i += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), wide);
  if (i < count) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + count - 8), wide);
}

void fillBlockSse2(uint16_t* out, int32_t count, int32_t rows, ptrdiff_t stride, uint16_t colour) {
  const __m128i wide = _mm_set1_epi16(static_cast<int16_t>(colour));
  for (int32_t y = 0; y < rows; ++y, out += stride) fillRowSse2(out, count, wide, colour);
}

// The same with 32-byte stores, on processors that have them.
__attribute__((target("avx2"))) void fillBlockAvx2(uint16_t* out, int32_t count, int32_t rows, ptrdiff_t stride,
                                                   uint16_t colour) {
  const __m256i wide = _mm256_set1_epi16(static_cast<int16_t>(colour));
  const __m128i narrow = _mm_set1_epi16(static_cast<int16_t>(colour));
  for (int32_t y = 0; y < rows; ++y, out += stride) {
    if (count < 16) {
      fillRowSse2(out, count, narrow, colour);
      continue;
    }
    int32_t i = 0;
    for (; i + 64 <= count; i += 64) {
      auto* p = reinterpret_cast<__m256i*>(out + i);
      _mm256_storeu_si256(p, wide);
      _mm256_storeu_si256(p + 1, wide);
      _mm256_storeu_si256(p + 2, wide);
      _mm256_storeu_si256(p + 3, wide);
    }
    for (; i + 16 <= count; i += 16) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), wide);
    if (i < count) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + count - 16), wide);
  }
}

BlockFill widestFill() { return __builtin_cpu_supports("avx2") ? fillBlockAvx2 : fillBlockSse2; }
#else
// Single pixels up to an 8-byte boundary, then four pixels per 64-bit store.
void fillBlockPortable(uint16_t* out, int32_t count, int32_t rows, ptrdiff_t stride, uint16_t colour) {
  const uint64_t quad = uint64_t{colour} * 0x0001000100010001ull;
  for (int32_t y = 0; y < rows; ++y, out += stride) {
    int32_t i = 0;
    while (i < count && (reinterpret_cast<uintptr_t>(out + i) & 7) != 0) out[i++] = colour;
    for (; i + 4 <= count; i += 4) std::memcpy(out + i, &quad, sizeof quad);
    for (; i < count; ++i) out[i] = colour;
  }
}

BlockFill widestFill() { return fillBlockPortable; }
#endif

void fillBlock(uint16_t* out, int32_t count, int32_t rows, ptrdiff_t stride, uint16_t colour) {
  if (count <= 0) return;
  // Rows without a gap between them are one row.
  if (stride == count) {
    count *= rows;
    rows = 1;
  }
  // A colour of two equal bytes is a byte fill, which the C library does best.
  if ((colour >> 8) == (colour & 0xFF)) {
    for (int32_t y = 0; y < rows; ++y, out += stride) std::memset(out, colour & 0xFF, static_cast<size_t>(count) * 2);
    return;
  }
  static const BlockFill fill = widestFill();
  fill(out, count, rows, stride, colour);
}

void fillRows(Surface& dst, const Rect& rect, uint16_t colour) {
  if (rect.isEmpty()) return;
  fillBlock(dst.at(rect.left, rect.top), rect.width(), rect.height(), dst.pitch / 2, colour);
}

}  // namespace

bool sharePixels(const Surface& a, const Surface& b) { return a.pixels != nullptr && a.pixels == b.pixels; }

std::unique_ptr<Surface> copyOf(const Surface& src) {
  std::unique_ptr<Surface> copy(Surface::create(src.width, src.height));
  if (copy) {
    for (int32_t y = 0; y < src.height; ++y) std::memcpy(copy->row(y), src.row(y), static_cast<size_t>(src.width) * 2);
  }
  return copy;
}

void copyKeyedRowBackward(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key) {
  for (int32_t i = count - 1; i >= 0; --i) {
    if (src[i] != key) dst[i] = src[i];
  }
}

void fillRow(uint16_t* out, int32_t count, uint16_t colour) { fillBlock(out, count, 1, count, colour); }

void copyKeyedRow(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key) {
  int32_t i = 0;
#if defined(__SSE2__)
  // Eight pixels at a time: keep the destination where the source equals the key.
  const __m128i keys = _mm_set1_epi16(static_cast<int16_t>(key));
  for (; i + 8 <= count; i += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    const __m128i transparent = _mm_cmpeq_epi16(s, keys);
    const __m128i merged = _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, s));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), merged);
  }
#endif
  for (; i < count; ++i) {
    if (src[i] != key) dst[i] = src[i];
  }
}

bool rowHasColour(const uint16_t* row, int32_t count, uint16_t colour) {
  int32_t i = 0;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi16(static_cast<int16_t>(colour));
  for (; i + 8 <= count; i += 8) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(pixels, wanted)) != 0) return true;
  }
#endif
  for (; i < count; ++i) {
    if (row[i] == colour) return true;
  }
  return false;
}

const Raster2D& Raster2D::instance() {
  static const Raster2D raster;
  return raster;
}

void Raster2D::blit(Surface& dst, Point dstPoint, const Surface& src, const Rect& srcRect) const {
  const auto bytes = static_cast<size_t>(srcRect.width()) * 2;
  // Whole rows of two surfaces without gaps between rows: one block.
  if (srcRect.width() == src.width && srcRect.width() == dst.width && src.pitch == dst.pitch &&
      static_cast<size_t>(src.pitch) == bytes) {
    std::memmove(dst.at(dstPoint.x, dstPoint.y), src.at(srcRect.left, srcRect.top), bytes * srcRect.height());
    return;
  }
  // A surface copied onto itself further down is copied from its last row up, so no row is overwritten
  // before it is read; memmove takes care of the overlap within a row.
  const bool upward = sharePixels(dst, src) && dstPoint.y > srcRect.top;
  for (int32_t i = 0; i < srcRect.height(); ++i) {
    const int32_t y = upward ? srcRect.bottom - 1 - i : srcRect.top + i;
    std::memmove(dst.at(dstPoint.x, dstPoint.y + (y - srcRect.top)), src.at(srcRect.left, y), bytes);
  }
}

void Raster2D::blitKeyed(Surface& dst, Point dstPoint, const Surface& src, const Rect& srcRect, uint16_t key) const {
  const bool same = sharePixels(dst, src);
  const bool upward = same && dstPoint.y > srcRect.top;
  // Within one row a copy to the right of its source runs from the right end.
  const bool backward = same && dstPoint.y == srcRect.top && dstPoint.x > srcRect.left;
  for (int32_t i = 0; i < srcRect.height(); ++i) {
    const int32_t y = upward ? srcRect.bottom - 1 - i : srcRect.top + i;
    uint16_t* out = dst.at(dstPoint.x, dstPoint.y + (y - srcRect.top));
    const uint16_t* in = src.at(srcRect.left, y);
    if (backward) {
      copyKeyedRowBackward(out, in, srcRect.width(), key);
    } else {
      copyKeyedRow(out, in, srcRect.width(), key);
    }
  }
}

void Raster2D::blitTransformed(Surface& dst, const Rect& dstRect, const Matrix& matrix, const Surface& src) const {
  // A transform may read any pixel of its source, so a surface turned onto itself is read from a copy.
  std::unique_ptr<Surface> copy = sharePixels(dst, src) ? copyOf(src) : nullptr;
  transformedCopy<false>(dst, dstRect, matrix, copy ? *copy : src, 0);
}

void Raster2D::blitTransformedKeyed(Surface& dst, const Rect& dstRect, const Matrix& matrix, const Surface& src,
                                    uint16_t key) const {
  std::unique_ptr<Surface> copy = sharePixels(dst, src) ? copyOf(src) : nullptr;
  transformedCopy<true>(dst, dstRect, matrix, copy ? *copy : src, key);
}

void Raster2D::circleClipped(Surface& dst, Point centre, int32_t radius, uint16_t colour, const Rect& clipRect) const {
  circleImpl<true>(dst, centre, radius, colour, clipRect);
}

void Raster2D::circle(Surface& dst, Point centre, int32_t radius, uint16_t colour) const {
  circleImpl<false>(dst, centre, radius, colour, Rect{});
}

void Raster2D::clear(Surface& dst, uint16_t colour) const { fillRows(dst, Rect{0, 0, dst.width, dst.height}, colour); }

void Raster2D::fillRect(Surface& dst, const Rect& rect, uint16_t colour) const { fillRows(dst, rect, colour); }

void Raster2D::hline(Surface& dst, Point point, int32_t count, uint16_t colour) const {
  fillRow(dst.at(point.x, point.y), count, colour);
}

void Raster2D::vline(Surface& dst, Point point, int32_t count, uint16_t colour) const {
  for (int32_t i = 0; i < count; ++i) *dst.at(point.x, point.y + i) = colour;
}

void Raster2D::setPixel(Surface& dst, Point point, uint16_t colour) const { *dst.at(point.x, point.y) = colour; }

void Raster2D::line(Surface& dst, Point from, Point to, uint16_t colour) const {
  // Drawn from both ends toward the middle, so each step writes two pixels.
  const int32_t dx = std::abs(to.x - from.x);
  const int32_t dy = std::abs(to.y - from.y);
  const int32_t sx = to.x > from.x ? 1 : (to.x < from.x ? -1 : 0);
  const int32_t sy = to.y > from.y ? 1 : (to.y < from.y ? -1 : 0);
  const bool xMajor = dx >= dy;
  const int32_t major = xMajor ? dx : dy;
  const int32_t minor = xMajor ? dy : dx;
  Point a = from;
  Point b = to;
  int32_t e = -major;
  for (int32_t i = 0; i < major / 2; ++i) {
    e += 2 * minor;
    *dst.at(a.x, a.y) = colour;
    *dst.at(b.x, b.y) = colour;
    if (e > 0) {
      a.x += sx;
      a.y += sy;
      b.x -= sx;
      b.y -= sy;
      e -= 2 * major;
    } else if (xMajor) {
      a.x += sx;
      b.x -= sx;
    } else {
      a.y += sy;
      b.y -= sy;
    }
  }
  *dst.at(a.x, a.y) = colour;
  if (major % 2 == 1) *dst.at(b.x, b.y) = colour;
}

}  // namespace Raster::Internal
