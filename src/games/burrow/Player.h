// The digging hero: it moves a fifth of a cell per play step, carves the earth as it goes, turns only on
// cell lines, keeps the score and the lives, and plays its death before it starts again at the bottom row.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace burrow {

class Player;
using PlayerPtr = nuv::lang::DPtr<Player>;

class Player : public nuv::lang::DObject {
 public:
  static constexpr int32_t kStartLives = 3;
  // At most this many spare lives.
  static constexpr int32_t kMaxLives = 6;
  // An extra life for every this many points.
  static constexpr int32_t kLifeScore = 2000;

  Player() = default;
  const char* getClassName() const override { return "Player"; }

  // The start cell, then the walk, death and bonus animations from the game's frame lists.
  virtual void initAnimations();
  virtual void releaseAnimations();
  // The bottom row's middle cell, facing right, alive and safe for a moment.
  virtual void resetPosition();
  virtual void newGame();
  virtual void kill();
  // One move step toward the direction asked for (0 keeps going to the next cell line).
  virtual void move(int32_t d);
  // Once per frame: the safe time, the death and its end, or the hero drawn.
  virtual void paint();
  virtual void addCherryScore();
  virtual void addMonsterScore(int32_t n);
  virtual void addCrystalScore();
  virtual void addGoldScore();
  virtual void addShotScore();
  virtual void addBagScore();
  virtual void checkExtraLife();

  int32_t x = 0;
  int32_t y = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  int32_t direction = 1;
  bool dying = false;
  int32_t lives = kStartLives;
  int32_t spawnGuard = 0;
  int32_t score = 0;
  int32_t deathHold = 0;
  int32_t lastLifeScore = 0;

 private:
  void addScore(int32_t points);
  void paintDeath(int32_t sx, int32_t sy);
};

}  // namespace burrow
