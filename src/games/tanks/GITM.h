// An item standing on a block of the field: a wall block, a house or an obstacle, with its hit points.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace tanks {

class GITM : public nuv::lang::DObject {
 public:
  static constexpr int32_t KIND_WALL = 0;
  static constexpr int32_t KIND_HOUSE_A = 1;
  static constexpr int32_t KIND_HOUSE_B = 2;
  static constexpr int32_t KIND_OBSTACLE = 3;  // and up
  static constexpr int32_t kWallHitPoints = 8;
  static constexpr int32_t kHouseHitPoints = 3;

  const char* getClassName() const override { return "GITM"; }

  virtual void init(int32_t newKind, int32_t newX, int32_t newY);
  virtual void remove() { active = false; }
  // Damage while active; whether it still stands.
  virtual bool hit(int32_t damage);

  int32_t spare = 0;
  int32_t kind = 0;
  int32_t hitPoints = 0;
  int32_t x = 0;
  int32_t y = 0;
  bool active = false;
};

using GITMPtr = nuv::lang::DPtr<GITM>;
using GITMArray = nuv::lang::DTypedArray<GITM>;
using GITMArrayPtr = nuv::lang::DPtr<GITMArray>;

}  // namespace tanks
