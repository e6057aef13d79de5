// The bonus fruit's wandering, moving and pictures.
#include "games/gobbler/FruitBase.h"

#include <cstdlib>

#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"
#include "games/gobbler/Movement.h"

namespace gobbler {

namespace {

constexpr int32_t kStartCells = 10;
constexpr int32_t kWays = 4;
constexpr int32_t kWayX[kWays] = {-1, 1, 0, 0};
constexpr int32_t kWayY[kWays] = {0, 0, -1, 1};
constexpr int32_t kStepsPerFrame = 2;

}  // namespace

FruitBase::FruitBase()
    : bounds(new rectangle(0, 0, 0, 0)),
      position(new vector_3d(kStartCells * cellWidth, kStartCells * cellHeight)),
      direction(new vector_3d(0, 0)),
      speed(fruitSpeedTenths / 10),
      lastCell(new point(-1, -1)),
      nextPosition(new vector_3d(0, 0)),
      lastPosition(new vector_3d(0, 0)),
      offset(new vector_3d(0, 0)) {}

FruitBase::~FruitBase() {
  offset = nullptr;
  lastPosition = nullptr;
  nextPosition = nullptr;
  lastCell = nullptr;
  direction = nullptr;
  position = nullptr;
  frame = nullptr;
  bounds = nullptr;
}

gamelib::AnimationPtr FruitBase::animationOf(int32_t kind) {
  switch (kind) {
    case 1:
      return cherryAnimation;
    case 2:
      return vineAnimation;
    case 3:
      return orangeAnimation;
    case 4:
      return plumAnimation;
    case 5:
      return appleAnimation;
    case 6:
      return pearAnimation;
    default:
      return strawberriesAnimation;
  }
}

void FruitBase::draw(int32_t offsetX, int32_t offsetY) {
  if (kind == 0) return;
  paintImageCentred(frame, position->x + offsetX + (cellWidth >> 1), position->y + offsetY + (cellHeight >> 1));
}

void FruitBase::setPosition(int32_t x, int32_t y) { movement::place(*position, *bounds, x, y); }

pointPtr FruitBase::currentCell() {
  pointPtr p = new point(0, 0);
  movement::cellUnderCentre(*position, *p);
  return p;
}

bool FruitBase::isNear(vector_3dPtr other) {
  return std::abs(position->x - other->x) < cellWidth / 2 && std::abs(position->y - other->y) < cellHeight / 2;
}

void FruitBase::setDirection(vector_3dPtr d) {
  direction->set(d->x, d->y);
  const gamelib::AnimationPtr animation = animationOf(kind);
  frame = (*animation->frames)[(stepCount / kStepsPerFrame) % animation->frames->length];
}

bool FruitBase::coveredCell() const {
  // One pixel earlier than a chaser.
  if (lastCell->sameAs(-1, -1)) return false;
  return std::abs(lastCell->x * cellWidth - position->x) >= cellWidth - 1 ||
         std::abs(lastCell->y * cellHeight - position->y) >= cellHeight - 1;
}

void FruitBase::chooseRoute() {
  ++stepCount;
  if (soundCounter == kSoundEvery) {
    playSound(GobblerGame::SND_FRUIT_MOVE);
    soundCounter = 0;
  } else {
    ++soundCounter;
  }
  if (coveredCell() || !moving || direction->isZero()) decide();
  step(nextPosition, direction, lastPosition);
  setDirection(direction);
}

void FruitBase::decide() {
  pointPtr cell = currentCell();
  if (!lastCell->sameAs(-1, -1) && !lastCell->sameAs(cell->x, cell->y) &&
      map->cellAt(cell)->content == CellBase::PORTAL) {
    int32_t x = 0, y = 0;
    if (movement::portalExit(*map, *cell, *direction, x, y)) {
      cell->set(x, y);
      setPosition(x * cellWidth, y * cellHeight);
    }
  }
  CellBasePtr ways[kWays];
  int32_t openCount = 0;
  for (int32_t w = 0; w < kWays; ++w) {
    ways[w] = map->cellAt(cell->x + kWayX[w], cell->y + kWayY[w]);
    const bool open = !ways[w].isNull() && ways[w]->kind == CellBase::OPEN && ways[w]->content != CellBase::DOOR;
    if (!open) ways[w] = nullptr;
    if (open) ++openCount;
  }
  CellBasePtr fromCell = map->getCell(lastCell);
  direction->set(0, 0);
  bool drawn[kWays] = {};
  for (int32_t left = kWays; direction->isZero() && left > 0;) {
    const int32_t w = nextNonNegative() % kWays;
    if (!drawn[w]) {
      drawn[w] = true;
      --left;
    }
    const bool back = !fromCell.isNull() && ways[w].get() == fromCell.get();
    if (!ways[w].isNull() && (!back || openCount < 2)) direction->set(kWayX[w], kWayY[w]);
  }
  lastCell->set(cell->x, cell->y);
}

void FruitBase::step(vector_3dPtr next, vector_3dPtr dir, vector_3dPtr last) {
  moving = movement::slide(*map, *position, bounds, *next, *dir, *last, speed, true);
}

}  // namespace gobbler
