// The alien-formation game's object fixture: pictures of known sizes packed into an atlas, the animation
// list, and the game's own sprite loading and making of its objects of play.
#include "games/swarm/SwarmObjectsFixture.h"

#include <string>
#include <vector>

#include "Atlas.h"
#include "Png.h"
#include "TextTables.h"
#include "gamelib/GameImage.h"
#include "platform/seam/clock.h"

namespace swarmtest {

using namespace swarm;
using gamelib::GameImage;
using gamelib::GameLib;

namespace {

struct Sprite {
  std::string key;
  int w, h;
  datakit::Rgb colour;
};

std::vector<Sprite> sprites() {
  std::vector<Sprite> list = {
      {"ship.png", kShipW, kShipH, kShipColour},
      {"life.png", kLifeW, 7, kLifeColour},
      {"level.png", kLevelW, kLevelH, kLevelColour},
      {"bullet.png", kBulletW, kBulletH, 0xFFFFFF},
      {"flame", 4, kFlameH, 0xFF8000},
      {"wreck", 20, 20, 0xFF0000},
      {"shot", kBulletW, kBulletH, 0x00FFFF},
      {"boom", kExplosionSize, kExplosionSize, 0xFF4000},
  };
  for (int p = 1; p <= data::kPlanets; ++p) list.push_back({"planet_" + std::to_string(p) + ".png", 10, 10, 0x404080});
  for (int k = 1; k <= data::kAlienKinds; ++k) {
    for (int f = 1; f <= data::kAlienFrames; ++f) {
      list.push_back({"fly" + std::to_string(k) + "_" + std::to_string(f) + ".png", kAlienSize, kAlienSize,
                      static_cast<datakit::Rgb>(0x800000 + k * 0x1000 + f * 0x10)});
    }
  }
  return list;
}

std::string bytes(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

void SwarmObjectsFixture::SetUp() {
  GameLibFixture::SetUp();
  std::vector<datakit::AtlasSprite> atlasSprites;
  for (const Sprite& s : sprites()) atlasSprites.push_back({s.key, datakit::Image(s.w, s.h, s.colour)});
  datakit::Atlas atlas = datakit::packAtlas(atlasSprites);
  std::vector<datakit::TextEntry> anims = {{datakit::toUtf8(data::kShipFlame), u"flame;flame", 0},
                                           {datakit::toUtf8(data::kShipExplosion), u"wreck;wreck;wreck", 0},
                                           {datakit::toUtf8(data::kShot), u"shot;shot", 0},
                                           {datakit::toUtf8(data::kAlienExplosion), u"boom;boom", 0}};
  openArchive({{"graphics/s/swm/all.txt", bytes(datakit::writeAtlasTable(atlas))},
               {"graphics/s/swm/all.png", bytes(datakit::encodePng(atlas.picture))},
               {"graphics/s/swm/anim.txt", bytes(datakit::writePlainTable(anims, "anim"))}});
  setPath(u"s/");

  // The same seed on every run.
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  game = new Swarm();
  game->loadSprites();
  game->makePlayObjects();
  GameImage::graphics = GameLib::graphics;
}

void SwarmObjectsFixture::TearDown() {
  game = nullptr;
  swarm::releaseGameObjects();
  GameLibFixture::TearDown();
}

void SwarmObjectsFixture::startWave(int waveLevel) {
  level = waveLevel;
  game->setupWave();
  gameState = Swarm::STATE_PLAY;
  // No dive unless a test asks for one.
  diveTimer = 1 << 30;
}

void SwarmObjectsFixture::leaveOnly(const std::vector<std::pair<int, int>>& kept) {
  for (int r = 0; r < formation->length; ++r) (*rowAlive)[r] = 0;
  aliensLeft = 0;
  for (int i = 0; i < allAliens->length; ++i) {
    AlienShip& a = *(*allAliens)[i];
    a.state = AlienShip::STATE_GONE;
    for (auto [row, column] : kept) {
      if (a.row != row || a.column != column) continue;
      a.state = AlienShip::STATE_FORMATION;
      (*rowAlive)[row] += 1;
      ++aliensLeft;
    }
  }
}

AlienShip& SwarmObjectsFixture::diver(int row, int column, int x, int y, int vx, int vy, int mode) {
  AlienShip& a = alien(row, column);
  a.state = AlienShip::STATE_DIVING;
  a.diveMode = mode;
  a.x = x;
  a.y = y;
  a.fx = x * 65536;
  a.fy = y * 65536;
  a.vx = vx;
  a.vy = vy;
  a.shotsLeft = alienShotsPerDive;
  return a;
}

std::vector<int> SwarmObjectsFixture::candidateRows() {
  std::vector<int> rows;
  for (int i = 0; i < diveCandidates->length; ++i) {
    if (!(*diveCandidates)[i].isNull()) rows.push_back((*diveCandidates)[i]->row);
  }
  return rows;
}

}  // namespace swarmtest
