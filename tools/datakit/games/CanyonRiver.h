// The canyon game's river screen file, "data/cy/screens.bin": compiled from a readable source in which
// each screen is drawn as 26 rows of 22 characters, and checked as the game reads it.
//
// The source ("screens.bin.river"), one statement a line; '#' starts a comment line:
//   object B 0            a letter standing for an object code; the cell under it takes the ground of the
//                         nearest cell of its row that is no object
//   screen NAME           then 26 rows of 22 cells, the top row first
//   level NAME: A B C     the screens of a level from its start (bottom) to its end (top)
// Ground: '~' water; meadow '.' grass, 't' trees, 'h' houses, 'f' fields, 'b' bushes; canyon ':' rock,
// 'o' boulders, 'c' cacti, 'm' mesas, 'x' bones and dead trees; '=' a road and '#' a railway, both two rows
// high, on the ground of the nearest land of their row. Banks and shores are chosen from the neighbours.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

inline constexpr const char* kCanyonRiverSource = ".river";
// Cells a bridge spans, as wide as its picture: the river is this wide where a bridge crosses it.
inline constexpr int kCanyonBridgeCells = 6;
// Rows of river one tank of fuel lasts at any speed (2000 units, 16 / C units a pixel).
inline constexpr int kCanyonFuelRows = 125;

// One cell of a stored screen: its base and overlay tile codes and its object code (0xFF: none).
struct CanyonCell {
  int base = 0xFF;
  int overlay = 0xFF;
  int object = 0xFF;
};
// 22 x 26 cells, row by row from the top left.
using CanyonScreen = std::vector<CanyonCell>;

// The screen file: the screens, then each level's screens given from its start (bottom) to its end.
Bytes writeCanyonScreenFile(const std::vector<CanyonScreen>& screens, const std::vector<std::vector<int>>& levels);

// The screen file from its source; faults name the source's line.
Bytes compileCanyonRiver(const std::string& text, const std::string& file);

// What the game reads: counts, codes and lengths of the screen file.
std::vector<Fault> checkCanyonScreenFile(const Bytes& file);

// The tile code of a ground and its neighbours, as the compiler picks it; for the data's tests.
struct CanyonTileNames {
  int code;
  const char* name;
};
const std::vector<CanyonTileNames>& canyonTileNames();

}  // namespace datakit
