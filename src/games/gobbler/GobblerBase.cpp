// The player: contacts, eating, steering, moving, its pictures and the score.
#include "games/gobbler/GobblerBase.h"

#include <cstdlib>

#include "gamelib/Score.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"
#include "games/gobbler/Movement.h"

namespace gobbler {

namespace {

constexpr int32_t kStartCells = 10;
// Fruit points by kind 1 to 7: in the fruit mode, and in the others.
constexpr int32_t kFruitModePoints[data::kFruitKinds] = {200, 400, 800, 200, 400, 800, 200};
constexpr int32_t kFruitPoints[data::kFruitKinds] = {400, 800, 1000, 2000, 3000, 4000, 5000};
// Steps of fright per level below 20, at least one.
constexpr int32_t kFrightFactor = 10;
constexpr int32_t kFrightLevels = 20;
// Offsets into a direction's four pictures by mouth phase: 0..2, 3..5, 6..8, 9..11.
constexpr int32_t kMouthOffsets[4] = {2, 1, 0, 3};
constexpr int32_t kPhasesPerPicture = 3;
constexpr int32_t kMouthAdvance = 2;

int32_t frameCount(const gamelib::AnimationPtr& animation) { return animation->frames->length; }

gamelib::GameImagePtr frameOf(const gamelib::AnimationPtr& animation, int32_t index) {
  return (*animation->frames)[index];
}

// The first picture of a direction's four.
int32_t directionBase(const vector_3d& d) {
  if (d.x == 1) return 0;
  if (d.x == -1) return 4;
  if (d.y == -1) return 8;
  if (d.y == 1) return 12;
  return 0;
}

}  // namespace

GobblerBase::GobblerBase()
    : bounds(new rectangle(0, 0, 0, 0)),
      position(new vector_3d(kStartCells * cellWidth, kStartCells * cellHeight)),
      direction(new vector_3d(-1, 0)),
      lastCell(new point(-1, -1)),
      nextPosition(new vector_3d(0, 0)),
      lastPosition(new vector_3d(0, 0)),
      cell(new point(0, 0)),
      wantedDirection(new vector_3d(0, 0)) {
  if (!playerImages.isNull()) frame = (*playerImages)[0];
}

GobblerBase::~GobblerBase() {
  wantedDirection = nullptr;
  cell = nullptr;
  lastPosition = nullptr;
  nextPosition = nullptr;
  lastCell = nullptr;
  direction = nullptr;
  position = nullptr;
  overlay = nullptr;
  frame = nullptr;
  bounds = nullptr;
}

void GobblerBase::draw(int32_t offsetX, int32_t offsetY) {
  const int32_t x = position->x + offsetX + (cellWidth >> 1), y = position->y + offsetY + (cellHeight >> 1);
  if (!frame.isNull()) paintImageCentred(frame, x, y);
  if (!overlay.isNull()) paintImageCentred(overlay, x, y);
}

void GobblerBase::setPosition(int32_t x, int32_t y) { movement::place(*position, *bounds, x, y); }

pointPtr GobblerBase::currentCell() {
  pointPtr p = new point(0, 0);
  movement::cellUnderCentre(*position, *p);
  return p;
}

bool GobblerBase::isNear(vector_3dPtr other) {
  return std::abs(position->x - other->x) < cellWidth / 2 && std::abs(position->y - other->y) < cellHeight / 2;
}

void GobblerBase::addScore(int32_t points) {
  const int32_t before = score;
  score = gamelib::addPoints(score, points);
  if (score / kExtraLifeEvery != before / kExtraLifeEvery) {
    playSound(GobblerGame::SND_EXTRA_LIFE);
    ++lives;
  }
  for (int32_t i = 0; i < data::kPopupCount; ++i) {
    if (data::kPopupPoints[i] == points) (*sprites)[i] = new SpriteBase(i, position);
  }
}

void GobblerBase::update() {
  if (deathCounter > 0) {
    frame = frameOf(deathAnimation, frameCount(deathAnimation) - deathCounter);
    if (--deathCounter == 0) {
      --lives;
      // A new player takes this one's place: nothing of it is used after this.
      if (lives >= 0) GobblerGame::placeActors();
    }
    return;
  }
  if (frightTimer != 0) --frightTimer;
  meetFruit();
  if (meetChasers()) return;
  movement::cellUnderCentre(*position, *cell);
  if (!lastCell->sameAs(-1, -1) && !lastCell->sameAs(cell->x, cell->y)) enterCell();
  steer();
  step(nextPosition, wantedDirection, lastPosition);
  setDirection(wantedDirection);
  showChange();
}

void GobblerBase::meetFruit() {
  if (fruit.isNull() || !isNear(fruit->position)) return;
  const int32_t kind = fruit->kind >= 1 && fruit->kind <= data::kFruitKinds ? fruit->kind : data::kFruitKinds;
  const bool fruitMode = gameMode == GobblerGame::MODE_FRUIT;
  ++fruitsEaten;
  addScore(fruitMode ? kFruitModePoints[kind - 1] : kFruitPoints[kind - 1]);
  fruit = nullptr;
  fruitTimer = GobblerGame::fruitDelay();
  playSound(GobblerGame::SND_EAT_FRUIT);
}

bool GobblerBase::meetChasers() {
  for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
    SpookyBasePtr chaser = c;
    if (!isNear(chaser->position) || chaser->eyes) continue;
    if (chaser->frightened && gameMode == GobblerGame::MODE_KILL) ++chasersEaten;
    if (!chaser->frightened && !invulnerable) {
      playSound(GobblerGame::SND_DIE);
      deathCounter = frameCount(deathAnimation);
      return true;
    }
    chaser->eyes = true;
    chaser->frightened = false;
    addScore(chaserValue);
    chaserValue = gamelib::addPoints(chaserValue, chaserValue);
    playSound(GobblerGame::SND_EAT_CHASER);
  }
  return false;
}

void GobblerBase::clearCellPicture() {
  nuv::microedition::lcdui::DGraphicsPtr target = gamelib::GameImage::graphics;
  gamelib::GameImage::graphics = MapBase::mazeImage->getGraphics();
  paintImageAt((*MapBase::tileImages)[0][tileStyle], cell->x * cellWidth, cell->y * cellHeight);
  gamelib::GameImage::graphics = target;
}

void GobblerBase::enterCell() {
  CellBasePtr here = map->cellAt(cell);
  if (here->content == CellBase::PORTAL) {
    int32_t x = 0, y = 0;
    // Without a partner before the border the figure stays where it is.
    if (movement::portalExit(*map, *cell, *direction, x, y)) {
      cell->set(x, y);
      setPosition(x * cellWidth - (cellWidth / 2) * direction->x, y * cellHeight - (cellHeight / 2) * direction->y);
      here = map->cellAt(cell);
    }
  }
  if (here.isNull()) return;
  if (here->content == CellBase::DOT) {
    addScore(kDotPoints);
    here->content = CellBase::EMPTY;
    clearCellPicture();
    --map->dotCount;
    playSound(GobblerGame::SND_EAT_DOT);
  } else if (here->content == CellBase::POWER_DOT) {
    addScore(kPowerDotPoints);
    here->content = CellBase::EMPTY;
    clearCellPicture();
    --map->dotCount;
    frightTimer = kFrightFactor * (kFrightLevels - levelNumber());
    if (frightTimer < 1) frightTimer = 1;
    changeCounter = frameCount(changeAnimation);
    chaserValue = kFirstChaserPoints;
    for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
      SpookyBasePtr chaser = c;
      if (!chaser->eyes) chaser->frightened = true;
    }
    playSound(GobblerGame::SND_EAT_POWER_DOT);
  }
}

void GobblerBase::steer() {
  wantedDirection->set(direction->x, direction->y);
  // Doors never open for the player.
  auto passable = [&](int32_t dx, int32_t dy) {
    CellBasePtr n = map->cellAt(cell->x + dx, cell->y + dy);
    return !n.isNull() && n->kind == CellBase::OPEN && n->content != CellBase::DOOR;
  };
  lastCell->set(cell->x, cell->y);
  const int32_t wanted = Gobbler::requestedDirection();
  if (wanted == Gobbler::DIR_LEFT && passable(-1, 0)) {
    if (!direction->sameAs(-1, 0)) wantedDirection->set(-1, 0);
  } else if (wanted == Gobbler::DIR_RIGHT && passable(1, 0)) {
    if (!direction->sameAs(1, 0)) wantedDirection->set(1, 0);
  } else if (wanted == Gobbler::DIR_UP && passable(0, -1)) {
    if (!direction->sameAs(0, -1)) wantedDirection->set(0, -1);
  } else if ((wanted == Gobbler::DIR_DOWN || wanted == Gobbler::DIR_FIRE) && passable(0, 1) &&
             !direction->sameAs(0, 1)) {
    wantedDirection->set(0, 1);
  }
}

void GobblerBase::step(vector_3dPtr next, vector_3dPtr dir, vector_3dPtr last) {
  moving = true;
  if (movement::slide(*map, *position, bounds, *next, *dir, *last, playerSpeed, true)) return;
  moving = false;
  if (dir->sameAs(direction->x, direction->y)) return;
  dir->set(direction->x, direction->y);
  step(next, dir, last);
}

void GobblerBase::setDirection(vector_3dPtr newDirection) {
  if (!newDirection->sameAs(direction->x, direction->y)) mouthPhase = 0;
  direction->set(newDirection->x, newDirection->y);
  mouthPhase %= kMouthPhases;
  const int32_t index = directionBase(*direction) + kMouthOffsets[mouthPhase / kPhasesPerPicture];
  frame = frightTimer > 0 ? (*playerPowerImages)[index] : (*playerImages)[index];
  if (moving) mouthPhase += kMouthAdvance;
}

void GobblerBase::showChange() {
  if (changeCounter <= 0) return;
  // Early in the change only the animation shows.
  if (changeCounter > 2) frame = nullptr;
  overlay = frameOf(changeAnimation, frameCount(changeAnimation) - changeCounter);
  if (--changeCounter == 0) overlay = nullptr;
}

}  // namespace gobbler
