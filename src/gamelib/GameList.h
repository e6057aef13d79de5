// The games of the collection and the main menu's other entries, written once: the main menu, the game
// library's globals, the data checker and the data review read them. Depends on nothing but the games'
// name headers.
#pragma once

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

struct MenuListEntry {
  const char16_t* gameKey;   // the game's key; null for the entries that are not games
  const char16_t* dataKey;   // the game's folder in the archive
  int32_t menuIndex;         // its entry in the main menu: the place of its icon in the grid
  const char16_t* titleKey;  // text key of the title shown under the grid
  const char16_t* icon;      // key of its icon in the main menu's image table
  const char16_t* selectedIcon;
  int32_t remappableActions;  // the game actions its key set-up rebinds
};

// By menu index: the eight games, then the end of the program and the more-games screen. A game that is
// built names itself in its own header (<Key>Data.h), which its entry reads.
inline constexpr MenuListEntry kMenuList[] = {
    {bounce::data::kGameKey, bounce::data::kFolder, 0, u"bounce", u"bnc.png", u"bnc_s.png",
     bounce::data::kRemappableActions},
    {canyon::data::kGameKey, canyon::data::kFolder, 1, u"cy", u"cy.png", u"cy_s.png", canyon::data::kRemappableActions},
    {swarm::data::kGameKey, swarm::data::kFolder, 2, u"swarm", u"swm.png", u"swm_s.png",
     swarm::data::kRemappableActions},
    {burrow::data::kGameKey, burrow::data::kFolder, 3, u"burrow", u"bur.png", u"bur_s.png",
     burrow::data::kRemappableActions},
    {tanks::data::kGameKey, tanks::data::kFolder, 4, u"tanks", u"tanks.png", u"tanks_s.png",
     tanks::data::kRemappableActions},
    {climber::data::kGameKey, climber::data::kFolder, 5, u"clmb", u"clmb.png", u"clmb_s.png",
     climber::data::kRemappableActions},
    {gobbler::data::kGameKey, gobbler::data::kFolder, 6, u"gobbler", u"gob.png", u"gob_s.png",
     gobbler::data::kRemappableActions},
    {rocks::data::kGameKey, rocks::data::kFolder, 7, u"rocks", u"rck.png", u"rck_s.png",
     rocks::data::kRemappableActions},
    {nullptr, nullptr, 8, u"exit", u"exit.png", u"exit_s.png", 0},
    {nullptr, nullptr, 9, u"MORE_GAMES", u"more.png", u"more_s.png", 0},
};

inline constexpr int32_t kMenuEntryCount = static_cast<int32_t>(std::size(kMenuList));
inline constexpr int32_t kGameCount = 8;
inline constexpr int32_t kExitMenuIndex = 8;
inline constexpr int32_t kMoreGamesMenuIndex = 9;

constexpr bool menuIndexesInOrder() {
  for (int32_t i = 0; i < kMenuEntryCount; ++i) {
    if (kMenuList[i].menuIndex != i) return false;
  }
  return true;
}
static_assert(menuIndexesInOrder(), "an entry's place in the list is its menu index");

}  // namespace gamelib
