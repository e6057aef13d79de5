// The main menu: a grid of game icons over a background picture. The icons fly in, the highlighted icon's
// title slides up from the bottom edge, and the chosen icon flies to the centre before its game starts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/lang/DStringArray.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuList.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class MainMenu : public GameInterface {
 public:
  static constexpr int32_t kMaxRows = 3;
  static constexpr int32_t kMaxColumns = 4;
  static constexpr int32_t kEmptyCell = -1;
  // The entries' cells by menu index, and the part of them the menu draws and walks: its first rows and
  // columns.
  struct Grid {
    int32_t rows;
    int32_t columns;
    int32_t cells[kMaxRows][kMaxColumns];
  };
  // Without the more-games entry: 3 x 3; with it: 3 x 4, the entry among the corners of the bottom row.
  static constexpr Grid kPlainGrid = {3, 3, {{0, 1, 2, kEmptyCell}, {3, 4, 5, kEmptyCell}, {6, 7, 8, kEmptyCell}}};
  static constexpr Grid kMoreGamesGrid = {3, 4, {{0, 1, 2, 6}, {3, 4, 5, 7}, {kEmptyCell, 9, 8, kEmptyCell}}};

  // Whether both grids have a cell for every entry they show (the plain one leaves out the more-games
  // screen), no cell names an entry the rows lack, and each grid draws exactly its cells.
  static constexpr bool holds(MenuList rows) { return holds(rows, kPlainGrid, kMoreGamesGrid); }
  static constexpr bool holds(MenuList rows, const Grid& plain, const Grid& moreGames) {
    const int32_t count = static_cast<int32_t>(rows.size());
    for (const Grid* grid : {&plain, &moreGames}) {
      if (!drawsExactlyItsCells(*grid)) return false;
      for (const auto& gridRow : grid->cells) {
        for (int32_t cell : gridRow) {
          if (cell != kEmptyCell && (cell < 0 || cell >= count)) return false;
        }
      }
    }
    for (int32_t e = 0; e < count; ++e) {
      const bool shownInPlain = rows[static_cast<size_t>(e)].names.kind != MenuRowKind::MoreGames;
      if (cellsOf(moreGames, e) != 1 || cellsOf(plain, e) != (shownInPlain ? 1 : 0)) return false;
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
  // Icon centres and their speeds in 16.16 fixed point, by entry: as many as the rows.
  std::vector<Vec> targetPos;
  std::vector<Vec> currentPos;
  std::vector<Vec> velocity;
  int32_t grid[kMaxRows][kMaxColumns] = {};
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t column = 0;
  int32_t row = 0;
  GameImageArrayPtr icons;
  GameImageArrayPtr selectedIcons;

 private:
  // No cell lies outside the part drawn, that part has a cell in each of its rows and columns (so that
  // every walk lands on one), and the first, where the highlight starts, is filled.
  static constexpr bool drawsExactlyItsCells(const Grid& grid) {
    if (grid.rows < 1 || grid.rows > kMaxRows || grid.columns < 1 || grid.columns > kMaxColumns) return false;
    bool rowFilled[kMaxRows] = {};
    bool columnFilled[kMaxColumns] = {};
    for (int32_t r = 0; r < kMaxRows; ++r) {
      for (int32_t c = 0; c < kMaxColumns; ++c) {
        if (grid.cells[r][c] == kEmptyCell) continue;
        if (r >= grid.rows || c >= grid.columns) return false;
        rowFilled[r] = columnFilled[c] = true;
      }
    }
    for (int32_t r = 0; r < grid.rows; ++r) {
      if (!rowFilled[r]) return false;
    }
    for (int32_t c = 0; c < grid.columns; ++c) {
      if (!columnFilled[c]) return false;
    }
    return grid.cells[0][0] != kEmptyCell;
  }
  static constexpr int32_t cellsOf(const Grid& grid, int32_t entry) {
    int32_t n = 0;
    for (const auto& gridRow : grid.cells) {
      for (int32_t cell : gridRow) n += cell == entry ? 1 : 0;
    }
    return n;
  }

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
