// First values and release of the alien-formation game's globals.
#include "games/swarm/SwarmGlobals.h"

#include "gamelib/StringList.h"

namespace swarm {

using nuv::lang::DintArray;

void initGlobals() {
  gameKey = u"swarm";
  menuItems =
      gamelib::stringList({u"start", u"highscores", u"help", u"sound level", u"music level", u"cfg_keys", u"exit"});
  stageTable1 = new DintArray(5, 2, 4, 5, 6, 6);
  stageTable2 = new DintArray(5, 2, 4, 5, 6, 6);
  stageTable3 = new DintArray(5, 150, 100, 80, 60, 60);
  scoreTable = new DintArray(3, 70000, 80000, 100000);
  colours = new DintArray(3, 0x0000FF, 0x00FFFF, 0xDFDFDF);
}

void releaseGlobals() {
  gameKey = nullptr;
  menuItems = nullptr;
  stageTable1 = nullptr;
  stageTable2 = nullptr;
  stageTable3 = nullptr;
  scoreTable = nullptr;
  colours = nullptr;
}

}  // namespace swarm
