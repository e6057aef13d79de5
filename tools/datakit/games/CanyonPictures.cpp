// The river-flying shooter's splash, side panels and game-over picture: a river winding through red rock,
// drawn at the full size of each screen, with the game's sprites (pixel art) scaled up on it.
#include "games/CanyonPictures.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "PixelArt.h"
#include "Stage.h"

namespace datakit {

namespace {

// The river beside its panels: 22 cells of 8 pixels at 240 pixels wide.
constexpr int kRiverWidth = 176;
constexpr int kBaseWidth = 240;
constexpr double kPi = 3.14159265358979;

Image sprite(const GenRequest& r, const std::string& key, int factor) {
  const std::filesystem::path path = r.context.dataDir / "graphics/all/cy/all.atlas" / (key + ".px");
  return parseSprite(readFile(path), r.context.palette, path.string()).scaled(factor);
}

// Rock in blocks of the screen's pixel size: a base with lit grains and dark cracks.
void rock(Image& img, int x0, int y0, int w, int h, const GenRequest& r, unsigned seed) {
  const int s = r.size.scale;
  const Rgb base = pal(r, "brown"), light = pal(r, "tan"), dark = pal(r, "earth"), warm = pal(r, "orange");
  Dice dice(seed);
  img.fillRect(x0, y0, w, h, base);
  for (int y = y0; y < y0 + h; y += s)
    for (int x = x0; x < x0 + w; x += s) {
      const int k = dice.roll(100);
      if (k < 9)
        img.fillRect(x, y, s, s, mix(base, light, 150));
      else if (k < 16)
        img.fillRect(x, y, s, s, dark);
      else if (k < 18)
        img.fillRect(x, y, s, s, mix(base, warm, 120));
    }
  // Ledges: short lit edges over dark shadows, the light coming from the top left.
  for (int i = 0; i < w * h / (260 * s * s); ++i) {
    const int x = x0 + dice.roll(w), y = y0 + dice.roll(h), len = (4 + dice.roll(10)) * s;
    img.fillRect(x, y, len, s, light);
    img.fillRect(x + s, y + s, len, s, dark);
  }
}

// The river's middle and half width at a height of the picture.
struct Reach {
  double centre;
  double half;
};

Reach reachAt(int y, int w, int h, double phase) {
  const double t = static_cast<double>(y) / h;
  return {w / 2.0 + std::sin(t * 2.4 * kPi + phase) * w * 0.14, w * (0.16 + 0.04 * std::sin(t * 1.7 * kPi + 1.0))};
}

// Water between its banks: a foam line along each shore, the cliff above it in shadow on the east bank.
void river(Image& img, const GenRequest& r, double phase) {
  const int w = img.width(), h = img.height(), s = r.size.scale;
  const Rgb water = pal(r, "blue"), deep = mix(pal(r, "blue"), pal(r, "night"), 90), foam = pal(r, "ice");
  for (int y = 0; y < h; ++y) {
    const Reach reach = reachAt(y, w, h, phase);
    const int left = static_cast<int>(reach.centre - reach.half), right = static_cast<int>(reach.centre + reach.half);
    for (int x = left; x <= right; ++x) {
      const double d = std::abs(x - reach.centre) / reach.half;
      img.set(x, y, d < 0.45 ? deep : water);
    }
    img.fillRect(left - 2 * s, y, 2 * s, 1, pal(r, "ink"));
    img.fillRect(left, y, s, 1, foam);
    img.fillRect(right - s + 1, y, s, 1, foam);
    img.fillRect(right + 1, y, 2 * s, 1, pal(r, "ink"));
    img.fillRect(right + 1 + 2 * s, y, 3 * s, 1, pal(r, "earth"));
  }
  // Ripples on the open water.
  Dice dice(77);
  for (int i = 0; i < 40; ++i) {
    const int y = dice.roll(h);
    const Reach reach = reachAt(y, w, h, phase);
    const int x = static_cast<int>(reach.centre - reach.half * 0.6) + dice.roll(static_cast<int>(reach.half * 1.2));
    img.fillRect(x, y, 3 * s, s, pal(r, "sky"));
  }
}

// A road across the picture at row y, a bridge where it crosses the water.
void roadAcross(Image& img, const GenRequest& r, int y, double phase) {
  const int w = img.width(), s = r.size.scale, height = 16 * s;
  const Reach reach = reachAt(y + height / 2, w, img.height(), phase);
  const int left = static_cast<int>(reach.centre - reach.half), right = static_cast<int>(reach.centre + reach.half);
  img.fillRect(0, y, w, height, pal(r, "slate"));
  img.fillRect(0, y, w, s, pal(r, "ink"));
  img.fillRect(0, y + s, w, s, pal(r, "grey"));
  img.fillRect(0, y + height - 2 * s, w, s, pal(r, "night"));
  img.fillRect(0, y + height - s, w, s, pal(r, "ink"));
  for (int x = 2 * s; x < w; x += 8 * s) img.fillRect(x, y + 7 * s, 4 * s, 2 * s, pal(r, "cream"));
  // The bridge's railings over the water.
  for (int rail : {y + s, y + height - 3 * s}) {
    img.fillRect(left - 2 * s, rail, right - left + 4 * s, s, pal(r, "silver"));
    img.fillRect(left - 2 * s, rail + s, right - left + 4 * s, s, pal(r, "steel"));
  }
}

// Dusk: everything mixed toward the deep blue of the evening, more at the edges.
void dusk(Image& img, const GenRequest& r, int amount) {
  const Rgb night = pal(r, "deep");
  const int w = img.width(), h = img.height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x - w / 2.0) / w, dy = (y - h / 2.0) / h;
      const int edge = static_cast<int>(std::min(1.0, (dx * dx + dy * dy) * 2.2) * 60);
      img.set(x, y, mix(img.at(x, y), night, std::min(240, amount + edge)));
    }
}

void scatter(Image& img, const GenRequest& r, const std::string& key, int count, unsigned seed, double phase) {
  const int s = r.size.scale, w = img.width(), h = img.height();
  const Image picture = sprite(r, key, 2 * s);
  Dice dice(seed);
  for (int i = 0; i < count; ++i) {
    const int y = dice.roll(h - picture.height());
    const Reach reach = reachAt(y + picture.height() / 2, w, h, phase);
    int x = dice.roll(w - picture.width());
    // Only on dry rock, clear of the banks.
    if (x + picture.width() > reach.centre - reach.half - 6 * s && x < reach.centre + reach.half + 6 * s) continue;
    img.blit(picture, x, y);
  }
}

}  // namespace

Image canyonSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  constexpr double kPhase = 0.4;
  Image img(w, h);
  rock(img, 0, 0, w, h, r, 31);
  scatter(img, r, "cactus1.png", 8, 5, kPhase);
  scatter(img, r, "mesa2.png", 5, 9, kPhase);
  scatter(img, r, "boulder2.png", 6, 13, kPhase);
  river(img, r, kPhase);
  roadAcross(img, r, h * 27 / 100, kPhase);

  auto onRiver = [&](const std::string& key, int factor, double at, double across) {
    const Image picture = sprite(r, key, factor * s);
    const int y = static_cast<int>(h * at);
    const Reach reach = reachAt(y + picture.height() / 2, w, h, kPhase);
    img.blit(picture, static_cast<int>(reach.centre + reach.half * across) - picture.width() / 2, y);
  };
  onRiver("fuel1.png", 2, 0.42, 0.5);
  onRiver("heli2a.png", 2, 0.50, -0.45);
  onRiver("ship1a.png", 2, 0.83, 0.25);
  onRiver("airplane.png", 3, 0.62, 0.0);
  dusk(img, r, 120);
  return img;
}

Image canyonPanel(const GenRequest& r) {
  const int s = r.size.scale, h = r.size.height;
  const int w = (kBaseWidth - kRiverWidth) / 2 * s;
  Image img(w, h);
  rock(img, 0, 0, w, h, r, 57);
  // Layers of the canyon wall, and its edge over the river on the right.
  Dice dice(58);
  for (int y = 0; y < h; y += (20 + dice.roll(30)) * s) {
    img.fillRect(0, y, w, s, pal(r, "tan"));
    img.fillRect(0, y + s, w, 2 * s, pal(r, "earth"));
  }
  img.fillRect(w - 3 * s, 0, 2 * s, h, pal(r, "earth"));
  img.fillRect(w - s, 0, s, h, pal(r, "ink"));
  img.fillRect(0, 0, s, h, mix(pal(r, "tan"), pal(r, "brown"), 128));
  dusk(img, r, 110);
  return img;
}

Image canyonGameOver(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  constexpr double kPhase = 1.9;
  Image img(w, h);
  rock(img, 0, 0, w, h, r, 91);
  scatter(img, r, "deadtree.png", 10, 17, kPhase);
  scatter(img, r, "skull.png", 4, 19, kPhase);
  river(img, r, kPhase);
  dusk(img, r, 150);
  // The wreck in the water: rings spreading round it, fire and a column of smoke.
  const int cy = h * 55 / 100;
  const Reach reach = reachAt(cy, w, h, kPhase);
  const int cx = static_cast<int>(reach.centre);
  for (int ring = 3; ring >= 1; --ring) {
    const int radius = ring * 11 * s;
    for (int a = 0; a < 360; a += 2) {
      const double t = a * kPi / 180;
      img.fillRect(cx + static_cast<int>(std::cos(t) * radius), cy + static_cast<int>(std::sin(t) * radius * 0.45), s,
                   s, mix(pal(r, "ice"), pal(r, "blue"), 60 * ring));
    }
  }
  for (int i = 0; i < 9; ++i) {
    const int radius = (6 + i * 2) * s;
    img.fillCircle(cx + static_cast<int>(std::sin(i * 0.9) * 6 * s) + i * 3 * s, cy - (10 + i * 13) * s, radius,
                   mix(pal(r, "slate"), pal(r, "deep"), 40 + i * 22));
  }
  const Image wreck = sprite(r, "airplane.png", 2 * s);
  img.blit(wreck.cropped(0, 0, wreck.width(), wreck.height() * 2 / 3), cx - wreck.width() / 2, cy - wreck.height() / 3);
  const Image fire = sprite(r, "boom3.png", 2 * s);
  img.blit(fire, cx - fire.width() / 2, cy - fire.height() * 3 / 4);
  return img;
}

}  // namespace datakit
