// Enemies: the rare entrance at the top, wandering that turns at bricks and field edges, the bomb, and
// leaving the field.
#include "games/bounce/Enemy.h"

#include "gamelib/GameApi.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;

namespace {

// A waiting enemy enters on a draw of 0 from 0..kEntryOdds, once per step.
constexpr int32_t kEntryOdds = 2000;
constexpr int32_t kTurnMinMs = 3000;
constexpr int32_t kTurnMaxMs = 4000;
// A bomber drops its bomb on a draw of 0 from 0..kBombOdds.
constexpr int32_t kBombOdds = 100;
// Enemies stay this far above the screen's bottom.
constexpr int32_t kBottomMargin = 30;

GameImagePtr firstFrame(const AnimationPtr& animation) {
  if (animation.isNull() || animation->frames.isNull() || animation->frames->length < 1) return nullptr;
  return (*animation->frames)[0];
}

}  // namespace

Enemy::Enemy() : animation(new Animation()) {}

Enemy::~Enemy() {
  animation = nullptr;
  carriedBall = nullptr;
}

void Enemy::trySpawn() {
  if (randomInRange(0, kEntryOdds) != 0) return;
  AnimationPtr exit = platform->exitAnimation;
  if (!exit.isNull()) {
    exit->finished = false;
    exit->restart();
  }
  kind = randomInRange(0, 2);
  AnimationPtr shared = enemyAnimations.isNull() ? nullptr : AnimationPtr((*enemyAnimations)[kind]);
  animation->frames = shared.isNull() ? nullptr : shared->frames;
  animation->frameCount = shared.isNull() ? 0 : shared->frameCount;
  animation->finished = false;
  animation->restart();
  GameImagePtr frame = firstFrame(animation);
  width = frame.isNull() ? 0 : frame->w;
  height = frame.isNull() ? 0 : frame->h;
  carriedBall = nullptr;
  active = true;
  dy = 1;
  dx = 0;
  x = GameLib::screenWidth / 2;
  y = -height;
  lastTurn = DSystem::currentTimeMillis();
}

void Enemy::deactivate() {
  active = false;
  animation->finished = true;
  if (kind == KIND_CARRIER && !carriedBall.isNull()) {
    carriedBall->inPlay = true;
    carriedBall->setPosition(x, y);
    platform->spawnBonus(Platform::BONUS_LIFE, x, y);
    platform->ballsInPlay += 1;
  }
  carriedBall = nullptr;
}

void Enemy::paint() {
  if (!active || animation->frames.isNull()) return;
  if (animation->currentFrame >= animation->frames->length || (*animation->frames)[animation->currentFrame].isNull()) {
    return;
  }
  animation->paint(x - width / 2, y - height / 2);
}

void Enemy::move() {
  const int64_t now = DSystem::currentTimeMillis();
  const int32_t turnAfter = randomInRange(kTurnMinMs, kTurnMaxMs);
  if (now - lastTurn > turnAfter) {
    lastTurn = now;
    dx = dx != 0 ? -dx : 1 - 2 * randomInRange(0, 2);
    dy = randomInRange(0, 2) - 1;
  }
  const int32_t nx = x + dx;
  const int32_t ny = y + dy;
  const int32_t halfW = width >> 1;
  const int32_t halfH = height >> 1;
  BrickList& field = *brickList;

  if (x - width < fieldLeft) {
    dx = 1;
  } else if (x + width > fieldLeft + field.fieldWidth) {
    dx = -1;
  } else if (dx > 0 &&
             (isBrickAt(nx + halfW, ny) || isBrickAt(nx + halfW, ny + halfH) || isBrickAt(nx + halfW, ny - halfH))) {
    dx = -dx;
  } else if (dx < 0 &&
             (isBrickAt(nx - halfW, ny) || isBrickAt(nx - halfW, ny + halfH) || isBrickAt(nx - halfW, ny - halfH))) {
    dx = -dx;
  }
  x += dx * enemySpeed;

  if (y - halfH < field.top) {
    dy = 1;
  } else if (y + halfH > GameLib::screenHeight - kBottomMargin) {
    dy = -1;
  } else if (dy > 0 &&
             (isBrickAt(x, ny + halfH) || isBrickAt(x + halfW, ny + halfH) || isBrickAt(x - halfW, ny + halfH))) {
    dy = -dy;
  } else if (dy < 0 &&
             (isBrickAt(x, ny - halfH) || isBrickAt(x + halfW, ny - halfH) || isBrickAt(x - halfW, ny - halfH))) {
    dy = -dy;
  }
  y += dy * enemySpeed;

  if (kind == KIND_BOMBER) {
    BallPtr bomb = platform->bomb;
    if (!bomb->released && randomInRange(0, kBombOdds) == 0) {
      bomb->setPosition(x, y);
      bomb->setActive(true);
      playSound(SOUND_SHOOT);
    }
  }
  if (kind == KIND_CARRIER && !carriedBall.isNull()) carriedBall->setPosition(x, y);
}

bool Enemy::isBrickAt(int32_t px, int32_t py) {
  BrickList& field = *brickList;
  int32_t column = (px - fieldLeft) / (field.cellWidth + cellGapX);
  int32_t row = (py - field.top) / (field.cellHeight + cellGapY);
  // Negative cells read as large unsigned numbers and fall outside too.
  if (static_cast<uint32_t>(column) > static_cast<uint32_t>(fieldColumns - 1) ||
      static_cast<uint32_t>(row) > static_cast<uint32_t>(fieldRows - 1)) {
    return false;
  }
  return field.brickAt(column, row)->kind >= 1;
}

}  // namespace bounce
