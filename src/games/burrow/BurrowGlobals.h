// The tunnel-digging game's globals: the names of its sprite frames and tiles (given their first values at
// the application's start), the state of the screen and of the level in play, the field's geometry, the
// map arrays, the shared pictures and animations, the sound ids, and the helpers every object of the game
// draws on. The game's objects of its own classes (the map, the hero, the bolt, the bags and monsters) are
// globals of BurrowGame.h.
#pragma once

#include <cstdint>
#include <iterator>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DshortArray.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/HighestLevel.h"
#include "games/burrow/BurrowData.h"
#include "shell/lcdui/DImage.h"

namespace burrow {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// The stem of the tunnel tiles of an earth set.
inline nuv::lang::DStringPtr earthName;

// Frame names in the game's image table, in the order each animation shows them (BurrowData.h).
inline nuv::lang::DStringArrayPtr tileNames;
inline nuv::lang::DStringArrayPtr bagFrames;
inline nuv::lang::DStringArrayPtr boltFrames;
inline nuv::lang::DStringArrayPtr cherryFrames;
inline nuv::lang::DStringArrayPtr enemyUpFrames;
inline nuv::lang::DStringArrayPtr enemySideFrames;
inline nuv::lang::DStringArrayPtr enemySideMirroredFrames;
inline nuv::lang::DStringArrayPtr enemyDieFrames;
inline nuv::lang::DStringArrayPtr enemyEatFrames;
inline nuv::lang::DStringArrayPtr enemyEatMirroredFrames;
inline nuv::lang::DStringArrayPtr enemyEatDeathFrames;
inline nuv::lang::DStringArrayPtr enemyEatDeathMirroredFrames;
inline nuv::lang::DStringArrayPtr minerFrames;
inline nuv::lang::DStringArrayPtr minerMirroredFrames;
inline nuv::lang::DStringArrayPtr minerUpFrames;
inline nuv::lang::DStringArrayPtr minerDownFrames;
inline nuv::lang::DStringArrayPtr minerDieFrames;
inline nuv::lang::DStringArrayPtr bonusFrames;
inline nuv::lang::DStringArrayPtr bonusUpFrames;
inline nuv::lang::DStringArrayPtr bonusDownFrames;

// Directions of every mover, the bolt and the view.
inline constexpr int32_t DIR_NONE = 0;
inline constexpr int32_t DIR_RIGHT = 1;
inline constexpr int32_t DIR_UP = 2;
inline constexpr int32_t DIR_LEFT = 3;
inline constexpr int32_t DIR_DOWN = 4;

// The screen: its state (the BurrowGame:: values), the state before the last change and the time the timed
// states count from.
inline int32_t gameState = 1;
inline int32_t previousState = 1;
inline int64_t stateTime = 0;
// Counts update calls: the state machine runs on every second one. Kept from visit to visit.
inline int32_t stepParity = 0;
// Play steps still to skip before a level moves.
inline int32_t stepDelay = 0;
inline int32_t levelNumber = 1;
// The highest level reached.
inline gamelib::HighestLevel openLevel{data::kGameKey};
inline bool gamePaused = false;
// The whole field is drawn at the next paint.
inline bool fieldDirty = false;
// The caption of the game-over state: "gameover", or the report of a level that would not load.
inline const char16_t* endCaption = u"gameover";

// The view: screen position of the field's top-left pixel, and the hero's place the step before.
inline int32_t scrollX = 0;
inline int32_t scrollY = 0;
inline int32_t homeScrollX = 0;
inline int32_t centreScrollY = 0;
inline int32_t scrollMarginX = 30;
inline int32_t scrollMarginY = 30;
inline int32_t lastScrollX = 0;
inline int32_t lastScrollY = 0;
inline int32_t lastHeroX = 0;
inline int32_t lastHeroY = 0;

// The field's geometry: cells of cellSize pixels; movers step a fifth of a cell.
inline constexpr int8_t mapCols = data::kMapCols;
inline constexpr int8_t mapRows = data::kMapRows;
inline constexpr int8_t levelsPerFile = data::kLevelsPerFile;
inline int8_t cellSize = 15;
inline int8_t moveStep = 3;

// Sizes and timings, in play steps of 60 ms or in paints where the owner says so.
inline constexpr int16_t maxBags = data::kMaxBags;
inline constexpr int16_t maxMonsters = 6;
inline constexpr int16_t levelStartDelay = 1;
inline constexpr int16_t bonusDelay = 200;
inline constexpr int16_t cherrySteps = 300;
inline constexpr int16_t bonusDuration = 200;
inline constexpr int16_t crystalRecountDelay = 30;
inline constexpr int16_t bagWobbleSteps = 32;  // paints
inline constexpr int16_t bagBreakSteps = 600;  // paints
inline constexpr int16_t bagBreakFall = 2;     // cells
inline constexpr int16_t normalPhaseSteps = 450;
inline constexpr int16_t diggingPhaseSteps = 225;
inline constexpr int16_t deathHoldSteps = 20;  // paints
inline constexpr int16_t boltRechargeBase = 5;

// Monsters still to number while they are made (each takes maxMonsters - monstersLeft).
inline int32_t monstersLeft = 0;
// The earth set of the next level to start, 1 to 4.
inline int32_t earthSet = 1;

// The level in play.
inline int32_t crystalsLeft = 0;
inline int32_t bonusSteps = 0;
inline int32_t crystalRecountSteps = 0;
inline bool cherryShown = false;
inline bool bonusActive = false;
inline int32_t monstersEaten = 0;
inline int8_t monsterLimit = 3;
inline int32_t lastLevel = data::kLastLevel;
// The hero's next paint plays the level-start sound.
inline bool levelStartSound = false;

// Cell words: five vertical and five horizontal tunnel fifths, and a content code.
inline constexpr int32_t CELL_VERTICAL = 0xF800;
inline constexpr int32_t CELL_HORIZONTAL = 0x07C0;
inline constexpr int32_t CELL_TUNNELS = 0xFFC0;
inline constexpr int32_t CELL_CONTENT = 0x000F;
inline constexpr int32_t CELL_EARTH = 0;
inline constexpr int32_t CELL_OPEN = 1;
inline constexpr int32_t CELL_BAG = 13;
inline constexpr int32_t CELL_CRYSTAL = 14;
inline constexpr int32_t CELL_EATEN = 15;

// The loaded level file's characters and its eight decoded levels, their crystal counts, the live map of the
// level in play, and the cells to redraw at the next paint, each (column << 16) | row.
inline nuv::lang::DbyteArrayPtr levelChars;
inline nuv::lang::DshortArrayPtr levelCells;
inline nuv::lang::DbyteArrayPtr crystalsPerLevel;
inline nuv::lang::DshortArrayPtr mapCells;
inline nuv::lang::DintArrayPtr dirtyCells;
inline int32_t dirtyCount = 0;

// The map's tiles by tileNames index, the cherry, and the tiles of the level's earth set.
inline gamelib::GameImageArrayPtr tileImages;
inline gamelib::GameImagePtr cherryImage;
inline gamelib::GameImagePtr earthImage;
inline gamelib::GameImagePtr altEarthImage;
inline gamelib::GameImagePtr verticalTile;
inline gamelib::GameImagePtr horizontalTile;
inline gamelib::GameImagePtr crossingTile;
inline gamelib::GameImagePtr crystalTile;

// Shared by every bag.
inline gamelib::GameImagePtr bagImage;
inline gamelib::GameImagePtr bagFallImage;
inline gamelib::GameImagePtr goldImage;
inline gamelib::AnimationPtr bagWobbleAnim;
inline gamelib::AnimationPtr bagBreakAnim;

// The hero's walk by direction, its death, and the bonus glow over it.
inline gamelib::AnimationPtr heroRightAnim;
inline gamelib::AnimationPtr heroLeftAnim;
inline gamelib::AnimationPtr heroUpAnim;
inline gamelib::AnimationPtr heroDownAnim;
inline gamelib::AnimationPtr heroDeathAnim;
inline gamelib::AnimationPtr bonusSideAnim;
inline gamelib::AnimationPtr bonusUpAnim;
inline gamelib::AnimationPtr bonusDownAnim;

// The menu flow hands the entries' texts to its menu: menuItems stays null.
inline nuv::lang::DStringArrayPtr menuItems;

// The frame around the field and the pause button; the second panels and the side ones may stay null.
inline nuv::microedition::lcdui::DImagePtr panelTopImage;
inline nuv::microedition::lcdui::DImagePtr panelTop2Image;
inline nuv::microedition::lcdui::DImagePtr panelBottomLImage;
inline nuv::microedition::lcdui::DImagePtr panelBottomCImage;
inline nuv::microedition::lcdui::DImagePtr panelBottomRImage;
inline nuv::microedition::lcdui::DImagePtr panelBottom2Image;
inline nuv::microedition::lcdui::DImagePtr panelLImage;
inline nuv::microedition::lcdui::DImagePtr panelRImage;
inline nuv::microedition::lcdui::DImagePtr pauseImage;
inline gamelib::GameImagePtr lifeIcon;

// Sound ids: the index of each file in the list the game hands the sound service.
inline constexpr int32_t SOUND_EAT = 0;
inline constexpr int32_t SOUND_CRUSH = 1;
inline constexpr int32_t SOUND_DROP_BAG = 2;
inline constexpr int32_t SOUND_BREAK_BAG = 3;
inline constexpr int32_t SOUND_HERO_DEAD = 4;
inline constexpr int32_t SOUND_BORN = 5;
inline constexpr int32_t SOUND_SHOOT = 6;
inline constexpr int32_t SOUND_MENU = 7;
inline constexpr int32_t SOUND_GAME = 8;
inline constexpr int32_t kSoundCount = 9;
static_assert(std::size(data::kSounds) == kSoundCount);
static_assert(data::kFirstMusic == SOUND_MENU);

// Everything a visit of the game screen makes, let go when it is left.
void releaseGameObjects();

// The difficulty tier of the level in play: levels 1-6 are tier 1, then one more every 7 levels, at most 10.
int32_t levelTier();
// Boxes (x, y, w, h) that overlap or only touch.
bool intersects(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w1, int32_t h1, int32_t w2, int32_t h2);
// The next number of the game library's generator, never negative.
int32_t nextRandom();
// A number from 0 to n - 1.
int32_t randomBelow(int32_t n);
// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);

}  // namespace burrow
