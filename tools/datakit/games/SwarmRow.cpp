// The swarm game's row of the checker's table.
#include "GameTable.h"
#include "games/swarm/SwarmData.h"

namespace datakit {

GameRow swarmRow() {
  namespace data = swarm::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
