// The tunnel-digging game's splash and frame panels. The field is 15 x 10 cells of 15 pixels at 240 pixels
// wide, centred on the screen; the panels fill what lies around it.
#include "games/BurrowPictures.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "DataError.h"
#include "PixelArt.h"

namespace datakit {

namespace {

constexpr int kCell = 15;
constexpr int kFieldColumns = 15;
constexpr int kFieldRows = 10;
// Heights at 240 pixels wide: the grass and topsoil strip above the field, the heads-up strip below it.
constexpr int kGroundStrip = 26;
constexpr int kHudStrip = 62;
constexpr int kPauseWell = 26;
constexpr int kScorePlaque = 96;
constexpr int kSideWidth = 8;

// Where the field lies on this screen.
struct Frame {
  int scale, w, h, fieldW, fieldH, above, beside;
};

Frame frameOf(const GenRequest& r) {
  Frame f;
  f.scale = r.size.scale;
  f.w = r.size.width;
  f.h = r.size.height;
  f.fieldW = kFieldColumns * kCell * f.scale;
  f.fieldH = kFieldRows * kCell * f.scale;
  f.above = std::max(0, (f.h - f.fieldH) / 2);
  f.beside = std::max(0, (f.w - f.fieldW) / 2);
  return f;
}

// Earth or rock: a base with lit grains and dark clods, in blocks of the screen's pixel size.
void speckle(Image& img, int x, int y, int w, int h, Rgb base, Rgb dark, Rgb light, int s, unsigned seed) {
  img.fillRect(x, y, w, h, base);
  Dice dice(seed);
  const int grains = w * h / (18 * s * s);
  for (int i = 0; i < grains; ++i) {
    int gx = x + dice.roll(w / s) * s, gy = y + dice.roll(h / s) * s;
    if (dice.roll(3) == 0) {
      img.fillRect(gx, gy, s, s, dark);
    } else {
      img.fillRect(gx, gy, s, s, light);
      img.fillRect(gx + s, gy + s, s, s, dark);
    }
  }
}

Image sprite(const GenRequest& r, const std::string& key) {
  std::filesystem::path path = r.context.dataDir / r.param(key);
  return parseSprite(readFile(path), r.context.palette, path.string());
}

Image topPanel(const GenRequest& r, const Frame& f) {
  const int s = f.scale, h = kGroundStrip * s;
  Image img(f.w, h);
  // Topsoil down to the field, under a strip of grass.
  speckle(img, 0, 6 * s, f.w, h - 6 * s, pal(r, "brown"), pal(r, "earth"), pal(r, "tan"), s, 11);
  img.fillRect(0, h - s, f.w, s, pal(r, "earth"));
  img.fillRect(0, 0, f.w, 6 * s, pal(r, "green"));
  Dice dice(12);
  for (int x = 0; x < f.w; x += s) {
    const int blade = (1 + dice.roll(4)) * s;
    img.fillRect(x, 0, s, blade, pal(r, dice.roll(4) == 0 ? "lime" : "forest"));
  }
  img.fillRect(0, 6 * s, f.w, s, pal(r, "forest"));
  return img;
}

// The sky over the mine: the night with its stars, far hills, and the miners' hut with its headframe.
Image skyPanel(const GenRequest& r, const Frame& f) {
  const int s = f.scale, h = std::max(f.above, 30 * s);
  Image img(f.w, h);
  img.gradientRect(0, 0, f.w, h, pal(r, "deep"), pal(r, "dusk"));
  Dice dice(21);
  for (int i = 0; i < 40 * s; ++i) {
    int x = dice.roll(f.w), y = dice.roll(h * 2 / 3);
    img.fillRect(x, y, s, s, pal(r, dice.roll(3) == 0 ? "cream" : "cloud"));
  }
  img.fillCircle(f.w * 4 / 5, h / 4, 7 * s, pal(r, "cream"));
  img.fillCircle(f.w * 4 / 5 + 3 * s, h / 4 - 2 * s, 6 * s, pal(r, "deep"));
  const int ground = h - kGroundStrip * s + 2 * s;
  for (int x = 0; x < f.w; ++x) {
    const double t = static_cast<double>(x) / f.w;
    const int hill = ground - static_cast<int>((10 + 8 * std::sin(t * 7.0) + 4 * std::sin(t * 17.0)) * s);
    img.vline(x, hill, h - 1, pal(r, "night"));
  }
  // The hut: walls, a roof and a lit window, left of the middle; a headframe over the shaft beside it.
  const int hx = f.w / 6, hy = ground - 16 * s;
  img.fillRect(hx, hy, 24 * s, 16 * s, pal(r, "brown"));
  img.drawRect(hx, hy, 24 * s, 16 * s, pal(r, "ink"));
  for (int i = 0; i <= 8 * s; ++i)
    img.hline(hx - 3 * s + i, hx + 27 * s - i, hy - i, pal(r, i < s ? "ink" : "crimson"));
  img.fillRect(hx + 4 * s, hy + 4 * s, 6 * s, 5 * s, pal(r, "yellow"));
  img.fillRect(hx + 15 * s, hy + 6 * s, 6 * s, 10 * s, pal(r, "earth"));
  const int tx = hx + 40 * s;
  img.line(tx, ground, tx + 9 * s, ground - 24 * s, pal(r, "tan"));
  img.line(tx + 18 * s, ground, tx + 9 * s, ground - 24 * s, pal(r, "tan"));
  img.hline(tx + 4 * s, tx + 14 * s, ground - 12 * s, pal(r, "tan"));
  img.fillCircle(tx + 9 * s, ground - 24 * s, 3 * s, pal(r, "slate"));
  img.fillCircle(tx + 9 * s, ground - 24 * s, s, pal(r, "silver"));
  return img;
}

// A dark stone plate with a lit top-left rim, the heads-up numbers' ground.
void plate(Image& img, int x, int y, int w, int h, const GenRequest& r, int s) {
  img.fillRect(x, y, w, h, pal(r, "ink"));
  img.fillRect(x + s, y + s, w - 2 * s, h - 2 * s, pal(r, "night"));
  img.hline(x + s, x + w - 2 * s, y + s, pal(r, "slate"));
  img.vline(x + s, y + s, y + h - 2 * s, pal(r, "slate"));
}

Image hudPanel(const GenRequest& r, const Frame& f, int width, unsigned seed) {
  const int s = f.scale, h = kHudStrip * s;
  Image img(width, h);
  speckle(img, 0, 0, width, h, pal(r, "slate"), pal(r, "ink"), pal(r, "grey"), s, seed);
  img.fillRect(0, 0, width, 2 * s, pal(r, "ink"));
  return img;
}

Image panel(const GenRequest& r, const std::string& part) {
  const Frame f = frameOf(r);
  const int s = f.scale;
  if (part == "top") return topPanel(r, f);
  if (part == "top2") return skyPanel(r, f);
  if (part == "bottom-c") return hudPanel(r, f, f.w, 31);
  if (part == "bottom-l") {
    Image img = hudPanel(r, f, kPauseWell * s, 41);
    // The pause button's well, centred on the heads-up row.
    const int mid = f.above / 2, size = 22 * s;
    plate(img, s, std::max(2 * s, mid - size / 2), kPauseWell * s - 2 * s, size, r, s);
    return img;
  }
  if (part == "bottom-r") {
    Image img = hudPanel(r, f, kScorePlaque * s, 51);
    const int mid = f.above / 2, size = 20 * s;
    plate(img, 2 * s, std::max(2 * s, mid - size / 2), kScorePlaque * s - 3 * s, size, r, s);
    return img;
  }
  if (part == "bottom2") {
    const int h = std::max(f.above, kHudStrip * s);
    Image img(f.w, h);
    speckle(img, 0, 0, f.w, h, pal(r, "night"), pal(r, "deep"), pal(r, "slate"), s, 61);
    // A few nuggets of gold in the bedrock.
    Dice dice(62);
    for (int i = 0; i < 12; ++i) {
      const int x = dice.roll(f.w / s) * s, y = h - (4 + dice.roll(16)) * s;
      img.fillRect(x, y, 2 * s, s, pal(r, "gold"));
      img.fillRect(x, y, s, s, pal(r, "cream"));
    }
    return img;
  }
  if (part == "l" || part == "r") {
    const int w = std::max(f.beside, kSideWidth * s);
    Image img(w, f.fieldH);
    speckle(img, 0, 0, w, f.fieldH, pal(r, "slate"), pal(r, "ink"), pal(r, "grey"), s, part == "l" ? 71 : 72);
    // The rock's edge against the field.
    img.vline(part == "l" ? w - s : 0, 0, f.fieldH - 1, pal(r, "ink"));
    return img;
  }
  throw DataError(r.file, 0, "part must be top, top2, bottom-l, bottom-c, bottom-r, bottom2, l or r");
}

}  // namespace

Image burrowPanel(const GenRequest& r) { return panel(r, r.param("part")); }

Image burrowSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  Image img(w, h);
  // Sky over a third of the picture, then the earth in bands down to the bedrock.
  const int surface = h * 3 / 10;
  img.gradientRect(0, 0, w, surface, pal(r, "deep"), pal(r, "dusk"));
  Dice dice(81);
  for (int i = 0; i < 50 * s; ++i) img.fillRect(dice.roll(w), dice.roll(surface * 3 / 4), s, s, pal(r, "cloud"));
  img.fillCircle(w / 5, surface / 3, 10 * s, pal(r, "cream"));
  img.fillCircle(w / 5 + 4 * s, surface / 3 - 3 * s, 9 * s, pal(r, "deep"));
  speckle(img, 0, surface, w, h / 4, pal(r, "brown"), pal(r, "earth"), pal(r, "tan"), s, 82);
  speckle(img, 0, surface + h / 4, w, h / 5, pal(r, "crimson"), pal(r, "earth"), pal(r, "red"), s, 83);
  speckle(img, 0, surface + h / 4 + h / 5, w, h, pal(r, "slate"), pal(r, "ink"), pal(r, "grey"), s, 84);
  img.fillRect(0, surface, w, 5 * s, pal(r, "green"));
  img.fillRect(0, surface + 5 * s, w, s, pal(r, "forest"));

  // Tunnels: a shaft from the surface, galleries off it, all above the loading bar.
  const Rgb tunnel = pal(r, "deep");
  const int band = 9 * 3 * s, shaftX = w * 2 / 3, leftX = w / 8;
  const int galleryA = surface + h / 7, galleryB = surface + h * 3 / 10, galleryC = surface + h * 2 / 5;
  img.fillRect(shaftX, surface, band, galleryB + band - surface, tunnel);
  img.fillRect(leftX, galleryA, shaftX - leftX, band, tunnel);
  img.fillRect(shaftX, galleryB, w - shaftX, band, tunnel);
  img.fillRect(leftX, galleryA, band, galleryC + band - galleryA, tunnel);
  img.fillRect(leftX, galleryC, w / 2 - leftX, band, tunnel);

  // The game's own sprites, three times their size.
  const int big = 3 * s;
  const Image cart = sprite(r, "cart").scaled(big), monster = sprite(r, "monster").scaled(big);
  const Image bag = sprite(r, "bag").scaled(big), crystal = sprite(r, "crystal").scaled(2 * s);
  const int inBand = (band - cart.height()) / 2;
  img.blit(cart, w / 2 - cart.width() - 6 * s, galleryC + inBand);
  img.blit(monster, w - monster.width(), galleryB + inBand);
  img.blit(bag, leftX + band + 14 * s, galleryA - bag.height() + 8 * s);
  for (int i = 0; i < 3; ++i) {
    img.blit(crystal, w / 3 + i * crystal.width(), galleryA + band + 6 * s + (i % 2) * 5 * s);
    img.blit(crystal, shaftX + band + 4 * s + i * crystal.width() * 2 / 3, surface + 10 * s + (i % 2) * 6 * s);
  }
  return img;
}

}  // namespace datakit
