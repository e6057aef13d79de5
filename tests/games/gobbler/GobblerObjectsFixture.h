// The maze game's objects in a test: the game library on a small archive of plain coloured pictures of a
// chosen cell size, the animation list, a one-page font for the menu, and maps written in the test; the
// game loaded by its own loading, on a fixed clock and a fixed random seed.
#pragma once

#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"

namespace gobblertest {

using Map = std::vector<std::string>;

// Frames of the fixture's animations.
inline constexpr int kDeathFrames = 4;
inline constexpr int kChangeFrames = 4;
inline constexpr int kFruitFrames = 2;

// A map file: the rows joined by CR LF, none after the last.
std::string mapFile(const Map& rows);
// The colour the fixture paints a tile of a style (0 to 3) with.
uint32_t tileColour(int style, int tile);

class GobblerObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the pictures with square cells of `cell` pixels and the maps as map00, map01, ... (the rest
  // copies of the last given), measures the first and loads the game as its screen does.
  void startGame(const std::vector<Map>& maps, int cell = 16);
  // A new game in that mode (through newMap), on the first map, past the start delay.
  void newGame(int mode = gobbler::GobblerGame::MODE_DOTS);
  // Game steps.
  void steps(int n);
  // The player's or a chaser's top-left on a cell.
  static void putPlayer(int column, int row);
  static void putChaser(gobbler::SpookyBase& chaser, int column, int row);
  // The chasers parked where they cannot meet the player: waiting in the house.
  static void parkChasers();
  static gobbler::CellBase& cell(int column, int row) { return *gobbler::map->cellAt(column, row); }

  gobbler::GobblerGamePtr game;
  gobbler::GobblerPtr screen;
  int cellSize = 16;
};

}  // namespace gobblertest
