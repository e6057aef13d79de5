// Fonts by face name and non-antialiased text, drawn from the DejaVu fonts.
#include <algorithm>
#include <cctype>
#include <string>

#include "platform/api/gdi.h"
#include "platform/api/gdiobjects.h"
#include "platform/host/fontfaces.h"
#include "platform/host/text.h"

namespace platform::gdi {

namespace {

// A request for height 0 gets this character height.
constexpr int kDefaultEm = 12;
constexpr LONG kBoldWeight = 600;

std::string lowerFaceName(const WCHAR* name) {
  std::u16string n;
  for (int i = 0; i < LF_FACESIZE && name[i] != 0; ++i) n += name[i];
  std::string s = platform::toUtf8(n);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The file that stands in for the described font.
std::string fontFile(const LOGFONTW& f) {
  const std::string name = lowerFaceName(f.lfFaceName);
  const bool mono = name == "courier new" || (name.empty() && (f.lfPitchAndFamily & 0xF0) == FF_MODERN);
  const bool bold = f.lfWeight >= kBoldWeight;
  const bool italic = f.lfItalic != 0;
  std::string file = mono ? "DejaVuSansMono" : "DejaVuSans";
  if (bold && italic) return file + "-BoldOblique.ttf";
  if (bold) return file + "-Bold.ttf";
  if (italic) return file + "-Oblique.ttf";
  return file + ".ttf";
}

int advanceOf(HFONT__* font, WCHAR c) { return glyphAdvance(font->size, c); }

int extentOf(HFONT__* font, LPCWSTR text, int count) {
  int width = 0;
  for (int i = 0; i < count; ++i) width += advanceOf(font, text[i]);
  return width;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT__::~HFONT__() { platform::releaseFontSize(size); }

HFONT CreateFontIndirectW(const LOGFONTW* description) {
  if (description == nullptr) return nullptr;
  platform::FontFace* face = platform::loadFontFace(fontFile(*description));
  if (face == nullptr) return nullptr;

  int em = kDefaultEm;
  if (description->lfHeight < 0) {
    em = -description->lfHeight;
  } else if (description->lfHeight > 0) {
    // A cell height: the character height is the part of it the font's em square takes.
    const platform::FaceUnits units = platform::faceUnits(face);
    const int cell = units.ascender - units.descender;
    em = std::max(1, cell > 0 ? (description->lfHeight * units.unitsPerEm + cell / 2) / cell : description->lfHeight);
  }
  em = std::min(em, 1024);
  platform::FontSize* size = platform::newFontSize(face, em);
  if (size == nullptr) return nullptr;
  const platform::SizeMetrics metrics = platform::sizeMetrics(size);
  auto* font = new HFONT__;
  font->logFont = *description;
  font->size = size;
  font->em = em;
  font->ascent = metrics.ascent;
  font->descent = metrics.descent;
  registerObject(font);
  return font;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  HFONT__* font = selectedFont(dc);
  if (metrics == nullptr || font == nullptr || font->size == nullptr) return FALSE;
  *metrics = TEXTMETRICW{};
  metrics->tmAscent = font->ascent;
  metrics->tmDescent = font->descent;
  metrics->tmHeight = font->ascent + font->descent;
  metrics->tmInternalLeading = std::max(0, metrics->tmHeight - font->em);
  metrics->tmAveCharWidth = advanceOf(font, u'x');
  metrics->tmMaxCharWidth = platform::sizeMetrics(font->size).maxAdvance;
  metrics->tmWeight = font->logFont.lfWeight;
  metrics->tmItalic = font->logFont.lfItalic;
  metrics->tmUnderlined = font->logFont.lfUnderline;
  metrics->tmStruckOut = font->logFont.lfStrikeOut;
  metrics->tmPitchAndFamily = font->logFont.lfPitchAndFamily;
  metrics->tmCharSet = font->logFont.lfCharSet;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFFFC;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  HFONT__* font = selectedFont(dc);
  if (size == nullptr || count < 0 || (text == nullptr && count > 0) || font == nullptr || font->size == nullptr)
    return FALSE;
  size->cx = extentOf(font, text, count);
  size->cy = font->ascent + font->descent;
  return TRUE;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int*) {
  PixelView to = pixelsOf(dc);
  HFONT__* font = selectedFont(dc);
  if (to.format() == PixelView::Format::None || font == nullptr || font->size == nullptr ||
      (text == nullptr && count > 0))
    return FALSE;

  // Everything is cut to the surface, and to the rectangle when asked.
  int clipLeft = 0, clipTop = 0, clipRight = to.width(), clipBottom = to.height();
  if (rect != nullptr && (options & ETO_CLIPPED)) {
    clipLeft = std::max<int>(clipLeft, rect->left);
    clipTop = std::max<int>(clipTop, rect->top);
    clipRight = std::min<int>(clipRight, rect->right);
    clipBottom = std::min<int>(clipBottom, rect->bottom);
  }
  auto fill = [&](int left, int top, int right, int bottom, uint32_t colour) {
    for (int row = std::max(top, clipTop); row < std::min(bottom, clipBottom); ++row)
      for (int col = std::max(left, clipLeft); col < std::min(right, clipRight); ++col) to.set(col, row, colour);
  };

  const int height = font->ascent + font->descent;
  const int width = extentOf(font, text, static_cast<int>(count));
  if (rect != nullptr && (options & ETO_OPAQUE))
    fill(rect->left, rect->top, rect->right, rect->bottom, toRgb(dc->bkColour));
  if (dc->bkMode == OPAQUE) fill(x, y, x + width, y + height, toRgb(dc->bkColour));

  const uint32_t ink = toRgb(dc->textColour);
  int penX = x;
  platform::Glyph glyph;
  for (UINT i = 0; i < count; ++i) {
    if (!platform::drawGlyph(font->size, text[i], glyph)) continue;
    const int originX = penX + glyph.left;
    const int originY = y + font->ascent - glyph.top;
    for (int row = 0; row < glyph.rows; ++row) {
      const int py = originY + row;
      if (py < clipTop || py >= clipBottom) continue;
      for (int col = 0; col < glyph.width; ++col) {
        const int px = originX + col;
        if (glyph.on[static_cast<size_t>(row) * glyph.width + col] && px >= clipLeft && px < clipRight)
          to.set(px, py, ink);
      }
    }
    penX += glyph.advance;
  }
  if (font->logFont.lfUnderline) fill(x, y + font->ascent + 1, x + width, y + font->ascent + 2, ink);
  if (font->logFont.lfStrikeOut) {
    const int row = y + font->ascent - font->em / 3;
    fill(x, row, x + width, row + 1, ink);
  }
  presentIfScreen(dc);
  return TRUE;
}
