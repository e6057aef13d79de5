// The canyon game's river fixture: coloured pictures of known sizes packed into an atlas, the animation
// list, river screens from rows of text, and the game's own preparation for play.
#include "games/canyon/CanyonObjectsFixture.h"

#include <map>

#include "Atlas.h"
#include "Png.h"
#include "TextTables.h"
#include "gamelib/GameImage.h"
#include "gamelib/ScreenCanvas.h"
#include "platform/seam/clock.h"

namespace canyontest {

using namespace canyon;
using gamelib::GameImage;
using gamelib::GameLib;

namespace {

struct Sprite {
  std::string key;
  int w, h;
  datakit::Rgb colour;
};

// The tile of code n is "t" + n, in a colour of its own; tile 0 is the cell-size tile.
std::string tileName(int code) { return code == 0 ? "g1a.png" : "t" + std::to_string(code); }
datakit::Rgb tileColour(int code) { return datakit::rgb(code, 255 - code, (code * 37) % 200); }

std::vector<Sprite> sprites() {
  std::vector<Sprite> list;
  for (int code = 0; code < data::kTileCount; ++code) list.push_back({tileName(code), kCell, kCell, tileColour(code)});
  const std::vector<Sprite> units = {
      {"airplane.png", kPlaneW, kPlaneH, 0xE0E0E0},
      {"bank", kPlaneW, kPlaneH, 0xD0D0D0},
      {"life176.png", 9, 9, 0xC0C0C0},
      {"barell176.png", 20, 62, 0x202040},
      {"indicator176.png", 8, 54, 0x40FF40},
      {"bullet.png", 2, 6, 0xFFFF00},
      {"bullet_enemy.png", 4, 2, 0xFF8000},
      {"bridge.png", kBridgeW, kBridgeH, 0x606060},
      {"bridge_destruction.png", kBridgeW, kBridgeH, 0x303030},
      {"boom", 16, 16, 0xFF4000},
      {"splash", 24, 12, 0xC0FFFF},
      {"flyer", kFlyerW, kFlyerH, 0xA00000},
      {"balloon", 10, 14, 0xFF80A0},
      {"gun", 12, 10, 0x506050},
      {"heli", 16, 10, 0x30A030},
      {"ship", kShipW, kShipH, 0x802020},
      {"tank", kTankW, kTankH, 0x407040},
      {"train", 32, 8, 0x800000},
      {"fuel", kFuelW, kFuelH, 0xFF2020},
  };
  list.insert(list.end(), units.begin(), units.end());
  return list;
}

std::string repeat(const std::string& frame, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i ? ";" : "") + frame;
  return out;
}

std::vector<datakit::TextEntry> animationList() {
  std::u16string land;
  for (int code = 0; code < data::kTileCount; ++code) {
    const std::string name = tileName(code);
    land += (code ? u";" : u"") + std::u16string(name.begin(), name.end());
  }
  std::vector<datakit::TextEntry> list = {{"land", land, 0}};
  const std::map<std::string, std::string> frames = {
      {"airplaneL", "bank;bank"},
      {"airplaneR", "bank;bank"},
      {"airExplosion", repeat("boom", kBoomFrames)},
      {"groundExplosion", repeat("splash", kBoomFrames)},
      {"airplainEnemyL1", "flyer;flyer"},
      {"airplainEnemyR1", "flyer;flyer"},
      {"airplainEnemyL3", "flyer;flyer"},
      {"airplainEnemyR3", "flyer;flyer"},
      {"balloonL1", "balloon;balloon"},
      {"balloonR1", "balloon;balloon"},
      {"balloonL2", "balloon;balloon"},
      {"balloonR2", "balloon;balloon"},
      {"gunL", "gun;gun"},
      {"gunR", "gun;gun"},
      {"fuel", "fuel;fuel"},
      {"trainL", "train;train"},
      {"trainR", "train;train"},
  };
  for (const auto& [key, value] : frames) list.push_back({key, std::u16string(value.begin(), value.end()), 0});
  for (const char* side : {"L", "R"}) {
    for (int n = 1; n <= 3; ++n)
      list.push_back({std::string("helicopter") + side + std::to_string(n), u"heli;heli", 0});
    for (int n = 1; n <= 2; ++n) list.push_back({std::string("ship") + side + std::to_string(n), u"ship;ship", 0});
    for (int n = 1; n <= 4; ++n) list.push_back({std::string("tank") + side + std::to_string(n), u"tank;tank", 0});
  }
  return list;
}

std::string text(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

constexpr int kWater = data::kWaterFirst;
constexpr int kLand = 0;

}  // namespace

datakit::CanyonScreen screenOf(const std::vector<std::string>& given) {
  datakit::CanyonScreen cells;
  for (int r = 0; r < data::kRowsPerScreen; ++r) {
    const std::string& row = r < static_cast<int>(given.size()) ? given[r] : kChannel;
    for (int c = 0; c < data::kColumns; ++c) {
      datakit::CanyonCell cell;
      const char ch = row.at(static_cast<size_t>(c));
      static const std::map<char, int> objects = {{'B', 0},  {'F', 24}, {'P', 1},  {'Q', 3},  {'O', 5}, {'H', 9},
                                                  {'S', 12}, {'G', 7},  {'T', 14}, {'R', 18}, {'A', 22}};
      auto object = objects.find(ch);
      if (object != objects.end()) cell.object = object->second;
      if (ch == '.' || ch == 'G') cell.base = kLand;
      if (ch == '=' || ch == 'T' || ch == 'R' || ch == 'A') {
        cell.base = kLand;
        cell.overlay = data::kRoadFirst;
      }
      if (ch == '~' || ch == 'B' || ch == 'F' || ch == 'P' || ch == 'Q' || ch == 'O' || ch == 'H' || ch == 'S')
        cell.base = kWater;
      cells.push_back(cell);
    }
  }
  return cells;
}

void CanyonObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  canyon::initGlobals();
}

void CanyonObjectsFixture::TearDown() {
  game = nullptr;
  canyon::releaseGlobals();
  GameLibFixture::TearDown();
}

void CanyonObjectsFixture::start(const std::vector<datakit::CanyonScreen>& screens,
                                 const std::vector<std::vector<int>>& levels) {
  startWithFile(text(datakit::writeCanyonScreenFile(screens, levels)));
}

void CanyonObjectsFixture::startWithFile(const std::string& screenFile) {
  packFiles(screenFile);
  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  game = new CanyonGame();
  GameImage::loadImageTable(data::kImageTable);
  game->preparePlay();
  GameImage::graphics = GameLib::graphics;
}

void CanyonObjectsFixture::packFiles(const std::string& screenFile) {
  std::vector<datakit::AtlasSprite> atlasSprites;
  for (const Sprite& s : sprites()) atlasSprites.push_back({s.key, datakit::Image(s.w, s.h, s.colour)});
  const datakit::Atlas atlas = datakit::packAtlas(atlasSprites);
  openArchive({{"graphics/s/cy/all.txt", text(datakit::writeAtlasTable(atlas))},
               {"graphics/s/cy/all.png", text(datakit::encodePng(atlas.picture))},
               {"data/cy/anim.txt", text(datakit::writePlainTable(animationList(), "anim"))},
               {"data/cy/screens.bin", screenFile}});
  setPath(u"s/");
}

void CanyonObjectsFixture::startRun(int level) {
  levelIndex = level;
  lives = kStartLives;
  score = 0;
  presencePercent = 100;
  ASSERT_TRUE(game->startRun());
  gameState = STATE_PLAYING;
}

void CanyonObjectsFixture::step() {
  platform::advanceManualClock(30);
  GameImage::graphics = GameLib::graphics;
  game->updateWorld();
  if (gameState != STATE_PLAYING && gameState != STATE_LEVEL_END) return;
  if (planeState == PLANE_EXPLODING) airExplosion->paint(riverX + planeX, viewTop - planeY);
  for (int32_t i = firstIndex; !entities.isNull() && i < entities->length; ++i) {
    Entity& entity = *(*entities)[i];
    if (entity.y > viewTop - viewHeight && entity.y - entity.height < viewTop) entity.paint(riverX);
  }
}

void CanyonObjectsFixture::steps(int n) {
  for (int i = 0; i < n; ++i) step();
}

void CanyonObjectsFixture::beVulnerable() {
  invulnerableCounter = kInvulnerableSteps;
  invulnerable = false;
}

Entity& CanyonObjectsFixture::place(int code, int x, int y, bool onRoad) {
  EntityPtr entity = new Entity(code, x, y, 0);
  entity->onRoad = onRoad;
  const int32_t n = entities.isNull() ? 0 : entities->length;
  EntityArrayPtr list = new EntityArray(n + 1);
  // Kept in order from the bottom up, as the run start orders them.
  int32_t at = 0;
  bool placed = false;
  for (int32_t i = 0; i < n; ++i) {
    EntityPtr old = (*entities)[i];
    if (!placed && old->y > y) {
      (*list)[at++] = entity;
      placed = true;
    }
    (*list)[at++] = old;
  }
  if (!placed) (*list)[at] = entity;
  entities = list;
  firstIndex = 0;
  return *entity;
}

}  // namespace canyontest
