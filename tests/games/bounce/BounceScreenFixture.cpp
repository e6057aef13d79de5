// The brick-and-paddle game's screen fixture.
#include "games/bounce/BounceScreenFixture.h"

#include "gamelib/ScreenCanvas.h"

namespace bouncetest {

using gamelib::ScreenCanvas;

void BounceScreenFixture::startScreen() {
  game->init();
  wait(1500);
  step();
}

void BounceScreenFixture::startPlaying() {
  choose(bounce::Bounce::ITEM_START);
  wait(1501);
  step();
}

void BounceScreenFixture::launch() {
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  step();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

}  // namespace bouncetest
