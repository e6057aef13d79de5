// The brick game's round files: the field its loader reads, and a layout that a ball can clear.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

// "data/bnc/data/round01.txt" to "round50.txt": every round the game may load.
std::vector<std::string> roundFileNames();
bool isRoundFile(const std::string& name);

// 21 rows of 11 cells, each row ending in CR LF; cells are the brick letters "abcdefghij" or '.'
// (a space also reads as empty); at least one brick that counts, and none walled in by steel.
std::vector<Fault> checkRoundFile(const Bytes& file);

}  // namespace datakit
