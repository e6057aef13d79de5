// Turns the bytes of a PNG or JPEG picture into a new RGB565 surface.
#pragma once

#include <cstddef>
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
  // As decodeMemory, but bytes decoded lately are not decoded again: a copy of their picture comes back.
  // The start shows the same background and logo on several of its screens, each loading them anew.
  static std::unique_ptr<RasterSurface> decodeKept(const uint8_t* begin, const uint8_t* end);
  // A file read in place through a read-only mapping; a path not starting with '\' lies in the
  // program's own folder.
  static std::unique_ptr<RasterSurface> decodeFile(const char16_t* path);

  // Pictures larger than this on either side, or with more pixels in all, are refused before any pixel
  // memory is taken. The largest in game.dat is 509 x 871; font pages run wide and low.
  static constexpr uint32_t kMaxSide = 8192;
  static constexpr uint64_t kMaxPixels = uint64_t{2048} * 2048;
  static bool fits(uint64_t width, uint64_t height) {
    return width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
  }
  // What decodeKept keeps at most: the pictures' pixels and the bytes they came from.
  static constexpr size_t kKeptBytes = 512 * 1024;
};

}  // namespace Raster
