// The space-rocks game's objects in a test: the game library on a small archive of plain coloured pictures
// of known sizes for every name the game looks up, the text table's tuning values, and the game's own
// sprite loading and making of its objects of play, on a fixed clock and random seed.
#pragma once

#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/rocks/Rocks.h"

namespace rockstest {

// Sizes of the fixture's pictures.
inline constexpr int kShipW = 27;
inline constexpr int kShotW = 3;
inline constexpr int kLargeRockW = 40;
inline constexpr int kMediumRockW = 28;
inline constexpr int kSmallRockW = 16;
inline constexpr int kSaucerW = 24;
inline constexpr int kSaucerH = 14;
inline constexpr int kBigSaucerW = 36;
inline constexpr int kBigSaucerH = 34;
inline constexpr int kBlinkW = 34;
inline constexpr int kParticleW = 3;
inline constexpr int kPanelH = 20;
// Colours that a test finds on the screen.
inline constexpr uint32_t kShipColour = 0x20C0FF;
inline constexpr uint32_t kRockColour = 0xA06020;
// Sizes of the level pictures "rck/1" and "rck/2"; "rck/3" is left out.
inline constexpr int kPicture1W = 10;
inline constexpr int kPicture2W = 12;

// The tuning values the fixture's text table holds.
inline constexpr int kLives = 3;

class RocksObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the archive, loads the texts and makes the game's sprites and objects as its set-up does; the
  // ship's picture is shipWidth pixels wide.
  void startGame(int shipWidth = kShipW);
  // A level set up as the game does it, with the level number in rocks::level.
  void setUpLevel(int level);
  // A rock of a size (1 large to 3 small) and type at a position with a velocity, not animated.
  static rocks::FlyingOPtr rock(int size, int type, int x, int y, int dx = 0, int dy = 0);
  static rocks::FlyingOPtr shot(int x, int y, int dx = 0, int dy = 0);
  static rocks::FlyingOPtr saucer(int type, int x, int y);
  // An array holding the objects, then `free` null places.
  static rocks::FlyingOArrayPtr arrayOf(const std::vector<rocks::FlyingOPtr>& objects, int free = 0);
  // Non-null places of an array.
  static int count(const rocks::FlyingOArrayPtr& objects);
  // Every burst row taken.
  void fillBurstRows();
  int record(int index, int field) { return (*(*game->particles)[index])[field]; }
  void setRecord(int index, int x, int y, int dx, int dy, int state);

  rocks::RocksPtr game;
};

}  // namespace rockstest
