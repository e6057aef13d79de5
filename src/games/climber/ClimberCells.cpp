// What arriving in a cell does to a runner (gold, the exit, handrails, falls, holes, a guard's touch),
// the hero's digging, and the holes' timed life from dug to open to closed.
#include "gamelib/Score.h"
#include "gamelib/SoundManager.h"
#include "games/climber/Climber.h"

namespace climber {

using data::kArmourBrick;
using data::kBrick;
using data::kBrickInChange;
using data::kDroppedGold;
using data::kEmpty;
using data::kGoldCell;
using data::kHandrailCell;
using data::kLadderCell;
using data::kOpenExit;
using data::kOpenHole;

namespace {

// A trapped guard drops its gold one time in eight: the low four bits of a draw below two.
constexpr int32_t kDropBits = 15;
constexpr int32_t kDropBelow = 2;

void setCell(int32_t index, char16_t c) {
  (*cells)[index] = c;
  Climber::redrawCell(index % mapWidth, index / mapWidth);
}

// A trapped guard in a cell carries whoever walks over it.
bool trappedGuardIn(int32_t index) {
  for (int32_t e = 0; e < enemyCount; ++e) {
    const Runner& enemy = *(*enemies)[e];
    if (enemy.cell == index && enemy.state == Runner::TRAPPED) return true;
  }
  return false;
}

}  // namespace

void Climber::enterCell(Runner& runner) {
  if (runner.state == Runner::BURIED) return;
  const int32_t c = runner.cell;
  const char16_t here = cellAt(c);
  if (here == kOpenExit && !runner.isEnemy) {
    completeLevel();
    return;
  }
  if (here == kGoldCell && !runner.isEnemy) {
    playSound(SOUND_GOLD);
    score = gamelib::addPoints(score, goldScore);
    if (--goldLeft < 1) {
      setCell(exitCell, kOpenExit);
      playSound(SOUND_EXIT_OPENS);
    }
    setCell(c, kEmpty);
  }
  if (here == kDroppedGold) {
    if (!runner.isEnemy) {
      playSound(SOUND_GOLD);
      score = gamelib::addPoints(score, goldScore);
    }
    setCell(c, kEmpty);
  }
  if (here == kHandrailCell) {
    // A guard standing still keeps standing on the handrail's cell.
    if (!(runner.isEnemy && runner.state == Runner::STANDING)) {
      runner.state = Runner::HANGING;
      runner.offsetY = 0;
    }
  } else if (runner.state == Runner::HANGING) {
    runner.state = Runner::WALKING;
  }
  const int32_t below = c + mapWidth;
  if (below < cells->length) {
    const char16_t under = cellAt(below);
    const bool carried = under == kBrick || under == kArmourBrick || under == kLadderCell || here == kHandrailCell ||
                         here == kLadderCell || trappedGuardIn(below);
    if (!carried) runner.state = Runner::FALLING;
  }
  if ((here == kBrickInChange || here == kOpenHole) && runner.isEnemy) {
    runner.state = Runner::TRAPPED;
    runner.timer = trappedTime;
    runner.offsetX = 0;
    runner.offsetY = 0;
    // Its gold comes out onto the cell above, and only into empty air there: never over a handrail, a
    // ladder or a hole.
    const int32_t above = c - mapWidth;
    if ((nextRandom() & kDropBits) < kDropBelow && above >= 0 && cellAt(above) == kEmpty) setCell(above, kDroppedGold);
  }
  for (int32_t e = 0; e < enemyCount; ++e) {
    const Runner& enemy = *(*enemies)[e];
    if (enemy.cell == hero->cell && enemy.state != Runner::BURIED && enemy.state != Runner::REAPPEARING) {
      loseLife();
      return;
    }
  }
}

void Climber::dig() {
  Runner& h = *hero;
  const int32_t column = h.directionX < 0 ? h.column - 1 : h.column + 1;
  const int32_t row = h.row + 1;
  if (column < 0 || column >= mapWidth || row >= mapHeight) return;
  const int32_t target = column + mapWidth * row;
  const char16_t beside = cellAt(target - mapWidth);
  if (cellAt(target) != kBrick || (beside != kEmpty && beside != kHandrailCell && beside != kOpenHole)) return;
  nuv::lang::DintArray2d& holes = *holeTable;
  for (int32_t r = 0; r < holes.length; ++r) {
    nuv::lang::DintArray& hole = *holes[r];
    if (hole[HOLE_CELL] != -1) continue;
    hole[HOLE_CELL] = target;
    hole[HOLE_TIME] = holeTime;
    setCell(target, kBrickInChange);
    h.state = Runner::DIGGING;
    h.timer = digTime;
    playSound(SOUND_DIG);
    return;
  }
}

bool Climber::updateHoles() {
  nuv::lang::DintArray2d& holes = *holeTable;
  for (int32_t r = 0; r < holes.length; ++r) {
    nuv::lang::DintArray& hole = *holes[r];
    const int32_t c = hole[HOLE_CELL];
    if (c == -1) continue;
    const int32_t time = hole[HOLE_TIME] -= timeStep;
    const char16_t now = cellAt(c);
    if (time > 0 && time < digTime && now == kOpenHole) {
      setCell(c, kBrickInChange);
    } else if (time > digTime && time < holeTime - digTime && now == kBrickInChange) {
      setCell(c, kOpenHole);
    } else if (time < 1) {
      setCell(c, kBrick);
      for (int32_t e = 0; e < enemyCount; ++e) {
        Runner& enemy = *(*enemies)[e];
        if (enemy.cell != c) continue;
        score = gamelib::addPoints(score, enemyScore);
        enemy.state = Runner::BURIED;
        enemy.timer = buriedTime;
        playSound(SOUND_GUARD_BURIED);
      }
      if (hero->cell == c) {
        loseLife();
        return true;
      }
      if (!gamelib::SoundManager::isPlaying()) playSound(SOUND_HOLE_CLOSES);
      hole[HOLE_CELL] = -1;
    }
  }
  return false;
}

}  // namespace climber
