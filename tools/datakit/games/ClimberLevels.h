// The ladders-and-bricks game's level files: written by a compiler from a readable source, and checked as
// the game will read and play them.
//
// A source "N.txt.climb" draws level N as rows of cells, all of one length: '.' empty, '#' brick, 'B' armour
// brick, '~' false brick, 'H' ladder, '-' handrail, '$' gold, 'E' the exit, 'P' the hero's start, 'A' a
// guard's start. Lines starting with ';' and blank lines are skipped. The file it makes is the width and the
// height, each a decimal line, then the rows with ' ' for empty, every line ended by CR LF.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

inline constexpr const char* kClimberSourceEnding = ".climb";

// "data/clmb/maps/1.txt" to "75.txt": every level the game may load.
std::vector<std::string> climberLevelFileNames();
bool isClimberLevelFile(const std::string& name);

// The level file of a source; a DataError names the source's line of the first fault.
Bytes compileClimberLevel(const std::string& source, const std::string& file, const std::string& target);

// A level file as the game reads it: CR LF lines, its size, rows all as long as it says, only the cells
// above, one hero, one exit, at most ten guards, some gold; and a level the hero can finish without digging,
// guards left aside: from every cell he can come to rest in he can get back to his start, and his ways (his
// falls included) pass every gold and the exit. Faults name the file's line (row r is line r + 3).
std::vector<Fault> checkClimberLevelFile(const Bytes& file);

}  // namespace datakit
