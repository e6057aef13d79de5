// The path tests' way from the program's start to an icon of the main menu.
#pragma once

#include <array>
#include <initializer_list>
#include <string>

#include "program/Frames.h"

namespace start {

// Script lines: the language and sound questions answered with Enter; from the brick game's icon, the
// first of the main menu, the given arrow keys from 20 s on, 250 ms apart; the menu captured as main.png;
// and Enter on the icon at `chosenAt` ms, at least 250 ms after the last arrow. What a game does later in
// a run depends on that time, so each path keeps its own.
std::string toTheGame(std::initializer_list<const char*> arrows, int chosenAt);

// Where the main menu's ten icons sit at 240 x 320 once they have come in, by entry: the eight games,
// then "more games" and "exit" (entries 0 to 2 and 6 on the first row, 3 to 5 and 7 on the second, 9 and 8
// in the middle of the third).
std::array<frames::Rect, 10> mainMenuIcons();

}  // namespace start
