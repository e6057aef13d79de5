// The ladders-and-bricks game's globals: its key and menu texts (given their first values at the
// application's start), and everything the screen's set-up loads, the level loader fills and play changes.
// The game keeps its state here rather than in its screen object; the set-up makes it, leave drops it, and
// the application's end lets all of it go.
#pragma once

#include <cstdint>
#include <iterator>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DcharArray.h"
#include "core/lang/DintArray2d.h"
#include "core/lang/DshortArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/HighestLevel.h"
#include "games/climber/ClimberData.h"
#include "games/climber/Runner.h"
#include "shell/lcdui/DImage.h"

namespace climber {

// Timing and score constants; times in ms. The world moves every second step of the game library, by timeStep.
inline constexpr int32_t timeStep = 2 * gamelib::GameLib::kStepMs;
inline constexpr int32_t digTime = 200;
inline constexpr int32_t holeTime = 8000;
inline constexpr int32_t trappedTime = 4000;
inline constexpr int32_t wiggleTime = 800;
inline constexpr int32_t introTime = 2000;
inline constexpr int32_t gameOverTime = 4000;
inline constexpr int32_t confusedTime = 700;
inline constexpr int32_t buriedTime = 15000;
inline constexpr int32_t reappearTime = 1000;
inline constexpr int32_t goldScore = 10;
inline constexpr int32_t enemyScore = 15;

// Values of gameState.
inline constexpr int32_t STATE_MENU = 1;
inline constexpr int32_t STATE_PLAYING = 2;
inline constexpr int32_t STATE_LEVEL_INTRO = 3;
inline constexpr int32_t STATE_GAME_OVER = 4;
inline constexpr int32_t STATE_KEY_SETUP = 5;

// Values of menuMode: what the in-game menu was last built as.
inline constexpr int32_t MENU_START = 0;
inline constexpr int32_t MENU_PAUSE = 1;
inline constexpr int32_t MENU_HELP = 3;
inline constexpr int32_t MENU_HIGH_SCORES = 4;
inline constexpr int32_t MENU_LEVELS = 5;

// Entries of the start and pause menus.
inline constexpr int32_t ITEM_START = 0;
inline constexpr int32_t ITEM_HIGH_SCORES = 1;
inline constexpr int32_t ITEM_HELP = 2;
inline constexpr int32_t ITEM_SFX_LEVEL = 3;
inline constexpr int32_t ITEM_MUSIC_LEVEL = 4;
inline constexpr int32_t ITEM_KEYS = 5;
inline constexpr int32_t ITEM_EXIT = 6;
inline constexpr int32_t kItemCount = 7;

// Sound ids: the index of each file in the list the game hands the sound service.
inline constexpr int32_t SOUND_MENU = 0;
inline constexpr int32_t SOUND_LEVEL_BEGIN = 1;
inline constexpr int32_t SOUND_WALK = 2;
inline constexpr int32_t SOUND_HAND_OVER_HAND = 3;
inline constexpr int32_t SOUND_LADDER = 4;
inline constexpr int32_t SOUND_FALL = 5;
inline constexpr int32_t SOUND_DIG = 6;
inline constexpr int32_t SOUND_HERO_DIES = 7;
inline constexpr int32_t SOUND_GUARD_BURIED = 8;
inline constexpr int32_t SOUND_HOLE_CLOSES = 9;
inline constexpr int32_t SOUND_GUARD_BACK = 10;
inline constexpr int32_t SOUND_EXIT_OPENS = 11;
inline constexpr int32_t SOUND_GOLD = 12;
inline constexpr int32_t SOUND_GAME = 13;
inline constexpr int32_t kSoundCount = 14;
static_assert(std::size(data::kSounds) == kSoundCount);
static_assert(SOUND_MENU == data::kMenuTune && SOUND_GAME == data::kGameTune);

inline constexpr int32_t kStartLives = 5;
inline constexpr int32_t kHighScoreTable = 1;
inline constexpr int32_t kHoleSlots = 50;
// Columns of a holeTable row.
inline constexpr int32_t HOLE_CELL = 0;
inline constexpr int32_t HOLE_TIME = 1;

// --- Set at the application's start, kept until its end.
inline nuv::lang::DStringPtr gameKey;
// Text keys of the in-game menu, the same as the shared standard menu's.
inline nuv::lang::DStringArrayPtr menuItemKeys;
// The shown texts of the start and pause menus, which the menu flow writes: made at the first entry into
// the game and kept across leave.
inline nuv::lang::DStringArrayPtr menuItemTexts;

// --- The screen's set-up and its menus.
inline int32_t menuMode = MENU_START;
inline int32_t previousMenuMode = MENU_START;
inline int32_t gameState = STATE_MENU;
inline int32_t levelCount = data::kLevelCount;
// The highest level started.
inline gamelib::HighestLevel openLevel{data::kGameKey};

// Pictures of the image table.
inline gamelib::GameImageArrayPtr backgrounds;
inline gamelib::GameImageArrayPtr brickImages;
inline gamelib::GameImageArrayPtr armourBrickImages;
inline gamelib::GameImageArrayPtr goldImages;
inline gamelib::GameImagePtr doorOpenImage;
inline gamelib::GameImagePtr doorClosedImage;
inline gamelib::GameImagePtr brickDisappear1;
inline gamelib::GameImagePtr brickDisappear1Mirrored;
inline gamelib::GameImagePtr brickDisappear2;
inline gamelib::GameImagePtr brickDisappear2Mirrored;
inline gamelib::GameImagePtr brickDisappear3;
inline gamelib::GameImagePtr ladderImage;
inline gamelib::GameImagePtr handrailImage;
inline gamelib::GameImagePtr heroIdleImage;
inline gamelib::GameImagePtr heroIdleMirroredImage;
inline gamelib::GameImagePtr enemyIdleImage;
inline gamelib::GameImagePtr enemyIdleMirroredImage;

// The runners' animations.
inline gamelib::AnimationPtr heroGoRight;
inline gamelib::AnimationPtr heroGoLeft;
inline gamelib::AnimationPtr heroLadder;
inline gamelib::AnimationPtr heroHandrailRight;
inline gamelib::AnimationPtr heroHandrailLeft;
inline gamelib::AnimationPtr heroFallRight;
inline gamelib::AnimationPtr heroFallLeft;
inline gamelib::AnimationPtr enemyGoRight;
inline gamelib::AnimationPtr enemyGoLeft;
inline gamelib::AnimationPtr enemyLadder;
inline gamelib::AnimationPtr enemyHandrailRight;
inline gamelib::AnimationPtr enemyHandrailLeft;
inline gamelib::AnimationPtr enemyFallRight;
inline gamelib::AnimationPtr enemyFallLeft;

// Sizes the set-up derives from the first brick and the screen: a cell, how many cells one background
// picture covers, and the back buffer (two cells more than the screen each way).
inline int32_t tileWidth = 10;
inline int32_t tileHeight = 14;
inline int32_t backgroundColumns = 1;
inline int32_t backgroundRows = 1;
inline int32_t bufferColumns = 0;
inline int32_t bufferRows = 0;
inline int32_t bufferWidth = 0;
inline int32_t bufferHeight = 0;
inline int32_t screenWidth = 0;
inline int32_t screenHeight = 0;
// The wrap-around cache of drawn cells: cell (c, r) lives at (c * tileWidth mod bufferWidth, r * tileHeight
// mod bufferHeight).
inline nuv::microedition::lcdui::DImagePtr backBuffer;

// The runners' step lengths in pixels; the first values are those of a 10 x 14 cell.
inline int32_t stepX = 3;       // the hero across
inline int32_t smallStepX = 1;  // a guard across
inline int32_t stepY = 3;       // climbing
inline int32_t fallStepY = 6;   // falling

// --- The level: its cells, runners and holes.
// One character per cell, row by row: index column + mapWidth * row.
inline nuv::lang::DcharArrayPtr cells;
inline int32_t mapWidth = 0;
inline int32_t mapHeight = 0;
inline int32_t goldLeft = 0;
inline int32_t exitCell = 0;
inline RunnerPtr hero;
// One slot per guard; slots are made on first use and kept across levels.
inline RunnerArrayPtr enemies;
inline int32_t enemyCount = 0;
// kHoleSlots rows of (cell index or -1, ms left).
inline nuv::lang::DintArray2dPtr holeTable;
// Row 0: each cell's distance in guard moves from the hero, -1 while unknown; row 1: the search frontier.
inline nuv::lang::DshortArray2dPtr distanceTable;
inline bool restartSearch = true;
inline int32_t level = 1;
// The diagonal (column + row) the shine over gold and false bricks has reached.
inline int32_t shinePosition = 0;
// The map pixel shown at the screen's top-left corner.
inline int32_t cameraX = 0;
inline int32_t cameraY = 0;

// --- Play.
inline int32_t stateTimer = 0;
// Toggled every step while playing; the world moves on the steps where it turns 0.
inline int32_t halfStep = 0;
inline int32_t lives = kStartLives;
inline int32_t score = 0;
inline bool invulnerable = false;
// The level whose file could not be played, shown instead of the game-over text; 0 for none.
inline int32_t badLevel = 0;

// What the screen's set-up makes and its leave drops.
void releaseGameObjects();

// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);
// The next number of the game library's random generator.
int32_t nextRandom();
// The cell at an index of the map.
inline char16_t cellAt(int32_t index) { return (*cells)[index]; }

}  // namespace climber
