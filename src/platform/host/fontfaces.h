// The DejaVu fonts through FreeType: faces by file name, sizes of them in pixels, and glyphs drawn
// without antialiasing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FontFace;
struct FontSize;

// A face of the font folder by file name; null when it cannot be loaded. Faces live for the process.
FontFace* loadFontFace(const std::string& file);
// Its em square and the ascender and descender of its cells, in font units.
struct FaceUnits {
  int unitsPerEm = 0;
  int ascender = 0;
  int descender = 0;  // negative below the baseline
};
FaceUnits faceUnits(const FontFace* face);

// A size of the face, em pixels high; null on failure. Each is let go with releaseFontSize.
FontSize* newFontSize(FontFace* face, int em);
void releaseFontSize(FontSize* size);
// In whole pixels, rounded up.
struct SizeMetrics {
  int ascent = 0;
  int descent = 0;
  int maxAdvance = 0;
};
SizeMetrics sizeMetrics(const FontSize* size);

// Advance of one character in whole pixels; 0 when the face cannot draw it.
int glyphAdvance(FontSize* size, char16_t c);

// A character as one-bit pixels, placed from the pen position on the baseline.
struct Glyph {
  int left = 0;  // from the pen to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> on;  // width * rows, row after row: 1 where ink falls
};
// False when the face cannot draw the character.
bool drawGlyph(FontSize* size, char16_t c, Glyph& out);

}  // namespace platform
