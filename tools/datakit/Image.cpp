// An RGB picture in memory, the canvas every picture writer and generator draws on.
#include "Image.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace datakit {

Rgb mix(Rgb a, Rgb b, int t) {
  auto m = [t](int x, int y) { return x + (y - x) * t / 256; };
  return rgb(m(red(a), red(b)), m(green(a), green(b)), m(blue(a), blue(b)));
}

bool isKeyIn565(Rgb c) { return (red(c) >> 3) == 31 && (green(c) >> 2) == 0 && (blue(c) >> 3) == 31; }

Image::Image(int width, int height, Rgb fillColour) : width_(width), height_(height) {
  if (width < 0 || height < 0 || static_cast<long>(width) * height > 64L * 1024 * 1024)
    throw std::invalid_argument("picture size out of range");
  pixels_.assign(static_cast<size_t>(width) * height, fillColour);
}

void Image::fill(Rgb c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Image::fillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = std::max(y, 0); j < std::min(y + h, height_); ++j)
    for (int i = std::max(x, 0); i < std::min(x + w, width_); ++i) pixels_[static_cast<size_t>(j) * width_ + i] = c;
}

void Image::drawRect(int x, int y, int w, int h, Rgb c) {
  if (w <= 0 || h <= 0) return;
  hline(x, x + w - 1, y, c);
  hline(x, x + w - 1, y + h - 1, c);
  vline(x, y, y + h - 1, c);
  vline(x + w - 1, y, y + h - 1, c);
}

void Image::hline(int x0, int x1, int y, Rgb c) {
  for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) set(x, y, c);
}

void Image::vline(int x, int y0, int y1, Rgb c) {
  for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) set(x, y, c);
}

void Image::line(int x0, int y0, int x1, int y1, Rgb c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Image::fillCircle(int cx, int cy, int r, Rgb c) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r + r) set(cx + x, cy + y, c);
}

void Image::gradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) hline(x, x + w - 1, y + j, mix(top, bottom, h > 1 ? j * 256 / (h - 1) : 0));
}

void Image::blit(const Image& src, int x, int y) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i)
      if (Rgb c = src.at(i, j); c != kKeyColour) set(x + i, y + j, c);
}

void Image::blitOpaque(const Image& src, int x, int y) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) set(x + i, y + j, src.at(i, j));
}

void Image::outline(Rgb c) {
  Image before = *this;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (before.at(x, y) != kKeyColour) continue;
      bool touches = false;
      for (int d = 0; d < 4 && !touches; ++d) {
        static constexpr int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        int nx = x + dx[d], ny = y + dy[d];
        touches = before.inside(nx, ny) && before.at(nx, ny) != kKeyColour;
      }
      if (touches) set(x, y, c);
    }
}

Image Image::scaled(int factor) const {
  Image out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      out.pixels_[static_cast<size_t>(y) * out.width_ + x] = at(x / factor, y / factor);
  return out;
}

Image Image::cropped(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (inside(x + i, y + j)) out.set(i, j, at(x + i, y + j));
  return out;
}

}  // namespace datakit
