// The space-rocks game's pictures, one generator for all of them: the source's "sprite" key names what to
// draw (rock, ship, shot, rocket, saucer, ring, spark, debris, panel, nebula, splash) and its other keys
// which one.
#pragma once

#include "Generators.h"

namespace datakit {

Image rocksArt(const GenRequest& request);

}  // namespace datakit
