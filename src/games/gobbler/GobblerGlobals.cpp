// First values and release of the maze game's globals.
#include "games/gobbler/GobblerGlobals.h"

#include "gamelib/StringList.h"

namespace gobbler {

void initGlobals() {
  gameKey = data::kGameKey;
  pairValues = new nuv::lang::DintArray(2);
  fiveValues = new nuv::lang::DintArray(5);
  menuItems =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound_level", u"music_level", u"cfg_keys", u"exit"});
  levelItems = gamelib::stringList({u"start", u"levelsoriginal", u"modeoriginal", u"exit"});
  modeItems = gamelib::stringList({u"modeoriginal", u"modefruit", u"modetime", u"modekill"});
}

void releaseGlobals() {
  gameKey = nullptr;
  pairValues = nullptr;
  fiveValues = nullptr;
  menuItems = nullptr;
  levelItems = nullptr;
  modeItems = nullptr;
  gameMenu = nullptr;
}

}  // namespace gobbler
