// Bitmap fonts: glyph rows rendered with FreeType into page pictures plus their metrics resources.
#include "Fonts.h"

#include <ft2build.h>

#include "TextTables.h"
#include "platform/api/strings.h"
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <stdexcept>

namespace datakit {

namespace {

constexpr int kGlyphsPerPage = 127;

struct Glyph {
  Image mask;    // key colour where empty, white where inked
  int left = 0;  // pen offset of the mask
  int top = 0;   // rows above the baseline
  int advance = 0;
};

}  // namespace

char16_t upperOf(char16_t c) {
  WCHAR buffer[1] = {c};
  CharUpperBuffW(buffer, 1);
  return buffer[0];
}

std::u16string fontCharacters(const FontStyle& style, const std::u16string& charset) {
  std::u16string out = u" ";
  for (char16_t c : charset) {
    char16_t g = style.upperCase ? upperOf(c) : c;
    if (g != u' ' && out.find(g) == std::u16string::npos) out.push_back(g);
  }
  return out;
}

struct FontRenderer::Impl {
  std::string dir;
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;

  FT_Face face(const FontStyle& style, int scale) {
    auto it = faces.find(style.face);
    if (it == faces.end()) {
      FT_Face f = nullptr;
      if (FT_New_Face(library, (dir + "/" + style.face).c_str(), 0, &f) != 0)
        throw std::runtime_error("cannot open font face " + dir + "/" + style.face);
      it = faces.emplace(style.face, f).first;
    }
    if (FT_Set_Pixel_Sizes(it->second, 0, static_cast<FT_UInt>(style.pixels * scale)) != 0)
      throw std::runtime_error("font face " + style.face + " has no size " + std::to_string(style.pixels));
    return it->second;
  }

  Glyph glyph(const FontStyle& style, char16_t c, int scale) {
    FT_Face f = face(style, scale);
    FT_UInt index = FT_Get_Char_Index(f, c);
    if (index == 0 && c != u' ')
      throw std::runtime_error("font face " + style.face + " has no glyph for U+" + std::to_string(int(c)));
    if (FT_Load_Glyph(f, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
      throw std::runtime_error("cannot render a glyph of " + style.face);
    const FT_Bitmap& bm = f->glyph->bitmap;
    Glyph g;
    g.left = f->glyph->bitmap_left;
    g.top = f->glyph->bitmap_top;
    g.advance = static_cast<int>((f->glyph->advance.x + 32) >> 6) + style.tracking * scale;
    g.mask = Image(static_cast<int>(bm.width), static_cast<int>(bm.rows));
    for (unsigned y = 0; y < bm.rows; ++y)
      for (unsigned x = 0; x < bm.width; ++x) {
        const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
        bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7)) & 1) : row[x] >= 128;
        if (on) g.mask.set(int(x), int(y), 0xFFFFFF);
      }
    return g;
  }

  // Line metrics for a set of glyphs: rows above the baseline and below it.
  void lineMetrics(const FontStyle& style, int scale, int& above, int& below) {
    FT_Face f = face(style, scale);
    above = static_cast<int>((f->size->metrics.ascender + 63) >> 6);
    below = static_cast<int>((-f->size->metrics.descender + 63) >> 6);
  }

  // Draws glyph masks in the style: gradient fill, outline, shadow. The cell is the glyph's
  // advance plus the outline and shadow margins.
  Image cell(const FontStyle& style, const Glyph& g, int above, int below, int capTop, int scale) {
    int margin = style.outlined ? scale : 0;
    int shadow = style.shadowed ? scale : 0;
    int minX = std::min(0, g.left);
    int maxX = std::max(g.advance, g.left + g.mask.width());
    int width = maxX - minX + 2 * margin + shadow;
    int height = above + below + 2 * margin + shadow;
    Image fill(width, height);
    int baseline = margin + above;
    for (int y = 0; y < g.mask.height(); ++y)
      for (int x = 0; x < g.mask.width(); ++x) {
        if (g.mask.at(x, y) == kKeyColour) continue;
        int py = baseline - g.top + y;
        int span = std::max(1, baseline - (margin + capTop));
        int t = std::clamp((py - (margin + capTop)) * 256 / span, 0, 256);
        fill.set(margin + g.left - minX + x, py, mix(style.fillTop, style.fillBottom, t));
      }
    Image out = fill;
    if (style.outlined)
      for (int k = 0; k < scale; ++k) out.outline(style.outline);
    if (style.shadowed) {
      Image shadowed(width, height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (out.at(x, y) != kKeyColour) shadowed.fillRect(x + shadow, y + shadow, 1, 1, style.shadow);
      shadowed.blit(out, 0, 0);
      out = shadowed;
    }
    return out;
  }

  int capTop(const FontStyle& style, int scale, int above) {
    Glyph h = glyph(style, u'H', scale);
    return above - h.top;
  }
};

FontRenderer::FontRenderer(std::string fontDir) : impl_(std::make_unique<Impl>()) {
  impl_->dir = std::move(fontDir);
  if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("cannot start FreeType");
}

FontRenderer::~FontRenderer() {
  for (auto& [name, face] : impl_->faces) FT_Done_Face(face);
  FT_Done_FreeType(impl_->library);
}

bool FontRenderer::hasGlyph(const FontStyle& style, char16_t c) {
  return c == u' ' || FT_Get_Char_Index(impl_->face(style, 1), c) != 0;
}

std::vector<FontPage> FontRenderer::renderPages(const FontStyle& style, const std::u16string& charset, int scale) {
  std::u16string chars = fontCharacters(style, charset);
  int above = 0, below = 0;
  impl_->lineMetrics(style, scale, above, below);
  int capTop = impl_->capTop(style, scale, above);
  std::vector<FontPage> pages;
  for (size_t first = 0; first < chars.size(); first += kGlyphsPerPage) {
    FontPage page;
    page.chars = chars.substr(first, kGlyphsPerPage);
    std::vector<Image> cells;
    int width = 0;
    for (char16_t c : page.chars) {
      cells.push_back(impl_->cell(style, impl_->glyph(style, c, scale), above, below, capTop, scale));
      if (cells.back().width() > 127) throw std::runtime_error("glyph wider than 127 pixels");
      page.widths.push_back(cells.back().width());
      width += cells.back().width();
    }
    page.picture = Image(width, cells.front().height());
    int x = 0;
    for (const Image& cell : cells) {
      page.picture.blit(cell, x, 0);
      x += cell.width();
    }
    pages.push_back(std::move(page));
  }
  return pages;
}

Image FontRenderer::renderText(const FontStyle& style, const std::u16string& text, int scale) {
  int above = 0, below = 0;
  impl_->lineMetrics(style, scale, above, below);
  int capTop = impl_->capTop(style, scale, above);
  std::vector<Image> cells;
  int width = 0;
  for (char16_t c : text) {
    cells.push_back(
        impl_->cell(style, impl_->glyph(style, style.upperCase ? upperOf(c) : c, scale), above, below, capTop, scale));
    width += cells.back().width();
  }
  if (cells.empty()) return Image();
  Image out(width, cells.front().height());
  int x = 0;
  for (const Image& cell : cells) {
    out.blit(cell, x, 0);
    x += cell.width();
  }
  return out;
}

Bytes writeFontMetrics(const FontPage& page) {
  if (page.chars.size() > 127 || page.chars.size() != page.widths.size())
    throw std::runtime_error("a font page holds at most 127 glyphs");
  Bytes out{static_cast<std::uint8_t>(page.chars.size())};
  for (size_t i = 0; i < page.chars.size(); ++i) {
    appendUtf(out, std::u16string(1, page.chars[i]));
    out.push_back(static_cast<std::uint8_t>(page.widths[i]));
  }
  return out;
}

}  // namespace datakit
