// A game's screen in a test: the game library over the real game.dat at 240 x 320 with the null audio
// device and the English texts, a new screen of the game made current, and helpers that step, paint and
// choose. Each game's <Key>ScreenFixture derives from it with its screen class and its menu flow.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/GameInterface.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/MenuFlow.h"

namespace gltest {

class GameScreenFixtureBase : public MenuFixture {
 protected:
  void SetUp() override;

  // The id of the sound started last; -1 when none.
  static int32_t lastSound();
  // Fire on an entry of the list, taken by one update of the screen once the menu takes input again.
  static void chooseOn(gamelib::GameMenu& list, gamelib::GameInterface& screen, int32_t item);
};

template <class Screen, gamelib::MenuFlowPtr& flow>
class GameScreenFixture : public GameScreenFixtureBase {
 protected:
  void SetUp() override {
    GameScreenFixtureBase::SetUp();
    game = new Screen();
    gamelib::GameLib::currentScreen = game;
  }
  void TearDown() override {
    // A screen that has not left yet leaves now: its flow goes with it.
    if (!flow.isNull()) game->leave();
    gamelib::GameLib::currentScreen = nullptr;
    game = nullptr;
    GameScreenFixtureBase::TearDown();
  }

  // The screen's init: the game stands in its menu. A game with a loading screen of its own goes past it.
  void startScreen() { game->init(); }
  // Whether init has made the screen's menu.
  static bool started() { return !flow.isNull(); }
  // One 30 ms step: the clock moves, one queued key is taken, update runs.
  void step() { stepScreen(*game); }
  void paint() { paintScreen(*game); }
  // n steps, each followed by a paint while the screen is there, as the frame step does when there is time.
  void play(int n) {
    for (int i = 0; i < n; ++i) {
      step();
      if (started()) paint();
    }
  }
  // Fire on an entry of the menu's list.
  void choose(int32_t item) { chooseOn(flow->menu(), *game, item); }
  // The text of an entry of the menu's list.
  static std::string item(int32_t index) { return narrow((*flow->menu().items)[index]); }

  nuv::lang::DPtr<Screen> game;
};

}  // namespace gltest
