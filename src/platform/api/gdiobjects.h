// Inside the drawing calls: the objects behind the handles and a pixel view of whatever a context draws on.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/gdi.h"

namespace platform {
struct FontSize;
}

namespace platform::gdi {

struct Object {
  virtual ~Object() = default;
  bool stock = false;
  int selections = 0;  // contexts that have it selected; such an object is not deleted
};

// Registry of live objects, so stale or foreign handles are refused rather than followed.
void registerObject(Object* object);
bool isLive(const Object* object);
void unregisterObject(Object* object);

// The pixels a context draws on, as 0x00RRGGBB values.
class PixelView {
 public:
  enum class Format { None, Screen, Rgb32, Rgb565, Rgb555, Mono };

  int width() const { return width_; }
  int height() const { return height_; }
  Format format() const { return format_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  uint32_t get(int x, int y) const;
  void set(int x, int y, uint32_t rgb);
  uint8_t* row(int y) const;
  // 0 where pixels share bytes (Mono) or there are none.
  int bytesPerPixel() const;

  static PixelView screen();
  static PixelView bitmap(HBITMAP__* bitmap);

 private:
  Format format_ = Format::None;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  bool bottomUp_ = false;
  uint8_t* base_ = nullptr;
};

// A copy onto the screen is shown at once.
void presentIfScreen(HDC dc);
PixelView pixelsOf(HDC dc);
bool isLiveDc(HDC dc);
HFONT__* selectedFont(HDC dc);

constexpr uint32_t toRgb(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace platform::gdi

struct HBITMAP__ : platform::gdi::Object {
  int width = 0;
  int height = 0;
  int bitCount = 1;
  bool topDown = false;
  bool rgb565 = false;
  int stride = 0;
  std::vector<uint8_t> bits;
};

struct HBRUSH__ : platform::gdi::Object {
  COLORREF colour = 0;
  bool hollow = false;
};

struct HFONT__ : platform::gdi::Object {
  ~HFONT__() override;
  LOGFONTW logFont{};
  platform::FontSize* size = nullptr;  // the face at this font's size
  int em = 0;                          // character height in pixels
  int ascent = 0;
  int descent = 0;
};

struct HDC__ {
  bool screen = false;
  HBITMAP__* bitmap = nullptr;
  HFONT__* font = nullptr;
  HBRUSH__* brush = nullptr;
  COLORREF textColour = 0;
  COLORREF bkColour = 0xFFFFFF;
  int bkMode = OPAQUE;
};
