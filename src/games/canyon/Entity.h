// Everything on the river but the terrain and the player's plane: bridges, fuel depots, enemy planes,
// balloons, guns, helicopters, ships, tanks and trains. Each moves by the rules of its kind, collides with
// the plane, is shot, fires its own horizontal shot, blows up and scores. Positions are world coordinates:
// x from the river's left edge, y upward from the bottom of the level, (x, y) the top-left corner.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DTypedArray2d.h"
#include "gamelib/Animation.h"

namespace canyon {

class Entity : public nuv::lang::DObject {
 public:
  static constexpr int32_t STATE_ALIVE = 0;
  static constexpr int32_t STATE_EXPLODING = 1;
  static constexpr int32_t STATE_GONE = 2;
  static constexpr int32_t STATE_PASSED = 3;  // a destroyed bridge the plane has flown past
  static constexpr int32_t SHOT_FLYING = 0;
  static constexpr int32_t SHOT_FREE = 2;

  // Sized from frame 0 of its kind's left animation, which must be loaded; an object code outside
  // 0..24 raises ArrayIndexOutOfBoundsException.
  Entity(int32_t type, int32_t x, int32_t y, int32_t screen);
  const char* getClassName() const override { return "Entity"; }

  // One step of an entity in view.
  void update();
  // Draws it with the river's left edge at display x xOffset.
  void paint(int32_t xOffset);

  // Enemy planes: straight across, coming back in on the other side.
  void moveFlyer();
  // Helicopters and ships: drift, now and then turn toward the plane, turn at the banks.
  void moveOnWater();
  // Guns, tanks and trains: fire, and drive along a road.
  void moveShooter();

  int32_t type;
  int32_t startX;
  int32_t startY;
  int32_t startSpeed = 2;
  int32_t x;
  int32_t y;
  // 0 for bridges and fuel depots, which are drawn before everything else.
  int32_t layer = 1;
  int32_t width = 0;
  int32_t height = 0;
  bool facingLeft = true;
  int32_t state = STATE_ALIVE;
  int32_t speed = 2;
  int32_t stepCounter = 0;
  int32_t turnCounter = 0;
  int32_t screen;
  gamelib::AnimationPtr explosion;
  int32_t shotStartX = 0;
  int32_t shotX = 0;
  int32_t shotY = 0;
  int32_t shotState = SHOT_FREE;
  int32_t shotStep = 0;
  // It stands on a road (its stored cell's overlay is a road tile): it drives, and goes with its bridge.
  bool onRoad = false;

 private:
  void moveBalloon();
  // Along the row, turning at the river's edges.
  void edgeMove();
  // Toward the plane's side, with the chance of a roll below percent.
  void maybeTurn(int32_t percent);
  void collideWithPlane();
  void takePlayerShots();
  // Blows up the road units on this bridge's row; those clear of it stop.
  void blowUpRoad();
  void blowUp(int32_t sound);
  void moveShot();
  void paintBridgeExplosion(int32_t xOffset, int32_t displayY);
};

// Whether two rectangles (left x, top y, width, height in world pixels) meet; touching edges do.
bool rectsOverlap(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w1, int32_t h1, int32_t w2, int32_t h2);

using EntityPtr = nuv::lang::DPtr<Entity>;
using EntityArray = nuv::lang::DTypedArray<Entity>;
using EntityArrayPtr = nuv::lang::DPtr<EntityArray>;
using EntityArray2d = nuv::lang::DTypedArray2d<EntityArray>;
using EntityArray2dPtr = nuv::lang::DPtr<EntityArray2d>;

}  // namespace canyon
