// The gobbler game's row of the checker's table.
#include "GameTable.h"
#include "games/gobbler/GobblerData.h"

namespace datakit {

GameRow gobblerRow() {
  namespace data = gobbler::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  // The level and mode choices of its set-up page.
  g.menuTexts = {"levelsoriginal", "levelsrandom", "modeoriginal", "modefruit", "modetime", "modekill"};
  return g;
}

}  // namespace datakit
