// Reading the frames a scripted run captured, and the staged data they are compared with.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "platform/seam/capture.h"

namespace frames {

struct Rect {
  int x, y, w, h;
};

// An entry of the archive's tree as the build staged it beside game.dat.
std::filesystem::path staged(const std::string& entry);

uint32_t at(const platform::Picture& p, int x, int y);
// Each channel within 8 of the wanted colour's.
bool near(uint32_t rgb, uint32_t want);
// Pixels of r (clipped to the pictures) that differ between a and b.
int differing(const platform::Picture& a, const platform::Picture& b, Rect r);
// Name to rectangle of a plain "name;x;y;w;h" image table.
std::map<std::string, Rect> imageTable(const std::filesystem::path& file);

}  // namespace frames
