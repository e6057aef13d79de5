// Device contexts, DIB sections, stock objects and block copies over the device screen.
#include "platform/api/gdi.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_set>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/api/gdiobjects.h"
#include "platform/api/gx.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/device/videohw.h"

namespace platform::gdi {

namespace {

// Drawing calls run on the main thread; the registry lock only keeps a stray call from another
// thread from corrupting the sets.
std::mutex registryLock;
std::unordered_set<const Object*> liveObjects;  // guarded by registryLock
std::unordered_set<const HDC__*> liveDcs;       // guarded by registryLock

// A screen at least this many pixels on its short side is a high-resolution one, at twice the dpi.
constexpr int kHighResolutionSide = 480;
constexpr int kDpi = 96;
// The system font's character height in pixels.
constexpr LONG kSystemFontHeight = -12;

HBRUSH__* makeStockBrush(COLORREF colour, bool hollow) {
  auto* brush = new HBRUSH__;
  brush->colour = colour;
  brush->hollow = hollow;
  brush->stock = true;
  registerObject(brush);
  return brush;
}

struct StockObjects {
  HBRUSH__* brushes[6];
  HBITMAP__* bitmap;  // the 1 x 1 bitmap a new memory context holds
  HFONT__* font;      // the system font every new context holds
  StockObjects() {
    brushes[WHITE_BRUSH] = makeStockBrush(RGB(255, 255, 255), false);
    brushes[LTGRAY_BRUSH] = makeStockBrush(RGB(192, 192, 192), false);
    brushes[GRAY_BRUSH] = makeStockBrush(RGB(128, 128, 128), false);
    brushes[DKGRAY_BRUSH] = makeStockBrush(RGB(64, 64, 64), false);
    brushes[BLACK_BRUSH] = makeStockBrush(RGB(0, 0, 0), false);
    brushes[NULL_BRUSH] = makeStockBrush(0, true);
    bitmap = new HBITMAP__;
    bitmap->width = 1;
    bitmap->height = 1;
    bitmap->stride = 4;
    bitmap->bits.assign(4, 0);
    bitmap->stock = true;
    registerObject(bitmap);
    LOGFONTW system{};
    system.lfHeight = kSystemFontHeight;
    system.lfWeight = FW_BOLD;
    font = CreateFontIndirectW(&system);
    if (font) font->stock = true;
  }
};

StockObjects& stock() {
  static StockObjects* objects = new StockObjects;  // lives as long as the process
  return *objects;
}

// Like the handheld's display driver, 16-bit channels widen by shifting: white becomes 0xF8FCF8.
uint32_t from565(uint16_t p) { return ((p & 0xF800u) << 8) | ((p & 0x07E0u) << 5) | ((p & 0x001Fu) << 3); }
// A row of 16-bit pixels onto a row of 32-bit ones, and copied as they are into kept; no row need be
// aligned.
void convert565Row(const uint8_t* in, uint8_t* out, int count, uint8_t* kept) {
  int i = 0;
#if defined(__SSE2__)
  // Eight pixels a step: green and blue shifted into place within each 16 bits, red into the low byte of
  // 16 bits of its own, the two halves then interleaved into 32-bit pixels.
  const __m128i greenMask = _mm_set1_epi16(static_cast<short>(0xFC00)), lowByteMask = _mm_set1_epi16(0x00F8);
  for (; i + 8 <= count; i += 8) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i * 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(kept + i * 2), p);
    const __m128i greenBlue =
        _mm_or_si128(_mm_and_si128(_mm_slli_epi16(p, 5), greenMask), _mm_and_si128(_mm_slli_epi16(p, 3), lowByteMask));
    const __m128i red = _mm_and_si128(_mm_srli_epi16(p, 8), lowByteMask);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * 4), _mm_unpacklo_epi16(greenBlue, red));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * 4 + 16), _mm_unpackhi_epi16(greenBlue, red));
  }
#endif
  for (; i < count; ++i) {
    uint16_t p;
    std::memcpy(&p, in + i * 2, 2);
    std::memcpy(kept + i * 2, &p, 2);
    const uint32_t rgb = from565(p);
    std::memcpy(out + i * 4, &rgb, 4);
  }
}
uint32_t from555(uint16_t p) { return ((p & 0x7C00u) << 9) | ((p & 0x03E0u) << 6) | ((p & 0x001Fu) << 3); }
uint16_t to565(uint32_t c) {
  return static_cast<uint16_t>(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
}
uint16_t to555(uint32_t c) {
  return static_cast<uint16_t>(((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F));
}

HDC newDc(bool screen) {
  auto* dc = new HDC__;
  dc->screen = screen;
  dc->brush = stock().brushes[WHITE_BRUSH];
  dc->brush->selections++;
  dc->font = stock().font;
  if (dc->font) dc->font->selections++;
  if (!screen) {
    dc->bitmap = stock().bitmap;
    dc->bitmap->selections++;
  }
  std::lock_guard lock(registryLock);
  liveDcs.insert(dc);
  return dc;
}

void deleteDc(HDC dc) {
  if (dc->bitmap) dc->bitmap->selections--;
  if (dc->font) dc->font->selections--;
  if (dc->brush) dc->brush->selections--;
  {
    std::lock_guard lock(registryLock);
    liveDcs.erase(dc);
  }
  delete dc;
}

template <class T>
T* swapSelection(T*& slot, T* object) {
  T* previous = slot;
  if (previous) previous->selections--;
  slot = object;
  object->selections++;
  return previous;
}

}  // namespace

void registerObject(Object* object) {
  std::lock_guard lock(registryLock);
  liveObjects.insert(object);
}

bool isLive(const Object* object) {
  std::lock_guard lock(registryLock);
  return object != nullptr && liveObjects.count(object) != 0;
}

void unregisterObject(Object* object) {
  std::lock_guard lock(registryLock);
  liveObjects.erase(object);
}

bool isLiveDc(HDC dc) {
  std::lock_guard lock(registryLock);
  return dc != nullptr && liveDcs.count(dc) != 0;
}

HFONT__* selectedFont(HDC dc) { return isLiveDc(dc) ? dc->font : nullptr; }

int PixelView::bytesPerPixel() const {
  switch (format_) {
    case Format::Screen:
    case Format::Rgb32:
      return 4;
    case Format::Rgb565:
    case Format::Rgb555:
      return 2;
    case Format::Mono:
    case Format::None:
      break;
  }
  return 0;
}

uint8_t* PixelView::row(int y) const {
  return base_ + static_cast<ptrdiff_t>(bottomUp_ ? height_ - 1 - y : y) * stride_;
}

uint32_t PixelView::get(int x, int y) const {
  const uint8_t* r = row(y);
  switch (format_) {
    case Format::Screen:
    case Format::Rgb32: {
      uint32_t v;
      std::memcpy(&v, r + x * 4, 4);
      return v & 0xFFFFFF;
    }
    case Format::Rgb565:
    case Format::Rgb555: {
      uint16_t v;
      std::memcpy(&v, r + x * 2, 2);
      return format_ == Format::Rgb565 ? from565(v) : from555(v);
    }
    case Format::Mono:
      return (r[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFF : 0;
    case Format::None:
      break;
  }
  return 0;
}

void PixelView::set(int x, int y, uint32_t rgb) {
  uint8_t* r = row(y);
  switch (format_) {
    case Format::Screen:
    case Format::Rgb32: {
      uint32_t v = rgb & 0xFFFFFF;
      std::memcpy(r + x * 4, &v, 4);
      break;
    }
    case Format::Rgb565:
    case Format::Rgb555: {
      uint16_t v = format_ == Format::Rgb565 ? to565(rgb) : to555(rgb);
      std::memcpy(r + x * 2, &v, 2);
      break;
    }
    case Format::Mono: {
      const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
      // Like the handheld: colours nearer white than black set the bit.
      const uint32_t sum = ((rgb >> 16) & 255) + ((rgb >> 8) & 255) + (rgb & 255);
      r[x / 8] = sum >= 384 ? (r[x / 8] | bit) : (r[x / 8] & ~bit);
      break;
    }
    case Format::None:
      break;
  }
}

PixelView PixelView::screen() {
  PixelView v;
  DeviceScreen& s = deviceScreen();
  v.format_ = Format::Screen;
  v.width_ = s.width();
  v.height_ = s.height();
  v.stride_ = s.width() * 4;
  v.base_ = reinterpret_cast<uint8_t*>(s.pixels());
  return v;
}

PixelView PixelView::bitmap(HBITMAP__* bitmap) {
  PixelView v;
  if (bitmap == nullptr || bitmap->bits.empty()) return v;
  v.width_ = bitmap->width;
  v.height_ = bitmap->height;
  v.stride_ = bitmap->stride;
  v.bottomUp_ = !bitmap->topDown;
  v.base_ = bitmap->bits.data();
  switch (bitmap->bitCount) {
    case 32:
      v.format_ = Format::Rgb32;
      break;
    case 16:
      v.format_ = bitmap->rgb565 ? Format::Rgb565 : Format::Rgb555;
      break;
    default:
      v.format_ = Format::Mono;
      break;
  }
  return v;
}

PixelView pixelsOf(HDC dc) {
  if (!isLiveDc(dc)) return PixelView();
  return dc->screen ? PixelView::screen() : PixelView::bitmap(dc->bitmap);
}

void presentIfScreen(HDC dc) {
  if (dc->screen) deviceScreen().present();
}

}  // namespace platform::gdi

using namespace platform::gdi;

HDC GetDC(HWND) { return newDc(true); }

int ReleaseDC(HWND, HDC dc) {
  if (!isLiveDc(dc) || !dc->screen) return 0;
  deleteDc(dc);
  return 1;
}

HDC CreateCompatibleDC(HDC) { return newDc(false); }

BOOL DeleteDC(HDC dc) {
  if (!isLiveDc(dc) || dc->screen) return FALSE;
  deleteDc(dc);
  return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int bitCount = h.biBitCount;
  // Sizes far beyond any screen are refused rather than allocated.
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 0x4000 || h.biHeight > 0x4000 || h.biHeight < -0x4000 ||
      (bitCount != 16 && bitCount != 32))
    return nullptr;
  bool rgb565 = false;
  if (h.biCompression == BI_BITFIELDS) {
    DWORD masks[3];
    std::memcpy(masks, reinterpret_cast<const uint8_t*>(info) + h.biSize, sizeof masks);
    if (bitCount == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) {
      rgb565 = true;
    } else if (!(bitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F) &&
               !(bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)) {
      return nullptr;
    }
  } else if (h.biCompression != BI_RGB) {
    return nullptr;
  }
  auto* bitmap = new HBITMAP__;
  bitmap->width = h.biWidth;
  bitmap->height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bitmap->topDown = h.biHeight < 0;
  bitmap->bitCount = bitCount;
  bitmap->rgb565 = rgb565;
  bitmap->stride = ((bitmap->width * bitCount + 31) / 32) * 4;
  bitmap->bits.assign(static_cast<size_t>(bitmap->stride) * static_cast<size_t>(bitmap->height), 0);
  registerObject(bitmap);
  if (bits) *bits = bitmap->bits.data();
  return bitmap;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
  auto* object = static_cast<Object*>(handle);
  if (!isLiveDc(dc) || !isLive(object)) return nullptr;
  if (auto* bitmap = dynamic_cast<HBITMAP__*>(object)) {
    // Only a memory context holds a bitmap, and a bitmap sits in one context at a time.
    if (dc->screen || (bitmap->selections > 0 && dc->bitmap != bitmap)) return nullptr;
    return swapSelection(dc->bitmap, bitmap);
  }
  if (auto* font = dynamic_cast<HFONT__*>(object)) return swapSelection(dc->font, font);
  if (auto* brush = dynamic_cast<HBRUSH__*>(object)) return swapSelection(dc->brush, brush);
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ handle) {
  auto* object = static_cast<Object*>(handle);
  if (!isLive(object) || object->stock || object->selections > 0) return FALSE;
  unregisterObject(object);
  delete object;
  return TRUE;
}

HGDIOBJ GetStockObject(int index) {
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return stock().brushes[index];
  if (index == SYSTEM_FONT) return stock().font;
  return nullptr;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto* brush = new HBRUSH__;
  brush->colour = colour & 0xFFFFFF;
  registerObject(brush);
  return brush;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!isLiveDc(dc)) return 0;
  const platform::Device& device = platform::device();
  const bool highResolution = std::min(device.screenWidth, device.screenHeight) >= kHighResolutionSide;
  switch (index) {
    case HORZRES:
      return device.screenWidth;
    case VERTRES:
      return device.screenHeight;
    case BITSPIXEL:
      return device.video.bitsPerPixel;
    case PLANES:
      return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return highResolution ? 2 * kDpi : kDpi;
    default:
      return 0;
  }
}

namespace {

// The last 16-bit frame put on the screen, and the screen's picture it made. A still picture is
// presented again and again: rows the screen already shows are neither converted nor shown again.
struct LastFrame {
  std::vector<uint8_t> pixels;  // its rows, packed
  int top = 0, left = 0, width = 0, height = 0;
  uint64_t picture = UINT64_MAX;
} lastFrame;  // main thread only, like the screen

// The 16-bit rectangle onto the 32-bit screen in one pass: each row is compared with the last frame's,
// and one that differs is converted and kept. Every row differs when the rectangle is another one or
// something else was drawn on the screen since. True when a row changed.
bool presentRows(const PixelView& from, PixelView& to, int top, int left, int width, int height, int dx, int dy) {
  const size_t rowBytes = static_cast<size_t>(width) * 2;
  const bool known = lastFrame.picture == platform::deviceScreen().pictureCount() && lastFrame.top == top + dy &&
                     lastFrame.left == left + dx && lastFrame.width == width && lastFrame.height == height;
  if (!known) {
    lastFrame.pixels.resize(rowBytes * static_cast<size_t>(height));
    lastFrame.top = top + dy;
    lastFrame.left = left + dx;
    lastFrame.width = width;
    lastFrame.height = height;
  }
  bool changed = false;
  uint8_t* kept = lastFrame.pixels.data();
  for (int row = 0; row < height; ++row, kept += rowBytes) {
    const uint8_t* in = from.row(top + dy + row) + (left + dx) * 2;
    if (known && std::memcmp(kept, in, rowBytes) == 0) continue;
    convert565Row(in, to.row(top + row) + left * 4, width, kept);
    changed = true;
  }
  if (changed) lastFrame.picture = platform::deviceScreen().pictureCount() + 1;
  return changed;
}

// The rectangle, clipped to the pixels, in one colour.
void fill(PixelView& to, int left, int top, int right, int bottom, uint32_t colour) {
  left = std::max(0, left);
  top = std::max(0, top);
  right = std::min(to.width(), right);
  bottom = std::min(to.height(), bottom);
  // Where pixels fill whole bytes, every row after the first is a copy of it.
  const int pixelBytes = to.bytesPerPixel();
  for (int row = top; row < bottom; ++row) {
    if (row > top && pixelBytes > 0 && left < right) {
      std::memcpy(to.row(row) + left * pixelBytes, to.row(top) + left * pixelBytes,
                  static_cast<size_t>(right - left) * static_cast<size_t>(pixelBytes));
      continue;
    }
    for (int col = left; col < right; ++col) to.set(col, row, colour);
  }
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  PixelView to = pixelsOf(dst);
  if (to.format() == PixelView::Format::None || width < 0 || height < 0) return FALSE;
  if (rop == BLACKNESS || rop == WHITENESS) {
    fill(to, x, y, x + width, y + height, rop == WHITENESS ? 0xFFFFFF : 0);
    presentIfScreen(dst);
    return TRUE;
  }
  if (rop != SRCCOPY) return FALSE;
  PixelView from = pixelsOf(src);
  if (from.format() == PixelView::Format::None) return FALSE;

  // Clip against both surfaces, moving both corners together.
  int left = std::max({x, 0, x - srcX});
  int top = std::max({y, 0, y - srcY});
  int right = std::min({x + width, to.width(), x - srcX + from.width()});
  int bottom = std::min({y + height, to.height(), y - srcY + from.height()});
  const int dx = srcX - x;
  const int dy = srcY - y;
  if (from.format() == to.format() && from.format() != PixelView::Format::Mono && right > left) {
    const int bytesPerPixel = to.bytesPerPixel();
    for (int row = top; row < bottom; ++row)
      std::memmove(to.row(row) + left * bytesPerPixel, from.row(row + dy) + (left + dx) * bytesPerPixel,
                   static_cast<size_t>(right - left) * bytesPerPixel);
  } else if (from.format() == PixelView::Format::Rgb565 && to.format() == PixelView::Format::Screen && right > left) {
    // The display layer's present, every frame.
    platform::deviceScreen().present(presentRows(from, to, top, left, right - left, bottom - top, dx, dy));
    return TRUE;
  } else {
    for (int row = top; row < bottom; ++row)
      for (int col = left; col < right; ++col) to.set(col, row, from.get(col + dx, row + dy));
  }
  presentIfScreen(dst);
  return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  PixelView to = pixelsOf(dc);
  if (rect == nullptr || to.format() == PixelView::Format::None || !isLive(brush)) return 0;
  if (brush->hollow) return 1;
  fill(to, rect->left, rect->top, rect->right, rect->bottom, toRgb(brush->colour));
  presentIfScreen(dc);
  return 1;
}

int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output) {
  if (!isLiveDc(dc)) return 0;
  return platform::video::escape(escape, inputSize, input, outputSize, output);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  if (!isLiveDc(dc)) return 0xFFFFFFFF;
  COLORREF previous = dc->textColour;
  dc->textColour = colour & 0xFFFFFF;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  if (!isLiveDc(dc)) return 0xFFFFFFFF;
  COLORREF previous = dc->bkColour;
  dc->bkColour = colour & 0xFFFFFF;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  if (!isLiveDc(dc) || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}
