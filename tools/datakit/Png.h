// PNG files of our pictures: 8-bit RGB without alpha, the same bytes for the same picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Image.h"

namespace datakit {

using Bytes = std::vector<std::uint8_t>;

Bytes encodePng(const Image& image);
// game.dat's pictures are written at zlib's best compression (9). Tests that stage the data again may
// choose a faster level: the pixels stay the same, the bytes do not.
void setPngCompressionLevel(int level);
// Throws std::runtime_error on anything that is not a readable PNG.
Image decodePng(const Bytes& data);

struct PngInfo {
  int width = 0;
  int height = 0;
  int colourType = -1;
};
// The header fields only; false when the bytes do not start like a PNG.
bool readPngInfo(const Bytes& data, PngInfo& info);

}  // namespace datakit
