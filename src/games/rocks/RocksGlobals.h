// The space-rocks game's globals: given their first values at the application's start and let go when
// it ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DintArray.h"

namespace rocks {

inline constexpr int32_t kTuningValues = 8;

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// The three colours 0xAFAFAF, 0x00AFFF and 0x0000FF (0x00RRGGBB).
inline nuv::lang::DintArrayPtr colours;
// Eight tuning values; the game gives them their values.
inline nuv::lang::DintArrayPtr tuning;

void initGlobals();
void releaseGlobals();

}  // namespace rocks
