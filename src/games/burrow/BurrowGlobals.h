// The tunnel-digging game's globals: the names of its sprite frames and the earth picture, given their
// first values at the application's start and let go when it ends.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"

namespace burrow {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
inline nuv::lang::DStringPtr earthName;

// Frame names in the game's image table, in the order each animation shows them. "_mr" names the frame
// mirrored, "_up" and "_dn" turned.
inline nuv::lang::DStringArrayPtr bagFrames;
inline nuv::lang::DStringArrayPtr boltFrames;
inline nuv::lang::DStringArrayPtr cherryFrames;
inline nuv::lang::DStringArrayPtr enemyUpFrames;
inline nuv::lang::DStringArrayPtr enemySideFrames;
inline nuv::lang::DStringArrayPtr enemySideMirroredFrames;
inline nuv::lang::DStringArrayPtr enemyDieFrames;
inline nuv::lang::DStringArrayPtr enemyEatFrames;
inline nuv::lang::DStringArrayPtr enemyEatMirroredFrames;
inline nuv::lang::DStringArrayPtr enemyEatDeathFrames;
inline nuv::lang::DStringArrayPtr enemyEatDeathMirroredFrames;
inline nuv::lang::DStringArrayPtr minerFrames;
inline nuv::lang::DStringArrayPtr minerMirroredFrames;
inline nuv::lang::DStringArrayPtr minerUpFrames;
inline nuv::lang::DStringArrayPtr minerDownFrames;
inline nuv::lang::DStringArrayPtr minerDieFrames;
inline nuv::lang::DStringArrayPtr bonusFrames;
inline nuv::lang::DStringArrayPtr bonusUpFrames;
inline nuv::lang::DStringArrayPtr bonusDownFrames;

void initGlobals();
void releaseGlobals();

}  // namespace burrow
