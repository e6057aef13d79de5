// One cell of the maze: open or wall, with at most one content (a dot, a power dot, a door or a portal), its
// pixel rectangle and the tile it is drawn with.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray.h"
#include "gamelib/GameImage.h"
#include "games/gobbler/rectangle.h"

namespace gobbler {

class CellBase : public nuv::lang::DObject {
 public:
  // Kinds.
  static constexpr int32_t OPEN = 1;
  static constexpr int32_t WALL = 2;
  // Contents.
  static constexpr int32_t EMPTY = 0;
  static constexpr int32_t PORTAL = 1;
  static constexpr int32_t DOOR = 2;
  static constexpr int32_t DOT = 3;
  static constexpr int32_t POWER_DOT = 4;

  CellBase();
  ~CellBase() override;
  const char* getClassName() const override { return "CellBase"; }

  // Draws the cell with its top-left corner at (x, y) into GameImage::graphics: in the base pass its
  // ground, tile, door or dot; in the overlay pass (only while the maze is marked dirty) the animated
  // portal or power dot. The style is the game's tileStyle, whatever is passed.
  virtual void paint(int32_t x, int32_t y, int32_t style, bool overlayPass);

  // The map's load sets both for every cell.
  int32_t kind = WALL;
  int32_t content = EMPTY;
  rectanglePtr rect;
  gamelib::GameImagePtr image;
};

using CellBasePtr = nuv::lang::DPtr<CellBase>;
using CellBaseArray = nuv::lang::DTypedArray<CellBase>;
using CellBaseArrayPtr = nuv::lang::DPtr<CellBaseArray>;

}  // namespace gobbler
