// The ladders-and-bricks game's globals: given their first values at the application's start and let go
// when it ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"

namespace climber {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Text keys of the in-game menu's entries.
inline nuv::lang::DStringArrayPtr menuItems;

void initGlobals();
void releaseGlobals();

}  // namespace climber
