// The hero's one fire bolt: it flies straight along the tunnels, stops where no tunnel goes on, kills the
// first monster in play it touches, and then recharges for longer the higher the level.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "gamelib/Animation.h"

namespace burrow {

class Firebolt;
using FireboltPtr = nuv::lang::DPtr<Firebolt>;

class Firebolt : public nuv::lang::DObject {
 public:
  Firebolt() = default;
  ~Firebolt() override;
  const char* getClassName() const override { return "Firebolt"; }

  // Ready to fire, with its flight animation; once per visit of the game screen.
  virtual void reset();
  virtual void releaseAnimations();
  // Launched from the hero's cell (x, y in field pixels) in direction d, unless it flies or recharges.
  virtual void fire(int32_t x0, int32_t y0, int32_t d);
  // One play step: the recharge, or the flight with its tunnel and hit tests.
  virtual void update();
  virtual void paint();
  // The flight ends and the recharge starts.
  virtual void stop();

  int32_t x = 0;
  int32_t y = 0;
  int32_t rechargeSteps = 0;
  int32_t direction = 0;
  bool flying = false;
  gamelib::AnimationPtr flightAnimation;
  int32_t row = 0;
  int32_t column = 0;
  int32_t offsetX = 0;
  int32_t offsetY = 0;

 private:
  // False when the bolt stopped.
  bool fly();
  void hitMonsters();
};

}  // namespace burrow
