// A bag's play step (falling, landing, pushing) and its paint, which runs the phases that count paints.
#include "games/burrow/Bag.h"

#include "games/burrow/BurrowGame.h"

namespace burrow {

Bag::Bag() { reset(); }

void Bag::reset() {
  wobbleTimer = bagWobbleSteps;
  breakTimer = bagBreakSteps;
  fallen = 0;
  wobbling = falling = breaking = gold = active = false;
  pushDirection = 0;
  pusher = 0;
  pauseSteps = 0;
}

void Bag::place(int32_t newRow, int32_t newColumn) {
  column = newColumn;
  row = newRow;
  x = column * cellSize;
  y = row * cellSize;
  pushOffset = 0;
  fallOffset = 0;
  active = true;
}

void Bag::update() {
  if (!active) return;
  column = x / cellSize;
  if (pauseSteps > 0) {
    --pauseSteps;
    return;
  }
  if (breaking || gold) {
    Level::markDirty(column, row);
    return;
  }
  if (falling) {
    fall();
    return;
  }
  const bool openBelow = row < mapRows - 1 && (Level::cellAt(column, row + 1) & CELL_TUNNELS) != 0;
  if (openBelow && pushOffset == 0 && pushDirection == DIR_NONE) {
    wobbling = true;
    return;
  }
  if (pushDirection != DIR_NONE) push();
}

void Bag::fall() {
  Level::markDirty(column, row);
  if (row < mapRows - 1) {
    // The bag digs its own way down: the bottom fifth of its cell first, then the cell below fifth by fifth.
    if (fallOffset == 0) Level::carve(column, row - 1, pushOffset, cellSize, DIR_DOWN);
    fallOffset += moveStep;
    y += moveStep;
    Level::carve(column, row, pushOffset, fallOffset, DIR_DOWN);
  }
  if (fallOffset == cellSize) {
    ++fallen;
    ++row;
    fallOffset = 0;
    if (row < mapRows - 1 && (Level::cellAt(column, row + 1) & CELL_TUNNELS) != 0) {
      Level::markDirty(column, row);
    } else {
      wobbling = falling = false;
      land();
    }
  }
  Level::markDirty(column, row);
}

void Bag::land() {
  if (fallen < bagBreakFall) {
    breaking = gold = false;
    fallen = 0;
    wobbleTimer = bagWobbleSteps;
    Level::markDirty(column, row);
  } else {
    breaking = true;
  }
}

void Bag::push() {
  pauseSteps = 1;
  Level::markDirty(column, row);
  if (wobbling) {
    pushDirection = DIR_NONE;
    return;
  }
  if (pushDirection == DIR_RIGHT) {
    if (column >= mapCols - 1 || (pushOffset == 0 && Level::bagAt(column + 1, row))) {
      pushDirection = DIR_NONE;
      return;
    }
    Level::markDirty(column + 1, row);
    x += moveStep;
    pushOffset += moveStep;
    if (pushOffset >= cellSize) {
      pushOffset = 0;
      ++column;
      pushDirection = DIR_NONE;
    }
  } else if (pushDirection == DIR_LEFT) {
    if (pushOffset == 0 && (column < 1 || Level::bagAt(column - 1, row))) {
      pushDirection = DIR_NONE;
      return;
    }
    // The cell the bag is leaving.
    Level::markDirty(column + 1, row);
    x -= moveStep;
    pushOffset -= moveStep;
    if (pushOffset < 0) pushOffset = cellSize - moveStep;
    if (pushOffset == 0) {
      pushDirection = DIR_NONE;
      column = x / cellSize;
    }
  } else {
    pushDirection = DIR_NONE;
  }
}

void Bag::paint(bool drawIdle) {
  if (!active) return;
  const int32_t sx = x + scrollX, sy = y + scrollY;
  if (breaking) {
    if (breakTimer == bagBreakSteps) {
      playSound(SOUND_BREAK_BAG);
      bagBreakAnim->restart();
      gold = true;
    }
    --breakTimer;
    bagBreakAnim->paint(sx, sy);
    if (bagBreakAnim->currentFrame == bagBreakAnim->frames->length - 1) {
      breaking = false;
      bagBreakAnim->running = false;
    }
    return;
  }
  if (gold) {
    goldImage->paint(sx, sy);
    if (--breakTimer <= 0) {
      active = false;
      gold = false;
    }
    return;
  }
  if (falling) {
    bagFallImage->paint(sx, sy);
    return;
  }
  if (wobbling) {
    // The hero right below, facing up, holds the bag where it is.
    if (player->column == column && player->row == row + 1 && player->direction == DIR_UP) {
      bagImage->paint(sx, sy);
      return;
    }
    if (wobbleTimer == bagWobbleSteps) bagWobbleAnim->restart();
    bagWobbleAnim->paint(sx, sy);
    if (--wobbleTimer <= 0) {
      playSound(SOUND_DROP_BAG);
      wobbling = false;
      falling = true;
    }
    return;
  }
  if (drawIdle) bagImage->paint(sx, sy);
}

}  // namespace burrow
