// Everything of the space-rocks game that flies except the ship: rocks, saucers, the saucers' rockets and
// the player's shots. A kind number chosen at construction decides how an object moves, wraps and animates.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameImage.h"

namespace rocks {

class FlyingO : public nuv::lang::DObject {
 public:
  // Kinds.
  static constexpr int32_t KIND_STRAIGHT = 0;  // shots and rockets: no edge, no animation
  static constexpr int32_t KIND_SAUCER1 = 1;
  static constexpr int32_t KIND_SAUCER2 = 2;
  static constexpr int32_t KIND_ROCK = 3;          // tumbles through 16 pictures
  static constexpr int32_t KIND_BIG_SAUCER = 4;    // four hit points, fires rockets
  static constexpr int32_t KIND_TURNING_ROCK = 5;  // 4 pictures through the four quarter turns
  static constexpr int32_t KIND_STILL = 6;         // an animation in place

  // Arguments that ask for a random position (x) and a random velocity (dx).
  static constexpr int32_t RANDOM = -100;
  // size + type of the fliers that are neither rocks nor animations: shots and rockets, and saucers.
  static constexpr int32_t kStraightSum = 100;
  static constexpr int32_t kStillSum = 200;
  static constexpr int32_t kSaucerSum = 300;

  // A null imageName is fine for rocks, which name their own picture. A negative frameDelay picks one.
  FlyingO(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t speedFactor, int32_t size, int32_t type,
          nuv::lang::DStringPtr imageName, int32_t frameDelay);
  ~FlyingO() override;
  const char* getClassName() const override { return "FlyingO"; }

  // One play step: motion, the screen edge, the animation.
  virtual void move();
  // Records the size and draws the image centred on the object, with a second copy where it crosses an
  // edge that lets it through. False when it lies wholly off the screen; true when drawn or image is null.
  virtual bool paint(gamelib::GameImagePtr image, int32_t width, int32_t height);
  // Turns the velocity by the nearest other object (x, y, distance, dx, dy).
  virtual void steer(nuv::lang::DintArrayPtr nearest);

  int32_t x = 0;
  int32_t y = 0;
  int32_t dx = 0;
  int32_t dy = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t speedFactor = 1;
  int32_t kind = KIND_STRAIGHT;
  int32_t hitSize = 0;
  int32_t hitPoints = 1;
  int32_t fireTimer = 0;
  int32_t frame = 0;
  int32_t age = 5;
  int8_t frameTick = 0;
  int32_t frameDelay = 0;
  int32_t spare = 0;
  nuv::lang::DStringPtr imageName;
};

using FlyingOPtr = nuv::lang::DPtr<FlyingO>;
using FlyingOArray = nuv::lang::DTypedArray<FlyingO>;
using FlyingOArrayPtr = nuv::lang::DPtr<FlyingOArray>;

}  // namespace rocks
