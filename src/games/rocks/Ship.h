// The player's ship: sixteen headings of 22.5 degrees, a thrust ramp of impulses, drift with a top speed,
// the screen edge, the parallax of the stars and the background against its motion, and the lives it loses
// with a spell of blinking invulnerability after each.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameImage.h"

namespace rocks {

class Ship : public nuv::lang::DObject {
 public:
  // The quarter turns, by the suffix of their pictures' names; turning left walks them in this order.
  static constexpr const char16_t* QUADRANT_RIGHT_UP = u"";
  static constexpr const char16_t* QUADRANT_LEFT_UP = u"_up";
  static constexpr const char16_t* QUADRANT_LEFT_DOWN = u"_lv";
  static constexpr const char16_t* QUADRANT_RIGHT_DOWN = u"_dn";
  static constexpr int32_t kFramesPerQuadrant = 4;

  Ship() = default;
  ~Ship() override;
  const char* getClassName() const override { return "Ship"; }

  // The start of a level: the lives of the text table, the middle of the screen, a random slanted heading
  // and a small push along it.
  virtual void reset();
  // The sixteen heading pictures from the image table.
  virtual void loadImages();
  // Where the gun is for the heading, relative to the centre: {dx, dy}, from the text table's values.
  virtual nuv::lang::DintArrayPtr getGunOffset();
  // Struck: one life less, a spin, and a spell of invulnerability; nothing while invulnerable.
  virtual void hit();
  virtual void turnLeft();
  virtual void turnRight();
  // One step; true while the ship moves.
  virtual bool move();
  // The next impulse of the ramp along the heading, unless it would reach the top speed.
  virtual void thrust();
  virtual void paint();
  // The heading's direction in thousandths; (0, 0) for an unknown quadrant.
  virtual int32_t directionX(int32_t frame, nuv::lang::DStringPtr quadrant);
  virtual int32_t directionY(int32_t frame, nuv::lang::DStringPtr quadrant);

  // 0 "_up", 1 "_lv", 2 "", 3 "_dn" (the stylus steering's numbering); -1 for an unknown text.
  static int32_t quadrantNumber(const nuv::lang::DStringPtr& quadrant);

  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t frame = 4;
  nuv::lang::DStringPtr quadrant;
  int32_t rampIndex = 0;
  int32_t rampMax = 0;
  int32_t lives = 0;
  bool changed = false;
  int32_t vx = 0;
  int32_t vy = 0;
  bool invulnerable = false;
  bool visible = false;
  int64_t hitTime = 0;
  int64_t blinkTime = 0;
  int32_t spin = 0;
  gamelib::GameImageArrayPtr images;

 private:
  // Draws the picture of the heading at (left, top) under the blink rule.
  void drawBlinking(const gamelib::GameImagePtr& image, int32_t left, int32_t top);
};

using ShipPtr = nuv::lang::DPtr<Ship>;

}  // namespace rocks
