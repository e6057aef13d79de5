// The space-rocks game's play clock: the hidden level select, the timed states between levels, and the
// play step in which shots, rockets, saucers and rocks move and collide; then the player's input.
#include <algorithm>

#include "gamelib/GameApi.h"
#include "gamelib/Score.h"
#include "games/rocks/Rocks.h"

namespace rocks {

using namespace gamelib::api;

namespace {

// Play advances on every second 30 ms step of the game library.
constexpr int64_t kPlayStepMs = 51;
// Shots and rockets this far outside the screen are gone.
constexpr int32_t kOffScreen = 26;
// What touching the ship takes, added to the other's hit size.
constexpr int32_t kRocketReach = 240;
constexpr int32_t kSaucerReach = 200;
constexpr int32_t kRockReach = 40;
// Size of the large rock and of the largest saucer that a single hit removes.
constexpr int32_t kLargeRock = 350;
constexpr int32_t kMediumRock = 250;
constexpr int32_t kFrailSaucer = 251;
// Saucers steer by the nearest object, at most every ten moves, when it is this near.
constexpr int32_t kSteerAge = 9;
constexpr int32_t kSteerDistance = 50000;
constexpr int32_t kFireSteps = 29;
constexpr int32_t kRetryFire = 31;
// Points.
constexpr int32_t kHitPoints = 200;
constexpr int32_t kLargeRockRamPoints = 100;
constexpr int32_t kBigSaucerPoints = 500;
constexpr int32_t kShotCost = 30;
// Shots: one every few play steps, at four times the gun's offset per step.
constexpr int32_t kFireGap = 3;
constexpr int32_t kShotSpeed = 4;
constexpr int32_t kShotSize = 50;
// A stylus this near the ship in both axes does not thrust.
constexpr int32_t kStylusDeadZone = 11;
// Ratios |dy / dx| in 16.16 that bound the stylus's three slants of a quarter turn.
constexpr int32_t kShallowSlant = 43790;
constexpr int32_t kSteepSlant = 98080;
constexpr int32_t kFixedOne = 65536;

int64_t now() { return DSystem::currentTimeMillis(); }

bool outside(const FlyingO& o) {
  return o.x < -kOffScreen || o.x > GameLib::screenWidth + kOffScreen || o.y < -kOffScreen ||
         o.y > GameLib::screenHeight + kOffScreen;
}

DintArrayPtr nobodyNear() {
  DintArrayPtr record = new DintArray(5);
  (*record)[Rocks::NEAR_DISTANCE] = Rocks::kNobodyNear;
  return record;
}

}  // namespace

void Rocks::award(int32_t points) {
  score = gamelib::addPoints(score, points);
  checkExtraLife();
}

void Rocks::playClock() {
  const int64_t t = now();
  if (t - lastStepTime < kPlayStepMs) return;

  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    if (ScreenCanvas::sequenceNumber >= 1) {
      selectLevel(ScreenCanvas::sequenceNumber);
      return;
    }
    invulnerable = !invulnerable;
  }

  if (stateTimer > 0) {
    stateTimer -= 1;
  } else {
    stateTimer = 0;
    endTimedState();
    if (gameState == STATE_MENU) return;
  }

  updateParticles();
  updateExplosions();
  moveShots();
  moveRockets();
  if (gameState != STATE_PLAY) {
    lastStepTime = t;
    return;
  }

  fireCounter += 1;
  if (ship->move()) ship->changed = true;
  rocketsAgainstShip();
  stepSaucers();
  stepRocks();

  if (ship->lives < 1) {
    stateTimer = kMessageSteps;
    gameState = STATE_GAME_OVER;
  } else if (liveUfos + liveRocks == 0) {
    ScreenCanvas::resetInput();
    stateTimer = kMessageSteps;
    gameState = STATE_LEVEL_DONE;
  }
  lastStepTime = t;
  if (gameState == STATE_PLAY) handleInput();
}

void Rocks::selectLevel(int32_t number) {
  // The game stays within its levels, so that its last level can still be won.
  level = std::min(number, lastLevel);
  const int32_t lives = ship->lives;
  startLevel(level, score);
  ship->lives = lives;
  gameState = STATE_LEVEL_INTRO;
  stateTimer = kIntroSteps;
  playSound(SOUND_LEVEL);
}

void Rocks::endTimedState() {
  switch (gameState) {
    case STATE_LEVEL_INTRO:
      gameState = STATE_PLAY;
      ship->changed = true;
      break;
    case STATE_GAME_OVER:
      endGame(false);
      break;
    case STATE_LEVEL_DONE:
      if (level == lastLevel) {
        // The game is won.
        endGame(true);
      } else {
        nextLevel();
      }
      break;
    default:
      break;
  }
}

void Rocks::nextLevel() {
  level += 1;
  const int32_t lives = ship->lives;
  startLevel(level, score);
  ship->lives = lives;
  gameState = STATE_LEVEL_INTRO;
  stateTimer = kIntroSteps;
  playSound(SOUND_LEVEL);
}

void Rocks::moveShots() {
  int32_t highest = -1;
  for (int32_t i = 0; i + 1 <= shotCount; ++i) {
    auto place = (*shots)[i];
    if (place.isNull()) continue;
    if (place->hitPoints < 1 || outside(*place)) {
      place = nullptr;
      continue;
    }
    place->move();
    highest = i;
  }
  if (highest + 1 != shotCount && highest + 1 != 0) shotCount = highest + 1;
}

void Rocks::moveRockets() {
  for (int32_t i = 0; i < rockets->length; ++i) {
    FlyingOPtr rocket = (*rockets)[i];
    if (rocket.isNull()) continue;
    if (rocket->hitPoints < 1 || outside(*rocket)) {
      (*rockets)[i] = nullptr;
      continue;
    }
    rocket->move();
    if (collide(shots, rocket, i).isNull()) (*rockets)[i] = nullptr;
  }
}

void Rocks::rocketsAgainstShip() {
  Ship& s = *ship;
  for (int32_t i = 0; i < rockets->length; ++i) {
    FlyingOPtr rocket = (*rockets)[i];
    if (rocket.isNull() || scaledDistance(rocket->x, rocket->y, s.x, s.y) >= rocket->hitSize + kRocketReach) continue;
    playSound(SOUND_ROCKET_HIT);
    s.hit();
    startBurst(s.x, s.y, rocket->x, rocket->y);
    (*rockets)[i] = nullptr;
    award(kHitPoints);
  }
}

void Rocks::stepSaucers() {
  liveUfos = 0;
  Ship& s = *ship;
  for (int32_t i = 0; i < ufos->length; ++i) {
    FlyingOPtr saucer = (*ufos)[i];
    if (saucer.isNull()) continue;
    if (saucer->hitPoints < 1) {
      (*ufos)[i] = nullptr;
      continue;
    }
    liveUfos += 1;
    saucer->move();
    const bool big = saucer->kind == FlyingO::KIND_BIG_SAUCER;

    DintArrayPtr nearRock = collide(rockArray, saucer, i);
    if ((*ufos)[i].isNull()) continue;
    if (nearRock.isNull()) {
      if (!big) {
        (*ufos)[i] = nullptr;
        continue;
      }
      saucer->fireTimer = 0;
      if (saucer->hitPoints < 1) {
        (*ufos)[i] = nullptr;
        continue;
      }
    }

    const int32_t sizeBefore = saucer->hitSize;
    DintArrayPtr nearShot = shotCount >= 1 ? collide(shots, saucer, i) : DintArrayPtr(new DintArray(5));
    if (nearShot.isNull()) {
      if (sizeBefore < kFrailSaucer || saucer->hitPoints < 1) {
        (*ufos)[i] = nullptr;
        award(kHitPoints);
      }
      continue;
    }

    DintArrayPtr nearRocket;
    if (big) {
      // Its own rockets pass it by.
      nearRocket = nobodyNear();
      checkExtraLife();
    } else {
      nearRocket = collide(rockets, saucer, i);
      if ((*ufos)[i].isNull()) continue;
      if (nearRocket.isNull()) {
        playSound(SOUND_ROCKET_HIT);
        (*ufos)[i] = nullptr;
        award(kHitPoints);
        continue;
      }
    }

    if (scaledDistance(saucer->x, saucer->y, s.x, s.y) < saucer->hitSize + kSaucerReach) {
      playSound(SOUND_SHIP_HIT);
      s.hit();
      saucer->hitPoints -= 1;
      startBurst(saucer->x, saucer->y, saucer->x, saucer->y);
      if (!big) {
        (*ufos)[i] = nullptr;
        award(kHitPoints);
        continue;
      }
      saucer->fireTimer = 0;
      if (saucer->hitPoints < 1) {
        (*ufos)[i] = nullptr;
        award(kBigSaucerPoints);
        continue;
      }
    }

    if (saucer->age > kSteerAge) {
      // A large saucer that survived a rock has no nearest rock to go by: the hit took that record's place.
      DintArrayPtr nearest = nearRock.isNull() ? nearShot : nearRock;
      if ((*nearShot)[NEAR_DISTANCE] < (*nearest)[NEAR_DISTANCE]) nearest = nearShot;
      if ((*nearRocket)[NEAR_DISTANCE] < (*nearest)[NEAR_DISTANCE]) nearest = nearRocket;
      if ((*nearest)[NEAR_DISTANCE] < kSteerDistance && ((*nearest)[NEAR_DX] != 0 || (*nearest)[NEAR_DY] != 0)) {
        saucer->steer(nearest);
      }
      saucer->age = 0;
    }

    saucer->fireTimer += 1;
    if (saucer->fireTimer > kFireSteps && big) {
      if (launchRocket(i, saucer->x, saucer->y, s.x - saucer->x, s.y - saucer->y) == 1) {
        playSound(SOUND_ROCKET);
        saucer->fireTimer = 0;
      } else {
        saucer->fireTimer = kRetryFire;
      }
    }
  }
}

void Rocks::stepRocks() {
  liveRocks = 0;
  Ship& s = *ship;
  for (int32_t i = 0; i < rockArray->length; ++i) {
    FlyingOPtr rock = (*rockArray)[i];
    if (rock.isNull()) continue;
    if (rock->hitPoints < 1) {
      (*rockArray)[i] = nullptr;
      continue;
    }
    liveRocks += 1;
    rock->move();
    // "a" + size + type, then the frame, and for a turning rock its quarter turn's suffix.
    DStringPtr base = rock->imageName->substring(0, 3);
    if (rock->kind == FlyingO::KIND_TURNING_ROCK) {
      rock->imageName = (base + rock->frame % 4) + rock->imageName->substring(4);
    } else {
      rock->imageName = base + rock->frame;
    }

    int32_t sizeBefore = rock->hitSize;
    if (shotCount >= 1 && collide(shots, rock, i).isNull()) {
      // Large and medium rocks were split by the hit; the small ones go.
      if (sizeBefore < kMediumRock) (*rockArray)[i] = nullptr;
      award(kHitPoints);
      continue;
    }
    sizeBefore = rock->hitSize;
    if (collide(rockets, rock, i).isNull()) {
      if (sizeBefore < kMediumRock) (*rockArray)[i] = nullptr;
      award(kHitPoints);
      continue;
    }

    const int64_t dx = rock->x - s.x, dy = rock->y - s.y;
    if ((dx * dx + dy * dy + kRockReach) * designShipWidth / shipWidth < rock->hitSize) {
      playSound(SOUND_SHIP_HIT);
      s.hit();
      startBurst(rock->x, rock->y, rock->x, rock->y);
      if (rock->hitSize == kLargeRock) {
        award(kLargeRockRamPoints);
        splitRock(rock->x, rock->y, i);
      } else {
        award(kHitPoints);
        (*rockArray)[i] = nullptr;
      }
    }
  }
}

void Rocks::handleInput() {
  const bool* held = ScreenCanvas::held;
  Ship& s = *ship;
  if (held[GameAction::Right] || held[GameAction::Special1]) {
    s.turnRight();
    emitExhaust(1);
    s.changed = true;
    lastStepTime = now();
  }
  if (held[GameAction::Left] || held[GameAction::Special2]) {
    s.turnLeft();
    emitExhaust(0);
    s.changed = true;
    lastStepTime = now();
  }
  if (ScreenCanvas::pointerDown) steerByStylus();
  if (held[GameAction::Fire] || ScreenCanvas::doubleTap || ScreenCanvas::back) {
    ScreenCanvas::doubleTap = false;
    if (fireCounter > kFireGap) fire();
  }
  if (held[GameAction::Down]) s.changed = true;
  if (held[GameAction::Up]) {
    s.thrust();
    if (s.rampIndex < s.rampMax) {
      emitExhaust(0);
      emitExhaust(1);
    }
    s.changed = true;
    lastStepTime = now();
  }
  // The pause picture sits in the lower right corner; without it that corner is part of the field.
  if (MenuFlow::pauseRequested(PauseSign::bottomRight(GameMenu::pauseImage))) pause();
}

void Rocks::steerByStylus() {
  Ship& s = *ship;
  const int32_t dx = ScreenCanvas::pointerX - s.x, dy = ScreenCanvas::pointerY - s.y;
  const int32_t from = Ship::quadrantNumber(s.quadrant);
  const int32_t target = dx < 0 ? (dy >= 0 ? 1 : 0) : (dy < 0 ? 2 : 3);
  auto turnRight = [&] {
    s.turnRight();
    emitExhaust(1);
  };
  auto turnLeft = [&] {
    s.turnLeft();
    emitExhaust(0);
  };
  lastStepTime = now();
  if (from == target || (from ^ target) == 3) {
    // The frame of the quarter turn that points at the stylus.
    int32_t a = 4;
    if (dx != 0) {
      const int64_t slant = static_cast<int64_t>(dy) * kFixedOne / dx;
      const int64_t r = slant < 0 ? -slant : slant;
      a = r < kShallowSlant ? 1 : r > kSteepSlant ? 3 : 2;
    }
    if (target == 0 || target == 3) a = 4 - a;
    if (from != target) {
      if (a < s.frame) {
        turnLeft();
      } else {
        turnRight();
      }
    } else if (a < s.frame) {
      turnRight();
    } else if (a > s.frame) {
      turnLeft();
    } else if (std::abs(dx) >= kStylusDeadZone || std::abs(dy) >= kStylusDeadZone) {
      s.thrust();
      emitExhaust(0);
      emitExhaust(1);
    }
    return;
  }
  const bool left = (from == 0 && target == 1) || (from == 1 && target == 3) || (from == 2 && target == 0) ||
                    (from == 3 && target == 2);
  if (left) {
    turnLeft();
  } else {
    turnRight();
  }
}

void Rocks::fire() {
  Ship& s = *ship;
  DintArrayPtr gun = s.getGunOffset();
  DStringPtr name = (DStringPtr(data::kShotPrefix) + s.frame) + s.quadrant;
  FlyingOPtr shot = new FlyingO(s.x, s.y, (*gun)[0], (*gun)[1], kShotSpeed, kShotSize, kShotSize, name, 0);
  score = std::max(score - kShotCost, 0);
  int32_t place = -1;
  if (shotCount == 0) {
    place = 0;
    shotCount = 1;
  } else {
    for (int32_t i = 0; i < shotCount && place < 0; ++i) {
      FlyingOPtr old = (*shots)[i];
      if (old.isNull() || old->x == -kOffScreen) place = i;
    }
    if (place < 0 && shotCount < kMaxShots) place = shotCount++;
  }
  if (place >= 0) {
    (*shots)[place] = shot;
    playSound(SOUND_SHOOT);
  }
  s.changed = true;
  fireCounter = 0;
  lastStepTime = now();
}

void Rocks::pause() {
  menuFlow->pause();
  lastStepTime = now();
}

}  // namespace rocks
