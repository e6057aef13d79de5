// The maze game's map files: the grid its loader reads, and a maze that can be played and drawn.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

// "data/gob/maps/map00.txt" to "map12.txt": every map the game may load.
std::vector<std::string> mapFileNames();
bool isMapFile(const std::string& name);

// Rows of cell bytes ("01prg*#.o") of the game's size, CR LF between them (line ends and blank lines after
// the last add no row); one 'p', 'r' and 'g'; portals in pairs on one row or column, entered only along it;
// a house whose door lets the chasers out; dots, every one of them within the player's reach; and walls
// whose every neighbourhood has a tile.
std::vector<Fault> checkMapFile(const Bytes& file);

}  // namespace datakit
