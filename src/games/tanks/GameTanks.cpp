// The tanks playfield's life cycle and its step: new game, next battle, end of battle, and one 30 ms step
// of bullets, tanks, spawning, the player's controls and the enemies' decisions.
#include "games/tanks/GameTanks.h"

#include <cstdlib>

#include "gamelib/GameApi.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

using namespace gamelib::api;

namespace {

// The spawn timer when no enemy is left to come: an hour.
constexpr int64_t kNoMoreEnemies = 3600000;
// Every 20 stages one more enemy may take part at once.
constexpr int32_t kBaseEnemiesAtOnce = 6;
constexpr int32_t kStagesPerExtraEnemy = 20;
// Pointer offsets from the tank's centre below this many pixels leave it standing.
constexpr int32_t kPointerDeadZone = 6;
// Bytes of the kill counters.
constexpr int32_t kKillBits = 8;

void playSound(int32_t id) { SoundManager::play(id, 1, 0); }

void clearBullets(const GBULArrayPtr& bullets) {
  if (bullets.isNull()) return;
  for (int32_t i = 0; i < bullets->length; ++i) (*bullets)[i]->active = false;
}

}  // namespace

GameTanks::GameTanks() {
  imagesLoaded = false;
  freshGame = true;
  stageLoaded = battleWon = battleEnded = paused = playerHidden = false;
}

GameTanks::~GameTanks() {
  layers = nullptr;
  baseGuard = nullptr;
  owner = nullptr;
}

void GameTanks::loadImages(GameMainPtr newOwner) {
  owner = newOwner.get();
  player = new GTNK();
  enemies = new GTNKArray(kEnemies);
  for (int32_t i = 0; i < kEnemies; ++i) (*enemies)[i] = new GTNK();
  playerBullets = new GBULArray(kPlayerBullets);
  for (int32_t i = 0; i < kPlayerBullets; ++i) (*playerBullets)[i] = new GBUL();
  enemyBullets = new GBULArray(kEnemies);
  for (int32_t i = 0; i < kEnemies; ++i) (*enemyBullets)[i] = new GBUL();
  textX = GameLib::screenWidth / 2;
  loadSprites();
  imagesLoaded = true;
}

void GameTanks::releaseAll() {
  gridFree();
  if (!player.isNull()) player->deactivate();
  releaseUnits();
  layers = nullptr;
  imagesLoaded = false;
}

void releaseUnits() {
  player = nullptr;
  enemies = nullptr;
  playerBullets = nullptr;
  enemyBullets = nullptr;
  items = nullptr;
  spawnTable = nullptr;
  playerSprites = enemySprites = reserveIcons = groundSprites = nullptr;
  baseSprites = bonusSprites = appearSprites = shieldSprites = bulletSprites = explosionSprites = nullptr;
  coverSprite = obstacleSprite = nullptr;
  houseSprites = nullptr;
  wallPairs = nullptr;
  wallPair = nullptr;
}

void GameTanks::newGame() {
  battleEnded = battleWon = stageLoaded = paused = false;
  layersDirty = true;
  freshGame = true;
  score = 0;
  bonusLifetime = 0;
  endTime = 0;
  stage = 1;
  playerHidden = false;
  player->deactivate();
  clearBullets(playerBullets);
  clearBullets(enemyBullets);
}

void GameTanks::nextBattle() {
  if (battleWon) {
    stage += 1;
    if (owner != nullptr) owner->openLevel.reach(stage);
  }
  bonusLifetime = 0;
  endTime = 0;
  layersDirty = true;
  playerHidden = battleEnded = paused = battleWon = freshGame = stageLoaded = false;
  clearBullets(playerBullets);
  clearBullets(enemyBullets);
}

void GameTanks::endBattle(bool won) {
  battleWon = won;
  battleEnded = true;
  renderLayer(1, 0);
  endTime = DSystem::currentTimeMillis();
}

void GameTanks::countKill(int32_t type) {
  const int32_t shift = (type & 3) * kKillBits;
  const int32_t count = ((killCounters >> shift) & 0xFF) + 1;
  killCounters = (killCounters & ~(0xFF << shift)) | ((count & 0xFF) << shift);
}

int32_t GameTanks::tick() {
  if (paused) return 1;
  playTime += GameLib::kStepMs;
  for (int64_t* timer : {&shieldTimer, &freezeTimer, &fortifyTimer, &bonusLifetime})
    if (*timer >= 0) *timer -= GameLib::kStepMs;
  newUnitTimer -= GameLib::kStepMs;
  // Nothing to play on before the field is drawn, or when the stage did not load.
  if (layers.isNull() || (*layers)[0].isNull() || !stageLoaded) return 1;

  stepBullets();

  player->step();
  int32_t destroyedCount = 0;
  int32_t takingPart = 0;
  for (int32_t i = 0; i < kEnemies; ++i) {
    GTNK& enemy = *(*enemies)[i];
    enemy.step();
    if (enemy.destroyed) ++destroyedCount;
    if (enemy.takesPart()) ++takingPart;
  }
  if (!battleEnded && destroyedCount == kEnemies) endBattle(true);

  const int32_t limit = stage / kStagesPerExtraEnemy + kBaseEnemiesAtOnce;
  if (takingPart < limit && newUnitTimer < 0) {
    const int32_t row = nextSpawnPoint();
    const int32_t index = findFreeTank();
    if (row >= 0 && index >= 0) {
      newUnitTimer = ETNK_TIME_FOR_NEW_UNIT;
      GTNK& enemy = *(*enemies)[index];
      enemy.place((*spawnTable)[row][0], (*spawnTable)[row][1], (*spawnTable)[row][2]);
      enemy.setState(GTNK::STATE_APPEARING);
      gridSetBlock(CELL_TANK, index, enemy.x, enemy.y);
      renderLayer(1, 0);
    } else if (index < 0) {
      newUnitTimer = kNoMoreEnemies;
    }
  } else if (takingPart >= limit && newUnitTimer < 0) {
    newUnitTimer = ETNK_TIME_FOR_NEW_UNIT;
  }

  if (player->isState(GTNK::STATE_IDLE) && (!battleEnded || battleWon)) {
    takeBonus();
    if (fortifyTimer < -1) {
      fortifyBase(false);
      fortifyTimer = -1;
    }
    gridClearBlockValue(CELL_TANK, player->x, player->y);
    readControls();
    fire();
    markTank(*player, kPlayerIndex);
  }

  if (freezeTimer < 0 && !battleEnded) {
    for (int32_t i = 0; i < kEnemies; ++i) enemyDecides(i);
  }

  if (battleEnded && DSystem::currentTimeMillis() - endTime > GAME_TIME_LAST) return 0;
  return 1;
}

void GameTanks::stepBullets() {
  for (const GBULArrayPtr* list : {&playerBullets, &enemyBullets}) {
    for (int32_t i = (*list)->length - 1; i >= 0; --i) {
      GBUL& bullet = *(**list)[i];
      if (!bullet.active) continue;
      if (bullet.step() && bullet.state == GBUL::STATE_FLYING && !bulletHit(bullet)) bullet.active = false;
    }
  }
}

void GameTanks::readControls() {
  int32_t direction = -1;
  if (!ScreenCanvas::pointerDown) {
    const bool* held = ScreenCanvas::held;
    if (held[GameAction::Up]) {
      direction = DIR_UP;
    } else if (held[GameAction::Down]) {
      direction = DIR_DOWN;
    } else if (held[GameAction::Left]) {
      direction = DIR_LEFT;
    } else if (held[GameAction::Right]) {
      direction = DIR_RIGHT;
    }
  } else {
    const int32_t half = blockSize / 2;
    const int32_t dx = ScreenCanvas::pointerX - (offsetX() + player->x * cellSize + half);
    const int32_t dy = ScreenCanvas::pointerY - (offsetY() + player->y * cellSize + half);
    if (std::abs(dy) < std::abs(dx)) {
      if (dx >= kPointerDeadZone) direction = DIR_RIGHT;
      if (dx <= -kPointerDeadZone) direction = DIR_LEFT;
    } else {
      if (dy >= kPointerDeadZone) direction = DIR_DOWN;
      if (dy <= -kPointerDeadZone) direction = DIR_UP;
    }
  }
  if (direction >= 0) tryMove(*player, direction);
}

void GameTanks::fire() {
  bool& fireHeld = ScreenCanvas::held[GameAction::Fire];
  if (!(fireHeld || ScreenCanvas::doubleTap)) return;
  GBUL& shot = *(*playerBullets)[0];
  if (shot.active) return;
  fireHeld = false;
  ScreenCanvas::doubleTap = false;
  shot.init(player->x + GTNK::_XCO(player->direction), player->y + GTNK::_YCO(player->direction), player->direction,
            player->type, true);
  playSound(SOUND_SHOT);
}

void GameTanks::markTank(GTNK& tank, int32_t index) {
  if (tank.isState(GTNK::STATE_MOVING)) {
    gridSetBlock(CELL_TANK, index, tank.x + GTNK::_XMO(tank.direction), tank.y + GTNK::_YMO(tank.direction));
  } else {
    gridSetBlock(CELL_TANK, index, tank.x, tank.y);
  }
}

void GameTanks::unmarkTank(GTNK& tank) {
  if (tank.isState(GTNK::STATE_MOVING)) {
    gridClearBlockValue(CELL_TANK, tank.x + GTNK::_XMO(tank.direction), tank.y + GTNK::_YMO(tank.direction));
  } else {
    gridClearBlockValue(CELL_TANK, tank.x, tank.y);
  }
}

void GameTanks::enemyDecides(int32_t index) {
  GTNK& enemy = *(*enemies)[index];
  if (!enemy.entered || enemy.destroyed || !enemy.isState(GTNK::STATE_IDLE)) return;
  gridClearBlockValue(CELL_TANK, enemy.x, enemy.y);
  const int64_t range = static_cast<int64_t>(ETNK_AI_PER_LEVEL) * stage + ETNK_AI_LEVEL;
  const int64_t draw = std::llabs(static_cast<int64_t>(GameLib::random->nextInt()));
  const int32_t roll = range > 0 ? static_cast<int32_t>(draw % range) : 0;
  aimEnemy(roll, enemy);
  if (enemy.isState(GTNK::STATE_IDLE) && roll < ETNK_AI_LEVEL) tryMove(enemy, enemy.direction);
  if (enemy.isState(GTNK::STATE_IDLE) && roll < ETNK_AI_LEVEL / 3) {
    const int32_t turned = (enemy.direction + ((roll & 1) != 0 ? 3 : 1)) & 3;
    tryMove(enemy, turned);
  }
  GBUL& bullet = *(*enemyBullets)[index];
  if (!bullet.active && enemy.tryReload()) {
    bullet.init(enemy.x + GTNK::_XCO(enemy.direction), enemy.y + GTNK::_YCO(enemy.direction), enemy.direction,
                enemy.type, false);
    playSound(SOUND_SHOT);
  }
  if (enemy.isState(GTNK::STATE_IDLE)) tryMove(enemy, enemy.direction);
  markTank(enemy, index);
}

void GameTanks::aimEnemy(int32_t roll, GTNK& enemy) {
  if (roll < ETNK_AI_LEVEL) return;
  const int32_t reach = stage * ETNK_AI_DISTANCE_PER_LEVEL + ETNK_AI_DISTANCE;
  struct Target {
    int32_t x, y;
  };
  for (Target t : {Target{baseX, baseY}, Target{player->x, player->y}}) {
    if (std::abs(enemy.x - t.x) <= 2 && std::abs(enemy.y - t.y) < reach) {
      tryMove(enemy, enemy.y >= t.y ? DIR_UP : DIR_DOWN);
      return;
    }
    if (std::abs(enemy.y - t.y) <= 2 && std::abs(enemy.x - t.x) < reach) {
      tryMove(enemy, enemy.x >= t.x ? DIR_LEFT : DIR_RIGHT);
      return;
    }
  }
}

int32_t GameTanks::findFreeTank() {
  for (int32_t i = kEnemies - 1; i >= 0; --i)
    if (!(*enemies)[i]->entered) return i;
  return -1;
}

int32_t GameTanks::nextSpawnPoint() {
  spawnCounter += 1;
  // A stage without enemy spawn points does not load; never divide by none.
  if (spawnCount < 1) return -1;
  const int32_t row = spawnCounter % spawnCount + 1;
  const int32_t x = (*spawnTable)[row][0];
  const int32_t y = (*spawnTable)[row][1];
  if (x < 0 || gridTestBlock(CELL_BLOCKS_TANK, x, y) != 0) return -1;
  return row;
}

}  // namespace tanks
