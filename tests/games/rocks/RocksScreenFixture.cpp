// The space-rocks game's screen fixture.
#include "games/rocks/RocksScreenFixture.h"

#include "gamelib/GameImage.h"
#include "gamelib/ScreenCanvas.h"

namespace rockstest {

using gamelib::GameLib;
using gamelib::ScreenCanvas;

void RocksScreenFixture::SetUp() {
  GameScreenFixture::SetUp();
  rocks::gameState = rocks::Rocks::STATE_MENU;
  rocks::menuMode = rocks::previousMenuMode = 0;
  rocks::level = 1;
  rocks::invulnerable = false;
  rocks::lastStepTime = 0;
}

void RocksScreenFixture::startScreen() {
  game->init();
  step();
}

void RocksScreenFixture::steps(int n) {
  for (int i = 0; i < n; ++i) step();
}

void RocksScreenFixture::playStep() {
  wait(60);
  gamelib::GameImage::graphics = GameLib::graphics;
  ScreenCanvas::pump();
  game->update();
}

void RocksScreenFixture::playSteps(int n) {
  for (int i = 0; i < n; ++i) playStep();
}

void RocksScreenFixture::startPlaying() {
  choose(rocks::Rocks::ITEM_START);
  for (int i = 0; i < 20 && rocks::gameState != rocks::Rocks::STATE_PLAY; ++i) playStep();
}

void RocksScreenFixture::selectLevel(int number) {
  for (int32_t key : {gamelib::FrameworkKey::Star, gamelib::FrameworkKey::Hash, gamelib::FrameworkKey::Star,
                      '0' + number / 10, '0' + number % 10}) {
    ScreenCanvas::processKey(key, true);
    ScreenCanvas::processKey(key, false);
  }
}

}  // namespace rockstest
