// The ladders-and-bricks game's pictures drawn by rule, listed in the generators' table.
#pragma once

#include "Generators.h"

namespace datakit {

// theme=1..5, width=, height= (in pixels at 240 x 320, whole cells): a dark backdrop behind the map's cells
// that repeats seamlessly across and down.
Image climberBack(const GenRequest& r);
// sprites= (the atlas folder under data/): the loading picture and menu background, a night scene of brick
// floors, ladders, a handrail, gold, the hero and a guard, drawn from the game's own sprites, dim enough
// for the menus' text.
Image climberSplash(const GenRequest& r);

}  // namespace datakit
