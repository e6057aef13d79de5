// The ladders game's test fixture.
#include "games/climber/ClimberObjectsFixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Atlas.h"
#include "Png.h"
#include "TextTables.h"
#include "core/io/D7zipInputStream.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "platform/seam/clock.h"

namespace climbertest {

using namespace climber;
using gamelib::GameImage;
using gamelib::GameLib;
using gamelib::GameMenu;

namespace {

struct Sprite {
  std::string key;
  int w, h;
  uint32_t colour;
};

std::vector<Sprite> sprites() {
  std::vector<Sprite> list;
  for (int i = 0; i < 5; ++i) {
    list.push_back({datakit::toUtf8(data::kBackgrounds[i]), kBackgroundColumns * kCellW, kBackgroundRows * kCellH,
                    kBackgroundColours[i]});
  }
  for (int i = 0; i < 4; ++i)
    list.push_back({"brick" + std::to_string(i + 1) + ".png", kCellW, kCellH, kBrickColours[i]});
  list.push_back({"brick_armour1.png", kCellW, kCellH, kArmourColour});
  for (int i = 0; i < 3; ++i) list.push_back({"gold" + std::to_string(i + 1) + ".png", 8, 6, kGoldColours[i]});
  list.push_back({"door_open2.png", kCellW, kCellH, 0xFFFFFF});
  list.push_back({"door_close.png", kCellW, kCellH, 0x404040});
  list.push_back({"brick_disappear1.png", kCellW, kCellH, 0x00C0C0});
  list.push_back({"brick_disappear2.png", kCellW, kCellH, 0xC0C000});
  list.push_back({"brick_disappear3.png", kCellW, kCellH, kHalfBrickColour});
  list.push_back({"ladder.png", kCellW, kCellH, kLadderColour});
  list.push_back({"handrail.png", kCellW, kCellH, 0xC0C0C0});
  list.push_back({"hero_idle.png", kHeroW, kHeroH, kHeroColour});
  list.push_back({"enemy_idle.png", kHeroW, kHeroH, 0xC00000});
  list.push_back({"hero_frame.png", kHeroW, kHeroH, 0x00E0E0});
  list.push_back({"enemy_frame.png", kHeroW, kHeroH, 0xE00000});
  return list;
}

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

// The shared pictures the name entry's keyboard is drawn with, from the built data beside game.dat.
constexpr const char* kKeyboardPictures[] = {"input/input_top.png", "input/input_midd.png", "input/input_bot.png"};

std::string builtPicture(const std::string& name) {
  const std::filesystem::path staged =
      std::filesystem::path(GH_GAME_DAT).parent_path() / "data/archive/graphics/240x320" / name;
  std::ifstream in(staged, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<datakit::TextEntry> texts() {
  std::vector<datakit::TextEntry> list;
  for (const char* key : {"start",      "continue",      "highscores",  "help",     "cfg_keys",      "exit",
                          "mainmenu",   "level",         "score",       "gameover", "clmb_badlevel", "soundfxoff",
                          "soundfxlow", "soundfxnormal", "soundfxhigh", "musicoff", "musiclow",      "musicnormal",
                          "musichigh",  "set_default",   "ok",          "cancel"}) {
    list.push_back({key, datakit::fromUtf8(key, "", 0), 0});
  }
  list.push_back({"ctrl_actions_climber", u"Up;Down;Left;Right;Fire;Dig left;Dig right", 0});
  return list;
}

}  // namespace

std::string levelFile(const std::vector<std::string>& rows) {
  std::string out =
      std::to_string(rows.empty() ? 0 : rows.front().size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
  for (std::string row : rows) {
    for (char& c : row)
      if (c == '.') c = ' ';
    out += row + "\r\n";
  }
  return out;
}

uint16_t imagePixel(const nuv::microedition::lcdui::DImagePtr& image, int32_t x, int32_t y) {
  Raster::RasterSurface* surface = image->rasterSurface();
  Raster::LockedPixels p = surface->lock();
  uint16_t value;
  std::memcpy(&value, p.address + static_cast<ptrdiff_t>(y) * p.pitch + 2 * x, 2);
  Raster::returnsOne(surface, 0);
  return value;
}

void ClimberObjectsFixture::SetUp() {
  GameScreenFixtureBase::SetUp();
  climber::initGlobals();
}

void ClimberObjectsFixture::TearDown() {
  if (!climber::menuFlow.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  climber::releaseGlobals();
  GameScreenFixtureBase::TearDown();
}

void ClimberObjectsFixture::startScreen(const std::map<int, std::string>& levels) {
  std::vector<datakit::AtlasSprite> atlasSprites;
  for (const Sprite& s : sprites()) atlasSprites.push_back({s.key, datakit::Image(s.w, s.h, s.colour)});
  const datakit::Atlas atlas = datakit::packAtlas(atlasSprites, 512);
  std::vector<datakit::TextEntry> anims;
  for (int i = 0; i < data::kAnimationCount; ++i) {
    const bool hero = i < data::kAnimationCount / 2;
    anims.push_back({datakit::toUtf8(data::kAnimationKeys[i]),
                     hero ? u"hero_frame.png;hero_idle.png" : u"enemy_frame.png;enemy_idle.png", 0});
  }
  test::ArchiveFiles files;
  for (const auto& [n, file] : levels) files["data/clmb/maps/" + std::to_string(n) + ".txt"] = file;
  files["graphics/s/clmb/all.txt"] = bytes(datakit::writeAtlasTable(atlas));
  files["graphics/s/clmb/all.png"] = bytes(datakit::encodePng(atlas.picture));
  files["graphics/s/clmb/anim.txt"] = bytes(datakit::writePlainTable(anims, "anim"));
  files["txt/res_en.txt"] = bytes(datakit::writeUtfTable(texts()));
  for (const char* picture : kKeyboardPictures) files[std::string("graphics/s/") + picture] = builtPicture(picture);
  // The fonts and texts of the real data stay loaded; the game's own data comes from this archive.
  nuv::io::D7zipInputStream::closeArchive();
  openArchive(files);
  setPath(u"s/");

  // The same random numbers on every run.
  platform::setManualClock(1000);
  GameMenu::inputClock = 0;
  GameLib::random = new nuv::util::DRandom();
  game = new Climber();
  GameLib::currentScreen = game;
  game->init();
  GameImage::graphics = GameLib::graphics;
}

void ClimberObjectsFixture::playLevel(const std::vector<std::string>& rows) {
  startScreen({{1, levelFile(rows)}});
  Climber::startGame(1);
  ASSERT_EQ(climber::gameState, STATE_LEVEL_INTRO);
  climber::gameState = STATE_PLAYING;
  climber::halfStep = 0;
}

void ClimberObjectsFixture::step() { stepScreen(*game); }

void ClimberObjectsFixture::worldUpdate() {
  step();
  step();
}

void ClimberObjectsFixture::steps(int n) {
  for (int i = 0; i < n; ++i) step();
}

void ClimberObjectsFixture::paint() { paintScreen(*game); }

void ClimberObjectsFixture::choose(int32_t item) { chooseOn(climber::menuFlow->menu(), *game, item); }

char ClimberObjectsFixture::cellAt(int column, int row) {
  const char16_t c = climber::cellAt(column + climber::mapWidth * row);
  return c == u' ' ? '.' : static_cast<char>(c);
}

std::vector<std::string> ClimberObjectsFixture::rows(int first, int count, int width) {
  std::vector<std::string> out;
  for (int r = first; r < first + count; ++r) {
    std::string row;
    for (int c = 0; c < width; ++c) row.push_back(cellAt(c, r));
    out.push_back(row);
  }
  return out;
}

int ClimberObjectsFixture::distance(int column, int row) {
  return (*(*climber::distanceTable)[0])[column + climber::mapWidth * row];
}

}  // namespace climbertest
