// The tunnel game's object fixture: tiles and sprites of the real sizes packed into an atlas, tiny sounds,
// and the game's own sprite loading and making of its objects of play.
#include "games/burrow/BurrowObjectsFixture.h"

#include "Atlas.h"
#include "Png.h"
#include "Sound.h"
#include "TextTables.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameImage.h"
#include "gamelib/SoundManager.h"
#include "platform/seam/clock.h"

namespace burrowtest {

using namespace burrow;
using gamelib::GameLib;
using gamelib::SoundManager;
namespace bdata = burrow::data;

namespace {

constexpr int kCell = 15;

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

std::string keyOf(const char16_t* name) {
  std::string key = datakit::toUtf8(name);
  for (const char* suffix : {"_up", "_dn", "_mr"})
    if (key.size() > 3 && key.compare(key.size() - 3, 3, suffix) == 0) key.resize(key.size() - 3);
  return key;
}

// Every key the game asks for, as a cell-sized block of one colour: the map's tiles in their own colours.
std::vector<datakit::AtlasSprite> sprites() {
  std::map<std::string, datakit::Rgb> colours = {
      {"earth_1.png", kEarthColour},    {"earth1_2.png", kVerticalColour}, {"earth1_3.png", kCrossingColour},
      {"earth1_4.png", kCrystalColour}, {"diamondEat.png", kEatenColour},  {"cherry.png", kCherryColour},
      {"sack_00.png", kBagColour},
  };
  for (int k = 1; k <= 5; ++k) colours["earthMask_" + std::to_string(k) + ".png"] = kMaskColour;
  for (int s = 2; s <= bdata::kEarthSets; ++s) {
    const std::string set = std::to_string(s);
    colours["earth_" + set + ".png"] = kEarthColour + 0x10 * s;
    colours["earth" + set + "_2.png"] = kVerticalColour;
    colours["earth" + set + "_3.png"] = kCrossingColour;
    colours["earth" + set + "_4.png"] = kCrystalColour;
  }
  std::vector<const char16_t*> names = {bdata::kLifeIcon};
  auto add = [&](const auto& list) {
    for (const char16_t* n : list) names.push_back(n);
  };
  add(bdata::kTileNames), add(bdata::kCherryFrames), add(bdata::kBagFrames), add(bdata::kBoltFrames);
  add(bdata::kEnemyUpFrames), add(bdata::kEnemySideFrames), add(bdata::kEnemyDieFrames), add(bdata::kEnemyEatFrames);
  add(bdata::kEnemyEatDeathFrames), add(bdata::kMinerFrames), add(bdata::kMinerDieFrames), add(bdata::kBonusFrames);
  std::vector<datakit::AtlasSprite> out;
  for (auto& [key, colour] : colours) out.push_back({key, datakit::Image(kCell, kCell, colour)});
  for (const char16_t* name : names) {
    const std::string key = keyOf(name);
    if (colours.count(key)) continue;
    colours[key] = 0x202020;
    out.push_back({key, datakit::Image(kCell, kCell, 0x202020 + static_cast<datakit::Rgb>(out.size()))});
  }
  return out;
}

}  // namespace

std::string grid(const std::vector<std::string>& rows) {
  std::string out;
  for (size_t r = 0; r < static_cast<size_t>(bdata::kMapRows); ++r) {
    std::string row = r < rows.size() ? rows[r] : "";
    row.resize(bdata::kMapCols, '.');
    out += row;
  }
  return out;
}

std::string levelFile(const std::vector<std::string>& grids) {
  std::string out(2, '\0');
  for (size_t i = 0; i < static_cast<size_t>(bdata::kLevelsPerFile); ++i) out += i < grids.size() ? grids[i] : grid({});
  return out;
}

void BurrowObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  startSound();
}

void BurrowObjectsFixture::startGame(const test::ArchiveFiles& files) {
  datakit::Atlas atlas = datakit::packAtlas(sprites());
  test::ArchiveFiles all = files;
  all["graphics/s/bur/all.txt"] = bytes(datakit::writeAtlasTable(atlas));
  all["graphics/s/bur/all.png"] = bytes(datakit::encodePng(atlas.picture));
  const std::string blip = bytes(datakit::synthesiseEffect("v1.wave=square\nv1.freq=440\nv1.length=0.01\n", "blip"));
  for (const char16_t* sound : bdata::kSounds) all[datakit::toUtf8(sound).substr(1) + ".wav"] = blip;
  openArchive(all);
  setPath(u"s/");

  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  nuv::lang::DStringArrayPtr list = new nuv::lang::DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*list)[i] = bdata::kSounds[i];
  SoundManager::loadSounds(list);
  SoundManager::setSfxLevel(2);
  BurrowGame::loadSprites();
  BurrowGame::makePlayObjects();
  gamelib::GameImage::graphics = GameLib::graphics;
  // The field at the screen's corner, so that field and screen positions agree.
  scrollX = scrollY = homeScrollX = centreScrollY = lastScrollX = lastScrollY = 0;
  gameState = BurrowGame::PLAY;
  stepDelay = 0;
  takeSound();
}

void BurrowObjectsFixture::startLevel(const std::vector<std::string>& rows) {
  startGame({{"data/bur/data/1.txt", levelFile({grid(rows)})}});
  levelNumber = 1;
  ASSERT_TRUE(BurrowGame::newLevel());
  gameState = BurrowGame::PLAY;
  takeSound();
}

int32_t BurrowObjectsFixture::cell(int32_t column, int32_t row) { return (*mapCells)[row * mapCols + column] & 0xFFFF; }

void BurrowObjectsFixture::putHero(int32_t column, int32_t row, int32_t direction) {
  Player& p = hero();
  p.column = column;
  p.row = row;
  p.x = column * cellSize;
  p.y = row * cellSize;
  p.offsetX = p.offsetY = 0;
  p.direction = direction;
  p.spawnGuard = 0;
}

Monster& BurrowObjectsFixture::putMonster(int32_t index, int32_t column, int32_t row, int32_t direction) {
  Monster& m = monster(index);
  m.active = true;
  m.dying = false;
  m.column = column;
  m.row = row;
  m.x = column * cellSize;
  m.y = row * cellSize;
  m.offsetX = m.offsetY = 0;
  m.direction = direction;
  m.waitSteps = 0;
  return m;
}

int32_t BurrowObjectsFixture::takeSound() {
  int32_t id = -1;
  if (!SoundManager::players.isNull() && !SoundManager::current.isNull()) {
    for (int32_t i = 0; i < SoundManager::players->length; ++i)
      if ((*SoundManager::players)[i].get() == SoundManager::current.get()) id = i;
  }
  SoundManager::current = nullptr;
  return id;
}

void BurrowObjectsFixture::paintMovers() {
  for (int32_t i = 0; i < maxMonsters; ++i) monster(i).update();
  hero().paint();
  firebolt->paint();
}

uint16_t BurrowObjectsFixture::fieldPixel(int32_t x, int32_t y) {
  return gltest::canvasPixel(scrollX + x, scrollY + y);
}

}  // namespace burrowtest
