// What a row of the main menu is: a game, the end of the program or the more-games screen, with its names,
// its icons and the calls that start it. The game library names no game: the program hands it its rows
// (app/GameList.h), and every list of games it keeps comes from them.
#pragma once

#include <cstdint>
#include <span>

namespace gamelib {

class GameInterface;

enum class MenuRowKind : int32_t { Game, Exit, MoreGames };

// What an entry is called and shows: all the data tools know of it.
struct MenuNames {
  MenuRowKind kind;
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

using MenuList = std::span<const MenuListEntry>;

// The first row of that kind; -1 when there is none.
constexpr int32_t indexOfRow(MenuList rows, MenuRowKind kind) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].names.kind == kind) return static_cast<int32_t>(i);
  }
  return -1;
}

constexpr int32_t countGames(MenuList rows) {
  int32_t n = 0;
  for (const MenuListEntry& row : rows) n += row.names.kind == MenuRowKind::Game ? 1 : 0;
  return n;
}

// An entry's place in the list is its menu index, which the grid's cells name.
constexpr bool menuIndexesInOrder(MenuList rows) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].names.menuIndex != static_cast<int32_t>(i)) return false;
  }
  return true;
}

}  // namespace gamelib
