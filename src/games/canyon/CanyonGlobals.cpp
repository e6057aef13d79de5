// First values and release of the river-flying shooter's globals.
#include "games/canyon/CanyonGlobals.h"

namespace canyon {

void initGlobals() { gameKey = u"canyon"; }

void releaseGlobals() { gameKey = nullptr; }

}  // namespace canyon
