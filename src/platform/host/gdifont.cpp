// Fonts by face name and non-antialiased text, drawn with FreeType from the DejaVu fonts.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/api/gdi.h"
#include "platform/api/gdiobjects.h"
#include "platform/host/text.h"

namespace platform::gdi {

struct FontFace {
  FT_Face face = nullptr;
};

namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";
// A request for height 0 gets this character height.
constexpr int kDefaultEm = 12;
constexpr LONG kBoldWeight = 600;

// Faces are loaded once and kept for the life of the process; fonts only add sizes to them.
FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

FontFace* loadFace(const std::string& file) {
  static std::map<std::string, FontFace*>* faces = new std::map<std::string, FontFace*>;
  auto found = faces->find(file);
  if (found != faces->end()) return found->second;
  FT_Library lib = library();
  FT_Face face = nullptr;
  if (lib == nullptr || FT_New_Face(lib, (std::string(kFontFolder) + file).c_str(), 0, &face) != 0) return nullptr;
  auto* loaded = new FontFace{face};
  (*faces)[file] = loaded;
  return loaded;
}

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

bool activate(HFONT__* font) {
  return font != nullptr && font->face != nullptr && FT_Activate_Size(static_cast<FT_Size>(font->size)) == 0;
}

// Advance of one character in whole pixels.
int advanceOf(HFONT__* font, WCHAR c) {
  if (FT_Load_Char(font->face->face, c, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return 0;
  return static_cast<int>((font->face->face->glyph->advance.x + 32) >> 6);
}

int extentOf(HFONT__* font, LPCWSTR text, int count) {
  int width = 0;
  for (int i = 0; i < count; ++i) width += advanceOf(font, text[i]);
  return width;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT__::~HFONT__() {
  if (size != nullptr) FT_Done_Size(static_cast<FT_Size>(size));
}

HFONT CreateFontIndirectW(const LOGFONTW* description) {
  if (description == nullptr) return nullptr;
  FontFace* face = loadFace(fontFile(*description));
  if (face == nullptr) return nullptr;
  FT_Size size = nullptr;
  if (FT_New_Size(face->face, &size) != 0) return nullptr;
  FT_Activate_Size(size);

  int em = kDefaultEm;
  if (description->lfHeight < 0) {
    em = -description->lfHeight;
  } else if (description->lfHeight > 0) {
    // A cell height: the character height is the part of it the font's em square takes.
    const FT_Face f = face->face;
    const int cell = f->ascender - f->descender;
    em = std::max(1, cell > 0 ? (description->lfHeight * f->units_per_EM + cell / 2) / cell : description->lfHeight);
  }
  em = std::min(em, 1024);
  if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(em)) != 0) {
    FT_Done_Size(size);
    return nullptr;
  }
  auto* font = new HFONT__;
  font->logFont = *description;
  font->face = face;
  font->size = size;
  font->em = em;
  font->ascent = static_cast<int>((size->metrics.ascender + 63) >> 6);
  font->descent = static_cast<int>((-size->metrics.descender + 63) >> 6);
  registerObject(font);
  return font;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  HFONT__* font = selectedFont(dc);
  if (metrics == nullptr || !activate(font)) return FALSE;
  *metrics = TEXTMETRICW{};
  metrics->tmAscent = font->ascent;
  metrics->tmDescent = font->descent;
  metrics->tmHeight = font->ascent + font->descent;
  metrics->tmInternalLeading = std::max(0, metrics->tmHeight - font->em);
  metrics->tmAveCharWidth = advanceOf(font, u'x');
  metrics->tmMaxCharWidth = static_cast<LONG>((font->face->face->size->metrics.max_advance + 63) >> 6);
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
  if (size == nullptr || count < 0 || (text == nullptr && count > 0) || !activate(font)) return FALSE;
  size->cx = extentOf(font, text, count);
  size->cy = font->ascent + font->descent;
  return TRUE;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int*) {
  PixelView to = pixelsOf(dc);
  HFONT__* font = selectedFont(dc);
  if (to.format() == PixelView::Format::None || !activate(font) || (text == nullptr && count > 0)) return FALSE;

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
  const FT_Face face = font->face->face;
  int penX = x;
  for (UINT i = 0; i < count; ++i) {
    if (FT_Load_Char(face, text[i], FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) continue;
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int originX = penX + glyph->bitmap_left;
    const int originY = y + font->ascent - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
      const int py = originY + static_cast<int>(row);
      if (py < clipTop || py >= clipBottom) continue;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const bool on =
            bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (bits[col / 8] & (0x80 >> (col % 8))) != 0 : bits[col] >= 128;
        const int px = originX + static_cast<int>(col);
        if (on && px >= clipLeft && px < clipRight) to.set(px, py, ink);
      }
    }
    penX += static_cast<int>((glyph->advance.x + 32) >> 6);
  }
  if (font->logFont.lfUnderline) fill(x, y + font->ascent + 1, x + width, y + font->ascent + 2, ink);
  if (font->logFont.lfStrikeOut) {
    const int row = y + font->ascent - font->em / 3;
    fill(x, row, x + width, row + 1, ink);
  }
  presentIfScreen(dc);
  return TRUE;
}
