// The tunnel game's screen in a test, on the game screens' fixture: set up through its init, stepped at the
// game's half pace, and played from the menu into a level.
#pragma once

#include <cstdint>

#include "gamelib/GameScreenFixture.h"
#include "games/burrow/BurrowGame.h"

namespace burrowtest {

class BurrowScreenFixture : public gltest::GameScreenFixture<burrow::BurrowGame, burrow::menuFlow> {
 protected:
  void SetUp() override;

  // A 60 ms play step: two library steps, of which one runs the state machine, each followed by a paint.
  void tick();
  // Fire on an entry of the shown menu, taken by the state machine.
  void choose(int32_t item);
  // From the menu into play on the given level (1 when no later level is open), past the caption and the
  // level's waiting first step.
  void playLevel(int32_t level);
  // The id of the sound started last since the last call; -1 when none.
  static int32_t takeSound();
  static int32_t state() { return burrow::gameState; }
};

}  // namespace burrowtest
