// The playing step: the hidden level jump, the world update every second step, the pause, and the hero's
// control by keys and stylus; and what ends a life or a level.
#include <cstdlib>

#include "gamelib/GameApi.h"
#include "games/climber/Climber.h"

namespace climber {

using namespace gamelib::api;

namespace {

// A stylus press counts as held once it has lasted this long.
constexpr int64_t kHoldMs = 201;

// A horizontal move chosen by a key or the stylus.
void walk(Runner& h, int32_t direction) {
  if (h.state != Runner::HANGING) h.state = Runner::WALKING;
  h.stepHorizontal(direction);
}

}  // namespace

void Climber::updatePlaying() {
  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    jumpToLevel(ScreenCanvas::sequenceNumber);
    if (gameState != STATE_PLAYING) return;
  }
  halfStep ^= 1;
  if (halfStep == 0 && !updateWorld()) return;
  if (MenuFlow::pauseRequested(PauseSign::bottomLeft(GameMenu::pauseImage))) {
    menuFlow->pause();
    return;
  }
  if (gameState != STATE_PLAYING || halfStep != 0 || hero->state == Runner::FALLING) return;
  keyControl(stylusControl());
}

void Climber::jumpToLevel(int32_t number) {
  if (number == 0) {
    invulnerable = !invulnerable;
    return;
  }
  // Only levels that exist: any other number leaves the game as it is.
  if (number < 1 || number > levelCount) return;
  level = number;
  enterLevel(number);
}

bool Climber::updateWorld() {
  if (++shinePosition > 2 * (mapWidth + mapHeight)) shinePosition = 0;
  // A hole closed over the hero ends the world update. The life it costs ends the step too; an untouchable
  // hero still has his keys, so that he can walk out of the brick.
  if (updateHoles()) return gameState == STATE_PLAYING;
  Runner& h = *hero;
  if (h.state == Runner::DIGGING) {
    h.timer -= timeStep;
    if (h.timer < 0) {
      h.timer = 0;
      h.state = Runner::STANDING;
    }
  }
  if (h.state == Runner::FALLING) h.stepVertical(1, true);
  if (h.cellChanged) {
    h.cellChanged = false;
    enterCell(h);
    restartSearch = true;
  }
  // A life lost or the level left: the new level starts still.
  if (gameState != STATE_PLAYING) return false;
  updateDistances();
  for (int32_t e = 0; e < enemyCount; ++e) {
    stepEnemy(*(*enemies)[e]);
    if (gameState != STATE_PLAYING) return false;
  }
  return true;
}

Climber::StylusMove Climber::stylusControl() {
  Runner& h = *hero;
  if (!ScreenCanvas::pointerDown && !ScreenCanvas::dragging) {
    pressHeld = false;
  } else if (!pressHeld) {
    pressHeld = true;
    pressStart = DSystem::currentTimeMillis();
  }
  const int32_t hx = h.column * tileWidth - cameraX + h.offsetX;
  const int32_t hy = h.row * tileHeight - cameraY + h.offsetY;
  const int32_t w = heroIdleMirroredImage.isNull() ? tileWidth : heroIdleMirroredImage->w;
  const int32_t hh = heroIdleMirroredImage.isNull() ? tileHeight : heroIdleMirroredImage->h;
  const int32_t cx = hx + w / 2, cy = hy + hh / 2;
  const int32_t px = ScreenCanvas::pointerX, py = ScreenCanvas::pointerY;
  const bool insideAcross = px >= hx && px <= hx + w;
  const bool insideDown = py >= hy && py <= hy + hh;
  if (ScreenCanvas::doubleTap) {
    ScreenCanvas::pointerDown = false;
    ScreenCanvas::dragging = true;
    if (!(insideAcross && insideDown)) {
      if (px > cx && h.directionX < 0) h.directionX = 1;
      if (px < cx && h.directionX > 0) h.directionX = -1;
    }
    dig();
    ScreenCanvas::doubleTap = false;
    return {0, true, false};
  }
  if (!pressHeld || DSystem::currentTimeMillis() - pressStart < kHoldMs) return {};
  if (insideDown && !insideAcross) {
    if (h.state == Runner::CLIMBING) h.animationCounter = 0;
    walk(h, px > cx ? 1 : -1);
    return {0, false, true};
  }
  if (insideAcross && !insideDown) return {py < cy ? -1 : 1, false, true};
  if (insideAcross && insideDown) return {0, false, true};
  const bool onLadder = cellAt(h.cell) == data::kLadderCell || h.state == Runner::CLIMBING;
  if (onLadder && std::abs(px - cx) <= std::abs(py - cy)) return {py - cy > 0 ? 1 : -1, false, true};
  walk(h, px - cx < 1 ? -1 : 1);
  return {0, false, true};
}

void Climber::keyControl(const StylusMove& stylus) {
  // A double tap digs, and nothing else moves the hero in that step.
  if (stylus.dug) return;
  const int32_t stylusVertical = stylus.vertical;
  Runner& h = *hero;
  const bool* held = ScreenCanvas::held;
  const int32_t c = h.cell;
  if (held[GameAction::Up] || stylusVertical < 0) {
    if (cellAt(c) == data::kLadderCell || h.state == Runner::CLIMBING) {
      h.state = Runner::CLIMBING;
      h.stepVertical(-1, false);
    } else if (h.row > 0 && cellAt(c) == data::kHandrailCell && cellAt(c - mapWidth) == data::kLadderCell) {
      // From a handrail onto the ladder above it.
      --h.row;
      h.cell -= mapWidth;
      h.offsetY = stepY + (tileHeight >> 1);
      h.state = Runner::CLIMBING;
      h.stepVertical(-1, false);
    }
  } else if (held[GameAction::Down] || stylusVertical > 0) {
    const int32_t below = c + mapWidth;
    const bool inside = h.row < mapHeight - 1;
    if (h.state == Runner::HANGING) {
      if (inside && cellAt(below) == data::kLadderCell) {
        h.state = Runner::CLIMBING;
        h.stepVertical(1, false);
      } else {
        // It lets go.
        h.state = Runner::FALLING;
      }
    } else if (inside) {
      if (cellAt(below) == data::kLadderCell || h.state == Runner::CLIMBING) {
        h.state = Runner::CLIMBING;
        h.stepVertical(1, false);
      } else if (canEnter(h.column, h.row + 1, true)) {
        h.state = Runner::FALLING;
      }
    }
  } else if (stylusVertical == 0) {
    if (h.state == Runner::CLIMBING) h.animationCounter = 0;
    if (held[GameAction::Right]) {
      walk(h, 1);
    } else if (held[GameAction::Left]) {
      walk(h, -1);
    } else if (!ScreenCanvas::dragging && !stylus.activeHold) {
      if (h.state == Runner::WALKING) h.state = Runner::STANDING;
      if (h.state == Runner::HANGING) h.animationCounter = 0;
    }
  }
  const bool digRight = held[GameAction::Hash] || held[GameAction::Special2];
  const bool digLeft = held[GameAction::Star] || held[GameAction::Special1];
  if (held[GameAction::Fire] || digRight || digLeft) {
    if (digRight) {
      h.directionX = 1;
    } else if (digLeft) {
      h.directionX = -1;
    }
    // Fire digs once a press; the digging keys dig again while held.
    ScreenCanvas::held[GameAction::Fire] = false;
    dig();
  }
}

void Climber::loseLife() {
  if (invulnerable) return;
  playSound(SOUND_HERO_DIES);
  if (lives > 0) {
    --lives;
    stateTimer = introTime;
    gameState = STATE_LEVEL_INTRO;
    // The level starts again from its file: gold, holes and guards as they were.
    enterLevel(level);
  } else {
    gameState = STATE_GAME_OVER;
    stateTimer = gameOverTime;
  }
}

void Climber::completeLevel() {
  ++level;
  if (level > levelCount) {
    endGame();
    return;
  }
  gameState = STATE_LEVEL_INTRO;
  stateTimer = introTime;
  SoundManager::stopCurrent();
  playSound(SOUND_LEVEL_BEGIN);
  enterLevel(level);
}

}  // namespace climber
