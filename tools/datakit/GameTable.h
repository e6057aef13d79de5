// One row per game: what its set-up looks up in the archive by name, its level files and their checker,
// its texts and its rebindable keys. The checker walks the table in the main menu's order; a game adds its
// row in games/ and lists it in GameTable.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CheckFiles.h"
#include "gamelib/PageLayout.h"

namespace datakit {

struct LevelFiles {
  // Which archive names are the game's level files, and what a sound one looks like.
  std::function<bool(const std::string&)> isLevel;
  std::function<std::vector<Fault>(const Bytes&)> check;
  // Every level the game may load, and why a missing one matters.
  std::vector<std::string> required;
  std::string whyRequired;
  // Level files written from a readable source: its file ending (e.g. ".tunnels"), and the compiler that
  // makes the archive entry `target` from the source's text, naming faults by the source's line.
  std::string sourceEnding;
  std::function<Bytes(const std::string& text, const std::string& file, const std::string& target)> compile;
};

struct GameRow {
  std::string key;                         // the game's key, e.g. "bounce": its "ctrl_actions_" text names its actions
  std::string folder;                      // under graphics/ + a PATH entry and under data/, e.g. "bnc/"
  int actionMask = 0;                      // the game actions its key set-up rebinds
  std::vector<std::string> pictures;       // loaded whole, ".png" or ".jpg"
  std::string menuPicture;                 // of pictures: the one its in-game pages shade behind their text
  int tableShade = gamelib::kListShade;    // the shading level of the menu that shows its high-score table
  int helpShade = gamelib::kListShade;     // and of the one that shows its help
  std::string imageTable;                  // its image table under graphics/, e.g. "bnc/all"
  std::vector<std::string> imageKeys;      // keys of the image table
  std::string animationList;               // under graphics/, e.g. "bnc/anim.txt"; or one archive entry
                                           // under data/ for every screen size, e.g. "data/cy/anim.txt"
  std::vector<std::string> animationKeys;  // entries of the animation list
  std::vector<std::string> sounds;         // "data/..." without extension: ".wav" or ".mod"
  std::vector<std::string> textKeys;       // keys its screens look up in every language
  std::vector<std::string> menuTexts;      // keys of its own in-game menu entries (measured in the menu box)
  std::vector<LevelFiles> levels;
};

const std::vector<GameRow>& gameTable();

// The games' own rows (games/<Key>Row.cpp), listed in GameTable.cpp.
GameRow bounceRow();
GameRow burrowRow();
GameRow canyonRow();
GameRow climberRow();
GameRow gobblerRow();
GameRow swarmRow();
GameRow rocksRow();
GameRow tanksRow();

// An ASCII name from the program's 16-bit constants.
std::string ascii(const char16_t* text);
// Names written with a leading "/" in the program, as they stand in the archive.
std::string archiveName(const char16_t* text);
template <size_t N>
std::vector<std::string> asciiList(const char16_t* const (&texts)[N]) {
  std::vector<std::string> out;
  for (const char16_t* t : texts)
    if (t != nullptr) out.push_back(ascii(t));
  return out;
}

}  // namespace datakit
