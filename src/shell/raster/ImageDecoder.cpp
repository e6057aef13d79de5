// Picks the decoder for a picture and reads files in place through a mapping.
#include "shell/raster/ImageDecoder.h"

#include <cstring>

#include "shell/raster/ImageFormats.h"
#include "shell/raster/MappedFile.h"

namespace Raster {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

}  // namespace

std::unique_ptr<RasterSurface> ImageDecoder::decode(const uint8_t* begin, const uint8_t* end) {
  if (begin == nullptr || end < begin) return nullptr;
  const auto size = static_cast<size_t>(end - begin);
  if (size >= sizeof kPngSignature && std::memcmp(begin, kPngSignature, sizeof kPngSignature) == 0) {
    return decodePng(begin, size);
  }
  return decodeJpeg(begin, size);
}

std::unique_ptr<RasterSurface> ImageDecoder::decodeMemory(const uint8_t* begin, const uint8_t* end) {
  return decode(begin, end);
}

std::unique_ptr<RasterSurface> ImageDecoder::decodeFile(const char16_t* path) {
  MappedFile file;
  if (!file.open(path)) return nullptr;
  return decode(file.begin(), file.end());
}

}  // namespace Raster
