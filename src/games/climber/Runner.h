// A runner of the ladders-and-bricks game, the hero or a guard: its cell, its pixel offset from the cell's
// place, its state, and the two steps that move it and scroll the view after the hero.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace climber {

class Runner : public nuv::lang::DObject {
 public:
  // Values of state.
  static constexpr int32_t WALKING = 0;
  static constexpr int32_t FALLING = 1;
  static constexpr int32_t CLIMBING = 2;
  static constexpr int32_t HANGING = 3;
  static constexpr int32_t STANDING = 4;
  static constexpr int32_t TRAPPED = 5;
  static constexpr int32_t DIGGING = 6;
  static constexpr int32_t BURIED = 7;
  static constexpr int32_t REAPPEARING = 8;

  const char* getClassName() const override { return "Runner"; }

  // Reappearing in the middle of its cell, facing a random way; a guard until the loader says otherwise.
  virtual void reset();
  // One step of -1 (left) or +1 (right); stops in the middle of the cell before a brick.
  virtual void stepHorizontal(int32_t direction);
  // One step of -1 (up) or +1 (down), or with `falling` one step of a fall.
  virtual void stepVertical(int32_t direction, bool falling);

  // The cell at column + mapWidth * row.
  void placeAt(int32_t index);

  int32_t column = 0;
  int32_t row = 0;
  int32_t cell = 0;
  // Pixels right of and below the cell's place, within half a cell either way.
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  // -1, 0 or 1; drawn facing left while directionX is negative.
  int32_t directionX = 0;
  int32_t directionY = 0;
  // A guard's distance to the hero when it last chose a way.
  int16_t lastDistance = -1;
  int32_t state = REAPPEARING;
  // Arrived in another cell or stopped: the play loop then runs the cell's effects.
  bool cellChanged = false;
  // Counts steps; the drawing takes the animation frame from it.
  int32_t animationCounter = 0;
  // ms left in a timed state.
  int32_t timer = 0;
  bool isEnemy = false;

 private:
  // The hero's view follows the pixel column or row it moved to, redrawing the cells that come into it.
  static void followAcross(int32_t pixelColumn);
  static void followDown(int32_t pixelRow);
};

using RunnerPtr = nuv::lang::DPtr<Runner>;
using RunnerArray = nuv::lang::DTypedArray<Runner>;
using RunnerArrayPtr = nuv::lang::DPtr<RunnerArray>;

}  // namespace climber
