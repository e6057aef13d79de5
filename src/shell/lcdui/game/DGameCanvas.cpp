// Presenting a game canvas: a straight copy, or every pixel as a 2 x 2 block when the engine doubles pixels.
#include "shell/lcdui/game/DGameCanvas.h"

#include <algorithm>
#include <cstring>

#include "shell/CGameEngine.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/lcdui/DGraphics.h"

namespace nuv::microedition::lcdui::game {

namespace {

// Each source pixel becomes two equal pixels in one 32-bit word, on two rows. The rows are clipped to both
// buffers, so a display smaller than twice the canvas is never written past.
void copyDoubled(const Raster::RasterSurface& source, Raster::RasterSurface& target) {
  Raster::LockedPixels from = source.lock();
  Raster::LockedPixels to = target.lock();
  if (from.address == nullptr || to.address == nullptr) return;
  int32_t columns = std::min(source.width(), target.width() / 2);
  int32_t rows = std::min(source.height(), target.height() / 2);
  for (int32_t y = 0; y < rows; ++y) {
    const uint8_t* in = from.address + static_cast<ptrdiff_t>(y) * from.pitch;
    uint8_t* out = to.address + static_cast<ptrdiff_t>(2 * y) * to.pitch;
    for (int32_t x = 0; x < columns; ++x) {
      uint16_t pixel;
      std::memcpy(&pixel, in + 2 * x, 2);
      uint32_t pair = pixel | (uint32_t{pixel} << 16);
      std::memcpy(out + 4 * x, &pair, 4);
    }
    std::memcpy(out + to.pitch, out, static_cast<size_t>(columns) * 4);
  }
  Raster::returnsOne(&source, 0);
  Raster::returnsOne(&target, 0);
}

}  // namespace

DGraphicsPtr DGameCanvas::getGraphics() { return new DGraphics(backBuffer.get(), nuv::lang::DObjectPtr(this)); }

void DGameCanvas::flushGraphics() {
  if (shown) flushToDisplay();
}

void DGameCanvas::flushToDisplay() {
  DDisplay* display = DDisplay::instance();
  if (display == nullptr || display->current.isNull()) return;
  CGameEngine* engine = CGameEngine::instance();
  if (engine != nullptr && engine->isInBackground()) return;
  auto* canvas = dynamic_cast<DCanvas*>(display->current.get());
  ScreenHAL::DisplayContext* context = display->context();
  if (canvas == nullptr || canvas->backBuffer == nullptr || context == nullptr) return;
  Raster::RasterSurface* screen = context->beginFrame();
  if (screen == nullptr) return;
  if (engine != nullptr && engine->pixelDoubling) {
    copyDoubled(*canvas->backBuffer, *screen);
  } else {
    context->raster().blit(*canvas->backBuffer, 0, 0);
  }
  context->endFrame();
}

}  // namespace nuv::microedition::lcdui::game
