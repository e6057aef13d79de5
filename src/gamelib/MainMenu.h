// The main menu: a grid of game icons over a background picture. The icons fly in, the highlighted icon's
// title slides up from the bottom edge, and the chosen icon flies to the centre before its game starts.
#pragma once

#include <array>
#include <cstdint>

#include "core/lang/DStringArray.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuList.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class MainMenu : public GameInterface {
 public:
  // The most entries the grid holds.
  static constexpr int32_t kEntryCount = 10;
  static constexpr int32_t kMaxRows = 3;
  static constexpr int32_t kMaxColumns = 4;
  static constexpr int32_t kEmptyCell = -1;
  using Grid = int32_t[kMaxRows][kMaxColumns];
  // The entries' cells by menu index. Without the more-games entry: 3 x 3; with it: 3 x 4, the entry among
  // the corners of the bottom row.
  static constexpr Grid kPlainGrid = {{0, 1, 2, kEmptyCell}, {3, 4, 5, kEmptyCell}, {6, 7, 8, kEmptyCell}};
  static constexpr Grid kMoreGamesGrid = {{0, 1, 2, 6}, {3, 4, 5, 7}, {kEmptyCell, 9, 8, kEmptyCell}};

  // Whether both grids have a cell for every entry they show (the plain one leaves out the more-games
  // screen), and no cell names an entry the rows lack.
  static constexpr bool holds(MenuList rows) {
    const int32_t count = static_cast<int32_t>(rows.size());
    if (count > kEntryCount) return false;
    auto cells = [](const Grid& grid, int32_t entry) {
      int32_t n = 0;
      for (const auto& gridRow : grid) {
        for (int32_t cell : gridRow) n += cell == entry ? 1 : 0;
      }
      return n;
    };
    for (int32_t e = 0; e < count; ++e) {
      const bool plain = rows[static_cast<size_t>(e)].names.kind != MenuRowKind::MoreGames;
      if (cells(kMoreGamesGrid, e) != 1 || cells(kPlainGrid, e) != (plain ? 1 : 0)) return false;
    }
    for (const Grid* grid : {&kPlainGrid, &kMoreGamesGrid}) {
      for (const auto& gridRow : *grid) {
        for (int32_t cell : gridRow) {
          if (cell != kEmptyCell && (cell < 0 || cell >= count)) return false;
        }
      }
    }
    return true;
  }

  // The states of the menu.
  static constexpr int32_t STATE_START = 0;
  static constexpr int32_t STATE_CHOSEN = 1;
  static constexpr int32_t STATE_IDLE = 2;
  static constexpr int32_t STATE_TITLE_IN = 3;
  static constexpr int32_t STATE_TITLE_OUT = 4;

  MainMenu() = default;
  ~MainMenu() override;
  const char* getClassName() const override { return "MainMenu"; }

  void init() override;
  void update() override;
  void paint() override;

  void showTitle();
  void hideTitle();

  // Set by every init.
  static inline int32_t chooseDelay = 0;
  static inline int32_t titleInTime = 0;
  static inline int32_t titleOutTime = 0;

  struct Vec {
    int32_t x;
    int32_t y;
  };

  nuv::lang::DStringArrayPtr titles;
  nuv::microedition::lcdui::DImagePtr background;
  int32_t state = 0;
  int32_t timer = 0;
  int32_t shownEntry = 0;
  int32_t exitEntry = 0;
  bool gameChosen = false;
  bool exitChosen = false;
  bool titleShown = false;
  int32_t columnStep = 0;
  int32_t rowStep = 0;
  int32_t acceleration = 0;
  // Icon centres and their speeds in 16.16 fixed point, by entry.
  Vec targetPos[kEntryCount] = {};
  Vec currentPos[kEntryCount] = {};
  Vec velocity[kEntryCount] = {};
  int32_t grid[kMaxRows][kMaxColumns] = {};
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t column = 0;
  int32_t row = 0;
  GameImageArrayPtr icons;
  GameImageArrayPtr selectedIcons;

 private:
  // Pixel offset of a cell from the grid's centre point.
  Vec cellOffset(int32_t r, int32_t c) const;
  Vec gridCentre() const;
  void layout();
  void move();
  void handleInput();
  void stepBackward();
  void stepForward();
  void stepRow(int32_t direction);
  void stepColumn(int32_t direction);
  void kick(int32_t entry, int32_t dx, int32_t dy);
  bool tapIcon();
  void choose();
  void runState();
  // The chosen screen becomes current; when there is none or its init fails, the grid comes back.
  void startChosen();
  void returnToGrid();
  void paintTitle();
};

using MainMenuPtr = nuv::lang::DPtr<MainMenu>;

}  // namespace gamelib
