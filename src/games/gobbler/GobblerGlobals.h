// The maze game's globals: the screen's state and menu texts, the rules' state of the running game, the
// maze and its actors, and the pictures, animations, sizes and speeds the game loads. The application's
// start gives them their first values and its end lets them go; leaving the game keeps them, so the next
// start builds a new game over them. Among them is the game's in-game menu, which the start makes.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "games/gobbler/FruitBase.h"
#include "games/gobbler/GobblerBase.h"
#include "games/gobbler/GobblerData.h"
#include "games/gobbler/MapBase.h"
#include "games/gobbler/SpookyBase.h"
#include "games/gobbler/SpriteBase.h"
#include "shell/lcdui/DImage.h"

namespace gobbler {

// --- The screen (Gobbler) ---

// Gobbler::STATE_ value: the in-game menu, play or the key set-up.
inline int32_t screenState = 0;
// Gobbler::PAGE_ value the menu shows, and the page help and tables go back to.
inline int32_t menuPage = 0;
inline int32_t previousMenuPage = 0;
// The game's step runs on the screen updates where this is 0: every second one, 60 ms apart.
inline int32_t stepToggle = 0;
// A game is paused behind the menu.
inline bool gamePaused = false;
// The set-up's choice of levels in random order instead of file order.
inline bool randomLevels = false;
// The game mode whose high-score table the table page shows.
inline int32_t shownTable = 0;
// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Text keys of the start and pause menus, of the set-up page and of the game modes, and their texts. The
// menu flow makes the start and pause menus' texts itself: menuTexts stays null.
inline nuv::lang::DStringArrayPtr menuKeys;
inline nuv::lang::DStringArrayPtr menuTexts;
inline nuv::lang::DStringArrayPtr setupKeys;
inline nuv::lang::DStringArrayPtr setupTexts;
inline nuv::lang::DStringArrayPtr modeKeys;
// The modes' texts, then "exit": the page that chooses a high-score table.
inline nuv::lang::DStringArrayPtr tableTexts;
// The maze's size in cells, measured from the first map when the screen starts.
inline int32_t mapColumns = 0;
inline int32_t mapRows = 0;
// A stylus held still steers once: the position that gave the last direction.
inline bool pointerCacheValid = false;
inline int32_t lastPointerX = -1;
inline int32_t lastPointerY = -1;
// Five numbers, zero at first; the game gives them no meaning.
inline nuv::lang::DintArrayPtr fiveValues;

// --- The running game (GobblerGame); a step is 60 ms ---

inline int32_t score = 0;
// Lives in reserve; below 0 the last one is lost.
inline int32_t lives = 0;
// GobblerGame::MODE_ value; also the high-score table's id.
inline int32_t gameMode = 0;
// Entry 0: the level number, 1 on the first level. Entry 1: cleared with every new game.
inline nuv::lang::DintArrayPtr levelInfo;
inline int32_t fruitsEaten = 0;
inline int32_t chasersEaten = 0;
// Touching a chaser does not kill (the hidden number's toggle).
inline bool invulnerable = false;
// Steps of the pause at the start of a life, and the same again for the wait after a finished level.
inline int32_t startDelay = 0;
inline int32_t readyTimer = 0;
// Steps until a fruit comes; it keeps counting below 0 while one walks.
inline int32_t fruitTimer = 0;
// Steps that still run after the last life is lost.
inline int32_t gameOverDelay = 0;
// The chasers are frightened while this is above 0.
inline int32_t frightTimer = 0;
// Time and hunt modes, in ms: play time of the level, its limit, and the time until the power dot moves.
inline int64_t elapsedMs = 0;
inline int64_t timeLimitMs = 0;
inline int64_t moveTimerMs = 0;
inline bool levelDone = false;
// The panel behind the maze is drawn once after each life or level start.
inline bool panelDrawn = false;
// Advanced every 200 ms: the phase of the maze's animated cells, which are then drawn again.
inline int32_t blinkCounter = 0;
inline int64_t lastBlinkTime = 0;
inline bool mapDirty = false;
// Screen position of the maze's top-left corner.
inline int32_t viewX = 0;
inline int32_t viewY = 0;
// The tile style (0 to 3) of the running level.
inline int32_t tileStyle = 0;

inline MapBasePtr map;
inline GobblerBasePtr player;
inline SpookyBasePtr chaser1;
inline SpookyBasePtr chaser2;
inline SpookyBasePtr chaser3;
inline SpookyBasePtr chaser4;
// While one walks.
inline FruitBasePtr fruit;
// Score pop-ups by picture index.
inline SpriteBaseArrayPtr sprites;

// --- What the game loads ---

inline nuv::microedition::lcdui::DImagePtr panelImage;
inline int32_t cellWidth = 0;
inline int32_t cellHeight = 0;
// Pixels per step (the fruit's in tenths), from the cell size.
inline int32_t playerSpeed = 3;
inline int32_t chaserReturnSpeed = 4;
inline int32_t chaserSpeed = 3;
inline int32_t chaserFrightSpeed = 2;
inline int32_t chaserKillModeSpeed = 3;
inline int32_t fruitSpeedTenths = 10;
// Four pictures per direction: right, left, up, down; the powered set while the chasers are frightened.
inline gamelib::GameImageArrayPtr playerImages;
inline gamelib::GameImageArrayPtr playerPowerImages;
inline gamelib::AnimationPtr deathAnimation;
inline gamelib::AnimationPtr changeAnimation;
// data::kChaserFrames, then empty entries.
inline gamelib::GameImageArrayPtr chaserImages;
inline gamelib::AnimationPtr cherryAnimation;
inline gamelib::AnimationPtr vineAnimation;
inline gamelib::AnimationPtr orangeAnimation;
inline gamelib::AnimationPtr plumAnimation;
inline gamelib::AnimationPtr appleAnimation;
inline gamelib::AnimationPtr pearAnimation;
inline gamelib::AnimationPtr strawberriesAnimation;
// The pop-ups' pictures by picture index.
inline gamelib::GameImageArrayPtr scoreDigitImages;

// The level number: entry 0 of levelInfo.
int32_t levelNumber();
// A number of the game library's generator made non-negative (the most negative one gives 0).
int32_t nextNonNegative();
// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);
// A line on the program's output log (nothing when there is none).
void logLine(const char16_t* text);
void logLine(nuv::lang::DStringPtr text);

}  // namespace gobbler
