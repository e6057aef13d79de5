// A scripted walk through every page of one game's in-game menu, from the program's start to the main menu
// again, with a frame captured after each key: the start questions, the game's icon, its start page entry by
// entry, the sound levels round once, the help, the high-score table, the key set-up, its own pages and its
// level list, then in play the pause page with its pages, a pause by a tap on its pause sign, "mainmenu",
// a game played to its end with a name typed where the score makes the table, and "exit".
#pragma once

#include <string>
#include <vector>

namespace tour {

// A key held now and then while a game is played to its end: down at `from` ms after the game started,
// for `hold` ms, again every `every` ms (0: once) until `to`.
struct Press {
  const char* key;
  int from, hold, every, to;
};

// Where a game's start page has its entries.
struct Places {
  int entries;                       // on the page
  int table, help, sfx, keys, exit;  // places of those entries
  int option = -1;                   // an option entry of its own that toggles (-1: none)
};
inline constexpr Places kStandardPlaces{.entries = 7, .table = 1, .help = 2, .sfx = 3, .keys = 5, .exit = 6};

struct Game {
  const char* name;                 // the frames' folder
  const char16_t* key;              // its game key
  std::vector<const char*> arrows;  // from the main menu's first icon to the game's
  int chosenAt;                     // ms on the program's clock at which its icon is chosen
  Places places = kStandardPlaces;
  bool levels = false;            // a level list once a later level is open
  bool pagesKeepTheList = false;  // a closed help or table page leaves the list's highlight on its entry
  bool keysKeepTheList = true;    // the same after the key set-up
  bool setupPage = false;         // "start" opens a set-up page (entries: start, two options, exit)
  int tables = 0;                 // "highscores" opens a choice of that many tables (0: the table at once)
  int pauseX = 0, pauseY = 0;     // a point on its pause sign in play
  std::vector<Press> play;        // played to the end of a game
  int playMs = 0;                 // how long that takes, to the name entry
};

// The eight games, in the main menu's order.
const std::vector<Game>& games();

struct Script {
  std::string text;                 // the input script
  std::vector<std::string> frames;  // the captures it makes, in order
};

// `scale` multiplies the pen's places, for a device whose screen is that many times 240x320.
Script script(const Game& game, int scale = 1);

// The level list needs a later level open: the highest level reached, as the game stores it, in the
// settings of the data folder a run of the program uses.
void openLevels(const std::string& dataFolder, const char16_t* gameKey, int highest);

}  // namespace tour
