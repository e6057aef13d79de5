// One step of play in the brick-and-paddle game: particles, the cleared-round test, paddle, balls, shots
// and enemies; the reset of the moving parts, a lost ball, and keeping the balls in play together.
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using gamelib::GameLib;

namespace {

constexpr int32_t kFixedOne = 65536;
// Gravity: an eighth of a pixel per step per step.
constexpr int32_t kGravity = 0x2000;
constexpr int32_t kDebrisLife = 25;
constexpr int32_t kSparkLife = 50;
constexpr int32_t kBallStartSpeed = 2;

}  // namespace

void Bounce::stepParticles() {
  if (particles.isNull()) return;
  const int32_t right = GameLib::screenWidth * kFixedOne;
  const int32_t bottom = GameLib::screenHeight * kFixedOne;
  nuv::lang::DintArray2d& records = *particles;
  for (int32_t i = 0; i < records.length; ++i) {
    int32_t* p = records[i]->data();
    if (p[PARTICLE_TYPE] == 0) continue;
    // A particle above the top edge lives on: it may fall back in.
    if (p[PARTICLE_X] < 0 || p[PARTICLE_X] >= right || p[PARTICLE_Y] >= bottom) {
      p[PARTICLE_TYPE] = 0;
      continue;
    }
    p[PARTICLE_X] += p[PARTICLE_DX];
    p[PARTICLE_Y] += p[PARTICLE_DY];
    p[PARTICLE_DY] += kGravity;
    p[PARTICLE_AGE] += 1;
    int32_t life = p[PARTICLE_TYPE] == PARTICLE_DEBRIS ? kDebrisLife : kSparkLife;
    if (p[PARTICLE_AGE] >= life) p[PARTICLE_TYPE] = 0;
  }
}

void Bounce::playStep() {
  stepParticles();
  // A round whose last bricks are still on their way out goes back to waiting for them, even when a
  // lost ball came in between.
  if (brickList->remaining < 1 || fieldSettling_) {
    gameState = STATE_ROUND_CLEARED;
    gamelib::ScreenCanvas::anyKey = false;
    stateTime = nuv::lang::DSystem::currentTimeMillis();
    return;
  }
  lives = platform->update(lives, ballSlots);
  moveBalls();
  platform->updateShots();
  updateEnemies();
}

void Bounce::resetPlay() {
  if (!particles.isNull()) {
    nuv::lang::DintArray2d& records = *particles;
    for (int32_t i = 0; i < records.length; ++i) (*records[i])[PARTICLE_TYPE] = 0;
  }
  for (int32_t e = 0; e < enemySlots; ++e) {
    if ((*enemies)[e]->active) (*enemies)[e]->deactivate();
  }
  for (int32_t s = 0; s < ballSlots; ++s) {
    Ball& ball = *(*balls)[s];
    ball.speedLevel = kBallStartSpeed;
    ball.speedCounter = 0;
    ball.setActive(false);
    ball.setState(Ball::KIND_SMALL);
  }
  platform->reset();
}

void Bounce::ballLost() {
  platform->ballsInPlay -= 1;
  if (platform->ballsInPlay >= 1) return;
  lives -= 1;
  playSound(SOUND_DIE);
  resetPlay();
  gameState = STATE_ROUND_INTRO;
  stateTime = nuv::lang::DSystem::currentTimeMillis();
}

void Bounce::packBalls() {
  BallArray& slots = *balls;
  for (int32_t i = 0; i < ballSlots - 1; ++i) {
    if (slots[i]->inPlay) continue;
    int32_t j = i + 1;
    while (j < ballSlots && !slots[j]->inPlay) ++j;
    if (j == ballSlots) return;
    BallPtr out = slots[i];
    slots[i] = BallPtr(slots[j]);
    slots[j] = out;
  }
}

}  // namespace bounce
