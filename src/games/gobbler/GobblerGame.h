// The rules of a game of the maze game between the screen and the actors: a new game, the start of every
// life, the 60 ms game step (pause, game over, each mode's end of a level, the hidden number, fruit, the
// animation clock, the actors), the view on the maze and the random numbers. Its loading lives in
// GobblerResources.cpp, its painting in GobblerPaint.cpp and the passage to the next level in
// GobblerLevels.cpp; its state is the game's globals (GobblerGlobals.h).
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "gamelib/GameLib.h"
#include "games/gobbler/CellBase.h"

namespace gobbler {

class GobblerGame : public nuv::lang::DObject {
 public:
  // Game modes, also the high-score tables.
  static constexpr int32_t MODE_DOTS = 0;
  static constexpr int32_t MODE_FRUIT = 1;
  static constexpr int32_t MODE_TIME = 2;
  static constexpr int32_t MODE_KILL = 3;
  static constexpr int32_t kModes = 4;

  // Sound ids: the index of each file in data::kSounds.
  static constexpr int32_t SND_EAT_DOT = 0;
  static constexpr int32_t SND_CHASER_HOME = 1;
  static constexpr int32_t SND_NEW_LEVEL = 2;
  static constexpr int32_t SND_DIE = 3;
  static constexpr int32_t SND_EAT_FRUIT = 4;
  static constexpr int32_t SND_EAT_CHASER = 5;
  static constexpr int32_t SND_FRUIT_MOVE = 6;
  static constexpr int32_t SND_EXTRA_LIFE = 7;
  static constexpr int32_t SND_MENU = 8;
  static constexpr int32_t SND_EAT_POWER_DOT = 9;
  static constexpr int32_t SND_GAME = 10;

  static constexpr int32_t kStartLives = 5;
  static constexpr int32_t kFruitsPerLevel = 3;
  // The hidden number that switches invulnerability instead of choosing a level.
  static constexpr int32_t kInvulnerableNumber = 0;
  // The round's step's real length, in ms: it runs on every second step of the library.
  static constexpr int32_t kRoundStepMs = 2 * gamelib::GameLib::kStepMs;

  GobblerGame();
  ~GobblerGame() override;
  const char* getClassName() const override { return "GobblerGame"; }

  // Sounds, the animation list, every picture and the maze graphics; the cell size and the speeds.
  virtual void load();
  // The maze and the actors let go, with the pictures of the player and the chasers.
  virtual void releaseAll();
  // A number of the game library's generator, never negative.
  virtual int32_t nextRandom();
  // 0 to 99.
  virtual int32_t randomPercent();
  // A new game: five lives, score 0, level 1.
  virtual void newMap();
  // One game step.
  virtual void roundStep();
  // Counts down the wait after a finished level (the argument is not read), then loads the next map and
  // starts its first life: true once it has. False while waiting, or when the map does not load, which
  // ends the game back in the menu.
  virtual bool nextLevel(int32_t unused);
  // The play view, the start of a life or the end of the game.
  virtual void paint();
  virtual void centreView();

  // The start of a life: the player and the chasers at their starts, the clocks and the fruit's timer.
  static void placeActors();
  // Steps before a fruit comes, in the game mode.
  static int32_t fruitDelay();

  int32_t levelCount;
  // Time mode: the cell with the wandering power dot.
  CellBasePtr movingDotCell;
  // Clears the screen around the play (0xRRGGBB).
  int32_t backColour = 0;

 private:
  // Draws random cells of the bordered grid, as the rules do, until one fits; gives up (false) after a
  // bounded number of draws, so a maze without such a cell costs no endless search.
  bool findRandomCell(bool (*fits)(const CellBase&), int32_t& x, int32_t& y);
  // Each mode's end of a level and the clocks of the time and hunt modes.
  void checkLevelEnd();
  void moveTheDot();
  void placeFruit();
  // The last life's 40 steps have passed: the high score or the start menu.
  void endGame();
  // A map that does not load ends the game: the reason on stderr, back in the start menu.
  void abandonGame(nuv::lang::DStringPtr file, const char* reason);
  // Time mode's wandering power dot, and the hunt mode's chasers at random open cells.
  void placeMovingDot();
  void placeChasersAtRandom();
  // The loading steps that can fail on a missing resource.
  void loadPictures();
  void paintLevelStart();
  void paintGameOver();
  void paintPlay();
};

using GobblerGamePtr = nuv::lang::DPtr<GobblerGame>;

}  // namespace gobbler
