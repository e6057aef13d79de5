// First values and release of the maze game's globals, and the helpers its objects share.
#include "games/gobbler/GobblerGlobals.h"

#include <climits>
#include <cstdlib>

#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringList.h"
#include "games/gobbler/Gobbler.h"

namespace gobbler {

gamelib::GameInterface* newScreen() { return new Gobbler(); }

void initGlobals() {
  gameKey = data::kGameKey;
  levelInfo = new nuv::lang::DintArray(2);
  fiveValues = new nuv::lang::DintArray(5);
  menuKeys =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound_level", u"music_level", u"cfg_keys", u"exit"});
  setupKeys = gamelib::stringList({u"start", u"levelsoriginal", u"modeoriginal", u"exit"});
  modeKeys = gamelib::stringList({u"modeoriginal", u"modefruit", u"modetime", u"modekill"});
  screenState = menuPage = previousMenuPage = stepToggle = shownTable = 0;
  gamePaused = randomLevels = false;
  lastPointerX = lastPointerY = -1;
  score = lives = gameMode = fruitsEaten = chasersEaten = 0;
  startDelay = readyTimer = fruitTimer = gameOverDelay = frightTimer = blinkCounter = 0;
  elapsedMs = timeLimitMs = moveTimerMs = lastBlinkTime = 0;
  invulnerable = levelDone = panelDrawn = mapDirty = false;
  viewX = viewY = tileStyle = 0;
}

void releaseGlobals() {
  gameKey = nullptr;
  levelInfo = nullptr;
  fiveValues = nullptr;
  menuKeys = nullptr;
  menuTexts = nullptr;
  setupKeys = nullptr;
  setupTexts = nullptr;
  modeKeys = nullptr;
  tableTexts = nullptr;
  map = nullptr;
  player = nullptr;
  chaser1 = nullptr;
  chaser2 = nullptr;
  chaser3 = nullptr;
  chaser4 = nullptr;
  fruit = nullptr;
  sprites = nullptr;
  panelImage = nullptr;
  playerImages = nullptr;
  playerPowerImages = nullptr;
  deathAnimation = nullptr;
  changeAnimation = nullptr;
  chaserImages = nullptr;
  cherryAnimation = nullptr;
  vineAnimation = nullptr;
  orangeAnimation = nullptr;
  plumAnimation = nullptr;
  appleAnimation = nullptr;
  pearAnimation = nullptr;
  strawberriesAnimation = nullptr;
  scoreDigitImages = nullptr;
  MapBase::releaseStatics();
}

int32_t levelNumber() { return (*levelInfo)[0]; }

int32_t nextNonNegative() {
  const int32_t v = gamelib::GameLib::random->nextInt();
  return v == INT_MIN ? 0 : std::abs(v);
}

void playSound(int32_t id) { gamelib::SoundManager::play(id, 1, 0); }

void logLine(nuv::lang::DStringPtr text) {
  if (!nuv::lang::DSystem::out.isNull()) nuv::lang::DSystem::out->println(text);
}

void logLine(const char16_t* text) { logLine(nuv::lang::DStringPtr(text)); }

}  // namespace gobbler
