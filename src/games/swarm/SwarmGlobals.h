// The alien-formation game's globals: given their first values at the application's start and let go
// when it ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray.h"

namespace swarm {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Text keys of the in-game menu's entries.
inline nuv::lang::DStringArrayPtr menuItems;
// Tables of the game's rules, by stage; the game gives them their meaning.
inline nuv::lang::DintArrayPtr stageTable1;
inline nuv::lang::DintArrayPtr stageTable2;
inline nuv::lang::DintArrayPtr stageTable3;
inline nuv::lang::DintArrayPtr scoreTable;
// The three colours 0x0000FF, 0x00FFFF and 0xDFDFDF (0x00RRGGBB).
inline nuv::lang::DintArrayPtr colours;

void initGlobals();
void releaseGlobals();

}  // namespace swarm
