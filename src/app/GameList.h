// The program's games: the main menu's rows, one for each game, then the end of the program and the
// more-games screen. The program hands them to the game library at its start; the data checker and the
// data review read their names. A new game adds its row here, after the last game's; its name header
// (<Key>Data.h) names everything the row reads, and docs/game-api.md lists what else it touches.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>

#include "gamelib/MainMenu.h"
#include "gamelib/MenuList.h"
#include "games/bounce/BounceData.h"
#include "games/burrow/BurrowData.h"
#include "games/canyon/CanyonData.h"
#include "games/climber/ClimberData.h"
#include "games/gobbler/GobblerData.h"
#include "games/rocks/RocksData.h"
#include "games/swarm/SwarmData.h"
#include "games/tanks/TanksData.h"
#include "moregames/MoreGames.h"

namespace glimmerhut {

using gamelib::MenuRowKind;

// By menu index.
inline constexpr gamelib::MenuListEntry kMenuList[] = {
    {{MenuRowKind::Game, bounce::data::kGameKey, bounce::data::kFolder, 0, u"bounce", u"bnc.png", u"bnc_s.png",
      bounce::data::kRemappableActions},
     bounce::newScreen,
     bounce::initGlobals,
     bounce::releaseGlobals},
    {{MenuRowKind::Game, canyon::data::kGameKey, canyon::data::kFolder, 1, u"cy", u"cy.png", u"cy_s.png",
      canyon::data::kRemappableActions},
     canyon::newScreen,
     canyon::initGlobals,
     canyon::releaseGlobals},
    {{MenuRowKind::Game, swarm::data::kGameKey, swarm::data::kFolder, 2, u"swarm", u"swm.png", u"swm_s.png",
      swarm::data::kRemappableActions},
     swarm::newScreen,
     swarm::initGlobals,
     swarm::releaseGlobals},
    {{MenuRowKind::Game, burrow::data::kGameKey, burrow::data::kFolder, 3, u"burrow", u"bur.png", u"bur_s.png",
      burrow::data::kRemappableActions},
     burrow::newScreen,
     burrow::initGlobals,
     burrow::releaseGlobals},
    {{MenuRowKind::Game, tanks::data::kGameKey, tanks::data::kFolder, 4, u"tanks", u"tanks.png", u"tanks_s.png",
      tanks::data::kRemappableActions},
     tanks::newScreen,
     tanks::initGlobals,
     tanks::releaseGlobals},
    {{MenuRowKind::Game, climber::data::kGameKey, climber::data::kFolder, 5, u"clmb", u"clmb.png", u"clmb_s.png",
      climber::data::kRemappableActions},
     climber::newScreen,
     climber::initGlobals,
     climber::releaseGlobals},
    {{MenuRowKind::Game, gobbler::data::kGameKey, gobbler::data::kFolder, 6, u"gobbler", u"gob.png", u"gob_s.png",
      gobbler::data::kRemappableActions},
     gobbler::newScreen,
     gobbler::initGlobals,
     gobbler::releaseGlobals},
    {{MenuRowKind::Game, rocks::data::kGameKey, rocks::data::kFolder, 7, u"rocks", u"rck.png", u"rck_s.png",
      rocks::data::kRemappableActions},
     rocks::newScreen,
     rocks::initGlobals,
     rocks::releaseGlobals},
    {{MenuRowKind::Exit, nullptr, nullptr, 8, u"exit", u"exit.png", u"exit_s.png", 0}, nullptr, nullptr, nullptr},
    {{MenuRowKind::MoreGames, nullptr, nullptr, 9, u"MORE_GAMES", u"more.png", u"more_s.png", 0},
     moregames::newScreen,
     nullptr,
     nullptr},
};

inline constexpr int32_t kMenuEntryCount = static_cast<int32_t>(std::size(kMenuList));
static_assert(gamelib::menuIndexesInOrder(kMenuList), "an entry's place in the list is its menu index");
static_assert(gamelib::MainMenu::holds(kMenuList), "each main menu grid draws a cell for every entry it shows");

// The rows' names alone, worked out while compiling: the data tools, which link none of the games' code,
// read these, so that the rows' calls are never needed there.
inline constexpr std::array<gamelib::MenuNames, kMenuEntryCount> kMenuNames = [] {
  std::array<gamelib::MenuNames, kMenuEntryCount> names{};
  for (int32_t i = 0; i < kMenuEntryCount; ++i) names[i] = kMenuList[i].names;
  return names;
}();

}  // namespace glimmerhut
