// A bullet, flying two cells wide from a tank's front, or exploding where it hit; the player's array
// also carries the explosions of the bomb bonus.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace tanks {

class GBUL : public nuv::lang::DObject {
 public:
  static constexpr int32_t STATE_EXPLODING = 0;
  static constexpr int32_t STATE_FLYING = 1;
  static constexpr int32_t kLastExplosionFrame = 3;

  const char* getClassName() const override { return "GBUL"; }

  // Fired from (x, y) two cells on in the direction; a start outside the grid leaves it inactive.
  void init(int32_t startX, int32_t startY, int32_t newDirection, int32_t shooterType, bool byPlayer);
  // One step; whether it is still active.
  virtual bool step();
  // The top-left corner of the block-sized sprite, in quarters of a cell.
  virtual int32_t posX() const;
  virtual int32_t posY() const;
  void explode() { state = STATE_EXPLODING; }
  // The other cell it covers, across its path.
  int32_t sideX() const;
  int32_t sideY() const;

  bool active = false;
  bool fromPlayer = false;
  bool fresh = false;
  int32_t state = STATE_FLYING;
  int32_t explosionFrame = 0;
  int32_t power = 0;
  int32_t speed = 0;  // quarters of a cell per step
  int32_t direction = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t subX = 0;
  int32_t subY = 0;
  int32_t explosionTimer = 0;
};

using GBULPtr = nuv::lang::DPtr<GBUL>;
using GBULArray = nuv::lang::DTypedArray<GBUL>;
using GBULArrayPtr = nuv::lang::DPtr<GBULArray>;

}  // namespace tanks
