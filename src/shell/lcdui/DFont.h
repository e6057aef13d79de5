// The system font: a face, a style and a size, rendered one character at a time into cached byte masks.
// Fonts are shared through a global cache.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "shell/lcdui/DCharMask.h"

namespace nuv::microedition::lcdui {

class DFont;
using DFontPtr = nuv::lang::DPtr<DFont>;

class DFont : public nuv::lang::DObject {
 public:
  static constexpr int32_t FACE_SYSTEM = 0;
  static constexpr int32_t FACE_MONOSPACE = 32;
  static constexpr int32_t FACE_PROPORTIONAL = 64;
  static constexpr int32_t STYLE_PLAIN = 0;
  static constexpr int32_t STYLE_BOLD = 1;
  static constexpr int32_t STYLE_ITALIC = 2;
  static constexpr int32_t STYLE_UNDERLINED = 4;
  static constexpr int32_t SIZE_MEDIUM = 0;
  static constexpr int32_t SIZE_SMALL = 8;
  static constexpr int32_t SIZE_LARGE = 16;

  // The cached font for the face, style and pixel height of the size, made on first request.
  static DFontPtr getFont(int32_t face, int32_t style, int32_t size);
  // getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_SMALL).
  static DFontPtr getDefaultFont();
  // Negative: a character height for the platform; other sizes give the cell height 13.
  static int32_t getPixelHeight(int32_t size);
  // Lets go of the global cache; the shell calls it at shutdown.
  static void releaseCache();

  const char* getClassName() const override { return "DFont"; }

  // The character's mask width, rendering it on first use; 0 without a glyph table.
  int32_t charWidth(char16_t character);
  // A null string throws NullPointerException.
  int32_t stringWidth(nuv::lang::DStringPtr text);
  // From the glyph table, or rendered and added on a miss. Null without a glyph table.
  DCharMaskPtr getCharMask(char16_t character);

  int32_t getHeight() const { return height; }
  int32_t getBaselinePosition() const { return baseline; }
  int32_t getFace() const { return face; }
  int32_t getStyle() const { return style; }

  int32_t face = 0;
  int32_t style = 0;
  int32_t height = 0;    // the platform font's full cell height
  int32_t baseline = 0;  // its ascent
  int32_t descent = 0;

 private:
  DFont(int32_t face, int32_t style, int32_t pixelHeight);
  void render(char16_t character);

  int32_t pixelHeight_ = 0;
  nuv::util::DHashtablePtr glyphs_;
};

}  // namespace nuv::microedition::lcdui
