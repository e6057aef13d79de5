// The movement the player, the chasers and the fruit share: one cell large figures at pixel positions of the
// maze, moved a few pixels a step, sliding into a corridor they are up to half a cell beside, and taken
// from a portal to the cell beside its partner.
#pragma once

#include <cstdint>

#include "games/gobbler/MapBase.h"
#include "games/gobbler/point.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"

namespace gobbler::movement {

// The figure's position and its one-cell bounds there.
void place(vector_3d& position, rectangle& bounds, int32_t x, int32_t y);
// The cell under the centre of a figure at that position.
void cellUnderCentre(const vector_3d& position, point& cell);
// One move of speed pixels in the direction: lastPosition keeps where the figure was, nextPosition where
// it went first. When that hits a wall (or, with doorsBlock, a door) the figure is moved sideways by up to
// half a cell less one pixel, the nearest offset on the negative side first. False when nothing fits: the
// figure is back at lastPosition.
bool slide(MapBase& map, vector_3d& position, const rectanglePtr& bounds, vector_3d& nextPosition,
           const vector_3d& direction, vector_3d& lastPosition, int32_t speed, bool doorsBlock);
// The cell beside the partner of the portal at `from`, found by walking against the direction: the cell
// after the partner in the direction of travel. False when the walk reaches the border first, or there is
// no direction to walk.
bool portalExit(MapBase& map, const point& from, const vector_3d& direction, int32_t& exitX, int32_t& exitY);

}  // namespace gobbler::movement
