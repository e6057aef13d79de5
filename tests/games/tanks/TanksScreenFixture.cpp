// The tanks game's screen fixture.
#include "games/tanks/TanksScreenFixture.h"

#include "core/util/DRandom.h"
#include "gamelib/GameImage.h"

namespace tankstest {

using gamelib::GameLib;

void TanksScreenFixture::SetUp() {
  GameScreenFixture::SetUp();
  tanks::initGlobals();
  GameLib::random = new nuv::util::DRandom();
  gamelib::GameImage::graphics = GameLib::graphics;
  game->init();
}

void TanksScreenFixture::TearDown() {
  GameScreenFixture::TearDown();
  tanks::releaseGlobals();
}

}  // namespace tankstest
