// A runner's reset and steps, and the view that follows the hero across and down the map.
#include "games/climber/Runner.h"

#include "games/climber/Climber.h"
#include "games/climber/ClimberGlobals.h"

namespace climber {

void Runner::reset() {
  offsetX = 0;
  offsetY = 0;
  directionX = nextRandom() > 0 ? 0 : -1;
  directionY = 0;
  state = REAPPEARING;
  cellChanged = true;
  timer = reappearTime;
  isEnemy = true;
  animationCounter = 0;
  lastDistance = -1;
}

void Runner::placeAt(int32_t index) {
  cell = index;
  column = index % mapWidth;
  row = index / mapWidth;
}

void Runner::stepHorizontal(int32_t direction) {
  const int32_t before = column * tileWidth + offsetX;
  directionX = direction;
  offsetX += direction * (isEnemy ? smallStepX : stepX);
  const bool blocked = (direction < 0 && offsetX < 0 && !Climber::canEnter(column - 1, row, false)) ||
                       (direction > 0 && offsetX > 0 && !Climber::canEnter(column + 1, row, false));
  if (blocked) {
    // Stopped in the middle of the cell; a climber keeps hold of its ladder.
    if (state != CLIMBING) {
      state = STANDING;
      cellChanged = true;
      timer = 0;
    }
    offsetX = 0;
  } else {
    const int32_t half = tileWidth >> 1;
    bool moved = false;
    for (; offsetX > half; moved = true) {
      offsetX -= tileWidth;
      ++column;
      ++cell;
    }
    for (; offsetX < -half; moved = true) {
      offsetX += tileWidth;
      --column;
      --cell;
    }
    if (moved) cellChanged = true;
  }
  if (state != CLIMBING) offsetY = 0;
  ++animationCounter;
  const int32_t after = column * tileWidth + offsetX;
  if (isEnemy || after == before) return;
  if (state == WALKING) playSound(SOUND_WALK);
  if (state == HANGING) playSound(SOUND_HAND_OVER_HAND);
  followAcross(after);
}

void Runner::stepVertical(int32_t direction, bool falling) {
  const int32_t before = row * tileHeight + offsetY;
  directionY = direction;
  offsetY += falling ? fallStepY : direction * stepY;
  const bool blocked = (direction < 0 && offsetY < 0 && !Climber::canEnter(column, row - 1, falling)) ||
                       (direction > 0 && offsetY > 0 && !Climber::canEnter(column, row + 1, falling));
  if (blocked) {
    // A fall ends on bricks or a ladder's top; a climb on bricks only.
    state = STANDING;
    timer = 0;
    cellChanged = true;
    offsetY = 0;
  } else {
    const int32_t half = tileHeight >> 1;
    bool moved = false;
    for (; offsetY > half; moved = true) {
      offsetY -= tileHeight;
      ++row;
      cell += mapWidth;
    }
    for (; offsetY < -half; moved = true) {
      offsetY += tileHeight;
      --row;
      cell -= mapWidth;
    }
    if (moved) cellChanged = true;
  }
  offsetX = 0;
  // Climbing past a ladder's top leaves the runner standing on the cell above it.
  if (state == CLIMBING && cellAt(cell) != data::kLadderCell && direction < 0 && offsetY < 0) {
    state = STANDING;
    timer = 0;
    cellChanged = true;
    offsetY = 0;
  }
  ++animationCounter;
  const int32_t after = row * tileHeight + offsetY;
  if (isEnemy || after == before) return;
  if (state == FALLING) playSound(SOUND_FALL);
  if (state == CLIMBING) playSound(SOUND_LADDER);
  followDown(after);
}

namespace {

// Where the view's edge goes for the hero at pixel p of a map `mapPixels` long on a screen `screen` long:
// the hero in the middle, the view inside the map.
int32_t viewEdge(int32_t p, int32_t cell, int32_t screen, int32_t mapPixels) {
  const int32_t half = (screen - cell) >> 1;
  if (p < half) return 0;
  if (p >= mapPixels - ((screen + cell) >> 1)) return mapPixels - screen;
  return p - half;
}

}  // namespace

void Runner::followAcross(int32_t pixelColumn) {
  const int32_t before = cameraX / tileWidth;
  cameraX = viewEdge(pixelColumn, tileWidth, screenWidth, mapWidth * tileWidth);
  const int32_t after = cameraX / tileWidth;
  // Each column that comes into the buffered window is drawn before it is shown; the view moves less
  // than a cell a step, so that is one column.
  for (int32_t c = after; c < before; ++c) Climber::redrawColumns(c);
  for (int32_t c = before; c < after; ++c) Climber::redrawColumns(c + 1 + bufferWidth / tileWidth - 1);
}

void Runner::followDown(int32_t pixelRow) {
  const int32_t before = cameraY / tileHeight;
  cameraY = viewEdge(pixelRow, tileHeight, screenHeight, mapHeight * tileHeight);
  const int32_t after = cameraY / tileHeight;
  for (int32_t r = after; r < before; ++r) Climber::redrawRow(r);
  for (int32_t r = before; r < after; ++r) Climber::redrawRow(r + 1 + bufferHeight / tileHeight - 1);
}

}  // namespace climber
