// The space-rocks game's screen. Rocks.cpp holds the state machine, the in-game menu and its entries;
// RocksSetup.cpp the set-up (init, sprites, objects of play), leave and the set-up of a level; RocksPlay.cpp
// the play step and the player's input; RocksHits.cpp the collision test, rock splitting, rockets and the
// extra life; RocksParticles.cpp the particle bursts and the exhaust; RocksPaint.cpp all painting. The
// flying objects are FlyingO, the ship Ship; the game's globals are in RocksGlobals.h.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameInterface.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFlow.h"
#include "games/rocks/FlyingO.h"
#include "games/rocks/RocksGlobals.h"
#include "shell/lcdui/DImage.h"

namespace rocks {

class Rocks;
using RocksPtr = nuv::lang::DPtr<Rocks>;

class Rocks : public gamelib::GameInterface {
 public:
  // Values of the state word gameState.
  static constexpr int32_t STATE_MENU = 0;
  static constexpr int32_t STATE_PLAY = 1;
  static constexpr int32_t STATE_GAME_OVER = 2;
  static constexpr int32_t STATE_LEVEL_DONE = 3;
  static constexpr int32_t STATE_LEVEL_INTRO = 4;
  static constexpr int32_t STATE_KEY_SETUP = 6;

  // Menus that buildMenu makes (menuMode).
  static constexpr int32_t MENU_START = 0;
  static constexpr int32_t MENU_PAUSE = 1;
  static constexpr int32_t MENU_HELP = 2;
  static constexpr int32_t MENU_HIGH_SCORES = 3;

  // Entries of the start and pause menus.
  static constexpr int32_t ITEM_START = 0;
  static constexpr int32_t ITEM_HIGH_SCORES = 1;
  static constexpr int32_t ITEM_HELP = 2;
  static constexpr int32_t ITEM_SFX_LEVEL = 3;
  static constexpr int32_t ITEM_MUSIC_LEVEL = 4;
  static constexpr int32_t ITEM_BOUNDS = 5;
  static constexpr int32_t ITEM_KEYS = 6;
  static constexpr int32_t ITEM_EXIT = 7;
  static constexpr int32_t kItemCount = 8;

  // Sound ids: the place of each file in the list the game hands the sound service.
  static constexpr int32_t SOUND_MENU = 0;
  static constexpr int32_t SOUND_GAME = 1;
  static constexpr int32_t SOUND_SHOOT = 2;
  static constexpr int32_t SOUND_BURST = 3;
  static constexpr int32_t SOUND_SHIP_HIT = 4;
  static constexpr int32_t SOUND_ROCKET = 5;
  static constexpr int32_t SOUND_ROCKET_HIT = 6;
  static constexpr int32_t SOUND_LEVEL = 7;
  static constexpr int32_t kSoundCount = 8;

  // Play steps of the timed states.
  static constexpr int32_t kIntroSteps = 10;
  static constexpr int32_t kMessageSteps = 30;
  static constexpr int32_t kHighScoreTable = 1;

  // Particle bursts: kBurstRows rows of {x, y, phase, counter}, each owning kRecordsPerBurst records of
  // {x, y, dx, dy, state}. A phase or state of FREE marks an unused row or record.
  static constexpr int32_t kBurstRows = 10;
  static constexpr int32_t kRecordsPerBurst = 30;
  static constexpr int32_t FREE = -1;
  static constexpr int32_t BURST_X = 0;
  static constexpr int32_t BURST_Y = 1;
  static constexpr int32_t BURST_PHASE = 2;
  static constexpr int32_t BURST_COUNTER = 3;
  static constexpr int32_t P_X = 0;
  static constexpr int32_t P_Y = 1;
  static constexpr int32_t P_DX = 2;
  static constexpr int32_t P_DY = 3;
  static constexpr int32_t P_STATE = 4;
  // Particle types that spawnParticles fills.
  static constexpr int32_t PARTICLE_RING = 1;  // 0 to 2: the blast ring in record 0
  static constexpr int32_t PARTICLE_DEBRIS = 3;
  static constexpr int32_t PARTICLE_SPARKS = 4;
  static constexpr int32_t PARTICLE_EXHAUST = 5;

  // The nearest-member record of collide: {x, y, distance, dx, dy}.
  static constexpr int32_t NEAR_X = 0;
  static constexpr int32_t NEAR_Y = 1;
  static constexpr int32_t NEAR_DISTANCE = 2;
  static constexpr int32_t NEAR_DX = 3;
  static constexpr int32_t NEAR_DY = 4;
  static constexpr int32_t kNobodyNear = 60000;

  static constexpr int32_t kShotPlaces = 11;
  static constexpr int32_t kMaxShots = 10;

  Rocks();
  ~Rocks() override;
  const char* getClassName() const override { return "Rocks"; }

  // The splash with its loading bar, options, sounds, sprites, menu, texts, objects of play, key set-up.
  void init() override;
  // The image table and the pictures, the ship's scale and speed table, the panels.
  void loadSprites();
  // The star field and the ship.
  void makePlayObjects();
  void update() override;
  void paint() override;
  void leave() override;

  // Fills the menu for a MENU_ mode.
  virtual void buildMenu(int32_t mode);
  // A fresh level: rocks, saucers, the ship at the middle, everything else cleared. The caller sets the
  // state and the level (which chooses the background) and keeps the lives it wants kept.
  virtual void startLevel(int32_t newLevel, int32_t newScore);
  // Paints the first count places of an array of fliers.
  virtual void paintObjects(FlyingOArrayPtr objects, int32_t count);
  // One object against an array: a hit is applied at once and gives null; otherwise the nearest member.
  virtual nuv::lang::DintArrayPtr collide(FlyingOArrayPtr objects, FlyingOPtr object, int32_t objectIndex);
  // Breaks the large or medium rock at that place of rockArray into two or three smaller ones.
  virtual void splitRock(int32_t x, int32_t y, int32_t index);
  virtual void paintParticles(int32_t row, int32_t flag);
  virtual void updateParticles();
  virtual void updateExplosions();
  virtual void spawnParticles(int32_t x, int32_t y, int32_t row, int32_t type);
  // A rocket from the saucer towards the ship (dx, dy from the saucer); 1 when one was placed.
  virtual int32_t launchRocket(int32_t saucerIndex, int32_t x, int32_t y, int32_t dx, int32_t dy);
  // Bursts, ship, a caption (null for none) and the panels with the score and the lives.
  virtual void paintHud(nuv::lang::DStringPtr caption);
  virtual void drawText(nuv::lang::DStringPtr text, int32_t x, int32_t y, int32_t anchor);
  // One puff behind the ship, at side 0 or 1.
  virtual void emitExhaust(int32_t side);
  // One more life each time the score has grown by 5000 since the last.
  void checkExtraLife();
  // A burst row at (rowX, rowY) whose debris starts at (x, y); nothing when every row is busy.
  void startBurst(int32_t rowX, int32_t rowY, int32_t x, int32_t y);

  int32_t lastLevel = data::kLastLevel;
  nuv::lang::DStringPtr youWinText;
  nuv::lang::DStringPtr pauseText;
  nuv::lang::DStringPtr scoreText;
  nuv::lang::DStringPtr gameOverText;
  nuv::lang::DStringPtr levelText;
  int32_t score = 0;
  int32_t stateTimer = 0;
  gamelib::GameImagePtr lifePanel;
  gamelib::GameImagePtr scorePanel;
  nuv::lang::DintArray2dPtr particleSlots;
  nuv::lang::DintArray2dPtr particles;
  FlyingOArrayPtr shots;
  FlyingOArrayPtr rockets;
  FlyingOArrayPtr ufos;
  FlyingOArrayPtr rockArray;
  int32_t burstCount = 0;
  int32_t shotCount = 0;
  gamelib::GameImageArray2dPtr waveImages;
  gamelib::GameImageArrayPtr bpImages;
  gamelib::GameImageArrayPtr pImages;
  // Play steps since the last shot, the score of the last extra life, what the play step found alive.
  int32_t fireCounter = 0;
  int32_t extraLifeMark = 0;
  int32_t liveRocks = 0;
  int32_t liveUfos = 0;
  // The menu's background and the key set-up's; null when it did not load.
  nuv::microedition::lcdui::DImagePtr splash;

 private:
  // The menu flow with the game's hooks: starting and continuing, the screen-edge option, and the menu mode
  // of each page.
  void makeMenuFlow();
  void startGame();
  // The play clock: timed states, particles, shots and rockets, and in play the step and the input.
  void playClock();
  void selectLevel(int32_t number);
  void endTimedState();
  // The end of a game: the name entry for a high score, else the start menu.
  void endGame(bool keepBackground);
  void nextLevel();
  void moveShots();
  void moveRockets();
  void stepSaucers();
  void stepRocks();
  void rocketsAgainstShip();
  void handleInput();
  void steerByStylus();
  void fire();
  void pause();
  // Points to the score, then the extra-life check.
  void award(int32_t points);
  void playSound(int32_t id, int32_t loops = 1);
  void paintSaucers();
  void paintBackground();
  void paintStars();
};

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;

}  // namespace rocks
