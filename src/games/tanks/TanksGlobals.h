// The tanks game's globals: given their first values at the application's start and let go when it ends.
// The front end's states and menus, the panels, the tuning values, the flags of the battle, the play clock
// and the game's units and sprites live here; the grid is in Grid.h.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "games/tanks/TanksData.h"
#include "shell/lcdui/DImage.h"

namespace tanks {

inline constexpr int32_t kBitTableSize = 4;
inline constexpr int32_t kKinds = 8;

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Entry (r, c) is the single bit 1 << (16 + 4r + c): which cell of a block a test met.
inline nuv::lang::DintArray2dPtr bitTable;
// By tank type: speed in eighths of a cell per step, armour (hits it takes), reload time in ms.
inline nuv::lang::DintArrayPtr tankSpeeds;
inline nuv::lang::DintArrayPtr tankArmour;
inline nuv::lang::DintArrayPtr tankReload;

// The front end's state (GameMain::STATE_ values).
inline int32_t state = 0;
// A stage in play is interrupted by the pause menu or one of its pages.
inline bool paused = false;
inline bool imagesLoaded = false;

inline nuv::microedition::lcdui::DImagePtr panelLeft;
inline nuv::microedition::lcdui::DImagePtr panelRight;
inline nuv::microedition::lcdui::DImagePtr panelBottomLeft;
inline nuv::microedition::lcdui::DImagePtr panelBottomMiddle;
inline nuv::microedition::lcdui::DImagePtr panelBottomRight;
inline nuv::microedition::lcdui::DImagePtr panelTop;

// Tuning values from the text table (ms unless said otherwise).
inline int32_t BON_TIME_IS_ACTIVE = 40000;
inline int32_t BON_TIME_FOR_TIME = 10000;
inline int32_t BON_TIME_FOR_KASK = 10000;
inline int32_t BON_TIME_FOR_KASK_START = 3000;
inline int32_t BON_TIME_FOR_SPADE = 30000;
inline int32_t ETNK_AI_LEVEL = 24;
inline int32_t ETNK_AI_PER_LEVEL = 4;
inline int32_t ETNK_AI_DISTANCE = 12;  // cells
inline int32_t ETNK_AI_DISTANCE_PER_LEVEL = 1;
inline int32_t ETNK_TIME_FOR_NEW_UNIT = 5000;
inline int32_t ETNK_TIME_FOR_BORN = 3000;
inline int32_t GAME_TIME_LAST = 5000;
inline int32_t EXPLODE_TIME_ANIMATION = 120;
// Cells a tank may slide sideways round a corner, halved.
inline int32_t slideTolerance = 2;

// The battle.
inline bool stageLoaded = false;
inline bool freshGame = false;
inline bool battleWon = false;
inline bool battleEnded = false;
inline bool playerHidden = false;
// Ms since the stage was loaded, by steps.
inline int64_t playTime = 0;

// Sizes from the sprites: a block in pixels, a cell (a quarter block), and bullet speeds in quarter cells.
inline int32_t blockSize = 16;
inline int32_t cellSize = 4;
inline int32_t slowBullet = 2;
inline int32_t fastBullet = 4;

// The tuning values back to the ones the game runs on without a text table.
void defaultTuning();
// The tuning values from the text table; a missing key keeps the value the game runs on without one.
void loadTuning();

}  // namespace tanks
