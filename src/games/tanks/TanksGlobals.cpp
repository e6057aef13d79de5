// First values and release of the tanks game's globals.
#include "games/tanks/TanksGlobals.h"

namespace tanks {

using nuv::lang::DintArray;

void initGlobals() {
  gameKey = u"tanks";
  bitTable = new nuv::lang::DintArray2d(kBitTableSize, kBitTableSize);
  for (int32_t r = 0; r < kBitTableSize; ++r) {
    for (int32_t c = 0; c < kBitTableSize; ++c)
      (*bitTable)[r][c] = static_cast<int32_t>(1u << (16 + kBitTableSize * r + c));
  }
  kindTable1 = new DintArray(kKinds, 2, 2, 4, 2, 2, 2, 4, 2);
  kindTable2 = new DintArray(kKinds, 1, 1, 1, 2, 1, 1, 1, 2);
  kindScores = new DintArray(kKinds, 1000, 1000, 1500, 2000, 1000, 1000, 1500, 2000);
}

void releaseGlobals() {
  gameKey = nullptr;
  bitTable = nullptr;
  kindTable1 = nullptr;
  kindTable2 = nullptr;
  kindScores = nullptr;
}

}  // namespace tanks
