// The run and its step: building the level and its entities, placing a plane, and the world update that
// steers, fires, scrolls, runs the entities in view, burns fuel, crashes and restarts the plane.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "gamelib/GameApi.h"
#include "games/canyon/CanyonGame.h"

namespace canyon {

using namespace gamelib::api;

namespace {

// A drag shorter than this moves nothing.
constexpr int32_t kSwipeMin = 3;
// The stylus steers once it is this far beside the plane's middle.
constexpr int32_t kSteerDeadZone = 4;
constexpr int32_t kShotsInFlight = 1;

}  // namespace

bool CanyonGame::startRun() {
  try {
    buildLevel();
    buildEntities();
    resetPlane(viewRows);
    checkpointRow = rowsDrawn;
    return true;
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> failure = nuv::lang::catchException(e, ExceptionCode::Exception);
    // The river screens cannot make this level: said on stderr, and the game goes back to its menu
    // rather than play a level half built.
    GameLib::report(("the river of level " + std::to_string(levelIndex + 1) + " could not be built").c_str(), *failure);
    levelTerrain = nullptr;
    entities = nullptr;
    totalRows = 0;
    ScreenCanvas::resetInput();
    GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
    setState(STATE_MENU);
    buildMenu(MENU_MAIN);
    return false;
  }
}

void CanyonGame::buildEntities() {
  const DintArray& list = *levelList;
  int32_t count = 0;
  for (int32_t j = 0; j < list.length; ++j) count += (*objectCounts)[list[j]];
  EntityArrayPtr made = new EntityArray(count);
  int32_t at = 0;
  for (int32_t j = 0; j < list.length; ++j) {
    const EntityArray& stored = *(*screenObjects)[list[j]];
    // From the screen's last object to its first: upward through the screen.
    for (int32_t k = (*objectCounts)[list[j]] - 1; k >= 0; --k) {
      const Entity& source = *stored[k];
      EntityPtr entity = new Entity(source.type, source.startX, (j + 1) * screenPixels - source.startY, 0);
      entity->onRoad = source.onRoad;
      if (source.type != data::CODE_BRIDGE && source.type != data::CODE_FUEL && percentRoll() >= presencePercent) {
        entity->state = Entity::STATE_GONE;
      }
      (*made)[at++] = entity;
    }
  }
  entities = made;
}

void CanyonGame::resetPlane(int32_t row) {
  riverX = (GameLib::screenWidth - riverWidth) >> 1;
  nextRowY = viewHeight;
  scrollOffset = 0;
  rowAccumulator = 0;
  firstIndex = 0;
  placeRiver(row);
  planeX = (riverWidth - planeImage->w) / 2;
  fuel = kFullFuel;
  speed = baseSpeed;
  planeState = PLANE_FLYING;
  for (int32_t i = 0; i < shots->length; ++i) (*shots)[i]->state = Bullet::STATE_FREE;
  invulnerableCounter = 0;
  planeY = (row - viewRows) * cellSize + 2 * planeImage->h;
  viewTop = cellSize * row;
}

void CanyonGame::updateWorld() {
  // A mostly vertical swipe asks for another speed.
  if (ScreenCanvas::dragging) {
    const int32_t dx = std::abs(ScreenCanvas::pointerX - ScreenCanvas::previousX);
    const int32_t dy = ScreenCanvas::pointerY - ScreenCanvas::previousY;
    if (dx < std::abs(dy)) {
      if (std::abs(dy) > kSwipeMin) ScreenCanvas::held[dy < 0 ? GameAction::Up : GameAction::Down] = true;
      ScreenCanvas::dragging = false;
    }
  }
  if (planeState == PLANE_FLYING) steerAndFire();

  rowAccumulator += speed;
  scrollOffset += speed;
  viewTop += speed;
  planeY += speed;
  // The view pans sideways to keep the plane on a display narrower than the river.
  if (riverX + planeX < 0) riverX += speed;
  if (GameLib::screenWidth < planeImage->w + riverX + planeX) riverX -= speed;

  if (!scrollRiver()) {
    // The river has ended: the plane flies on out of the view, or the game is over.
    if (lives < 0) {
      levelIndex = 0;
      setState(STATE_GAME_OVER);
    } else {
      setState(STATE_LEVEL_END);
    }
    return;
  }
  scanEntities();
  invulnerable = invulnerableCounter < kInvulnerableSteps;
  if (invulnerable) invulnerableCounter += 1;
  flyPlane();
  // The plane's last explosion has ended the game.
  if (gameState == STATE_GAME_OVER) return;
  moveShots();
}

void CanyonGame::steerAndFire() {
  bool* held = ScreenCanvas::held;
  const int32_t centre = planeX + planeImage->w / 2;
  const bool pen = ScreenCanvas::pointerDown;
  const int32_t penOffset = ScreenCanvas::pointerX - riverX - centre;
  const int32_t lastLeft = bankLeft->frames->length - 1;
  const int32_t lastRight = bankRight->frames->length - 1;
  if (held[GameAction::Left] || (pen && penOffset <= -kSteerDeadZone)) {
    planeX = std::max(planeX - steerStep, 0);
    if (!bankLeft->running && bankLeft->currentFrame < lastLeft) bankLeft->restart();
  } else {
    bankLeft->running = false;
    bankLeft->currentFrame = 0;
  }
  if (held[GameAction::Right] || (pen && penOffset >= kSteerDeadZone)) {
    planeX = std::min(planeX + steerStep, riverWidth - planeImage->w - 1);
    if (!bankRight->running && bankRight->currentFrame < lastRight) bankRight->restart();
  } else {
    bankRight->running = false;
    bankRight->currentFrame = 0;
  }

  if (held[GameAction::Up] || held[GameAction::Special1]) {
    speed = speed == baseSpeed - 1 ? baseSpeed : baseSpeed + 1;
    held[GameAction::Up] = held[GameAction::Special1] = false;
  } else if (held[GameAction::Down] || held[GameAction::Special2]) {
    speed = speed == baseSpeed + 1 ? baseSpeed : baseSpeed - 1;
    held[GameAction::Down] = held[GameAction::Special2] = false;
  }

  if (held[GameAction::Fire] || ScreenCanvas::doubleTap) {
    int32_t flying = 0;
    for (int32_t i = 0; i < shots->length; ++i) flying += (*shots)[i]->state == Bullet::STATE_FLYING ? 1 : 0;
    if (flying < kShotsInFlight) {
      for (int32_t i = 0; i < shots->length; ++i) {
        Bullet& shot = *(*shots)[i];
        if (shot.state != Bullet::STATE_FREE) continue;
        shot.state = Bullet::STATE_FLYING;
        shot.x = planeX + (planeImage->w - shotImage->w) / 2;
        shot.y = planeY;
        playSound(SOUND_SHOOT);
        break;
      }
    }
    held[GameAction::Fire] = false;
    ScreenCanvas::doubleTap = false;
  }
}

void CanyonGame::scanEntities() {
  EntityArray& list = *entities;
  const int32_t below = viewTop - viewHeight;
  for (int32_t i = firstIndex; i < list.length; ++i) {
    Entity& entity = *list[i];
    if (entity.y <= below) {
      firstIndex = i;
    } else if (entity.y - entity.height >= viewTop) {
      break;
    } else {
      entity.update();
    }
  }
}

void CanyonGame::flyPlane() {
  if (planeState == PLANE_FLYING) {
    fuel += -1 * speed * 16 / cellSize;
    bool crash = false;
    if (fuel >= 0 || invulnerable) {
      crash = touchesBank(hitX(), hitTop(), hitWidth(), hitHeight()) && !invulnerable;
    }
    if (fuel < 0 && !invulnerable) crash = true;
    if (crash) {
      crashPlane();
      playSound(SOUND_DEATH);
    }
    return;
  }
  if (airExplosion->currentFrame < airExplosion->frames->length - 1) return;
  planeState = PLANE_FLYING;
  if (lives < 0) {
    setState(STATE_GAME_OVER);
    return;
  }
  playSound(SOUND_BORN);
  resetPlane(checkpointRow);
}

void CanyonGame::moveShots() {
  for (int32_t i = 0; i < shots->length; ++i) {
    Bullet& shot = *(*shots)[i];
    if (shot.state != Bullet::STATE_FLYING) continue;
    shot.y += playerShotStep;
    if (shot.y > viewTop) shot.state = Bullet::STATE_FREE;
  }
}

}  // namespace canyon
