// The river-flying shooter's pictures drawn by rule: its splash, the panels beside the river and the
// game-over picture, drawn from the game's own sprites.
#pragma once

#include "Generators.h"

namespace datakit {

// A river winding up a canyon at dusk, a bridge, a fuel depot, a helicopter and the plane. It is also the
// menus' background, so nothing in it is bright.
Image canyonSplash(const GenRequest& r);
// The canyon wall left of the river, as wide as the screen leaves beside the 22 cells of river; the right
// panel is its mirror.
Image canyonPanel(const GenRequest& r);
// The river at night with the plane's wreck burning in it.
Image canyonGameOver(const GenRequest& r);

}  // namespace datakit
