// The player: steered through the maze by the screen's requested direction, eating dots, power dots, fruit
// and frightened chasers, dying on a chaser's touch. It keeps the game's score, with the extra life every
// 10000 points and the score pop-ups.
#pragma once

#include <cstdint>

#include "gamelib/GameImage.h"
#include "games/gobbler/point.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"

namespace gobbler {

class SpookyBase;

class GobblerBase : public nuv::lang::DObject {
 public:
  static constexpr int32_t kDotPoints = 15;
  static constexpr int32_t kPowerDotPoints = 100;
  static constexpr int32_t kFirstChaserPoints = 200;
  static constexpr int32_t kExtraLifeEvery = 10000;
  static constexpr int32_t kMouthPhases = 12;

  GobblerBase();
  ~GobblerBase() override;
  const char* getClassName() const override { return "GobblerBase"; }

  // The picture, then the overlay, centred on the figure's cell, the view's offset added.
  virtual void draw(int32_t offsetX, int32_t offsetY);
  // One game step.
  virtual void update();
  // One move of playerSpeed pixels; a turn that cannot be made yet is dropped for the current direction,
  // which is then written back into `direction`.
  virtual void step(vector_3dPtr nextPosition, vector_3dPtr direction, vector_3dPtr lastPosition);
  // The direction taken, the mouth's phase and the picture for both.
  virtual void setDirection(vector_3dPtr newDirection);
  virtual void setPosition(int32_t x, int32_t y);
  // Points to the score: an extra life when a multiple of 10000 is passed, a pop-up for the values
  // that have one.
  virtual void addScore(int32_t points);
  virtual pointPtr currentCell();
  // Less than half a cell away on both axes.
  virtual bool isNear(vector_3dPtr other);

  // Frames of the death (dying while above 0) and of the change after a power dot still to show.
  int32_t deathCounter = 0;
  int32_t changeCounter = 0;
  rectanglePtr bounds;
  gamelib::GameImagePtr frame;
  gamelib::GameImagePtr overlay;
  vector_3dPtr position;
  vector_3dPtr direction;
  // The cell of the last update; (-1, -1) before the first.
  pointPtr lastCell;
  // Points of the next chaser eaten: doubling, back to 200 with every power dot.
  int32_t chaserValue = kFirstChaserPoints;
  vector_3dPtr nextPosition;
  vector_3dPtr lastPosition;
  bool moving = false;
  int32_t mouthPhase = 0;
  pointPtr cell;
  vector_3dPtr wantedDirection;

 private:
  // Contact with the fruit and the chasers; true when the player was caught.
  void meetFruit();
  bool meetChasers();
  // Entering a new cell: a portal, a dot or a power dot.
  void enterCell();
  // The dot's ground drawn into the maze picture once it is eaten.
  void clearCellPicture();
  void steer();
  void showChange();
};

using GobblerBasePtr = nuv::lang::DPtr<GobblerBase>;

}  // namespace gobbler
