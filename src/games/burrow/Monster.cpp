// The monster's life at the nest and on the field, its move step and its choice of direction.
#include "games/burrow/Monster.h"

#include <utility>

#include "gamelib/GameApi.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// Move steps a freshly entered monster stands at the nest.
constexpr int32_t kEnterWait = 15;
// Move steps in a row a bag may block a monster before it turns back.
constexpr int32_t kBumpsToTurn = 4;
// Move steps a monster that met another going the same way waits.
constexpr int32_t kSeparateWait = 2;
// Rolls out of 100: the coin toss between two directions, the shuffle of a preference list, its reversal.
constexpr int32_t kCoin = 50;
constexpr int32_t kShuffleChance = 30;
constexpr int32_t kReverseChance = 10;
// Highest tier plus this, doubled, is the chance out of 100 that a monster with the hero in sight looks
// for another way all the same; the higher the level, the more single-minded the chase.
constexpr int32_t kSightDoubt = 15;
// The kind timers shrink or grow by up to these times the tier.
constexpr int32_t kNormalSpread = 30;
constexpr int32_t kDiggingSpread = 10;

AnimationPtr frames(const DStringArrayPtr& names) { return new Animation(names); }

}  // namespace

Monster::Monster() {
  --monstersLeft;
  number = maxMonsters - monstersLeft;
  preference = new nuv::lang::DbyteArray(4);
  walkAnim = frames(enemyUpFrames);
  walkLeftAnim = frames(enemySideFrames);
  walkRightAnim = frames(enemySideMirroredFrames);
  carveLeftAnim = frames(enemyEatMirroredFrames);
  carveRightAnim = frames(enemyEatFrames);
  deathAnim = frames(enemyDieFrames);
  carveDeathLeftAnim = frames(enemyEatDeathMirroredFrames);
  carveDeathRightAnim = frames(enemyEatDeathFrames);
  sideLeftAnim = walkLeftAnim;
  sideRightAnim = walkRightAnim;
}

Monster::~Monster() = default;

void Monster::reset() {
  column = mapCols - 1;
  row = 0;
  x = column * cellSize;
  y = 0;
  offsetX = offsetY = 0;
  enterDelay = 1;
  dying = digging = active = false;
  bumps = 0;
  phaseSteps = normalPhaseSteps;
  for (const AnimationPtr& a : {walkAnim, walkLeftAnim, walkRightAnim, carveLeftAnim, carveRightAnim, deathAnim,
                                carveDeathLeftAnim, carveDeathRightAnim}) {
    a->restart();
  }
  sideLeftAnim = walkLeftAnim;
  sideRightAnim = walkRightAnim;
}

void Monster::flipKind() {
  const int32_t tier = levelTier();
  digging = !digging;
  if (digging) {
    phaseSteps = diggingPhaseSteps + randomBelow(tier * kDiggingSpread);
    sideLeftAnim = carveLeftAnim;
    sideRightAnim = carveRightAnim;
  } else {
    phaseSteps = normalPhaseSteps - randomBelow(tier * kNormalSpread);
    sideLeftAnim = walkLeftAnim;
    sideRightAnim = walkRightAnim;
  }
}

void Monster::markCells() {
  Level::markDirty(column, row);
  if (column < mapCols - 1) Level::markDirty(column + 1, row);
  if (row < mapRows - 1) Level::markDirty(column, row + 1);
}

void Monster::update() {
  if (--phaseSteps == 0) flipKind();
  if (dying) {
    markCells();
    const AnimationPtr& death = !digging ? deathAnim : facing == DIR_LEFT ? carveDeathLeftAnim : carveDeathRightAnim;
    death->paint(x + scrollX, y + scrollY);
    // Shown to its last frame, then gone.
    if (death->finished) reset();
    return;
  }
  if (active) {
    paint();
    markCells();
    return;
  }
  if (!bonusActive && enterDelay == 0 && number <= monsterLimit) {
    enter();
  } else if (enterDelay > 0) {
    --enterDelay;
  }
}

void Monster::enter() {
  active = true;
  column = mapCols - 1;
  row = 0;
  x = column * cellSize;
  y = 0;
  offsetX = offsetY = 0;
  direction = DIR_LEFT;
  waitSteps = kEnterWait;
}

void Monster::paint() {
  const int32_t sx = x + scrollX, sy = y + scrollY;
  if (direction == DIR_LEFT) {
    sideLeftAnim->paint(sx, sy);
  } else if (direction == DIR_RIGHT) {
    sideRightAnim->paint(sx, sy);
  } else if (digging) {
    (facing == DIR_LEFT ? sideLeftAnim : sideRightAnim)->paint(sx, sy);
  } else {
    walkAnim->paint(sx, sy);
  }
}

void Monster::paintAt(int32_t screenX, int32_t screenY) {
  if (!digging) {
    walkAnim->paint(screenX, screenY);
    return;
  }
  const int32_t side = direction == DIR_LEFT || direction == DIR_RIGHT ? direction : facing;
  (side == DIR_LEFT ? carveLeftAnim : carveRightAnim)->paint(screenX, screenY);
}

void Monster::kill() {
  dying = true;
  deathAnim->restart();
  carveDeathLeftAnim->restart();
  carveDeathRightAnim->restart();
  active = false;
}

bool Monster::stepStaysInside(int32_t d) const {
  switch (d) {
    case DIR_LEFT:
      return column > 0 || offsetX > 0;
    case DIR_RIGHT:
      return column < mapCols - 1;
    case DIR_UP:
      return row > 0 || offsetY > 0;
    case DIR_DOWN:
      return row < mapRows - 1;
    default:
      return false;
  }
}

void Monster::move(int32_t skipDecision) {
  if (!active) return;
  if (waitSteps > 0) {
    --waitSteps;
    return;
  }
  if (dying) return;
  const int32_t bag = Level::touchBags(x, y, direction, number);
  if (offsetX == 0 && offsetY == 0 && skipDecision == 0) {
    chooseMove();
    move(1);
    separate();
    return;
  }
  if (digging) {
    dig();
    return;
  }
  if (!walk(bag)) return;
  if (Level::bagFallingInColumn(column) && direction == DIR_UP && row != mapRows - 1 && offsetY == 0) {
    direction = DIR_DOWN;
  }
  separate();
}

void Monster::dig() {
  // A turn by another monster or a bag may point off the field: the monster then stands at the edge.
  if (!stepStaysInside(direction)) return;
  const int32_t cs = cellSize, step = moveStep;
  if (offsetX == 0 && direction == DIR_UP) {
    if (offsetY == 0) {
      Level::carve(column, row, 0, 0, DIR_UP);
      --row;
      offsetY = cs;
    }
    offsetY -= step;
    y -= step;
    Level::carve(column, row, offsetX, offsetY, DIR_UP);
  } else if (offsetX == 0 && direction == DIR_DOWN) {
    if (offsetY == 0) Level::carve(column, row - 1, offsetX, cs, DIR_DOWN);
    if (offsetY == cs - step) {
      Level::carve(column, row, offsetX, cs, DIR_DOWN);
      ++row;
      offsetY = -step;
    }
    offsetY += step;
    y += step;
    Level::carve(column, row, offsetX, offsetY, DIR_DOWN);
  } else if (offsetY == 0 && direction == DIR_LEFT) {
    if (offsetX == 0) {
      Level::carve(column, row, 0, offsetY, DIR_LEFT);
      --column;
      offsetX = cs;
    }
    offsetX -= step;
    x -= step;
    Level::carve(column, row, offsetX, offsetY, DIR_LEFT);
  } else if (offsetY == 0 && direction == DIR_RIGHT) {
    if (offsetX == 0) Level::carve(column - 1, row, cs, offsetY, DIR_RIGHT);
    if (offsetX == cs - step) {
      Level::carve(column, row, cs, offsetY, DIR_RIGHT);
      ++column;
      offsetX = -step;
    }
    offsetX += step;
    x += step;
    Level::carve(column, row, offsetX, offsetY, DIR_RIGHT);
  }
}

bool Monster::walk(int32_t bag) {
  if (bag == DIR_NONE) bumps = 0;
  if (direction < DIR_RIGHT || direction > DIR_DOWN) return false;
  if (bag == direction) {
    if (++bumps == kBumpsToTurn) {
      direction = opposite(direction);
      bumps = 0;
    }
    return false;
  }
  // A turn by another monster or a bag may point off the field: the monster then stands at the edge.
  if (!stepStaysInside(direction)) return false;
  const int32_t cs = cellSize, step = moveStep;
  switch (direction) {
    case DIR_LEFT:
      offsetX -= step;
      x -= step;
      if (offsetX < 0) {
        --column;
        offsetX = cs - step;
      }
      break;
    case DIR_RIGHT:
      offsetX += step;
      x += step;
      if (offsetX >= cs) {
        ++column;
        offsetX = 0;
      }
      break;
    case DIR_UP:
      offsetY -= step;
      y -= step;
      if (offsetY < 0) {
        --row;
        offsetY = cs - step;
      }
      break;
    default:
      offsetY += step;
      y += step;
      if (offsetY >= cs) {
        ++row;
        offsetY = 0;
      }
      break;
  }
  return true;
}

int32_t Monster::opposite(int32_t d) {
  switch (d) {
    case DIR_RIGHT:
      return DIR_LEFT;
    case DIR_UP:
      return DIR_DOWN;
    case DIR_LEFT:
      return DIR_RIGHT;
    case DIR_DOWN:
      return DIR_UP;
    default:
      return DIR_NONE;
  }
}

int32_t Monster::towardHero(bool vertical) {
  if (vertical) return player->row < row ? DIR_UP : DIR_DOWN;
  return player->column < column ? DIR_LEFT : DIR_RIGHT;
}

void Monster::swapFirstLast() { std::swap((*preference)[0], (*preference)[3]); }

void Monster::swapMiddle() { std::swap((*preference)[1], (*preference)[2]); }

bool Monster::canGo(int32_t d) {
  switch (d) {
    case DIR_LEFT:
      return column > 0 && Level::canGoRight(column - 1, row);
    case DIR_RIGHT:
      return column < mapCols - 1 && Level::canGoLeft(column + 1, row);
    case DIR_UP:
      return row > 0 && Level::canGoDown(column, row - 1);
    case DIR_DOWN:
      return row < mapRows - 1 && Level::canGoUp(column, row + 1);
    default:
      return false;
  }
}

void Monster::separate() {
  int32_t index = number - 1;
  for (int32_t j = index + 1; j < monsterLimit && j < maxMonsters; ++j) {
    const Monster& other = *(*monsters)[j];
    if (intersects(x, y, other.x, other.y, cellSize, cellSize, cellSize, cellSize) && direction == other.direction) {
      direction = opposite(direction);
      waitSteps = kSeparateWait;
    }
  }
}

void Monster::chooseMove() {
  const int32_t before = direction;
  if (player->dying) {
    direction = DIR_NONE;
    return;
  }
  if (digging) {
    chooseDigging(before);
    return;
  }
  if (chooseInSight(before)) return;
  choosePreferred(before);
}

void Monster::chooseDigging(int32_t before) {
  if (before == DIR_LEFT || before == DIR_RIGHT) facing = before;
  int32_t vertical = towardHero(true), horizontal = towardHero(false);
  if (horizontal == DIR_LEFT && column == 0) horizontal = DIR_RIGHT;
  if (horizontal == DIR_RIGHT && column == mapCols - 1) horizontal = DIR_LEFT;
  if (vertical == DIR_UP && row == 0) vertical = DIR_DOWN;
  if (vertical == DIR_DOWN && row == mapRows - 1) vertical = DIR_UP;
  // A digging monster never turns back the way it came.
  if (before == opposite(vertical)) {
    direction = horizontal;
    return;
  }
  if (before == opposite(horizontal)) {
    direction = vertical;
    return;
  }
  direction = randomBelow(100) < kCoin ? vertical : horizontal;
}

bool Monster::chooseInSight(int32_t before) {
  int32_t toward;
  if (player->column == column) {
    toward = towardHero(true);
  } else if (player->row == row) {
    toward = towardHero(false);
  } else {
    return false;
  }
  facing = bonusActive ? opposite(toward) : toward;
  if (!canGo(facing) || facing == opposite(before)) return false;
  direction = facing;
  return randomBelow(100) >= (kSightDoubt - levelTier()) * 2;
}

void Monster::setPreference(int32_t a, int32_t b, int32_t c, int32_t d) {
  (*preference)[0] = static_cast<int8_t>(a);
  (*preference)[1] = static_cast<int8_t>(b);
  (*preference)[2] = static_cast<int8_t>(c);
  (*preference)[3] = static_cast<int8_t>(d);
}

void Monster::choosePreferred(int32_t before) {
  const int32_t hx = player->column, hy = player->row;
  const bool below = hy >= row;
  if (hx > column) {
    below ? setPreference(1, 4, 2, 3) : setPreference(1, 2, 4, 3);
  } else if (hx < column) {
    below ? setPreference(3, 4, 2, 1) : setPreference(3, 2, 4, 1);
  } else if (randomBelow(100) < kCoin) {
    below ? setPreference(4, 1, 3, 2) : setPreference(2, 1, 3, 4);
  } else {
    below ? setPreference(4, 3, 1, 2) : setPreference(2, 3, 1, 4);
  }
  if (randomBelow(100) < kShuffleChance) {
    std::swap((*preference)[0], (*preference)[1]);
    std::swap((*preference)[2], (*preference)[3]);
  }
  // During a bonus the monster flees: its list runs backwards.
  if (bonusActive || randomBelow(100) < kReverseChance) {
    swapFirstLast();
    swapMiddle();
  }
  int32_t chosen = -1;
  for (int32_t i = 0; i < 4 && chosen < 0; ++i) {
    const int32_t e = (*preference)[i];
    if (!canGo(e)) continue;
    facing = e;
    if (e != opposite(before)) chosen = e;
  }
  for (int32_t i = 0; i < 4 && chosen < 0; ++i) {
    if (canGo((*preference)[i])) chosen = (*preference)[i];
  }
  direction = chosen < 0 ? DIR_NONE : chosen;
  // A monster that turns back pauses a step.
  if (direction == opposite(before)) waitSteps = 1;
}

}  // namespace burrow
