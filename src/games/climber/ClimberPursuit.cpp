// The guards' pursuit: a breadth-first search from the hero's cell over the moves a guard can make, spread
// over several world updates, and each guard's step toward a neighbour one move closer.
#include "gamelib/Score.h"
#include "games/climber/Climber.h"

namespace climber {

using data::kArmourBrick;
using data::kBrick;
using data::kBrickInChange;
using data::kHandrailCell;
using data::kLadderCell;
using data::kOpenHole;

namespace {

constexpr int32_t kGenerationsPerUpdate = 20;
// A guard gets confused one time in 32: none of these bits set in a draw.
constexpr int32_t kConfusionBits = 0x2F;
constexpr int16_t kUnknown = -1;

bool isBrick(char16_t c) { return c == kBrick || c == kArmourBrick; }

// Where a fall ending in the cell below m began, walking up from m: a ladder, a cell under a ladder or
// handrail, or one a guard walks into from beside; -1 when bricks stop the walk first.
int32_t fallStart(int32_t m, int32_t x) {
  for (; m > 0; m -= mapWidth) {
    const char16_t c = cellAt(m);
    if (isBrick(c) || c == kOpenHole || c == kBrickInChange) return -1;
    if (c == kLadderCell) return m;
    if (m - mapWidth > 0 && (cellAt(m - mapWidth) == kLadderCell || cellAt(m - mapWidth) == kHandrailCell)) return m;
    if ((x > 0 && Climber::isStanding(m, -1)) || (x < mapWidth - 1 && Climber::isStanding(m, 1))) return m;
  }
  return -1;
}

}  // namespace

void Climber::updateDistances() {
  nuv::lang::DshortArray& distance = *(*distanceTable)[0];
  nuv::lang::DshortArray& frontier = *(*distanceTable)[1];
  const int32_t count = distance.length;
  if (restartSearch) {
    for (int32_t e = 0; e < enemyCount; ++e) (*enemies)[e]->lastDistance = kUnknown;
    for (int32_t i = 0; i < count; ++i) distance[i] = kUnknown;
    distance[hero->cell] = 0;
    frontier[0] = static_cast<int16_t>(hero->cell);
    if (count > 1) frontier[1] = kUnknown;
    restartSearch = false;
    return;
  }
  for (int32_t generation = 0; generation < kGenerationsPerUpdate && frontier[0] != kUnknown; ++generation) {
    const int16_t next = static_cast<int16_t>(distance[frontier[0]] + 1);
    // New cells are written from the row's end backward while the frontier is read from its start.
    int32_t write = count - 1;
    auto add = [&](int32_t n) {
      if (distance[n] != kUnknown) return;
      distance[n] = next;
      frontier[write--] = static_cast<int16_t>(n);
    };
    for (int32_t read = 0; read <= write && frontier[read] != kUnknown; ++read) {
      const int32_t c = frontier[read];
      const int32_t x = c % mapWidth, y = c / mapWidth;
      const bool lastRow = y == mapHeight - 1;
      if (x > 0 && !isBrick(cellAt(c - 1)) && (lastRow || isStanding(c, -1))) add(c - 1);
      if (x < mapWidth - 1 && !isBrick(cellAt(c + 1)) && (lastRow || isStanding(c, 1))) add(c + 1);
      const int32_t above = c - mapWidth;
      if (y > 0 && above > 0 && distance[above] == kUnknown) {
        const int32_t start = fallStart(above, x);
        if (start >= 0) add(start);
      }
      const int32_t below = c + mapWidth;
      if (y < mapHeight - 1 &&
          (cellAt(below) == kLadderCell || (cellAt(c) == kLadderCell && cellAt(below) == kHandrailCell)))
        add(below);
    }
    // The new generation moves to the front, in the row's order, and is ended by -1.
    const int32_t added = count - 1 - write;
    for (int32_t k = 0; k < added; ++k) frontier[k] = frontier[write + 1 + k];
    if (added < count) frontier[added] = kUnknown;
  }
}

void Climber::stepEnemy(Runner& enemy) {
  if (enemy.state == Runner::BURIED) {
    if (enemy.timer > 0) {
      enemy.timer -= timeStep;
      return;
    }
    // It comes up through the bricks above it, never past the map's top row.
    while (cellAt(enemy.cell) == kBrick && enemy.row > 0) {
      enemy.cell -= mapWidth;
      --enemy.row;
    }
    if (enemy.cell == hero->cell) {
      enemy.timer = buriedTime;
      return;
    }
    enemy.state = Runner::REAPPEARING;
    enemy.directionX = enemy.directionY = 0;
    enemy.timer = reappearTime;
    playSound(SOUND_GUARD_BACK);
    return;
  }
  if (enemy.state == Runner::REAPPEARING) {
    if (enemy.timer > 0) {
      enemy.timer -= timeStep;
      return;
    }
    enemy.state = Runner::STANDING;
    enemy.cellChanged = true;
    enemy.timer = 0;
    return;
  }
  const nuv::lang::DshortArray& distance = *(*distanceTable)[0];
  const int16_t d = distance[enemy.cell];
  if (enemy.state != Runner::TRAPPED) {
    if (enemy.timer > 0) enemy.timer -= timeStep;
    if (enemy.timer <= 0 && (nextRandom() & kConfusionBits) == 0) enemy.timer = confusedTime;
  }
  if (enemy.state == Runner::STANDING) enemy.timer = 0;
  if (enemy.state == Runner::FALLING) {
    enemy.stepVertical(1, true);
  } else if (enemy.state == Runner::TRAPPED) {
    enemy.timer -= timeStep;
    if (enemy.timer < 0) {
      if (enemy.row > 0 && cellAt(enemy.cell - mapWidth) == kBrick) {
        enemy.state = Runner::BURIED;
        enemy.timer = buriedTime;
        score = gamelib::addPoints(score, enemyScore);
        playSound(SOUND_GUARD_BURIED);
      } else {
        // It climbs out onto the cell above.
        enemy.timer = 0;
        enemy.state = Runner::STANDING;
        enemy.cell -= mapWidth;
        --enemy.row;
      }
    } else if (enemy.timer <= wiggleTime) {
      enemy.directionX = -enemy.directionX;
    }
  } else if (!enemy.cellChanged && d == enemy.lastDistance && enemy.state != Runner::STANDING) {
    if (enemy.directionX != 0) {
      enemy.stepHorizontal(enemy.directionX);
    } else if (enemy.directionY != 0) {
      enemy.stepVertical(enemy.directionY, false);
    }
  } else {
    enemy.lastDistance = d;
    const int32_t column = enemy.column, row = enemy.row, c = enemy.cell;
    if (d == kUnknown) {
      // The search has not reached it yet: it wanders.
      if (canEnter(column + 1, row, false) || canEnter(column - 1, row, false)) {
        enemy.directionX = enemy.directionX == 0 ? (nextRandom() > 0 ? 1 : -1) : -enemy.directionX;
        enemy.directionY = 0;
        enemy.state = Runner::WALKING;
      } else if (canEnter(column, row + 1, false)) {
        enemy.directionX = 0;
        enemy.directionY = 1;
        enemy.state = Runner::CLIMBING;
      }
    } else {
      const int16_t closer = static_cast<int16_t>(d - 1);
      const bool confused = enemy.timer > 0;
      const char16_t here = cellAt(c);
      const bool canClimb =
          here == kLadderCell || (here == kHandrailCell && row > 0 && cellAt(c - mapWidth) == kLadderCell);
      if (row < mapHeight - 1 && distance[c + mapWidth] == closer) {
        enemy.state = Runner::CLIMBING;
        enemy.directionY = 1;
        enemy.directionX = 0;
      } else if (row > 0 && canClimb && distance[c - mapWidth] == closer) {
        enemy.state = Runner::CLIMBING;
        enemy.directionY = -1;
        enemy.directionX = 0;
      } else if (column < mapWidth - 1 && distance[c + 1] == closer) {
        if (enemy.state != Runner::HANGING) enemy.state = Runner::WALKING;
        enemy.directionY = 0;
        enemy.directionX = confused ? -1 : 1;
      } else if (column > 0 && distance[c - 1] == closer) {
        if (enemy.state != Runner::HANGING) enemy.state = Runner::WALKING;
        enemy.directionY = 0;
        enemy.directionX = confused ? 1 : -1;
      }
    }
  }
  if (enemy.cellChanged) {
    enemy.cellChanged = false;
    enterCell(enemy);
  }
}

}  // namespace climber
