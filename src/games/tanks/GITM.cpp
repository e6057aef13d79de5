// An item's hit points by kind, and its damage.
#include "games/tanks/GITM.h"

namespace tanks {

void GITM::init(int32_t newKind, int32_t newX, int32_t newY) {
  spare = 0;
  kind = newKind;
  x = newX;
  y = newY;
  hitPoints = kind == KIND_WALL ? kWallHitPoints : kind < KIND_OBSTACLE ? kHouseHitPoints : 1;
  active = true;
}

bool GITM::hit(int32_t damage) {
  if (active) {
    hitPoints -= damage;
    if (hitPoints < 1) active = false;
  }
  return active;
}

}  // namespace tanks
