// The hero's move step, its death and paint, and its score with the extra lives.
#include "games/burrow/Player.h"

#include <algorithm>

#include "gamelib/GameApi.h"
#include "gamelib/Score.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// Paints during which a hero that has just (re)started cannot be killed.
constexpr int32_t kSpawnGuard = 10;
constexpr int32_t kWalkTicks = 3;
constexpr int32_t kBonusTicks = 6;

constexpr int32_t kCherryPoints = 100;
constexpr int32_t kMonsterPoints = 20;
constexpr int32_t kCrystalPoints = 4;
constexpr int32_t kGoldPoints = 50;
constexpr int32_t kShotPoints = 25;
constexpr int32_t kBagPoints = 10;

AnimationPtr frames(const DStringArrayPtr& names, int32_t ticks) {
  AnimationPtr a = new Animation(names);
  a->ticksPerFrame = ticks;
  return a;
}

}  // namespace

void Player::initAnimations() {
  resetPosition();
  heroRightAnim = frames(minerFrames, kWalkTicks);
  heroLeftAnim = frames(minerMirroredFrames, kWalkTicks);
  heroUpAnim = frames(minerUpFrames, kWalkTicks);
  heroDownAnim = frames(minerDownFrames, kWalkTicks);
  heroDeathAnim = frames(minerDieFrames, kWalkTicks);
  bonusSideAnim = frames(bonusFrames, kBonusTicks);
  bonusUpAnim = frames(bonusUpFrames, kBonusTicks);
  bonusDownAnim = frames(bonusDownFrames, kBonusTicks);
  for (const AnimationPtr& a :
       {heroRightAnim, heroLeftAnim, heroUpAnim, heroDownAnim, bonusSideAnim, bonusUpAnim, bonusDownAnim}) {
    a->restart();
  }
}

void Player::releaseAnimations() {
  heroDeathAnim = nullptr;
  heroRightAnim = nullptr;
  heroLeftAnim = nullptr;
  heroUpAnim = nullptr;
  heroDownAnim = nullptr;
}

void Player::resetPosition() {
  column = data::kHeroStartColumn;
  row = data::kHeroStartRow;
  x = column * cellSize;
  y = row * cellSize;
  offsetX = offsetY = 0;
  direction = DIR_RIGHT;
  dying = false;
  spawnGuard = kSpawnGuard;
  lastHeroX = x;
}

void Player::newGame() {
  lives = kStartLives;
  score = 0;
  lastLifeScore = 0;
  resetPosition();
}

void Player::kill() {
  if (spawnGuard != 0) return;
  if (!dying) {
    --lives;
    heroDeathAnim->restart();
    // The bonus ends at the next step.
    if (bonusActive) bonusSteps = 1;
    playSound(SOUND_HERO_DEAD);
  }
  dying = true;
  fieldDirty = true;
}

void Player::move(int32_t d) {
  if (dying) return;
  const int32_t cs = cellSize, step = moveStep;
  if (offsetX == 0) {
    if (d == DIR_UP) {
      if (Level::touchBags(x, y, d, Level::HERO) == d || (row == 0 && offsetY == 0)) return;
      if (offsetY == 0) {
        Level::carve(column, row, 0, 0, DIR_UP);
        --row;
        offsetY = cs;
      }
      offsetY -= step;
      y -= step;
      direction = DIR_UP;
      Level::carve(column, row, offsetX, offsetY, DIR_UP);
      return;
    }
    if (d == DIR_DOWN) {
      if (Level::touchBags(x, y, d, Level::HERO) == d || row == mapRows - 1) return;
      if (offsetY == 0) Level::carve(column, row - 1, offsetX, cs, DIR_DOWN);
      if (offsetY == cs - step) {
        Level::carve(column, row, offsetX, cs, DIR_DOWN);
        ++row;
        offsetY = -step;
      }
      offsetY += step;
      y += step;
      direction = DIR_DOWN;
      Level::carve(column, row, offsetX, offsetY, DIR_DOWN);
      return;
    }
    // Between row lines the hero keeps going up or down to the next one.
    if (offsetY != 0) {
      if (direction == DIR_UP || direction == DIR_DOWN) move(direction);
      return;
    }
  } else if (offsetY != 0) {
    return;
  }
  const int32_t bag = Level::touchBags(x, y, d, Level::HERO);
  if (d == DIR_LEFT && bag != DIR_LEFT) {
    if (column == 0 && offsetX == 0) return;
    if (offsetX == 0) {
      Level::carve(column, row, 0, offsetY, DIR_LEFT);
      --column;
      offsetX = cs;
    }
    offsetX -= step;
    x -= step;
    direction = DIR_LEFT;
    Level::carve(column, row, offsetX, offsetY, DIR_LEFT);
  } else if (d == DIR_RIGHT && bag != DIR_RIGHT && column != mapCols - 1) {
    if (offsetX == 0) Level::carve(column - 1, row, cs, offsetY, DIR_RIGHT);
    if (offsetX == cs - step) {
      Level::carve(column, row, cs, offsetY, DIR_RIGHT);
      ++column;
      offsetX = -step;
    }
    offsetX += step;
    x += step;
    direction = DIR_RIGHT;
    Level::carve(column, row, offsetX, offsetY, DIR_RIGHT);
  } else if (d != DIR_LEFT && d != DIR_RIGHT && offsetX != 0) {
    // Between column lines the hero keeps going left or right to the next one.
    if (direction == DIR_LEFT || direction == DIR_RIGHT) move(direction);
  }
}

void Player::paint() {
  const int32_t sx = x + scrollX, sy = y + scrollY;
  if (spawnGuard > 0) --spawnGuard;
  if (dying) {
    paintDeath(sx, sy);
    return;
  }
  if (levelStartSound) {
    levelStartSound = false;
    playSound(SOUND_BORN);
  }
  switch (direction) {
    case DIR_LEFT:
      heroLeftAnim->paint(sx, sy);
      break;
    case DIR_UP:
      heroUpAnim->paint(sx, sy);
      break;
    case DIR_DOWN:
      heroDownAnim->paint(sx, sy);
      break;
    default:
      heroRightAnim->paint(sx, sy);
      break;
  }
  if (!bonusActive) return;
  (direction == DIR_UP ? bonusUpAnim : direction == DIR_DOWN ? bonusDownAnim : bonusSideAnim)->paint(sx, sy);
}

void Player::paintDeath(int32_t sx, int32_t sy) {
  Animation& death = *heroDeathAnim;
  const int32_t last = death.frames->length - 1;
  if (death.currentFrame != last) {
    death.paint(sx, sy);
    if (death.currentFrame == last) {
      // The last frame stays a while.
      deathHold = deathHoldSteps;
      death.running = false;
    }
    return;
  }
  if (deathHold > 0) {
    death.paint(sx, sy);
    --deathHold;
    return;
  }
  if (lives >= 0) {
    dying = false;
    Level::resetAfterDeath();
    resetPosition();
    return;
  }
  stateTime = DSystem::currentTimeMillis();
  endCaption = u"gameover";
  gameState = BurrowGame::GAME_OVER;
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Player::addScore(int32_t points) {
  score = gamelib::addPoints(score, points);
  checkExtraLife();
}

void Player::addCherryScore() { addScore(kCherryPoints); }
void Player::addMonsterScore(int32_t n) { addScore(kMonsterPoints * n); }
void Player::addCrystalScore() { addScore(kCrystalPoints); }
void Player::addGoldScore() { addScore(kGoldPoints); }
void Player::addShotScore() { addScore(kShotPoints); }
void Player::addBagScore() { addScore(kBagPoints); }

void Player::checkExtraLife() {
  if (score - lastLifeScore > kLifeScore) {
    ++lives;
    lastLifeScore = score / kLifeScore * kLifeScore;
  }
  lives = std::min(lives, kMaxLives);
}

}  // namespace burrow
