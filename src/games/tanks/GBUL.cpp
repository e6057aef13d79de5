// A bullet's flight and explosion.
#include "games/tanks/GBUL.h"

#include "gamelib/GameLib.h"
#include "games/tanks/GTNK.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

namespace {

constexpr int32_t kStartCells = 2;

struct Shot {
  int32_t power;
  bool fast;
};
// By the shooter's type & 3: the player's shots, then the enemies'.
constexpr Shot kPlayerShots[] = {{1, false}, {1, true}, {2, true}, {4, true}};
constexpr Shot kEnemyShots[] = {{1, false}, {1, true}, {1, false}, {2, true}};

}  // namespace

void GBUL::init(int32_t startX, int32_t startY, int32_t newDirection, int32_t shooterType, bool byPlayer) {
  fromPlayer = byPlayer;
  fresh = true;
  direction = newDirection;
  x = startX + kStartCells * GTNK::_XMO(newDirection);
  y = startY + kStartCells * GTNK::_YMO(newDirection);
  subX = subY = 0;
  if (!gridHas(x, y)) return;
  const Shot& shot = (byPlayer ? kPlayerShots : kEnemyShots)[shooterType & 3];
  power = shot.power;
  speed = shot.fast ? fastBullet : slowBullet;
  explosionFrame = 0;
  explosionTimer = 0;
  state = STATE_FLYING;
  active = true;
}

bool GBUL::step() {
  if (!fresh && state == STATE_FLYING) {
    subX += speed * GTNK::_XMO(direction);
    subY += speed * GTNK::_YMO(direction);
    if ((subX & 3) == 0 && (subY & 3) == 0) {
      x += subX >> 2;
      y += subY >> 2;
      subX &= 3;
      subY &= 3;
    }
  }
  if (!fresh && state == STATE_EXPLODING) {
    explosionTimer += gamelib::GameLib::kStepMs;
    if (explosionTimer > EXPLODE_TIME_ANIMATION) {
      explosionTimer = 0;
      if (++explosionFrame > kLastExplosionFrame) {
        active = false;
        explosionFrame = 0;
      }
    }
  }
  fresh = false;
  return active;
}

int32_t GBUL::posX() const { return (x - GTNK::_XCO(direction)) * 4 + subX; }
int32_t GBUL::posY() const { return (y - GTNK::_YCO(direction)) * 4 + subY; }

int32_t GBUL::sideX() const {
  static constexpr int32_t kSide[] = {0, 1, 0, -1};
  return x + kSide[direction & 3];
}

int32_t GBUL::sideY() const {
  static constexpr int32_t kSide[] = {-1, 0, 1, 0};
  return y + kSide[direction & 3];
}

}  // namespace tanks
