// The alien-formation game's pictures drawn by rule.
#include "games/SwarmPictures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "DataError.h"
#include "PixelArt.h"

namespace datakit {

namespace {

constexpr double kPi = 3.14159265358979;

// The game's sprites, from the atlas folder the request names.
Image sprite(const GenRequest& r, const std::string& key) {
  std::filesystem::path path = r.context.dataDir / r.param("atlas") / (key + ".px");
  return parseSprite(readFile(path), r.context.palette, path.string());
}

// Light from the top left, falling on a sphere: 0 on the far side, 1 where it faces the light.
double sphereLight(double nx, double ny) {
  const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
  const double lx = -0.5, ly = -0.55, lz = 0.67;
  return std::max(0.0, nx * lx + ny * ly + nz * lz);
}

// A 2 x 2 ordered dither: whether a pixel between two bands takes the brighter one.
bool ditherUp(int x, int y, double fraction) {
  static const double kOrder[2][2] = {{0.125, 0.625}, {0.875, 0.375}};
  return fraction > kOrder[y & 1][x & 1];
}

// A well-stirred hash of three numbers, the same on every build.
std::uint32_t hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = a * 73856093u ^ b * 19349663u ^ c * 83492791u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth noise that repeats `across` times over the width and `down` times over the height of a unit
// square.
double valueNoise(double u, double v, int across, int down, std::uint32_t seed) {
  auto lattice = [&](int i, int j) {
    const std::uint32_t h = hash(static_cast<std::uint32_t>(((i % across) + across) % across),
                                 static_cast<std::uint32_t>(((j % down) + down) % down), seed);
    return static_cast<double>((h >> 8) & 0xFFFF) / 65535.0;
  };
  const double x = u * across, y = v * down;
  const int i = static_cast<int>(std::floor(x)), j = static_cast<int>(std::floor(y));
  const double fx = x - i, fy = y - j, sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double top = lattice(i, j) + (lattice(i + 1, j) - lattice(i, j)) * sx;
  const double bottom = lattice(i, j + 1) + (lattice(i + 1, j + 1) - lattice(i, j + 1)) * sx;
  return top + (bottom - top) * sy;
}

// Four octaves of noise that repeats over the unit square, the coarsest with `across` by `down` cells.
double cloud(double u, double v, std::uint32_t seed, int across = 3, int down = 3) {
  double sum = 0, weight = 0.5, total = 0;
  for (int octave = 0; octave < 4; ++octave, weight *= 0.5) {
    sum += weight * valueNoise(u, v, across << octave, down << octave, seed + octave);
    total += weight;
  }
  return sum / total;
}

// A lit ball in four bands, dithered where they meet; `surface` picks the colour ramp at each point.
template <class Surface>
void drawBall(Image& img, double cx, double cy, double radius, Surface surface) {
  for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y)
    for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
      const double nx = (x + 0.5 - cx) / radius, ny = (y + 0.5 - cy) / radius;
      if (nx * nx + ny * ny > 1) continue;
      const double level = sphereLight(nx, ny) * 3.2;
      const int band = std::min(3, static_cast<int>(level));
      const int shade = band + (band < 3 && ditherUp(x, y, level - band) ? 1 : 0);
      img.set(x, y, surface(nx, ny, std::min(3, shade)));
    }
}

Image planet(const GenRequest& r, int kind) {
  const Rgb deep = pal(r, "deep");
  // Colour ramps, darkest first; a planet is a background thing, so it is kept a little dim.
  auto dim = [&](const char* name) { return mix(pal(r, name), deep, 100); };
  switch (kind) {
    case 1: {  // a ringed giant in bands of peach and brown
      Image img(41, 25);
      const double cx = 20.5, cy = 12.5, radius = 10.5;
      auto ring = [&](bool front) {
        for (int a = 0; a < 720; ++a) {
          const double t = a * kPi / 360, ex = std::cos(t) * 19.5, ey = std::sin(t) * 4.5;
          const bool near = std::sin(t) > 0;
          if (near != front) continue;
          for (double w = 0; w < 1; w += 0.5)
            img.set(static_cast<int>(cx + ex * (1 - w * 0.12)), static_cast<int>(cy + ey * (1 - w * 0.12) - ex * 0.12),
                    near ? dim("cream") : dim("tan"));
        }
      };
      ring(false);
      const Rgb bands[2][4] = {{dim("earth"), dim("brown"), dim("tan"), dim("peach")},
                               {dim("earth"), dim("crimson"), dim("orange"), dim("peach")}};
      drawBall(img, cx, cy, radius, [&](double, double ny, int shade) {
        const int stripe = static_cast<int>(std::floor((ny + 1) * 3.5 + 0.3 * std::sin(ny * 9))) & 1;
        return bands[stripe][shade];
      });
      ring(true);
      return img;
    }
    case 2: {  // an ocean world with green land and white cloud
      Image img(19, 19);
      const Rgb sea[4] = {dim("night"), dim("blue"), dim("sky"), dim("ice")};
      const Rgb land[4] = {dim("forest"), dim("forest"), dim("green"), dim("lime")};
      const Rgb cloudy[4] = {dim("slate"), dim("grey"), dim("cloud"), dim("white")};
      drawBall(img, 9.5, 9.5, 9, [&](double nx, double ny, int shade) {
        const double u = (nx + 1) / 2, v = (ny + 1) / 2;
        if (cloud(u, v * 0.6, 41) > 0.66) return cloudy[shade];
        return cloud(u, v, 17) > 0.52 ? land[shade] : sea[shade];
      });
      return img;
    }
    case 3: {  // a small red rock with craters
      Image img(15, 15);
      const Rgb rock[4] = {dim("earth"), dim("crimson"), dim("red"), dim("rose")};
      const Rgb pit[4] = {dim("earth"), dim("earth"), dim("crimson"), dim("red")};
      drawBall(img, 7.5, 7.5, 7, [&](double nx, double ny, int shade) {
        return cloud((nx + 1) / 2, (ny + 1) / 2, 5) < 0.38 ? pit[shade] : rock[shade];
      });
      return img;
    }
    default: {  // an icy violet moon
      Image img(25, 25);
      const Rgb ice[4] = {dim("violet"), dim("dusk"), dim("lilac"), dim("white")};
      const Rgb pit[4] = {dim("deep"), dim("violet"), dim("dusk"), dim("lilac")};
      drawBall(img, 12.5, 12.5, 12, [&](double nx, double ny, int shade) {
        return cloud((nx + 1) / 2, (ny + 1) / 2, 29) < 0.36 ? pit[shade] : ice[shade];
      });
      return img;
    }
  }
}

// Heat from 0 (cold smoke) to 1 (white hot) as the explosion's colours.
Rgb heatColour(const GenRequest& r, double heat) {
  if (heat > 0.85) return pal(r, "white");
  if (heat > 0.68) return pal(r, "cream");
  if (heat > 0.52) return pal(r, "yellow");
  if (heat > 0.36) return pal(r, "orange");
  if (heat > 0.22) return pal(r, "red");
  if (heat > 0.1) return pal(r, "crimson");
  return pal(r, "dusk");
}

Image burst(const GenRequest& r, bool ship, int frame, int frames) {
  const int size = ship ? 23 : 15;
  const double c = size / 2.0, reach = size / 2.0 - 0.5;
  const double t = frames > 1 ? static_cast<double>(frame) / (frames - 1) : 0;
  Image img(size, size);
  Dice jitter(ship ? 23 : 15);
  double rough[16];
  for (double& j : rough) j = 0.8 + jitter.roll(40) / 100.0;
  const double outer = 2.5 + (reach - 2.5) * std::sqrt(t);
  const double inner = outer * std::max(0.0, t - 0.2) * 1.1;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      const int sector = static_cast<int>((std::atan2(dy, dx) + kPi) / (2 * kPi) * 16) & 15;
      const double d = std::hypot(dx, dy) / rough[sector];
      if (d > outer || d < inner) continue;
      // Late in the explosion the fireball breaks into rags.
      if (t > 0.45 && hash(x, y, frame) % 100 < (t - 0.45) * 150) continue;
      const double heat = (1 - t) * (1.05 - 0.55 * d / std::max(1.0, outer)) + (d < 1.5 && t < 0.3 ? 0.3 : 0);
      img.set(x, y, heatColour(r, heat));
    }
  // Sparks fly out ahead of the fire; the ship's wreck throws pieces of its hull.
  Dice sparks(ship ? 7 : 3);
  const int count = ship ? 14 : 9;
  for (int i = 0; i < count; ++i) {
    const double angle = sparks.roll(360) * kPi / 180, speed = 0.55 + sparks.roll(45) / 100.0;
    const double d = speed * reach * (0.35 + 0.75 * t);
    const int x = static_cast<int>(c + std::cos(angle) * d), y = static_cast<int>(c + std::sin(angle) * d);
    if (t < 0.95) img.set(x, y, heatColour(r, 0.95 - t));
  }
  if (ship && t > 0) {
    const char* hull[] = {"silver", "red", "steel", "white", "crimson", "silver"};
    Dice pieces(11);
    for (const char* colour : hull) {
      const double angle = pieces.roll(360) * kPi / 180, d = (0.4 + pieces.roll(50) / 100.0) * reach * t * 1.1;
      const int x = static_cast<int>(c + std::cos(angle) * d), y = static_cast<int>(c + std::sin(angle) * d);
      img.fillRect(x, y, 2, 1 + (pieces.roll(2)), pal(r, colour));
    }
  }
  return img;
}

// Stars that tile downwards: dots of the palette's light colours, a few of them crosses.
void wrappedStars(Image& img, const GenRequest& r, int count, std::uint32_t seed) {
  Dice dice(seed);
  const Rgb colours[] = {pal(r, "white"), pal(r, "ice"), pal(r, "cloud"), pal(r, "lilac"), pal(r, "cream")};
  const int s = r.size.scale, w = img.width(), h = img.height();
  for (int i = 0; i < count; ++i) {
    const int x = dice.roll(w / s) * s, y = dice.roll(h / s) * s;
    const Rgb c = colours[dice.roll(5)];
    const int kind = dice.roll(12);
    const int strength = kind < 8 ? 70 + dice.roll(60) : 200;
    img.fillRect(x, y, s, s, mix(img.at(x, y), c, strength));
    if (kind == 11 && y >= s && y + 2 * s <= h) {
      for (auto [ax, ay] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        img.fillRect(x + ax * s, y + ay * s, s, s, mix(img.at(x + ax * s, y + ay * s), c, 110));
    }
  }
}

// A nebula that tiles downwards: two colours laid over the ground by wrapping noise.
void wrappedNebula(Image& img, Rgb ground, Rgb first, Rgb second, std::uint32_t seed, int strength) {
  const int w = img.width(), h = img.height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double u = static_cast<double>(x) / w, v = static_cast<double>(y) / h;
      const double a = std::clamp((cloud(u, v, seed, 3, 4) - 0.4) / 0.35, 0.0, 1.0);
      const double b = std::clamp((cloud(u, v, seed + 50, 3, 4) - 0.45) / 0.3, 0.0, 1.0);
      Rgb c = mix(ground, first, static_cast<int>(a * strength));
      c = mix(c, second, static_cast<int>(b * strength * 0.8));
      img.set(x, y, c);
    }
}

Image upsideDown(const Image& sprite) {
  Image out(sprite.width(), sprite.height());
  for (int y = 0; y < sprite.height(); ++y)
    for (int x = 0; x < sprite.width(); ++x) out.set(sprite.width() - 1 - x, sprite.height() - 1 - y, sprite.at(x, y));
  return out;
}

// The sprite's pixels mixed toward `toward` by t of 256, its transparent ones kept.
Image dimmed(Image sprite, Rgb toward, int t) {
  for (int y = 0; y < sprite.height(); ++y)
    for (int x = 0; x < sprite.width(); ++x)
      if (sprite.at(x, y) != kKeyColour) sprite.set(x, y, mix(sprite.at(x, y), toward, t));
  return sprite;
}

// A sprite enlarged by a whole factor, centred on (cx, cy).
void stamp(Image& img, const Image& sprite, int factor, int cx, int cy) {
  const Image big = sprite.scaled(factor);
  img.blit(big, cx - big.width() / 2, cy - big.height() / 2);
}

}  // namespace

Image swarmPlanet(const GenRequest& r) { return planet(r, r.intParam("kind")).scaled(r.size.scale); }

Image swarmBurst(const GenRequest& r) {
  const std::string& kind = r.param("kind");
  if (kind != "alien" && kind != "ship") throw DataError(r.file, 0, "kind must be alien or ship");
  return burst(r, kind == "ship", r.intParam("frame"), r.intParam("frames")).scaled(r.size.scale);
}

Image swarmLevel(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  const int theme = r.intParam("theme");
  Image img(w, h);
  switch (theme) {
    case 1:  // deep blue with a drift of violet
      wrappedNebula(img, pal(r, "deep"), mix(pal(r, "deep"), pal(r, "blue"), 110),
                    mix(pal(r, "deep"), pal(r, "violet"), 200), 101, 256);
      break;
    case 2:  // dusk red clouds
      wrappedNebula(img, mix(pal(r, "deep"), pal(r, "black"), 60), mix(pal(r, "deep"), pal(r, "crimson"), 120),
                    mix(pal(r, "deep"), pal(r, "dusk"), 150), 202, 256);
      break;
    default:  // a green glow
      wrappedNebula(img, pal(r, "deep"), mix(pal(r, "deep"), pal(r, "forest"), 120),
                    mix(pal(r, "deep"), pal(r, "cyan"), 55), 303, 256);
      break;
  }
  wrappedStars(img, r, 60 * s, 400 + theme);
  return img;
}

// The loading picture is also the in-game pages' background: everything lit in it is seen in the night's
// light, so that no sprite shines brighter than the pages' text.
Image swarmSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  // How far every lit thing is mixed toward the night sky (of 256).
  constexpr int kNight = 70;
  auto lit = [&](const std::string& key) { return dimmed(sprite(r, key), pal(r, "deep"), kNight); };
  auto litColour = [&](const char* name) { return mix(pal(r, name), pal(r, "deep"), kNight); };
  Image img(w, h);
  img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "violet"));
  starField(img, r, 60 * s * s, 707, h);
  // A world below, its rim lit by a sun beyond it.
  const int radius = w * 3 / 2, cx = w / 2, cy = h + radius - h / 5;
  for (int y = h - h / 4; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d <= radius) {
        img.set(x, y, mix(pal(r, "night"), pal(r, "deep"), std::min(256, static_cast<int>((radius - d) * 12 / s))));
      } else if (d < radius + 10 * s) {
        img.set(x, y, mix(img.at(x, y), pal(r, "sky"), static_cast<int>(200 - (d - radius) * 20 / s)));
      }
    }
  litDisc(img, w * 4 / 5, h / 6, 14 * s, litColour("peach"), litColour("orange"), litColour("crimson"));

  // The formation: the flagships, then a row of each kind.
  const int cell = 30 * s, top = h / 6;
  const int kinds[] = {8, 1, 4};
  for (int row = 0; row < 3; ++row) {
    const int n = row == 0 ? 2 : 5;
    for (int i = 0; i < n; ++i) {
      const int x = w / 2 + (2 * i - (n - 1)) * cell / 2, y = top + row * 24 * s;
      if (row == 2 && i == n - 1) continue;  // the one that dives
      stamp(img, lit("fly" + std::to_string(kinds[row]) + (i % 2 ? "_5.png" : "_1.png")), 2 * s, x, y);
    }
  }
  // The diver's trail curls out of the formation and down at the ship.
  const int sx = w / 2 + 4 * cell / 2, sy = top + 48 * s;
  const int ex = w / 2 + 10 * s, ey = h * 13 / 20;
  for (int i = 0; i < 24; ++i) {
    const double t = i / 24.0;
    const int x = static_cast<int>(sx + (ex - sx) * t + std::sin(t * kPi) * 40 * s);
    const int y = static_cast<int>(sy + (ey - sy) * t * t - std::sin(t * kPi) * 20 * s);
    if (i % 2 == 0) img.fillRect(x - s / 2, y - s / 2, 2 * s, 2 * s, mix(pal(r, "dusk"), pal(r, "ice"), 40 + i * 8));
  }
  stamp(img, upsideDown(lit("fly4_1.png")), 2 * s, ex, ey);
  // The ship below, firing up.
  const int shipY = h * 17 / 20;
  stamp(img, lit("ship.png"), 3 * s, w / 2 - 30 * s, shipY);
  for (int i = 0; i < 3; ++i) stamp(img, lit("shot_1.png"), 2 * s, w / 2 - 30 * s, shipY - (40 + 30 * i) * s);
  return img;
}

Image swarmGameOver(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  Image img(w, h);
  img.gradientRect(0, 0, w, h / 2, pal(r, "black"), pal(r, "deep"));
  img.gradientRect(0, h / 2, w, h - h / 2, pal(r, "deep"), mix(pal(r, "deep"), pal(r, "crimson"), 140));
  starField(img, r, 40 * s * s, 808, h);
  // The formation looms at the top, dim.
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 6; ++i) {
      const Image alien = dimmed(sprite(r, row == 0 ? "fly8_1.png" : "fly6_1.png"), pal(r, "deep"), 110);
      stamp(img, alien, 2 * s, w / 2 + (2 * i - 5) * 17 * s, h / 10 + row * 28 * s);
    }
  // The ship's wreck below the texts: the hull and its wings drifting apart, with smoke.
  const Image ship = sprite(r, "ship.png");
  const int factor = 3 * s, cx = w / 2, cy = h * 3 / 4;
  const Image left = ship.cropped(0, 0, 5, ship.height()).scaled(factor);
  const Image body = ship.cropped(5, 0, 5, ship.height()).scaled(factor);
  const Image right = ship.cropped(10, 0, 5, ship.height()).scaled(factor);
  for (int i = 0; i < 14; ++i) {
    Dice puff(900 + i);
    const int x = cx + (puff.roll(80) - 40) * s, y = cy + (puff.roll(50) - 20) * s;
    img.fillCircle(x, y, (3 + puff.roll(5)) * s, mix(img.at(x, y), pal(r, "slate"), 90));
  }
  img.blit(left, cx - body.width() / 2 - left.width() - 9 * s, cy - body.height() / 2 + 6 * s);
  img.blit(body, cx - body.width() / 2, cy - body.height() / 2);
  img.blit(right, cx + body.width() / 2 + 7 * s, cy - body.height() / 2 - 5 * s);
  Dice sparks(77);
  for (int i = 0; i < 30; ++i) {
    const double angle = sparks.roll(360) * kPi / 180, d = (20 + sparks.roll(50)) * s;
    const int x = cx + static_cast<int>(std::cos(angle) * d), y = cy + static_cast<int>(std::sin(angle) * d * 0.6);
    img.fillRect(x, y, s, s, heatColour(r, 0.3 + sparks.roll(60) / 100.0));
  }
  return img;
}

}  // namespace datakit
