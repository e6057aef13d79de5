// The alien-formation game's globals: the tables the application's start gives their values, the pictures,
// animations and menu a visit makes, the screen-scaled sizes and speeds, and the state of play. The objects
// of the game's own classes (the screen, the formation) are globals of Swarm.h.
#pragma once

#include <cstdint>
#include <iterator>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "games/swarm/SwarmData.h"
#include "shell/lcdui/DImage.h"

namespace swarm {

// Given their values at the application's start and kept for the whole program.
// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// Text keys of the in-game menu's entries, the same as the shared standard menu's.
inline nuv::lang::DStringArrayPtr menuItemKeys;
// Aliens per formation row (row 0 at the top), aliens of each row still alive, and the points by row.
inline nuv::lang::DintArrayPtr rowLength;
inline nuv::lang::DintArrayPtr rowAlive;
inline nuv::lang::DintArrayPtr rowScore;
// Downward speed of each star layer (16.16 pixels per step) and its colour (0x00RRGGBB).
inline nuv::lang::DintArrayPtr starSpeeds;
inline nuv::lang::DintArrayPtr starColours;

// Fixed values.
inline constexpr int32_t NONE = -1;
inline constexpr int32_t RELOAD_TIME = 200;
inline constexpr int32_t SHIP_LOST_TIME = 700;
inline constexpr int32_t ALIEN_SHOT_INTERVAL = 200;
// With this many aliens left or fewer, every row may dive and returning aliens may go down again.
inline constexpr int32_t FEW_ALIENS = 3;
inline constexpr int32_t STAR_LAYERS = 3;
inline constexpr int32_t PLANET_SPEED = 120000;
inline constexpr int32_t PLANET_INTERVAL = 1000;
// 16.16 turn of a climbing alien's picture per step.
inline constexpr int32_t SPIN_STEP = 20000;
inline constexpr int32_t kShotSlots = 15;
inline constexpr int32_t kDiveCandidates = 10;

// Sound ids: the index of each file in the list the game hands the sound service.
inline constexpr int32_t SOUND_MENU = 0;
inline constexpr int32_t SOUND_GAME = 1;
inline constexpr int32_t SOUND_LEVEL_BEGIN = 2;
inline constexpr int32_t SOUND_ALIEN_BLOWN = 3;
inline constexpr int32_t SOUND_SHIP_BLOWN = 4;
inline constexpr int32_t SOUND_ALIEN_SHOOTS = 5;
inline constexpr int32_t SOUND_SHOOT = 6;
inline constexpr int32_t SOUND_ALIEN_DIVES = 7;
inline constexpr int32_t SOUND_ALIEN_RETURNS = 8;
inline constexpr int32_t SOUND_EXTRA_SHIP = 9;
inline constexpr int32_t kSoundCount = 10;
static_assert(std::size(data::kSounds) == kSoundCount);

// Made by each visit's set-up and let go when the game is left.
inline gamelib::GameImagePtr shipImage;
inline gamelib::GameImagePtr lifeImage;
inline gamelib::GameImagePtr levelImage;
inline gamelib::GameImagePtr bulletImage;
// The aliens' shots {x, y}; x = NONE marks a free slot.
inline nuv::lang::DintArray2dPtr enemyShots;
// The player's one shot {x, y}, y its top; x = NONE when there is none.
inline nuv::lang::DintArrayPtr playerShot;
// By alien kind, its sixteen direction images.
inline gamelib::GameImageArray2dPtr alienImages;
inline gamelib::AnimationPtr shipAnimation;
inline gamelib::AnimationPtr shipExplosion;
inline gamelib::AnimationPtr shotAnimation;
// Every alien runs a copy of it.
inline gamelib::AnimationPtr alienExplosion;
// By alien kind, its animation in the formation.
inline gamelib::AnimationArrayPtr alienAnimations;
// Stays null: the menu flow hands the entries' texts to the menu.
inline nuv::lang::DStringArrayPtr menuItemTexts;
// STAR_LAYERS * starsPerLayer stars {x, y} in 16.16, layer after layer.
inline nuv::lang::DintArray2dPtr stars;
inline gamelib::GameImageArrayPtr planetImages;
// The level picture, and the lost game's picture once it has come.
inline nuv::microedition::lcdui::DImagePtr backgroundImage;

// Sizes and speeds scaled from the 176 x 208 screen the game was designed on; set by the set-up.
inline int32_t screenWidth = 0;
inline int32_t screenHeight = 0;
inline int32_t flightWidth = 0;
inline int32_t flightHeight = 0;
inline int32_t shipWidth = 18;
inline int32_t shipHalfWidth = 8;
inline int32_t shipHeight = 21;
// The ship's centre x, its leftmost and rightmost centre, and its top.
inline int32_t shipX = 0;
inline int32_t shipMaxX = 0;
inline int32_t shipY = 0;
inline int32_t alienWidth = 0;
inline int32_t alienHeight = 0;
inline int32_t alienHalfWidth = 0;
inline int32_t alienHalfHeight = 0;
inline int32_t formationCellWidth = 8;
inline int32_t formationCellHeight = 8;
// An alien is hit this far inside its picture.
inline int32_t hitMargin = 0;
inline int32_t explosionHalfWidth = 0;
inline int32_t explosionHalfHeight = 0;
// Pixels per step.
inline int32_t playerShotSpeed = 0;
inline int32_t enemyShotSpeed = 0;
inline int32_t diveDescentSpeed = 0;
inline int32_t shipSpeed = 0;
inline int32_t swaySpeed = 0;
inline int32_t starsPerLayer = 0;
// Flight values, 16.16 per step.
inline int32_t climbSpeedMax = 0;
inline int32_t loopSpeedLimit = 0;
inline int32_t climbAcceleration = 0;
inline int32_t loopAcceleration = 0;
inline int32_t loopBrake = 0;
inline int32_t steerHard = 0;
inline int32_t steerSoft = 0;
inline int32_t climbSpeedX = 0;

// The state of the game (the Swarm::STATE_ values) and the time left in its timed states, in ms.
inline int32_t gameState = 0;
inline int32_t stateTimer = 0;
inline int32_t level = 1;
inline int32_t lastLevel = data::kLastLevel;
// Spare ships.
inline int32_t lives = 4;
inline int32_t score = 0;
// The kind of menu built last (Swarm::MENU_ values) and the one to go back to when a page closes.
inline int32_t menuKind = 0;
inline int32_t menuToRestore = 0;
inline bool shipExploding = false;
inline bool shipExplosionDone = false;
// Ms until the player may fire.
inline int32_t reloadTimer = 0;
// The formation's offset, its direction (0 left, 1 right) and how far it goes either way.
inline int32_t swayOffset = 0;
inline int32_t swayDirection = 0;
inline int32_t swayLimit = 0;
// Ms to the next dive, and its fixed and random parts.
inline int64_t diveTimer = 0;
inline int64_t diveDelayBase = 0;
inline int64_t diveDelayRange = 0;
// Most aliens away from the formation at once.
inline int32_t maxDivers = 1;
inline int32_t aliensLeft = 0;
inline int32_t alienShotsPerDive = 2;
// Ms until any diving alien may fire again.
inline int32_t alienShotTimer = 0;
// 16.16 vertical scroll of the level picture.
inline int32_t backgroundScroll = 0;
// The drifting planet: which, its left and top in 16.16, and ms before it moves again.
inline int32_t planetIndex = 0;
inline int32_t planetX = 0;
inline int32_t planetY = 0;
inline int32_t planetDelay = 0;
// The pen at the end of the last step, and the time of the last press seen then: a lifted pen fires.
inline bool penWasDown = false;
inline int64_t seenPressTime = 0;

// What a visit makes and its leave lets go, in the leave's order.
void releaseGameObjects();

// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);
// One draw of the game library's generator: bits 16 to 31 of its new seed.
int32_t randomBits();
// One draw of the game library's generator: its absolute value modulo n (n > 0).
int32_t randomBelow(int32_t n);

}  // namespace swarm
