// The maze game's globals, among them its in-game menu, which the application's start makes: given their
// first values at the start and let go when the application ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameMenu.h"
#include "games/gobbler/GobblerData.h"

namespace gobbler {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Two and five numbers, zero at first; the game gives them their meaning.
inline nuv::lang::DintArrayPtr pairValues;
inline nuv::lang::DintArrayPtr fiveValues;
// Text keys of the in-game menu's entries, of the level choice and of the game modes.
inline nuv::lang::DStringArrayPtr menuItems;
inline nuv::lang::DStringArrayPtr levelItems;
inline nuv::lang::DStringArrayPtr modeItems;
// The game's in-game menu.
inline gamelib::GameMenuPtr gameMenu;

void initGlobals();
void releaseGlobals();

}  // namespace gobbler
