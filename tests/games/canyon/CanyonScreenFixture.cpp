// The canyon game's screen fixture.
#include "games/canyon/CanyonScreenFixture.h"

#include <gtest/gtest.h>

#include "games/canyon/CanyonGlobals.h"

namespace canyontest {

void CanyonScreenFixture::startPlaying() {
  choose(0);
  ASSERT_EQ(canyon::gameState, canyon::STATE_GET_READY);
  wait(1501);
  step();
  ASSERT_EQ(canyon::gameState, canyon::STATE_PLAYING);
}

}  // namespace canyontest
