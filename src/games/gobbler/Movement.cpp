// The movement the maze's figures share.
#include "games/gobbler/Movement.h"

#include "games/gobbler/GobblerGlobals.h"

namespace gobbler::movement {

void place(vector_3d& position, rectangle& bounds, int32_t x, int32_t y) {
  position.set(x, y);
  bounds.set(x, y, x + cellWidth, y + cellHeight);
}

void cellUnderCentre(const vector_3d& position, point& cell) {
  cell.set((position.x + (cellWidth >> 1)) / cellWidth, (position.y + (cellHeight >> 1)) / cellHeight);
}

bool slide(MapBase& map, vector_3d& position, const rectanglePtr& bounds, vector_3d& nextPosition,
           const vector_3d& direction, vector_3d& lastPosition, int32_t speed, bool doorsBlock) {
  nextPosition.set(position.x + direction.x * speed, position.y + direction.y * speed);
  lastPosition.set(position.x, position.y);
  place(position, *bounds, nextPosition.x, nextPosition.y);
  if (!map.hitsWall(bounds, doorsBlock)) return true;
  // A vertical move is corrected across, a horizontal one up and down.
  const bool vertical = direction.x == 0;
  const int32_t half = (vertical ? cellWidth : cellHeight) >> 1;
  for (int32_t i = 1 - half; i <= half - 2; ++i) {
    if (i == 0) continue;
    place(position, *bounds, nextPosition.x + (vertical ? i : 0), nextPosition.y + (vertical ? 0 : i));
    if (!map.hitsWall(bounds, doorsBlock)) return true;
  }
  place(position, *bounds, lastPosition.x, lastPosition.y);
  return false;
}

bool portalExit(MapBase& map, const point& from, const vector_3d& direction, int32_t& exitX, int32_t& exitY) {
  if (direction.isZero()) return false;
  int32_t x = from.x - direction.x, y = from.y - direction.y;
  for (CellBasePtr c = map.cellAt(x, y); !c.isNull(); c = map.cellAt(x, y)) {
    if (c->content == CellBase::PORTAL) {
      exitX = x + direction.x;
      exitY = y + direction.y;
      return true;
    }
    x -= direction.x;
    y -= direction.y;
  }
  return false;
}

}  // namespace gobbler::movement
