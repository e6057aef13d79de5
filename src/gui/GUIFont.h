// A font of GUI texts: one of the game library's bitmap fonts, measured and drawn for marked-up text.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "gamelib/ImageFont.h"
#include "shell/lcdui/DGraphics.h"

namespace gamelib {

class GUIFont : public nuv::lang::DObject {
 public:
  static constexpr int32_t KIND_BITMAP = 1;

  explicit GUIFont(ImageFontPtr imageFont) : kind(KIND_BITMAP), imageFont(std::move(imageFont)) {}
  const char* getClassName() const override { return "GUIFont"; }

  int32_t getHeight();
  int32_t stringWidth(nuv::lang::DStringPtr text);
  // Anchor bits as ImageFont::drawString's.
  void drawString(nuv::microedition::lcdui::DGraphicsPtr g, nuv::lang::DStringPtr text, int32_t x, int32_t y,
                  int32_t anchor);

  int32_t kind;
  ImageFontPtr imageFont;
};

using GUIFontPtr = nuv::lang::DPtr<GUIFont>;

}  // namespace gamelib
