// A monster of the brick-and-paddle game: enters at the top now and then, wanders between the bricks,
// swallows or drops bombs, and leaves when a ball or a bullet meets it.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "gamelib/Animation.h"
#include "games/bounce/Ball.h"

namespace bounce {

class Enemy;
using EnemyPtr = nuv::lang::DPtr<Enemy>;
using EnemyArray = nuv::lang::DTypedArray<Enemy>;
using EnemyArrayPtr = nuv::lang::DPtr<EnemyArray>;

class Enemy : public nuv::lang::DObject {
 public:
  static constexpr int32_t KIND_SWALLOWER = 0;
  static constexpr int32_t KIND_BOMBER = 1;
  static constexpr int32_t KIND_WANDERER = 2;
  static constexpr int32_t KIND_CARRIER = 3;

  Enemy();
  ~Enemy() override;
  const char* getClassName() const override { return "Enemy"; }

  virtual void trySpawn();
  virtual void deactivate();
  virtual void paint();
  virtual void move();
  virtual bool isBrickAt(int32_t px, int32_t py);

  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t dx = 0;
  int32_t dy = 1;
  int32_t kind = 0;
  bool active = false;
  int64_t lastTurn = 0;
  gamelib::AnimationPtr animation;
  BallPtr carriedBall;
};

}  // namespace bounce
