// The alien-formation game's screen in a test: the game library over the real game.dat at 240 x 320 with
// the null audio device, a new game screen through its init, and helpers that step, paint and choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/swarm/Swarm.h"

namespace swarmtest {

class SwarmFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  // n steps, each followed by a paint, as the frame step does when there is time.
  void play(int n);
  void paint();
  // Fire on an entry of the menu.
  void choose(int32_t item);
  // From the start menu into play on level 1, past the wave intro.
  void startPlaying();
  // The id of the sound started last; -1 when none.
  static int32_t lastSound();
  static int32_t state() { return swarm::gameState; }

  swarm::SwarmPtr game;
};

// The text of the menu's entry.
std::string item(int32_t index);

}  // namespace swarmtest
