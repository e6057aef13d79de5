// Reading captured frames and staged image tables.
#include "program/Frames.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace frames {

std::filesystem::path staged(const std::string& entry) {
  return std::filesystem::path(GH_GAME_DAT).parent_path() / "data" / "archive" / entry;
}

uint32_t at(const platform::Picture& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)];
}

bool near(uint32_t rgb, uint32_t want) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((rgb >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 8) return false;
  }
  return true;
}

int differing(const platform::Picture& a, const platform::Picture& b, Rect r) {
  const int width = std::min(a.width, b.width), height = std::min(a.height, b.height);
  int n = 0;
  for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, height); ++y) {
    for (int x = std::max(r.x, 0); x < std::min(r.x + r.w, width); ++x) n += at(a, x, y) != at(b, x, y) ? 1 : 0;
  }
  return n;
}

std::map<std::string, Rect> imageTable(const std::filesystem::path& file) {
  std::map<std::string, Rect> table;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::stringstream fields(line);
    std::string name, x, y, w, h;
    std::getline(fields, name, ';');
    std::getline(fields, x, ';');
    std::getline(fields, y, ';');
    std::getline(fields, w, ';');
    std::getline(fields, h, ';');
    if (!h.empty()) table[name] = {std::stoi(x), std::stoi(y), std::stoi(w), std::stoi(h)};
  }
  return table;
}

}  // namespace frames
