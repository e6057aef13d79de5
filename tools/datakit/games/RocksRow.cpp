// The rocks game's row of the checker's table.
#include "GameTable.h"
#include "games/rocks/RocksData.h"

namespace datakit {

GameRow rocksRow() {
  namespace data = rocks::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
