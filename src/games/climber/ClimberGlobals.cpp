// First values and release of the ladders-and-bricks game's globals, and the sound and random helpers.
#include "games/climber/ClimberGlobals.h"

#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringList.h"
#include "games/climber/Climber.h"

namespace climber {

gamelib::GameInterface* newScreen() { return new Climber(); }

void initGlobals() {
  gameKey = data::kGameKey;
  menuItemKeys =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound level", u"music level", u"cfg_keys", u"exit"});
  menuItemTexts = nullptr;
  // No game is running yet.
  gameState = STATE_MENU;
  menuMode = previousMenuMode = MENU_START;
  levelCount = data::kLevelCount;
  openLevel = 1;
  stateTimer = halfStep = score = badLevel = 0;
  lives = kStartLives;
  invulnerable = false;
}

void releaseGlobals() {
  gameKey = nullptr;
  menuItemKeys = nullptr;
  menuItemTexts = nullptr;
  releaseGameObjects();
}

void releaseGameObjects() {
  cells = nullptr;
  distanceTable = nullptr;
  hero = nullptr;
  enemies = nullptr;
  for (gamelib::GameImageArrayPtr* list : {&backgrounds, &brickImages, &armourBrickImages, &goldImages}) {
    *list = nullptr;
  }
  for (gamelib::GameImagePtr* image :
       {&doorClosedImage, &doorOpenImage, &brickDisappear1, &brickDisappear1Mirrored, &brickDisappear2,
        &brickDisappear2Mirrored, &brickDisappear3, &ladderImage, &handrailImage, &heroIdleImage, &enemyIdleImage,
        &heroIdleMirroredImage, &enemyIdleMirroredImage}) {
    *image = nullptr;
  }
  for (gamelib::AnimationPtr* animation :
       {&heroGoRight, &heroGoLeft, &heroLadder, &heroHandrailRight, &heroHandrailLeft, &heroFallRight, &heroFallLeft,
        &enemyGoRight, &enemyGoLeft, &enemyLadder, &enemyHandrailRight, &enemyHandrailLeft, &enemyFallRight,
        &enemyFallLeft}) {
    *animation = nullptr;
  }
  holeTable = nullptr;
  backBuffer = nullptr;
}

void playSound(int32_t id) { gamelib::SoundManager::play(id, id == SOUND_GAME ? -1 : 1, 0); }

int32_t nextRandom() { return gamelib::GameLib::random->nextInt(); }

}  // namespace climber
