// Atlases: sprites packed into one picture plus the table "key;x;y;w;h" that names them.
#pragma once

#include <string>
#include <vector>

#include "Image.h"
#include "Png.h"

namespace datakit {

struct AtlasSprite {
  std::string key;
  Image image;
};

struct AtlasRect {
  std::string key;
  int x = 0, y = 0, w = 0, h = 0;
};

struct Atlas {
  Image picture;
  std::vector<AtlasRect> rects;
};

// Shelf packing, tallest first, with a one-pixel key-coloured gap so no sprite bleeds into the
// next. The order of the table follows the order of the sprites given.
Atlas packAtlas(const std::vector<AtlasSprite>& sprites, int maxWidth = 256);

// The image table: one "key;x;y;w;h" line per sprite, CR LF ends.
Bytes writeAtlasTable(const Atlas& atlas);

}  // namespace datakit
