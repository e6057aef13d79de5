// The tanks game's stage file: compiled from readable maps (one letter per block), and checked as the
// game's loader reads it.
#pragma once

#include <string>
#include <vector>

#include "CheckFiles.h"

namespace datakit {

// The source's maps into the stage file; a DataError names the source line of the first fault.
//
//   blocks 13 17          the size of every stage in blocks (once, first)
//   stage 1               then for each stage 1..20, in any order:
//   enemies 00004 00000 00040 00000   the 20 enemy types (0-7), blanks ignored
//   ...                   one row of letters per block row
//
// Letters: '.' road, ',' grass, '~' water, '_' ruin, '-' ice, ':' sand, '%' grass under cover,
// 'S' steel, 'H' and 'h' the two houses, 'o' an obstacle on road, 'O' on sand, 'P' the player's start,
// 'E' an enemy start (1 to 5), 'B' the base.
Bytes compileTankStages(const std::string& text, const std::string& file);

// One stage as map letters: its rows of blocks and its 20 enemy types as digits.
struct TankStageMap {
  std::vector<std::string> rows;
  std::string types;
};
// The stage file of these stages, stages[0] being stage 1; each row is `wide` letters. An unknown letter
// throws std::out_of_range.
Bytes writeTankStages(int wide, int high, const std::vector<TankStageMap>& stages);

// What is wrong with each record of a stage file, by stage number (1-20; record 0 is stage 20).
struct StageFault {
  int stage = 0;
  std::string message;
};
std::vector<StageFault> checkTankStages(const Bytes& file);

bool isTankStageFile(const std::string& name);
std::vector<Fault> checkTankStageFile(const Bytes& file);

}  // namespace datakit
