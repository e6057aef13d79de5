// The alien-formation game's screen fixture.
#include "games/swarm/SwarmScreenFixture.h"

#include "games/swarm/SwarmGlobals.h"

namespace swarmtest {

void SwarmScreenFixture::startPlaying() {
  choose(swarm::Swarm::ITEM_START);
  swarm::stateTimer = 0;
  step();
  // No dive unless a test asks for one.
  swarm::diveTimer = 1 << 30;
}

}  // namespace swarmtest
