// The passage from one level to the next: the wait after a finished level, the choice and loading of the
// next map with its tile style, what the game mode prepares on it, and the first life of the level.
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"

namespace gobbler {

namespace {

struct LevelMap {
  int32_t file;       // index into data::kMapFiles
  int32_t tileStyle;  // taken modulo the four styles when the walls are built
};

// The map of each map index and the style its walls are drawn in.
constexpr LevelMap kLevelMapTable[data::kMapCount] = {{0, 3}, {1, 1}, {2, 2}, {3, 7},  {4, 8},  {5, 5}, {6, 3},
                                                      {7, 6}, {8, 4}, {9, 9}, {10, 1}, {11, 5}, {12, 0}};

}  // namespace

bool GobblerGame::nextLevel(int32_t) {
  if (readyTimer != 0 && --readyTimer != 0) return false;
  (*levelInfo)[0] = levelNumber() + 1;
  // Levels 1 to 13 play the maps in order, and on from the first again.
  int32_t index = (levelNumber() - 1) % levelCount;
  if (index < 0) index = 0;
  if (randomLevels) index = randomPercent() % levelCount;
  if (index >= 0 && index < data::kMapCount) {
    const nuv::lang::DStringPtr file = data::kMapFiles[kLevelMapTable[index].file];
    if (!map->load(file)) {
      abandonGame(file, map->loadFailure);
      return false;
    }
    tileStyle = kLevelMapTable[index].tileStyle;
  }
  map->buildWalls();
  panelDrawn = false;
  if (gameMode == MODE_TIME) placeMovingDot();
  if (gameMode == MODE_KILL) placeChasersAtRandom();
  moveTimerMs = 0;
  elapsedMs = 0;
  placeActors();
  fruitsEaten = 0;
  return true;
}

}  // namespace gobbler
