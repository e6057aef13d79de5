// The ladders-and-bricks game's screen. Its state lives in the globals of ClimberGlobals.h; the screen
// object holds only the timing of a held stylus. Where things are:
//   Climber.cpp         the state machine: menus, level intro, game over, key set-up, starting a game
//   ClimberSetup.cpp    init (loading screen, pictures, animations, sounds, menu) and leave
//   ClimberLevel.cpp    level files into the cell map, and the map's two questions (canEnter, isStanding)
//   ClimberPlay.cpp     the playing step: the world update, the hero's keys and stylus, lives, levels
//   ClimberCells.cpp    what arriving in a cell does, digging, and the holes' timed life
//   ClimberPursuit.cpp  the guards' distance search and their step
//   ClimberPaint.cpp    painting by state, the back buffer of drawn cells, runners and status line
//   Runner.cpp          a runner's steps and the view that follows the hero
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/climber/ClimberGlobals.h"
#include "games/climber/Runner.h"

namespace climber {

class Climber;
using ClimberPtr = nuv::lang::DPtr<Climber>;

class Climber : public gamelib::GameInterface {
 public:
  const char* getClassName() const override { return "Climber"; }

  // The loading screen, settings, pictures, animations, sounds, the objects of play, the start menu and
  // the key set-up; leaves the menu showing with its tune.
  void init() override;
  // One 30 ms step by gameState.
  void update() override;
  // Draws by gameState on the screen.
  void paint() override;
  // Drops everything init made.
  void leave() override;

  // The two halves of init that make the game's pictures and its objects of play.
  // The pictures of the loaded image table and the animations (the animation list passes through the text
  // table; the menu flow, made next, reads the language's texts again).
  void loadSprites();
  // Cell size, step lengths, the back buffer, the hero, the guards' slots and the hole table.
  void makePlayObjects();

  // The in-game menu as the start menu, pause menu, help, high scores or level choice.
  static void buildMenu(int32_t mode);
  // A new game at a level: its intro, five spare lives, no score.
  static void startGame(int32_t startLevel);

  // Level n into the cell map, the hero, the guards and the view. A file that is missing, short, not a
  // number where a size belongs, too large, or without a hero's start or an exit changes nothing and
  // answers false.
  static bool loadLevel(int32_t n);
  // loadLevel, and when the file cannot be played: the report, and the game ends into its menu.
  static bool enterLevel(int32_t n);
  // Whether a runner may move into the cell: not outside the map, a brick or an armour brick, nor a
  // ladder when `ladderSolid`.
  static bool canEnter(int32_t column, int32_t row, bool ladderSolid);
  // Whether a runner stands at cell + delta: on a handrail or ladder, or over something that carries it.
  static bool isStanding(int32_t cell, int32_t delta);

  // What arriving in its cell does to a runner: gold, the exit, handrails, falls, holes, contact.
  static void enterCell(Runner& runner);
  // The hero digs the brick below beside him, in the way he faces, when the rule allows.
  static void dig();
  // The holes' timed life; true when a hole closed over the hero (the world update ends there).
  static bool updateHoles();
  static void loseLife();
  // The hero has entered the open exit.
  static void completeLevel();

  // One pass of the guards' distance search from the hero.
  static void updateDistances();
  // One world update of one guard.
  static void stepEnemy(Runner& enemy);

  // One cell at (x, y) of the current drawing target: the background piece, then its picture.
  static void drawTile(int32_t x, int32_t y, char16_t cell, int32_t column, int32_t row);
  // Cells into the back buffer, where they lie in the map and in the buffered window.
  static void redrawCell(int32_t column, int32_t row);
  static void redrawColumns(int32_t column);
  static void redrawRow(int32_t row);
  // One runner on the screen.
  static void paintRunners(const RunnerPtr& runner);

  // A stylus press is held since pressStart.
  bool pressHeld = false;
  int64_t pressStart = 0;

 private:
  // The menu flow over the splash with the game's hooks: starting and continuing, the level list, and the
  // menu mode of each page.
  static void makeMenuFlow(const nuv::microedition::lcdui::DImagePtr& splash);
  void updatePlaying();
  // a to f of the world update; false when the step ends with it (a life lost, the level over).
  bool updateWorld();
  // The stylus's part of the hero's control.
  struct StylusMove {
    int32_t vertical = 0;  // -1 or 1: the up or down action it asks for
    bool dug = false;      // a double tap dug: nothing else moves the hero this step
    bool activeHold = false;
  };
  StylusMove stylusControl();
  void keyControl(const StylusMove& stylus);
  void jumpToLevel(int32_t number);
  void updateGameOver();
  static void endGame();

  void paintPlaying();
  static void paintStatusLine();
  static void paintCaptions(nuv::lang::DStringPtr first, nuv::lang::DStringPtr second, bool lifeIcons);
};

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;

}  // namespace climber
