// One cell of the brick field: its kind, hits left and power-up, its picture and animations, and what a
// hit, an explosion or the passing of time does to it.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DTypedArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "games/bounce/Ball.h"

namespace bounce {

class Brick;
using BrickPtr = nuv::lang::DPtr<Brick>;
using BrickArray = nuv::lang::DTypedArray<Brick>;
using BrickArrayPtr = nuv::lang::DPtr<BrickArray>;
using BrickArray2d = nuv::lang::DTypedArray2d<BrickArray>;
using BrickArray2dPtr = nuv::lang::DPtr<BrickArray2d>;

class Brick : public nuv::lang::DObject {
 public:
  static constexpr int32_t KIND_EMPTY = 0;
  static constexpr int32_t KIND_TWO_HITS = 1;
  static constexpr int32_t KIND_THREE_HITS = 2;
  static constexpr int32_t KIND_REGENERATING = 3;
  static constexpr int32_t KIND_DETONATOR = 4;
  static constexpr int32_t KIND_INDESTRUCTIBLE = 5;
  static constexpr int32_t KIND_EXPLOSIVE = 8;
  static constexpr int32_t KIND_FIVE_HITS = 9;
  // Passing states.
  static constexpr int32_t KIND_FLASH = -100;
  static constexpr int32_t KIND_GONE = -101;
  static constexpr int32_t KIND_RETURNING = -102;
  static constexpr int32_t KIND_FUSE = -103;
  static constexpr int32_t KIND_EXPLODING = -104;

  // Indices of the field's animation templates.
  static constexpr int32_t ANIM_DISAPPEAR = 0;
  static constexpr int32_t ANIM_APPEAR = 1;
  static constexpr int32_t ANIM_SPARK = 2;
  static constexpr int32_t ANIM_DETONATION = 3;

  Brick(int32_t x, int32_t y, int32_t column, int32_t row);
  ~Brick() override;
  const char* getClassName() const override { return "Brick"; }

  virtual void startAnimation(int32_t index);
  virtual void setKind(int32_t newKind, int32_t newValue);
  // A null ball is an explosion.
  virtual void hit(BallPtr ball);
  virtual void detonate();
  // Wipes the cell back to the field's background in the current target, then sets and draws.
  virtual void redraw(int32_t newKind, int32_t newValue);
  virtual void draw();
  virtual void paintAnimation();
  virtual void update();

  gamelib::GameImagePtr image;
  int32_t x;
  int32_t y;
  int32_t column;
  int32_t row;
  int32_t kind = KIND_EMPTY;
  int32_t bonus = 0;
  gamelib::AnimationArrayPtr ownAnimations;
  gamelib::AnimationPtr animation;
  int32_t value = 0;

 private:
  // redraw into the field's picture, then back to the screen.
  void redrawInPicture(int32_t newKind, int32_t newValue);
  void spawnDebris(int32_t oldKind);
};

}  // namespace bounce
