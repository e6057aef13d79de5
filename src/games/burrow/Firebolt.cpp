// The fire bolt's launch, flight, hits and recharge.
#include "games/burrow/Firebolt.h"

#include <algorithm>

#include "games/burrow/BurrowGame.h"

namespace burrow {

namespace {

// Play steps of recharge per difficulty tier, beside the base of boltRechargeBase.
constexpr int32_t kRechargePerTier = 15;
constexpr int32_t kFlightFrames = 2;
constexpr int32_t kFlightTicks = 2;

void mark(int32_t column, int32_t row) {
  if (Level::insideMap(column, row)) Level::markDirty(column, row);
}

}  // namespace

Firebolt::~Firebolt() { flightAnimation = nullptr; }

void Firebolt::reset() {
  flightAnimation = nullptr;
  x = y = 0;
  direction = DIR_NONE;
  flying = false;
  flightAnimation = new gamelib::Animation(kFlightFrames);
  for (int32_t i = 0; i < kFlightFrames; ++i) flightAnimation->addFrame(gamelib::GameImage::create((*boltFrames)[i]));
  flightAnimation->ticksPerFrame = kFlightTicks;
  flightAnimation->restart();
  rechargeSteps = 0;
}

void Firebolt::releaseAnimations() { flightAnimation = nullptr; }

void Firebolt::fire(int32_t x0, int32_t y0, int32_t d) {
  if (rechargeSteps != 0 || flying) return;
  direction = d & 0xFF;
  x = x0;
  y = y0;
  // Fired right or down, the bolt starts in the cell after the hero's.
  if (direction == DIR_RIGHT) x += cellSize;
  if (direction == DIR_DOWN) y += cellSize;
  row = y / cellSize;
  column = x / cellSize;
  offsetX = x % cellSize;
  offsetY = y % cellSize;
  if (row >= 0 && row < mapRows && column >= 0 && column < mapCols) {
    flying = true;
    playSound(SOUND_SHOOT);
  } else {
    flying = false;
  }
}

void Firebolt::update() {
  if (rechargeSteps != 0) {
    --rechargeSteps;
    return;
  }
  if (!flying) return;
  mark(column, row);
  if (fly()) hitMonsters();
}

bool Firebolt::fly() {
  const int32_t cs = cellSize, s = moveStep;
  switch (direction) {
    case DIR_LEFT:
      x -= s;
      offsetX -= s;
      mark(column + 1, row);
      if (offsetX < 0) {
        --column;
        offsetX = cs - s;
        if (column < 0) {
          mark(0, row);
          stop();
          return false;
        }
        if (!Level::canGoRight(column, row)) {
          mark(column, row);
          stop();
          return false;
        }
      }
      break;
    case DIR_RIGHT:
      x += s;
      offsetX += s;
      mark(column + 1, row);
      if (offsetX > cs) {
        ++column;
        offsetX = s;
        if (column + 1 >= mapCols || !Level::canGoLeft(column + 1, row)) {
          mark(std::min<int32_t>(column, mapCols - 1), row);
          stop();
          return false;
        }
      }
      break;
    case DIR_UP:
      y -= s;
      offsetY -= s;
      mark(column, row + 1);
      if (offsetY < 0) {
        --row;
        offsetY = cs - s;
        if (row < 0) {
          mark(column, 0);
          stop();
          return false;
        }
        if (!Level::canGoDown(column, row)) {
          mark(column, row);
          stop();
          return false;
        }
      }
      break;
    case DIR_DOWN:
      y += s;
      offsetY += s;
      mark(column, row + 1);
      if (offsetY > cs) {
        ++row;
        offsetY = s;
        if (row + 1 >= mapRows || !Level::canGoUp(column, row + 1)) {
          mark(column, std::min<int32_t>(row, mapRows - 1));
          stop();
          return false;
        }
      }
      break;
    default:
      break;
  }
  return true;
}

void Firebolt::hitMonsters() {
  const int32_t cs = cellSize, s = moveStep;
  for (int32_t i = 0; i < monsterLimit && i < maxMonsters && flying; ++i) {
    Monster& m = *(*monsters)[i];
    // Only a monster in play can be hit: one at the nest or already dying is passed by.
    if (!m.active || m.dying) continue;
    if (intersects(m.x, m.y, x + 1, y + 1, cs, cs, cs - s, cs - s)) {
      m.kill();
      stop();
      player->addShotScore();
    }
  }
}

void Firebolt::stop() {
  flying = false;
  rechargeSteps = levelTier() * kRechargePerTier + boltRechargeBase;
}

void Firebolt::paint() {
  if (flying) flightAnimation->paint(x + scrollX, y + scrollY);
}

}  // namespace burrow
