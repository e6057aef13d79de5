// Font faces, sizes and glyphs on FreeType.
#include "platform/host/fontfaces.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <map>

namespace platform {

struct FontFace {
  FT_Face face = nullptr;
};

struct FontSize {
  FT_Face face = nullptr;
  FT_Size size = nullptr;
};

namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

// Faces are loaded once and kept for the life of the process; fonts only add sizes to them.
FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

// A face serves one size at a time: the one asked of it last.
bool activate(FontSize* size) { return size != nullptr && FT_Activate_Size(size->size) == 0; }

int wholePixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

}  // namespace

FontFace* loadFontFace(const std::string& file) {
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

FaceUnits faceUnits(const FontFace* face) {
  return FaceUnits{face->face->units_per_EM, face->face->ascender, face->face->descender};
}

FontSize* newFontSize(FontFace* face, int em) {
  FT_Size size = nullptr;
  if (face == nullptr || FT_New_Size(face->face, &size) != 0) return nullptr;
  FT_Activate_Size(size);
  if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(em)) != 0) {
    FT_Done_Size(size);
    return nullptr;
  }
  return new FontSize{face->face, size};
}

void releaseFontSize(FontSize* size) {
  if (size == nullptr) return;
  FT_Done_Size(size->size);
  delete size;
}

SizeMetrics sizeMetrics(const FontSize* size) {
  const FT_Size_Metrics& m = size->size->metrics;
  return SizeMetrics{wholePixels(m.ascender), wholePixels(-m.descender), wholePixels(m.max_advance)};
}

int glyphAdvance(FontSize* size, char16_t c) {
  if (!activate(size) || FT_Load_Char(size->face, c, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return 0;
  return static_cast<int>((size->face->glyph->advance.x + 32) >> 6);
}

bool drawGlyph(FontSize* size, char16_t c, Glyph& out) {
  if (!activate(size) || FT_Load_Char(size->face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
    return false;
  const FT_GlyphSlot glyph = size->face->glyph;
  const FT_Bitmap& bitmap = glyph->bitmap;
  out.left = glyph->bitmap_left;
  out.top = glyph->bitmap_top;
  out.width = static_cast<int>(bitmap.width);
  out.rows = static_cast<int>(bitmap.rows);
  out.advance = static_cast<int>((glyph->advance.x + 32) >> 6);
  out.on.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.rows), 0);
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const bool on =
          bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (bits[col / 8] & (0x80 >> (col % 8))) != 0 : bits[col] >= 128;
      out.on[static_cast<size_t>(row) * bitmap.width + col] = on ? 1 : 0;
    }
  }
  return true;
}

}  // namespace platform
