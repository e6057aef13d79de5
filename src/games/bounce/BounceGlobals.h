// The brick-and-paddle game's globals: given their first values at the application's start and let go
// when it ends.
#pragma once

#include "core/lang/DString.h"

namespace bounce {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// The letters the round files use for brick kinds.
inline nuv::lang::DStringPtr levelLetters;

void initGlobals();
void releaseGlobals();

}  // namespace bounce
