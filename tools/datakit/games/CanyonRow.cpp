// The canyon game's row of the checker's table.
#include "GameTable.h"
#include "games/canyon/CanyonData.h"

namespace datakit {

GameRow canyonRow() {
  namespace data = canyon::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
