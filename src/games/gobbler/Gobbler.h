// The maze-and-dots game's screen: its loading (GobblerSetup.cpp), the pages of its in-game menu, the
// switch between menu, play and key set-up, and the direction the player's keys and stylus ask for. The
// rules are GobblerGame's (GobblerGame.h); this screen drives them every second update.
#pragma once

#include <cstdint>

#include "core/lang/DStringArray.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/gobbler/GobblerGame.h"
#include "shell/lcdui/DImage.h"

namespace gobbler {

// Its in-game menu has the standard entries at their places (StandardMenuItems).
class Gobbler : public gamelib::GameInterface, public gamelib::StandardMenuItems {
 public:
  // Values of screenState.
  static constexpr int32_t STATE_MENU = 0;
  static constexpr int32_t STATE_PLAY = 1;
  static constexpr int32_t STATE_KEYS = 2;
  // Pages of the menu (menuPage).
  static constexpr int32_t PAGE_START = 0;
  static constexpr int32_t PAGE_PAUSE = 1;
  static constexpr int32_t PAGE_SETUP = 2;
  static constexpr int32_t PAGE_HELP = 3;
  static constexpr int32_t PAGE_TABLE = 4;
  static constexpr int32_t PAGE_TABLES = 5;
  // Entries of the set-up page and of the table choice.
  static constexpr int32_t SETUP_START = 0;
  static constexpr int32_t SETUP_LEVELS = 1;
  static constexpr int32_t SETUP_MODE = 2;
  static constexpr int32_t SETUP_EXIT = 3;
  static constexpr int32_t TABLES_EXIT = GobblerGame::kModes;
  // Directions the player may be asked for.
  static constexpr int32_t DIR_NONE = -1;
  static constexpr int32_t DIR_LEFT = 0;
  static constexpr int32_t DIR_RIGHT = 1;
  static constexpr int32_t DIR_UP = 2;
  static constexpr int32_t DIR_DOWN = 3;
  static constexpr int32_t DIR_FIRE = 4;

  Gobbler() = default;
  ~Gobbler() override;
  const char* getClassName() const override { return "Gobbler"; }

  // The loading screen, pictures, the game, texts, menus, the maze's size and the key set-up.
  void init() override;
  void update() override;
  void paint() override;
  void leave() override;

  // Shows a page of the menu.
  static void buildMenu(int32_t page);
  // The menu flow over the splash with the screen's hooks: its set-up page, its choice of tables and its
  // state words.
  void makeMenuFlow(const nuv::microedition::lcdui::DImagePtr& splash = nullptr);
  // What the keys held and the stylus ask of the player now.
  static int32_t requestedDirection();
  static bool isRequested(int32_t direction);
  // The maze's size from the first map, as the game reads every map.
  static void measureMaze();

  GobblerGamePtr game;

 private:
  void chooseOnSetup(int32_t item);
  void chooseOnTables(int32_t item);
  void startGame();
  void continueGame();
  // The menu texts, made once a run.
  void makeTexts();
  // The set-up page's entries as the choices stand.
  static void refreshSetupTexts();
  static nuv::lang::DStringArrayPtr textsOf(const nuv::lang::DStringArrayPtr& keys);
};

using GobblerPtr = nuv::lang::DPtr<Gobbler>;

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;

}  // namespace gobbler
