// The chasing monster: it comes in at the top-right cell, runs through the tunnels toward the hero, turns
// now and then into a digging kind that carves straight through the earth, flees during a bonus, and dies
// under a falling bag, by the fire bolt or eaten during a bonus, to come back at the top right.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DbyteArray.h"
#include "gamelib/Animation.h"

namespace burrow {

class Monster;
using MonsterPtr = nuv::lang::DPtr<Monster>;
using MonsterArray = nuv::lang::DTypedArray<Monster>;
using MonsterArrayPtr = nuv::lang::DPtr<MonsterArray>;

class Monster : public nuv::lang::DObject {
 public:
  // Takes the next number (1 to 6) and builds its animations from the game's frame lists.
  Monster();
  ~Monster() override;
  const char* getClassName() const override { return "Monster"; }

  // Back at the top-right cell, out of play.
  virtual void reset();
  // Once per drawn field: the kind timer, entering, the death, and the monster drawn.
  virtual void update();
  virtual void paint();
  // One move step; skipDecision 1 moves on without choosing a direction.
  virtual void move(int32_t skipDecision);
  virtual void chooseMove();
  virtual int32_t opposite(int32_t d);
  virtual int32_t towardHero(bool vertical);
  virtual void swapFirstLast();
  virtual void swapMiddle();
  virtual bool canGo(int32_t d);
  // Of two monsters on each other going the same way, the first turns back and waits.
  virtual void separate();
  virtual void paintAt(int32_t screenX, int32_t screenY);
  virtual void kill();

  int32_t x = 0;
  int32_t y = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  int32_t direction = 0;
  int32_t facing = 0;
  int32_t phaseSteps = 0;
  bool dying = false;
  bool digging = false;
  bool active = false;
  int32_t enterDelay = 0;
  int32_t number = 0;
  int32_t waitSteps = 0;
  nuv::lang::DbyteArrayPtr preference;
  int32_t bumps = 0;

  gamelib::AnimationPtr walkAnim;
  gamelib::AnimationPtr walkLeftAnim;
  gamelib::AnimationPtr walkRightAnim;
  gamelib::AnimationPtr carveLeftAnim;
  gamelib::AnimationPtr carveRightAnim;
  gamelib::AnimationPtr deathAnim;
  gamelib::AnimationPtr carveDeathLeftAnim;
  gamelib::AnimationPtr carveDeathRightAnim;
  // Walk or carve, by kind.
  gamelib::AnimationPtr sideLeftAnim;
  gamelib::AnimationPtr sideRightAnim;

 private:
  void markCells();
  void enter();
  void flipKind();
  // One step without carving; false when the monster did not move (a bag, the field's edge, no direction).
  bool walk(int32_t bag);
  void dig();
  // Whether a step that way keeps the monster on the field.
  bool stepStaysInside(int32_t d) const;
  void chooseDigging(int32_t before);
  bool chooseInSight(int32_t before);
  void choosePreferred(int32_t before);
  void setPreference(int32_t a, int32_t b, int32_t c, int32_t d);
};

}  // namespace burrow
