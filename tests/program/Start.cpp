// The path tests' way from the program's start to an icon of the main menu.
#include "program/Start.h"

namespace start {

namespace {

std::string press(int t, const char* key, int hold) {
  return std::to_string(t) + " key down " + key + "\n" + std::to_string(t + hold) + " key up " + key + "\n";
}

}  // namespace

std::string toTheGame(std::initializer_list<const char*> arrows, int chosenAt) {
  // The main menu is up by 20 s; it takes a key at most every 200 ms.
  constexpr int kMenuUp = 20000, kGap = 250;
  std::string s = press(1700, "Enter", 20) + press(2300, "Enter", 20);
  int t = kMenuUp;
  for (const char* arrow : arrows) {
    s += press(t, arrow, 50);
    t += kGap;
  }
  return s + std::to_string(chosenAt - 100) + " capture main.png\n" + press(chosenAt, "Enter", 50);
}

}  // namespace start
