// First values and release of the brick-and-paddle game's globals, and the helpers every object of the
// game shares: random numbers, particles, sounds and animations from the animation list.
#include "games/bounce/BounceGlobals.h"

#include "core/lang/DStringArray.h"
#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/bounce/Bounce.h"

namespace bounce {

namespace {

// Particle speeds are whole multiples of a quarter pixel per step.
constexpr int32_t kSpeedUnit = 0x4000;
constexpr int32_t kSpeedSteps = 7;
constexpr int32_t kFixedOne = 65536;

}  // namespace

gamelib::GameInterface* newScreen() { return new Bounce(); }

void initGlobals() {
  gameKey = data::kGameKey;
  levelLetters = data::kBrickLetters;
  gameState = -1;
  stateTime = 0;
  openLevel = 0;
  gamePaused = false;
  baseBrickWidth = 14;
}

void releaseGlobals() {
  gameKey = nullptr;
  levelLetters = nullptr;
  instance = nullptr;
  releaseGameObjects();
}

void releaseGameObjects() {
  brickList = nullptr;
  platform = nullptr;
  particles = nullptr;
  ballImage = nullptr;
  ballSmallImage = nullptr;
  ballBigImage = nullptr;
  bulletImage = nullptr;
  bombImage = nullptr;
  fireSmallAnimation = nullptr;
  fireAnimation = nullptr;
  fireBigAnimation = nullptr;
  enemyAnimations = nullptr;
  bonusAnimations = nullptr;
}

int32_t randomInRange(int32_t lo, int32_t hi) {
  int64_t span = static_cast<int64_t>(hi) - lo + 1;
  int64_t draw = gamelib::GameLib::random->nextInt();
  if (span < 1) return lo;
  // Widened, so the most negative draw is made positive too and never lands below lo.
  return static_cast<int32_t>((draw < 0 ? -draw : draw) % span + lo);
}

void spawnParticles(int32_t count, int32_t type, int32_t x, int32_t y, int32_t variant) {
  if (particles.isNull()) return;
  int32_t n = count * (brickWidth / baseBrickWidth);
  nuv::util::DRandom& random = *gamelib::GameLib::random;
  nuv::lang::DintArray2d& records = *particles;
  for (int32_t i = 0; i < records.length; ++i) {
    nuv::lang::DintArray& p = *records[i];
    if (p[PARTICLE_TYPE] != 0) continue;
    p[PARTICLE_TYPE] = type;
    p[PARTICLE_X] = x * kFixedOne;
    p[PARTICLE_Y] = y * kFixedOne;
    p[PARTICLE_AGE] = 0;
    p[PARTICLE_VARIANT] = variant;
    p[PARTICLE_DX] = random.nextInt() % kSpeedSteps * kSpeedUnit;
    p[PARTICLE_DY] = random.nextInt() % kSpeedSteps * kSpeedUnit;
    // Tested after the filling: a spawn always fills at least one record.
    if (--n < 1) return;
  }
}

void playSound(int32_t id) { gamelib::SoundManager::play(id, 1, 0); }

gamelib::AnimationPtr loadAnimation(nuv::lang::DStringPtr key) {
  nuv::lang::DStringArrayPtr names = gamelib::TextTable::split(gamelib::TextTable::getString(key), u';');
  if (names.isNull()) return nullptr;
  return new gamelib::Animation(names);
}

}  // namespace bounce
