// Pixel surfaces made by the program.
#include "shell/hal/Surface.h"

#include <cstdlib>
#include <new>

namespace ScreenHAL {

namespace {
// Keeps pitch * height well inside the address arithmetic of every caller.
constexpr int64_t kMaxBytes = int64_t{1} << 30;
}  // namespace

Surface::~Surface() {
  if (ownsPixels) std::free(pixels);
}

Surface* Surface::create(int32_t width, int32_t height) {
  if (width < 0 || height < 0 || width > 0x10000 || height > 0x10000) return nullptr;
  int64_t bytes = int64_t{pitchFor(width)} * height;
  if (bytes > kMaxBytes) return nullptr;
  // calloc of zero bytes may give null; ask for at least one so an empty surface is still a surface.
  auto* pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes > 0 ? bytes : 1), 1));
  if (pixels == nullptr) return nullptr;
  auto* surface = new (std::nothrow) Surface;
  if (surface == nullptr) {
    std::free(pixels);
    return nullptr;
  }
  surface->width = width;
  surface->height = height;
  surface->pitch = pitchFor(width);
  surface->pixels = pixels;
  surface->ownsPixels = true;
  return surface;
}

}  // namespace ScreenHAL
