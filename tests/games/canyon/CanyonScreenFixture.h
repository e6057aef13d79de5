// The canyon game's screen in a test, on the game screens' fixture, with the way from the start menu into
// play.
#pragma once

#include "gamelib/GameScreenFixture.h"
#include "games/canyon/CanyonGame.h"

namespace canyontest {

class CanyonScreenFixture : public gltest::GameScreenFixture<canyon::CanyonGame, canyon::menuFlow> {
 protected:
  // "start", past the get-ready screen, into play.
  void startPlaying();
};

}  // namespace canyontest
