// The display context: opening and closing the display, and the begin and end of each frame.
#include "shell/hal/Display.h"
#include "shell/hal/ScreenHAL.h"

namespace ScreenHAL {

DisplayContext::DisplayContext() : backBuffer_(Raster::RasterSurface::wrap(nullptr)) {
  raster_.retarget(backBuffer_.get());
}

DisplayContext::~DisplayContext() { close(); }

std::unique_ptr<DisplayContext> DisplayContext::open(HWND window, DisplayParams& params) {
  std::unique_ptr<DisplayContext> context(new DisplayContext);
  context->display_ = Display::Create(window, params);
  if (context->display_ == nullptr) return nullptr;
  context->params_ = params;
  return context;
}

void DisplayContext::close() {
  delete display_;
  display_ = nullptr;
  if (backBuffer_) backBuffer_->surface = nullptr;
  raster_.retarget(backBuffer_.get());
}

Raster::RasterSurface* DisplayContext::beginFrame() {
  if (display_ == nullptr || !display_->lock()) return nullptr;
  backBuffer_->surface = display_->backBuffer();
  raster_.retarget(backBuffer_.get());
  return backBuffer_.get();
}

void DisplayContext::endFrame(const Raster::Rect* /*rect*/) {
  // The dirty rectangle was fixed when the display opened; every frame shows the whole screen.
  if (display_ != nullptr) display_->present(0);
  backBuffer_->surface = nullptr;
  raster_.retarget(backBuffer_.get());
}

}  // namespace ScreenHAL
