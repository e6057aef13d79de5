// The maze of one level: its grid and map file, the movers' cell and wall queries, and its painting.
#include "games/gobbler/MapBase.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MapRows.h"

namespace gobbler {

using nuv::lang::DStringPtr;
using namespace gamelib::api;

MapBase::MapBase(int32_t cols, int32_t rows, int32_t cellWidth, int32_t cellHeight)
    : cells(new CellBaseArray((cols + 2) * (rows + 2))),
      cols(cols),
      rows(rows),
      cellWidth(cellWidth),
      cellHeight(cellHeight) {
  for (int32_t i = 0; i < cells->length; ++i) (*cells)[i] = new CellBase();
}

MapBase::~MapBase() {
  playerStart = nullptr;
  cells = nullptr;
}

int32_t MapBase::pixelWidth() { return (cols + 2) * cellWidth - kUncountedWidth; }

int32_t MapBase::pixelHeight() { return (rows + 2) * cellHeight; }

void MapBase::releaseTiles() {
  tileImages = nullptr;
  doorImages = nullptr;
}

void MapBase::releaseStatics() {
  rPoint = nullptr;
  rPoint2 = nullptr;
  gPoint = nullptr;
  gPoint2 = nullptr;
  tileImages = nullptr;
  doorImages = nullptr;
  dotAnimation = nullptr;
  powerDotAnimation = nullptr;
  portalAnimation = nullptr;
  mazeImage = nullptr;
  mazeRebuild = false;
}

CellBasePtr MapBase::cellAt(int32_t x, int32_t y) {
  if (x < 0 || x >= cols + 2 || y < 0 || y >= rows + 2) return nullptr;
  return (*cells)[x + (cols + 2) * y];
}

CellBasePtr MapBase::cellAt(pointPtr p) { return cellAt(p->x, p->y); }

CellBasePtr MapBase::getCell(int32_t x, int32_t y) { return cellAt(x, y); }

CellBasePtr MapBase::getCell(pointPtr p) { return cellAt(p->x, p->y); }

void MapBase::readCell(int32_t x, int32_t y, int32_t byte) {
  CellBase& c = *cellAt(x, y);
  const int32_t px = x * cellWidth, py = y * cellHeight;
  switch (byte) {
    case data::kOpenCell:
      c.kind = CellBase::OPEN;
      break;
    case data::kWallCell:
      c.kind = CellBase::WALL;
      break;
    case data::kPlayerCell:
      c.kind = CellBase::OPEN;
      playerStart = new vector_3d(px, py);
      break;
    case data::kRedHomeCell:
      c.kind = CellBase::OPEN;
      rPoint = new vector_3d(px, py);
      rPoint2 = new vector_3d(px, py);
      break;
    case data::kGreenHomeCell:
      c.kind = CellBase::OPEN;
      gPoint = new vector_3d(px, py);
      gPoint2 = new vector_3d(px, py);
      break;
    case data::kPortalCell:
      c.kind = CellBase::OPEN;
      c.content = CellBase::PORTAL;
      break;
    case data::kDoorCell:
      c.kind = CellBase::OPEN;
      c.content = CellBase::DOOR;
      break;
    case data::kDotCell:
    case data::kPowerDotCell:
      // The dots count in every mode, but only the dot mode lays them out.
      c.kind = CellBase::OPEN;
      c.content = byte == data::kDotCell ? CellBase::DOT : CellBase::POWER_DOT;
      if (gameMode != GobblerGame::MODE_DOTS) c.content = CellBase::EMPTY;
      ++dotCount;
      break;
    default:
      break;
  }
}

bool MapBase::load(DStringPtr fileName) {
  dotCount = 0;
  loadFailure = nullptr;
  playerStart = nullptr;
  for (int32_t i = 0; i < cells->length; ++i) {
    (*cells)[i]->kind = CellBase::WALL;
    (*cells)[i]->content = CellBase::EMPTY;
  }
  nuv::io::DInputStreamPtr stream = GameLib::loadFile(fileName);
  if (stream.isNull()) {
    loadFailure = "the file is missing";
    return false;
  }
  gamelib::ResourceDamage::reading(fileName, [&] {
    int32_t width = cols;
    // A row too wide is refused at its end; its cells past the grid are not placed meanwhile.
    const int32_t count = readMapRows(stream, fileName, width, [&](int32_t x, int32_t y, int32_t byte) {
      if (x <= cols && y <= rows) readCell(x, y, byte);
    });
    stream->close();
    if (count != rows) {
      gamelib::ResourceDamage::refuse(fileName, ((DStringPtr(u"the map has ") + count) +
                                                 (count == 1 ? u" row" : u" rows") + u"; the maze has " + rows) +
                                                    u", measured from the first map");
    }
  });
  if (playerStart.isNull()) {
    loadFailure = "the map has no start for the player";
  } else if (rPoint.isNull() || gPoint.isNull()) {
    loadFailure = "the map has no start for the chasers";
  }
  return loadFailure == nullptr;
}

bool MapBase::containsPoint(rectanglePtr r, pointPtr p) {
  return r->left <= p->x && p->x < r->right && r->top <= p->y && p->y < r->bottom;
}

bool MapBase::rectsOverlap(rectanglePtr a, rectanglePtr b) {
  return b->left < a->right && b->top < a->bottom && a->left < b->right && a->top < b->bottom;
}

bool MapBase::hitsWall(rectanglePtr r, bool doorsBlock) {
  const int32_t c0 = std::max(r->left / cellWidth, 0), c1 = std::min(r->right / cellWidth, cols + 1);
  const int32_t r0 = std::max(r->top / cellHeight, 0), r1 = std::min(r->bottom / cellHeight, rows + 1);
  for (int32_t row = r0; row <= r1; ++row) {
    for (int32_t column = c0; column <= c1; ++column) {
      CellBase& c = *cellAt(column, row);
      const bool blocks = c.kind == CellBase::WALL || (doorsBlock && c.content == CellBase::DOOR);
      if (blocks && rectsOverlap(c.rect, r)) return true;
    }
  }
  return false;
}

void MapBase::paintCells(int32_t style, bool overlayPass) {
  GameImage::graphics = mazeImage->getGraphics();
  for (int32_t row = 0; row <= rows + 1; ++row) {
    for (int32_t column = 0; column <= cols + 1; ++column) {
      cellAt(column, row)->paint(cellWidth * column, cellHeight * row, style, overlayPass);
    }
  }
}

void MapBase::paint(int32_t x, int32_t y, int32_t style, bool overlayPass) {
  DGraphicsPtr target = GameImage::graphics;
  if (!overlayPass && mazeRebuild) {
    mazeRebuild = false;
    paintCells(style, false);
    GameImage::graphics = target;
  } else if (overlayPass && mapDirty) {
    paintCells(style, true);
    GameImage::graphics = target;
    mapDirty = false;
  }
  GameLib::graphics->drawImageOpaque(mazeImage, x, y, DGraphics::TOP_LEFT);
}

}  // namespace gobbler
