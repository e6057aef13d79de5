// The canyon game's river and entities in a test: the game library on a small archive of plain coloured
// pictures with known sizes (cells of 8 pixels on a 240 x 320 screen), the animation list, and river
// screens written in the test, with the game's own preparation for play, on a fixed clock and random.
#pragma once

#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/CanyonRiver.h"
#include "games/canyon/CanyonGame.h"

namespace canyontest {

inline constexpr int kCell = 8;
inline constexpr int kRiverWidth = 22 * kCell;
inline constexpr int kViewRows = 320 / kCell + 1;
inline constexpr int kBase = kCell * 3 / 16 + 1;
// Sizes of the fixture's pictures.
inline constexpr int kPlaneW = 16;
inline constexpr int kPlaneH = 16;
inline constexpr int kShipW = 24;
inline constexpr int kShipH = 8;
inline constexpr int kBridgeW = 48;
inline constexpr int kBridgeH = 16;
inline constexpr int kFuelW = 14;
inline constexpr int kFuelH = 24;
inline constexpr int kTankW = 14;
inline constexpr int kTankH = 8;
inline constexpr int kFlyerW = 16;
inline constexpr int kFlyerH = 8;
inline constexpr int kBoomFrames = 3;

// The river of most tests: ten cells of water in the middle, land on both sides.
inline const std::string kChannel = "......~~~~~~~~~~......";

// A stored screen from rows of text, the top row first; rows not given (at the bottom) are kChannel.
// '~' water, '.' land, '_' no tile at all, '=' land with a road; objects: B bridge, F fuel depot, P and
// Q planes flying left and right, O balloon, H helicopter, S ship, G gun on land, T and R tanks facing
// left and right on a road, A train on a road.
datakit::CanyonScreen screenOf(const std::vector<std::string>& rows);

class CanyonObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the pictures, the animation list and the screen file, and prepares the game for play.
  void start(const std::vector<datakit::CanyonScreen>& screens, const std::vector<std::vector<int>>& levels);
  void startWithFile(const std::string& screenFile);
  // Packs the archive again with another screen file, for a second reading.
  void packFiles(const std::string& screenFile);
  // Level `level` from its get-ready screen into play: the run built, the plane placed.
  void startRun(int level = 0);
  // One playing step, then the entities and the plane's explosion drawn as the paint draws them: explosions
  // advance as they are drawn.
  void step();
  void steps(int n);
  // Past the time a new plane cannot be hit.
  void beVulnerable();
  // A unit made as the run start makes it, alive at world (x, y), put into the run's list.
  canyon::Entity& place(int code, int x, int y, bool onRoad = false);

  canyon::CanyonGamePtr game;
};

}  // namespace canyontest
