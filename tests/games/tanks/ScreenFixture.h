// The tanks game's screen in a test: the game library over the real game.dat at 240 x 320 with the null
// audio device, a new game screen through its init, and helpers that step, paint and choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/tanks/GameMain.h"

namespace tankstest {

class ScreenFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  void play(int n);
  // Fire on an entry of the menu showing.
  void choose(int32_t item);
  // The text of the main menu's entry.
  static std::string item(int32_t index);
  static int32_t state() { return tanks::state; }

  tanks::GameMainPtr game;
};

}  // namespace tankstest
