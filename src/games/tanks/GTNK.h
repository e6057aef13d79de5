// A tank, the player's or an enemy's: its type, armour, speed and reload, its cell and the progress of the
// move under way, and its states (appearing, idle, moving, destroyed).
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace tanks {

// Directions of tanks, bullets and spawn rows.
inline constexpr int32_t DIR_LEFT = 0;
inline constexpr int32_t DIR_UP = 1;
inline constexpr int32_t DIR_RIGHT = 2;
inline constexpr int32_t DIR_DOWN = 3;

class GTNK : public nuv::lang::DObject {
 public:
  static constexpr int32_t STATE_APPEARING = -1;
  static constexpr int32_t STATE_IDLE = 0;
  static constexpr int32_t STATE_MOVING = 1;
  static constexpr int32_t STATE_DESTROYED = 2;
  // The animation frame offset of the second picture.
  static constexpr int32_t kSecondFrame = 4;

  const char* getClassName() const override { return "GTNK"; }

  // A fresh tank of the type (0-7); a type outside the tables throws the array-index exception.
  virtual void init(int32_t newType);
  virtual void deactivate() { alive = false; }
  virtual void place(int32_t newX, int32_t newY, int32_t newDirection);
  // Only an idle tank turns.
  virtual bool turn(int32_t newDirection);
  // One step; whether the tank is idle afterwards.
  virtual bool step();
  virtual bool setState(int32_t newState);
  virtual bool isState(int32_t s) const { return state == s; }
  // Whether the tank may fire now; if so its reload starts.
  virtual bool tryReload();
  // Position of the block's top-left corner in quarters of a cell.
  virtual int32_t posX() const { return x * 4 + (subX >> 1); }
  virtual int32_t posY() const { return y * 4 + (subY >> 1); }
  // Whether it has entered the field and is not destroyed.
  bool takesPart() const { return entered && !destroyed; }

  // Offsets of the bullet's start cell from the tank's cell, and the step of a direction.
  static int32_t _XCO(int32_t direction);
  static int32_t _YCO(int32_t direction);
  static int32_t _XMO(int32_t direction);
  static int32_t _YMO(int32_t direction);

  int32_t frame = 0;
  int32_t state = STATE_IDLE;
  int32_t type = 0;
  int32_t reload = 0;
  int32_t lives = 0;
  int32_t speed = 0;
  int32_t direction = DIR_DOWN;
  int32_t x = 0;
  int32_t y = 0;
  int32_t subX = 0;  // eighths of a cell
  int32_t subY = 0;
  bool entered = false;
  bool destroyed = false;
  int64_t stateTimer = -1;
  bool alive = false;
};

using GTNKPtr = nuv::lang::DPtr<GTNK>;
using GTNKArray = nuv::lang::DTypedArray<GTNK>;
using GTNKArrayPtr = nuv::lang::DPtr<GTNKArray>;

}  // namespace tanks
