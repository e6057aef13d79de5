// The drawing context: a colour, a font and a clip over one RGB565 surface (a canvas back buffer or a
// mutable image), with rectangles, lines, images, text and raw pixel arrays.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "shell/lcdui/DFont.h"
#include "shell/lcdui/DImage.h"
#include "shell/raster/RasterSurface.h"
#include "shell/raster/RasterTarget.h"

namespace nuv::microedition::lcdui {

class DGraphics : public nuv::lang::DObject {
 public:
  // Anchor bits.
  static constexpr int32_t HCENTER = 1;
  static constexpr int32_t VCENTER = 2;
  static constexpr int32_t LEFT = 4;
  static constexpr int32_t RIGHT = 8;
  static constexpr int32_t TOP = 16;
  static constexpr int32_t BOTTOM = 32;
  static constexpr int32_t BASELINE = 64;
  // The anchors text and pictures take: a corner, the middle of an edge, the centre, or a text's baseline.
  static constexpr int32_t TOP_LEFT = TOP | LEFT;
  static constexpr int32_t TOP_CENTRE = TOP | HCENTER;
  static constexpr int32_t TOP_RIGHT = TOP | RIGHT;
  static constexpr int32_t CENTRE_LEFT = VCENTER | LEFT;
  static constexpr int32_t CENTRE = VCENTER | HCENTER;
  static constexpr int32_t CENTRE_RIGHT = VCENTER | RIGHT;
  static constexpr int32_t BOTTOM_LEFT = BOTTOM | LEFT;
  static constexpr int32_t BOTTOM_CENTRE = BOTTOM | HCENTER;
  static constexpr int32_t BOTTOM_RIGHT = BOTTOM | RIGHT;
  static constexpr int32_t BASELINE_CENTRE = BASELINE | HCENTER;
  // Transforms.
  static constexpr int32_t TRANS_NONE = 0;
  static constexpr int32_t TRANS_MIRROR_ROT180 = 1;
  static constexpr int32_t TRANS_MIRROR = 2;
  static constexpr int32_t TRANS_ROT180 = 3;
  static constexpr int32_t TRANS_MIRROR_ROT270 = 4;
  static constexpr int32_t TRANS_ROT90 = 5;
  static constexpr int32_t TRANS_ROT270 = 6;
  static constexpr int32_t TRANS_MIRROR_ROT90 = 7;

  // Draws into target, which must outlive the context unless owner holds it; the clip is all of it.
  explicit DGraphics(Raster::RasterSurface* target, nuv::lang::DObjectPtr owner = nullptr);
  const char* getClassName() const override { return "DGraphics"; }

  void setColor(int32_t rgb);
  void setColorRGB(int32_t red, int32_t green, int32_t blue);
  int32_t getColor() const { return colourRGB_; }
  uint16_t getColor565() const { return colour565_; }

  void setFont(DFontPtr font) { font_ = std::move(font); }
  DFontPtr getFont() const { return font_; }

  void setClip(int32_t x, int32_t y, int32_t width, int32_t height);
  void clipRect(int32_t x, int32_t y, int32_t width, int32_t height);
  int32_t getClipX() const { return raster_.clip().left; }
  int32_t getClipY() const { return raster_.clip().top; }
  int32_t getClipWidth() const { return drawingEnabled_ ? raster_.clip().width() : 0; }
  int32_t getClipHeight() const { return drawingEnabled_ ? raster_.clip().height() : 0; }

  // Both fill and outline cover x to x + width and y to y + height, ends included.
  void fillRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void drawRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void drawImage(DImagePtr image, int32_t x, int32_t y, int32_t anchor, int32_t transform = TRANS_NONE);
  // Every pixel copied, the key colour included.
  void drawImageOpaque(DImagePtr image, int32_t x, int32_t y, int32_t anchor, int32_t transform = TRANS_NONE);
  void drawString(nuv::lang::DStringPtr text, int32_t x, int32_t y, int32_t anchor);
  // Plots the character's mask in the current colour; returns its advance (0 without a mask).
  int32_t drawChar(char16_t character, int32_t x, int32_t y);
  // 0xAARRGGBB values; with processAlpha blended onto the target. ArrayIndexOutOfBoundsException when
  // the area would read outside the array.
  void drawRGB(nuv::lang::DintArrayPtr data, int32_t offset, int32_t scanLength, int32_t x, int32_t y, int32_t width,
               int32_t height, bool processAlpha);

  Raster::RasterTarget& raster() { return raster_; }

 private:
  void copyImage(const Raster::RasterSurface& image, int32_t x, int32_t y, int32_t width, int32_t height,
                 int32_t transform);

  uint16_t colour565_ = 0;
  int32_t colourRGB_ = 0;
  Raster::RasterTarget raster_;
  Raster::RasterSurface* target_ = nullptr;
  DFontPtr font_;
  bool drawingEnabled_ = true;
  nuv::lang::DObjectPtr owner_;
};

}  // namespace nuv::microedition::lcdui
