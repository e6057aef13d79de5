// The river: the stored screens read from the river screen file, a level's terrain built from them, the
// water and bank tests, and the river buffer that scrolls by drawing itself one row higher and adds one
// new row of tiles per row of scrolling.
#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"
#include "games/canyon/CanyonGame.h"

namespace canyon {

using namespace gamelib::api;

namespace {

constexpr int32_t kColumns = data::kColumns;
constexpr int32_t kCells = data::kCellsPerScreen;

int32_t baseTile(int32_t terrain) { return terrain & 0xFF; }
int32_t overlayTile(int32_t terrain) { return (terrain >> 8) & 0xFF; }

// Rows are drawn with the buffer as the current drawing target, which is the screen's again afterwards.
class DrawingIntoBuffer {
 public:
  DrawingIntoBuffer() { GameImage::graphics = riverGraphics; }
  ~DrawingIntoBuffer() { GameImage::graphics = GameLib::graphics; }
  DrawingIntoBuffer(const DrawingIntoBuffer&) = delete;
  DrawingIntoBuffer& operator=(const DrawingIntoBuffer&) = delete;
};

void buildTiles() {
  DStringArrayPtr names = TextTable::split(TextTable::getString(data::kTiles), u';');
  GameImageArrayPtr list = new GameImageArray(names->length);
  for (int32_t i = 0; i < names->length; ++i) (*list)[i] = GameImage::create((*names)[i]);
  tiles = list;
}

}  // namespace

void CanyonGame::loadScreens() {
  if (tiles.isNull()) buildTiles();
  if (!screenTerrain.isNull()) return;
  nuv::io::DInputStreamPtr file = GameLib::loadFile(data::kScreenFile);
  if (file.isNull()) gamelib::ResourceDamage::refuseMissing(data::kScreenFile);
  // Every value is checked as it is read: a file that names what is not there is refused, by name.
  auto refuse = [](const char16_t* why) { gamelib::ResourceDamage::refuse(data::kScreenFile, why); };
  auto checkTile = [&](int32_t code) {
    if (code == data::kNoTile) return;
    if (code >= tiles->length) refuse(u"a tile code names no tile");
    // The list names it, the image table lacks it: both named, either may be the damaged one.
    if ((*tiles)[code].isNull()) {
      DStringPtr name = (*TextTable::split(TextTable::getString(data::kTiles), u';'))[code];
      refuse(((DStringPtr(u"its tile ") + code) + u", \"" + name + u"\", is not in " + GameImage::tableName)->chars());
    }
  };
  gamelib::ResourceDamage::reading(data::kScreenFile, [&] {
    nuv::io::DDataInputStreamPtr in = new nuv::io::DDataInputStream(file);
    // Published only once the whole file is read: a short or broken file leaves nothing half loaded.
    const int32_t count = in->readByte();
    if (count < 0) refuse(u"a negative screen count");
    DintArray2dPtr terrain = new DintArray2d(count, kCells);
    EntityArray2dPtr objects = new EntityArray2d(count, data::kObjectsPerScreen);
    nuv::lang::DbyteArrayPtr counts = new nuv::lang::DbyteArray(count);
    for (int32_t i = 0; i < count; ++i) {
      DintArray& words = *(*terrain)[i];
      EntityArray& found = *(*objects)[i];
      int32_t x = 0, y = 0, k = 0;
      for (int32_t cell = 0; cell < kCells; ++cell) {
        const int32_t low = in->readUnsignedByte();
        const int32_t high = in->readUnsignedByte();
        const int32_t code = in->readUnsignedByte();
        checkTile(low);
        checkTile(high);
        words[cell] = low + high * 256;
        if (code != data::kNoTile) {
          if (code >= data::kEntityCodes) refuse(u"an object code no unit has");
          if (k == data::kObjectsPerScreen) refuse(u"a screen with too many objects");
          EntityPtr entity = new Entity(code, x, y, i);
          entity->onRoad = high >= data::kRoadFirst && high <= data::kRoadLast;
          found[k] = entity;
          ++k;
        }
        x += cellSize;
        if (x == riverWidth) {
          x = 0;
          y += cellSize;
        }
      }
      (*counts)[i] = static_cast<int8_t>(k);
    }
    const int32_t levelCount = in->readByte();
    if (levelCount < 1) refuse(u"no level");
    DintArray2dPtr lists = new DintArray2d(levelCount);
    for (int32_t l = 0; l < levelCount; ++l) {
      const int32_t n = in->readByte();
      // The river buffer shows viewRows rows and keeps one more.
      if (n < 0 || int64_t{n} * data::kRowsPerScreen < viewRows + 1) refuse(u"a level shorter than the screen");
      DintArrayPtr list = new DintArray(n);
      // Stored from the level's top to its bottom: entry 0 is the bottom screen.
      for (int32_t j = n - 1; j >= 0; --j) {
        const int32_t screen = in->readByte();
        if (screen < 0 || screen >= count) refuse(u"a level names a screen the file lacks");
        (*list)[j] = screen;
      }
      (*lists)[l] = list;
    }
    in->close();
    screenTerrain = terrain;
    screenObjects = objects;
    objectCounts = counts;
    levels = lists;
  });
}

void CanyonGame::buildLevel() {
  DintArrayPtr list = (*levels)[levelIndex];
  const int32_t n = list->length;
  DintArrayPtr terrain = new DintArray(kCells * n);
  for (int32_t j = 0; j < n; ++j) {
    // Bottom row first, each row right to left.
    const DintArray& screen = *(*screenTerrain)[(*list)[j]];
    int32_t* out = terrain->data() + static_cast<ptrdiff_t>(j) * kCells;
    for (int32_t m = 0; m < kCells; ++m) out[m] = screen[kCells - 1 - m];
  }
  levelList = list;
  levelTerrain = terrain;
  totalRows = data::kRowsPerScreen * n;
}

int32_t CanyonGame::terrainAt(int32_t column, int32_t row) {
  // The rows run on into each other, so a column beside the river would read the next row's cell.
  if (column < 0 || column >= kColumns || row < 0 || row >= totalRows) {
    nuv::lang::throwException(ExceptionCode::ArrayIndexOutOfBoundsException);
  }
  return (*levelTerrain)[row * kColumns + (kColumns - 1 - column)];
}

bool CanyonGame::isWater(int32_t terrain) {
  const int32_t base = baseTile(terrain);
  return base >= data::kWaterFirst && base <= data::kWaterLast;
}

bool CanyonGame::touchesBank(int32_t x, int32_t y, int32_t w, int32_t h) {
  const int32_t c = cellSize;
  const int32_t left = x / c, right = (x + w - 1) / c, top = y / c, bottom = (y - h + 1) / c;
  return !isWater(terrainAt(left, top)) || !isWater(terrainAt(right, top)) || !isWater(terrainAt(left, bottom)) ||
         !isWater(terrainAt(right, bottom));
}

void CanyonGame::drawRows(int32_t x, int32_t y, int32_t row, int32_t count) {
  const GameImageArray& list = *tiles;
  for (int32_t r = row - 1; r >= row - count; --r) {
    for (int32_t column = 0; column < kColumns; ++column) {
      const int32_t terrain = terrainAt(column, r);
      if (baseTile(terrain) != data::kNoTile) list[baseTile(terrain)]->paintOpaque(x, y);
      if (overlayTile(terrain) != data::kNoTile) list[overlayTile(terrain)]->paint(x, y);
      x += cellSize;
      if (x == riverWidth) {
        x = 0;
        y += cellSize;
      }
    }
  }
}

void CanyonGame::placeRiver(int32_t row) {
  DrawingIntoBuffer target;
  rowsDrawn = row;
  drawRows(0, 0, row, viewRows);
  rowsDrawn = row + 1;
  nextRowY = viewHeight;
  // The row above the view waits in the buffer's spare row at the bottom.
  drawRows(0, viewHeight, row + 1, 1);
  scrollOffset = 0;
  rowAccumulator = 0;
}

bool CanyonGame::scrollRiver() {
  DrawingIntoBuffer target;
  if (scrollOffset >= viewHeight) {
    scrollOffset -= viewHeight;
    // Every row one row higher; the spare row at the bottom keeps its pixels until the next row lands there.
    riverGraphics->drawImageOpaque(riverBuffer, 0, -cellSize, 0);
    rowAccumulator -= cellSize;
    rowsDrawn += 1;
    if (rowsDrawn >= totalRows) return false;
    nextRowY = viewHeight;
    drawRows(0, viewHeight, rowsDrawn, 1);
  }
  if (rowAccumulator >= cellSize) {
    rowsDrawn += 1;
    rowAccumulator -= cellSize;
    if (rowsDrawn >= totalRows) return false;
    nextRowY -= cellSize;
    drawRows(0, nextRowY, rowsDrawn, 1);
  }
  return true;
}

void CanyonGame::showRiver(DGraphics& g) {
  g.setClip(riverX, 0, riverWidth, viewHeight);
  g.drawImageOpaque(riverBuffer, riverX, scrollOffset, 0);
  // The rows that have come in at the top are the buffer's lower rows, shown once more above.
  if (scrollOffset > 0) g.drawImageOpaque(riverBuffer, riverX, scrollOffset - cellSize - viewHeight, 0);
}

}  // namespace canyon
