// The rules of the tanks playfield: moving a tank round corners, a bullet's hit on the base, an item, a
// tank or another bullet, the bonuses and the fortification of the base.
#include <cstdlib>

#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

using gamelib::GameLib;

namespace {

// Bonus kinds.
constexpr int32_t BONUS_UPGRADE = 0;
constexpr int32_t BONUS_FREEZE = 1;
constexpr int32_t BONUS_BOMB = 2;
constexpr int32_t BONUS_SHIELD = 3;
constexpr int32_t BONUS_LIFE = 4;
constexpr int32_t BONUS_SPADE = 5;
// Draws of 0-7; 6 and 7 count as an upgrade.
constexpr int32_t kBonusDraws = 8;
constexpr int32_t kBonusKinds = 6;
// A bonus is not put within this many cells of the base (in both directions).
constexpr int32_t kBonusBaseDistance = 8;
// Placement gives up after this many refused blocks rather than search a field that has no room.
constexpr int32_t kBonusTries = 64;
// Bullets closer than this in both directions cancel each other.
constexpr int32_t kBulletsMeet = 1;

void playSound(int32_t id) { gamelib::SoundManager::play(id, 1, 0); }

int32_t draw() {
  return static_cast<int32_t>(std::llabs(static_cast<int64_t>(GameLib::random->nextInt())) & 0x7FFFFFFF);
}

bool meets(const GBUL& a, const GBUL& b) {
  return std::abs(a.x - b.x) <= kBulletsMeet && std::abs(a.y - b.y) <= kBulletsMeet;
}

}  // namespace

void GameTanks::tryMove(GTNK& tank, int32_t newDirection) {
  tank.turn(newDirection);
  if (!tank.isState(GTNK::STATE_IDLE)) return;
  const int32_t targetX = tank.x + GTNK::_XMO(newDirection);
  const int32_t targetY = tank.y + GTNK::_YMO(newDirection);
  const bool alongX = newDirection == DIR_UP || newDirection == DIR_DOWN;
  const int32_t tolerance = 2 * slideTolerance;
  for (int32_t k = 0; k <= tolerance; ++k) {
    const int32_t shift = (k & 1) != 0 ? (k >> 1) : -(k >> 1);
    const int32_t sx = alongX ? shift : 0;
    const int32_t sy = alongX ? 0 : shift;
    if (!gridHasBlock(tank.x + sx, tank.y + sy) || !gridHasBlock(targetX + sx, targetY + sy)) continue;
    if (gridTestBlock(CELL_BLOCKS_TANK, targetX + sx, targetY + sy) != 0) continue;
    tank.x += sx;
    tank.y += sy;
    tank.setState(GTNK::STATE_MOVING);
    return;
  }
}

bool GameTanks::stopsBullet(int32_t x, int32_t y) const { return ((*grid)[y][x] & CELL_STOPS_BULLET) != 0; }

bool GameTanks::bulletHit(GBUL& bullet) {
  if (!gridHas(bullet.x, bullet.y)) return false;
  int32_t word = 0;
  if (stopsBullet(bullet.x, bullet.y)) {
    word = (*grid)[bullet.y][bullet.x];
  } else if (gridHas(bullet.sideX(), bullet.sideY()) && stopsBullet(bullet.sideX(), bullet.sideY())) {
    // Beyond the grid's edge there is nothing to hit.
    word = (*grid)[bullet.sideY()][bullet.sideX()];
  }
  const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(word) >> 16);
  bool exploded = false;
  if ((word & CELL_BASE) != 0) {
    // A battle already won stays won: the base shrugs off a late shot.
    if (!(battleEnded && battleWon)) {
      if (!battleEnded) player->lives -= 1;
      endBattle(false);
      redrawBlock(baseX, baseY);
    }
    exploded = true;
  } else if ((word & CELL_ITEM) != 0) {
    GITM& item = *(*items)[value];
    if (item.kind != GITM::KIND_WALL || bullet.power == 4) item.hit(bullet.power);
    if (!item.active) gridClearBlockValue(CELL_ITEM, item.x, item.y);
    redrawBlock(item.x, item.y);
    exploded = true;
  } else if ((word & CELL_TANK) != 0) {
    const int32_t t = value & 0xFF;
    if (bullet.fromPlayer && t < kEnemies) {
      GTNK& enemy = *(*enemies)[t];
      if (!enemy.isState(GTNK::STATE_APPEARING)) {
        if (enemy.type > kTopType) placeBonus();
        enemy.lives -= bullet.power;
        if (enemy.lives <= 0) destroyEnemy(t);
      }
      exploded = true;
    } else if (!bullet.fromPlayer && t == kPlayerIndex) {
      if (shieldTimer < 0) hitPlayer();
      exploded = true;
    }
  }
  if (exploded) {
    bullet.explode();
    playSound(SOUND_BLOW);
  }

  if (!bullet.fromPlayer) {
    for (int32_t i = 0; i < playerBullets->length; ++i) {
      GBUL& other = *(*playerBullets)[i];
      if (other.active && meets(bullet, other)) {
        other.active = false;
        bullet.explode();
        playSound(SOUND_BLOW);
      }
    }
    return true;
  }
  for (int32_t i = enemyBullets->length - 1; i >= 0; --i) {
    GBUL& other = *(*enemyBullets)[i];
    if (other.active && meets(bullet, other)) {
      other.explode();
      playSound(SOUND_BLOW);
      return false;
    }
  }
  return true;
}

void GameTanks::destroyEnemy(int32_t index) {
  GTNK& enemy = *(*enemies)[index];
  unmarkTank(enemy);
  enemy.setState(GTNK::STATE_DESTROYED);
  countKill(enemy.type);
}

void GameTanks::hitPlayer() {
  unmarkTank(*player);
  player->lives -= 1;
  if (player->lives <= 0) {
    endBattle(false);
    playerHidden = true;
    return;
  }
  player->speed = 2;
  player->type = 0;
  player->place((*spawnTable)[0][0], (*spawnTable)[0][1], DIR_UP);
  player->alive = true;
  shieldTimer = BON_TIME_FOR_KASK_START;
  renderLayer(1, 0);
}

void GameTanks::placeBonus() {
  gridClearBlock(CELL_BONUS, bonusX, bonusY);
  bonusLifetime = BON_TIME_IS_ACTIVE;
  bonusKind = draw() % kBonusDraws;
  if (bonusKind >= kBonusKinds) bonusKind = BONUS_UPGRADE;
  for (int32_t tries = 0; tries < kBonusTries; ++tries) {
    const int32_t bx = (draw() % gridW) & 0xFC;
    const int32_t by = (draw() % gridH) & 0xFC;
    const bool nearBase = std::abs(bx - baseX) < kBonusBaseDistance && std::abs(by - baseY) < kBonusBaseDistance;
    const bool onWater = ((*grid)[by][bx] & CELL_TERRAIN) == CELL_WATER;
    const bool onItem = gridTestBlock(CELL_ITEM, bx, by) != 0;
    if (nearBase || onWater || onItem) continue;
    bonusX = bx;
    bonusY = by;
    gridOrBlock(CELL_BONUS, bx, by);
    return;
  }
  bonusLifetime = 0;
}

void GameTanks::clearMarkedBlock() {
  gridClearBlock(CELL_BONUS, bonusX, bonusY);
  bonusLifetime = 0;
}

bool GameTanks::expireMarkedBlock() {
  if (bonusLifetime > 0) return true;
  clearMarkedBlock();
  return false;
}

void GameTanks::takeBonus() {
  if ((gridTestBlock(CELL_BONUS, player->x, player->y) & 0xFFFF) == 0) return;
  switch (bonusKind) {
    case BONUS_UPGRADE:
      if (player->type < kTopType) player->type += 1;
      break;
    case BONUS_FREEZE:
      freezeTimer = BON_TIME_FOR_TIME;
      break;
    case BONUS_BOMB:
      for (int32_t i = 0; i < kEnemies; ++i) {
        GTNK& enemy = *(*enemies)[i];
        if (!enemy.takesPart()) continue;
        destroyEnemy(i);
        explodeEffect(enemy.x + 1, enemy.y + 1);
      }
      break;
    case BONUS_SHIELD:
      shieldTimer = BON_TIME_FOR_KASK;
      break;
    case BONUS_LIFE:
      player->lives += 1;
      renderLayer(1, 0);
      break;
    case BONUS_SPADE:
      fortifyTimer = BON_TIME_FOR_SPADE;
      fortifyBase(true);
      break;
    default:
      break;
  }
  clearMarkedBlock();
}

void GameTanks::explodeEffect(int32_t x, int32_t y) {
  for (int32_t i = playerBullets->length - 1; i >= 0; --i) {
    GBUL& slot = *(*playerBullets)[i];
    if (slot.active) continue;
    slot.init(x, y, DIR_LEFT, 0, true);
    slot.explode();
    playSound(SOUND_BLOW);
    return;
  }
}

void GameTanks::fortifyBase(bool on) {
  if (baseGuard.isNull()) return;
  for (int32_t r = 0; r < baseGuard->length; ++r) {
    const int32_t index = (*baseGuard)[r][0];
    GITM& item = *(*items)[index];
    item.init(on ? GITM::KIND_WALL : (*baseGuard)[r][1], item.x, item.y);
    gridClearBlockValue(CELL_ITEM, item.x, item.y);
    gridSetBlock(CELL_ITEM, index, item.x, item.y);
    redrawBlock(item.x, item.y);
  }
}

}  // namespace tanks
