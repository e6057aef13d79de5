// Pictures drawn by rule: backgrounds, the logo, the splash, panels and icon tiles.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Image.h"
#include "Stage.h"

namespace datakit {

struct GenRequest {
  const StageContext& context;
  const ScreenSize& size;
  std::map<std::string, std::string> params;  // the .gen source's keys
  std::string file;                           // the .gen source, for errors
  // A picture with soft transparent edges is drawn this many times as large and reduced when written.
  int oversample = 1;

  const std::string& param(const std::string& key) const;
  int intParam(const std::string& key) const;
  Rgb colourParam(const std::string& key) const;  // a palette colour name
};

using Generator = Image (*)(const GenRequest&);

// Null when no generator has that name.
Generator findGenerator(const std::string& name);

// What the generators share.
// A small fixed generator so pictures come out the same on every build.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed) {}
  int roll(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n < 1 ? 1 : n));
  }
  double unit() { return roll(1 << 16) / 65536.0; }

 private:
  std::uint32_t state_;
};

// A palette colour by name.
Rgb pal(const GenRequest& r, const char* name);
// The pixel art of a ".px" source under data/, named by the request's key.
Image spriteParam(const GenRequest& r, const std::string& key);
void fillPolygon(Image& img, const std::vector<std::pair<double, double>>& pts, Rgb c);
// Stars of the palette's light colours down to the row `bottom`, in pixels of the screen's scale.
void starField(Image& img, const GenRequest& r, int count, std::uint32_t seed, int bottom);
// A disc lit from the top left.
void litDisc(Image& img, int cx, int cy, int radius, Rgb light, Rgb mid, Rgb dark);

}  // namespace datakit
