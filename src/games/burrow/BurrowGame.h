// The tunnel-digging game's screen: the state machine, the in-game menus and new games (BurrowGame.cpp),
// set-up and release (BurrowSetup.cpp), the play step with the view and the player's input (BurrowPlay.cpp)
// and painting (BurrowPaint.cpp). Its state lives in the game's globals; the objects of play are the globals
// below.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/burrow/Bag.h"
#include "games/burrow/BurrowGlobals.h"
#include "games/burrow/Firebolt.h"
#include "games/burrow/Level.h"
#include "games/burrow/Monster.h"
#include "games/burrow/Player.h"

namespace burrow {

class BurrowGame;
using BurrowGamePtr = nuv::lang::DPtr<BurrowGame>;

// Its in-game menu has the standard entries at their places (StandardMenuItems).
class BurrowGame : public gamelib::GameInterface, public gamelib::StandardMenuItems {
 public:
  // Values of gameState.
  static constexpr int32_t PLAY = 0;
  static constexpr int32_t MENU = 1;
  static constexpr int32_t LEVEL_SELECT = 2;
  static constexpr int32_t HIGH_SCORES = 3;
  static constexpr int32_t GAME_OVER = 4;
  static constexpr int32_t PAUSE_MENU = 5;
  static constexpr int32_t HELP = 6;
  static constexpr int32_t LEVEL_INTRO = 7;
  static constexpr int32_t KEY_SETUP = 8;

  static constexpr int32_t kHighScoreTable = 1;
  static constexpr int64_t kGameOverMs = 2000;
  static constexpr int64_t kLevelIntroMs = 1500;

  BurrowGame() = default;
  const char* getClassName() const override { return "BurrowGame"; }

  // The splash with its loading bar, settings, sounds, pictures, the objects of play and the key set-up.
  void init() override;
  void update() override;
  void paint() override;
  void leave() override;

  // The first half of init's objects: the atlas loaded, the field's geometry from the earth tile.
  static void loadSprites();
  // The map, hero and bolt, then the monsters, bags and their pictures.
  static void makePlayObjects();
  static void populateLevel();

  static void setState(int32_t state);
  // A new game at levelNumber: the level's file, a fresh hero. False when the level would not load, and then
  // the game reports it and goes back to its menu.
  static bool newLevel();
  // The end of a game: the menu with the name entry when the hero's score enters the table, else the state
  // given (the menu after a lost game, the table after the last level).
  static void finishGame(int32_t otherwise);
  // A level file is missing or short: the game ends with that report instead of replaying a level.
  static void reportMissingLevel();
  static void playStep();
  static void paintScene();
  static void paintBottomPanel();
  static void paintCaption(nuv::lang::DStringPtr text);
  static void releaseGameObjects();

 private:
  // The menu flow over the splash, with the game's hooks and the state of each page; the start entries show.
  static void makeMenuFlow(const nuv::microedition::lcdui::DImagePtr& splash);
  // What every change of state does: the previous state kept, the movement, fire and corner keys and select
  // released, and the tap that closed the table spent.
  static void changeState();
  static void enterState(int32_t state);
  // A new game at a level from the menu or the level list.
  static void startGame(int32_t level);
  static void paintLevelIntro();
  // The view follows the hero in jumps.
  static void followHero();
  static void markHeroCells();
  static gamelib::PauseSign pauseSign();
  static void steer();
};

// The in-game menu's flow; the tunnel map, the hero, the fire bolt, and the level's bags and monsters.
inline gamelib::MenuFlowPtr menuFlow;
inline LevelPtr theLevel;
inline PlayerPtr player;
inline FireboltPtr firebolt;
inline BagArrayPtr bags;
inline MonsterArrayPtr monsters;

}  // namespace burrow
