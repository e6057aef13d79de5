// The maze game's object fixture: pictures of known sizes and colours packed into an atlas, the animation
// list, a font for the menu, maps from the test, and the game's own loading.
#include "games/gobbler/GobblerObjectsFixture.h"

#include "Atlas.h"
#include "Fonts.h"
#include "Png.h"
#include "TextTables.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ScreenCanvas.h"
#include "games/gobbler/Gobbler.h"
#include "platform/seam/clock.h"

namespace gobblertest {

using gamelib::GameLib;
using namespace gobbler;

namespace {

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

std::string ascii(const char16_t* text) {
  std::string out;
  for (; *text != 0; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

std::string withoutMirror(std::string key) {
  if (key.size() > 3 && key.compare(key.size() - 3, 3, "_mr") == 0) key.resize(key.size() - 3);
  return key;
}

std::u16string wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// One font page of the printable ASCII characters, for the menu's sizes; the game draws through it.
void addFont(test::ArchiveFiles& files) {
  datakit::FontRenderer renderer(DATAKIT_FONT_DIR);
  datakit::FontStyle style;
  style.pixels = 9;
  std::u16string charset;
  for (char16_t c = u' '; c <= u'~'; ++c) charset.push_back(c);
  std::vector<datakit::FontPage> pages = renderer.renderPages(style, datakit::fontCharacters(style, charset), 1);
  for (size_t p = 0; p < pages.size(); ++p) {
    files["f/font_" + std::to_string(p) + ".png"] = bytes(datakit::encodePng(pages[p].picture));
    files["f/font_" + std::to_string(p)] = bytes(datakit::writeFontMetrics(pages[p]));
  }
}

}  // namespace

uint32_t tileColour(int style, int tile) {
  return 0x101010u * static_cast<uint32_t>(style + 1) + 0x0400u * tile + 0x80;
}

std::string mapFile(const Map& rows) {
  std::string out;
  for (size_t i = 0; i < rows.size(); ++i) out += (i > 0 ? "\r\n" : "") + rows[i];
  return out;
}

void GobblerObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  gobbler::initGlobals();
}

void GobblerObjectsFixture::TearDown() {
  game = nullptr;
  menuFlow = nullptr;
  screen = nullptr;
  gobbler::releaseGlobals();
  GameLibFixture::TearDown();
}

void GobblerObjectsFixture::startGame(const std::vector<Map>& maps, int cell) {
  cellSize = cell;
  std::vector<datakit::AtlasSprite> sprites;
  auto add = [&](const std::string& key, int w, int h, uint32_t colour) {
    sprites.push_back({key, datakit::Image(w, h, colour)});
  };
  for (int i = 0; i < data::kPlayerFrameCount; ++i) {
    add(ascii(data::kPlayerFrames[i]), cell, cell, 0x00F000 + i);
    add(ascii(data::kPlayerPowerFrames[i]), cell, cell, 0xF0F000 + i);
  }
  for (int i = 0; i < data::kChaserFrameCount; ++i) {
    const std::string key = withoutMirror(ascii(data::kChaserFrames[i]));
    if (key == ascii(data::kChaserFrames[i])) add(key, cell, cell, 0xF00000 + i);
  }
  for (int i = 0; i < data::kPopupCount; ++i) add(ascii(data::kPopupFrames[i]), 8, 4, 0xFFFF00 + i);
  for (int s = 0; s < data::kTileStyles; ++s) {
    const std::string digit = std::to_string(s + 1);
    add(digit + ascii(data::kDoorName), cell, 2, 0xA0A0A0);
    for (int t = 0; t < data::kTilesPerStyle; ++t) {
      add(digit + ascii(data::kWallTileName) + twoDigits(t) + ".png", cell, cell, tileColour(s, t));
    }
  }
  std::vector<datakit::TextEntry> animations;
  auto frames = [&](const std::string& name, const std::string& prefix, int count, int w, int h, uint32_t colour) {
    std::u16string list;
    for (int i = 0; i < count; ++i) {
      add(prefix + std::to_string(i) + ".png", w, h, colour + i);
      list += (i > 0 ? u";" : u"") + wide(prefix + std::to_string(i) + ".png");
    }
    animations.push_back({name, list, 0});
  };
  frames(ascii(data::kDeathAnimation), "death", kDeathFrames, cell, cell, 0x300000);
  frames(ascii(data::kChangeAnimation), "change", kChangeFrames, cell, cell, 0x003000);
  for (int k = 0; k < data::kFruitKinds; ++k) {
    frames(ascii(data::kFruitAnimations[k]), "fruit" + std::to_string(k) + "_", kFruitFrames, cell, cell,
           0x000030 + 0x100 * k);
  }
  frames(ascii(data::kDotAnimation), "dot", 1, 2, 2, 0xFFFFF0);
  frames(ascii(data::kPowerDotAnimation), "big", 2, 6, 6, 0xFFE000);
  frames(ascii(data::kPortalAnimation), "portal", 2, cell, cell, 0x8000FF);

  datakit::Atlas atlas = datakit::packAtlas(sprites, 1024);
  test::ArchiveFiles files;
  files["graphics/s/gob/all.txt"] = bytes(datakit::writeAtlasTable(atlas));
  files["graphics/s/gob/all.png"] = bytes(datakit::encodePng(atlas.picture));
  files["graphics/s/gob/gobbler_anim.txt"] = bytes(datakit::writePlainTable(animations, "anim"));
  for (int m = 0; m < data::kMapCount; ++m) {
    const Map& rows = maps[std::min<size_t>(m, maps.size() - 1)];
    files[ascii(data::kMapFiles[m]).substr(1)] = mapFile(rows);
  }
  addFont(files);
  openArchive(files);
  setPath(u"s/");

  gamelib::ImageFontPtr font = new gamelib::ImageFont();
  font->load(u"f");
  GameLib::fonts = new gamelib::ImageFontArray(GameLib::FONT_COUNT);
  for (int i = 0; i < GameLib::FONT_COUNT; ++i) (*GameLib::fonts)[i] = font;
  // The end of a game goes back to the screen's menu.
  screen = new Gobbler();
  screen->makeMenuFlow();

  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  gamelib::GameImage::loadImageTable(data::kImageTable);
  game = new GobblerGame();
  game->load();
  Gobbler::measureMaze();
  gamelib::GameImage::graphics = GameLib::graphics;
  screenState = Gobbler::STATE_PLAY;
}

void GobblerObjectsFixture::newGame(int mode) {
  gameMode = mode;
  game->newMap();
  steps(startDelay);
}

void GobblerObjectsFixture::steps(int n) {
  for (int i = 0; i < n; ++i) {
    platform::advanceManualClock(60);
    game->roundStep();
  }
}

void GobblerObjectsFixture::putPlayer(int column, int row) {
  player->setPosition(column * cellWidth, row * cellHeight);
  player->lastCell->set(-1, -1);
}

void GobblerObjectsFixture::putChaser(SpookyBase& chaser, int column, int row) {
  chaser.setPosition(column * cellWidth, row * cellHeight);
  chaser.waitCounter = 0;
  chaser.lastCell->set(-1, -1);
}

void GobblerObjectsFixture::parkChasers() {
  for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) c->waitCounter = 1000000;
}

}  // namespace gobblertest
