// First values and release of the space-rocks game's globals.
#include "games/rocks/RocksGlobals.h"

namespace rocks {

void initGlobals() {
  gameKey = u"rocks";
  colours = new nuv::lang::DintArray(3, 0xAFAFAF, 0x00AFFF, 0x0000FF);
  tuning = new nuv::lang::DintArray(kTuningValues);
}

void releaseGlobals() {
  gameKey = nullptr;
  colours = nullptr;
  tuning = nullptr;
}

}  // namespace rocks
