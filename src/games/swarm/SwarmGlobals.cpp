// First values and release of the alien-formation game's globals, and the helpers its objects share:
// sounds and random numbers.
#include "games/swarm/SwarmGlobals.h"

#include "gamelib/GameApi.h"
#include "gamelib/StringList.h"
#include "games/swarm/Swarm.h"

namespace swarm {

using namespace gamelib::api;

namespace {

// The star layers, slowest first, and their colours.
constexpr int32_t kStarSpeeds[STAR_LAYERS] = {70000, 80000, 100000};
constexpr int32_t kStarColours[STAR_LAYERS] = {0x0000FF, 0x00FFFF, 0xDFDFDF};

template <size_t N>
DintArrayPtr intList(const int32_t (&values)[N]) {
  DintArrayPtr list = new DintArray(static_cast<int32_t>(N));
  for (size_t i = 0; i < N; ++i) (*list)[static_cast<int32_t>(i)] = values[i];
  return list;
}

}  // namespace

gamelib::GameInterface* newScreen() { return new Swarm(); }

void initGlobals() {
  gameKey = data::kGameKey;
  menuItemKeys =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound level", u"music level", u"cfg_keys", u"exit"});
  rowLength = intList(data::kRowLength);
  rowAlive = intList(data::kRowLength);
  rowScore = intList(data::kRowScore);
  starSpeeds = intList(kStarSpeeds);
  starColours = intList(kStarColours);
  gameState = Swarm::STATE_MENU;
  stateTimer = 0;
  level = 1;
  lastLevel = data::kLastLevel;
  lives = Swarm::kStartLives;
  score = 0;
  menuKind = menuToRestore = Swarm::MENU_START;
  shipExploding = shipExplosionDone = false;
  reloadTimer = 0;
  swayOffset = swayDirection = 0;
  diveTimer = 0;
  alienShotTimer = 0;
  penWasDown = false;
  seenPressTime = 0;
}

void releaseGlobals() {
  gameKey = nullptr;
  menuItemKeys = nullptr;
  rowLength = nullptr;
  rowAlive = nullptr;
  rowScore = nullptr;
  starSpeeds = nullptr;
  starColours = nullptr;
  releaseGameObjects();
}

void releaseGameObjects() {
  planetImages = nullptr;
  backgroundImage = nullptr;
  enemyShots = nullptr;
  stars = nullptr;
  allAliens = nullptr;
  shipAnimation = nullptr;
  shipExplosion = nullptr;
  shotAnimation = nullptr;
  bulletImage = nullptr;
  alienExplosion = nullptr;
  shipImage = nullptr;
  levelImage = nullptr;
  lifeImage = nullptr;
  menuItemTexts = nullptr;
  formation = nullptr;
  playerShot = nullptr;
  alienImages = nullptr;
  diveCandidates = nullptr;
  alienAnimations = nullptr;
}

void playSound(int32_t id) { SoundManager::play(id, 1, 0); }

int32_t randomBits() { return GameLib::random->nextInt() & 0xFFFF; }

int32_t randomBelow(int32_t n) {
  const int64_t draw = GameLib::random->nextInt();
  // Widened, so the most negative draw is made positive too.
  return static_cast<int32_t>((draw < 0 ? -draw : draw) % n);
}

}  // namespace swarm
