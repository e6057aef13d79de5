// The space-rocks game's object fixture: every image name of the game's checker row as a plain coloured
// picture, the level pictures, the tuning values, and the game's own set-up halves.
#include "games/rocks/RocksObjectsFixture.h"

#include "Atlas.h"
#include "GameTable.h"
#include "Png.h"
#include "TextTables.h"
#include "core/util/DRandom.h"
#include "gamelib/GameImage.h"
#include "gamelib/TextTable.h"
#include "platform/seam/clock.h"

namespace rockstest {

using namespace rocks;
using gamelib::GameImage;
using gamelib::GameLib;

namespace {

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

bool startsWith(const std::string& s, const char* head) { return s.rfind(head, 0) == 0; }

// A picture size for each name, by what it is.
datakit::Image pictureFor(const std::string& key, int shipWidth) {
  if (startsWith(key, "spaceship")) return datakit::Image(shipWidth, shipWidth, kShipColour);
  if (startsWith(key, "bb")) return datakit::Image(kShotW, kShotW, 0xFFFFFF);
  if (startsWith(key, "rocket")) return datakit::Image(5, 5, 0xFF8000);
  if (key[0] == 'a' && key.size() >= 3 && key[1] >= '1' && key[1] <= '3') {
    const int w = key[1] == '1' ? kLargeRockW : key[1] == '2' ? kMediumRockW : kSmallRockW;
    return datakit::Image(w, w, kRockColour);
  }
  if (startsWith(key, "ufo3_blink")) return datakit::Image(kBlinkW, kBlinkW, 0xFFFF00);
  if (startsWith(key, "ufo3_damaged")) return datakit::Image(7, 6, 0x400000);
  if (key == "ufo3") return datakit::Image(kBigSaucerW, kBigSaucerH, 0xC00000);
  if (startsWith(key, "ufo")) return datakit::Image(kSaucerW, kSaucerH, 0x40C040);
  if (startsWith(key, "wave")) return datakit::Image(8, 8, 0xFFC000);
  if (startsWith(key, "lifePanel")) return datakit::Image(48, kPanelH, 0x101040);
  if (startsWith(key, "scorePanel")) return datakit::Image(76, kPanelH, 0x101040);
  return datakit::Image(kParticleW, kParticleW, 0xFFFF80);
}

}  // namespace

void RocksObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  rocks::initGlobals();
  rocks::level = 1;
  rocks::boundsOn = false;
  rocks::invulnerable = false;
  rocks::gameState = Rocks::STATE_MENU;
}

void RocksObjectsFixture::TearDown() {
  game = nullptr;
  rocks::releaseGlobals();
  GameLibFixture::TearDown();
}

void RocksObjectsFixture::startGame(int shipWidth) {
  std::vector<datakit::AtlasSprite> sprites;
  for (const std::string& key : datakit::rocksRow().imageKeys) sprites.push_back({key, pictureFor(key, shipWidth)});
  datakit::Atlas atlas = datakit::packAtlas(sprites, 1024);
  std::vector<datakit::TextEntry> texts = {{"Lives", u"3", 0},    {"dx1k", u"4", 0},     {"dx2k", u"3", 0},
                                           {"dx3k", u"2", 0},     {"dx4k", u"0", 0},     {"dy1k", u"-2", 0},
                                           {"dy2k", u"-3", 0},    {"dy3k", u"-4", 0},    {"dy4k", u"-4", 0},
                                           {"youwin", u"Won", 0}, {"level", u"Level", 0}};
  test::ArchiveFiles files;
  files["graphics/s/rck/all.txt"] = bytes(datakit::writeAtlasTable(atlas));
  files["graphics/s/rck/all.png"] = bytes(datakit::encodePng(atlas.picture));
  files["graphics/s/rck/1.png"] = bytes(datakit::encodePng(datakit::Image(kPicture1W, 10, 0x000020)));
  files["graphics/s/rck/2.png"] = bytes(datakit::encodePng(datakit::Image(kPicture2W, 10, 0x002000)));
  files["txt/res_en.txt"] = bytes(datakit::writePlainTable(texts, "texts"));
  openArchive(files);
  setPath(u"s/");
  gamelib::TextTable::load(u"txt/res_en", false);

  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  game = new Rocks();
  game->loadSprites();
  game->makePlayObjects();
  GameImage::graphics = GameLib::graphics;
}

void RocksObjectsFixture::setUpLevel(int level) {
  rocks::level = level;
  game->startLevel(level, 0);
}

FlyingOPtr RocksObjectsFixture::rock(int size, int type, int x, int y, int dx, int dy) {
  return new FlyingO(x, y, dx, dy, 1, size, type, nullptr, 0);
}

FlyingOPtr RocksObjectsFixture::shot(int x, int y, int dx, int dy) {
  return new FlyingO(x, y, dx, dy, 4, 50, 50, u"bb1", 0);
}

FlyingOPtr RocksObjectsFixture::saucer(int type, int x, int y) {
  return new FlyingO(x, y, 0, 0, 1, 150, 150, nuv::lang::DStringPtr(u"ufo") + type, 0);
}

FlyingOArrayPtr RocksObjectsFixture::arrayOf(const std::vector<FlyingOPtr>& objects, int free) {
  FlyingOArrayPtr array = new FlyingOArray(static_cast<int32_t>(objects.size()) + free);
  for (size_t i = 0; i < objects.size(); ++i) (*array)[static_cast<int32_t>(i)] = objects[i];
  return array;
}

int RocksObjectsFixture::count(const FlyingOArrayPtr& objects) {
  int n = 0;
  for (int32_t i = 0; i < objects->length; ++i) n += (*objects)[i].isNull() ? 0 : 1;
  return n;
}

void RocksObjectsFixture::fillBurstRows() {
  for (int32_t row = 0; row < Rocks::kBurstRows; ++row) (*(*game->particleSlots)[row])[Rocks::BURST_PHASE] = 5;
  game->burstCount = Rocks::kBurstRows;
}

void RocksObjectsFixture::setRecord(int index, int x, int y, int dx, int dy, int state) {
  int32_t* p = (*game->particles)[index]->data();
  p[Rocks::P_X] = x;
  p[Rocks::P_Y] = y;
  p[Rocks::P_DX] = dx;
  p[Rocks::P_DY] = dy;
  p[Rocks::P_STATE] = state;
}

}  // namespace rockstest
