// First values and release of the tanks game's globals.
#include "games/tanks/TanksGlobals.h"

#include <iterator>

#include "gamelib/TextTable.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksData.h"

namespace tanks {

using nuv::lang::DintArray;

gamelib::GameInterface* newScreen() { return new GameMain(); }

void initGlobals() {
  gameKey = data::kGameKey;
  bitTable = new nuv::lang::DintArray2d(kBitTableSize, kBitTableSize);
  for (int32_t r = 0; r < kBitTableSize; ++r) {
    for (int32_t c = 0; c < kBitTableSize; ++c)
      (*bitTable)[r][c] = static_cast<int32_t>(1u << (16 + kBitTableSize * r + c));
  }
  tankSpeeds = new DintArray(kKinds, 2, 2, 4, 2, 2, 2, 4, 2);
  tankArmour = new DintArray(kKinds, 1, 1, 1, 2, 1, 1, 1, 2);
  tankReload = new DintArray(kKinds, 1000, 1000, 1500, 2000, 1000, 1000, 1500, 2000);
  state = 0;
  paused = imagesLoaded = false;
  stageLoaded = freshGame = battleWon = battleEnded = playerHidden = false;
  playTime = 0;
  defaultTuning();
}

namespace {

// In the order of data::kTuning.
int32_t* const kTuningValues[] = {&BON_TIME_IS_ACTIVE,      &BON_TIME_FOR_TIME,  &BON_TIME_FOR_KASK,
                                  &BON_TIME_FOR_KASK_START, &BON_TIME_FOR_SPADE, &ETNK_AI_LEVEL,
                                  &ETNK_AI_PER_LEVEL,       &ETNK_AI_DISTANCE,   &ETNK_AI_DISTANCE_PER_LEVEL,
                                  &ETNK_TIME_FOR_NEW_UNIT,  &ETNK_TIME_FOR_BORN, &GAME_TIME_LAST,
                                  &EXPLODE_TIME_ANIMATION};
static_assert(std::size(kTuningValues) == std::size(data::kTuning));

}  // namespace

void defaultTuning() {
  for (size_t i = 0; i < std::size(kTuningValues); ++i) *kTuningValues[i] = data::kTuning[i].fallback;
  slideTolerance = 2;
}

void loadTuning() {
  for (size_t i = 0; i < std::size(kTuningValues); ++i)
    *kTuningValues[i] = gamelib::TextTable::getInt(data::kTuning[i].key, data::kTuning[i].fallback);
}

void releaseGlobals() {
  gameKey = nullptr;
  bitTable = nullptr;
  tankSpeeds = nullptr;
  tankArmour = nullptr;
  tankReload = nullptr;
  panelLeft = panelRight = panelBottomLeft = panelBottomMiddle = panelBottomRight = panelTop = nullptr;
  releaseUnits();
  gridFree();
}

}  // namespace tanks
