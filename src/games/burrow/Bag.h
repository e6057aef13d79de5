// A sack of gold in the earth: it wobbles when the earth below is dug away, falls carving its way down,
// breaks into gold after a fall of two cells or more, and is pushed a cell sideways by whoever walks into
// it. The contacts (pushing, crushing, picking up gold) are decided by Level::touchBags.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"

namespace burrow {

class Bag;
using BagPtr = nuv::lang::DPtr<Bag>;
using BagArray = nuv::lang::DTypedArray<Bag>;
using BagArrayPtr = nuv::lang::DPtr<BagArray>;

class Bag : public nuv::lang::DObject {
 public:
  // Who pushed a bag last when it was the hero; monsters push with their number.
  static constexpr int32_t PUSHED_BY_HERO = 255;

  Bag();
  const char* getClassName() const override { return "Bag"; }

  // Out of the level, every timer at its start.
  virtual void reset();
  // In the level at that cell.
  virtual void place(int32_t newRow, int32_t newColumn);
  // Draws the bag and runs the phases that count paints: the wobble, the break and the gold.
  virtual void paint(bool drawIdle);
  // One play step: falling and pushing.
  virtual void update();

  int32_t x = 0;
  int32_t y = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t pushOffset = 0;
  int32_t fallOffset = 0;
  int32_t pushDirection = 0;
  int32_t wobbleTimer = 0;
  int32_t breakTimer = 0;
  int32_t fallen = 0;
  bool wobbling = false;
  bool falling = false;
  bool breaking = false;
  bool gold = false;
  bool active = false;
  int32_t pusher = 0;
  int32_t pauseSteps = 0;

 private:
  void fall();
  void land();
  void push();
};

}  // namespace burrow
