// PNG and JPEG files made in memory by the libraries' own writers, as test fixtures.
#pragma once

#include <cstdint>
#include <vector>

namespace shelltest {

struct PngContent {
  int width = 0;
  int height = 0;
  int colourType = 2;  // the PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  int bitDepth = 8;
  // Packed rows as the PNG stores them (big-endian samples for 16 bits).
  std::vector<uint8_t> rows;
  std::vector<uint8_t> palette;  // R, G, B per entry
  std::vector<uint8_t> alphas;   // tRNS entries for a palette picture
};

std::vector<uint8_t> makePng(const PngContent& content);
// A JPEG of width x height from RGB (3 bytes per pixel) or grey (1 byte) samples.
std::vector<uint8_t> makeJpeg(int width, int height, const std::vector<uint8_t>& samples, bool grey, int quality);

}  // namespace shelltest
