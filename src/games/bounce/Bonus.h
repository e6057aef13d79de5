// A falling power-up of the brick-and-paddle game: drifts down, bounces off the field's sides, and is
// caught by the paddle.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "gamelib/Animation.h"

namespace bounce {

class Bonus;
using BonusPtr = nuv::lang::DPtr<Bonus>;
using BonusArray = nuv::lang::DTypedArray<Bonus>;
using BonusArrayPtr = nuv::lang::DPtr<BonusArray>;

class Bonus : public nuv::lang::DObject {
 public:
  Bonus() = default;
  ~Bonus() override;
  const char* getClassName() const override { return "Bonus"; }

  // Kind 0 clears the slot.
  virtual void start(int32_t newKind, int32_t newX, int32_t newY);
  // The caught kind, 0 while it falls or when the slot is empty.
  virtual int32_t update(int32_t paddleLeft, int32_t paddleTop, int32_t paddleWidth, int32_t paddleHeight);
  virtual void paint();

  int32_t x = 0;
  int32_t y = 0;
  int32_t dy = 0;
  int32_t dx = 0;
  int32_t kind = 0;
  gamelib::AnimationPtr animation;
};

}  // namespace bounce
