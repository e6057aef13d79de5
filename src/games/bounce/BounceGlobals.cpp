// First values and release of the brick-and-paddle game's globals.
#include "games/bounce/BounceGlobals.h"

namespace bounce {

void initGlobals() {
  gameKey = u"bounce";
  levelLetters = u"abcdefghij";
}

void releaseGlobals() {
  gameKey = nullptr;
  levelLetters = nullptr;
}

}  // namespace bounce
