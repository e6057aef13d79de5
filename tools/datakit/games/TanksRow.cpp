// The tanks game's row of the checker's table.
#include "GameTable.h"
#include "games/tanks/TanksData.h"

namespace datakit {

GameRow tanksRow() {
  namespace data = tanks::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
