// First values and release of the river-flying shooter's globals, and the helpers its objects share: the
// plane's hit box, the percentage roll, sounds and the plane's crash.
#include "games/canyon/CanyonGlobals.h"

#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "games/canyon/CanyonGame.h"

namespace canyon {

gamelib::GameInterface* newScreen() { return new CanyonGame(); }

void initGlobals() {
  gameKey = data::kGameKey;
  gameState = STATE_MENU;
  menuKind = previousKind = MENU_MAIN;
  levelIndex = 0;
  openLevel = 1;
}

void releaseGlobals() {
  gameKey = nullptr;
  releaseGameObjects();
}

void releaseGameObjects() {
  shots = nullptr;
  levelTerrain = nullptr;
  entities = nullptr;
  gameOverPicture = nullptr;
  riverGraphics = nullptr;
  riverBuffer = nullptr;
  shotImage = nullptr;
  enemyShotImage = nullptr;
  planeImage = nullptr;
  lifeIcon = nullptr;
  barrelImage = nullptr;
  indicatorImage = nullptr;
  bankLeft = nullptr;
  bankRight = nullptr;
  airExplosion = nullptr;
  groundExplosion = nullptr;
  leftAnimations = nullptr;
  rightAnimations = nullptr;
  points = nullptr;
  screenTerrain = nullptr;
  screenObjects = nullptr;
  objectCounts = nullptr;
  tiles = nullptr;
  levelList = nullptr;
  levels = nullptr;
  splash = nullptr;
  panelLeft = nullptr;
  panelRight = nullptr;
  pausePicture = nullptr;
}

// Halves and quarters by arithmetic shifts, as the lengths are meant.
int32_t hitX() { return planeX + ((planeImage->w - (planeImage->w >> 2)) >> 1); }
int32_t hitTop() { return planeY - ((planeImage->h - (planeImage->h >> 1)) >> 1); }
int32_t hitWidth() { return planeImage->w >> 2; }
int32_t hitHeight() { return planeImage->h >> 1; }

int32_t percentRoll() {
  const int32_t roll = gamelib::GameLib::random->nextInt() % 100;
  return roll < 0 ? -roll : roll;
}

void playSound(int32_t id) { gamelib::SoundManager::play(id, 1, 0); }

void crashPlane() {
  if (!airExplosion.isNull()) airExplosion->restart();
  planeState = PLANE_EXPLODING;
  lives -= 1;
}

}  // namespace canyon
