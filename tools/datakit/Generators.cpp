// Pictures drawn by rule: backgrounds, the logo, the splash, panels and icon tiles.
#include "Generators.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "DataError.h"
#include "PixelArt.h"
#include "RocksArt.h"
#include "TextTables.h"
#include "games/BurrowPictures.h"
#include "games/CanyonPictures.h"
#include "games/ClimberPictures.h"
#include "games/GobblerArt.h"
#include "games/SwarmPictures.h"

namespace datakit {

const std::string& GenRequest::param(const std::string& key) const {
  auto it = params.find(key);
  if (it == params.end()) throw DataError(file, 0, "missing key " + key);
  return it->second;
}

int GenRequest::intParam(const std::string& key) const {
  try {
    return std::stoi(param(key));
  } catch (const std::invalid_argument&) {
    throw DataError(file, 0, key + " is not a number");
  }
}

Rgb GenRequest::colourParam(const std::string& key) const { return context.palette.named(param(key)); }

Rgb pal(const GenRequest& r, const char* name) { return r.context.palette.named(name); }

Image spriteParam(const GenRequest& r, const std::string& key) {
  std::filesystem::path path = r.context.dataDir / r.param(key);
  return parseSprite(readFile(path), r.context.palette, path.string());
}

void fillPolygon(Image& img, const std::vector<std::pair<double, double>>& pts, Rgb c) {
  double minY = 1e9, maxY = -1e9;
  for (auto [x, y] : pts) {
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      auto [x0, y0] = pts[i];
      auto [x1, y1] = pts[(i + 1) % pts.size()];
      if ((y0 <= sy && y1 > sy) || (y1 <= sy && y0 > sy)) xs.push_back(x0 + (sy - y0) * (x1 - x0) / (y1 - y0));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x <= static_cast<int>(std::floor(xs[i + 1] - 0.5)); ++x)
        img.set(x, y, c);
  }
}

void starField(Image& img, const GenRequest& r, int count, std::uint32_t seed, int bottom) {
  Dice dice(seed);
  const Rgb colours[] = {pal(r, "white"), pal(r, "ice"), pal(r, "cloud"), pal(r, "lilac"), pal(r, "cream")};
  int s = r.size.scale;
  for (int i = 0; i < count; ++i) {
    int x = dice.roll(img.width()), y = dice.roll(std::max(1, bottom));
    Rgb c = colours[dice.roll(5)];
    int kind = dice.roll(10);
    if (kind < 7) {
      img.fillRect(x, y, s, s, mix(img.at(x, y), c, 160));
    } else if (kind < 9) {
      img.fillRect(x, y, s, s, c);
    } else {
      img.fillRect(x - s, y, 3 * s, s, mix(img.at(x, y), c, 128));
      img.fillRect(x, y - s, s, 3 * s, mix(img.at(x, y), c, 128));
      img.fillRect(x, y, s, s, c);
    }
  }
}

void litDisc(Image& img, int cx, int cy, int radius, Rgb light, Rgb mid, Rgb dark) {
  for (int y = -radius; y <= radius; ++y)
    for (int x = -radius; x <= radius; ++x) {
      if (x * x + y * y > radius * radius) continue;
      // Light from the top left: brighter where the surface faces it.
      int facing = (-(x + y) * 256) / (2 * std::max(1, radius)) + 128;
      Rgb c = facing > 200  ? light
              : facing > 60 ? mix(mid, light, (facing - 60) * 256 / 140)
                            : mix(dark, mid, std::max(0, facing + 120) * 256 / 180);
      img.set(cx + x, cy + y, c);
    }
}

namespace {

// The shared fonts of every screen size, "data/all/NAME.font".
FontStyle fontStyle(const GenRequest& r, const std::string& name) {
  auto it = r.context.fonts.find("all/" + name);
  if (it == r.context.fonts.end()) throw DataError(r.file, 0, "no font named " + name);
  return it->second;
}

int fontHeight(const GenRequest& r, const std::string& name) {
  return r.context.renderer->renderText(fontStyle(r, name), u"H", r.size.scale).height();
}

bool inRoundRect(int x, int y, int w, int h, int radius) {
  int cx = x < radius ? radius - 1 : x >= w - radius ? w - radius : x;
  int cy = y < radius ? radius - 1 : y >= h - radius ? h - radius : y;
  int dx = x - cx, dy = y - cy;
  if (x >= radius && x < w - radius) return true;
  if (y >= radius && y < h - radius) return true;
  return dx * dx + dy * dy <= radius * radius - radius / 2;
}

// A rounded tile: outline, vertical gradient body, a light edge top-left and a dark one
// bottom-right (the program's one light direction).
void drawTile(Image& img, int x0, int y0, int w, int h, int radius, int edge, Rgb outline, Rgb top, Rgb bottom,
              Rgb light, Rgb dark) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!inRoundRect(x, y, w, h, radius)) continue;
      bool border = !inRoundRect(x - edge, y - edge, w - 2 * edge, h - 2 * edge, std::max(1, radius - edge)) ||
                    x < edge || y < edge || x >= w - edge || y >= h - edge;
      Rgb c = mix(top, bottom, h > 1 ? y * 256 / (h - 1) : 0);
      if (border)
        c = outline;
      else if (x < 2 * edge || y < 2 * edge)
        c = light;
      else if (x >= w - 2 * edge || y >= h - 2 * edge)
        c = dark;
      img.set(x0 + x, y0 + y, c);
    }
}

// The gem of the program's emblem: a cut stone seen from the front, lit from the top left.
void drawGem(Image& img, const GenRequest& r, double cx, double cy, double size) {
  double w = size, h = size * 0.8;
  double top = cy - h * 0.45, girdle = cy - h * 0.1, bottom = cy + h * 0.55;
  std::pair<double, double> tl{cx - w * 0.3, top}, tr{cx + w * 0.3, top}, l{cx - w * 0.5, girdle},
      rr{cx + w * 0.5, girdle}, b{cx, bottom}, ml{cx - w * 0.12, girdle}, mr{cx + w * 0.12, girdle}, tm{cx, top};
  int o = r.size.scale;
  fillPolygon(img,
              {{tl.first - o, tl.second - o},
               {tr.first + o, tr.second - o},
               {rr.first + 2 * o, rr.second},
               {b.first, b.second + 2 * o},
               {l.first - 2 * o, l.second}},
              pal(r, "ink"));
  fillPolygon(img, {tl, tm, ml, l}, pal(r, "ice"));
  fillPolygon(img, {tm, tr, rr, mr}, pal(r, "cyan"));
  fillPolygon(img, {tm, mr, ml}, pal(r, "white"));
  fillPolygon(img, {l, ml, b}, pal(r, "sky"));
  fillPolygon(img, {ml, mr, b}, pal(r, "cyan"));
  fillPolygon(img, {mr, rr, b}, pal(r, "blue"));
  int s = r.size.scale;
  img.fillRect(static_cast<int>(cx - w * 0.2), static_cast<int>(top + h * 0.12), 2 * s, 2 * s, pal(r, "white"));
}

Image lettering(const GenRequest& r, const std::string& font, int pixels, const std::u16string& text, const char* top,
                const char* bottom, const char* outline) {
  FontStyle style = fontStyle(r, font);
  style.pixels = pixels;
  style.fillTop = pal(r, top);
  style.fillBottom = pal(r, bottom);
  style.outline = pal(r, outline);
  style.outlined = true;
  style.shadowed = true;
  style.shadow = pal(r, "ink");
  return r.context.renderer->renderText(style, text, r.size.scale);
}

Image menuBack(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  Image img(w, h);
  for (int y = 0; y < h; ++y) {
    int t = y * 512 / h;
    Rgb c = t < 256 ? mix(pal(r, "deep"), pal(r, "night"), t) : mix(pal(r, "night"), pal(r, "violet"), t - 256);
    img.hline(0, w - 1, y, c);
  }
  starField(img, r, 70 * s * s, 7, h);
  // A floor of light lines receding to the horizon under the icons.
  int horizon = h * 11 / 32;
  for (int i = -12; i <= 12; ++i)
    img.line(w / 2 + i * w / 40, horizon, w / 2 + i * w / 5, h, mix(pal(r, "violet"), pal(r, "dusk"), 96));
  for (int y = horizon; y < h; y += std::max(2 * s, (y - horizon) / 4 + 2 * s))
    img.hline(0, w - 1, y, mix(pal(r, "violet"), pal(r, "dusk"), 96));
  // The title: the program's name in the menu's lettering above a small gem.
  Image title = lettering(r, "hud1", 24, u"GlimmerHut", "cream", "orange", "crimson");
  int ty = 30 * s;
  drawGem(img, r, w / 2.0, 16.0 * s, 20.0 * s);
  img.blit(title, (w - title.width()) / 2, ty);
  return img;
}

Image logo(const GenRequest& r) {
  const int s = r.size.scale;
  Image name = lettering(r, "hud1", 20, u"VANDELORN", "sky", "blue", "ink");
  int w = std::max(name.width(), 60 * s) + 8 * s, h = 48 * s + name.height();
  Image img(w, h);
  drawGem(img, r, w / 2.0, 22.0 * s, 44.0 * s);
  img.blit(name, (w - name.width()) / 2, 46 * s);
  return img;
}

Image splash(const GenRequest& r) {
  const int w = r.intParam("width"), h = r.intParam("height"), s = r.size.scale;
  Image img(w, h);
  img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "violet"));
  starField(img, r, 60, 11, h);
  drawGem(img, r, w / 2.0, h * 0.36, 60.0 * s);
  Image title = lettering(r, "hud1", 26, u"GlimmerHut", "cream", "orange", "crimson");
  img.blit(title, (w - title.width()) / 2, static_cast<int>(h * 0.58));
  return img;
}

// The program's icon for the desktop: the emblem's gem on a night-blue rounded tile, at the given size in
// pixels (drawn as many times as large as the request oversamples). The corners stay the key colour, which
// the desktop's picture makes transparent.
Image desktopIcon(const GenRequest& r) {
  const int size = r.intParam("size"), k = r.oversample, drawn = size * k;
  const int edge = std::max(1, size / 32) * k;
  Image img(drawn, drawn);
  // A corner of at least four pixels' radius leaves the corner pixel wholly outside the tile.
  drawTile(img, 0, 0, drawn, drawn, std::max(4, size / 6) * k, edge, pal(r, "ink"), pal(r, "violet"), pal(r, "deep"),
           pal(r, "dusk"), pal(r, "night"));
  // The gem's outline keeps its width in pixels of the icon.
  ScreenSize larger = r.size;
  larger.scale *= k;
  drawGem(img, GenRequest{r.context, larger, r.params, r.file}, drawn / 2.0, drawn * 0.52, drawn * 0.74);
  return img;
}

Image icon(const GenRequest& r) {
  const int s = r.size.scale;
  const int size = r.intParam("size") * s;
  const bool selected = r.param("selected") == "yes";
  std::filesystem::path motifPath = r.context.dataDir / r.param("motif");
  Image motif = parseSprite(readFile(motifPath), r.context.palette, motifPath.string());
  Image img(size, size);
  if (selected)
    drawTile(img, 0, 0, size, size, 7 * s, s, pal(r, "yellow"), pal(r, "dusk"), pal(r, "violet"), pal(r, "orange"),
             pal(r, "orange"));
  else
    drawTile(img, s, s, size - 2 * s, size - 2 * s, 6 * s, s, pal(r, "ink"), pal(r, "night"), pal(r, "deep"),
             pal(r, "violet"), pal(r, "deep"));
  int factor = std::max(1, (size - 12 * s) / std::max(motif.width(), motif.height()));
  Image big = motif.scaled(factor);
  img.blit(big, (size - big.width()) / 2, (size - big.height()) / 2);
  return img;
}

Image bar(const GenRequest& r) {
  const int s = r.size.scale;
  const int w = r.intParam("width") * s;
  const int h = fontHeight(r, "menusel") + 4 * s;
  Image img(w, h);
  // Dark, so that the orange lettering of the selected entry reads on it.
  drawTile(img, 0, 0, w, h, h / 2, s, pal(r, "ink"), pal(r, "violet"), pal(r, "night"), pal(r, "violet"),
           pal(r, "deep"));
  return img;
}

// A soft key: a dark rounded tile in the look of the main menu's icons, one menu-font line high.
Image button(const GenRequest& r) {
  const int s = r.size.scale;
  const int w = r.intParam("width") * s;
  const int h = fontHeight(r, "menu") + 6 * s;
  Image img(w, h);
  drawTile(img, 0, 0, w, h, 5 * s, s, pal(r, "ink"), pal(r, "dusk"), pal(r, "night"), pal(r, "lilac"), pal(r, "deep"));
  return img;
}

// The three pieces of the on-screen keyboard: the middle one holds the key grid at its top, the
// title, then the field with the typed text, all measured from the fonts as the keyboard lays
// them out.
Image panel(const GenRequest& r) {
  const int s = r.size.scale;
  const int hud0 = fontHeight(r, "hud0"), menu = fontHeight(r, "menu");
  const int cellW = hud0 * 21 / 12, cellH = hud0 * 19 / 12;
  const int gridW = cellW * 6, gridH = cellH * 5;
  const int w = gridW + 16 * s;
  const std::string& part = r.param("part");
  // Dark, so that the keys' white lettering and the title read on it.
  const Rgb body = pal(r, "night"), rim = pal(r, "ink"), light = pal(r, "violet"), dark = pal(r, "deep");
  if (part == "top") {
    int h = 14 * s;
    Image img(w, h);
    drawTile(img, 0, 0, w, h * 2, 6 * s, s, rim, pal(r, "sky"), pal(r, "blue"), light, dark);
    img.fillRect(s, h - s, w - 2 * s, s, dark);
    for (int i = 0; i < 3; ++i)
      img.fillCircle(10 * s + i * 7 * s, h / 2, 2 * s,
                     i == 0   ? pal(r, "red")
                     : i == 1 ? pal(r, "yellow")
                              : pal(r, "lime"));
    return img;
  }
  if (part == "middle") {
    int h = gridH + 2 * menu + fontHeight(r, "small") + 12 * s;
    Image img(w, h);
    img.fillRect(0, 0, w, h, body);
    img.vline(0, 0, h - 1, rim);
    img.vline(w - 1, 0, h - 1, rim);
    img.vline(s, 0, h - 1, light);
    img.vline(w - 1 - s, 0, h - 1, dark);
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 6; ++col) {
        int x = 8 * s + col * cellW, y = row * cellH;
        img.fillRect(x + s, y + s, cellW - 2 * s, cellH - 2 * s, light);
        img.fillRect(x + 2 * s, y + cellH - 2 * s, cellW - 3 * s, s, dark);
        img.fillRect(x + cellW - 2 * s, y + 2 * s, s, cellH - 3 * s, dark);
      }
    int field = h - menu - 5 * s;
    img.fillRect(6 * s, field, w - 12 * s, menu + 4 * s, pal(r, "night"));
    img.drawRect(6 * s, field, w - 12 * s, menu + 4 * s, rim);
    return img;
  }
  if (part == "bottom") {
    int h = 10 * s;
    Image img(w, h);
    Image tall(w, h * 2);
    drawTile(tall, 0, 0, w, h * 2, 6 * s, s, rim, body, body, light, dark);
    img.blitOpaque(tall.cropped(0, h, w, h), 0, 0);
    return img;
  }
  throw DataError(r.file, 0, "part must be top, middle or bottom");
}

// Pixel art doubled by the Scale2x rule: edges that run diagonally stay diagonal instead of turning into
// steps, so a picture turned afterwards keeps clean outlines.
Image scale2x(const Image& src) {
  const int w = src.width(), h = src.height();
  auto at = [&](int x, int y) { return src.at(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1)); };
  Image out(2 * w, 2 * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb e = at(x, y), b = at(x, y - 1), d = at(x - 1, y), f = at(x + 1, y), hh = at(x, y + 1);
      const bool corners = b != hh && d != f;
      out.set(2 * x, 2 * y, corners && d == b ? d : e);
      out.set(2 * x + 1, 2 * y, corners && b == f ? f : e);
      out.set(2 * x, 2 * y + 1, corners && d == hh ? d : e);
      out.set(2 * x + 1, 2 * y + 1, corners && hh == f ? f : e);
    }
  return out;
}

// A pixel-art sprite turned clockwise about its centre by `degrees`, in a picture of its own size: each
// pixel takes the colour most of its sample points fall on in the smoothed source, so the turned sprite
// keeps the palette and the look of the hand-drawn one.
Image turned(const GenRequest& r) {
  const Image source = spriteParam(r, "source");
  double degrees = 0;
  try {
    degrees = std::stod(r.param("degrees"));
  } catch (const std::invalid_argument&) {
    throw DataError(r.file, 0, "degrees is not a number");
  }
  constexpr int kDetail = 4;   // two doublings
  constexpr int kSamples = 4;  // per pixel, each way
  const Image big = scale2x(scale2x(source));
  const int w = source.width(), h = source.height();
  const double cx = w / 2.0, cy = h / 2.0, a = degrees * 3.14159265358979 / 180, ca = std::cos(a), sa = std::sin(a);
  Image out(w, h);
  std::vector<std::pair<Rgb, int>> votes;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      votes.clear();
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples - cx, py = y + (sy + 0.5) / kSamples - cy;
          // The point the clockwise turn brings here (y runs down the screen).
          const int ix = static_cast<int>(std::floor((ca * px + sa * py + cx) * kDetail));
          const int iy = static_cast<int>(std::floor((-sa * px + ca * py + cy) * kDetail));
          const Rgb c = big.inside(ix, iy) ? big.at(ix, iy) : kKeyColour;
          auto it = std::find_if(votes.begin(), votes.end(), [&](const auto& v) { return v.first == c; });
          if (it == votes.end())
            votes.push_back({c, 1});
          else
            ++it->second;
        }
      // The most samples win; on a tie a colour beats the transparent key.
      const auto best = std::max_element(votes.begin(), votes.end(), [](const auto& p, const auto& q) {
        return p.second != q.second ? p.second < q.second : p.first == kKeyColour && q.first != kKeyColour;
      });
      out.set(x, y, best->first);
    }
  return out.scaled(r.size.scale);
}

// The brick game's round backgrounds: dark enough that every brick reads over them, each with
// its own scene. Drawn at the full screen size, so they stay crisp on large screens.
Image bounceBack(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  const int theme = r.intParam("theme");
  Image img(w, h);
  switch (theme) {
    case 1:  // night sky over a ringed planet
      img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "night"));
      starField(img, r, 90 * s * s, 101, h);
      litDisc(img, w * 3 / 4, h * 3 / 4, 34 * s, pal(r, "peach"), pal(r, "orange"), pal(r, "crimson"));
      // The ring: a tilted ellipse whose far half hides behind the planet.
      for (int a = 0; a < 720; ++a) {
        double t = a * 3.14159265 / 360, ex = std::cos(t) * 52 * s, ey = std::sin(t) * 11 * s;
        int x = w * 3 / 4 + static_cast<int>(ex), y = h * 3 / 4 + static_cast<int>(ey + ex / 5);
        bool behind = std::sin(t) < 0 && std::hypot(ex, ey + ex / 5) < 34 * s;
        if (!behind) img.fillRect(x, y, s, s, mix(pal(r, "cream"), pal(r, "tan"), 128));
      }
      break;
    case 2:  // violet nebula
      img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "violet"));
      for (int i = 0; i < 5; ++i) {
        Dice dice(200 + i);
        int cx = dice.roll(w), cy = dice.roll(h), rad = (30 + dice.roll(40)) * s;
        for (int y = -rad; y <= rad; ++y)
          for (int x = -rad; x <= rad; ++x) {
            int d2 = x * x + y * y;
            if (d2 <= rad * rad && img.inside(cx + x, cy + y))
              img.set(cx + x, cy + y, mix(img.at(cx + x, cy + y), pal(r, "dusk"), 90 - 90 * d2 / (rad * rad)));
          }
      }
      starField(img, r, 70 * s * s, 202, h);
      break;
    case 3:  // a grid floor running to the horizon
      img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "night"));
      for (int i = -14; i <= 14; ++i)
        img.line(w / 2 + i * w / 30, h / 3, w / 2 + i * w / 6, h, mix(pal(r, "night"), pal(r, "blue"), 110));
      for (int y = h / 3, step = 2 * s; y < h; y += step, step += s)
        img.hline(0, w - 1, y, mix(pal(r, "night"), pal(r, "blue"), 110));
      starField(img, r, 40 * s * s, 303, h / 3);
      break;
    case 4:  // dusk over the hills
      img.gradientRect(0, 0, w, h * 2 / 3, pal(r, "deep"), pal(r, "crimson"));
      img.gradientRect(0, h * 2 / 3, w, h - h * 2 / 3, pal(r, "crimson"), pal(r, "earth"));
      starField(img, r, 40 * s * s, 404, h / 2);
      litDisc(img, w / 4, h * 2 / 3 - 10 * s, 22 * s, pal(r, "cream"), pal(r, "yellow"), pal(r, "orange"));
      for (int x = 0; x < w; ++x) {
        double t = static_cast<double>(x) / w;
        int hill = static_cast<int>(h * 0.7 + std::sin(t * 9.0) * 12 * s + std::sin(t * 23.0) * 5 * s);
        img.vline(x, hill, h - 1, mix(pal(r, "deep"), pal(r, "earth"), 60));
        img.set(x, hill, mix(pal(r, "deep"), pal(r, "crimson"), 140));
      }
      break;
    default:  // a cave of glowing crystals
      img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "forest"));
      Dice dice(505);
      for (int i = 0; i < 14; ++i) {
        int x = dice.roll(w), base = h - dice.roll(h / 5), tall = (14 + dice.roll(30)) * s,
            half = (4 + dice.roll(5)) * s;
        std::vector<std::pair<double, double>> left = {
            {double(x - half), double(base)}, {double(x), double(base - tall)}, {double(x), double(base)}};
        std::vector<std::pair<double, double>> right = {
            {double(x), double(base - tall)}, {double(x + half), double(base)}, {double(x), double(base)}};
        fillPolygon(img, left, mix(pal(r, "cyan"), pal(r, "forest"), 120));
        fillPolygon(img, right, mix(pal(r, "blue"), pal(r, "forest"), 150));
      }
      starField(img, r, 30 * s * s, 506, h);
      break;
  }
  return img;
}

// The brick game's loading picture and menu background: a wall of bricks, the ball and the paddle, in
// the dim light of the night sky. The in-game pages lay their text over it, shaded: nothing in it may
// shine so bright that the text's colours stop standing out.
Image bounceSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  // How far every lit thing is mixed toward the night sky (of 256).
  constexpr int kNight = 110;
  auto lit = [&](const char* name) { return mix(pal(r, name), pal(r, "deep"), kNight); };
  Image img(w, h);
  img.gradientRect(0, 0, w, h, pal(r, "deep"), pal(r, "violet"));
  starField(img, r, 50 * s * s, 606, h);
  const char* rows[][3] = {{"rose", "red", "crimson"}, {"peach", "orange", "brown"}, {"cream", "yellow", "gold"},
                           {"mint", "lime", "green"},  {"ice", "cyan", "blue"},      {"sky", "blue", "night"}};
  const int bw = 28 * s, bh = 12 * s, gap = 2 * s;
  const int columns = w / (bw + gap);
  const int x0 = (w - columns * (bw + gap) + gap) / 2, y0 = 36 * s;
  for (int row = 0; row < 6; ++row)
    for (int c = 0; c < columns; ++c) {
      // A few bricks already knocked out, where the ball came through.
      if ((row >= 3 && (c == columns / 2 || c == columns / 2 + 1)) || (row == 5 && c == columns / 2 - 1)) continue;
      drawTile(img, x0 + c * (bw + gap), y0 + row * (bh + gap), bw, bh, 2 * s, s, pal(r, "ink"), lit(rows[row][1]),
               lit(rows[row][1]), lit(rows[row][0]), lit(rows[row][2]));
    }
  const int bx = w / 2 + 6 * s, by = h * 5 / 8;
  for (int i = 1; i < 8; ++i)
    img.fillCircle(bx - i * 7 * s, by + i * 9 * s, std::max(1, (7 - i) * s / 2 + s),
                   mix(pal(r, "violet"), lit("cream"), 200 - 22 * i));
  img.fillCircle(bx, by, 8 * s, pal(r, "ink"));
  litDisc(img, bx, by, 7 * s, lit("white"), lit("silver"), lit("grey"));
  const int pw = 70 * s, ph = 12 * s;
  drawTile(img, w / 2 - pw / 2 - 20 * s, h * 13 / 16, pw, ph, 5 * s, s, pal(r, "ink"), lit("silver"), lit("steel"),
           lit("white"), lit("slate"));
  img.fillRect(w / 2 - pw / 2 - 16 * s, h * 13 / 16 + 5 * s, pw - 8 * s, 2 * s, lit("sky"));
  return img;
}

// The tanks game's splash, also its menus' background: a dim battlefield at dusk with a tank on a ridge.
Image tanksSplash(const GenRequest& r) {
  const int w = r.size.width, h = r.size.height, s = r.size.scale;
  // How far every lit thing is mixed toward the dusk (of 256), so menu text reads over it.
  constexpr int kDusk = 120;
  auto lit = [&](const char* name) { return mix(pal(r, name), pal(r, "deep"), kDusk); };
  Image img(w, h);
  img.gradientRect(0, 0, w, h * 5 / 8, pal(r, "deep"), mix(pal(r, "crimson"), pal(r, "deep"), 150));
  img.gradientRect(0, h * 5 / 8, w, h - h * 5 / 8, lit("earth"), pal(r, "ink"));
  starField(img, r, 30 * s * s, 404, h / 3);
  // Two rows of hills.
  for (int x = 0; x < w; ++x) {
    const int far = h * 9 / 16 - static_cast<int>(10 * s * std::sin(x * 0.021 / s) + 6 * s * std::sin(x * 0.05 / s));
    const int near = h * 5 / 8 - static_cast<int>(14 * s * std::sin(x * 0.013 / s + 1.5));
    img.vline(x, far, h * 5 / 8, mix(pal(r, "forest"), pal(r, "deep"), 170));
    img.vline(x, near, h * 5 / 8 + 8 * s, mix(pal(r, "forest"), pal(r, "ink"), 120));
  }
  // The tank on the ridge, facing left: treads, hull, turret and a long barrel.
  const int cx = w / 2 + 10 * s, ground = h * 5 / 8 - 6 * s;
  drawTile(img, cx - 40 * s, ground - 14 * s, 80 * s, 14 * s, 7 * s, s, pal(r, "ink"), lit("slate"), lit("slate"),
           lit("grey"), pal(r, "ink"));
  for (int i = 0; i < 7; ++i) img.fillCircle(cx - 30 * s + i * 10 * s, ground - 7 * s, 4 * s, lit("steel"));
  drawTile(img, cx - 36 * s, ground - 30 * s, 72 * s, 16 * s, 3 * s, s, pal(r, "ink"), lit("gold"), lit("gold"),
           lit("yellow"), lit("brown"));
  drawTile(img, cx - 18 * s, ground - 44 * s, 36 * s, 16 * s, 6 * s, s, pal(r, "ink"), lit("gold"), lit("gold"),
           lit("cream"), lit("brown"));
  img.fillRect(cx - 78 * s, ground - 39 * s, 62 * s, 5 * s, pal(r, "ink"));
  img.fillRect(cx - 77 * s, ground - 38 * s, 60 * s, 3 * s, lit("silver"));
  // A shell flying off to the left, with its flash.
  img.fillCircle(cx - 82 * s, ground - 37 * s, 5 * s, lit("orange"));
  img.fillCircle(cx - 82 * s, ground - 37 * s, 2 * s, lit("cream"));
  img.fillRect(cx - 110 * s, ground - 38 * s, 10 * s, 3 * s, lit("yellow"));
  return img;
}

// The frame around the tanks game's field: side panels, the strip above and the three pieces of the
// status bar (the left one is the pause button).
Image tanksPanel(const GenRequest& r) {
  const int s = r.size.scale;
  const std::string& part = r.param("part");
  const int bar = 24 * s;
  auto metal = [&](int w, int h) {
    Image img(w, h);
    img.gradientRect(0, 0, w, h, mix(pal(r, "forest"), pal(r, "slate"), 140),
                     mix(pal(r, "forest"), pal(r, "ink"), 170));
    img.hline(0, w - 1, 0, pal(r, "ink"));
    img.hline(0, w - 1, s, mix(pal(r, "green"), pal(r, "slate"), 128));
    return img;
  };
  auto rivets = [&](Image& img, int y, int every) {
    for (int x = every / 2; x < img.width(); x += every) {
      img.fillCircle(x, y, s + s / 2, pal(r, "ink"));
      img.set(x - s / 2, y - s / 2, mix(pal(r, "silver"), pal(r, "forest"), 80));
    }
  };
  if (part == "left" || part == "right") {
    const int w = 16 * s, h = r.size.height;
    Image img(w, h);
    img.gradientRect(0, 0, w, h, mix(pal(r, "forest"), pal(r, "slate"), 140),
                     mix(pal(r, "forest"), pal(r, "ink"), 170));
    const int edge = part == "left" ? w - s : 0;
    img.fillRect(edge, 0, s, h, pal(r, "ink"));
    img.fillRect(part == "left" ? 0 : s, 0, s, h, mix(pal(r, "green"), pal(r, "slate"), 128));
    for (int y = 12 * s; y < h; y += 24 * s) {
      img.fillCircle(w / 2, y, 2 * s, pal(r, "ink"));
      img.fillCircle(w / 2, y, s, mix(pal(r, "silver"), pal(r, "forest"), 100));
    }
    return img;
  }
  if (part == "top") {
    Image img = metal(r.size.width, bar);
    for (int x = 0; x < img.width(); x += 12 * s)
      for (int i = 0; i < 6 * s; ++i)
        img.vline(x + i + 2 * s, bar - 5 * s, bar - 3 * s, mix(pal(r, "yellow"), pal(r, "ink"), 90));
    img.hline(0, img.width() - 1, bar - s, pal(r, "ink"));
    rivets(img, bar / 2 - 2 * s, 24 * s);
    return img;
  }
  if (part == "bot_l") {
    Image img = metal(40 * s, bar);
    drawTile(img, 6 * s, 3 * s, 22 * s, bar - 6 * s, 4 * s, s, pal(r, "ink"), mix(pal(r, "orange"), pal(r, "ink"), 60),
             mix(pal(r, "crimson"), pal(r, "ink"), 60), pal(r, "peach"), pal(r, "crimson"));
    img.fillRect(13 * s, 7 * s, 3 * s, bar - 14 * s, pal(r, "cream"));
    img.fillRect(19 * s, 7 * s, 3 * s, bar - 14 * s, pal(r, "cream"));
    img.vline(img.width() - s, 0, bar - 1, pal(r, "ink"));
    return img;
  }
  if (part == "bot_m") {
    Image img = metal(80 * s, bar);
    rivets(img, bar - 5 * s, 20 * s);
    return img;
  }
  if (part == "bot_r") {
    Image img = metal(120 * s, bar);
    img.fillRect(4 * s, 3 * s, 120 * s - 8 * s, bar - 6 * s, mix(pal(r, "forest"), pal(r, "ink"), 200));
    img.drawRect(4 * s, 3 * s, 120 * s - 8 * s, bar - 6 * s, pal(r, "ink"));
    return img;
  }
  throw DataError(r.file, 0, "part must be left, right, top, bot_l, bot_m or bot_r");
}

struct Named {
  const char* name;
  Generator generator;
};

constexpr Named kGenerators[] = {
    {"menu_back", menuBack},
    {"logo", logo},
    {"splash", splash},
    {"icon", icon},
    {"desktop_icon", desktopIcon},
    {"bar", bar},
    {"button", button},
    {"panel", panel},
    {"bounce_back", bounceBack},
    {"bounce_splash", bounceSplash},
    {"turned", turned},
    {"swarm_planet", swarmPlanet},
    {"swarm_burst", swarmBurst},
    {"swarm_splash", swarmSplash},
    {"swarm_level", swarmLevel},
    {"swarm_gameover", swarmGameOver},
    {"rocks", rocksArt},
    {"gobbler_tile", gobblerTile},
    {"gobbler_door", gobblerDoor},
    {"gobbler_panel", gobblerPanel},
    {"gobbler_popup", gobblerPopup},
    {"gobbler_sprite", gobblerSprite},
    {"gobbler_splash", gobblerSplash},
    {"burrow_splash", burrowSplash},
    {"burrow_panel", burrowPanel},
    {"canyon_splash", canyonSplash},
    {"canyon_panel", canyonPanel},
    {"canyon_gameover", canyonGameOver},
    {"climber_back", climberBack},
    {"climber_splash", climberSplash},
    {"tanks_splash", tanksSplash},
    {"tanks_panel", tanksPanel},
};

}  // namespace

Generator findGenerator(const std::string& name) {
  for (const Named& n : kGenerators)
    if (name == n.name) return n.generator;
  return nullptr;
}

}  // namespace datakit
