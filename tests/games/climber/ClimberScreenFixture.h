// The ladders game's screen in a test, on the game screens' fixture over the real game.dat: its init leaves
// the game in its start menu, and the start's globals are its first values, so it adds nothing of its own.
#pragma once

#include "gamelib/GameScreenFixture.h"
#include "games/climber/Climber.h"

namespace climbertest {

class ClimberScreenFixture : public gltest::GameScreenFixture<climber::Climber, climber::menuFlow> {};

}  // namespace climbertest
