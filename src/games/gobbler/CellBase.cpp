// One cell of the maze and how it is drawn into the maze's picture.
#include "games/gobbler/CellBase.h"

#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

namespace {

// The frame of a cell animation that the 200 ms blink counter points at; the animation's own clock is
// not used.
gamelib::GameImagePtr blinkFrame(const gamelib::AnimationPtr& animation) {
  const gamelib::GameImageArrayPtr& frames = animation->frames;
  return (*frames)[blinkCounter % frames->length];
}

gamelib::GameImagePtr groundTile() { return (*MapBase::tileImages)[0][tileStyle]; }

}  // namespace

CellBase::CellBase() : rect(new rectangle(0, 0, 0, 0)) {}

CellBase::~CellBase() {
  image = nullptr;
  rect = nullptr;
}

void CellBase::paint(int32_t x, int32_t y, int32_t, bool overlayPass) {
  if (overlayPass && !mapDirty) return;
  const int32_t cx = x + (cellWidth >> 1), cy = y + (cellHeight >> 1);
  if (!overlayPass) {
    paintImageAt(groundTile(), x, y);
    paintImageAt(image, x, y);
  }
  switch (content) {
    case PORTAL:
      if (overlayPass) paintImageCentred(blinkFrame(MapBase::portalAnimation), cx, cy);
      break;
    case DOOR:
      if (!overlayPass) {
        paintImageAt(groundTile(), x, y);
        paintImageCentred((*MapBase::doorImages)[tileStyle], cx, cy);
      }
      break;
    case DOT:
      if (!overlayPass) paintImageCentred(blinkFrame(MapBase::dotAnimation), cx, cy);
      break;
    case POWER_DOT:
      if (overlayPass) {
        // The ground under the last frame first.
        paintImageAt(image, x, y);
        paintImageCentred(blinkFrame(MapBase::powerDotAnimation), cx, cy);
      }
      break;
    default:
      break;
  }
}

}  // namespace gobbler
