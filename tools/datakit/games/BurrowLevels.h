// The tunnel-digging game's level files: written by a compiler from a readable source, and checked as the
// game will read them.
//
// A source "N.txt.tunnels" holds levels 8(N - 1) + 1 to 8N, each a line "level L" followed by 10 rows of 15
// cells: 'V' and 'H' vertical and horizontal tunnel pieces, 'S' a dug-out square, 'C' a crystal, 'B' a bag,
// '.' earth. Lines starting with '#' and blank lines are skipped. The file it makes is a 16-bit zero word
// and the eight grids, 1202 bytes, nothing between them.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

// "data/bur/data/1.txt" to "9.txt": every level file the game may load.
std::vector<std::string> tunnelLevelFileNames();
bool isTunnelLevelFile(const std::string& name);

// A fault of one level: its number within the file (0 to 7), the row (0 to 9, or -1 for the whole level).
struct LevelFault {
  int level = 0;
  int row = -1;
  std::string message;
};
// The rules every level keeps: only the cells above, at most 15 bags, a crystal to clear it by, a dug nest
// for the monsters to leave, and the hero's start cell free of bags with none right above it.
std::vector<LevelFault> checkTunnelGrids(const std::string& grids);

// The level file of a source; a DataError names the source's line. `target` is the archive name it makes.
Bytes compileTunnelLevels(const std::string& source, const std::string& file, const std::string& target);
// A level file as the game reads it.
std::vector<Fault> checkTunnelLevelFile(const Bytes& file);

}  // namespace datakit
