// Game images: named rectangles of the one shared atlas picture, listed in an image table; a name suffix
// ("_up", "_dn", "_lv", "_mr") asks for the same rectangle turned or mirrored.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DTypedArray2d.h"
#include "core/util/DHashtable.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class GameImage;
using GameImagePtr = nuv::lang::DPtr<GameImage>;

class GameImage : public nuv::lang::DObject {
 public:
  GameImage(int32_t x, int32_t y, int32_t w, int32_t h) : x(x), y(y), w(w), h(h) {}
  const char* getClassName() const override { return "GameImage"; }

  // Stores the transform and maps the untransformed rectangle into the transformed atlas.
  virtual void setTransform(int32_t transform);

  // Replaces the image table and the atlas from "graphics/" + setName + ".txt" and its picture.
  static void loadImageTable(nuv::lang::DStringPtr setName);
  // Null when the name, its suffix cut off, is not in the table.
  static GameImagePtr create(nuv::lang::DStringPtr name);
  // Whether create would give an image, for a caller that looks for what may not be there.
  static bool has(nuv::lang::DStringPtr name);
  // create for an image the caller cannot go without: a name not in the table is refused as damage to the
  // table, naming both.
  static GameImagePtr require(nuv::lang::DStringPtr name);
  // Top-left at (x, y) on GameImage::graphics; the clip is left as it was.
  static void draw(int32_t x, int32_t y, GameImagePtr image);
  // The same, the atlas's transparent colour drawn too.
  static void drawOpaque(int32_t x, int32_t y, GameImagePtr image);

  void paint(int32_t x, int32_t y) { draw(x, y, this); }
  void paintOpaque(int32_t x, int32_t y) { drawOpaque(x, y, this); }

  int32_t x;
  int32_t y;
  int32_t w;
  int32_t h;
  int32_t transform = 0;

  // Name to a DintArray {x, y, w, h}; made with the application's globals.
  static inline nuv::util::DHashtablePtr imageTable;
  static inline nuv::microedition::lcdui::DImagePtr atlas;
  static inline int32_t atlasWidth = 0;
  static inline int32_t atlasHeight = 0;
  // Where the table loaded last was found; null while none is loaded.
  static inline nuv::lang::DStringPtr tableName;
  // Set by the frame step before each update.
  static inline nuv::microedition::lcdui::DGraphicsPtr graphics;

 private:
  // Every rectangle of the table inside the atlas, or the table is refused as damaged.
  static void checkRectangles(nuv::lang::DStringPtr path);
  static void drawWith(int32_t x, int32_t y, GameImagePtr image, bool opaque);
};

using GameImageArray = nuv::lang::DTypedArray<GameImage>;
using GameImageArrayPtr = nuv::lang::DPtr<GameImageArray>;
using GameImageArray2d = nuv::lang::DTypedArray2d<GameImageArray>;
using GameImageArray2dPtr = nuv::lang::DPtr<GameImageArray2d>;

}  // namespace gamelib
