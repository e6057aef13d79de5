// The alien-formation game's objects in a test: the game library on a small archive of plain coloured
// pictures with known sizes, the game's own sprite loading and making of its objects of play, and a fixed
// clock and random generator.
#pragma once

#include <utility>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/swarm/Swarm.h"

namespace swarmtest {

// Sizes of the fixture's pictures: aliens are 8 x 8, as the formation's layout is given for them.
inline constexpr int kAlienSize = 8;
inline constexpr int kShipW = 16;
inline constexpr int kShipH = 12;
inline constexpr int kFlameH = 5;
inline constexpr int kBulletW = 3;
inline constexpr int kBulletH = 6;
inline constexpr int kLifeW = 8;
inline constexpr int kLevelW = 6;
inline constexpr int kLevelH = 8;
inline constexpr int kExplosionSize = 12;
// Colours of the pictures a paint test looks for.
inline constexpr uint32_t kLifeColour = 0x00FF00;
inline constexpr uint32_t kLevelColour = 0xFFFF00;
inline constexpr uint32_t kShipColour = 0xC0C0C0;

class SwarmObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The wave of a level set up and its intro passed: the game plays.
  void startWave(int level = 1);
  // One step of play.
  void step() { game->playStep(); }
  swarm::AlienShip& alien(int row, int column) { return *(*swarm::formation)[row][column]; }
  // Every alien of the formation destroyed, the rows' counts and the aliens left with them, but those
  // listed as {row, column}.
  void leaveOnly(const std::vector<std::pair<int, int>>& kept);
  // An alien's dive, its shots and steering, from (x, y) with the speeds given (16.16).
  swarm::AlienShip& diver(int row, int column, int x, int y, int vx, int vy, int mode);
  // The rows of the candidates of the last dive choice, in their order.
  std::vector<int> candidateRows();

  swarm::SwarmPtr game;
};

}  // namespace swarmtest
