// One of the four chasers: it waits at its start, then runs the maze deciding afresh at every cell it has
// covered (or when it is stopped), chasing the player, fleeing while frightened, and running home as a pair
// of eyes after it was eaten.
#pragma once

#include <cstdint>

#include "gamelib/GameImage.h"
#include "games/gobbler/point.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"

namespace gobbler {

class SpookyBase : public nuv::lang::DObject {
 public:
  // Colours, also the picture rows: red, green, orange, yellow.
  static constexpr int32_t KIND_RED = 0;
  static constexpr int32_t KIND_GREEN = 1;
  static constexpr int32_t KIND_ORANGE = 2;
  static constexpr int32_t KIND_YELLOW = 3;
  // Steps between the sounds of eyes going home.
  static constexpr int32_t kEyesSoundEvery = 16;

  // Reseeds the game library's generator from the clock: every life starts a new random sequence.
  SpookyBase();
  ~SpookyBase() override;
  const char* getClassName() const override { return "SpookyBase"; }

  // The picture at the position, the view's offset added.
  virtual void draw(int32_t offsetX, int32_t offsetY);
  // One game step.
  virtual void update();
  // One move of `speed` pixels; doors never stop it. A blocked new direction falls back to the current one.
  virtual void step(vector_3dPtr nextPosition, vector_3dPtr direction, vector_3dPtr lastPosition);
  virtual void setDirection(vector_3dPtr newDirection);
  // The picture for the state and the direction; the red pictures flash in at the end of a fright.
  virtual void chooseFrame();
  virtual void setPosition(int32_t x, int32_t y);

  // Where its eyes go home to: the 'r' point for red and yellow, the 'g' point for green and orange.
  vector_3dPtr homePoint() const;

  int32_t kind = KIND_RED;
  rectanglePtr bounds;
  // Steps still to stand at the start.
  int32_t waitCounter = 0;
  gamelib::GameImagePtr frame;
  vector_3dPtr position;
  vector_3dPtr direction;
  int32_t speed = 0;
  // The cell of the last decision; (-1, -1) before the first.
  pointPtr lastCell;
  bool moving = true;
  bool frightened = false;
  bool eyes = false;
  int32_t soundCounter = 0;
  vector_3dPtr newDirection;
  vector_3dPtr nextPosition;
  vector_3dPtr lastPosition;
  // From the chaser to what it aims at, or away from the player while frightened.
  vector_3dPtr target;
  pointPtr cell;

 private:
  void chooseSpeed();
  // Whether it has gone a whole cell since its last decision.
  bool coveredCell() const;
  void decide();
};

using SpookyBasePtr = nuv::lang::DPtr<SpookyBase>;

}  // namespace gobbler
