// The playfield's grid of cells and its block operations.
#include "games/tanks/Grid.h"

#include "games/tanks/TanksGlobals.h"

namespace tanks {

namespace {

int32_t& cell(int32_t x, int32_t y) { return (*grid)[y][x]; }

template <class F>
void forBlock(int32_t x, int32_t y, F f) {
  for (int32_t dy = 0; dy < kBlockCells; ++dy)
    for (int32_t dx = 0; dx < kBlockCells; ++dx) f(cell(x + dx, y + dy), dx, dy);
}

}  // namespace

void gridAlloc(int32_t w, int32_t h) {
  gridW = w;
  gridH = h;
  grid = new nuv::lang::DintArray2d(h, w);
  gridAllocated = true;
}

void gridFree() {
  grid = nullptr;
  gridAllocated = false;
}

void gridClear() {
  for (int32_t y = 0; y < gridH; ++y)
    for (int32_t x = 0; x < gridW; ++x) cell(x, y) = 0;
}

void gridOrBlock(int32_t flags, int32_t x, int32_t y) {
  forBlock(x, y, [&](int32_t& c, int32_t, int32_t) { c |= flags; });
}

void gridClearBlock(int32_t flags, int32_t x, int32_t y) {
  forBlock(x, y, [&](int32_t& c, int32_t, int32_t) { c &= ~flags; });
}

void gridClearBlockValue(int32_t flags, int32_t x, int32_t y) {
  forBlock(x, y, [&](int32_t& c, int32_t, int32_t) { c = c & ~flags & 0xFFFF; });
}

void gridSetCell(int32_t flags, int32_t value, int32_t x, int32_t y) {
  int32_t& c = cell(x, y);
  c = static_cast<int32_t>(static_cast<uint32_t>(value) << 16) | (c & 0xFFFF) | flags;
}

void gridSetBlock(int32_t flags, int32_t value, int32_t x, int32_t y) {
  forBlock(x, y, [&](int32_t& c, int32_t, int32_t) {
    c = static_cast<int32_t>(static_cast<uint32_t>(value) << 16) | (c & 0xFFFF) | flags;
  });
}

int32_t gridTestBlock(int32_t flags, int32_t x, int32_t y) {
  int32_t found = 0;
  forBlock(x, y, [&](int32_t& c, int32_t dx, int32_t dy) {
    if ((c & flags) != 0) found |= (c & flags) | (*bitTable)[dy][dx];
  });
  return found;
}

int32_t gridCell(int32_t flags, int32_t x, int32_t y) {
  int32_t c = cell(x, y);
  if ((c & flags) != flags) return -1;
  return static_cast<int16_t>(static_cast<uint32_t>(c) >> 16);
}

bool gridHas(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < gridW && y < gridH; }

bool gridHasBlock(int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x <= gridW - kBlockCells && y <= gridH - kBlockCells;
}

}  // namespace tanks
