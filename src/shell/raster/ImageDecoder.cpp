// Picks the decoder for a picture, reads files in place through a mapping, and keeps the pictures decoded
// lately.
#include "shell/raster/ImageDecoder.h"

#include <cstring>
#include <list>
#include <mutex>
#include <new>
#include <vector>

#include "shell/raster/ImageFormats.h"
#include "shell/raster/MappedFile.h"

namespace Raster {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

struct KeptPicture {
  std::vector<uint8_t> bytes;
  std::unique_ptr<RasterSurface> picture;
  size_t cost = 0;
};

std::mutex keptLock;
size_t keptCost = 0;  // guarded by keptLock

// Guarded by keptLock; the latest used first.
std::list<KeptPicture>& keptPictures() {
  static std::list<KeptPicture> pictures;
  return pictures;
}

// A surface of its own with the same pixels; null when memory runs out.
std::unique_ptr<RasterSurface> copyOf(const RasterSurface& picture) {
  const ScreenHAL::Surface& from = *picture.surface;
  std::unique_ptr<RasterSurface> copy = RasterSurface::create(from.width, from.height);
  if (!copy) return nullptr;
  const size_t rowBytes = static_cast<size_t>(from.width) * sizeof(uint16_t);
  for (int32_t y = 0; y < from.height; ++y) std::memcpy(copy->surface->row(y), from.row(y), rowBytes);
  return copy;
}

std::unique_ptr<RasterSurface> findKept(const uint8_t* begin, size_t size) {
  std::lock_guard lock(keptLock);
  std::list<KeptPicture>& pictures = keptPictures();
  for (auto it = pictures.begin(); it != pictures.end(); ++it) {
    if (it->bytes.size() != size || std::memcmp(it->bytes.data(), begin, size) != 0) continue;
    pictures.splice(pictures.begin(), pictures, it);
    return copyOf(*it->picture);
  }
  return nullptr;
}

// A copy of the picture joins the kept ones, the least recently used going while there are too many.
void keep(const uint8_t* begin, size_t size, const RasterSurface& picture) {
  const size_t cost = size + static_cast<size_t>(picture.surface->pitch) * static_cast<size_t>(picture.height());
  if (cost > ImageDecoder::kKeptBytes) return;
  KeptPicture kept;
  try {
    kept.bytes.assign(begin, begin + size);
  } catch (const std::bad_alloc&) {
    return;
  }
  kept.picture = copyOf(picture);
  if (!kept.picture) return;
  kept.cost = cost;
  std::lock_guard lock(keptLock);
  std::list<KeptPicture>& pictures = keptPictures();
  try {
    pictures.push_front(std::move(kept));
  } catch (const std::bad_alloc&) {
    return;
  }
  keptCost += cost;
  while (keptCost > ImageDecoder::kKeptBytes) {
    keptCost -= pictures.back().cost;
    pictures.pop_back();
  }
}

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

std::unique_ptr<RasterSurface> ImageDecoder::decodeKept(const uint8_t* begin, const uint8_t* end) {
  if (begin == nullptr || end < begin) return nullptr;
  const auto size = static_cast<size_t>(end - begin);
  if (std::unique_ptr<RasterSurface> copy = findKept(begin, size)) return copy;
  std::unique_ptr<RasterSurface> decoded = decode(begin, end);
  if (decoded) keep(begin, size, *decoded);
  return decoded;
}

std::unique_ptr<RasterSurface> ImageDecoder::decodeFile(const char16_t* path) {
  MappedFile file;
  if (!file.open(path)) return nullptr;
  return decode(file.begin(), file.end());
}

}  // namespace Raster
