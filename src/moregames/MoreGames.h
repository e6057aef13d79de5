// The screen that lists further games of the collection's family, each with its icon and a description in
// the current language, and opens the chosen game's web address in the desktop's browser. It is built with
// the GUI engine: one modal screen with a scrolling list and a vertical scroll bar.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "gamelib/GameInterface.h"
#include "gui/GUIModalScreen.h"
#include "gui/GUIWidget.h"

namespace moregames {

class MoreGames : public gamelib::GameInterface {
 public:
  static constexpr int32_t kEntryCount = 9;
  // Action types of this screen beside the engine's own.
  static constexpr int32_t OPEN_ADDRESS = 0x10000;
  static constexpr int32_t BACK_TO_MAIN_MENU = 0x10001;

  MoreGames() = default;
  // A screen dropped without its leave (the program ends) still releases its widgets.
  ~MoreGames() override;
  const char* getClassName() const override { return "MoreGames"; }

  void init() override { load(); }
  void update() override;
  void paint() override;
  void leave() override { unload(); }

  // Builds the screen in a fresh engine and shows it.
  void load();
  // Disposes every widget and the engine.
  void unload();

  // A modal screen (made when screen is null) with the menu's background and the soft buttons of the two
  // texts; select fires the screen.
  static gamelib::GUIModalScreenPtr buildScreen(gamelib::GUIModalScreenPtr screen, nuv::lang::DStringPtr leftText,
                                                nuv::lang::DStringPtr rightText);
  static gamelib::GUIModalScreenPtr buildList();

 private:
  static void openAddress(const nuv::lang::DObjectPtr& address);
};

using MoreGamesPtr = nuv::lang::DPtr<MoreGames>;

// A new more-games screen, for the main menu's row.
gamelib::GameInterface* newScreen();

}  // namespace moregames
