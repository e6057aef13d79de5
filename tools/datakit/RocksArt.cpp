// The space-rocks game's pictures, drawn by rule at each screen size: the sprites of RocksSprites.cpp, the
// tiling nebulae of the levels and the splash.
#include "RocksArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "DataError.h"
#include "RocksSprites.h"

namespace datakit {

using namespace rocksart;

namespace {

// ---- Whole pictures ----

// A 4 x 4 ordered dither threshold, 0 to 15.
int bayer(int x, int y) {
  static const int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return kMatrix[y & 3][x & 3];
}

// A level's background: a nebula of wisps in a few dithered bands over deep space, with faint stars, that
// tiles seamlessly in both directions (the game scrolls it). Every wave has a whole number of periods
// across the picture, the warp that bends the wisps too.
Image drawNebula(const Art& art, int theme) {
  const int w = art.request().size.width, h = art.request().size.height, s = art.s;
  static const char* const kThemes[3][4] = {
      {"night", "violet", "dusk", "lilac"}, {"night", "blue", "sky", "ice"}, {"crimson", "crimson", "red", "orange"}};
  const char* const* names = kThemes[(theme - 1) % 3];
  const Rgb deep = art("deep");
  // Dark enough that every sprite reads over the brightest band.
  const std::array<Rgb, 6> bands = {deep,
                                    mix(deep, art(names[0]), 120),
                                    mix(deep, art(names[1]), 100),
                                    mix(deep, art(names[1]), 150),
                                    mix(deep, art(names[2]), 130),
                                    mix(deep, art(names[3]), 105)};
  struct Wave {
    int kx, ky;
    double amp, phase;
  };
  Dice dice = spreadDice(static_cast<std::uint32_t>(theme * 1009 + 3));
  std::vector<Wave> waves;
  for (int octave = 0; octave < 4; ++octave) {
    const int reach = 1 << octave;
    for (int i = 0; i < 5; ++i) {
      int kx = dice.roll(2 * reach + 1) - reach, ky = dice.roll(2 * reach + 1) - reach;
      if (kx == 0 && ky == 0) kx = reach;
      waves.push_back({kx, ky, 1.0 / (1 << octave), dice.unit() * 2 * kPi});
    }
  }
  const double warpPhase = dice.unit() * 2 * kPi, warpPhase2 = dice.unit() * 2 * kPi;
  std::vector<double> field(static_cast<size_t>(w) * h);
  double low = 1e9, high = -1e9;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double u = double(x) / w + 0.035 * std::cos(2 * kPi * 2 * y / h + warpPhase) +
                       0.02 * std::cos(2 * kPi * (x / double(w) + 3.0 * y / h) + warpPhase2);
      const double v = double(y) / h + 0.035 * std::cos(2 * kPi * 3 * x / w + warpPhase2) +
                       0.02 * std::cos(2 * kPi * (2.0 * x / w - y / double(h)) + warpPhase);
      double sum = 0;
      for (const Wave& wv : waves) sum += wv.amp * std::cos(2 * kPi * (wv.kx * u + wv.ky * v) + wv.phase);
      field[static_cast<size_t>(y) * w + x] = sum;
      low = std::min(low, sum);
      high = std::max(high, sum);
    }
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Most of the sky stays deep; the wisps rise out of it.
      double density = (field[static_cast<size_t>(y) * w + x] - low) / (high - low);
      density = std::clamp((density - 0.38) / 0.62, 0.0, 1.0);
      density = std::pow(density, 1.3);
      const double level = density * 5.0 + bayer(x / s, y / s) / 16.0 - 0.5;
      img.set(x, y, bands[static_cast<size_t>(std::clamp(static_cast<int>(std::floor(level + 0.5)), 0, 5))]);
    }
  // Far stars, part of the tile; a few brighter ones with a glint.
  Dice stars = spreadDice(static_cast<std::uint32_t>(theme * 77 + 5));
  const Rgb starColours[] = {art("grey"), art("slate"), art("lilac"), art("ice"), art("cloud")};
  for (int i = 0; i < 70; ++i) {
    const int x = stars.roll(w / s) * s, y = stars.roll(h / s) * s;
    const Rgb c = starColours[stars.roll(5)];
    if (i % 12 == 0) {
      img.fillRect(x - s, y, 3 * s, s, mix(img.at(x, y), c, 110));
      img.fillRect(x, y - s, s, 3 * s, mix(img.at(x, y), c, 110));
    }
    img.fillRect(x, y, s, s, mix(img.at(x, y), c, 170));
  }
  return img;
}

// The loading picture and menu background: deep space with a ringed planet, rocks, a saucer and the ship.
Image drawSplash(const Art& art) {
  const int w = art.request().size.width, h = art.request().size.height, s = art.s;
  Image img(w, h);
  img.gradientRect(0, 0, w, h, art("deep"), art("violet"));
  Dice dice = spreadDice(4242);
  for (int i = 0; i < 90 * s; ++i) {
    const int x = dice.roll(w / s) * s, y = dice.roll(h / s) * s;
    const Rgb c = dice.roll(3) == 0 ? art("ice") : dice.roll(2) == 0 ? art("cloud") : art("grey");
    img.fillRect(x, y, s, s, c);
  }
  // A planet low at the left, its ring crossing in front.
  const int pcx = w / 5, pcy = h * 4 / 5, pr = 52 * s;
  for (int y = -pr; y <= pr; ++y)
    for (int x = -pr; x <= pr; ++x) {
      if (x * x + y * y > pr * pr) continue;
      const double facing = (-(x + y) / (1.4 * pr)) + 0.3 * std::sqrt(1 - double(x * x + y * y) / (pr * pr));
      const int band = (y / (7 * s) + 20) % 2;
      Rgb c = facing > 0.55   ? art("peach")
              : facing > 0.15 ? art("orange")
              : facing > -0.3 ? art("brown")
                              : art("earth");
      if (band == 1) c = mix(c, art("crimson"), 60);
      img.set(pcx + x, pcy + y, c);
    }
  for (int a = 0; a < 1440; ++a) {
    const double t = a * kPi / 720, ex = std::cos(t) * 88 * s, ey = std::sin(t) * 16 * s;
    const int x = pcx + static_cast<int>(ex), y = pcy + static_cast<int>(ey - ex / 4);
    const bool behind = std::sin(t) < 0 && std::hypot(ex, ey - ex / 4) < pr;
    if (!behind) img.fillRect(x, y, 2 * s, s, mix(art("cream"), art("tan"), 100 + (a % 5) * 20));
  }
  // Rocks drifting across.
  struct Placed {
    int size, type;
    double x, y, turn;
  };
  const Placed rocks[] = {{1, 2, 0.78, 0.2, 0.4},  {1, 1, 0.14, 0.36, 1.3}, {2, 1, 0.62, 0.62, 2.2},
                          {3, 3, 0.88, 0.52, 0.9}, {2, 2, 0.3, 0.08, 3.1},  {3, 1, 0.45, 0.88, 0.2}};
  for (const Placed& p : rocks) {
    Image rock = drawRock(art, p.size, p.type, p.turn);
    img.blit(rock, static_cast<int>(p.x * w) - rock.width() / 2, static_cast<int>(p.y * h) - rock.height() / 2);
  }
  // The ship climbing to the upper right on its flame, a shot ahead of it, a saucer further off.
  const int sx = w * 11 / 20, sy = h * 41 / 100;
  for (int i = 1; i < 7; ++i) {
    const int r = std::max(s, (7 - i) * s / 2 + s);
    img.fillCircle(sx - i * 4 * s, sy + i * 4 * s, r, mix(art("yellow"), art("crimson"), i * 40));
  }
  Image ship = drawShip(art, kPi / 4);
  img.blit(ship, sx - ship.width() / 2, sy - ship.height() / 2);
  for (int i = 0; i < 3; ++i) {
    Image shot = drawShot(art, kPi / 4);
    img.blit(shot, sx + (18 + i * 14) * s - shot.width() / 2, sy - (18 + i * 14) * s - shot.height() / 2);
  }
  Image saucer = drawSaucer(art, 2, 0);
  img.blit(saucer, w / 6, h / 8);
  return img;
}

int intParam(const GenRequest& r, const char* key) { return r.intParam(key); }
}  // namespace

Image rocksArt(const GenRequest& r) {
  const Art art(r);
  const std::string& sprite = r.param("sprite");
  if (sprite == "rock") {
    const int size = intParam(r, "size"), type = intParam(r, "type"), frame = intParam(r, "frame");
    const int frames = intParam(r, "frames");
    if (size < 1 || size > 3 || type < 1 || type > 3 || frames < 1 || frame < 0 || frame >= frames)
      throw DataError(r.file, 0, "a rock has size 1 to 3, type 1 to 3 and a frame below frames");
    // Sixteen frames turn a whole circle; four frames a quarter, which the game turns on by quarters.
    const int spin = r.params.count("spin") ? intParam(r, "spin") : 1;
    return drawRock(art, size, type, spin * frame * 2 * kPi / 16);
  }
  if (sprite == "ship") return drawShip(art, intParam(r, "frame") * kPi / 8);
  if (sprite == "shot") return drawShot(art, intParam(r, "frame") * kPi / 8);
  if (sprite == "rocket") {
    // Straight up, then the three slants of the rockets' steps (2, 3), (2, 2) and (3, 2).
    static const double kTilts[] = {0, std::atan2(2, 3), std::atan2(2, 2), std::atan2(3, 2)};
    const int n = intParam(r, "n");
    if (n < 0 || n > 3) throw DataError(r.file, 0, "rockets are numbered 0 to 3");
    return drawRocket(art, kTilts[n]);
  }
  if (sprite == "saucer") {
    const int type = intParam(r, "type");
    if (type == 3) {
      const std::string& part = r.param("part");
      if (part == "body") return drawBigSaucer(art);
      if (part == "blink0") return drawBigSaucerBlink(art, 0);
      if (part == "blink1") return drawBigSaucerBlink(art, 1);
      if (part.rfind("damaged", 0) == 0) return drawDamage(art, std::stoi(part.substr(7)));
      throw DataError(r.file, 0, "the large saucer's parts are body, blink0, blink1 and damaged1 to 3");
    }
    return drawSaucer(art, type, intParam(r, "frame"));
  }
  if (sprite == "ring") return drawRing(art, intParam(r, "row"), intParam(r, "frame"));
  if (sprite == "spark") return drawSpark(art, std::clamp(intParam(r, "n"), 0, 4));
  if (sprite == "debris") return drawDebris(art, intParam(r, "n"));
  if (sprite == "panel") return drawPanel(art, r.param("part") == "lives");
  if (sprite == "nebula") return drawNebula(art, intParam(r, "theme"));
  if (sprite == "splash") return drawSplash(art);
  throw DataError(r.file, 0, "no space-rocks sprite named " + sprite);
}

}  // namespace datakit
