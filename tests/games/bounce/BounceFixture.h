// The brick-and-paddle game's screen in a test: the game library over the real game.dat at 240 x 320 with
// the null audio device, a new game screen through its init, and helpers that step, paint and choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/bounce/Bounce.h"

namespace bouncetest {

class BounceFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // init and the loading screen's least time: the game stands in its menu.
  void startScreen();
  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  // n steps, each followed by a paint, as the frame step does when there is time.
  void play(int n);
  void paint();
  // Fire on an entry of the in-game menu.
  void choose(int32_t item);
  // From the menu to play on round 1: "start", then the round intro.
  void startPlaying();
  // The ball waiting on the paddle, launched.
  void launch();
  // The id of the sound started last; -1 when none.
  static int32_t lastSound();
  // The state word of the game.
  static int32_t state() { return bounce::gameState; }

  bounce::BouncePtr game;
};

// The text of the in-game menu's entry.
std::string item(int32_t index);

}  // namespace bouncetest
