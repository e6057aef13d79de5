// The ladders-and-bricks game's pictures drawn by rule: its five backdrops and its splash.
#include "games/ClimberPictures.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "DataError.h"
#include "PixelArt.h"
#include "TextTables.h"

namespace datakit {

namespace {

// A small fixed generator so the pictures come out the same on every build.
class Roll {
 public:
  explicit Roll(std::uint32_t seed) : state_(seed) {}
  int below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

Rgb colour(const GenRequest& r, const char* name) { return r.context.palette.named(name); }

// Drawing that wraps around the picture's edges, so the picture repeats without a seam.
struct Wrapped {
  Image& img;
  void set(int x, int y, Rgb c) const {
    const int w = img.width(), h = img.height();
    img.set(((x % w) + w) % w, ((y % h) + h) % h, c);
  }
  void blend(int x, int y, Rgb c, int t) const {
    const int w = img.width(), h = img.height();
    const int wx = ((x % w) + w) % w, wy = ((y % h) + h) % h;
    img.set(wx, wy, mix(img.at(wx, wy), c, t));
  }
  void rect(int x, int y, int w, int h, Rgb c) const {
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) set(x + i, y + j, c);
  }
};

// Faint stars, one to a few pixels of the screen's scale.
void stars(const Wrapped& out, const GenRequest& r, int count, std::uint32_t seed) {
  Roll roll(seed);
  const char* tints[] = {"cloud", "ice", "lilac", "cream"};
  const int s = r.size.scale;
  for (int i = 0; i < count; ++i) {
    const int x = roll.below(out.img.width()), y = roll.below(out.img.height());
    const Rgb c = colour(r, tints[roll.below(4)]);
    const int bright = roll.below(10) < 8 ? 70 : 150;
    for (int j = 0; j < s; ++j)
      for (int k = 0; k < s; ++k) out.blend(x + k, y + j, c, bright);
  }
}

// A wall of large dark blocks: mortar lines with light on their upper left edges.
void blocks(const Wrapped& out, const GenRequest& r, int bw, int bh) {
  const int w = out.img.width(), h = out.img.height(), s = r.size.scale;
  const Rgb mortar = mix(colour(r, "deep"), colour(r, "ink"), 128),
            light = mix(colour(r, "night"), colour(r, "slate"), 60);
  for (int row = 0; row * bh < h; ++row)
    for (int x = 0; x < w; ++x) {
      out.rect(x, row * bh, 1, s, mortar);
      out.rect(x, row * bh + s, 1, s, light);
    }
  for (int row = 0; row * bh < h; ++row)
    for (int x = (row % 2) * bw / 2; x < w; x += bw) {
      out.rect(x, row * bh, s, bh, mortar);
      out.rect(x + s, row * bh + s, s, bh - s, light);
    }
}

}  // namespace

Image climberBack(const GenRequest& r) {
  const int s = r.size.scale;
  const int w = r.intParam("width") * s, h = r.intParam("height") * s;
  const int theme = r.intParam("theme");
  Image img(w, h);
  const Wrapped out{img};
  switch (theme) {
    case 1: {  // a cellar wall of dark blue blocks
      img.fill(mix(colour(r, "deep"), colour(r, "night"), 110));
      blocks(out, r, w / 4, h / 8);
      break;
    }
    case 2: {  // the night sky over the rooftops
      img.fill(colour(r, "deep"));
      Roll roll(22);
      for (int i = 0; i < 6; ++i) {
        // Soft patches of violet haze.
        const int cx = roll.below(w), cy = roll.below(h), rad = (14 + roll.below(18)) * s;
        for (int y = -rad; y <= rad; ++y)
          for (int x = -rad; x <= rad; ++x)
            if (x * x + y * y <= rad * rad)
              out.blend(cx + x, cy + y, colour(r, "violet"), 40 - 40 * (x * x + y * y) / (rad * rad));
      }
      stars(out, r, 26 * s, 23);
      break;
    }
    case 3: {  // the rock of a cave, cracked and speckled
      img.fill(mix(colour(r, "deep"), colour(r, "earth"), 90));
      Roll roll(33);
      for (int i = 0; i < 40 * s; ++i)
        out.rect(roll.below(w), roll.below(h), s, s, mix(colour(r, "deep"), colour(r, "brown"), 80 + roll.below(40)));
      for (int crack = 0; crack < 5; ++crack) {
        int x = roll.below(w), y = roll.below(h);
        for (int step = 0; step < 18; ++step) {
          out.rect(x, y, s, s, mix(colour(r, "deep"), colour(r, "ink"), 200));
          x += (roll.below(3) - 1) * s;
          y += s;
        }
      }
      break;
    }
    case 4: {  // a dusky wood of hanging vines
      img.fill(mix(colour(r, "deep"), colour(r, "forest"), 90));
      Roll roll(44);
      for (int vine = 0; vine < 7; ++vine) {
        const int x0 = roll.below(w), phase = roll.below(64);
        for (int y = 0; y < h; ++y) {
          const int x = x0 + static_cast<int>(std::sin((y + phase) * 6.2831853 / h * 2) * 3 * s);
          out.rect(x, y, s, 1, mix(colour(r, "deep"), colour(r, "green"), 70));
          if ((y + phase) % (9 * s) == 0) out.rect(x + s, y, 2 * s, s, mix(colour(r, "deep"), colour(r, "lime"), 60));
        }
      }
      break;
    }
    default: {  // violet crystals in the dark
      img.fill(mix(colour(r, "deep"), colour(r, "violet"), 70));
      Roll roll(55);
      for (int c = 0; c < 9; ++c) {
        const int x0 = roll.below(w), y0 = roll.below(h), len = (8 + roll.below(14)) * s;
        for (int k = 0; k < len; ++k) {
          out.rect(x0 + k / 2, y0 - k, s, s, mix(colour(r, "deep"), colour(r, "dusk"), 90));
          out.rect(x0 + k / 2 + s, y0 - k, s, s, mix(colour(r, "deep"), colour(r, "purple"), 60));
        }
      }
      stars(out, r, 10 * s, 56);
      break;
    }
  }
  return img;
}

Image climberSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  // Every lit thing is mixed this far (of 256) toward the night, so the menus' text stays readable on it.
  constexpr int kNight = 96;
  const Rgb night = colour(r, "deep");
  const std::filesystem::path folder = r.context.dataDir / r.param("sprites");
  auto sprite = [&](const std::string& name) {
    const std::filesystem::path path = folder / (name + ".px");
    Image art = parseSprite(readFile(path), r.context.palette, path.string()).scaled(2 * s);
    for (int y = 0; y < art.height(); ++y)
      for (int x = 0; x < art.width(); ++x)
        if (art.at(x, y) != kKeyColour) art.set(x, y, mix(art.at(x, y), night, kNight));
    return art;
  };
  Image img(w, h);
  img.gradientRect(0, 0, w, h, colour(r, "deep"), mix(colour(r, "night"), colour(r, "violet"), 80));
  Wrapped sky{img};
  stars(sky, r, 50 * s, 71);
  // A low moon behind the building.
  const int mx = w * 3 / 4, my = h / 6, mr = 16 * s;
  for (int y = -mr; y <= mr; ++y)
    for (int x = -mr; x <= mr; ++x)
      if (x * x + y * y <= mr * mr)
        img.set(mx + x, my + y,
                mix(mix(colour(r, "cream"), colour(r, "peach"), (x + y + 2 * mr) * 64 / mr), night, kNight + 40));

  const Image brick = sprite("brick1.png"), armour = sprite("brick_armour1.png"), ladder = sprite("ladder.png"),
              rail = sprite("handrail.png"), gold = sprite("gold1.png"), door = sprite("door_open2.png"),
              hero = sprite("hero_climb1.png"), guard = sprite("enemy_run1.png"), hanger = sprite("enemy_hang1.png");
  const int cw = brick.width(), ch = brick.height();
  // The scene in cells, bottom rows on the picture's bottom edge.
  const char* const scene[] = {
      "............", "............", "......$.....", "..#######H..", ".......H.H--", ".E.$...H.H..",
      "#######H.###", "...$...H....", "..A.....$...", "############", "BBBBBBBBBBBB",
  };
  const int rows = static_cast<int>(std::size(scene));
  const int top = h - rows * ch, left = (w - 12 * cw) / 2;
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < 12; ++col) {
      const int x = left + col * cw, y = top + row * ch;
      switch (scene[row][col]) {
        case '#':
          img.blit(brick, x, y);
          break;
        case 'B':
          img.blit(armour, x, y);
          break;
        case 'H':
          img.blit(ladder, x, y);
          break;
        case '-':
          img.blit(rail, x, y);
          break;
        case '$':
          img.blit(gold, x, y + ch - gold.height());
          break;
        case 'E':
          img.blit(door, x, y);
          break;
        case 'A':
          img.blit(guard, x, y + ch - guard.height());
          break;
        default:
          break;
      }
    }
  // The hero halfway up the long ladder, a guard hanging from the handrail.
  img.blit(hero, left + 7 * cw, top + 6 * ch + ch / 2 + ch - hero.height());
  img.blit(hanger, left + 10 * cw, top + 4 * ch);
  return img;
}

}  // namespace datakit
