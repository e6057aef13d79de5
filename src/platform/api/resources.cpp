// The program's resources: its two strings, and its pictures drawn by rule (a hut under a night sky).
#include "platform/api/resources.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/device/screen.h"

// Handles of the icon and cursor: the resources never go away, so any stable address serves.
struct HICON__ {};
struct HCURSOR__ {};

namespace {

HICON__ iconResource;
HCURSOR__ cursorResource;

struct StringResource {
  UINT id;
  std::u16string_view text;
};

constexpr StringResource kStrings[] = {
    {IDS_TITLE, u"GlimmerHut"},
    {IDS_WINDOW_CLASS, u"GameEngine"},
};

UINT resourceId(LPCWSTR name) { return static_cast<UINT>(reinterpret_cast<uintptr_t>(name)); }

class Painter {
 public:
  Painter(int width, int height) {
    picture_.width = width;
    picture_.height = height;
    picture_.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  }
  void put(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < picture_.width && y < picture_.height)
      picture_.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture_.width) + static_cast<size_t>(x)] = colour;
  }
  void fill(int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) put(x, y, colour);
  }
  platform::Picture take() { return std::move(picture_); }
  int width() const { return picture_.width; }
  int height() const { return picture_.height; }

 private:
  platform::Picture picture_;
};

uint32_t mix(uint32_t a, uint32_t b, int t, int range) {
  auto channel = [&](int shift) {
    int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    return static_cast<uint32_t>(ca + (cb - ca) * t / range) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// A hut with a lit window and a glimmer above it, scaled to the picture.
platform::Picture drawHut(int width, int height, bool stars) {
  Painter p(width, height);
  for (int y = 0; y < height; ++y) p.fill(0, y, width, y + 1, mix(0x0B1030, 0x2A3A78, y, height));
  if (stars) {
    for (int i = 0; i < 40; ++i) p.put((i * 37 + 11) % width, (i * 53 + 5) % (height / 2), 0xE8E8FF);
  }
  int ground = height * 4 / 5;
  p.fill(0, ground, width, height, 0x1E4A22);
  int hutLeft = width / 4, hutRight = width * 3 / 4, wallTop = height * 11 / 20;
  p.fill(hutLeft, wallTop, hutRight, ground, 0x8A5A2B);
  // Roof: a triangle over the walls.
  int roofTop = height * 3 / 10, overhang = std::max(1, width / 20);
  for (int y = roofTop; y < wallTop; ++y) {
    int half = (hutRight - hutLeft) / 2 + overhang;
    int span = half * (y - roofTop) / std::max(1, wallTop - roofTop);
    int middle = (hutLeft + hutRight) / 2;
    p.fill(middle - span, y, middle + span, y + 1, 0xB23A2A);
  }
  int door = width / 10;
  p.fill(width / 2 - door / 2, ground - height / 6, width / 2 + door / 2, ground, 0x3B2412);
  int windowSize = std::max(2, width / 12);
  p.fill(hutLeft + windowSize / 2, wallTop + windowSize / 2, hutLeft + windowSize * 3 / 2, wallTop + windowSize * 3 / 2,
         0xFFD84A);
  // The glimmer: a four-pointed sparkle above the roof.
  int cx = width / 2, cy = roofTop - std::max(2, height / 10), arm = std::max(2, width / 16);
  for (int d = -arm; d <= arm; ++d) {
    p.put(cx + d, cy, 0xFFF4B0);
    p.put(cx, cy + d, 0xFFF4B0);
  }
  p.put(cx, cy, 0xFFFFFF);
  return p.take();
}

}  // namespace

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) return 0;
  for (const StringResource& s : kStrings) {
    if (s.id != id) continue;
    int n = std::min(static_cast<int>(s.text.size()), bufferMax - 1);
    std::copy_n(s.text.begin(), n, buffer);
    buffer[n] = 0;
    return n;
  }
  buffer[0] = 0;
  return 0;
}

HICON LoadIconW(HINSTANCE, LPCWSTR name) { return resourceId(name) == IDI_PROGRAM ? &iconResource : nullptr; }

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) { return resourceId(name) == IDC_PROGRAM ? &cursorResource : nullptr; }

namespace platform {

Picture splashPicture() { return drawHut(160, 120, true); }

Picture programIcon() { return drawHut(32, 32, false); }

void paintPicture(HWND window, int x, int y, const Picture& picture) {
  RECT client;
  if (!GetClientRect(window, &client)) return;
  // The program's window covers the screen from its top-left corner.
  DeviceScreen& screen = deviceScreen();
  int right = std::min<int>(client.right, screen.width()), bottom = std::min<int>(client.bottom, screen.height());
  for (int row = 0; row < picture.height; ++row) {
    int ty = y + row;
    if (ty < 0 || ty >= bottom) continue;
    for (int column = 0; column < picture.width; ++column) {
      int tx = x + column;
      if (tx < 0 || tx >= right) continue;
      screen.pixels()[static_cast<size_t>(ty) * static_cast<size_t>(screen.width()) + static_cast<size_t>(tx)] =
          picture.pixels[static_cast<size_t>(row) * static_cast<size_t>(picture.width) + static_cast<size_t>(column)];
    }
  }
  screen.present();
}

}  // namespace platform
