// One entry per parser: each runs one input through the parser's public calls as the program would use
// them, and returns normally whatever the input holds. The fuzz targets and the tests of kept inputs share
// this table.
#pragma once

#include <span>
#include <string_view>

#include "World.h"

namespace fuzz {

struct Entry {
  std::string_view name;
  void (*run)(Input input);
};

std::span<const Entry> entries();
// Null for a name no entry has.
const Entry* findEntry(std::string_view name);

// The entries by group; Entries.cpp lists them.
void archive(Input input);
void picture(Input input);
void imageTable(Input input);
void font(Input input);
void wav(Input input);
void mod(Input input);
void textTable(Input input);
void helpPage(Input input);
void recordStore(Input input);
void markup(Input input);
void moreGames(Input input);
void httpAnswer(Input input);
void messageFile(Input input);
void bounceRound(Input input);
void burrowLevels(Input input);
void canyonScreens(Input input);
void climberLevel(Input input);
void gobblerMap(Input input);
void tanksStages(Input input);

}  // namespace fuzz
