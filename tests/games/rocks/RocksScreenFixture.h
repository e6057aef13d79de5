// The space-rocks game's screen in a test, on the game screens' fixture: its globals as a fresh run has
// them, play steps 60 ms apart, the way into play and the hidden level select.
#pragma once

#include "gamelib/GameScreenFixture.h"
#include "games/rocks/Rocks.h"

namespace rockstest {

class RocksScreenFixture : public gltest::GameScreenFixture<rocks::Rocks, rocks::menuFlow> {
 protected:
  void SetUp() override;

  // init: the game stands in its start menu.
  void startScreen();
  // n steps of the game library; play advances on every second one.
  void steps(int n);
  // One step of play: an update 60 ms after the last, so that play always advances.
  void playStep();
  void playSteps(int n);
  // From the start menu into play on level 1, past its intro.
  void startPlaying();
  // The hidden level select with a two-digit number, as the keys give it.
  static void selectLevel(int number);
};

}  // namespace rockstest
