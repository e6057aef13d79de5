// Bitmap fonts: glyph rows rendered with FreeType into page pictures plus their metrics resources.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Image.h"
#include "Png.h"

namespace datakit {

// How one font looks. Sizes are for the 240x320 screen; a scale multiplies them.
struct FontStyle {
  std::string face = "DejaVuSans-Bold.ttf";
  int pixels = 12;         // FreeType pixel size
  Rgb fillTop = 0xFFFFFF;  // the fill runs from top to baseline in a vertical gradient
  Rgb fillBottom = 0xFFFFFF;
  bool outlined = true;
  Rgb outline = 0x000000;
  bool shadowed = false;  // one pixel down and right of the outline
  Rgb shadow = 0x000000;
  bool upperCase = true;  // the program upper-cases text for this font: only capitals are drawn
  int tracking = 0;       // extra pixels of room inside every glyph cell
};

struct FontPage {
  Image picture;
  std::u16string chars;
  std::vector<int> widths;
};

// The program's own upper-casing of one character, so fonts hold what it will look up.
char16_t upperOf(char16_t c);

class FontRenderer {
 public:
  // fontDir holds the .ttf files named by the styles.
  explicit FontRenderer(std::string fontDir);
  ~FontRenderer();
  FontRenderer(const FontRenderer&) = delete;
  FontRenderer& operator=(const FontRenderer&) = delete;

  // Pages of at most 127 glyphs each; a space leads page 0 since its width is the space's advance.
  std::vector<FontPage> renderPages(const FontStyle& style, const std::u16string& charset, int scale);
  // One line of text in the style, for lettering in generated pictures; key colour around it.
  Image renderText(const FontStyle& style, const std::u16string& text, int scale);
  bool hasGlyph(const FontStyle& style, char16_t c);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The metrics resource of one page: a count byte, then per glyph its character as a UTF string
// and its width as a signed byte.
Bytes writeFontMetrics(const FontPage& page);

// The characters a font with this style must hold for the given text characters.
std::u16string fontCharacters(const FontStyle& style, const std::u16string& charset);

}  // namespace datakit
