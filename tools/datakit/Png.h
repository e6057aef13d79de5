// PNG files of our pictures: 8-bit RGB without alpha (the desktop's pictures with it), the same bytes for
// the same picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Image.h"

namespace datakit {

using Bytes = std::vector<std::uint8_t>;

Bytes encodePng(const Image& image);
// A picture for the desktop, which reads alpha (the program keys the magenta instead): each block of
// reduce x reduce pixels becomes one, as opaque as the share of its pixels that are not the key colour and
// of their mean colour, so that edges drawn larger come out smooth.
Bytes encodePngWithAlpha(const Image& image, int reduce);
// game.dat's pictures are written at zlib's best compression (9). Tests that stage the data again may
// choose a faster level: the pixels stay the same, the bytes do not.
void setPngCompressionLevel(int level);
// Throws std::runtime_error on anything that is not a readable PNG. With alpha, also each pixel's
// opacity, row after row (255 throughout for a picture without alpha).
Image decodePng(const Bytes& data, std::vector<std::uint8_t>* alpha = nullptr);

struct PngInfo {
  int width = 0;
  int height = 0;
  int colourType = -1;
};
// The header fields only; false when the bytes do not start like a PNG.
bool readPngInfo(const Bytes& data, PngInfo& info);

}  // namespace datakit
