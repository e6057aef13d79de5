// The burrow game's row of the checker's table.
#include "GameTable.h"
#include "games/burrow/BurrowData.h"

namespace datakit {

GameRow burrowRow() {
  namespace data = burrow::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
