// The score pop-ups.
#include "games/gobbler/SpriteBase.h"

#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

SpriteBase::SpriteBase(int32_t pictureIndex, vector_3dPtr at)
    : state(pictureIndex),
      bounds(new rectangle(0, 0, 0, 0)),
      picture((*scoreDigitImages)[pictureIndex]),
      position(new vector_3d(0, 0)) {
  setPosition(at->x, at->y);
}

SpriteBase::~SpriteBase() {
  position = nullptr;
  picture = nullptr;
  bounds = nullptr;
}

void SpriteBase::setPosition(int32_t x, int32_t y) {
  position->set(x, y);
  bounds->set(x, y, x + cellWidth, y + cellHeight);
}

void SpriteBase::tick() {
  if (++frames > kShownSteps) state = kGone;
}

void SpriteBase::draw(int32_t offsetX, int32_t offsetY) {
  if (state == kGone || picture.isNull()) return;
  paintImageCentred(picture, position->x + offsetX + (cellWidth >> 1), position->y + offsetY + (cellHeight >> 1));
}

}  // namespace gobbler
