// The format decoders behind ImageDecoder, and the pixel conversion they share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "shell/raster/RasterSurface.h"

namespace Raster {

inline uint16_t toRgb565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// Null on any failure, with nothing left allocated.
std::unique_ptr<RasterSurface> decodePng(const uint8_t* begin, size_t size);
std::unique_ptr<RasterSurface> decodeJpeg(const uint8_t* begin, size_t size);

}  // namespace Raster
