// The tunnel game's screen in a test: the game library over the real game.dat at 240 x 320 with the null
// audio device, a new game screen through its init, and helpers that step, paint and choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/burrow/BurrowGame.h"

namespace burrowtest {

class BurrowScreen : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One 30 ms step of the game library: the clock moves, one queued key is taken, update runs.
  void step();
  // A 60 ms play step: two library steps, of which one runs the state machine, each followed by a paint.
  void tick();
  void paint();
  // Fire on an entry of the shown menu, taken by the state machine.
  void choose(int32_t item);
  // From the menu into play on the given level (1 when no later level is open), past the caption and the
  // level's waiting first step.
  void playLevel(int32_t level);
  // The id of the sound started last since the last call; -1 when none.
  static int32_t takeSound();
  static int32_t state() { return burrow::gameState; }

  burrow::BurrowGamePtr game;
};

// The text of the in-game menu's entry.
std::string item(int32_t index);

}  // namespace burrowtest
