// The maze of one level: a grid of cells read from a map file, with a border of wall cells on every side,
// where the player and the chasers start, the dots left, the cell and wall queries of the movers, and the
// cached picture the maze is drawn from. The wall tiles and the picture are made in MapTiles.cpp.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "games/gobbler/CellBase.h"
#include "games/gobbler/point.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"
#include "shell/lcdui/DImage.h"

namespace gobbler {

class MapBase : public nuv::lang::DObject {
 public:
  // The maze picture is this much wider than the width the view is centred by.
  static constexpr int32_t kUncountedWidth = 14;

  // (cols + 2) x (rows + 2) new cells: the map and its border.
  MapBase(int32_t cols, int32_t rows, int32_t cellWidth, int32_t cellHeight);
  ~MapBase() override;
  const char* getClassName() const override { return "MapBase"; }

  virtual int32_t pixelWidth();
  virtual int32_t pixelHeight();
  // Lets the tile and door pictures go.
  virtual void releaseTiles();
  // The cell at column x, row y of the bordered grid; null outside it. The point is in cells.
  virtual CellBasePtr cellAt(pointPtr p);
  virtual CellBasePtr cellAt(int32_t x, int32_t y);
  virtual CellBasePtr getCell(pointPtr p);
  virtual CellBasePtr getCell(int32_t x, int32_t y);
  // The maze with its top-left corner at screen pixel (x, y): the base pass redraws the picture whole after
  // buildWalls, the overlay pass its animated cells when the blink counter has moved; both show it.
  virtual void paint(int32_t x, int32_t y, int32_t style, bool overlayPass);
  // Every cell's rectangle and tile from its neighbourhood, and a new maze picture (MapTiles.cpp).
  virtual void buildWalls();
  // Reads a map file into the grid. False, with the reason in loadFailure, when the file is missing or
  // names no start for the player (or, on the first map, for the chasers): a game cannot be played in it.
  // A damaged file, one whose lines the game cannot read (readMapRows) or one of another size than the
  // first map, is reported (ResourceDamage).
  virtual bool load(nuv::lang::DStringPtr fileName);
  virtual bool containsPoint(rectanglePtr r, pointPtr p);
  // Rectangles that only touch along an edge do not overlap.
  virtual bool rectsOverlap(rectanglePtr a, rectanglePtr b);
  // Whether the pixel rectangle overlaps a wall cell or, when doorsBlock, a door.
  virtual bool hitsWall(rectanglePtr r, bool doorsBlock);

  CellBaseArrayPtr cells;
  int32_t cols;
  int32_t rows;
  int32_t cellWidth;
  int32_t cellHeight;
  vector_3dPtr playerStart;
  // Dots and power dots read from the file; the player's eating lowers it.
  int32_t dotCount = 0;
  const char* loadFailure = nullptr;

  // One set for the whole game, kept across maps: the chasers' start points ('r' twice and 'g' twice),
  // the tiles by number and style (a fifth style column stays empty), the doors by style, the cell
  // animations, and the cached maze picture with its flag to be redrawn whole.
  static inline vector_3dPtr rPoint;
  static inline vector_3dPtr rPoint2;
  static inline vector_3dPtr gPoint;
  static inline vector_3dPtr gPoint2;
  static inline gamelib::GameImageArray2dPtr tileImages;
  static inline gamelib::GameImageArrayPtr doorImages;
  static inline gamelib::AnimationPtr dotAnimation;
  static inline gamelib::AnimationPtr powerDotAnimation;
  static inline gamelib::AnimationPtr portalAnimation;
  static inline nuv::microedition::lcdui::DImagePtr mazeImage;
  static inline bool mazeRebuild = false;
  // The class statics let go.
  static void releaseStatics();

 private:
  // One cell byte of the file at column x, row y.
  void readCell(int32_t x, int32_t y, int32_t byte);
  // The maze picture in one pass, cell by cell.
  void paintCells(int32_t style, bool overlayPass);
};

using MapBasePtr = nuv::lang::DPtr<MapBase>;

// The tiles of the four styles, their doors and the cell animations into MapBase's statics; failures are
// logged ("Can't initialize_map") and what loaded stays.
void initialize_map();

}  // namespace gobbler
