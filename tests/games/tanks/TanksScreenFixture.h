// The tanks game's screen in a test, on the game screens' fixture: the game's globals and random numbers as
// the application's start makes them, and the screen through its init.
#pragma once

#include <cstdint>

#include "gamelib/GameScreenFixture.h"
#include "games/tanks/GameMain.h"

namespace tankstest {

class TanksScreenFixture : public gltest::GameScreenFixture<tanks::GameMain, tanks::menuFlow> {
 protected:
  void SetUp() override;
  void TearDown() override;

  static int32_t state() { return tanks::state; }
};

}  // namespace tankstest
