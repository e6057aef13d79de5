// The maze game's pictures drawn by rule, listed in the generators' table.
#pragma once

#include "Generators.h"

namespace datakit {

// style=1..4 tile=0..41: a wall tile (0 the ground) of one style at the cell size.
Image gobblerTile(const GenRequest& r);
// style=1..4: the house's door.
Image gobblerDoor(const GenRequest& r);
Image gobblerPanel(const GenRequest& r);
// text=, pixels=, top=, bottom=: a score pop-up.
Image gobblerPopup(const GenRequest& r);
// sprite=PATH under data/, turn=none|mirror|left|right|half, swap=a=b,c=d: a pixel-art sprite changed.
Image gobblerSprite(const GenRequest& r);
Image gobblerSplash(const GenRequest& r);

}  // namespace datakit
