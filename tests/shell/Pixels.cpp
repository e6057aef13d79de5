// Helpers for pixel-exact drawing tests.
#include "shell/Pixels.h"

namespace shelltest {

std::string picture(const ScreenHAL::Surface& s, uint16_t background) {
  std::string out;
  for (int32_t y = 0; y < s.height; ++y) {
    for (int32_t x = 0; x < s.width; ++x) out += *s.at(x, y) == background ? '.' : '#';
    out += '\n';
  }
  return out;
}

int count(const ScreenHAL::Surface& s, uint16_t colour) {
  int n = 0;
  for (int32_t y = 0; y < s.height; ++y)
    for (int32_t x = 0; x < s.width; ++x) n += *s.at(x, y) == colour;
  return n;
}

uint32_t checksum(const ScreenHAL::Surface& s) {
  uint32_t h = 2166136261u;
  for (int32_t y = 0; y < s.height; ++y) {
    for (int32_t x = 0; x < s.width; ++x) {
      uint16_t p = *s.at(x, y);
      h = (h ^ (p & 0xFF)) * 16777619u;
      h = (h ^ (p >> 8)) * 16777619u;
    }
  }
  return h;
}

void fillPattern(ScreenHAL::Surface& s) {
  for (int32_t y = 0; y < s.height; ++y)
    for (int32_t x = 0; x < s.width; ++x) {
      auto v = static_cast<uint16_t>(y * s.width + x + 1);
      *s.at(x, y) = v == 0xF81F ? 0x1111 : v;
    }
}

}  // namespace shelltest
