// The river-flying shooter's globals: the state of the screen, the run, the plane and the river, the
// lengths derived from the cell size, and the pictures, animations, river screens and entities the game
// loads. The game key gets its value at the application's start; the rest belongs to the game's set-up,
// and everything is let go by the game's leave or when the application ends.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/HighestLevel.h"
#include "games/canyon/Bullet.h"
#include "games/canyon/CanyonData.h"
#include "games/canyon/Entity.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace canyon {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;

// Values of gameState.
inline constexpr int32_t STATE_MENU = 0;
inline constexpr int32_t STATE_PLAYING = 1;
inline constexpr int32_t STATE_GAME_OVER = 2;
inline constexpr int32_t STATE_GAME_COMPLETE = 3;
inline constexpr int32_t STATE_GET_READY = 4;
inline constexpr int32_t STATE_KEY_SETUP = 5;
inline constexpr int32_t STATE_LEVEL_END = 6;
// Values of menuKind: the page the in-game menu shows.
inline constexpr int32_t MENU_MAIN = 0;
inline constexpr int32_t MENU_PAUSE = 1;
inline constexpr int32_t MENU_HELP = 2;
inline constexpr int32_t MENU_HIGH_SCORES = 3;
inline constexpr int32_t MENU_LEVELS = 4;
// Values of planeState.
inline constexpr int32_t PLANE_FLYING = 0;
inline constexpr int32_t PLANE_EXPLODING = 1;

// Sound ids: the index of each file in the list the game hands the sound service.
inline constexpr int32_t SOUND_MENU = 0;
inline constexpr int32_t SOUND_GAME = 1;
inline constexpr int32_t SOUND_BORN = 2;
inline constexpr int32_t SOUND_DEATH = 3;
inline constexpr int32_t SOUND_EXPLOSION = 4;
inline constexpr int32_t SOUND_BRIDGE = 5;
inline constexpr int32_t SOUND_SHOOT = 6;
inline constexpr int32_t SOUND_FUEL = 7;
inline constexpr int32_t SOUND_ENEMY_FLY = 8;
inline constexpr int32_t SOUND_ENEMY_HELI = 9;  // loaded with the others; nothing plays it
inline constexpr int32_t kSoundCount = 10;

inline constexpr int32_t kFullFuel = 2000;
inline constexpr int32_t kStartLives = 3;
inline constexpr int32_t kShotCount = 8;
// Steps after a plane starts during which nothing can crash it.
inline constexpr int32_t kInvulnerableSteps = 120;

// The screen: its state, the time the timed states count from, the menu page and the one before it.
inline int32_t gameState = STATE_MENU;
inline int64_t stateTime = 0;
inline int32_t menuKind = MENU_MAIN;
inline int32_t previousKind = MENU_MAIN;

// The game: the 0-based level, the highest level opened (1-based), the share of enemies present in the
// level, lives beside the plane in play, and the score.
inline int32_t levelIndex = 0;
inline gamelib::HighestLevel openLevel{data::kGameKey};
inline int32_t presencePercent = 10;
inline int32_t lives = kStartLives;
inline int32_t score = 0;

// The plane: world left x and top y, flying or exploding, its scroll speed, fuel, and the steps since it
// started (invulnerable for the first kInvulnerableSteps).
inline int32_t planeX = 0;
inline int32_t planeY = 0;
inline int32_t planeState = PLANE_FLYING;
inline int32_t speed = 0;
inline int32_t fuel = kFullFuel;
inline int32_t invulnerableCounter = 0;
inline bool invulnerable = false;

// The river on screen: its left edge on the display, the world y at the top of the view, the rows drawn
// into the river buffer so far, the buffer's scroll offset and its next-row position, the pixels scrolled
// since the last row was drawn, and the row a new plane starts at.
inline int32_t riverX = 0;
inline int32_t viewTop = 0;
inline int32_t rowsDrawn = 0;
inline int32_t scrollOffset = 0;
inline int32_t nextRowY = 0;
inline int32_t rowAccumulator = 0;
inline int32_t checkpointRow = 0;
// The first entity of the run list the step looks at: those before it are below the view.
inline int32_t firstIndex = 0;

// Lengths from the cell size C (the width of the first tile), set by the game's set-up.
inline int32_t cellSize = 8;
inline int32_t viewRows = 41;       // display height / C + 1
inline int32_t baseSpeed = 2;       // (C * 3) / 16 + 1; the speed runs from one below to one above
inline int32_t steerStep = 2;       // sideways pixels per step, the same
inline int32_t enemyShotStep = 4;   // (C * 4) / 8
inline int32_t playerShotStep = 6;  // (C * 6) / 8
inline int32_t riverWidth = 176;    // 22 cells
inline int32_t screenPixels = 208;  // one stored screen, 26 cells high
inline int32_t viewHeight = 328;    // V cells: the river buffer shows this much

// The stored river screens: per screen its terrain words and its objects, the objects' counts, and the
// levels as lists of screens from the bottom of the level to its top.
inline nuv::lang::DintArray2dPtr screenTerrain;
inline EntityArray2dPtr screenObjects;
inline nuv::lang::DbyteArrayPtr objectCounts;
inline nuv::lang::DintArray2dPtr levels;
// The run: the level's list of screens, its terrain (rows of 22 words, each stored right to left, from
// the bottom of the level up), its number of rows, and its entities ordered from the bottom up.
inline nuv::lang::DintArrayPtr levelList;
inline nuv::lang::DintArrayPtr levelTerrain;
inline int32_t totalRows = 0;
inline EntityArrayPtr entities;
// Tile code n is tile n.
inline gamelib::GameImageArrayPtr tiles;

// The scrolling river: V + 1 rows of terrain, drawn into by its own graphics.
inline nuv::microedition::lcdui::DImagePtr riverBuffer;
inline nuv::microedition::lcdui::DGraphicsPtr riverGraphics;

// The splash behind the menu pages (kept only while the set-up runs).
inline nuv::microedition::lcdui::DImagePtr splash;
// The side panels, the pause picture (a tap on it pauses) and the game-over picture (loaded for the
// game-over screen, null otherwise).
inline nuv::microedition::lcdui::DImagePtr panelLeft;
inline nuv::microedition::lcdui::DImagePtr panelRight;
inline nuv::microedition::lcdui::DImagePtr pausePicture;
inline nuv::microedition::lcdui::DImagePtr gameOverPicture;

// The plane and the heads-up display.
inline gamelib::GameImagePtr planeImage;
inline gamelib::GameImagePtr lifeIcon;
inline gamelib::GameImagePtr barrelImage;
inline gamelib::GameImagePtr indicatorImage;
inline gamelib::GameImagePtr shotImage;
inline gamelib::GameImagePtr enemyShotImage;
inline gamelib::AnimationPtr bankLeft;
inline gamelib::AnimationPtr bankRight;
inline gamelib::AnimationPtr airExplosion;
inline gamelib::AnimationPtr groundExplosion;
inline BulletArrayPtr shots;

// By object code: the animations of units facing left and right (twins share their twin's objects), and
// the points for destroying one.
inline gamelib::AnimationArrayPtr leftAnimations;
inline gamelib::AnimationArrayPtr rightAnimations;
inline nuv::lang::DintArrayPtr points;

// Everything the game's set-up made: its leave and the application's end let it go.
void releaseGameObjects();

// The plane's hit box: a quarter of its width and half its height, in its middle.
int32_t hitX();
int32_t hitTop();
int32_t hitWidth();
int32_t hitHeight();
// 0..99 from the game library's generator.
int32_t percentRoll();
// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);
// The plane crashes: its explosion starts and a life is gone.
void crashPlane();

}  // namespace canyon
