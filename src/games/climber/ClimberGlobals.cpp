// First values and release of the ladders-and-bricks game's globals.
#include "games/climber/ClimberGlobals.h"

#include "gamelib/StringList.h"

namespace climber {

void initGlobals() {
  gameKey = u"climber";
  menuItems =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound level", u"music level", u"cfg_keys", u"exit"});
}

void releaseGlobals() {
  gameKey = nullptr;
  menuItems = nullptr;
}

}  // namespace climber
