// First values and release of the space-rocks game's globals, and the helpers its objects share.
#include "games/rocks/RocksGlobals.h"

#include "gamelib/GameLib.h"
#include "games/rocks/Rocks.h"

namespace rocks {

gamelib::GameInterface* newScreen() { return new Rocks(); }

void initGlobals() {
  gameKey = data::kGameKey;
  ship = nullptr;
  starColours = new nuv::lang::DintArray(starLayers, 0xAFAFAF, 0x00AFFF, 0x0000FF);
  angleTable = new nuv::lang::DintArray(8, 923, 707, 382, 0, 382, 707, 923, 1000);
}

void releaseGlobals() {
  gameKey = nullptr;
  ship = nullptr;
  background = nullptr;
  stars = nullptr;
  speedTable = nullptr;
  starColours = nullptr;
  angleTable = nullptr;
}

int32_t nextRandom() { return gamelib::GameLib::random->nextInt(); }

int64_t magnitude(int32_t v) { return v < 0 ? -static_cast<int64_t>(v) : v; }

int32_t scaledDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  const int64_t dx = ax - bx, dy = ay - by;
  return static_cast<int32_t>((dx * dx + dy * dy) * designShipWidth / shipWidth);
}

int32_t scaled(int32_t designValue) { return designValue * shipWidth / designShipWidth; }

}  // namespace rocks
