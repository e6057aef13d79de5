// The brick game's object fixture: pictures of known sizes packed into an atlas, the animation list, and
// the game's own sprite loading and making of its objects of play.
#include "games/bounce/ObjectsFixture.h"

#include "Atlas.h"
#include "Png.h"
#include "TextTables.h"
#include "gamelib/GameImage.h"
#include "platform/seam/clock.h"

namespace bouncetest {

using namespace bounce;
using gamelib::GameImage;
using gamelib::GameLib;

namespace {

struct Sprite {
  const char* key;
  int w, h;
  datakit::Rgb colour;
};

// Every picture the objects name. Bricks have distinct colours so a test can tell them apart.
const std::vector<Sprite>& sprites() {
  static const std::vector<Sprite> list = {
      {"b_flash.png", kBrickW, kBrickH, 0xFFFFFF},
      {"b1_0.png", kBrickW, kBrickH, 0xFF0000},
      {"b1_1.png", kBrickW, kBrickH, 0xC00000},
      {"b2_0.png", kBrickW, kBrickH, 0x00FF00},
      {"b2_1.png", kBrickW, kBrickH, 0x00C000},
      {"b2_2.png", kBrickW, kBrickH, 0x008000},
      {"b3_0.png", kBrickW, kBrickH, 0x0000FF},
      {"b4.png", kBrickW, kBrickH, 0xFFFF00},
      {"b5.png", kBrickW, kBrickH, 0x808080},
      {"b6.png", kBrickW, kBrickH, 0x00FFFF},
      {"b7.png", kBrickW, kBrickH, 0xFF8000},
      {"b8_0.png", kBrickW, kBrickH, 0x800080},
      {"b9_0.png", kBrickW, kBrickH, 0x404040},
      {"b9_p0.png", 7, 3, 0x101010},
      {"b9_p1.png", 7, 3, 0x202020},
      {"b9_p2.png", 7, 3, 0x303030},
      {"b9_p3.png", 7, 3, 0x505050},
      {"t1_L.png", kWallW, 16, 0x603000},
      {"t2_L.png", kWallW, 16, 0x604000},
      {"t3_L.png", kWallW, 16, 0x605000},
      {"t4_L.png", kWallW, kCornerH, 0x606000},
      {"ball1.png", kBallW, kBallW, 0xE0E0E0},
      {"ballSmall.png", 4, 4, 0xD0D0D0},
      {"ballBig.png", 8, 8, 0xF0F0F0},
      {"fireSmall", 4, 4, 0xFF4000},
      {"fire", kBallW, kBallW, 0xFF5000},
      {"fireBig", 8, 8, 0xFF6000},
      {"bullet.png", 2, 4, 0xFFFF80},
      {"bomba-monstr_0.png", 6, 6, 0x202000},
      {"padSmall", 20, kPaddleH, 0x0080FF},
      {"padNormal", kPaddleW, kPaddleH, 0x0090FF},
      {"padBig", 40, kPaddleH, 0x00A0FF},
      {"gun", kPaddleW, kPaddleH, 0x406080},
      {"lower", kPaddleW, 3, 0x204060},
      {"lowerTurbo", kPaddleW, 3, 0x206040},
      {"flame", 4, 4, 0xFF2000},
      {"glue", kPaddleW, 2, 0x80FF80},
      {"exit", 20, 10, 0x102030},
      {"monster", kEnemyW, kEnemyH, 0x30A030},
      {"bonus", kBonusW, kBonusH, 0xA0A030},
      {"effect", kBrickW, kBrickH, 0x90F0F0},
  };
  return list;
}

// Two-frame animations unless the frames say otherwise.
const std::vector<std::pair<const char*, const char16_t*>>& animationList() {
  static const std::vector<std::pair<const char*, const char16_t*>> list = {
      {"ballFireSmall", u"fireSmall;fireSmall"},
      {"ballFire", u"fire;fire"},
      {"ballFireBig", u"fireBig;fireBig"},
      {"monst0", u"monster;monster"},
      {"monst1", u"monster;monster"},
      {"monst2", u"monster;monster"},
      {"small", u"padNormal;padSmall"},
      {"desmall", u"padSmall;padNormal"},
      {"bigger", u"padNormal;padBig"},
      {"debigger", u"padBig;padNormal"},
      {"armed", u"gun;gun"},
      {"dearmed", u"gun;gun"},
      {"turbo", u"lower;lowerTurbo"},
      {"deturbo", u"lowerTurbo;lower"},
      {"flames", u"flame;flame"},
      {"flames2", u"flame;flame"},
      {"gilzLeft1", u"flame;flame"},
      {"gilzRight1", u"flame;flame"},
      {"Clue", u"glue;glue"},
      {"exit", u"exit;exit"},
      {"b3dis", u"effect;effect"},
      {"b3app", u"effect;effect"},
      {"iskra", u"effect;effect"},
      {"detonation", u"effect;effect"},
  };
  return list;
}

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

std::string roundFile(const std::vector<std::string>& rows) {
  std::string out;
  for (size_t i = 0; i < static_cast<size_t>(fieldRows); ++i) {
    out += (i < rows.size() ? rows[i] : kEmptyRow) + "\r\n";
  }
  return out;
}

void ObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  bounce::initGlobals();
}

void ObjectsFixture::TearDown() {
  game = nullptr;
  bounce::releaseGlobals();
  GameLibFixture::TearDown();
}

void ObjectsFixture::startGame(const test::ArchiveFiles& rounds) {
  std::vector<datakit::AtlasSprite> atlasSprites;
  for (const Sprite& s : sprites()) atlasSprites.push_back({s.key, datakit::Image(s.w, s.h, s.colour)});
  datakit::Atlas atlas = datakit::packAtlas(atlasSprites);
  std::vector<datakit::TextEntry> anims;
  for (const auto& [key, frames] : animationList()) anims.push_back({key, frames, 0});
  for (int k = 1; k <= data::kBonusKinds; ++k) {
    anims.push_back({"bnc_bon" + std::to_string(k), u"bonus;bonus", 0});
  }
  test::ArchiveFiles files = rounds;
  files["graphics/s/bnc/all.txt"] = bytes(datakit::writeAtlasTable(atlas));
  files["graphics/s/bnc/all.png"] = bytes(datakit::encodePng(atlas.picture));
  files["graphics/s/bnc/anim.txt"] = bytes(datakit::writePlainTable(anims, "anim"));
  openArchive(files);
  setPath(u"s/");

  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  game = new Bounce();
  game->loadSprites();
  game->makePlayObjects();
  GameImage::graphics = GameLib::graphics;
}

void ObjectsFixture::startWithRound(const std::vector<std::string>& rows) {
  startGame({{"data/bnc/data/round01.txt", roundFile(rows)}});
  brickList->loadRound(1);
}

Ball& ObjectsFixture::flyingBall(int x, int y, int dx, int dy, int kind, int speed) {
  Ball& b = ball(0);
  b.setState(kind);
  b.setActive(true);
  b.setPosition(x, y);
  b.dx = dx;
  b.dy = dy;
  b.speedLevel = speed;
  bounce::platform->ballsInPlay = 1;
  return b;
}

int ObjectsFixture::particleCount(int type) {
  int n = 0;
  for (int i = 0; i < particles->length; ++i) n += (*(*particles)[i])[PARTICLE_TYPE] == type ? 1 : 0;
  return n;
}

}  // namespace bouncetest
