// One step of play: the hidden level select, pause, the ship steered by keys or pen and its one shot, the
// scrolling picture, stars and planet, the frozen field while the ship explodes, the shots, the sway, the
// dives, the hits, and the ship that is struck.
#include <algorithm>

#include "gamelib/GameApi.h"
#include "gamelib/Score.h"
#include "games/swarm/Swarm.h"

namespace swarm {

using namespace gamelib::api;

namespace {

constexpr int32_t kFixedOne = 65536;
// The pen this close to the ship's centre leaves it where it is.
constexpr int32_t kPenDeadZone = 3;
// Rows 0 and 1 dive once the rows under them are empty; row 2 once the bottom rows have lost an alien.
constexpr int32_t kTopRow = 0;
constexpr int32_t kSecondRow = 1;
constexpr int32_t kMiddleRow = 2;

int32_t integerPart(int32_t fixed) { return fixed >> 16; }

bool rowsEmptyBelow(int32_t row) {
  for (int32_t r = row + 1; r < rowAlive->length; ++r) {
    if ((*rowAlive)[r] > 0) return false;
  }
  return true;
}

bool rowMayDive(int32_t row) {
  const bool fewLeft = aliensLeft <= FEW_ALIENS;
  switch (row) {
    case kTopRow:
    case kSecondRow:
      return fewLeft || rowsEmptyBelow(row);
    case kMiddleRow:
      for (int32_t r = kMiddleRow + 1; r < rowAlive->length; ++r) {
        if ((*rowAlive)[r] < (*rowLength)[r]) return true;
      }
      return false;
    default:
      return true;
  }
}

bool destroyed(const AlienShip& alien) {
  return alien.state == AlienShip::STATE_EXPLODING || alien.state == AlienShip::STATE_GONE;
}

}  // namespace

void Swarm::pauseGame() {
  menuFlow->pause();
  // The tap that paused is spent: the rest of this step does not take it for a lifted pen.
  penWasDown = false;
  seenPressTime = ScreenCanvas::lastPressTime;
}

void Swarm::playStep() {
  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    const int32_t chosen = ScreenCanvas::sequenceNumber;
    // Only the game's own levels can be chosen; any other number is ignored.
    if (chosen >= 1 && chosen <= lastLevel) {
      level = chosen;
      setupWave();
      return;
    }
  }
  // The pause picture sits in the top-left corner.
  if (MenuFlow::pauseRequested(PauseSign::topLeft(GameMenu::pauseImage))) pauseGame();
  steerAndFire();
  moveScenery();
  if (reloadTimer > 0) reloadTimer -= GameLib::kStepMs;
  if (shipExploding) {
    if (shipExplosionDone) endShipExplosion();
    return;
  }
  moveShots();
  sway();
  chooseDiver();
  for (int32_t i = 0; i < allAliens->length; ++i) (*allAliens)[i]->updateFlight();
  testHits();
}

void Swarm::steerAndFire() {
  bool right = false, left = false, shotAsked = false;
  if (ScreenCanvas::dragging) {
    ScreenCanvas::dragging = false;
    const int32_t d = ScreenCanvas::pointerX - shipX;
    right = d > kPenDeadZone;
    left = d < -kPenDeadZone;
  } else if (penLifted()) {
    ScreenCanvas::pointerDown = false;
    shotAsked = true;
  } else if (ScreenCanvas::pointerDown) {
    const int32_t d = ScreenCanvas::pointerX - shipX;
    right = d > kPenDeadZone;
    left = d < -kPenDeadZone;
  }

  const bool* held = ScreenCanvas::held;
  if (!shipExploding) {
    if (held[GameAction::Right] || held[GameAction::Special1] || right) {
      if (shipX < shipMaxX) shipX = std::min(shipX + shipSpeed, shipMaxX);
    } else if (held[GameAction::Left] || held[GameAction::Special2] || left) {
      if (shipX > shipHalfWidth) shipX = std::max(shipX - shipSpeed, shipHalfWidth);
    }
  }

  if ((held[GameAction::Fire] || held[GameAction::Up] || shotAsked) && (*playerShot)[0] == NONE && reloadTimer < 1) {
    playSound(SOUND_SHOOT);
    (*playerShot)[0] = shipX;
    (*playerShot)[1] = shipY - bulletImage->h;
  }
}

void Swarm::moveScenery() {
  if (!backgroundImage.isNull()) {
    backgroundScroll -= kFixedOne;
    if (backgroundScroll < 0) backgroundScroll += backgroundImage->getHeight() * kFixedOne;
  }
  for (int32_t i = 0; i < stars->length; ++i) {
    DintArray& star = *(*stars)[i];
    star[1] += (*starSpeeds)[i / starsPerLayer];
    if (integerPart(star[1]) > screenHeight) {
      star[0] = randomBelow(screenWidth) * kFixedOne;
      star[1] = 0;
    }
  }
  if (planetDelay >= 1) {
    planetDelay -= GameLib::kStepMs;
    return;
  }
  if (integerPart(planetY) > screenHeight) {
    planetDelay = PLANET_INTERVAL;
    planetIndex = randomBelow(planetImages->length);
    const GameImage& planet = *(*planetImages)[planetIndex];
    planetX = (randomBelow(screenWidth) - planet.w / 2) * kFixedOne;
    planetY = -planet.h * kFixedOne;
  }
  planetY += PLANET_SPEED;
}

void Swarm::endShipExplosion() {
  shipExploding = false;
  shipExplosionDone = false;
  (*playerShot)[0] = NONE;
  for (int32_t i = 0; i < allAliens->length; ++i) {
    AlienShip& alien = *(*allAliens)[i];
    if (alien.state == AlienShip::STATE_EXPLODING) {
      alien.state = AlienShip::STATE_GONE;
    } else if (alien.state != AlienShip::STATE_GONE) {
      alien.state = AlienShip::STATE_FORMATION;
      alien.x = alien.homeX + swayOffset;
      alien.y = alien.homeY;
      alien.imageIndex = 0;
    }
  }
}

void Swarm::moveShots() {
  DintArray& shot = *playerShot;
  if (shot[0] >= 0) {
    shot[1] -= playerShotSpeed;
    if (shot[1] < 0) {
      shot[0] = NONE;
      reloadTimer = RELOAD_TIME;
    }
  }
  for (int32_t i = 0; i < enemyShots->length; ++i) {
    DintArray& bullet = *(*enemyShots)[i];
    if (bullet[0] < 0) continue;
    bullet[1] += enemyShotSpeed;
    if (bullet[1] >= shipY && bullet[0] >= shipX - shipHalfWidth && bullet[0] <= shipX + shipHalfWidth) {
      bullet[0] = NONE;
      shipHit();
    } else if (bullet[1] > screenHeight) {
      bullet[0] = NONE;
    }
  }
}

void Swarm::sway() {
  if (swayDirection == 0) {
    swayOffset -= swaySpeed;
    if (swayOffset < -swayLimit) swayDirection = 1;
  } else {
    swayOffset += swaySpeed;
    if (swayOffset > swayLimit) swayDirection = 0;
  }
}

void Swarm::chooseDiver() {
  const bool fewLeft = aliensLeft <= FEW_ALIENS;
  int32_t away = 0;
  for (int32_t i = 0; i < allAliens->length; ++i) {
    const int32_t state = (*allAliens)[i]->state;
    if (state == AlienShip::STATE_CLIMBING || state == AlienShip::STATE_DIVING ||
        (state == AlienShip::STATE_RETURNING && !fewLeft)) {
      ++away;
    }
  }
  diveTimer -= GameLib::kStepMs;
  if (away >= maxDivers || diveTimer > 0) return;
  if (fewLeft) maxDivers = FEW_ALIENS;

  // From each row that may dive, its outermost aliens still flying (one alien alone goes in twice).
  int32_t n = 0;
  for (int32_t i = 0; i < diveCandidates->length; ++i) (*diveCandidates)[i] = nullptr;
  for (int32_t r = 0; r < formation->length; ++r) {
    if (!rowMayDive(r)) continue;
    AlienShipArray& line = *(*formation)[r];
    for (int32_t c = 0; c < line.length; ++c) {
      if (destroyed(*line[c])) continue;
      (*diveCandidates)[n++] = line[c];
      break;
    }
    for (int32_t c = line.length - 1; c >= 0; --c) {
      if (destroyed(*line[c])) continue;
      (*diveCandidates)[n++] = line[c];
      break;
    }
  }
  if (n > 0) {
    const int32_t r = GameLib::random->nextInt() & 15;
    const int32_t pick = std::clamp(((r + 1) * (n - 1)) >> 4, 0, n - 1);
    AlienShip& diver = *(*diveCandidates)[pick];
    if (diver.state == AlienShip::STATE_FORMATION || (diver.state == AlienShip::STATE_RETURNING && fewLeft)) {
      diver.activate();
    }
  }
  const int64_t r8 = GameLib::random->nextInt() >> 24;
  diveTimer = diveDelayBase + (((r8 + 1) * diveDelayRange) >> 8);
}

void Swarm::countDestroyed(const AlienShip& alien) {
  const int32_t before = score;
  score = gamelib::addPoints(score, alien.points);
  if (before < EXTRA_SHIP_SCORE && score >= EXTRA_SHIP_SCORE) {
    lives += 1;
    playSound(SOUND_EXTRA_SHIP);
  }
  (*rowAlive)[alien.row] -= 1;
  aliensLeft -= 1;
}

void Swarm::testHits() {
  DintArray& shot = *playerShot;
  for (int32_t i = 0; i < allAliens->length; ++i) {
    AlienShip& alien = *(*allAliens)[i];
    if (!destroyed(alien)) {
      bool shotDown = false;
      if (shot[0] != NONE && alien.hitTest(shot[0], shot[1], bulletImage->w, bulletImage->h)) {
        countDestroyed(alien);
        shot[0] = NONE;
        reloadTimer = RELOAD_TIME;
        shotDown = true;
      }
      // An exploding ship is not struck again; an alien just shot down is not counted a second time.
      if (!shipExploding && alien.overlaps(shipX - shipHalfWidth, shipY, shipWidth, shipHeight)) {
        if (!shotDown) {
          alien.hitTest(shipX - shipHalfWidth, shipY, shipWidth, shipHeight);
          countDestroyed(alien);
        }
        shipHit();
      }
    }
    // The last ship lost stays lost, even when its wreck took the wave's last alien with it.
    if (aliensLeft < 1 && gameState == STATE_PLAY) {
      stateTimer = WAVE_CLEARED_TIME;
      gameState = STATE_WAVE_CLEARED;
      return;
    }
  }
}

void Swarm::shipHit() {
  shipExploding = true;
  shipExplosionDone = false;
  shipExplosion->restart();
  (*playerShot)[0] = NONE;
  for (int32_t i = 0; i < enemyShots->length; ++i) (*enemyShots)[i][0] = NONE;
  reloadTimer = RELOAD_TIME;
  playSound(SOUND_SHIP_BLOWN);
  if (lives > 0) {
    lives -= 1;
  } else {
    gameState = STATE_LAST_SHIP_LOST;
    stateTimer = SHIP_LOST_TIME;
  }
}

}  // namespace swarm
