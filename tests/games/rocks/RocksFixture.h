// The space-rocks game's screen in a test: the game library over the real game.dat at 240 x 320 with the
// null audio device, a new game screen through its init, and helpers that step, paint and choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/rocks/Rocks.h"

namespace rockstest {

class RocksFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // init: the game stands in its start menu.
  void startScreen();
  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  // n steps of the game library; play advances on every second one.
  void steps(int n);
  // One step of play: an update 60 ms after the last, so that play always advances.
  void playStep();
  void playSteps(int n);
  void paint();
  // Fire on an entry of the in-game menu.
  void choose(int32_t item);
  // From the start menu into play on level 1, past its intro.
  void startPlaying();
  // The hidden level select with a two-digit number, as the keys give it.
  static void selectLevel(int number);
  // The text of the in-game menu's entry.
  std::string item(int32_t index) const;

  rocks::RocksPtr game;
};

}  // namespace rockstest
