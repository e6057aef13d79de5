// The path tests' way from the program's start to an icon of the main menu.
#pragma once

#include <initializer_list>
#include <string>

namespace start {

// Script lines: the language and sound questions answered with Enter; from the brick game's icon, the
// first of the main menu, the given arrow keys from 20 s on, 250 ms apart; the menu captured as main.png;
// and Enter on the icon at `chosenAt` ms, at least 250 ms after the last arrow. What a game does later in
// a run depends on that time, so each path keeps its own.
std::string toTheGame(std::initializer_list<const char*> arrows, int chosenAt);

}  // namespace start
