// Balls, bullets and bombs: their looks by kind, the fixed-point step, and the walls and paddle.
#include "games/bounce/Ball.h"

#include <iterator>

#include "core/lang/DMath.h"
#include "gamelib/GameApi.h"
#include "games/bounce/BounceGlobals.h"

namespace bounce {

using namespace gamelib::api;

namespace {

GameImagePtr firstFrame(const AnimationPtr& animation) {
  if (animation.isNull() || animation->frames.isNull() || animation->frames->length < 1) return nullptr;
  return (*animation->frames)[0];
}

constexpr int32_t kStartBottomDistance = 21;
constexpr int32_t kResetSpeedLevel = 3;
// Steps at a speed level before the next: speedLevel times this.
constexpr int32_t kSpeedUpSteps = 256;
constexpr int32_t kWallSparks = 5;

}  // namespace

Ball::Ball(int32_t role) : role(role) {
  x = GameLib::screenWidth / 2;
  y = GameLib::screenHeight - kStartBottomDistance;
  x16 = x * 16;
  y16 = y * 16;
  if (role == ROLE_BALL) {
    normalImage = ballImage;
    smallImage = ballSmallImage;
    bigImage = ballBigImage;
    fireAnimation = Animation::runningOver(bounce::fireAnimation);
    fireSmallAnimation = Animation::runningOver(bounce::fireSmallAnimation);
    fireBigAnimation = Animation::runningOver(bounce::fireBigAnimation);
    image = normalImage;
    animation = fireAnimation;
  } else {
    image = role == ROLE_BULLET ? bulletImage : bombImage;
  }
  radius = image.isNull() ? 0 : image->w / 2;
}

Ball::~Ball() {
  image = nullptr;
  normalImage = nullptr;
  smallImage = nullptr;
  bigImage = nullptr;
  animation = nullptr;
  fireAnimation = nullptr;
  fireSmallAnimation = nullptr;
  fireBigAnimation = nullptr;
}

int32_t Ball::lookWidth() const {
  if (kind >= KIND_FIRE_SMALL) {
    GameImagePtr frame = firstFrame(animation);
    return frame.isNull() ? 0 : frame->w;
  }
  return image.isNull() ? 0 : image->w;
}

void Ball::setState(int32_t newKind) {
  kind = newKind;
  switch (kind) {
    case KIND_SMALL:
      image = smallImage;
      break;
    case KIND_NORMAL:
      image = normalImage;
      break;
    case KIND_BIG:
      image = bigImage;
      break;
    case KIND_FIRE_SMALL:
      animation = fireSmallAnimation;
      break;
    case KIND_FIRE:
      animation = fireAnimation;
      break;
    case KIND_FIRE_BIG:
      animation = fireBigAnimation;
      break;
    default:
      break;
  }
  if (kind >= KIND_FIRE_SMALL && !animation.isNull()) animation->restart();
  radius = lookWidth() / 2 + 1;
}

void Ball::ignite() {
  if (kind <= KIND_BIG) setState(kind + KIND_FIRE_SMALL);
}

void Ball::extinguish() {
  if (kind >= KIND_FIRE_SMALL) setState(kind - KIND_FIRE_SMALL);
}

void Ball::grow() {
  if (kind != KIND_BIG && kind != KIND_FIRE_BIG) setState(kind + 1);
}

void Ball::shrink() {
  if (kind != KIND_SMALL && kind != KIND_FIRE_SMALL) setState(kind - 1);
}

void Ball::setActive(bool flag) {
  released = flag;
  visible = flag;
  inPlay = flag;
  lost = !flag;
}

void Ball::paint() {
  if (!visible) return;
  if (kind >= KIND_FIRE_SMALL) {
    GameImagePtr frame = animation.isNull() || animation->frames.isNull()
                             ? nullptr
                             : GameImagePtr((*animation->frames)[animation->currentFrame]);
    if (!frame.isNull()) animation->paint(x - radius, y - radius);
  } else if (!image.isNull()) {
    image->paint(x - radius, y - radius);
  }
}

void Ball::reset(int32_t newX, int32_t newY) {
  setPosition(newX, newY);
  radius = lookWidth() / 2 + 1;
  dy = -15;
  dx = 1;
  speedLevel = kResetSpeedLevel;
  released = false;
  visible = true;
  inPlay = true;
}

void Ball::setPosition(int32_t newX, int32_t newY) {
  x = newX;
  y = newY;
  x16 = newX * 16;
  y16 = newY * 16;
}

void Ball::step() {
  // The mean of the brick width and its base, rounded up: balls speed up less than the screen grows.
  int32_t scale = brickWidth - ((brickWidth - baseBrickWidth) >> 1);
  x16 += (scale * speedLevel * dx) / baseBrickWidth;
  y16 += (scale * speedLevel * dy) / baseBrickWidth;
  x = x16 >> 4;
  y = y16 >> 4;
  if (kind >= KIND_FIRE_SMALL || role == ROLE_BULLET) spawnParticles(1, PARTICLE_SMALL_SPARK, x, y);
}

bool Ball::update(int32_t paddleX, int32_t paddleTop, int32_t paddleLeft, int32_t paddleRight, bool isSticky) {
  int32_t oldY = y;
  step();
  if (!released) {
    setPosition(stickOffset + paddleX, paddleTop - radius);
    return false;
  }
  if (y >= GameLib::screenHeight) {
    setActive(false);
    return true;
  }
  int32_t sparkType = kind >= KIND_FIRE_SMALL ? PARTICLE_SMALL_SPARK : PARTICLE_SPARK;
  // Only a ball moving toward a wall turns, so one caught inside the margin gets out again.
  if ((x - radius <= leftMargin && dx < 0) || (x + radius >= GameLib::screenWidth - leftMargin && dx >= 1)) {
    dx = -dx;
    playSound(SOUND_HIT_WALL);
    spawnParticles(kWallSparks, sparkType, x, y);
  }
  if (y - radius < topEdge && dy < 0) {
    dy = -dy;
    playSound(SOUND_HIT_WALL);
    spawnParticles(kWallSparks, sparkType, x, y);
  }
  if (x + radius >= paddleLeft && x - radius <= paddleRight && y + radius >= paddleTop && oldY <= paddleTop) {
    playSound(SOUND_HIT_PLATFORM);
    int32_t d = x - (paddleLeft + ((paddleRight - paddleLeft) >> 1));
    y = paddleTop - radius;
    y16 = y * 16;
    dx = nuv::lang::DMath::max(-15, nuv::lang::DMath::min(15, d >> 1));
    // Never straight up: a ball that leaves the paddle vertically would come back to the same spot.
    if (dx == 0) dx = -1;
    dy = -verticalSpeedFor(dx);
    if (isSticky) {
      released = false;
      stickOffset = x - paddleX;
    }
  }
  if (++speedCounter > speedLevel * kSpeedUpSteps) {
    ++speedLevel;
    speedCounter = 0;
  }
  return false;
}

bool Ball::fall(int32_t paddleTop, int32_t paddleLeft, int32_t paddleRight) {
  int32_t oldY = y;
  step();
  if (x + radius >= paddleLeft && x - radius <= paddleRight && y + radius >= paddleTop && oldY <= paddleTop) {
    setActive(false);
    return true;
  }
  if (y >= GameLib::screenHeight - radius) setActive(false);
  return false;
}

void Ball::rise() {
  step();
  if (y <= topEdge) setActive(false);
}

int32_t Ball::verticalSpeedFor(int32_t forDx) {
  // |dy| by |dx|, keeping dx * dx + dy * dy near 256.
  static constexpr int32_t kSpeeds[] = {16, 16, 16, 16, 15, 15, 15, 14, 14, 13, 13, 12, 11, 10, 8, 5, 2};
  int32_t index = nuv::lang::DMath::abs(forDx);
  if (index < 0 || index >= static_cast<int32_t>(std::size(kSpeeds))) return 1;
  return kSpeeds[index];
}

}  // namespace bounce
