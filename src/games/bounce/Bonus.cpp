// Falling power-ups: the start with a random drift, the fall, the catch, and the bounce off the sides.
#include "games/bounce/Bonus.h"

#include "core/lang/DMath.h"
#include "gamelib/GameApi.h"
#include "games/bounce/BounceGlobals.h"
#include "games/bounce/BrickList.h"

namespace bounce {

using namespace gamelib::api;

namespace {

// The first frame's size; 0 when there is no frame.
void firstFrameSize(const AnimationPtr& animation, int32_t& w, int32_t& h) {
  w = h = 0;
  if (animation.isNull() || animation->frames.isNull() || animation->frames->length < 1) return;
  GameImagePtr frame = (*animation->frames)[0];
  if (frame.isNull()) return;
  w = frame->w;
  h = frame->h;
}

constexpr int32_t kStartInset = 2;  // 14ths of a brick width
constexpr int32_t kDriftSteps = 5;

}  // namespace

Bonus::~Bonus() { animation = nullptr; }

void Bonus::start(int32_t newKind, int32_t newX, int32_t newY) {
  kind = newKind;
  animation = bonusAnimations.isNull() || newKind < 0 || newKind >= bonusAnimations->length
                  ? nullptr
                  : AnimationPtr((*bonusAnimations)[newKind]);
  x = newX + kStartInset * brickWidth / baseBrickWidth;
  y = newY;
  int32_t side = GameLib::random->nextInt() % 2;  // -1, 0 or 1: left, straight down or right
  int32_t pace = nuv::lang::DMath::abs(GameLib::random->nextInt()) % kDriftSteps + 1;
  dx = pace * side * brickWidth / baseBrickWidth;
  dy = brickWidth / baseBrickWidth;
}

int32_t Bonus::update(int32_t paddleLeft, int32_t paddleTop, int32_t paddleWidth, int32_t paddleHeight) {
  if (kind == 0) return 0;
  y += dy;
  x += dx;
  int32_t w, h;
  firstFrameSize(animation, w, h);
  if (x + w > paddleLeft && x < paddleLeft + paddleWidth && y + h > paddleTop && y < paddleTop + paddleHeight) {
    int32_t caught = kind;
    kind = 0;
    return caught;
  }
  if (x + w > GameLib::screenWidth - fieldLeft) {
    dx = -dx;
    x = GameLib::screenWidth - fieldLeft - w;
  } else if (x < fieldLeft) {
    dx = -dx;
    x = fieldLeft;
  }
  if (y + h > GameLib::screenHeight) kind = 0;
  return 0;
}

void Bonus::paint() {
  if (kind == 0 || animation.isNull() || animation->frames.isNull()) return;
  if ((*animation->frames)[animation->currentFrame].isNull()) return;
  animation->paint(x, y);
}

}  // namespace bounce
