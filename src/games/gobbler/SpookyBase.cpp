// The chasers: waiting, their speed, their decisions at each cell, moving and their pictures.
#include "games/gobbler/SpookyBase.h"

#include <cstdlib>

#include "core/util/DRandom.h"
#include "gamelib/GameLib.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"
#include "games/gobbler/Movement.h"

namespace gobbler {

namespace {

constexpr int32_t kStartPixels = 80;
// The four ways by the number a draw gives: left, right, up, down.
constexpr int32_t kWays = 4;
constexpr int32_t kWayX[kWays] = {-1, 1, 0, 0};
constexpr int32_t kWayY[kWays] = {0, 0, -1, 1};
constexpr int32_t LEFT = 0, RIGHT = 1, UP = 2, DOWN = 3;
// Picture offsets within a colour's four: forward (down), upward, left, right.
constexpr int32_t kFrightenedBase = 16;
constexpr int32_t kEyesDown = 20, kEyesUp = 21, kEyesRight = 22, kEyesLeft = 23;
// The last steps of a fright flash the red pictures in, three steps of every six.
constexpr int32_t kFlashFrom = 89;
constexpr int32_t kFlashPeriod = 6;
constexpr int32_t kFlashOn = 3;

}  // namespace

SpookyBase::SpookyBase()
    : bounds(new rectangle(0, 0, 0, 0)),
      position(new vector_3d(kStartPixels, kStartPixels)),
      direction(new vector_3d(0, -1)),
      lastCell(new point(-1, -1)),
      newDirection(new vector_3d(0, 0)),
      nextPosition(new vector_3d(0, 0)),
      lastPosition(new vector_3d(0, 0)),
      target(new vector_3d(0, 0)),
      cell(new point(0, 0)) {
  // A new generator seeded as at the start: from the clock.
  gamelib::GameLib::random = new nuv::util::DRandom();
}

SpookyBase::~SpookyBase() {
  cell = nullptr;
  target = nullptr;
  lastPosition = nullptr;
  nextPosition = nullptr;
  newDirection = nullptr;
  lastCell = nullptr;
  direction = nullptr;
  position = nullptr;
  frame = nullptr;
  bounds = nullptr;
}

void SpookyBase::draw(int32_t offsetX, int32_t offsetY) {
  paintImageAt(frame, position->x + offsetX, position->y + offsetY);
}

void SpookyBase::setPosition(int32_t x, int32_t y) { movement::place(*position, *bounds, x, y); }

void SpookyBase::setDirection(vector_3dPtr d) { direction->set(d->x, d->y); }

vector_3dPtr SpookyBase::homePoint() const {
  return kind == KIND_RED || kind == KIND_YELLOW ? MapBase::rPoint : MapBase::gPoint;
}

void SpookyBase::chooseSpeed() {
  if (frightened) {
    speed = chaserFrightSpeed;
  } else if (eyes) {
    speed = chaserReturnSpeed;
    if (soundCounter == kEyesSoundEvery - 1) {
      playSound(GobblerGame::SND_CHASER_HOME);
      soundCounter = 0;
    } else {
      ++soundCounter;
    }
  } else {
    speed = gameMode == GobblerGame::MODE_KILL ? chaserKillModeSpeed : chaserSpeed;
  }
}

bool SpookyBase::coveredCell() const {
  if (lastCell->sameAs(-1, -1)) return false;
  return std::abs(lastCell->x * cellWidth - position->x) >= cellWidth ||
         std::abs(lastCell->y * cellHeight - position->y) >= cellHeight;
}

void SpookyBase::update() {
  if (frightTimer == 0) frightened = false;
  if (waitCounter > 0) {
    --waitCounter;
    chooseFrame();
    return;
  }
  chooseSpeed();
  newDirection->set(direction->x, direction->y);
  // Between decisions it runs on, until it has covered a cell or is stopped.
  if (coveredCell() || !moving || direction->isZero()) decide();
  step(nextPosition, newDirection, lastPosition);
  setDirection(newDirection);
  chooseFrame();
}

void SpookyBase::decide() {
  movement::cellUnderCentre(*position, *cell);
  if (!lastCell->sameAs(-1, -1) && !lastCell->sameAs(cell->x, cell->y) &&
      map->cellAt(cell)->content == CellBase::PORTAL) {
    int32_t x = 0, y = 0;
    if (movement::portalExit(*map, *cell, *direction, x, y)) {
      cell->set(x, y);
      setPosition(x * cellWidth, y * cellHeight);
    }
  }

  // Doors are closed to it except as eyes; back the way it came only out of a dead end.
  CellBasePtr ways[kWays];
  bool open[kWays];
  int32_t openCount = 0;
  for (int32_t w = 0; w < kWays; ++w) {
    ways[w] = map->cellAt(cell->x + kWayX[w], cell->y + kWayY[w]);
    open[w] = !ways[w].isNull() && ways[w]->kind == CellBase::OPEN && (eyes || ways[w]->content != CellBase::DOOR);
    if (open[w]) ++openCount;
  }
  CellBasePtr fromCell = map->getCell(lastCell);
  auto isFrom = [&](int32_t w) { return !fromCell.isNull() && ways[w].get() == fromCell.get(); };
  auto isFree = [&](int32_t w) { return open[w] && (!isFrom(w) || openCount < 2); };
  auto isBlocked = [&](int32_t w) { return !open[w] || isFrom(w); };

  newDirection->set(0, 0);
  bool candidate[kWays] = {true, true, true, true};
  vector_3d& d = *target;
  const GobblerBasePtr& chased = player;
  if (eyes) {
    const vector_3dPtr home = homePoint();
    d.set(home->x - position->x, home->y - position->y);
    const bool verticalBlocked = (d.y < 0 && isBlocked(UP)) || (d.y > 0 && isBlocked(DOWN));
    if (d.x < 0 && isBlocked(LEFT)) {
      if (verticalBlocked) d.x = 1;
    } else if (d.x > 0 && isBlocked(RIGHT) && verticalBlocked) {
      d.x = -1;
    }
    if (d.x == 0 && ((d.y < 0 && isFree(UP)) || (d.y > 0 && isFree(DOWN)))) candidate[LEFT] = candidate[RIGHT] = false;
  } else if (frightened) {
    d.set(chased.isNull() ? 0 : position->x - chased->position->x,
          chased.isNull() ? 0 : position->y - chased->position->y);
    if (d.y > cellWidth || d.y < -cellHeight) {
      d.x = 0;
    } else {
      d.y = 0;
    }
  } else {
    d.set(chased.isNull() ? 0 : chased->position->x - position->x,
          chased.isNull() ? 0 : chased->position->y - position->y);
    if (d.y > cellWidth || d.y < -cellHeight) d.x = 0;
    if (d.y >= -1 && d.y <= 1) candidate[UP] = candidate[DOWN] = false;
  }
  auto agrees = [&](int32_t w) {
    switch (w) {
      case LEFT:
        return d.x <= 0;
      case RIGHT:
        return d.x >= 0;
      case UP:
        return d.y <= 0;
      default:
        return d.y >= 0;
    }
  };

  // First toward the target, then any way out; every draw takes a number, hit or miss.
  int32_t candidates = 0;
  for (bool c : candidate) candidates += c ? 1 : 0;
  for (int32_t left = candidates; newDirection->isZero() && left > 0;) {
    const int32_t w = nextNonNegative() % kWays;
    const bool was = candidate[w];
    if (was) {
      candidate[w] = false;
      --left;
    }
    if (was && isFree(w) && agrees(w)) newDirection->set(kWayX[w], kWayY[w]);
  }
  if (newDirection->isZero()) {
    bool drawn[kWays] = {};
    for (int32_t left = kWays; newDirection->isZero() && left > 0;) {
      const int32_t w = nextNonNegative() % kWays;
      if (drawn[w]) continue;
      drawn[w] = true;
      --left;
      if (isFree(w)) newDirection->set(kWayX[w], kWayY[w]);
    }
  }

  lastCell->set(cell->x, cell->y);
  if (eyes) {
    const vector_3dPtr home = homePoint();
    if (cell->sameAs((home->x + (cellWidth >> 1)) / cellWidth, (home->y + (cellHeight >> 1)) / cellHeight)) {
      // Home: a chaser again, leaving upward.
      eyes = false;
      newDirection->set(0, -1);
    }
  }
}

void SpookyBase::step(vector_3dPtr next, vector_3dPtr dir, vector_3dPtr last) {
  moving = true;
  if (movement::slide(*map, *position, bounds, *next, *dir, *last, speed, false)) return;
  moving = false;
  if (dir->sameAs(direction->x, direction->y)) return;
  dir->set(direction->x, direction->y);
  step(next, dir, last);
}

void SpookyBase::chooseFrame() {
  int32_t base = frightened ? kFrightenedBase : 4 * kind;
  if (frightTimer >= 1 && frightTimer <= kFlashFrom && frightTimer % kFlashPeriod < kFlashOn) base = 0;
  int32_t index;
  if (eyes) {
    index = direction->sameAs(1, 0)    ? kEyesRight
            : direction->sameAs(0, -1) ? kEyesUp
            : direction->sameAs(-1, 0) ? kEyesLeft
                                       : kEyesDown;
  } else {
    const int32_t offset = direction->sameAs(0, -1)   ? 1
                           : direction->sameAs(-1, 0) ? 2
                           : direction->sameAs(1, 0)  ? 3
                                                      : 0;
    index = base + offset;
  }
  frame = (*chaserImages)[index];
}

}  // namespace gobbler
