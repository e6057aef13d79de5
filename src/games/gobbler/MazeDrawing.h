// The three drawing calls the maze game shares: clearing the screen, and a game image by its top-left
// corner or centred on a point, into GameImage::graphics.
#pragma once

#include <cstdint>

#include "gamelib/GameImage.h"

namespace gobbler {

// The whole screen in one colour (0xRRGGBB).
void fillScreen(int32_t colour);
// Nothing for a null image.
void paintImageAt(gamelib::GameImagePtr image, int32_t x, int32_t y);
// Centred on (x, y), halves rounded down; NullPointerException for a null image.
void paintImageCentred(gamelib::GameImagePtr image, int32_t x, int32_t y);

}  // namespace gobbler
