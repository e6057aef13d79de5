// The brick-and-paddle game's screen in a test, on the game screens' fixture: the loading screen passed, a
// game started and the ball launched.
#pragma once

#include <cstdint>

#include "gamelib/GameScreenFixture.h"
#include "games/bounce/Bounce.h"

namespace bouncetest {

class BounceScreenFixture : public gltest::GameScreenFixture<bounce::Bounce, bounce::menuFlow> {
 protected:
  // init and the loading screen's least time: the game stands in its menu.
  void startScreen();
  // From the menu to play on round 1: "start", then the round intro.
  void startPlaying();
  // The ball waiting on the paddle, launched.
  void launch();
  // The state word of the game.
  static int32_t state() { return bounce::gameState; }
};

}  // namespace bouncetest
