// The alien-formation game's screen. Swarm.cpp holds the state machine and the in-game menu, SwarmSetup.cpp
// the set-up and leave, SwarmPlay.cpp the play step (ship, shots, scenery, dives, hits and the lost ship),
// SwarmWave.cpp the set-up of a wave and SwarmPaint.cpp the painting; the aliens are AlienShip.
#pragma once

#include <cstdint>

#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/swarm/AlienShip.h"
#include "games/swarm/SwarmGlobals.h"

namespace swarm {

class Swarm;
using SwarmPtr = nuv::lang::DPtr<Swarm>;

// Its in-game menu has the standard entries at their places (StandardMenuItems).
class Swarm : public gamelib::GameInterface, public gamelib::StandardMenuItems {
 public:
  // Values of gameState.
  static constexpr int32_t STATE_MENU = 0;
  static constexpr int32_t STATE_PLAY = 1;
  static constexpr int32_t STATE_WAVE_INTRO = 2;
  static constexpr int32_t STATE_GAME_OVER = 3;
  static constexpr int32_t STATE_LAST_SHIP_LOST = 4;
  static constexpr int32_t STATE_WAVE_CLEARED = 5;
  static constexpr int32_t STATE_KEY_SETUP = 8;

  // Kinds of menu buildMenu shows.
  static constexpr int32_t MENU_START = 0;
  static constexpr int32_t MENU_PAUSE = 1;
  static constexpr int32_t MENU_HELP = 2;
  static constexpr int32_t MENU_TABLE = 3;

  static constexpr int32_t kHighScoreTable = 1;
  static constexpr int32_t kStartLives = 4;
  static constexpr int32_t WAVE_INTRO_TIME = 2000;
  static constexpr int32_t GAME_OVER_TIME = 2000;
  static constexpr int32_t WAVE_CLEARED_TIME = 700;
  // The one score that brings a spare ship.
  static constexpr int32_t EXTRA_SHIP_SCORE = 5000;

  const char* getClassName() const override { return "Swarm"; }

  // The loading screen, options, sounds, sprites, the formation, the menu and the key set-up.
  void init() override;
  // The game's pictures and animations from its image table and animation list, and the screen-scaled
  // sizes of the ship, the aliens and their explosions.
  void loadSprites();
  // The shots, the formation and the stars, and the speeds of play.
  void makePlayObjects();
  void update() override;
  void paint() override;
  void leave() override;

  // MENU_START, MENU_PAUSE, MENU_HELP or MENU_TABLE.
  void buildMenu(int32_t kind);
  // The ship is struck: it explodes, every shot goes, and a spare ship is used or the game is lost.
  void shipHit();
  // The wave of the current level; after the last level the game ends.
  void setupWave();
  // Every alien at its place in the formation for the screen's width, and the sway's reach.
  static void placeFormation();

  // One step of play.
  void playStep();
  // Sends an alien down when the dive timer has run out and fewer than maxDivers are away.
  void chooseDiver();
  // The player's shot and the ship against every alien; the wave ends with its last alien.
  void testHits();

 private:
  // The menu flow over the splash with the game's hooks: starting and continuing, and the kind of menu of
  // each page.
  void makeMenuFlow(const nuv::microedition::lcdui::DImagePtr& splash);
  // The end of a game: the high-score table, with the name entry when the score makes it.
  void endGame();
  // Counts a destroyed alien: points, the spare ship at EXTRA_SHIP_SCORE, its row and the aliens left.
  void countDestroyed(const AlienShip& alien);
  // The pen was lifted since the last step: a pen held at the end of it, or a tap that came and went.
  static bool penLifted();
  void pauseGame();
  void steerAndFire();
  void moveScenery();
  // Every alien not destroyed back in its slot once the ship's explosion is over.
  void endShipExplosion();
  void moveShots();
  void sway();

  void paintPlay();
  void paintHud();
  void paintWaveIntro();
  void paintGameOver();
};

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;
// The formation: by row, every alien row after row, and the work list of the dive choice.
inline AlienShipArray2dPtr formation;
inline AlienShipArrayPtr allAliens;
inline AlienShipArrayPtr diveCandidates;

}  // namespace swarm
