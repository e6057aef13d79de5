// The tunnel-digging game's pictures drawn by rule: its splash and the panels framing its field.
#pragma once

#include "Generators.h"

namespace datakit {

// The earth in cross-section under a night sky: tunnels, crystals, a bag, a monster and the miner's cart,
// drawn from the game's own sprites. Keys: the sprites' sources "cart", "monster", "bag", "crystal".
Image burrowSplash(const GenRequest& r);
// One frame panel around the field, sized from the screen: part = top, top2, bottom-l, bottom-c, bottom-r,
// bottom2, l or r.
Image burrowPanel(const GenRequest& r);

}  // namespace datakit
