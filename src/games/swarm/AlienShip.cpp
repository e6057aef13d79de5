// An alien's flight: the climb out of the formation, the dive with its aim, loop, steering, heading image
// and shots, the way back into its slot, the hit test and painting.
#include "games/swarm/AlienShip.h"

#include "gamelib/GameApi.h"
#include "games/swarm/SwarmGlobals.h"

namespace swarm {

using namespace gamelib::api;

namespace {

constexpr int32_t kFixedOne = 65536;
// Slopes dy / dx in 16.16 where the heading image changes: tan 67.5, 56.25, 33.75 and 11.25 degrees.
constexpr int64_t kSteepest = 158217;
constexpr int64_t kSteep = 98081;
constexpr int64_t kShallow = 43789;
constexpr int64_t kShallowest = 13035;
// Images 0 (down) to 4 (left), and 12 (right) to 15, each a sixteenth of a circle on.
constexpr int32_t kDown = 0;
constexpr int32_t kLeft = 4;
constexpr int32_t kRight = 12;
constexpr int32_t kHalfCircle = 8;
constexpr int32_t kImageMask = 15;
// Chances of a shot as masks of a random draw: 1 in 16 beside the ship, 1 in 4 (then 1 in 16) over it.
constexpr int32_t kRareShot = 15;
constexpr int32_t kLikelyShot = 3;
// One dive in four flies a loop.
constexpr int32_t kLoopChance = 3;
// The dive aims up to this many sixteenths of the ship's width beside it.
constexpr int32_t kAimSteps = 15;

int32_t integerPart(int32_t fixed) { return fixed >> 16; }

}  // namespace

AlienShip::~AlienShip() {
  explosion = nullptr;
  formationAnimation = nullptr;
  images = nullptr;
}

void AlienShip::setAnimations(AnimationPtr formation, AnimationPtr explosionTemplate) {
  formationAnimation = Animation::runningOver(formation);
  if (!formation.isNull()) formationAnimation->finished = formation->finished;
  formationAnimation->restart();
  const int32_t r = randomBits();
  if (!formationAnimation->frames.isNull() && formationAnimation->frames->length > 0) {
    formationAnimation->currentFrame = r % formationAnimation->frames->length;
  }
  explosion = Animation::runningOver(explosionTemplate);
  if (!explosionTemplate.isNull()) explosion->finished = explosionTemplate->finished;
  explosion->restart();
}

int32_t AlienShip::activate() {
  playSound(SOUND_ALIEN_DIVES);
  fx = x * kFixedOne;
  fy = y * kFixedOne;
  imageAngle = imageIndex * kFixedOne;
  state = STATE_CLIMBING;
  vy = -climbSpeedMax;
  if (side == SIDE_LEFT) vx = -climbSpeedX;
  if (side == SIDE_RIGHT) vx = climbSpeedX;
  diveMode = (randomBits() & kLoopChance) == 0 ? DIVE_LOOPING : DIVE_STRAIGHT;
  shotsLeft = alienShotsPerDive;
  return 1;
}

void AlienShip::updateFlight() {
  switch (state) {
    case STATE_FORMATION:
      y = homeY;
      x = homeX + swayOffset;
      break;
    case STATE_CLIMBING:
      climb();
      break;
    case STATE_DIVING:
      dive();
      break;
    case STATE_RETURNING:
      returnHome();
      break;
    default:
      break;
  }
}

void AlienShip::climb() {
  if (vy < climbSpeedMax) {
    vy += climbAcceleration;
    fx += vx;
    fy += vy;
    x = integerPart(fx);
    y = integerPart(fy);
    if (side == SIDE_LEFT) imageAngle -= SPIN_STEP;
    if (side == SIDE_RIGHT) imageAngle += SPIN_STEP;
    imageIndex = integerPart(imageAngle) & kImageMask;
    return;
  }
  startDive();
}

void AlienShip::startDive() {
  state = STATE_DIVING;
  targetY = flightHeight;
  const int32_t beside = (((randomBits() & kAimSteps) + 1) * shipWidth) >> 4;
  if (side == SIDE_LEFT) targetX = shipX - beside;
  if (side == SIDE_RIGHT) targetX = shipX + beside;
  if (targetX < alienWidth) targetX = alienWidth;
  if (targetX > flightWidth - alienWidth) targetX = flightWidth - alienWidth;

  vy = diveDescentSpeed * kFixedOne;
  if (targetX == x) {
    vx = 0;
  } else {
    const int64_t slope = static_cast<int64_t>(targetY - y) * kFixedOne / (targetX - x);
    // A target level with the alien gives no slope: it drops straight and steers from there.
    vx = slope == 0 ? 0 : static_cast<int32_t>(static_cast<int64_t>(vy) * kFixedOne / slope);
  }
  fx = x * kFixedOne;
  fy = y * kFixedOne;
}

int32_t AlienShip::directionTowards(int32_t dx, int32_t dy) {
  int32_t index = kDown;
  if (dx != 0) {
    const int64_t s = static_cast<int64_t>(dy) * kFixedOne / dx;
    if (s < 0) {
      index = s < -kSteepest ? kDown : s < -kSteep ? 1 : s < -kShallow ? 2 : s < -kShallowest ? 3 : kLeft;
    } else if (s > 0) {
      index = s < kShallowest ? kRight : s < kShallow ? 13 : s < kSteep ? 14 : s < kSteepest ? 15 : kDown;
    }
  }
  if (dy < 0) index = (index - kHalfCircle) & kImageMask;
  return index;
}

void AlienShip::dive() {
  if (diveMode == DIVE_LOOPING) {
    vy -= vy >= 1 ? loopBrake : loopAcceleration;
    if (vy < -loopSpeedLimit) {
      diveMode = DIVE_LOOPED;
      shotsLeft = alienShotsPerDive;
    }
  } else if (diveMode == DIVE_LOOPED) {
    vy += loopBrake;
  }
  fx += vx;
  fy += vy;

  // Aimed from where the alien was before this step.
  const int32_t dx = shipX - x;
  const int32_t dy = shipY - y;
  if (diveMode != DIVE_LOOPING) {
    if (dx < 0 && vx > 0) {
      vx -= steerHard;
    } else if (dx > 0 && vx < 0) {
      vx += steerHard;
    } else if (dx < 0) {
      vx -= steerSoft;
    } else if (dx > 0) {
      vx += steerSoft;
    }
  }
  imageIndex = directionTowards(dx, dy);
  x = integerPart(fx);
  y = integerPart(fy);
  fire();

  if (y >= flightHeight && diveMode != DIVE_LOOPING) {
    x = homeX + swayOffset;
    y = -alienHeight;
    state = STATE_RETURNING;
    playSound(SOUND_ALIEN_RETURNS);
    imageIndex = 0;
  }
}

void AlienShip::fire() {
  if (alienShotTimer >= 1) {
    alienShotTimer -= GameLib::kStepMs;
    return;
  }
  if (shotsLeft < 1 || y >= screenHeight / 2) return;
  const bool overShip = x >= shipX - shipHalfWidth && x <= shipX + shipHalfWidth;
  bool fires = false;
  if (!overShip) {
    fires = (randomBits() & kRareShot) == 0;
  } else {
    fires = (randomBits() & kLikelyShot) == 0 || (randomBits() & kRareShot) == 0;
  }
  if (!fires) return;
  DintArray2d& shots = *enemyShots;
  for (int32_t i = 0; i < shots.length; ++i) {
    DintArray& shot = *shots[i];
    if (shot[0] != NONE) continue;
    playSound(SOUND_ALIEN_SHOOTS);
    --shotsLeft;
    shot[0] = x;
    shot[1] = y;
    alienShotTimer = ALIEN_SHOT_INTERVAL;
    return;
  }
}

void AlienShip::returnHome() {
  x = homeX + swayOffset;
  if (y != homeY) {
    y += y < homeY ? 1 : -1;
    return;
  }
  if (imageIndex == 0) {
    state = STATE_FORMATION;
  } else if (side == SIDE_LEFT) {
    --imageIndex;
  } else if (side == SIDE_RIGHT) {
    imageIndex = (imageIndex + 1) & kImageMask;
  }
}

bool AlienShip::overlaps(int32_t rx, int32_t ry, int32_t rw, int32_t rh) const {
  const int32_t left = x - alienHalfWidth + hitMargin;
  const int32_t top = y - alienHalfHeight + hitMargin;
  const int32_t right = x - alienHalfWidth + alienWidth - hitMargin;
  const int32_t bottom = y - alienHalfHeight + alienHeight - hitMargin;
  return !(bottom < ry || top > ry + rh || right < rx || left > rx + rw);
}

int32_t AlienShip::hitTest(int32_t rx, int32_t ry, int32_t rw, int32_t rh) {
  if (!overlaps(rx, ry, rw, rh)) return 0;
  playSound(SOUND_ALIEN_BLOWN);
  state = STATE_EXPLODING;
  explosion->restart();
  return 1;
}

void AlienShip::paint() {
  switch (state) {
    case STATE_FORMATION:
      formationAnimation->paint(x - alienHalfWidth, y - alienHalfHeight);
      break;
    case STATE_EXPLODING:
      explosion->paint(x - explosionHalfWidth, y - explosionHalfHeight);
      if (explosion->finished) state = STATE_GONE;
      break;
    case STATE_GONE:
      break;
    default:
      (*images)[imageIndex]->paint(x - alienHalfWidth, y - alienHalfHeight);
      break;
  }
}

}  // namespace swarm
