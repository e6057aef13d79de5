// Bitmap fonts: up to ten page pictures of glyphs side by side, each with a metrics resource listing its
// characters and widths; text is measured, wrapped and drawn glyph by glyph through the clip.
#pragma once

#include <cstdint>
#include <string>

#include "core/io/DDataInputStream.h"
#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DbyteArray2d.h"
#include "core/lang/DintArray2d.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

using DImageArray = nuv::lang::DTypedArray<nuv::microedition::lcdui::DImage>;
using DImageArrayPtr = nuv::lang::DPtr<DImageArray>;

class ImageFont : public nuv::lang::DObject {
 public:
  static constexpr int32_t kMaxPages = 10;

  ImageFont() = default;
  ~ImageFont() override;
  const char* getClassName() const override { return "ImageFont"; }

  // Pages prefix + "/font_" + i (picture i + ".png", metrics without extension) for i = 0..9; a page
  // that fails is skipped.
  void load(nuv::lang::DStringPtr prefix);
  // The height of page 0's picture.
  int32_t getHeight();
  int32_t stringWidth(nuv::lang::DStringPtr text);
  // Anchors HCENTER, RIGHT, VCENTER, BOTTOM and BASELINE move the text; the clip of g is kept.
  void drawString(nuv::microedition::lcdui::DGraphicsPtr g, nuv::lang::DStringPtr text, int32_t x, int32_t y,
                  int32_t anchor);
  // drawString on the screen canvas's graphics.
  void drawStringOnScreen(nuv::lang::DStringPtr text, int32_t x, int32_t y, int32_t anchor);
  // Lines that fit in maxWidth, broken at spaces and line feeds (never at a no-break space, which measures
  // and draws as a space); a word wider than maxWidth keeps a line of its own.
  nuv::lang::DStringArrayPtr splitLines(int32_t maxWidth, nuv::lang::DStringPtr text);

  DImageArrayPtr pages;
  nuv::lang::DintArray2dPtr glyphOffsets;
  nuv::lang::DbyteArray2dPtr glyphWidths;
  nuv::lang::DStringArrayPtr charsets;
  int32_t pageCount = 0;
  int32_t spacing = 0;
  bool upperCase = true;

 private:
  // Page and glyph of a character other than space; false when no page holds it.
  bool findGlyph(char16_t c, int32_t& page, int32_t& glyph) const;
  // Page `page`'s metrics into its glyph tables; its characters. Damage is refused under `name`.
  std::u16string readMetrics(nuv::io::DDataInputStreamPtr data, int32_t page, nuv::lang::DStringPtr name);
  int32_t spaceAdvance();
  nuv::lang::DStringPtr prepare(nuv::lang::DStringPtr text);
};

using ImageFontPtr = nuv::lang::DPtr<ImageFont>;
using ImageFontArray = nuv::lang::DTypedArray<ImageFont>;
using ImageFontArrayPtr = nuv::lang::DPtr<ImageFontArray>;

}  // namespace gamelib
