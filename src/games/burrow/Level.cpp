// The tunnel map's level files: reading one, decoding its eight grids into cell words, starting a level
// from them, and the step to the next level or the end of the game.
#include "games/burrow/Level.h"

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;
using nuv::lang::DbyteArray;
using nuv::lang::DintArray;
using nuv::lang::DshortArray;
using nuv::lang::DStringPtr;

namespace {

constexpr int32_t kCellsPerLevel = mapRows * mapCols;
constexpr int32_t kFileCells = kCellsPerLevel * levelsPerFile;
static_assert(data::kLevelFileSize == data::kLevelHeader + kFileCells);

// Tile images of the map made at set-up: every name up to the bag's, then the cherry, then the crystal and
// the eaten crystal.
constexpr int32_t kTilesBeforeCherry = CELL_BAG + 1;
constexpr int32_t kTileCrystal = 14;
constexpr int32_t kTileEaten = 15;

// Monsters in play at once by difficulty tier (1 to 10); index 0 is unused.
constexpr int8_t kMonsterLimits[] = {0, 3, 4, 4, 4, 4, 4, 4, 5, 5, 5};

bool isTunnel(int8_t c) { return c == data::kVertical || c == data::kHorizontal; }

int32_t nextEarthSet(int32_t s) { return s % data::kEarthSets + 1; }

}  // namespace

Level::Level() { lastLevel = data::kLastLevel; }

void Level::setup() {
  tileImages = new GameImageArray(tileNames->length);
  for (int32_t i = 0; i < kTilesBeforeCherry; ++i) (*tileImages)[i] = GameImage::create((*tileNames)[i]);
  cherryImage = GameImage::create((*cherryFrames)[0]);
  for (int32_t i : {kTileCrystal, kTileEaten}) (*tileImages)[i] = GameImage::create((*tileNames)[i]);
  levelChars = new DbyteArray(kFileCells);
  levelCells = new DshortArray(kFileCells);
  crystalsPerLevel = new DbyteArray(levelsPerFile);
  mapCells = new DshortArray(kCellsPerLevel);
  dirtyCells = new DintArray(kCellsPerLevel);
  dirtyCount = 0;
  updateMonsterLimit();
  earthSet = 1;
}

DStringPtr Level::fileName(int32_t level) {
  return (DStringPtr(data::kLevelPrefix) + (((level - 1) >> 3) + 1)) + data::kLevelSuffix;
}

int32_t Level::load(DStringPtr path) {
  nuv::io::DInputStreamPtr stream = GameLib::loadFile(path);
  if (stream.isNull()) return -1;
  nuv::io::DDataInputStreamPtr in = new nuv::io::DDataInputStream(stream);
  int32_t count = 0;
  gamelib::ResourceDamage::reading(path, [&] {
    // The leading word means nothing to the game.
    in->readShort();
    while (count < levelChars->length) {
      int32_t n = in->read(levelChars, count, levelChars->length - count);
      if (n < 0) break;
      count += n;
    }
  });
  stream->close();
  // Nothing of a short file is decoded: the grids read so far may belong to no level at all.
  if (count < levelChars->length) gamelib::ResourceDamage::refuse(path, u"the file ends before its last level");
  decode();
  return 0;
}

void Level::decode() {
  for (int32_t level = 0; level < levelsPerFile; ++level) (*crystalsPerLevel)[level] = 0;
  for (int32_t level = 0; level < levelsPerFile; ++level) {
    for (int32_t row = 0; row < mapRows; ++row) {
      for (int32_t col = 0; col < mapCols; ++col) {
        const int32_t at = (level * mapRows + row) * mapCols + col;
        const int8_t c = (*levelChars)[at];
        int32_t w = 0;
        if (c == data::kSquare || c == data::kVertical) {
          w = CELL_VERTICAL;
          if (col != 0 && isTunnel((*levelChars)[at - 1])) w = CELL_TUNNELS;
          if (col != mapCols - 1 && isTunnel((*levelChars)[at + 1])) w |= CELL_HORIZONTAL;
        }
        if (c == data::kSquare || c == data::kHorizontal) {
          w |= CELL_HORIZONTAL;
          if (row != 0 && isTunnel((*levelChars)[at - mapCols])) w = CELL_TUNNELS;
          if (row != mapRows - 1 && isTunnel((*levelChars)[at + mapCols])) w |= CELL_VERTICAL;
        }
        if (c == data::kSquare) w |= CELL_TUNNELS | CELL_OPEN;
        if (c == data::kBag) w = CELL_BAG;
        if (c == data::kCrystal) {
          w = CELL_CRYSTAL;
          ++(*crystalsPerLevel)[level];
        }
        (*levelCells)[at] = static_cast<int16_t>(w);
      }
    }
  }
}

void Level::startLevel(int32_t n) {
  const int32_t p = (n - 1) & (levelsPerFile - 1);
  for (int32_t i = 0; i < kCellsPerLevel; ++i) (*mapCells)[i] = (*levelCells)[p * kCellsPerLevel + i];
  crystalsLeft = (*crystalsPerLevel)[p];
  bonusSteps = bonusDelay;
  crystalRecountSteps = crystalRecountDelay;
  cherryShown = false;
  bonusActive = false;

  for (int32_t b = 0; b < maxBags; ++b) (*bags)[b]->reset();
  int32_t slot = 0;
  for (int32_t row = 0; row < mapRows; ++row) {
    for (int32_t col = 0; col < mapCols; ++col) {
      int16_t& cell = (*mapCells)[row * mapCols + col];
      if (cell != CELL_BAG) continue;
      cell = CELL_EARTH;
      // Bags past the slots stay plain earth.
      if (slot < maxBags) (*bags)[slot++]->place(row, col);
    }
  }
  for (int32_t m = 0; m < maxMonsters; ++m) (*monsters)[m]->reset();

  const int32_t s = earthSet;
  earthImage = GameImage::create(DStringPtr(data::kEarthPrefix) + s + u".png");
  altEarthImage = GameImage::create(DStringPtr(data::kEarthPrefix) + nextEarthSet(s) + u".png");
  verticalTile = GameImage::create((earthName + s) + data::kTunnelSuffixes[0]);
  horizontalTile = GameImage::create((earthName + s) + data::kTunnelSuffixes[1]);
  crossingTile = GameImage::create((earthName + s) + data::kTunnelSuffixes[2]);
  crystalTile = GameImage::create((earthName + s) + data::kTunnelSuffixes[3]);
  earthSet = nextEarthSet(s);
  levelStartSound = true;
}

void Level::nextLevel() {
  SoundManager::stopAll();
  const int32_t n = levelNumber;
  if (n < lastLevel) {
    openLevel.reach(n + 1);
    // The next file's levels begin after every eighth.
    if ((n >> 3) != ((n - 1) >> 3) && load(fileName(n + 1)) != 0) {
      BurrowGame::reportMissingLevel();
      return;
    }
    levelNumber = n + 1;
    updateMonsterLimit();
    startLevel(n + 1);
    paintAll();
    stepDelay = levelStartDelay;
    BurrowGame::setState(BurrowGame::LEVEL_INTRO);
    return;
  }
  // Every level cleared: the game is over, with its score judged for the table.
  GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
  BurrowGame::finishGame(BurrowGame::HIGH_SCORES);
}

void Level::updateMonsterLimit() {
  const int32_t tier = levelTier();
  if (tier >= 1 && tier <= 10) monsterLimit = kMonsterLimits[tier];
}

void Level::releaseImages() {
  tileImages = nullptr;
  for (GameImagePtr* image :
       {&cherryImage, &earthImage, &altEarthImage, &verticalTile, &horizontalTile, &crossingTile, &crystalTile}) {
    *image = nullptr;
  }
  levelChars = nullptr;
  levelCells = nullptr;
  crystalsPerLevel = nullptr;
  mapCells = nullptr;
}

}  // namespace burrow
