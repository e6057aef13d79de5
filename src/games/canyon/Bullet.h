// A shot of the player's plane: free, or flying up the river from where it was fired.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace canyon {

class Bullet : public nuv::lang::DObject {
 public:
  static constexpr int32_t STATE_FLYING = 0;
  static constexpr int32_t STATE_FREE = 2;

  const char* getClassName() const override { return "Bullet"; }

  int32_t state = STATE_FREE;
  // World position: left x and top y.
  int32_t x = 0;
  int32_t y = 0;
};

using BulletPtr = nuv::lang::DPtr<Bullet>;
using BulletArray = nuv::lang::DTypedArray<Bullet>;
using BulletArrayPtr = nuv::lang::DPtr<BulletArray>;

}  // namespace canyon
