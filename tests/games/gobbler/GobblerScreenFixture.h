// The maze game's screen in a test, on the game screens' fixture: the way from the start menu into play.
#pragma once

#include <string>

#include "gamelib/GameScreenFixture.h"
#include "games/gobbler/Gobbler.h"

namespace gobblertest {

class GobblerScreenFixture : public gltest::GameScreenFixture<gobbler::Gobbler, gobbler::menuFlow> {
 protected:
  // The screen's init: the game stands in its start menu.
  void startScreen();
  // From the start menu through the set-up page into play in that mode, past the start of the first life.
  void startPlaying(int mode);
  // Every entry of the page, joined by "|".
  static std::string items();
};

}  // namespace gobblertest
