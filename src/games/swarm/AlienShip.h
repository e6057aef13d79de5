// One alien of the formation: it sways in its slot, climbs out with a spin, dives at the player's ship
// while steering after it and firing, may fly a loop, leaves at the bottom, comes back from the top into
// its slot, and blows up when hit.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DTypedArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"

namespace swarm {

class AlienShip : public nuv::lang::DObject {
 public:
  static constexpr int32_t STATE_FORMATION = 0;
  static constexpr int32_t STATE_CLIMBING = 1;
  static constexpr int32_t STATE_DIVING = 2;
  static constexpr int32_t STATE_RETURNING = 3;
  static constexpr int32_t STATE_EXPLODING = 4;
  static constexpr int32_t STATE_GONE = 5;

  static constexpr int32_t DIVE_STRAIGHT = 0;
  static constexpr int32_t DIVE_LOOPING = 1;
  static constexpr int32_t DIVE_LOOPED = 2;

  static constexpr int32_t SIDE_LEFT = 0;
  static constexpr int32_t SIDE_RIGHT = 1;

  AlienShip() = default;
  ~AlienShip() override;
  const char* getClassName() const override { return "AlienShip"; }

  // Its own copies of the formation animation (at a random frame, so a row does not blink in step) and of
  // the explosion.
  void setAnimations(gamelib::AnimationPtr formation, gamelib::AnimationPtr explosion);
  // Starts a dive: the climb out of the formation. Returns 1.
  int32_t activate();
  // One 30 ms step of movement in the current state.
  void updateFlight();
  // Whether the rectangle touches the alien's hit box (its picture less the margin on every side).
  bool overlaps(int32_t x, int32_t y, int32_t w, int32_t h) const;
  // overlaps, and on a hit the alien starts exploding; 1 on a hit, else 0.
  int32_t hitTest(int32_t x, int32_t y, int32_t w, int32_t h);
  void paint();

  // The heading image (0..15) of an alien at (dx, dy) from the ship: 0 points down, the index turns
  // clockwise a sixteenth of a circle at a time.
  static int32_t directionTowards(int32_t dx, int32_t dy);

  // The sixteen direction images of its kind (shared).
  gamelib::GameImageArrayPtr images;
  gamelib::AnimationPtr formationAnimation;
  gamelib::AnimationPtr explosion;
  int32_t diveMode = DIVE_STRAIGHT;
  // Centre in pixels; during flights also in 16.16.
  int32_t x = 0;
  int32_t y = 0;
  int32_t fx = 0;
  int32_t fy = 0;
  int32_t imageIndex = 0;
  // 16.16 turn while climbing; its integer part (low 4 bits) is the image index.
  int32_t imageAngle = 0;
  // The slot's centre without the sway.
  int32_t homeX = 0;
  int32_t homeY = 0;
  int32_t side = SIDE_LEFT;
  int32_t targetX = 0;
  int32_t targetY = 0;
  // 16.16 pixels per step.
  int32_t vx = 0;
  int32_t vy = 0;
  int32_t state = STATE_FORMATION;
  int32_t points = 0;
  int32_t row = 0;
  int32_t column = 0;
  // Shots it may still fire on this dive.
  int32_t shotsLeft = 0;

 private:
  void climb();
  // The aim of the dive once the climb is done, and the speeds that lead there.
  void startDive();
  void dive();
  void fire();
  void returnHome();
};

using AlienShipPtr = nuv::lang::DPtr<AlienShip>;
using AlienShipArray = nuv::lang::DTypedArray<AlienShip>;
using AlienShipArrayPtr = nuv::lang::DPtr<AlienShipArray>;
using AlienShipArray2d = nuv::lang::DTypedArray2d<AlienShipArray>;
using AlienShipArray2dPtr = nuv::lang::DPtr<AlienShipArray2d>;

}  // namespace swarm
