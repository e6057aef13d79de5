// The river-flying shooter's globals: given their first values at the application's start and let go when
// it ends.
#pragma once

#include "core/lang/DString.h"

namespace canyon {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;

void initGlobals();
void releaseGlobals();

}  // namespace canyon
