// The maze's wall tiles by the shape of a wall cell's 3 x 3 neighbourhood: 41 patterns, each naming the
// tile drawn for the walls that match it. The game chooses tiles with them, the data checker keeps every
// map inside them and the tile generator draws each tile from its pattern. Depends on nothing.
#pragma once

#include <cstdint>

namespace gobbler::walls {

// A neighbourhood as nine bits, bit row * 3 + column (row 0 on top, column 0 on the left) set for a wall.
using Neighbourhood = uint16_t;
inline constexpr Neighbourhood kCentre = 1u << 4;
inline constexpr int32_t kCells = 9;

// Rows top to bottom, each left to right: 'W' wall, 'O' open, '-' either.
struct Pattern {
  int32_t tile;
  const char* cells;
};

inline constexpr int32_t kPatternCount = 41;
inline constexpr Pattern kPatterns[kPatternCount] = {
    {1, "-O-WWW-O-"},  {2, "-W-OWO-W-"},  {3, "-O-OWW-O-"},  {4, "-O-OWO-W-"},  {5, "-O-WWO-O-"},  {6, "-W-OWO-O-"},
    {7, "OOOOWOOOO"},  {8, "OWOWWWOWO"},  {9, "OWOWWWOOO"},  {10, "-WOOWW-WO"}, {11, "OOOWWWOWO"}, {12, "OW-WWOOW-"},
    {13, "OW-WWO-O-"}, {14, "-WOOWW-O-"}, {15, "-O-OWW-WO"}, {16, "-O-WWOOW-"}, {17, "WW-WWO-OO"}, {18, "-WWOWWOO-"},
    {19, "OO-OWW-WW"}, {20, "-OOWWOWW-"}, {21, "WW-WWOWW-"}, {22, "WWWWWW-O-"}, {23, "-WWOWW-WW"}, {24, "-O-WWWWWW"},
    {25, "WWWWWWWWW"}, {26, "OWWWWWWWW"}, {27, "WWOWWWWWW"}, {28, "WWWWWWWWO"}, {29, "WWWWWWOWW"}, {30, "OWOWWWWWW"},
    {31, "WWOWWWWWO"}, {32, "WWWWWWOWO"}, {33, "OWWWWWOWW"}, {34, "OWWWWW-O-"}, {35, "WWOWWW-O-"}, {36, "-O-WWWWWO"},
    {37, "-O-WWWOWW"}, {38, "OW-WWOWW-"}, {39, "-WOOWW-WW"}, {40, "-WWOWW-WO"}, {41, "WW-WWOOW-"}};

// How far the neighbourhood is from the pattern: a wall the pattern draws but the maze lacks costs more
// than a wall of the maze the pattern leaves out. 0 is a match.
constexpr int32_t mismatches(const Pattern& p, Neighbourhood n) {
  int32_t cost = 0;
  for (int32_t i = 0; i < kCells; ++i) {
    const bool wall = (n >> i) & 1u;
    if (p.cells[i] == 'W' && !wall) cost += 2;
    if (p.cells[i] == 'O' && wall) cost += 1;
  }
  return cost;
}

// The tile of the pattern the neighbourhood matches; 0 when it matches none (or its centre is open).
constexpr int32_t matchingTile(Neighbourhood n) {
  if ((n & kCentre) == 0) return 0;
  for (const Pattern& p : kPatterns)
    if (mismatches(p, n) == 0) return p.tile;
  return 0;
}

// A wall is always drawn as a wall: the matching tile, else the one whose pattern is closest (the lowest
// tile number among equally close ones): a lone block with a wall on a diagonal stays a lone block.
constexpr int32_t wallTile(Neighbourhood n) {
  int32_t best = 0, bestMismatches = 2 * kCells + 1;
  for (const Pattern& p : kPatterns) {
    const int32_t m = mismatches(p, n | kCentre);
    if (m < bestMismatches) {
      best = p.tile;
      bestMismatches = m;
    }
  }
  return best;
}

// The pattern of a tile, null for the ground and numbers past the last tile.
constexpr const char* patternOf(int32_t tile) {
  for (const Pattern& p : kPatterns)
    if (p.tile == tile) return p.cells;
  return nullptr;
}

}  // namespace gobbler::walls
