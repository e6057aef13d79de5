// The maze game's pictures drawn by rule: the wall tiles of its four styles (each drawn from the tile's
// neighbourhood pattern, so the tiles of a style join into one drawn maze), the house doors, the splash, the
// panel behind the maze, the score pop-ups, and sprites turned or recoloured from one pixel-art source.
#include "games/GobblerArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "DataError.h"
#include "PixelArt.h"
#include "games/gobbler/WallPatterns.h"

namespace datakit {

namespace {

// A small fixed hash, so textures come out the same on every build.
std::uint32_t hash(int x, int y, int salt) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u ^
                    static_cast<std::uint32_t>(salt) * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

// The cell size at 240 x 320; the tiles of a style are squares of it times the screen's scale.
constexpr int kCell = 12;

enum class Look { Brick, Hedge, Candy, Neon };

struct Style {
  Look look;
  double radius;  // of the wall's tube, as a share of the cell
};

// By style digit 1 to 4 (tile styles 0 to 3).
constexpr Style kStyles[] = {{Look::Brick, 0.36}, {Look::Hedge, 0.40}, {Look::Candy, 0.30}, {Look::Neon, 0.30}};

const Style& styleOf(const GenRequest& r) {
  const int digit = r.intParam("style");
  if (digit < 1 || digit > 4) throw DataError(r.file, 0, "style is 1 to 4");
  return kStyles[digit - 1];
}

Rgb groundColour(const GenRequest& r, Look look) {
  switch (look) {
    case Look::Brick:
      return mix(pal(r, "deep"), pal(r, "earth"), 70);
    case Look::Hedge:
      return mix(pal(r, "deep"), pal(r, "forest"), 80);
    case Look::Candy:
      return mix(pal(r, "deep"), pal(r, "violet"), 90);
    default:
      return pal(r, "deep");
  }
}

// The ground of an open cell: dark, so the dots and the figures read on it, with a faint texture.
void drawGround(Image& img, const GenRequest& r, Look look) {
  const int s = img.width(), unit = r.size.scale;
  const Rgb ground = groundColour(r, look);
  img.fill(ground);
  for (int y = 0; y < s; y += unit)
    for (int x = 0; x < s; x += unit) {
      const std::uint32_t h = hash(x / unit, y / unit, static_cast<int>(look));
      Rgb c = ground;
      if (look == Look::Brick && h % 23 == 0) c = mix(ground, pal(r, "crimson"), 70);
      if (look == Look::Hedge && h % 11 == 0) c = mix(ground, pal(r, "green"), 60);
      if (look == Look::Candy && h % 29 == 0) c = mix(ground, pal(r, "lilac"), 80);
      if (c != ground) img.fillRect(x, y, unit, unit, c);
    }
  if (look == Look::Neon) img.fillRect(0, 0, unit, unit, mix(ground, pal(r, "night"), 200));
}

// Distance from a point of the tile (centre at the origin, pixels) to the wall's skeleton: the tile's centre,
// the arms to the walls beside it, and the full quarters where three walls close a square with it.
double skeletonDistance(const bool wall[9], double px, double py, double s) {
  double d = std::hypot(px, py);
  const int sides[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& side : sides) {
    if (!wall[(side[1] + 1) * 3 + side[0] + 1]) continue;
    const double t = std::clamp(px * side[0] + py * side[1], 0.0, s);
    d = std::min(d, std::hypot(px - t * side[0], py - t * side[1]));
  }
  for (int dy : {-1, 1})
    for (int dx : {-1, 1}) {
      if (!wall[(dy + 1) * 3 + dx + 1] || !wall[4 + dx] || !wall[(dy + 1) * 3 + 1]) continue;
      const double u = px * dx, v = py * dy;
      d = std::min(d, std::hypot(std::max(0.0, -u), std::max(0.0, -v)));
    }
  return d;
}

Image drawTile(const GenRequest& r, const Style& style, int tile) {
  const int s = kCell * r.size.scale, unit = r.size.scale;
  Image img(s, s);
  drawGround(img, r, style.look);
  if (tile == 0) return img;
  const char* pattern = gobbler::walls::patternOf(tile);
  if (pattern == nullptr) throw DataError(r.file, 0, "tile is 0 to 41");
  // An "either" cell of a pattern never changes the drawing: it only matters beside two open sides.
  bool wall[9];
  for (int i = 0; i < 9; ++i) wall[i] = pattern[i] == 'W';
  const double radius = style.radius * s, half = s / 2.0;
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) {
      const double px = x + 0.5 - half, py = y + 0.5 - half;
      const double d = skeletonDistance(wall, px, py, s);
      if (d > radius) continue;
      const double edge = radius - d;
      // The outward normal against the light from the top left.
      const double gx = skeletonDistance(wall, px + 0.5, py, s) - skeletonDistance(wall, px - 0.5, py, s);
      const double gy = skeletonDistance(wall, px, py + 0.5, s) - skeletonDistance(wall, px, py - 0.5, s);
      const double len = std::hypot(gx, gy);
      const double facing = len > 1e-6 ? -(gx + gy) / (len * std::sqrt(2.0)) : 0.0;
      const bool rim = edge < unit, nearRim = edge < 2 * unit;
      Rgb c = 0;
      switch (style.look) {
        case Look::Brick: {
          // Courses of bricks, each brick a little lighter or darker, in dark mortar.
          const int course = s / 3, brick = s / 2;
          const int row = y / course, shifted = x + (row % 2) * (brick / 2);
          const bool mortar = y % course >= course - unit || shifted % brick >= brick - unit;
          const int tone = static_cast<int>(hash(shifted / brick, row, 3) % 3);
          c = mortar ? mix(pal(r, "crimson"), pal(r, "ink"), 150)
                     : mix(pal(r, "crimson"), pal(r, "red"), 50 + 45 * tone);
          if (!mortar && nearRim && facing > 0.3) c = mix(pal(r, "red"), pal(r, "rose"), 110);
          if (nearRim && facing < -0.3) c = mix(pal(r, "crimson"), pal(r, "ink"), 110);
          if (rim) c = pal(r, "ink");
          break;
        }
        case Look::Hedge: {
          const std::uint32_t h = hash(x / unit, y / unit, 7);
          c = h % 5 == 0 ? pal(r, "lime") : h % 5 == 1 ? pal(r, "forest") : pal(r, "green");
          if (nearRim && facing > 0.3) c = h % 3 == 0 ? pal(r, "mint") : pal(r, "lime");
          if (nearRim && facing < -0.3) c = pal(r, "forest");
          if (rim) c = mix(pal(r, "forest"), pal(r, "ink"), 140);
          break;
        }
        case Look::Candy: {
          const int band = std::max(2, s / 4);
          c = ((x + y) / band) % 2 == 0 ? pal(r, "pink") : pal(r, "rose");
          if (nearRim && facing > 0.4) c = pal(r, "white");
          if (nearRim && facing < -0.4) c = mix(pal(r, "pink"), pal(r, "crimson"), 140);
          if (rim) c = pal(r, "crimson");
          break;
        }
        case Look::Neon:
          c = d < 0.6 * unit ? pal(r, "blue") : pal(r, "night");
          if (rim) c = facing > 0.0 ? pal(r, "sky") : pal(r, "blue");
          break;
      }
      img.set(x, y, c);
    }
  return img;
}

}  // namespace

Image gobblerTile(const GenRequest& r) { return drawTile(r, styleOf(r), r.intParam("tile")); }

// The bar that closes the chasers' house, drawn centred on the ground of its cell.
Image gobblerDoor(const GenRequest& r) {
  const Style& style = styleOf(r);
  const int unit = r.size.scale, w = kCell * unit, h = 3 * unit;
  Image img(w, h);
  Rgb body = pal(r, "pink"), light = pal(r, "rose"), dark = pal(r, "crimson");
  if (style.look == Look::Brick) {
    body = pal(r, "gold");
    light = pal(r, "yellow");
    dark = pal(r, "brown");
  } else if (style.look == Look::Hedge) {
    body = pal(r, "tan");
    light = pal(r, "cream");
    dark = pal(r, "brown");
  } else if (style.look == Look::Candy) {
    body = pal(r, "cream");
    light = pal(r, "white");
    dark = pal(r, "tan");
  }
  img.fillRect(0, 0, w, h, body);
  img.fillRect(0, 0, w, unit, light);
  img.fillRect(0, h - unit, w, unit, dark);
  return img;
}

// The tile behind the maze, repeated over the screen: a dark weave of the maze's night.
Image gobblerPanel(const GenRequest& r) {
  const int unit = r.size.scale, s = 16 * unit;
  Image img(s, s, pal(r, "deep"));
  const Rgb line = mix(pal(r, "deep"), pal(r, "night"), 170), spark = mix(pal(r, "deep"), pal(r, "blue"), 90);
  for (int i = 0; i < 16; ++i) {
    img.fillRect(i * unit, ((i + 8) % 16) * unit, unit, unit, line);
    img.fillRect(i * unit, ((24 - i) % 16) * unit, unit, unit, line);
  }
  img.fillRect(0, 0, unit, unit, spark);
  img.fillRect(8 * unit, 8 * unit, unit, unit, spark);
  return img;
}

// A score pop-up: the points in a small bold face, chaser points cool and fruit points warm.
Image gobblerPopup(const GenRequest& r) {
  auto it = r.context.fonts.find("all/num1");
  if (it == r.context.fonts.end()) throw DataError(r.file, 0, "no font named num1");
  FontStyle style = it->second;
  style.pixels = r.intParam("pixels");
  style.fillTop = r.colourParam("top");
  style.fillBottom = r.colourParam("bottom");
  style.outline = pal(r, "ink");
  style.outlined = true;
  style.shadowed = false;
  const std::string text = r.param("text");
  return r.context.renderer->renderText(style, std::u16string(text.begin(), text.end()), r.size.scale);
}

// A sprite of another pixel-art source, its letters swapped ("r=l,R=L" paints red parts lime) and turned:
// "mirror" (left for right), "left" (a quarter turn against the clock), "right", "half".
Image gobblerSprite(const GenRequest& r) {
  std::filesystem::path source = r.context.dataDir / r.param("sprite");
  std::string text = readFile(source);
  if (auto swaps = r.params.find("swap"); swaps != r.params.end()) {
    std::map<char, char> swap;
    std::istringstream list(swaps->second);
    for (std::string pair; std::getline(list, pair, ',');) {
      if (pair.size() != 3 || pair[1] != '=') throw DataError(r.file, 0, "swap is a list of from=to letters");
      swap[pair[0]] = pair[2];
    }
    std::string out;
    bool comment = false, lineStart = true;
    for (char c : text) {
      if (lineStart) comment = c == '#';
      lineStart = c == '\n';
      auto s = swap.find(c);
      out.push_back(!comment && s != swap.end() ? s->second : c);
    }
    text = out;
  }
  Image sprite = parseSprite(text, r.context.palette, source.string());
  const std::string turn = r.params.count("turn") ? r.param("turn") : "none";
  const int w = sprite.width(), h = sprite.height();
  Image turned = turn == "left" || turn == "right" ? Image(h, w) : Image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = sprite.at(x, y);
      if (turn == "none") {
        turned.set(x, y, c);
      } else if (turn == "mirror") {
        turned.set(w - 1 - x, y, c);
      } else if (turn == "half") {
        turned.set(w - 1 - x, h - 1 - y, c);
      } else if (turn == "left") {
        turned.set(y, w - 1 - x, c);
      } else if (turn == "right") {
        turned.set(h - 1 - y, x, c);
      } else {
        throw DataError(r.file, 0, "turn is none, mirror, left, right or half");
      }
    }
  return turned.scaled(r.size.scale);
}

// The loading picture and the menus' background: a night maze with its dots, the gobbler at the front and
// the four chasers behind, and the game's title.
Image gobblerSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, unit = r.size.scale;
  Image img(w, h);
  img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "night"));
  // A stretch of neon maze across the lower half: a corridor between two walls, with dots.
  const int cell = kCell * unit * 2, top = h * 3 / 4;
  auto band = [&](int y) {
    for (int x = -cell; x < w + cell; x += cell / 2) {
      img.fillRect(x, y, cell / 2, cell / 2, pal(r, "deep"));
    }
    for (int x = 0; x < w; ++x)
      for (int t = 0; t < cell / 3; ++t) {
        const bool rim = t < unit || t >= cell / 3 - unit;
        img.set(x, y + t, rim ? pal(r, "sky") : (t == cell / 6 ? pal(r, "blue") : pal(r, "night")));
      }
  };
  band(top - cell / 3);
  band(top + cell);
  for (int x = cell; x < w; x += cell / 2) img.fillRect(x, top + cell / 2 - unit, 2 * unit, 2 * unit, pal(r, "cream"));
  img.fillCircle(w - cell, top + cell / 2, 3 * unit, pal(r, "yellow"));
  // The chasers, each a dome with a wavy hem and two eyes looking left.
  const char* colours[][3] = {
      {"rose", "red", "crimson"}, {"mint", "lime", "green"}, {"peach", "orange", "brown"}, {"cream", "yellow", "gold"}};
  const int size = cell - 4 * unit;
  for (int i = 0; i < 4; ++i) {
    const int cx = w * 3 / 8 + i * (size + 3 * unit), cy = top + cell / 2;
    const int rad = size / 2;
    for (int y = -rad; y <= rad; ++y)
      for (int x = -rad; x <= rad; ++x) {
        const bool dome = y < 0 ? x * x + y * y <= rad * rad : std::abs(x) <= rad;
        const bool hem = y > rad - 2 * unit && ((x + rad) / (2 * unit)) % 2 == 1;
        if (!dome || hem) continue;
        const bool edge = x * x + y * y > (rad - unit) * (rad - unit) && y < 0;
        Rgb c = x + y < -rad / 2 ? pal(r, colours[i][0]) : x + y > rad ? pal(r, colours[i][2]) : pal(r, colours[i][1]);
        img.set(cx + x, cy + y, edge ? pal(r, "ink") : c);
      }
    for (int eye : {-rad / 2, rad / 6}) {
      img.fillRect(cx + eye - unit, cy - rad / 2, 3 * unit, 4 * unit, pal(r, "white"));
      img.fillRect(cx + eye - unit, cy - rad / 2 + unit, 2 * unit, 2 * unit, pal(r, "ink"));
    }
  }
  // The gobbler, mouth wide open, chasing them.
  const int gx = w / 6, gy = top + cell / 2, grad = cell / 2 - unit;
  for (int y = -grad; y <= grad; ++y)
    for (int x = -grad; x <= grad; ++x) {
      const int d2 = x * x + y * y;
      if (d2 > grad * grad) continue;
      if (x > 0 && std::abs(y) < x * 3 / 4) continue;
      Rgb c = x + y < -grad / 2 ? pal(r, "mint") : x + y > grad ? pal(r, "green") : pal(r, "lime");
      if (d2 > (grad - unit) * (grad - unit) || (x > 0 && std::abs(y) >= x * 3 / 4 && std::abs(y) < x * 3 / 4 + unit))
        c = pal(r, "ink");
      img.set(gx + x, gy + y, c);
    }
  img.fillRect(gx - unit, gy - grad / 2 - unit, 3 * unit, 3 * unit, pal(r, "white"));
  img.fillRect(gx, gy - grad / 2, 2 * unit, 2 * unit, pal(r, "ink"));
  // Stars over the maze. No title: the in-game pages write over the whole picture.
  for (int i = 0; i < 60 * unit; ++i) {
    const std::uint32_t hx = hash(i, 1, 91), hy = hash(i, 2, 91);
    img.fillRect(static_cast<int>(hx % static_cast<std::uint32_t>(w)),
                 static_cast<int>(hy % static_cast<std::uint32_t>(top - cell)), unit, unit,
                 i % 3 == 0 ? pal(r, "ice") : mix(pal(r, "night"), pal(r, "cloud"), 110));
  }
  return img;
}

}  // namespace datakit
