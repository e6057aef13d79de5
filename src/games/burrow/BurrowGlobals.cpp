// First values and release of the tunnel-digging game's globals, and the helpers every object of the game
// shares: the difficulty tier, box overlaps, random numbers and sounds.
#include "games/burrow/BurrowGlobals.h"

#include <climits>

#include "gamelib/GameApi.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// Levels per difficulty tier, and the highest tier.
constexpr int32_t kLevelsPerTier = 7;
constexpr int32_t kTopTier = 10;

template <size_t N>
DStringArrayPtr nameList(const char16_t* const (&names)[N]) {
  DStringArrayPtr list = new DStringArray(static_cast<int32_t>(N));
  for (size_t i = 0; i < N; ++i) (*list)[static_cast<int32_t>(i)] = new DString(names[i]);
  return list;
}

}  // namespace

gamelib::GameInterface* newScreen() { return new BurrowGame(); }

void initGlobals() {
  gameKey = data::kGameKey;
  earthName = data::kTunnelPrefix;
  tileNames = nameList(data::kTileNames);
  bagFrames = nameList(data::kBagFrames);
  boltFrames = nameList(data::kBoltFrames);
  cherryFrames = nameList(data::kCherryFrames);
  enemyUpFrames = nameList(data::kEnemyUpFrames);
  enemySideFrames = nameList(data::kEnemySideFrames);
  enemySideMirroredFrames = nameList(data::kEnemySideMirroredFrames);
  enemyDieFrames = nameList(data::kEnemyDieFrames);
  enemyEatFrames = nameList(data::kEnemyEatFrames);
  enemyEatMirroredFrames = nameList(data::kEnemyEatMirroredFrames);
  enemyEatDeathFrames = nameList(data::kEnemyEatDeathFrames);
  enemyEatDeathMirroredFrames = nameList(data::kEnemyEatDeathMirroredFrames);
  minerFrames = nameList(data::kMinerFrames);
  minerMirroredFrames = nameList(data::kMinerMirroredFrames);
  minerUpFrames = nameList(data::kMinerUpFrames);
  minerDownFrames = nameList(data::kMinerDownFrames);
  minerDieFrames = nameList(data::kMinerDieFrames);
  bonusFrames = nameList(data::kBonusFrames);
  bonusUpFrames = nameList(data::kBonusUpFrames);
  bonusDownFrames = nameList(data::kBonusDownFrames);
}

void releaseGlobals() {
  gameKey = nullptr;
  earthName = nullptr;
  for (DStringArrayPtr* list : {&tileNames,
                                &bagFrames,
                                &boltFrames,
                                &cherryFrames,
                                &enemyUpFrames,
                                &enemySideFrames,
                                &enemySideMirroredFrames,
                                &enemyDieFrames,
                                &enemyEatFrames,
                                &enemyEatMirroredFrames,
                                &enemyEatDeathFrames,
                                &enemyEatDeathMirroredFrames,
                                &minerFrames,
                                &minerMirroredFrames,
                                &minerUpFrames,
                                &minerDownFrames,
                                &minerDieFrames,
                                &bonusFrames,
                                &bonusUpFrames,
                                &bonusDownFrames}) {
    *list = nullptr;
  }
  releaseGameObjects();
}

void releaseGameObjects() {
  theLevel = nullptr;
  player = nullptr;
  firebolt = nullptr;
  bags = nullptr;
  monsters = nullptr;
  menuItems = nullptr;
  levelChars = nullptr;
  levelCells = nullptr;
  crystalsPerLevel = nullptr;
  mapCells = nullptr;
  dirtyCells = nullptr;
  tileImages = nullptr;
  for (GameImagePtr* image : {&cherryImage, &earthImage, &altEarthImage, &verticalTile, &horizontalTile, &crossingTile,
                              &crystalTile, &bagImage, &bagFallImage, &goldImage, &lifeIcon}) {
    *image = nullptr;
  }
  for (AnimationPtr* animation : {&bagWobbleAnim, &bagBreakAnim, &heroRightAnim, &heroLeftAnim, &heroUpAnim,
                                  &heroDownAnim, &heroDeathAnim, &bonusSideAnim, &bonusUpAnim, &bonusDownAnim}) {
    *animation = nullptr;
  }
  for (DImagePtr* picture : {&panelTopImage, &panelTop2Image, &panelBottomLImage, &panelBottomCImage,
                             &panelBottomRImage, &panelBottom2Image, &panelLImage, &panelRImage, &pauseImage}) {
    *picture = nullptr;
  }
}

int32_t levelTier() { return std::min(levelNumber / kLevelsPerTier + 1, kTopTier); }

bool intersects(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w1, int32_t h1, int32_t w2, int32_t h2) {
  return !(y1 + h1 < y2 || y1 > y2 + h2 || x1 + w1 < x2 || x1 > x2 + w2);
}

int32_t nextRandom() {
  int32_t value = GameLib::random->nextInt();
  if (value >= 0) return value;
  // The one negative number without a positive twin reads as the largest.
  return value == INT32_MIN ? INT32_MAX : -value;
}

int32_t randomBelow(int32_t n) { return n > 0 ? nextRandom() % n : 0; }

void playSound(int32_t id) { SoundManager::play(id, 1, 0); }

}  // namespace burrow
