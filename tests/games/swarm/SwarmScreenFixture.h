// The alien-formation game's screen in a test, on the game screens' fixture, with the way from the start
// menu into play.
#pragma once

#include <cstdint>

#include "gamelib/GameScreenFixture.h"
#include "games/swarm/Swarm.h"

namespace swarmtest {

class SwarmScreenFixture : public gltest::GameScreenFixture<swarm::Swarm, swarm::menuFlow> {
 protected:
  // From the start menu into play on level 1, past the wave intro.
  void startPlaying();
  static int32_t state() { return swarm::gameState; }
};

}  // namespace swarmtest
