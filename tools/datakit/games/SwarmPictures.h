// The alien-formation game's pictures drawn by rule: its planets and explosions (pixel art, scaled with the
// screen), its loading picture, level pictures and the picture of a lost game (drawn at full size).
#pragma once

#include "Generators.h"

namespace datakit {

// "kind" 1 to 4: a ringed giant, an ocean world, a red rock, an icy moon.
Image swarmPlanet(const GenRequest& r);
// "kind" alien or ship, "frame" of "frames": a fireball that swells, breaks up and fades.
Image swarmBurst(const GenRequest& r);
// The formation over a planet, one alien diving at the ship; the aliens and the ship are the game's sprites.
Image swarmSplash(const GenRequest& r);
// "theme" 1 to 3: a dark nebula that tiles downwards without a seam, for the play field to scroll.
Image swarmLevel(const GenRequest& r);
// The ship's wreck drifting under the formation, with room for the texts in the middle.
Image swarmGameOver(const GenRequest& r);

}  // namespace datakit
