// The space-rocks game's globals: the state word and the clock of play, the screen-edge option, the level,
// the ship, the background and the star field, the scale of the game and the ship's tables. The screen
// object holds the rest (Rocks.h).
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "games/rocks/RocksData.h"
#include "games/rocks/Ship.h"
#include "shell/lcdui/DImage.h"

namespace rocks {

// The game's key: its option, high-score and key stores and its texts are named after it.
inline nuv::lang::DStringPtr gameKey;

// The state word (the Rocks::STATE_ values).
inline int32_t gameState = 0;
// The menu last built (Rocks::MENU_ values) and the one before it, where a closed page returns to.
inline int32_t menuMode = 0;
inline int32_t previousMenuMode = 0;
// The screen edge: set, objects bounce off it; clear, they leave at one side and come in at the other.
inline bool boundsOn = false;
inline int32_t level = 1;
// While set the ship loses no life; the hidden level select's number 0 toggles it.
inline bool invulnerable = false;
// Milliseconds of the last play step that ran.
inline int64_t lastStepTime = 0;

inline ShipPtr ship;
// Tiled behind play, scrolled by a quarter of the ship's motion; offsets in 16.16 fixed point.
inline nuv::microedition::lcdui::DImagePtr background;
inline int32_t backgroundX = 0;
inline int32_t backgroundY = 0;

// Three layers of stars drawn over the background, each moving against the ship at its own pace: x and y
// in 16.16 fixed point, layer L in rows L x starsPerLayer onwards.
inline nuv::lang::DintArrayPtr starColours;
inline constexpr int32_t starLayers = 3;
inline int32_t starsPerLayer = 50;
inline nuv::lang::DintArray2dPtr stars;

// Distances, speeds and counts are given for a ship 27 pixels wide and scaled by the width of its picture.
inline constexpr int32_t designShipWidth = 27;
inline int32_t shipWidth = designShipWidth;
// The impulses of the ship's thrust ramp, scaled; the last one is also the top speed.
inline nuv::lang::DintArrayPtr speedTable;
// Sines of the headings in thousandths, from 22.5 degrees up to a right angle and back.
inline nuv::lang::DintArrayPtr angleTable;

// The next number of the game library's generator.
int32_t nextRandom();
// |v|, also for the most negative int.
int64_t magnitude(int32_t v);
// Distance between two points as the game measures it: the square of the pixels, scaled by the ship.
int32_t scaledDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by);
// A design value scaled by the ship's width.
int32_t scaled(int32_t designValue);

}  // namespace rocks
