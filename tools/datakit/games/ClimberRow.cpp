// The climber game's row of the checker's table.
#include "GameTable.h"
#include "games/climber/ClimberData.h"

namespace datakit {

GameRow climberRow() {
  namespace data = climber::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  return g;
}

}  // namespace datakit
