// The ladders game in a test: the shared menus' fonts and texts, then a small archive of plain coloured
// pictures of known sizes, the game's animation list and level files written in the test, and the game's
// own init over them, with the null audio device, a fixed clock and a fixed random generator.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gamelib/GameScreenFixture.h"
#include "games/climber/Climber.h"

namespace climbertest {

// Sizes of the fixture's pictures: a cell is 10 x 14, as on a 240 x 320 screen.
inline constexpr int kCellW = 10;
inline constexpr int kCellH = 14;
inline constexpr int kHeroW = 8;
inline constexpr int kHeroH = 12;
// A background covers 12 x 8 cells.
inline constexpr int kBackgroundColumns = 12;
inline constexpr int kBackgroundRows = 8;

// Colours of the fixture's pictures, as 0xRRGGBB.
inline constexpr uint32_t kBrickColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
inline constexpr uint32_t kArmourColour = 0x808080;
inline constexpr uint32_t kBackgroundColours[] = {0x100000, 0x001000, 0x000010, 0x101000, 0x001010};
inline constexpr uint32_t kGoldColours[] = {0xFF8000, 0xFFC000, 0xFFE000};
inline constexpr uint32_t kHalfBrickColour = 0x804000;
inline constexpr uint32_t kLadderColour = 0xC08040;
inline constexpr uint32_t kHeroColour = 0x00FFFF;

// A level file: the width and height lines, then the rows ('.' written for empty), each ended by CR LF.
std::string levelFile(const std::vector<std::string>& rows);
// One pixel of an image.
uint16_t imagePixel(const nuv::microedition::lcdui::DImagePtr& image, int32_t x, int32_t y);

class ClimberObjectsFixture : public gltest::GameScreenFixtureBase {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the fixture's archive with these level files ("data/clmb/maps/N.txt" by N) and runs the game's
  // init: the game stands in its start menu.
  void startScreen(const std::map<int, std::string>& levels);
  // startScreen with one level of these rows, loaded as level 1 and in play (gameState 2).
  void playLevel(const std::vector<std::string>& rows);
  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step();
  // Two steps: one world update.
  void worldUpdate();
  void steps(int n);
  void paint();
  // Fire on an entry of the in-game menu.
  void choose(int32_t item);

  // The map's cell, as a character ('.' for empty).
  static char cellAt(int column, int row);
  // The map's rows as text, '.' for empty, from the first row given.
  static std::vector<std::string> rows(int first, int count, int width);
  // The guard in slot e.
  static climber::Runner& guard(int e) { return *(*climber::enemies)[e]; }
  static climber::Runner& hero() { return *climber::hero; }
  // The distance the guards' search has for a cell; -1 while unknown.
  static int distance(int column, int row);

  climber::ClimberPtr game;
};

}  // namespace climbertest
