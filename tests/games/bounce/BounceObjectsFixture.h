// The brick game's objects in a test: the game library on a small archive of plain coloured pictures
// with known sizes, the game's globals set up as the screen's set-up does, and round files written in
// the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "games/bounce/Bounce.h"

namespace bouncetest {

// Sizes of the fixture's pictures; the brick picture b1_0.png is 14 wide, the base width.
inline constexpr int kBrickW = 14;
inline constexpr int kBrickH = 7;
inline constexpr int kWallW = 8;
inline constexpr int kCornerH = 20;
inline constexpr int kBallW = 6;
inline constexpr int kPaddleW = 30;
inline constexpr int kPaddleH = 5;
inline constexpr int kEnemyW = 10;
inline constexpr int kEnemyH = 8;
inline constexpr int kBonusW = 8;
inline constexpr int kBonusH = 4;

inline const std::string kEmptyRow = "...........";

// A round file: the given rows, then rows of dots up to 21, each ended by CR LF.
std::string roundFile(const std::vector<std::string>& rows);

class BounceObjectsFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the pictures, the animation list and these files ("data/bnc/data/round01.txt", ...) and
  // makes the game's objects as its set-up does.
  void startGame(const test::ArchiveFiles& rounds = {});
  // startGame with these rows as round 1, loaded.
  void startWithRound(const std::vector<std::string>& rows);
  bounce::Brick& brick(int column, int row) { return *bounce::brickList->brickAt(column, row); }
  bounce::Ball& ball(int slot) { return *(*game->balls)[slot]; }
  bounce::Enemy& enemy(int slot) { return *(*game->enemies)[slot]; }
  // A flying ball in slot 0 at (x, y) with the given direction and speed level; the only ball in play.
  bounce::Ball& flyingBall(int x, int y, int dx, int dy, int kind = bounce::Ball::KIND_NORMAL, int speed = 2);
  // Particles alive of a type.
  int particleCount(int type);

  bounce::BouncePtr game;
};

}  // namespace bouncetest
