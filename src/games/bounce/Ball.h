// A ball of the brick-and-paddle game, and the same round object serving as the paddle's bullet and the
// enemies' bomb: fixed-point motion, walls, the paddle, and the looks of the six ball kinds.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"

namespace bounce {

class Ball;
using BallPtr = nuv::lang::DPtr<Ball>;
using BallArray = nuv::lang::DTypedArray<Ball>;
using BallArrayPtr = nuv::lang::DPtr<BallArray>;

class Ball : public nuv::lang::DObject {
 public:
  static constexpr int32_t ROLE_BALL = 0;
  static constexpr int32_t ROLE_BULLET = 1;
  static constexpr int32_t ROLE_BOMB = 2;

  static constexpr int32_t KIND_SMALL = 0;
  static constexpr int32_t KIND_NORMAL = 1;
  static constexpr int32_t KIND_BIG = 2;
  static constexpr int32_t KIND_FIRE_SMALL = 3;
  static constexpr int32_t KIND_FIRE = 4;
  static constexpr int32_t KIND_FIRE_BIG = 5;

  // Role 0 takes the three ball images and its own fire animations; 1 the bullet, 2 the bomb image.
  explicit Ball(int32_t role);
  ~Ball() override;
  const char* getClassName() const override { return "Ball"; }

  virtual void setState(int32_t newKind);
  virtual void ignite();
  virtual void extinguish();
  virtual void grow();
  virtual void shrink();
  // released, visible and inPlay follow the flag; lost is its opposite.
  virtual void setActive(bool flag);
  virtual void paint();
  // Ready on the paddle: waiting, visible, in play, speed level 3.
  virtual void reset(int32_t newX, int32_t newY);
  virtual void setPosition(int32_t newX, int32_t newY);
  virtual void step();
  // The step of a ball with no brick in its way; true when it left the field at the bottom.
  virtual bool update(int32_t paddleX, int32_t paddleTop, int32_t paddleLeft, int32_t paddleRight, bool isSticky);
  // A bomb's step; true when it hit the paddle.
  virtual bool fall(int32_t paddleTop, int32_t paddleLeft, int32_t paddleRight);
  // A bullet's step; sets lost when it reached the top.
  virtual void rise();
  // |dy| that keeps a direction with this dx about 16 long.
  virtual int32_t verticalSpeedFor(int32_t forDx);

  int32_t role;
  int32_t leftMargin = 0;
  int32_t topEdge = 0;
  int32_t kind = KIND_NORMAL;
  int32_t radius = 0;
  int32_t y = 0;
  int32_t x = 0;
  int32_t y16 = 0;
  int32_t x16 = 0;
  int32_t dx = 2;
  int32_t dy = -15;
  int32_t speedLevel = 2;
  int32_t speedCounter = 0;
  bool released = false;
  bool lost = false;
  bool inPlay = false;
  bool visible = false;
  gamelib::GameImagePtr normalImage;
  gamelib::GameImagePtr smallImage;
  gamelib::GameImagePtr bigImage;
  gamelib::GameImagePtr image;
  gamelib::AnimationPtr fireAnimation;
  gamelib::AnimationPtr fireSmallAnimation;
  gamelib::AnimationPtr fireBigAnimation;
  gamelib::AnimationPtr animation;
  int32_t stickOffset = 2;

 private:
  // Width of the image in use, or of the animation's first frame; 0 when there is neither.
  int32_t lookWidth() const;
};

}  // namespace bounce
