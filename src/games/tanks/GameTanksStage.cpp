// The tanks playfield's stage loader: one record of the stage file into the grid, the items, the spawn
// table and the tanks; and the record of the items that guard the base.
#include <memory>

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksData.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

using namespace gamelib::api;

namespace {

[[noreturn]] void refuse(const char16_t* why) { throw new DExceptionBase(ExceptionCode::IOException, why); }

// The ground of a stage is drawn into one picture of the whole field: 64 blocks a side keeps it within
// 2048 x 2048 pixels (8 MB) at the 32-pixel blocks of 480x640.
constexpr int32_t kMaxStageBlocks = 64;

constexpr int32_t kTerrainFlags[] = {0, CELL_GRASS, CELL_WATER, CELL_RUIN, CELL_ICE, CELL_SAND, 0, 0};
// Items sit on ruin ground: the terrain and cover bits below it go.
constexpr int32_t kItemGroundCleared = 0x0F;

}  // namespace

void GameTanks::loadStage() {
  stageLoaded = false;
  loadError = nullptr;
  if (!wallPairs.isNull() && wallPairs->length > 0) wallPair = (*wallPairs)[(stage - 1) % wallPairs->length];
  spawnTable = new DintArray2d(kSpawnRows, 3);
  for (int32_t r = 0; r < kSpawnRows; ++r)
    for (int32_t c = 0; c < 3; ++c) (*spawnTable)[r][c] = -1;
  bonusLifetime = 0;
  newUnitTimer = ETNK_TIME_FOR_NEW_UNIT;
  playTime = 0;
  freezeTimer = 0;
  shieldTimer = BON_TIME_FOR_KASK_START;
  fortifyTimer = 0;

  // A stage file that ends early or names what the game has not is damage, reported by name.
  const int32_t enemySpawns = gamelib::ResourceDamage::reading(stageFileName(), [this] { return readStage(); });
  if (enemySpawns < 0) return;
  spawnCount = enemySpawns;
  collectBaseGuard();
  killCounters = 0;

  if (freshGame || !player->alive) {
    if (freshGame) {
      player->lives = kStartLives;
      freshGame = false;
    }
    player->speed = 2;
    player->type = 0;
  }
  player->place((*spawnTable)[0][0], (*spawnTable)[0][1], (*spawnTable)[0][2]);
  player->alive = true;
  for (int32_t row = 1; row < kSpawnRows; ++row) {
    const int32_t x = (*spawnTable)[row][0];
    if (x == -1) continue;
    GTNK& enemy = *(*enemies)[kEnemies - row];
    enemy.place(x, (*spawnTable)[row][1], DIR_DOWN);
    enemy.setState(GTNK::STATE_APPEARING);
    gridSetCell(CELL_TANK, kEnemies - row, x, (*spawnTable)[row][1]);
  }
  stageLoaded = true;
}

// The record into grid, items and spawn table; the number of enemy spawn points, or -1 with loadError set
// when the record cannot be played (no base, no player or enemy spawn point).
DStringPtr GameTanks::stageFileName() { return stageFile.isNull() ? DStringPtr(data::kStageFile) : stageFile; }

int32_t GameTanks::readStage() {
  // The file as the archive lists it, for the reasons a stage is not played.
  DStringPtr shownFile = stageFileName()->startsWith(u"/") ? stageFileName()->substring(1) : stageFileName();
  nuv::io::DInputStreamPtr file = gamelib::GameLib::loadFile(stageFileName());
  if (file.isNull()) {
    loadError = ((DStringPtr(u"stage ") + stage) + u": no stage file, " + shownFile) + u" is missing";
    return -1;
  }
  nuv::io::DDataInputStreamPtr in = new nuv::io::DDataInputStream(file);
  struct Closer {
    nuv::io::DDataInputStreamPtr& in;
    ~Closer() {
      try {
        in->close();
      } catch (DExceptionBase* e) {
        std::unique_ptr<DExceptionBase> dropped = nuv::lang::catchException(e, ExceptionCode::IOException);
      }
    }
  } closer{in};
  const int32_t wb = in->readUnsignedByte();
  const int32_t hb = in->readUnsignedByte();
  if (wb > kMaxStageBlocks || hb > kMaxStageBlocks) {
    throw new DExceptionBase(ExceptionCode::IOException, u"a stage larger than %d x %d blocks", kMaxStageBlocks,
                             kMaxStageBlocks);
  }
  gridAlloc(wb * kBlockCells, hb * kBlockCells);
  items = new GITMArray(gridW * gridH);
  gridClear();
  const int32_t record = stage % stageCount;
  if (record != 0) in->skip(static_cast<int64_t>(wb * hb + kEnemies) * record);

  int32_t itemIndex = 0;
  int32_t enemySpawns = 0;
  bool hasBase = false;
  for (int32_t r = 0; r < hb; ++r) {
    for (int32_t c = 0; c < wb; ++c) {
      const int32_t block = in->readUnsignedByte();
      const int32_t x = c * kBlockCells;
      const int32_t y = r * kBlockCells;
      gridOrBlock(kTerrainFlags[block & data::kTerrainBits], x, y);
      const int32_t object = block >> data::kObjectShift;
      int32_t kind = -1;
      switch (object) {
        case data::OBJECT_NONE:
          break;
        case data::OBJECT_COVER:
          gridOrBlock(CELL_COVER, x, y);
          break;
        case data::OBJECT_WALL:
        case data::OBJECT_HOUSE_A:
        case data::OBJECT_HOUSE_B:
          gridClearBlock(kItemGroundCleared, x, y);
          gridOrBlock(CELL_RUIN, x, y);
          kind = object - data::OBJECT_WALL;
          break;
        case data::OBJECT_PLAYER:
          (*spawnTable)[0][0] = x;
          (*spawnTable)[0][1] = y;
          (*spawnTable)[0][2] = DIR_UP;
          break;
        case data::OBJECT_ENEMY:
          if (enemySpawns == kSpawnRows - 1) refuse(u"more enemy spawn points than a stage has");
          ++enemySpawns;
          (*spawnTable)[enemySpawns][0] = x;
          (*spawnTable)[enemySpawns][1] = y;
          (*spawnTable)[enemySpawns][2] = DIR_DOWN;
          break;
        case data::OBJECT_BASE:
          baseX = x;
          baseY = y;
          hasBase = true;
          break;
        default:
          kind = object - (data::OBJECT_OBSTACLE - GITM::KIND_OBSTACLE);
          break;
      }
      if (kind >= 0) {
        GITMPtr item = new GITM();
        (*items)[itemIndex] = item;
        item->init(kind, x, y);
        gridSetBlock(CELL_ITEM, itemIndex, x, y);
        ++itemIndex;
      }
    }
  }
  for (int32_t i = 0; i < kEnemies; ++i) {
    // A tank's type is the byte's low four bits.
    const int32_t type = in->readUnsignedByte();
    if ((type & 15) >= kKinds) refuse(u"an enemy type no tank has");
    (*enemies)[i]->init(type);
  }
  if (!hasBase || enemySpawns < 1 || (*spawnTable)[0][0] < 0) {
    loadError = ((DStringPtr(u"stage ") + stage) +
                 (!hasBase          ? u": no base"
                  : enemySpawns < 1 ? u": no enemy spawn point"
                                    : u": no player spawn point") +
                 u" in record " + record) +
                u" of " + shownFile;
    return -1;
  }
  gridOrBlock(CELL_BASE, baseX, baseY);
  return enemySpawns;
}

void GameTanks::collectBaseGuard() {
  int32_t rows = 0;
  int32_t found[8][2] = {};
  for (int32_t dy = -kBlockCells; dy <= kBlockCells; dy += kBlockCells) {
    for (int32_t dx = -kBlockCells; dx <= kBlockCells; dx += kBlockCells) {
      const int32_t x = baseX + dx;
      const int32_t y = baseY + dy;
      if ((dx == 0 && dy == 0) || !gridHasBlock(x, y)) continue;
      const int32_t index = gridCell(CELL_ITEM, x, y);
      if (index < 0) continue;
      found[rows][0] = index;
      found[rows][1] = (*items)[index]->kind;
      ++rows;
    }
  }
  baseGuard = new DintArray2d(rows, 2);
  for (int32_t r = 0; r < rows; ++r) {
    (*baseGuard)[r][0] = found[r][0];
    (*baseGuard)[r][1] = found[r][1];
  }
}

}  // namespace tanks
