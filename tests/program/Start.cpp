// The path tests' way from the program's start to an icon of the main menu.
#include "program/Start.h"

#include <map>

#include "platform/seam/capture.h"

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

std::array<frames::Rect, 10> mainMenuIcons() {
  constexpr int kHeight = 320;
  std::map<std::string, frames::Rect> icons = frames::imageTable(frames::staged("graphics/240x320/menu/icons.txt"));
  platform::Picture hud1;
  platform::readPng(frames::staged("240x320/hud1/font_0.png").string(), hud1);
  const int cs = icons["bnc.png"].w, rs = icons["bnc.png"].h - 2, iw = cs, ih = rs + 2;
  const int cy = kHeight - ((2 * rs) >> 1) - 2 * hud1.height;
  const int grid[3][4] = {{0, 1, 2, 6}, {3, 4, 5, 7}, {-1, 9, 8, -1}};
  std::array<frames::Rect, 10> cells{};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (grid[r][c] < 0) continue;
      int x = 120 - ((3 * cs) >> 1) + c * cs, y = cy - ((3 * rs) >> 1) + r * rs;
      cells[grid[r][c]] = {x - (iw >> 1), y - (ih >> 1), iw, ih};
    }
  }
  return cells;
}

}  // namespace start
