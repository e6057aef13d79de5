// The entities of the river: their kinds, movement, collisions with the plane and its shots, the bridge
// that takes its road with it, their own shots, and their drawing.
#include "games/canyon/Entity.h"

#include <cstdlib>

#include "core/lang/DExceptionBase.h"
#include "gamelib/GameLib.h"
#include "gamelib/Score.h"
#include "games/canyon/CanyonGame.h"
#include "games/canyon/CanyonGlobals.h"

namespace canyon {

using gamelib::AnimationPtr;

namespace {

constexpr int32_t kSlowSpeed = 2;
constexpr int32_t kFastSpeed = 4;
// Slow movers move every third step; balloons, helicopters and ships think about turning every 20th.
constexpr int32_t kStepsPerMove = 3;
constexpr int32_t kStepsPerTurn = 20;
constexpr int32_t kBalloonTurnChance = 30;
constexpr int32_t kWaterTurnChance = 20;
// Shooters fire every tenth step while their shot is free.
constexpr int32_t kStepsPerShot = 10;
constexpr int32_t kRefuelPerStep = 10;

bool isBridge(int32_t type) { return type == data::CODE_BRIDGE; }

struct Kind {
  int32_t speed;
  bool facingLeft;
  bool ground;      // drawn first: bridges and fuel depots
  bool sinks;       // blows up like something on the water
  bool holdsFrame;  // its animation in its flying direction stands still
};

constexpr bool L = true;
constexpr bool R = false;
// By object code.
constexpr Kind kKinds[data::kEntityCodes] = {
    {kSlowSpeed, L, true, false, false},                                        // bridge
    {kFastSpeed, L, false, false, true},  {kFastSpeed, L, false, false, true},  // enemy planes
    {kFastSpeed, R, false, false, true},  {kFastSpeed, R, false, false, true},
    {kSlowSpeed, L, false, false, false}, {kSlowSpeed, L, false, false, false},  // balloons
    {kSlowSpeed, L, false, false, false}, {kSlowSpeed, L, false, false, false},  // guns
    {kFastSpeed, R, false, false, false}, {kFastSpeed, R, false, false, false},  // helicopters
    {kFastSpeed, R, false, false, false}, {kSlowSpeed, R, false, true, false},
    {kSlowSpeed, R, false, true, false},                                         // ships
    {kSlowSpeed, L, false, false, false}, {kSlowSpeed, L, false, false, false},  // tanks
    {kSlowSpeed, L, false, false, false}, {kSlowSpeed, L, false, false, false},
    {kSlowSpeed, R, false, false, false}, {kSlowSpeed, R, false, false, false},
    {kSlowSpeed, R, false, false, false}, {kSlowSpeed, R, false, false, false},
    {kSlowSpeed, L, false, false, false}, {kSlowSpeed, L, false, false, false},  // trains
    {kSlowSpeed, L, true, false, false},                                         // fuel depot
};

}  // namespace

bool rectsOverlap(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w1, int32_t h1, int32_t w2, int32_t h2) {
  return y1 - h1 <= y2 && y2 - h2 <= y1 && x2 <= x1 + w1 && x1 <= x2 + w2;
}

Entity::Entity(int32_t type, int32_t x, int32_t y, int32_t screen)
    : type(type), startX(x), startY(y), x(x), y(y), screen(screen) {
  AnimationPtr left = (*leftAnimations)[type];
  AnimationPtr right = (*rightAnimations)[type];
  const gamelib::GameImagePtr first = (*left->frames)[0];
  width = first->w;
  height = first->h;
  const Kind& kind = kKinds[type];
  explosion = gamelib::Animation::runningOver(kind.sinks ? groundExplosion : airExplosion);
  left->restart();
  if (!right.isNull()) right->restart();
  speed = startSpeed = kind.speed;
  facingLeft = kind.facingLeft;
  if (kind.ground) layer = 0;
  if (kind.holdsFrame) {
    AnimationPtr flying = facingLeft ? left : right;
    if (!flying.isNull()) flying->running = false;
  }
}

void Entity::update() {
  switch (state) {
    case STATE_ALIVE: {
      if (type >= data::CODE_PLANE_FIRST && type <= data::CODE_PLANE_LAST) {
        moveFlyer();
      } else if (type >= data::CODE_BALLOON_FIRST && type <= data::CODE_BALLOON_LAST) {
        moveBalloon();
      } else if (type >= data::CODE_HELICOPTER_FIRST && type <= data::CODE_SHIP_LAST) {
        moveOnWater();
      } else if (type != data::CODE_BRIDGE && type != data::CODE_FUEL) {
        moveShooter();
      }
      collideWithPlane();
      // Once blown up by the plane, a shot inside it has nothing more to destroy.
      if (state == STATE_ALIVE) takePlayerShots();
      if (isBridge(type) && state == STATE_EXPLODING) blowUpRoad();
      break;
    }
    case STATE_EXPLODING:
      if (explosion->currentFrame >= explosion->frames->length - 1) state = STATE_GONE;
      break;
    case STATE_GONE:
      if (isBridge(type) && y < planeY) {
        checkpointRow = rowsDrawn;
        state = STATE_PASSED;
      }
      break;
    default:
      break;
  }
  moveShot();
}

void Entity::moveFlyer() {
  if (!facingLeft) {
    x += speed;
    if (x >= riverWidth) x = -width;
    return;
  }
  x -= speed;
  if (x + width <= 0) {
    x = riverWidth;
    playSound(SOUND_ENEMY_FLY);
  }
}

void Entity::maybeTurn(int32_t percent) {
  if (++turnCounter < kStepsPerTurn) return;
  turnCounter = 0;
  if (percentRoll() < percent) facingLeft = planeX < x;
}

void Entity::moveBalloon() {
  ++stepCounter;
  maybeTurn(kBalloonTurnChance);
  if (stepCounter < kStepsPerMove) return;
  stepCounter = 0;
  edgeMove();
}

void Entity::moveOnWater() {
  ++stepCounter;
  maybeTurn(kWaterTurnChance);
  if (stepCounter < kStepsPerMove) return;
  stepCounter = 0;
  const int32_t edge = facingLeft ? x : x + width - 1;
  if (!CanyonGame::isWater(CanyonGame::terrainAt(edge / cellSize, y / cellSize))) facingLeft = !facingLeft;
  edgeMove();
}

void Entity::moveShooter() {
  if (++turnCounter >= kStepsPerShot) {
    turnCounter = 0;
    if (shotState == SHOT_FREE) {
      shotY = y;
      shotX = shotStartX = facingLeft ? x : x + width;
      shotStep = facingLeft ? -enemyShotStep : enemyShotStep;
      shotState = SHOT_FLYING;
      playSound(SOUND_SHOOT);
    }
  }
  if (!onRoad) return;
  edgeMove();
  // Stopped by a broken bridge, it turns to face the plane.
  if (speed == 0) facingLeft = planeX < x;
}

void Entity::edgeMove() {
  if (!facingLeft) {
    x += speed;
    if (x + width >= riverWidth) {
      x = riverWidth - width;
      facingLeft = true;
    }
    return;
  }
  x -= speed;
  if (x < 1) {
    x = 0;
    facingLeft = false;
  }
}

void Entity::collideWithPlane() {
  if (planeState != PLANE_FLYING) return;
  if (!rectsOverlap(hitX(), hitTop(), x, y, hitWidth(), hitHeight(), width, height)) return;
  if (type == data::CODE_FUEL) {
    if (fuel < kFullFuel) {
      fuel += kRefuelPerStep;
      playSound(SOUND_FUEL);
    }
    return;
  }
  if (!invulnerable) crashPlane();
  blowUp(isBridge(type) ? SOUND_BRIDGE : SOUND_EXPLOSION);
}

void Entity::takePlayerShots() {
  for (int32_t i = 0; i < shots->length; ++i) {
    Bullet& shot = *(*shots)[i];
    if (shot.state != Bullet::STATE_FLYING) continue;
    if (x < shot.x && shot.x < x + width && y - height < shot.y && shot.y < y) {
      shot.state = Bullet::STATE_FREE;
      blowUp(SOUND_EXPLOSION);
      return;
    }
  }
}

void Entity::blowUpRoad() {
  EntityArray& list = *entities;
  for (int32_t i = list.length - 1; i >= 0; --i) {
    Entity& unit = *list[i];
    if (!unit.onRoad || unit.state != STATE_ALIVE || unit.startY != startY) continue;
    if (rectsOverlap(x, y, unit.x, unit.y, width, height, unit.width, unit.height)) {
      unit.blowUp(SOUND_EXPLOSION);
    } else {
      unit.speed = 0;
    }
  }
}

void Entity::blowUp(int32_t sound) {
  state = STATE_EXPLODING;
  explosion->restart();
  score = gamelib::addPoints(score, (*points)[type]);
  playSound(sound);
}

void Entity::moveShot() {
  if (shotState != SHOT_FLYING) return;
  shotX += shotStep;
  if (shotX < 0 || shotX > riverWidth || std::abs(shotStartX - shotX) > gamelib::GameLib::screenWidth / 2) {
    shotState = SHOT_FREE;
    return;
  }
  if (planeState != PLANE_FLYING) return;
  const int32_t hx = hitX(), top = hitTop();
  if (hx < shotX && shotX < hx + hitWidth() - 1 && top - hitHeight() - 1 < shotY && shotY < top) {
    playSound(SOUND_EXPLOSION);
    shotState = SHOT_FREE;
    if (!invulnerable) crashPlane();
  }
}

void Entity::paint(int32_t xOffset) {
  const int32_t displayY = viewTop - y;
  switch (state) {
    case STATE_ALIVE: {
      AnimationPtr animation = facingLeft ? (*leftAnimations)[type] : (*rightAnimations)[type];
      if (!animation.isNull() && !(*animation->frames)[animation->currentFrame].isNull()) {
        animation->paint(x + xOffset, displayY);
      }
      break;
    }
    case STATE_EXPLODING:
      if (isBridge(type)) {
        paintBridgeExplosion(xOffset, displayY);
      } else {
        explosion->paint(x + xOffset, displayY);
      }
      break;
    default:
      // A destroyed bridge leaves its wreck.
      if (isBridge(type)) {
        AnimationPtr wreck = (*rightAnimations)[data::CODE_BRIDGE];
        if (!wreck.isNull()) wreck->paint(x + xOffset, displayY);
      }
      break;
  }
  if (shotState == SHOT_FLYING && !enemyShotImage.isNull()) {
    enemyShotImage->paint(shotX + xOffset, viewTop - shotY);
  }
}

void Entity::paintBridgeExplosion(int32_t xOffset, int32_t displayY) {
  // A row of blasts across the whole bridge, each a frame picked at random.
  const gamelib::GameImageArray& frames = *explosion->frames;
  const int32_t first = frames[0]->w;
  for (int32_t offset = 0; offset < width - first / 2; offset += first) {
    frames[percentRoll() % frames.length]->paint(x + offset + xOffset, displayY);
  }
  explosion->currentFrame += 1;
}

}  // namespace canyon
