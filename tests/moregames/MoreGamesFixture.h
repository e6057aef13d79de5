// The more-games screen in a test: the shared menus' fixture with the screen's entry shown, a new screen
// made current, steps as the frame step runs them, and the list and its entries as the screen builds them.
#pragma once

#include <cstdint>

#include "gamelib/GameInterface.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gui/GUIEngine.h"
#include "moregames/MoreGames.h"

namespace moregamestest {

class MoreGamesFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    gamelib::GameLib::showMoreGames = true;
  }
  void TearDown() override {
    screen = nullptr;
    gamelib::GameLib::currentScreen = nullptr;
    MenuFixture::TearDown();
  }
  void open() {
    screen = new moregames::MoreGames();
    gamelib::GameLib::currentScreen = screen;
    screen->init();
  }
  // Steps as the frame step runs them, through whichever screen is current.
  static void steps(int n) {
    for (int i = 0; i < n; ++i) {
      gamelib::ScreenCanvas::pump();
      gamelib::GameInterfacePtr current = gamelib::GameLib::currentScreen;
      current->update();
      current->paint();
      wait(gamelib::GameLib::kStepMs);
    }
  }
  static gamelib::GUIWidgetPtr list() {
    return static_cast<gamelib::GUIWidget*>(
        gamelib::GUIEngine::getInstance()->getCurrentScreen()->layerChildren(0).elementAt(0));
  }
  static gamelib::GUIWidgetPtr entry(int32_t n) {
    return static_cast<gamelib::GUIWidget*>(list()->layerChildren(0).elementAt(n));
  }
  // The focused entry; -1 when none is.
  static int32_t focused() {
    for (int32_t n = 0; n < list()->layerChildren(0).size(); ++n) {
      if (entry(n)->hasState(gamelib::GUIWidget::STATE_FOCUSED)) return n;
    }
    return -1;
  }

  moregames::MoreGamesPtr screen;
};

}  // namespace moregamestest
