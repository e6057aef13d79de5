// The live tunnel map: the fifths a mover uncovers, which ways the tunnels lead, the bags standing in it,
// the cells to redraw and how a cell is painted.
#include "games/burrow/BurrowGame.h"
#include "games/burrow/Level.h"

namespace burrow {

using gamelib::GameImagePtr;

namespace {

// A cell's five vertical fifths from the bottom up, and its five horizontal fifths from the left.
constexpr int32_t kVerticalBits[] = {0x8000, 0x4000, 0x2000, 0x1000, 0x0800};
constexpr int32_t kHorizontalBits[] = {0x0400, 0x0200, 0x0100, 0x0080, 0x0040};
// tileImages indexes of the first vertical and the first horizontal mask, and of the eaten crystal.
constexpr int32_t kFirstVerticalMask = 2;
constexpr int32_t kFirstHorizontalMask = 8;
constexpr int32_t kEatenTile = 15;

// The fifth number k (1 to 5) a move step reaches at distance d into the cell, or 0 between fifths.
int32_t fifthAt(int32_t d) {
  for (int32_t k = 1; k <= 5; ++k)
    if (d == k * moveStep) return k;
  return 0;
}

void setBits(int32_t column, int32_t row, int32_t bits) {
  if (bits == 0 || !Level::insideMap(column, row)) return;
  int16_t& cell = (*mapCells)[row * mapCols + column];
  cell = static_cast<int16_t>(cell | bits);
}

void paintMasks(int32_t word, const int32_t (&bits)[5], int32_t firstMask, int32_t x, int32_t y) {
  for (int32_t k = 0; k < 5; ++k)
    if ((word & bits[k]) != 0) (*tileImages)[firstMask + k]->paint(x, y);
}

bool has(int32_t word, int32_t mask) { return (word & mask) == mask; }

}  // namespace

bool Level::insideMap(int32_t column, int32_t row) {
  return column >= 0 && column < mapCols && row >= 0 && row < mapRows;
}

int32_t Level::cellAt(int32_t column, int32_t row) {
  return insideMap(column, row) ? (*mapCells)[row * mapCols + column] : CELL_EARTH;
}

void Level::carve(int32_t column, int32_t row, int32_t offsetX, int32_t offsetY, int32_t direction) {
  const int32_t cs = cellSize;
  switch (direction) {
    case DIR_RIGHT: {
      // The leading edge is in the cell to the right.
      const int32_t k = fifthAt(offsetX);
      setBits(column + 1, row, k > 0 ? kHorizontalBits[k - 1] : 0);
      break;
    }
    case DIR_UP: {
      const int32_t k = fifthAt(cs - offsetY);
      setBits(column, row, k > 0 ? kVerticalBits[k - 1] : 0);
      break;
    }
    case DIR_LEFT: {
      // The leading edge is the mover's own left edge: its fifth starts at the offset.
      const int32_t k = fifthAt(offsetX + moveStep);
      setBits(column, row, k > 0 ? kHorizontalBits[k - 1] : 0);
      break;
    }
    case DIR_DOWN: {
      // The leading edge is in the cell below.
      const int32_t k = fifthAt(offsetY);
      setBits(column, row + 1, k > 0 ? kVerticalBits[5 - k] : 0);
      break;
    }
    default:
      break;
  }
}

bool Level::canGoDown(int32_t column, int32_t row) {
  if (!insideMap(column, row + 1)) return false;
  const int32_t w = cellAt(column, row), n = cellAt(column, row + 1);
  return (n & 0x0800) != 0 && (has(w, 0xF000) || has(w, 0x8380));
}

bool Level::canGoUp(int32_t column, int32_t row) {
  if (!insideMap(column, row - 1)) return false;
  const int32_t w = cellAt(column, row), n = cellAt(column, row - 1);
  return (n & 0x8000) != 0 && (has(w, 0x7800) || has(w, 0x0B80));
}

bool Level::canGoLeft(int32_t column, int32_t row) {
  if (!insideMap(column - 1, row)) return false;
  const int32_t w = cellAt(column, row), n = cellAt(column - 1, row);
  return (n & 0x0040) != 0 && (has(w, 0x0780) || has(w, 0x7400));
}

bool Level::canGoRight(int32_t column, int32_t row) {
  if (!insideMap(column + 1, row)) return false;
  const int32_t w = cellAt(column, row), n = cellAt(column + 1, row);
  return (n & 0x0400) != 0 && (has(w, 0x03C0) || has(w, 0x7040));
}

bool Level::bagAt(int32_t column, int32_t row) {
  for (int32_t i = 0; i < maxBags; ++i) {
    const Bag& bag = *(*bags)[i];
    if (bag.column == column && bag.row == row && bag.active) return true;
  }
  return false;
}

bool Level::bagFallingInColumn(int32_t column) {
  for (int32_t i = 0; i < maxBags; ++i) {
    const Bag& bag = *(*bags)[i];
    if (bag.column == column && bag.falling) return true;
  }
  return false;
}

int32_t Level::countCrystals() {
  int32_t count = 0;
  for (int32_t i = 0; i < mapCells->length; ++i) count += ((*mapCells)[i] & CELL_CONTENT) == CELL_CRYSTAL ? 1 : 0;
  crystalsLeft = count;
  return count;
}

void Level::markDirty(int32_t column, int32_t row) {
  if (!insideMap(column, row)) return;
  // A list that is full asks for the whole field instead.
  if (dirtyCount >= dirtyCells->length) {
    fieldDirty = true;
    return;
  }
  (*dirtyCells)[dirtyCount++] = (column << 16) | row;
}

void Level::paintCell(int32_t word, int32_t x, int32_t y) {
  if (has(word, CELL_TUNNELS)) {
    crossingTile->paintOpaque(x, y);
    return;
  }
  if (has(word, CELL_VERTICAL)) {
    verticalTile->paintOpaque(x, y);
    paintMasks(word, kHorizontalBits, kFirstHorizontalMask, x, y);
    return;
  }
  if (has(word, CELL_HORIZONTAL)) {
    horizontalTile->paintOpaque(x, y);
    paintMasks(word, kVerticalBits, kFirstVerticalMask, x, y);
    return;
  }
  switch (word & CELL_CONTENT) {
    case CELL_EARTH:
      earthImage->paintOpaque(x, y);
      break;
    case CELL_CRYSTAL:
      crystalTile->paintOpaque(x, y);
      break;
    case CELL_EATEN:
      earthImage->paintOpaque(x, y);
      (*tileImages)[kEatenTile]->paint(x, y);
      break;
    default:
      break;
  }
  if ((word & CELL_VERTICAL) != 0) paintMasks(word, kVerticalBits, kFirstVerticalMask, x, y);
  if ((word & CELL_HORIZONTAL) != 0) paintMasks(word, kHorizontalBits, kFirstHorizontalMask, x, y);
}

void Level::paintCherry() {
  if (cherryShown) cherryImage->paint(scrollX + (mapCols - 1) * cellSize, scrollY);
}

void Level::paintDirty() {
  const int32_t cs = cellSize;
  for (int32_t i = 0; i < dirtyCount; ++i) {
    const int32_t entry = (*dirtyCells)[i];
    const int32_t column = entry >> 16, row = entry & 0xFFFF;
    paintCell(cellAt(column, row), scrollX + column * cs, scrollY + row * cs);
  }
  dirtyCount = 0;
  paintBags(true);
  paintCherry();
}

void Level::paintAll() {
  const int32_t cs = cellSize;
  for (int32_t row = 0; row < mapRows; ++row)
    for (int32_t column = 0; column < mapCols; ++column)
      paintCell(cellAt(column, row), scrollX + column * cs, scrollY + row * cs);
  paintBags(true);
  paintCherry();
}

void Level::paintBags(bool drawIdle) {
  for (int32_t i = 0; i < maxBags; ++i) (*bags)[i]->paint(drawIdle);
}

void Level::updateBags() {
  for (int32_t i = 0; i < maxBags; ++i) (*bags)[i]->update();
}

}  // namespace burrow
