// The maze game's screen in a test: the game library over the real game.dat at 240 x 320 with the null audio
// device, the game's in-game menu as the start makes it, a new game screen, and helpers that step, paint and
// choose.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/MenuFixture.h"
#include "games/gobbler/Gobbler.h"

namespace gobblertest {

class GobblerFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The screen's init: the game stands in its start menu.
  void startScreen();
  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  // n steps, each followed by a paint.
  void play(int n);
  // Fire on an entry of the menu's page.
  void choose(int32_t item);
  // From the start menu through the set-up page into play in that mode, past the start of the first life.
  void startPlaying(int mode);
  // The id of the sound started last; -1 when none.
  static int32_t lastSound();

  gobbler::GobblerPtr game;
};

// The text of an entry of the menu's page.
std::string item(int32_t index);
// Every entry of the page, joined by "|".
std::string items();

}  // namespace gobblertest
