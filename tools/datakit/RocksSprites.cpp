// The space-rocks game's sprites: lumpy rocks that tumble frame by frame, the ship and its shots at their
// headings, rockets, saucers with running lights, blast rings, sparks, debris and the panels.
#include "RocksSprites.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace datakit::rocksart {

namespace {

bool inPolygon(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

// A square picture of `box` design pixels whose pixels ask `colour` at their centre, given in design
// pixels of the sprite's own frame: turned by `angle` (radians, counter-clockwise on the screen) about the
// picture's centre. The colour function answers nothing for transparent pixels.
Image drawTurned(int box, int scale, double angle, const std::function<std::optional<Rgb>(double, double)>& colour) {
  const int size = box * scale;
  Image img(size, size);
  const double c = size / 2.0, cs = std::cos(angle), sn = std::sin(angle);
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      const double sx = (px + 0.5 - c) / scale, sy = (py + 0.5 - c) / scale;
      const double lx = sx * cs - sy * sn, ly = sx * sn + sy * cs;
      if (auto col = colour(lx, ly)) img.set(px, py, *col);
    }
  return img;
}

// The one outline of every sprite: ink, one design pixel wide.
void inkOutline(Image& img, const Art& art) {
  for (int i = 0; i < art.s; ++i) img.outline(art("ink"));
}

}  // namespace

// ---- Rocks ----

struct RockLook {
  std::array<const char*, 4> bands;  // dark to light
  const char* deep;                  // the far side's darkest band, mixed with ink
};

RockLook rockLook(int type) {
  switch (type) {
    case 1:
      return {{"earth", "brown", "tan", "peach"}, "earth"};
    case 2:
      return {{"slate", "grey", "silver", "cloud"}, "slate"};
    default:
      return {{"crimson", "brown", "orange", "peach"}, "crimson"};
  }
}

struct Crater {
  double angle;   // of its centre around the rock's middle, in the rock's own frame
  double reach;   // of its centre from the middle, as a share of the radius
  double radius;  // as a share of the radius
};

// A rock of a family (size 1 large to 3 small, type the colour) turned by `turn` radians.
Image drawRock(const Art& art, int size, int type, double turn) {
  const double radius = size == 1 ? 16.0 : size == 2 ? 11.0 : 7.0;
  const int box = static_cast<int>(std::ceil(radius * 1.24)) * 2 + 3;
  Dice dice = spreadDice(static_cast<std::uint32_t>(size * 31 + type * 7));
  const double p1 = dice.unit() * 2 * kPi, p2 = dice.unit() * 2 * kPi, p3 = dice.unit() * 2 * kPi;
  std::vector<Crater> craters;
  const int craterCount = size == 3 ? 2 : 4;
  for (int i = 0; i < craterCount; ++i)
    craters.push_back({dice.unit() * 2 * kPi, 0.15 + dice.unit() * 0.45, 0.16 + dice.unit() * 0.12});
  const RockLook look = rockLook(type);
  std::array<Rgb, 6> bands = {mix(art(look.deep), art("ink"), 150),
                              art(look.bands[0]),
                              art(look.bands[1]),
                              art(look.bands[2]),
                              art(look.bands[3]),
                              art("white")};
  // Mostly lit from the front, a little from the top left: the turned pictures of a rock still read as
  // one rock when the game turns them a quarter.
  const double lx = -0.36, ly = -0.44, lz = 0.82;
  const uint32_t speckSeed = static_cast<uint32_t>(size * 97 + type * 13);

  auto edge = [&](double a) {
    return radius * (1 + 0.12 * std::sin(3 * a + p1) + 0.07 * std::sin(5 * a + p2) + 0.04 * std::sin(7 * a + p3));
  };
  Image img = drawTurned(box, art.s, turn, [&](double x, double y) -> std::optional<Rgb> {
    const double d = std::hypot(x, y), a = std::atan2(y, x), rim = edge(a);
    if (d > rim) return std::nullopt;
    // The light is the screen's: the surface point turned back from the rock's frame.
    const double cs = std::cos(turn), sn = std::sin(turn);
    const double sx = x * cs + y * sn, sy = -x * sn + y * cs;
    const double u = d / rim, z = std::sqrt(std::max(0.0, 1 - u * u));
    const double nx = sx / rim, ny = sy / rim;
    double light = nx * lx + ny * ly + z * lz;
    int band = light > 0.93 ? 4 : light > 0.73 ? 3 : light > 0.46 ? 2 : light > 0.18 ? 1 : 0;
    for (const Crater& c : craters) {
      const double cx = std::cos(c.angle) * c.reach * radius, cy = std::sin(c.angle) * c.reach * radius;
      const double cr = c.radius * radius, ox = x - cx, oy = y - cy, od = std::hypot(ox, oy);
      if (od > cr) continue;
      // A hollow: its floor a band darker, its wall that faces the light a band lighter.
      const double osx = ox * cs + oy * sn, osy = -ox * sn + oy * cs;
      const bool litWall = od > cr * 0.55 && (osx * lx + osy * ly) > 0;
      band = std::clamp(band + (litWall ? 1 : -1), 0, 4);
    }
    // Grit that turns with the rock.
    const int gx = static_cast<int>(std::floor(x / 1.6 + 50)), gy = static_cast<int>(std::floor(y / 1.6 + 50));
    Dice grain = spreadDice(speckSeed + static_cast<uint32_t>(gx * 131 + gy * 977));
    const int g = grain.roll(100);
    if (g < 9) band = std::max(band - 1, 0);
    if (g > 95 && band < 4) band += 1;
    return bands[static_cast<size_t>(band)];
  });
  inkOutline(img, art);
  return img;
}

// ---- The ship, its shots and the saucers' rockets ----

// The ship pointing up in design pixels, y down; its middle is the picture's middle. A zoom below 1 draws
// it smaller in a smaller picture.
Image drawShip(const Art& art, double heading, double zoom) {
  const std::vector<Point> hull = {{0, -12},    {2.5, -6.5}, {4, -1},  {4.5, 5},    {2.5, 8.5},
                                   {-2.5, 8.5}, {-4.5, 5},   {-4, -1}, {-2.5, -6.5}};
  const std::vector<Point> rightWing = {{3.5, -1.5}, {9.8, 5.5}, {9.2, 8.2}, {4.2, 7}};
  std::vector<Point> leftWing;
  for (const Point& p : rightWing) leftWing.push_back({-p.x, p.y});
  const int box = static_cast<int>(std::lround(27 * zoom)) | 1;
  Image img = drawTurned(box, art.s, heading - kPi / 2, [&](double zx, double zy) -> std::optional<Rgb> {
    const double x = zx / zoom, y = zy / zoom;
    // Engine glow under the tail.
    if (inEllipse(x, y, 0, 9.4, 1.7, 1.3)) return art(y < 9.2 ? "yellow" : "orange");
    if (inEllipse(x, y, 0, -3.6, 1.8, 3.3)) {
      if (inEllipse(x, y, -0.5, -5.2, 0.7, 0.9)) return art("white");
      return y < -3.8 ? art("ice") : art("sky");
    }
    if (inPolygon(hull, x, y)) {
      const double ax = std::abs(x);
      if (y > 6.8) return art("slate");
      if (ax < 1.1) return art("white");
      return ax < 2.6 ? art("silver") : art("steel");
    }
    if (inPolygon(rightWing, x, y) || inPolygon(leftWing, x, y)) {
      const double ax = std::abs(x);
      if (ax > 7.2 && y > 4.2) return art("red");
      if (y > 6.8) return art("slate");
      return ax < 6 ? art("steel") : art("grey");
    }
    return std::nullopt;
  });
  inkOutline(img, art);
  return img;
}

// A bolt of light along a heading.
Image drawShot(const Art& art, double heading) {
  return drawTurned(9, art.s, heading, [&](double x, double y) -> std::optional<Rgb> {
    // Along x after turning back; a capsule from -3 to 3.
    const double along = std::clamp(x, -3.0, 3.0), dx = x - along;
    const double d = std::hypot(dx, y);
    if (d > 1.6) return std::nullopt;
    if (d < 0.7) return art("white");
    return x > 1.5 ? art("ice") : art("cyan");
  });
}

// A rocket pointing up and turned clockwise by `tilt`.
Image drawRocket(const Art& art, double tilt) {
  Image img = drawTurned(13, art.s, -tilt, [&](double x, double y) -> std::optional<Rgb> {
    if (inEllipse(x, y, 0, -4.8, 1.2, 1.4)) return art("white");
    if (std::abs(x) <= 1.5 && y > -4.8 && y < 2.5) return std::abs(x) < 0.6 ? art("peach") : art("orange");
    if (std::abs(x) <= 2.8 && y >= 1 && y < 3.2 && std::abs(x) > 1.2 - (y - 1)) return art("crimson");
    if (inEllipse(x, y, 0, 4.2, 1.2, 1.8)) return y < 4 ? art("yellow") : art("red");
    return std::nullopt;
  });
  inkOutline(img, art);
  return img;
}

// ---- Saucers ----

struct SaucerLook {
  const char* top;
  const char* body;
  const char* shade;
  const char* under;
  const char* lamp;
};

// The small saucers: a hull with a glass dome and a band of lamps that run round as the frames go.
Image drawSaucer(const Art& art, int type, int frame) {
  const SaucerLook look = type == 1 ? SaucerLook{"mint", "lime", "green", "forest", "yellow"}
                                    : SaucerLook{"lilac", "purple", "violet", "dusk", "cream"};
  const double rx = type == 1 ? 11 : 12, ry = type == 1 ? 4 : 4.5;
  const int w = static_cast<int>(2 * rx) + 3, h = type == 1 ? 15 : 17;
  Image img(w * art.s, h * art.s);
  const double cx = w / 2.0, cy = h / 2.0 + 0.5;
  constexpr int kLamps = 6;
  for (int py = 0; py < img.height(); ++py)
    for (int px = 0; px < img.width(); ++px) {
      const double x = (px + 0.5) / art.s - cx, y = (py + 0.5) / art.s - cy;
      std::optional<Rgb> c;
      if (inEllipse(x, y, 0, -1.5, rx * 0.48, ry + 1.5) && y < 0) {
        c = inEllipse(x, y, -1.6, -3.4, 1, 1) ? art("white") : y < -2.6 ? art("ice") : art("cyan");
      } else if (inEllipse(x, y, 0, 3, rx * 0.6, 2.6) && y > 1.5) {
        c = art(look.under);
      } else if (inEllipse(x, y, 0, 1, rx, ry)) {
        c = y < -0.6 ? art(look.top) : y < 1.4 ? art(look.body) : art(look.shade);
        // The lamps along the front of the hull; one in four shines, running from left to right.
        for (int k = 0; k < kLamps; ++k) {
          const double lampX = (k - (kLamps - 1) / 2.0) * rx * 1.45 / kLamps;
          if (inEllipse(x, y, lampX, 1.6, 0.9, 0.9))
            c = (k + kLamps * 4 - frame / 2) % 4 == 0 ? art(look.lamp) : art("ink");
        }
      }
      if (c) img.set(px, py, *c);
    }
  inkOutline(img, art);
  return img;
}

// The large saucer: a disc, a deck with lamp sockets, a glass dome and a gun turret underneath.
constexpr int kBigW = 36;
constexpr int kBigH = 34;
constexpr double kDeckY = -3;
// The deck's lamps, which the blink pictures light in turn.
constexpr double kLampX[] = {-8.5, -5.2, -1.8, 1.8, 5.2, 8.5};
double lampY(double x) { return kDeckY + 5 * std::sqrt(std::max(0.0, 1 - (x / 11) * (x / 11))) - 1.2; }

Image drawBigSaucer(const Art& art) {
  Image img(kBigW * art.s, kBigH * art.s);
  const double cx = kBigW / 2.0, cy = kBigH / 2.0;
  for (int py = 0; py < img.height(); ++py)
    for (int px = 0; px < img.width(); ++px) {
      const double x = (px + 0.5) / art.s - cx, y = (py + 0.5) / art.s - cy;
      std::optional<Rgb> c;
      if (inEllipse(x, y, 0, -7, 7, 7) && y < kDeckY) {
        c = inEllipse(x, y, -2.6, -10, 1.5, 1.8) ? art("white") : y < -9 ? art("ice") : art("cyan");
      } else if (inEllipse(x, y, 0, kDeckY, 11, 5) && y < kDeckY + 3.4) {
        c = y < kDeckY - 1.5 ? art("rose") : art("red");
        for (double lx : kLampX)
          if (inEllipse(x, y, lx, lampY(lx), 1.1, 1.0)) c = art("ink");
      } else if (inEllipse(x, y, 0, 2.5, 17, 6)) {
        c = y < 0.5 ? art("red") : y < 3.5 ? art("crimson") : art("slate");
        if (std::abs(y - 2.3) < 0.55 && std::abs(x) < 15) c = art("peach");
      } else if (inEllipse(x, y, 0, 9.5, 7, 5.5)) {
        c = y < 9 ? art("steel") : art("slate");
      } else if (std::abs(x) < 1.2 && y >= 13 && y < 16.2) {
        c = art("grey");
      }
      if (c) img.set(px, py, *c);
    }
  inkOutline(img, art);
  return img;
}

// The deck lamps lit in turn, in a picture whose size places the damage marks on the hull: the game draws
// them at fixed pixel offsets from this picture's corner.
Image drawBigSaucerBlink(const Art& art, int phase) {
  const int size = art.s == 1 ? 34 : 20 * art.s;
  Image img(size, size);
  const double c = size / 2.0;
  for (int k = 0; k < 6; ++k) {
    if (k % 2 != phase) continue;
    const double lx = kLampX[k], ly = lampY(kLampX[k]);
    for (int py = 0; py < size; ++py)
      for (int px = 0; px < size; ++px) {
        const double x = (px + 0.5 - c) / art.s, y = (py + 0.5 - c) / art.s;
        if (inEllipse(x, y, lx, ly, 1.1, 1.0)) img.set(px, py, art(phase == 0 ? "yellow" : "cyan"));
        if (inEllipse(x, y, lx - 0.3, ly - 0.3, 0.45, 0.45)) img.set(px, py, art("white"));
      }
  }
  return img;
}

// A scorched crack in the hull with a glowing seam; three shapes.
Image drawDamage(const Art& art, int which) {
  static const char* const kMarks[][6] = {
      {".kk....", "kokk.k.", ".kyok..", "..kkok.", ".k..kk.", "......."},
      {"...k...", "..kok..", ".kk.kk.", "kok..k.", ".k.....", "......."},
      {"k....k.", "kk..ko.", ".kokk..", "..kyk..", ".kk.kk.", "k......"},
  };
  const char* const* rows = kMarks[(which - 1) % 3];
  Image img(7 * art.s, 6 * art.s);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      const char ch = rows[y][x];
      if (ch == '.') continue;
      const Rgb c = ch == 'k' ? art("ink") : ch == 'o' ? art("orange") : art("yellow");
      img.fillRect(x * art.s, y * art.s, art.s, art.s, c);
    }
  return img;
}

// ---- Bursts ----

// The upper left quarter of a blast ring: its lower right corner is the ring's centre.
Image drawRing(const Art& art, int row, int frame) {
  static const char* const kColours[3][4] = {{"white", "yellow", "orange", "crimson"},
                                             {"white", "ice", "cyan", "blue"},
                                             {"white", "lilac", "purple", "violet"}};
  const double radius = 3.5 + 3.5 * frame, thick = std::max(1.0, 3.2 - 0.35 * frame);
  const int q = static_cast<int>(std::ceil(radius)) + 1;
  Image img(q * art.s, q * art.s);
  const char* const* colours = kColours[(row - 1) % 3];
  const int fade = frame <= 2 ? 0 : frame <= 4 ? 1 : frame <= 6 ? 2 : 3;
  for (int py = 0; py < img.height(); ++py)
    for (int px = 0; px < img.width(); ++px) {
      const double x = (img.width() - px - 0.5) / art.s, y = (img.height() - py - 0.5) / art.s;
      const double d = std::hypot(x, y);
      if (d > radius || d < radius - thick) continue;
      // The last frames thin out into dots.
      if (frame >= 6 && ((px / art.s + py / art.s) % 2 == 1)) continue;
      const bool outer = d > radius - thick * 0.45;
      img.set(px, py, art(colours[std::min(3, fade + (outer ? 1 : 0))]));
    }
  return img;
}

// A spark (0) and its trail as it fades (1 to 4).
Image drawSpark(const Art& art, int n) {
  static const char* const kSparks[][5] = {
      {"..y..", ".yYy.", "yYwYy", ".yYy.", "..y.."}, {".....", "..o..", ".oYo.", "..o..", "....."},
      {".....", "..o..", ".odo.", "..o..", "....."}, {".....", ".....", "..d..", ".....", "....."},
      {".....", ".....", "..h..", ".....", "....."},
  };
  // Sparks at the first picture are 5 pixels, the trail dots 3 and then 1.
  const int size = n == 0 ? 5 : n <= 2 ? 3 : 1;
  const int from = (5 - size) / 2;
  Image img(size * art.s, size * art.s);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const char ch = kSparks[n][y + from][x + from];
      if (ch == '.') continue;
      const char* name = ch == 'y'   ? "yellow"
                         : ch == 'Y' ? "cream"
                         : ch == 'w' ? "white"
                         : ch == 'o' ? "orange"
                         : ch == 'd' ? "red"
                                     : "crimson";
      img.fillRect(x * art.s, y * art.s, art.s, art.s, art(name));
    }
  return img;
}

// A chip of debris: it tumbles a quarter turn every frame, glows at first and darkens as it shrinks.
Image drawDebris(const Art& art, int n) {
  const double size = 4.6 - n * 0.22;
  const double turn = n * kPi / 2.7;
  const char* light = n <= 3 ? "yellow" : n <= 8 ? "tan" : "brown";
  const char* body = n <= 3 ? "orange" : n <= 8 ? "brown" : "earth";
  const std::vector<Point> chip = {
      {-0.5 * size, -0.45 * size}, {0.55 * size, -0.3 * size}, {0.4 * size, 0.5 * size}, {-0.45 * size, 0.35 * size}};
  Image img = drawTurned(7, art.s, turn, [&](double x, double y) -> std::optional<Rgb> {
    if (!inPolygon(chip, x, y)) return std::nullopt;
    return x + y < -0.3 * size ? art(light) : art(body);
  });
  if (n <= 10) inkOutline(img, art);
  return img;
}

// ---- Panels ----

// A rounded dark glass panel for a corner of the screen, with the ship as the lives' sign.
Image drawPanel(const Art& art, bool lives) {
  const int w = lives ? 48 : 76, h = 20, s = art.s;
  Image img(w * s, h * s);
  const double radius = 6;
  for (int py = 0; py < img.height(); ++py)
    for (int px = 0; px < img.width(); ++px) {
      const double x = (px + 0.5) / s, y = (py + 0.5) / s;
      const double cx = std::clamp(x, radius, w - radius), cy = std::clamp(y, radius, h - radius);
      const double d = std::hypot(x - cx, y - cy);
      if (d > radius) continue;
      Rgb c = mix(art("night"), art("deep"), static_cast<int>(y * 256 / h));
      if (d > radius - 1) {
        c = art("ink");
      } else if (d > radius - 2) {
        c = x + y < (w + h) / 2.0 ? art("sky") : art("blue");
      }
      img.set(px, py, c);
    }
  if (lives) {
    Image icon = drawShip(art, kPi / 2, 0.55);
    img.blit(icon, 3 * s, (img.height() - icon.height()) / 2);
  }
  return img;
}

}  // namespace datakit::rocksart
