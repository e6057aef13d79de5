// An RGB picture in memory, the canvas every picture writer and generator draws on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datakit {

// 0x00RRGGBB. Magenta marks transparent pixels: the program's decoder drops alpha
// and keys 0xF81F, which is what magenta becomes in RGB565.
using Rgb = std::uint32_t;
constexpr Rgb kKeyColour = 0xFF00FF;

// Inline: generators and the checker call these for every pixel.
inline Rgb rgb(int r, int g, int b) {
  auto clamp = [](int v) { return static_cast<Rgb>(v < 0 ? 0 : v > 255 ? 255 : v); };
  return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}
inline int red(Rgb c) { return static_cast<int>(c >> 16 & 0xFF); }
inline int green(Rgb c) { return static_cast<int>(c >> 8 & 0xFF); }
inline int blue(Rgb c) { return static_cast<int>(c & 0xFF); }
// Straight mix: t = 0 gives a, t = 256 gives b.
Rgb mix(Rgb a, Rgb b, int t);
// Would the colour land on the key colour once narrowed to RGB565?
bool isKeyIn565(Rgb c);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = kKeyColour);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  Rgb at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // Writes outside the picture are dropped, so shapes may overhang the edge.
  void set(int x, int y, Rgb c) {
    if (inside(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = c;
  }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  void fill(Rgb c);
  void fillRect(int x, int y, int w, int h, Rgb c);
  void drawRect(int x, int y, int w, int h, Rgb c);
  void hline(int x0, int x1, int y, Rgb c);
  void vline(int x, int y0, int y1, Rgb c);
  void line(int x0, int y0, int x1, int y1, Rgb c);
  void fillCircle(int cx, int cy, int r, Rgb c);
  // Vertical gradient from top to bottom colour over the rectangle.
  void gradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom);
  // Copies src with its key-coloured pixels left out.
  void blit(const Image& src, int x, int y);
  void blitOpaque(const Image& src, int x, int y);
  // A one-pixel ring of colour c around every non-key pixel, on key pixels only.
  void outline(Rgb c);

  Image scaled(int factor) const;
  Image cropped(int x, int y, int w, int h) const;

  const std::vector<Rgb>& pixels() const { return pixels_; }
  bool operator==(const Image& o) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

}  // namespace datakit
