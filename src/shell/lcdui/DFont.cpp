// System fonts through the platform's font engine, and their glyph masks.
#include "shell/lcdui/DFont.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "platform/api/gdi.h"
#include "shell/lcdui/EngineLink.h"

namespace nuv::microedition::lcdui {

using nuv::lang::DPtr;
using nuv::util::DHashtable;
using nuv::util::DHashtablePtr;

namespace {

constexpr int32_t kGlyphCapacity = 11;
constexpr int32_t kGlyphLoadFactor = 75;
// Points per inch: heights are given in points and turned into pixels at the screen's dpi.
constexpr int32_t kPointsPerInch = 72;
constexpr int32_t kMediumPoints = 11;
constexpr int32_t kSmallPoints = 9;
constexpr int32_t kLargePoints = 13;
constexpr int32_t kOtherCellHeight = 13;

// Shared by every screen that asks for the same face, style and height; released at shutdown.
DHashtablePtr fontCache;

// face | style | (pixel height << 16), the height shifted as an unsigned value since it is negative.
int32_t cacheKey(int32_t face, int32_t style, int32_t pixelHeight) {
  return face | style | static_cast<int32_t>(static_cast<uint32_t>(pixelHeight) << 16);
}

LOGFONTW describe(int32_t face, int32_t style, int32_t pixelHeight) {
  LOGFONTW f{};
  f.lfHeight = pixelHeight;
  f.lfWeight = (style & DFont::STYLE_BOLD) ? FW_BOLD : FW_NORMAL;
  f.lfItalic = (style & DFont::STYLE_ITALIC) ? 1 : 0;
  f.lfUnderline = (style & DFont::STYLE_UNDERLINED) ? 1 : 0;
  f.lfCharSet = DEFAULT_CHARSET;
  f.lfQuality = NONANTIALIASED_QUALITY;
  const char16_t* name = u"";
  if (face == DFont::FACE_SYSTEM) {
    name = u"Tahoma";
  } else if (face == DFont::FACE_MONOSPACE || face == DFont::FACE_PROPORTIONAL) {
    name = u"Courier New";
    f.lfPitchAndFamily = FF_MODERN;
  }
  for (int i = 0; name[i] != 0 && i < LF_FACESIZE - 1; ++i) f.lfFaceName[i] = name[i];
  return f;
}

// The objects of one use of the platform font engine, all released when it goes.
class FontSession {
 public:
  explicit FontSession(const LOGFONTW& description) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    font_ = CreateFontIndirectW(&description);
    if (dc_ != nullptr && font_ != nullptr) previousFont_ = SelectObject(dc_, font_);
  }
  ~FontSession() {
    if (previousFont_ != nullptr) SelectObject(dc_, previousFont_);
    if (previousBitmap_ != nullptr) SelectObject(dc_, previousBitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    if (font_ != nullptr) DeleteObject(font_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  FontSession(const FontSession&) = delete;
  FontSession& operator=(const FontSession&) = delete;

  bool ready() const { return previousFont_ != nullptr; }
  HDC dc() const { return dc_; }

  // A bottom-up 32-bit bitmap selected into the context; null when it cannot be made.
  const uint32_t* selectBitmap(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr) return nullptr;
    previousBitmap_ = SelectObject(dc_, bitmap_);
    return static_cast<const uint32_t*>(bits);
  }

 private:
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace

DFontPtr DFont::getFont(int32_t face, int32_t style, int32_t size) {
  const int32_t pixelHeight = getPixelHeight(size);
  const int32_t key = cacheKey(face, style, pixelHeight);
  if (fontCache.isNull()) fontCache = new DHashtable(kGlyphCapacity, kGlyphLoadFactor);
  if (auto* cached = static_cast<DFont*>(fontCache->get(key))) return cached;
  DFontPtr font = new DFont(face, style, pixelHeight);
  fontCache->put(key, font);
  return font;
}

DFontPtr DFont::getDefaultFont() { return getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_SMALL); }

int32_t DFont::getPixelHeight(int32_t size) {
  HDC screen = GetDC(nullptr);
  const int32_t dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  int32_t value = kOtherCellHeight;
  if (size == SIZE_MEDIUM) value = -(kMediumPoints * dpi) / kPointsPerInch;
  if (size == SIZE_SMALL) value = -(kSmallPoints * dpi) / kPointsPerInch;
  if (size == SIZE_LARGE) value = -(kLargePoints * dpi) / kPointsPerInch;
  if (enginePixelDoubling()) value = value * 8 / 10;
  return value;
}

void DFont::releaseCache() { fontCache = nullptr; }

DFont::DFont(int32_t faceCode, int32_t styleBits, int32_t pixelHeight)
    : face(faceCode), style(styleBits), pixelHeight_(pixelHeight) {
  glyphs_ = new DHashtable(kGlyphCapacity, kGlyphLoadFactor);
  FontSession session(describe(face, style, pixelHeight_));
  TEXTMETRICW metrics{};
  if (session.ready() && GetTextMetricsW(session.dc(), &metrics)) {
    height = metrics.tmHeight;
    baseline = metrics.tmAscent;
    descent = metrics.tmDescent;
  }
}

int32_t DFont::charWidth(char16_t character) {
  DCharMaskPtr mask = getCharMask(character);
  return mask.isNull() ? 0 : mask->width;
}

int32_t DFont::stringWidth(nuv::lang::DStringPtr text) {
  if (text.isNull()) nuv::lang::throwException(nuv::lang::ExceptionCode::NullPointerException);
  int32_t width = 0;
  for (char16_t c : text->view()) width += charWidth(c);
  return width;
}

DCharMaskPtr DFont::getCharMask(char16_t character) {
  if (glyphs_.isNull()) return nullptr;
  if (nuv::lang::DObject* cached = glyphs_->get(static_cast<int32_t>(character))) {
    return static_cast<DCharMask*>(cached);
  }
  render(character);
  return static_cast<DCharMask*>(glyphs_->get(static_cast<int32_t>(character)));
}

void DFont::render(char16_t character) {
  FontSession session(describe(face, style, pixelHeight_));
  TEXTMETRICW metrics{};
  SIZE extent{};
  if (session.ready() && GetTextMetricsW(session.dc(), &metrics)) {
    height = metrics.tmHeight;
    baseline = metrics.tmAscent;
    descent = metrics.tmDescent;
    GetTextExtentPoint32W(session.dc(), &character, 1, &extent);
  }
  DCharMaskPtr mask = new DCharMask(character, extent.cx, height);
  glyphs_->put(static_cast<int32_t>(character), mask);
  if (mask->width == 0 || mask->height == 0) return;

  // The bitmap holds exactly the character's cell, so nothing is read or written outside it.
  const uint32_t* bits = session.selectBitmap(mask->width, mask->height);
  if (bits == nullptr) return;
  SetTextColor(session.dc(), RGB(0, 0, 0));
  SetBkColor(session.dc(), RGB(255, 255, 255));
  SetBkMode(session.dc(), OPAQUE);
  ExtTextOutW(session.dc(), 0, 0, 0, nullptr, &character, 1, nullptr);
  for (int32_t r = 0; r < mask->height; ++r) {
    // Bottom-up rows.
    const uint32_t* pixels = bits + static_cast<size_t>(mask->height - 1 - r) * static_cast<size_t>(mask->width);
    uint8_t* out = mask->row(r);
    for (int32_t c = 0; c < mask->width; ++c) out[c] = (pixels[c] & 0xFFFFFF) == 0 ? 0xFF : 0;
  }
}

}  // namespace nuv::microedition::lcdui
