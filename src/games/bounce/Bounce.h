// The brick-and-paddle game's screen: its state machine and menus, set-up, the play step with lost balls
// and particles, and painting. The ball step (moveBalls, intersectCellEdge, testBrickHit) lives in
// BounceBalls.cpp and the enemies' step (updateEnemies) in BounceEnemies.cpp, beside the ball and enemy
// classes.
#pragma once

#include <cstdint>

#include "core/lang/DboolArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/bounce/Ball.h"
#include "games/bounce/BounceGlobals.h"
#include "games/bounce/BrickList.h"
#include "games/bounce/Enemy.h"
#include "games/bounce/Platform.h"
#include "shell/lcdui/DImage.h"

namespace bounce {

class Bounce;
using BouncePtr = nuv::lang::DPtr<Bounce>;

// Its in-game menu has the standard entries at their places (StandardMenuItems).
class Bounce : public gamelib::GameInterface, public gamelib::StandardMenuItems {
 public:
  // Values of the state word gameState.
  static constexpr int32_t STATE_LOADING = -1;
  static constexpr int32_t STATE_MENU = 0;
  static constexpr int32_t STATE_HIGH_SCORES = 1;
  static constexpr int32_t STATE_HELP = 2;
  static constexpr int32_t STATE_ROUND_CHOOSER = 3;
  static constexpr int32_t STATE_PLAYING = 254;
  static constexpr int32_t STATE_GAME_COMPLETE = 260;
  static constexpr int32_t STATE_ROUND_INTRO = 261;
  static constexpr int32_t STATE_ROUND_CLEARED = 300;
  static constexpr int32_t STATE_KEY_SETUP = 400;

  static constexpr int32_t kStartLives = 5;
  // The game keeps one high-score table.
  static constexpr int32_t kHighScoreTable = 1;
  // Rays of the ball step's look-ahead.
  static constexpr int32_t kRays = 5;

  // Registers itself in bounce::instance; all loading happens in init.
  Bounce();
  ~Bounce() override;
  const char* getClassName() const override { return "Bounce"; }

  // The loading screen, sounds, menus, sprites, the objects of play and the key set-up.
  void init() override;
  // The game's pictures and animations from its image table and animation list.
  void loadSprites();
  // The paddle, balls, enemies and brick field, ready for a round.
  void makePlayObjects();
  void update() override;
  void paint() override;
  void leave() override;

  virtual void buildMenu();
  virtual void updateEnemies();
  virtual void moveBalls();
  virtual void packBalls();
  // The last ball in play is gone: the one life it costs is taken here, so callers never take it too.
  virtual void ballLost();
  // Whether the ray crosses that edge (0 bottom, 1 right, 2 top, 3 left) of the cell; records the nearest.
  virtual bool intersectCellEdge(int32_t column, int32_t row, int32_t edge, int32_t ray);
  virtual void testBrickHit(BallPtr ball, int32_t x16, int32_t y16, int32_t column, int32_t row, bool isVerticalEdge);
  virtual void resetPlay();
  virtual void playStep();
  virtual void gameOver();
  virtual void handleInput();

  int32_t lastRound = data::kRounds;
  BallArrayPtr balls;
  int32_t ballSlots = 32;
  int32_t lives = kStartLives;
  EnemyArrayPtr enemies;
  int32_t enemySlots = 3;
  int32_t round = 0;

  // Scratch of the ball step, one entry per ray, in 1/16 pixel.
  int32_t crossX = 0;  // the last intersection point
  int32_t crossY = 0;
  nuv::lang::DintArrayPtr rayStartX;
  nuv::lang::DintArrayPtr rayStartY;
  nuv::lang::DintArrayPtr rayEndX;
  nuv::lang::DintArrayPtr rayEndY;
  nuv::lang::DintArrayPtr hitX;
  nuv::lang::DintArrayPtr hitY;
  nuv::lang::DintArrayPtr hitColumn;
  nuv::lang::DintArrayPtr hitRow;
  nuv::lang::DintArrayPtr hitDistance;
  nuv::lang::DboolArrayPtr noHit;
  nuv::lang::DboolArrayPtr verticalEdge;

  gamelib::GameImagePtr lifeIcon;
  gamelib::GameImagePtr abyssImage;
  nuv::microedition::lcdui::DImagePtr splashImage;

 private:
  void makeScratch();
  void releaseScratch();
  // The loading screen stays at least a moment; the menu comes once it has passed.
  void finishLoading();
  // The menu flow with the game's hooks: a game started from the menu or the round chooser, continuing, and
  // the state word of each page.
  void makeMenuFlow();
  void startFromMenu(int32_t startRound);
  // A new game at a round from the menu or the round chooser.
  void startGame(int32_t startRound);
  void updateRoundCleared();
  // The hidden two-digit round select during play.
  void selectRound(int32_t number);
  // The round's file into the brick field; a round that is not there leaves the field as it was, a
  // damaged one is reported (ResourceDamage).
  bool loadRound(int32_t number);
  void openRound(int32_t number);
  void stepParticles();
  // Sum of the values of the bricks that still count for clearing the round.
  int32_t countRemaining();
  bool fieldStillMoving();
  bool waited(int64_t ms) const;

  void paintLoading();
  void paintPlay();
  void paintHud();
  void paintParticles();
  void paintMessage();
  // The first flying ball back on the paddle when every visible ball is carried by an enemy.
  void rescueBall(int32_t lastCarrier);

  // A cleared round waits for bricks still on their way out; the field goes on moving meanwhile.
  bool fieldSettling_ = false;
  // The loading screen's bar stays drawn until the menu comes.
  bool loadingBarShown_ = false;
};

// The screen object of the running game, its menu flow, and the paddle and the brick field it plays with.
inline BouncePtr instance;
inline gamelib::MenuFlowPtr menuFlow;
inline PlatformPtr platform;
inline BrickListPtr brickList;

}  // namespace bounce
