// The bonus fruit: it comes out of a portal and wanders the maze at random, never turning back but in a dead
// end, humming as it goes, until the player eats it or the next life starts.
#pragma once

#include <cstdint>

#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "games/gobbler/point.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"

namespace gobbler {

class FruitBase : public nuv::lang::DObject {
 public:
  // Steps between its sounds, less one.
  static constexpr int32_t kSoundEvery = 10;

  FruitBase();
  ~FruitBase() override;
  const char* getClassName() const override { return "FruitBase"; }

  // Its picture centred on its cell, the view's offset added; nothing without a kind.
  virtual void draw(int32_t offsetX, int32_t offsetY);
  // One game step.
  virtual void chooseRoute();
  // One move of `speed` pixels with doors closed; blocked, it stays where it was this step.
  virtual void step(vector_3dPtr nextPosition, vector_3dPtr direction, vector_3dPtr lastPosition);
  // The direction, and the picture of the kind's animation: a frame every two steps, looping.
  virtual void setDirection(vector_3dPtr newDirection);
  virtual void setPosition(int32_t x, int32_t y);
  virtual pointPtr currentCell();
  virtual bool isNear(vector_3dPtr other);

  // The animation of a kind (1 to 7; any other shows the last).
  static gamelib::AnimationPtr animationOf(int32_t kind);

  // 1 to 7 (data::kFruitAnimations); 0 none.
  int32_t kind = 0;
  rectanglePtr bounds;
  gamelib::GameImagePtr frame;
  vector_3dPtr position;
  vector_3dPtr direction;
  int32_t speed;
  pointPtr lastCell;
  bool moving = false;
  int32_t soundCounter = 0;
  int32_t stepCount = 0;
  vector_3dPtr nextPosition;
  vector_3dPtr lastPosition;
  vector_3dPtr offset;

 private:
  bool coveredCell() const;
  void decide();
};

using FruitBasePtr = nuv::lang::DPtr<FruitBase>;

}  // namespace gobbler
