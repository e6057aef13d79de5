// The brick-and-paddle game's globals: the state word and its clock, the shared pictures and animations,
// the particle records, the sound ids, and the two helpers every object of the game draws on. The objects
// of the game's own classes (the screen, the paddle, the brick field) are globals of Bounce.h.
#pragma once

#include <cstdint>
#include <iterator>

#include "core/lang/DString.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/HighestLevel.h"
#include "games/bounce/BounceData.h"

namespace bounce {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;
// The letters the round files use for brick kinds, by kind index.
inline nuv::lang::DStringPtr levelLetters;
inline nuv::lang::DStringPtr& brickLetters = levelLetters;

// The state word (the Bounce::STATE_ values) and the time the timed states count from.
inline int32_t gameState = -1;
inline int64_t stateTime = 0;
// The highest round opened.
inline gamelib::HighestLevel openLevel{data::kGameKey, 0};
// A game is suspended under the menu.
inline bool gamePaused = false;

// Lengths, speeds and counts are designed for 14-pixel bricks and scaled by brickWidth / baseBrickWidth.
inline int32_t baseBrickWidth = 14;
inline int32_t brickWidth = 14;
// Pixels an enemy moves per unit of direction per step.
inline int32_t enemySpeed = 1;

// Particle records of kParticleFields ints each.
inline nuv::lang::DintArray2dPtr particles;
inline constexpr int32_t kParticleFields = 7;
inline constexpr int32_t PARTICLE_TYPE = 0;
inline constexpr int32_t PARTICLE_X = 1;  // 16.16 fixed point pixels
inline constexpr int32_t PARTICLE_Y = 2;
inline constexpr int32_t PARTICLE_DX = 3;
inline constexpr int32_t PARTICLE_DY = 4;
inline constexpr int32_t PARTICLE_AGE = 5;
inline constexpr int32_t PARTICLE_VARIANT = 6;
// Particle types: 0 is a free record.
inline constexpr int32_t PARTICLE_SMALL_SPARK = 1;
inline constexpr int32_t PARTICLE_SPARK = 2;
inline constexpr int32_t PARTICLE_DEBRIS = 3;

// Sound ids: the index of each file in the list the game hands the sound service.
inline constexpr int32_t SOUND_MENU = 0;
inline constexpr int32_t SOUND_GAME = 1;
inline constexpr int32_t SOUND_RESPAWN = 2;
inline constexpr int32_t SOUND_DIE = 3;
inline constexpr int32_t SOUND_BOOM = 4;
inline constexpr int32_t SOUND_HIT_BRICK = 5;
inline constexpr int32_t SOUND_HIT_PLATFORM = 6;
inline constexpr int32_t SOUND_HIT_UNDESTROY_BRICK = 7;
inline constexpr int32_t SOUND_HIT_REGEN_BRICK = 8;
inline constexpr int32_t SOUND_SHOOT = 9;
inline constexpr int32_t SOUND_HIT_WALL = 10;
inline constexpr int32_t kSoundCount = 11;
static_assert(std::size(data::kSounds) == kSoundCount);

// Pictures and animations shared by the balls, bullets, bombs, enemies and power-ups.
inline gamelib::GameImagePtr ballImage;
inline gamelib::GameImagePtr ballSmallImage;
inline gamelib::GameImagePtr ballBigImage;
inline gamelib::GameImagePtr bulletImage;
inline gamelib::GameImagePtr bombImage;
inline gamelib::AnimationPtr fireSmallAnimation;
inline gamelib::AnimationPtr fireAnimation;
inline gamelib::AnimationPtr fireBigAnimation;
// By enemy kind 0..2.
inline gamelib::AnimationArrayPtr enemyAnimations;
// By power-up kind 1..12; entry 0 stays null.
inline gamelib::AnimationArrayPtr bonusAnimations;

// The menus, the field, the paddle, the particles and the shared pictures and animations: what a game
// makes at its start and lets go when it is left.
void releaseGameObjects();

// A random number from lo to hi inclusive, from the game library's generator.
int32_t randomInRange(int32_t lo, int32_t hi);
// Starts count particles (scaled by the brick width) of a type at a pixel position in free records.
void spawnParticles(int32_t count, int32_t type, int32_t x, int32_t y, int32_t variant = 0);
// One sound by id, once; a sound that did not load plays nothing.
void playSound(int32_t id);
// An animation whose frames are the images named by the text-table value of key (names separated by ';').
gamelib::AnimationPtr loadAnimation(nuv::lang::DStringPtr key);

}  // namespace bounce
