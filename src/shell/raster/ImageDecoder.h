// Turns the bytes of a PNG or JPEG picture into a new RGB565 surface.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/raster/RasterSurface.h"

namespace Raster {

class ImageDecoder {
 public:
  ImageDecoder() = delete;

  // PNG when the input starts with the PNG signature, JPEG otherwise. Null when the picture cannot be
  // decoded; nothing stays allocated then. The surface's key is -1.
  static std::unique_ptr<RasterSurface> decode(const uint8_t* begin, const uint8_t* end);
  // The entry point for archive entries held in memory.
  static std::unique_ptr<RasterSurface> decodeMemory(const uint8_t* begin, const uint8_t* end);
  // A file read in place through a read-only mapping; a path not starting with '\' lies in the
  // program's own folder.
  static std::unique_ptr<RasterSurface> decodeFile(const char16_t* path);

  // Pictures larger than this on either side are refused before any pixel memory is taken.
  static constexpr uint32_t kMaxSide = 8192;
};

}  // namespace Raster
