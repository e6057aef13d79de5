// The space-rocks game's sprites, drawn by rule at each screen size, and the drawing helpers its whole
// pictures share with them. Shapes are evaluated per pixel in the sprite's own turning frame, so every
// heading is drawn as crisply as the first, in flat palette bands with an ink outline one design pixel wide.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "Generators.h"

namespace datakit::rocksart {

inline constexpr double kPi = 3.14159265358979323846;

struct Point {
  double x;
  double y;
};

// The shared dice with the seed spread, so neighbouring seeds draw unlike pictures.
inline Dice spreadDice(std::uint32_t seed) { return Dice(seed * 2654435761u + 12345u); }

// The request's palette by name, and its scale.
class Art {
 public:
  explicit Art(const GenRequest& r) : s(r.size.scale), r_(r) {}
  Rgb operator()(const char* name) const { return r_.context.palette.named(name); }
  const GenRequest& request() const { return r_; }
  const int s;

 private:
  const GenRequest& r_;
};

// A rock of a family (size 1 large to 3 small, type the colour) turned by `turn` radians.
Image drawRock(const Art& art, int size, int type, double turn);
// The ship at a heading (radians, counter-clockwise from the right); a zoom below 1 draws it smaller.
Image drawShip(const Art& art, double heading, double zoom = 1.0);
// A bolt of light along a heading.
Image drawShot(const Art& art, double heading);
// A rocket pointing up and turned clockwise by `tilt`.
Image drawRocket(const Art& art, double tilt);
// Small saucer 1 or 2 at a frame of its running lamps.
Image drawSaucer(const Art& art, int type, int frame);
Image drawBigSaucer(const Art& art);
Image drawBigSaucerBlink(const Art& art, int phase);
Image drawDamage(const Art& art, int which);
// The upper left quarter of a blast ring.
Image drawRing(const Art& art, int row, int frame);
Image drawSpark(const Art& art, int n);
Image drawDebris(const Art& art, int n);
Image drawPanel(const Art& art, bool lives);

}  // namespace datakit::rocksart
