// The tunnel game's objects in a test: the game library on a small archive of plain coloured tiles and
// sprites of the real sizes, tiny sounds, the game's own sprite loading and making of its objects of play,
// level files written in the test, and a fixed clock and random generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/burrow/BurrowGame.h"

namespace burrowtest {

// Colours of the fixture's tiles, as the screen's RGB565 pixels show them.
inline constexpr uint32_t kEarthColour = 0x804000;
inline constexpr uint32_t kVerticalColour = 0x00FF00;
inline constexpr uint32_t kCrossingColour = 0x0000FF;
inline constexpr uint32_t kCrystalColour = 0xFFFF00;
inline constexpr uint32_t kMaskColour = 0x101010;
inline constexpr uint32_t kEatenColour = 0xC0C0C0;
inline constexpr uint32_t kBagColour = 0xFF8000;
inline constexpr uint32_t kCherryColour = 0xFF0040;

// One level grid: the given rows on top, then rows of earth up to 10, each padded with earth to 15 cells.
std::string grid(const std::vector<std::string>& rows);
// A level file: the 16-bit word, then the grids given, then empty levels up to eight.
std::string levelFile(const std::vector<std::string>& grids);

class BurrowObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;

  // Packs the tiles, sprites, sounds and these files ("data/bur/data/1.txt", ...) and makes the game's
  // objects as its set-up does; the view sits at the screen's top-left corner.
  void startGame(const test::ArchiveFiles& files = {});
  // startGame with level 1 of a file holding this grid, started as a new game from the menu starts it.
  void startLevel(const std::vector<std::string>& rows);
  // The level's map word.
  static int32_t cell(int32_t column, int32_t row);
  static burrow::Bag& bag(int32_t slot) { return *(*burrow::bags)[slot]; }
  static burrow::Monster& monster(int32_t index) { return *(*burrow::monsters)[index]; }
  static burrow::Player& hero() { return *burrow::player; }
  // The hero on a cell, its offsets 0, facing the way given.
  static void putHero(int32_t column, int32_t row, int32_t direction = burrow::DIR_RIGHT);
  // A monster in play on a cell.
  static burrow::Monster& putMonster(int32_t index, int32_t column, int32_t row, int32_t direction);
  // The id of the sound started last since the last call; -1 when none.
  static int32_t takeSound();
  // What the field's paint runs besides drawing cells: the monsters' update, the hero's and the bolt's paint.
  static void paintMovers();
  // The back buffer's pixel at a field position of the view.
  static uint16_t fieldPixel(int32_t x, int32_t y);
};

}  // namespace burrowtest
