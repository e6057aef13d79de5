// The tanks game's globals: given their first values at the application's start and let go when it ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"

namespace tanks {

inline constexpr int32_t kBitTableSize = 4;
inline constexpr int32_t kKinds = 8;

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Entry (r, c) is the single bit 1 << (16 + 4r + c).
inline nuv::lang::DintArray2dPtr bitTable;
// Three tables of eight numbers, one per kind of enemy tank; the game gives them their meaning.
inline nuv::lang::DintArrayPtr kindTable1;
inline nuv::lang::DintArrayPtr kindTable2;
inline nuv::lang::DintArrayPtr kindScores;

void initGlobals();
void releaseGlobals();

}  // namespace tanks
