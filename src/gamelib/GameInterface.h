// The contract every screen implements: the game library calls init, update once per 30 ms step, paint
// into the screen canvas's graphics, and leave before it drops the screen.
#pragma once

#include "core/lang/DObject.h"

namespace gamelib {

class GameInterface : public nuv::lang::DObject {
 public:
  const char* getClassName() const override { return "GameInterface"; }

  virtual void init() {}
  virtual void update() {}
  virtual void paint() {}
  virtual void leave() {}
  // Never called by the game library; a screen may give them a meaning of its own.
  virtual void extra1() {}
  virtual void extra2() {}
};

using GameInterfacePtr = nuv::lang::DPtr<GameInterface>;

}  // namespace gamelib
