// The playfield's grid of cells: a flag half (terrain, cover, base, bonus, tank, item) and a value half
// (the index of the tank or item on the cell), with the block operations on the 4 x 4 cells whose
// top-left cell is (x, y). Every cell access outside the grid throws the array-index exception.
#pragma once

#include <cstdint>

#include "core/lang/DintArray2d.h"

namespace tanks {

// Flags of a cell.
inline constexpr int32_t CELL_GRASS = 0x0001;
inline constexpr int32_t CELL_WATER = 0x0002;
inline constexpr int32_t CELL_RUIN = 0x0004;
inline constexpr int32_t CELL_ICE = 0x0008;
inline constexpr int32_t CELL_SAND = 0x0010;
inline constexpr int32_t CELL_TERRAIN = 0x001F;
inline constexpr int32_t CELL_COVER = 0x0020;
inline constexpr int32_t CELL_BASE = 0x0040;
inline constexpr int32_t CELL_BONUS = 0x0100;
inline constexpr int32_t CELL_TANK = 0x2000;
inline constexpr int32_t CELL_ITEM = 0x8000;
// A tank may not move into, nor a new enemy appear on, a block holding any of these.
inline constexpr int32_t CELL_BLOCKS_TANK = 0xA042;
// These stop a bullet.
inline constexpr int32_t CELL_STOPS_BULLET = 0xA040;
inline constexpr int32_t kBlockCells = 4;

inline int32_t gridW = 0;
inline int32_t gridH = 0;
inline bool gridAllocated = false;
// Rows of cells: grid[y][x].
inline nuv::lang::DintArray2dPtr grid;

void gridAlloc(int32_t w, int32_t h);
void gridFree();
void gridClear();
void gridOrBlock(int32_t flags, int32_t x, int32_t y);
void gridClearBlock(int32_t flags, int32_t x, int32_t y);
// The flags and the whole value half cleared.
void gridClearBlockValue(int32_t flags, int32_t x, int32_t y);
// The value replaced, the flags added, the other flags kept.
void gridSetCell(int32_t flags, int32_t value, int32_t x, int32_t y);
void gridSetBlock(int32_t flags, int32_t value, int32_t x, int32_t y);
// 0 when no cell of the block has any of the flags; else the flags met in the low half and, in the high
// half, the position bits of the cells that met them.
int32_t gridTestBlock(int32_t flags, int32_t x, int32_t y);
// -1 unless the cell has all the flags; else its value as a signed 16-bit number.
int32_t gridCell(int32_t flags, int32_t x, int32_t y);
// Whether (x, y) is a cell of the grid.
bool gridHas(int32_t x, int32_t y);
// Whether the block at (x, y) lies wholly inside the grid.
bool gridHasBlock(int32_t x, int32_t y);

}  // namespace tanks
