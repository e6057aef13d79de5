// The main menu's entries, one row each: a game's key (which also names its option, high-score and key
// stores), its archive folder, title and icons, the actions its key set-up rebinds, the screen it starts
// and the first values and release of its globals. The main menu and the application's globals read the
// rows; the data checker and the data review read their names. Depends on nothing but the games' name
// headers.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>

#include "games/bounce/BounceData.h"
#include "games/burrow/BurrowData.h"
#include "games/canyon/CanyonData.h"
#include "games/climber/ClimberData.h"
#include "games/gobbler/GobblerData.h"
#include "games/rocks/RocksData.h"
#include "games/swarm/SwarmData.h"
#include "games/tanks/TanksData.h"

namespace gamelib {
class GameInterface;
}

namespace moregames {
// The more-games screen (MoreGames.cpp).
gamelib::GameInterface* newScreen();
}  // namespace moregames

namespace gamelib {

// What an entry is called and shows: all the data tools know of it.
struct MenuNames {
  const char16_t* gameKey;   // the game's key; null for the entries that are not games
  const char16_t* dataKey;   // the game's folder in the archive
  int32_t menuIndex;         // its entry in the main menu: the place of its icon in the grid
  const char16_t* titleKey;  // text key of the title shown under the grid
  const char16_t* icon;      // key of its icon in the main menu's image table
  const char16_t* selectedIcon;
  int32_t remappableActions;  // the game actions its key set-up rebinds
};

struct MenuListEntry {
  MenuNames names;
  GameInterface* (*newScreen)();  // the screen the entry starts; null for the end of the program
  void (*initGlobals)();          // a game's globals: their first values at the start
  void (*releaseGlobals)();       // and their release when the application is destroyed
};

// By menu index: the eight games, then the end of the program and the more-games screen. A new game adds
// its row here; its name header (<Key>Data.h) names everything the row reads.
inline constexpr MenuListEntry kMenuList[] = {
    {{bounce::data::kGameKey, bounce::data::kFolder, 0, u"bounce", u"bnc.png", u"bnc_s.png",
      bounce::data::kRemappableActions},
     bounce::newScreen,
     bounce::initGlobals,
     bounce::releaseGlobals},
    {{canyon::data::kGameKey, canyon::data::kFolder, 1, u"cy", u"cy.png", u"cy_s.png",
      canyon::data::kRemappableActions},
     canyon::newScreen,
     canyon::initGlobals,
     canyon::releaseGlobals},
    {{swarm::data::kGameKey, swarm::data::kFolder, 2, u"swarm", u"swm.png", u"swm_s.png",
      swarm::data::kRemappableActions},
     swarm::newScreen,
     swarm::initGlobals,
     swarm::releaseGlobals},
    {{burrow::data::kGameKey, burrow::data::kFolder, 3, u"burrow", u"bur.png", u"bur_s.png",
      burrow::data::kRemappableActions},
     burrow::newScreen,
     burrow::initGlobals,
     burrow::releaseGlobals},
    {{tanks::data::kGameKey, tanks::data::kFolder, 4, u"tanks", u"tanks.png", u"tanks_s.png",
      tanks::data::kRemappableActions},
     tanks::newScreen,
     tanks::initGlobals,
     tanks::releaseGlobals},
    {{climber::data::kGameKey, climber::data::kFolder, 5, u"clmb", u"clmb.png", u"clmb_s.png",
      climber::data::kRemappableActions},
     climber::newScreen,
     climber::initGlobals,
     climber::releaseGlobals},
    {{gobbler::data::kGameKey, gobbler::data::kFolder, 6, u"gobbler", u"gob.png", u"gob_s.png",
      gobbler::data::kRemappableActions},
     gobbler::newScreen,
     gobbler::initGlobals,
     gobbler::releaseGlobals},
    {{rocks::data::kGameKey, rocks::data::kFolder, 7, u"rocks", u"rck.png", u"rck_s.png",
      rocks::data::kRemappableActions},
     rocks::newScreen,
     rocks::initGlobals,
     rocks::releaseGlobals},
    {{nullptr, nullptr, 8, u"exit", u"exit.png", u"exit_s.png", 0}, nullptr, nullptr, nullptr},
    {{nullptr, nullptr, 9, u"MORE_GAMES", u"more.png", u"more_s.png", 0}, moregames::newScreen, nullptr, nullptr},
};

inline constexpr int32_t kMenuEntryCount = static_cast<int32_t>(std::size(kMenuList));
inline constexpr int32_t kGameCount = 8;
inline constexpr int32_t kExitMenuIndex = 8;
inline constexpr int32_t kMoreGamesMenuIndex = 9;

// The rows' names alone, worked out while compiling: the data tools, which link none of the games' code,
// read these, so that the rows' calls are never needed there.
inline constexpr std::array<MenuNames, kMenuEntryCount> kMenuNames = [] {
  std::array<MenuNames, kMenuEntryCount> names{};
  for (int32_t i = 0; i < kMenuEntryCount; ++i) names[i] = kMenuList[i].names;
  return names;
}();

constexpr bool menuIndexesInOrder() {
  for (int32_t i = 0; i < kMenuEntryCount; ++i) {
    if (kMenuNames[i].menuIndex != i) return false;
  }
  return true;
}
static_assert(menuIndexesInOrder(), "an entry's place in the list is its menu index");

}  // namespace gamelib
