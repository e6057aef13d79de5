// The maze game's shared drawing calls.
#include "games/gobbler/MazeDrawing.h"

#include "gamelib/GameLib.h"

namespace gobbler {

void fillScreen(int32_t colour) {
  const auto& g = gamelib::GameLib::graphics;
  g->setColor(colour);
  g->fillRect(0, 0, gamelib::GameLib::screenWidth, gamelib::GameLib::screenHeight);
}

void paintImageAt(gamelib::GameImagePtr image, int32_t x, int32_t y) {
  if (!image.isNull()) image->paint(x, y);
}

void paintImageCentred(gamelib::GameImagePtr image, int32_t x, int32_t y) {
  image->paint(x - (image->w >> 1), y - (image->h >> 1));
}

}  // namespace gobbler
