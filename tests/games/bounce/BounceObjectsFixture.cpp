// The brick game's object fixture: pictures of known sizes packed into an atlas, the animation list, and
// the game's own sprite loading and making of its objects of play.
#include "games/bounce/BounceObjectsFixture.h"

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
  const char16_t* key;
  int w, h;
  datakit::Rgb colour;
};

// Every picture the objects name. Bricks have distinct colours so a test can tell them apart.
const std::vector<Sprite>& sprites() {
  static const std::vector<Sprite> list = {
      {data::kFlashBrick, kBrickW, kBrickH, 0xFFFFFF},
      {data::kTwoHitBricks[0], kBrickW, kBrickH, 0xFF0000},
      {data::kTwoHitBricks[1], kBrickW, kBrickH, 0xC00000},
      {data::kThreeHitBricks[0], kBrickW, kBrickH, 0x00FF00},
      {data::kThreeHitBricks[1], kBrickW, kBrickH, 0x00C000},
      {data::kThreeHitBricks[2], kBrickW, kBrickH, 0x008000},
      {data::kKindBricks[3], kBrickW, kBrickH, 0x0000FF},
      {data::kKindBricks[4], kBrickW, kBrickH, 0xFFFF00},
      {data::kKindBricks[5], kBrickW, kBrickH, 0x808080},
      {data::kKindBricks[6], kBrickW, kBrickH, 0x00FFFF},
      {data::kKindBricks[7], kBrickW, kBrickH, 0xFF8000},
      {data::kKindBricks[8], kBrickW, kBrickH, 0x800080},
      {data::kKindBricks[9], kBrickW, kBrickH, 0x404040},
      {data::kQuarterBricks[0], 7, 3, 0x101010},
      {data::kQuarterBricks[1], 7, 3, 0x202020},
      {data::kQuarterBricks[2], 7, 3, 0x303030},
      {data::kQuarterBricks[3], 7, 3, 0x505050},
      {data::kWalls[0], kWallW, 16, 0x603000},
      {data::kWalls[1], kWallW, 16, 0x604000},
      {data::kWalls[2], kWallW, 16, 0x605000},
      {data::kWalls[3], kWallW, kCornerH, 0x606000},
      {data::kBall, kBallW, kBallW, 0xE0E0E0},
      {data::kBallSmall, 4, 4, 0xD0D0D0},
      {data::kBallBig, 8, 8, 0xF0F0F0},
      {u"fireSmall", 4, 4, 0xFF4000},
      {u"fire", kBallW, kBallW, 0xFF5000},
      {u"fireBig", 8, 8, 0xFF6000},
      {data::kBullet, 2, 4, 0xFFFF80},
      {data::kBomb, 6, 6, 0x202000},
      {u"padSmall", 20, kPaddleH, 0x0080FF},
      {u"padNormal", kPaddleW, kPaddleH, 0x0090FF},
      {u"padBig", 40, kPaddleH, 0x00A0FF},
      {u"gun", kPaddleW, kPaddleH, 0x406080},
      {u"lower", kPaddleW, 3, 0x204060},
      {u"lowerTurbo", kPaddleW, 3, 0x206040},
      {u"flame", 4, 4, 0xFF2000},
      {u"glue", kPaddleW, 2, 0x80FF80},
      {u"exit", 20, 10, 0x102030},
      {u"monster", kEnemyW, kEnemyH, 0x30A030},
      {u"bonus", kBonusW, kBonusH, 0xA0A030},
      {u"effect", kBrickW, kBrickH, 0x90F0F0},
  };
  return list;
}

// Two-frame animations unless the frames say otherwise.
const std::vector<std::pair<const char16_t*, const char16_t*>>& animationList() {
  static const std::vector<std::pair<const char16_t*, const char16_t*>> list = {
      {data::kFireSmall, u"fireSmall;fireSmall"},
      {data::kFire, u"fire;fire"},
      {data::kFireBig, u"fireBig;fireBig"},
      {data::kPaddleSmall, u"padNormal;padSmall"},
      {data::kPaddleUnsmall, u"padSmall;padNormal"},
      {data::kPaddleBigger, u"padNormal;padBig"},
      {data::kPaddleUnbigger, u"padBig;padNormal"},
      {data::kPaddleArmed, u"gun;gun"},
      {data::kPaddleDisarmed, u"gun;gun"},
      {data::kPaddleTurbo, u"lower;lowerTurbo"},
      {data::kPaddleUnturbo, u"lowerTurbo;lower"},
      {data::kFlames, u"flame;flame"},
      {data::kFlames2, u"flame;flame"},
      {data::kGunFlameLeft, u"flame;flame"},
      {data::kGunFlameRight, u"flame;flame"},
      {data::kGlue, u"glue;glue"},
      {data::kExit, u"exit;exit"},
      {data::kBrickDisappear, u"effect;effect"},
      {data::kBrickAppear, u"effect;effect"},
      {data::kSpark, u"effect;effect"},
      {data::kDetonation, u"effect;effect"},
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

void BounceObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  bounce::initGlobals();
}

void BounceObjectsFixture::TearDown() {
  game = nullptr;
  bounce::releaseGlobals();
  GameLibFixture::TearDown();
}

void BounceObjectsFixture::startGame(const test::ArchiveFiles& rounds) {
  std::vector<datakit::AtlasSprite> atlasSprites;
  for (const Sprite& s : sprites())
    atlasSprites.push_back({datakit::toUtf8(s.key), datakit::Image(s.w, s.h, s.colour)});
  datakit::Atlas atlas = datakit::packAtlas(atlasSprites);
  std::vector<datakit::TextEntry> anims;
  for (const auto& [key, frames] : animationList()) anims.push_back({datakit::toUtf8(key), frames, 0});
  for (int k = 0; k < data::kEnemyKinds; ++k) {
    anims.push_back({datakit::toUtf8(data::kEnemyPrefix) + std::to_string(k), u"monster;monster", 0});
  }
  for (int k = 1; k <= data::kBonusKinds; ++k) {
    anims.push_back({datakit::toUtf8(data::kBonusPrefix) + std::to_string(k), u"bonus;bonus", 0});
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

void BounceObjectsFixture::startWithRound(const std::vector<std::string>& rows) {
  startGame({{"data/bnc/data/round01.txt", roundFile(rows)}});
  brickList->loadRound(1);
}

Ball& BounceObjectsFixture::flyingBall(int x, int y, int dx, int dy, int kind, int speed) {
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

int BounceObjectsFixture::particleCount(int type) {
  int n = 0;
  for (int i = 0; i < particles->length; ++i) n += (*(*particles)[i])[PARTICLE_TYPE] == type ? 1 : 0;
  return n;
}

}  // namespace bouncetest
