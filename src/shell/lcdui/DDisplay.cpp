// The display and the global display instance.
#include "shell/lcdui/DDisplay.h"

#include "platform/api/window.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/lcdui/DCanvas.h"
#include "shell/midlet/DMIDlet.h"

namespace nuv::microedition::lcdui {

namespace {

DDisplay* globalDisplay = nullptr;  // not counted: the display clears it as it goes

}  // namespace

DDisplay::DDisplay(ScreenHAL::DisplayContext* context) : displayContext(context) {
  globalDisplay = this;
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
  if (context != nullptr) {
    if (Raster::RasterSurface* backBuffer = context->beginFrame()) {
      width = backBuffer->width();
      height = backBuffer->height();
      context->endFrame();
    }
  }
  if (midlet::DMIDlet* midlet = midlet::DMIDlet::current()) midlet->display = this;
}

DDisplay::~DDisplay() {
  if (globalDisplay == this) globalDisplay = nullptr;
}

DDisplayPtr DDisplay::getDisplay(midlet::DMIDlet* midlet) { return midlet ? midlet->display : nullptr; }

DDisplay* DDisplay::instance() { return globalDisplay; }

void DDisplay::setCurrent(DDisplayablePtr displayable) {
  if (current) {
    current->hideNotify();
    current->shown = false;
  }
  current = displayable;
  if (current) {
    if (auto* canvas = dynamic_cast<DCanvas*>(current.get())) {
      canvas->applyInputMode();
    } else {
      current->showNotify();
    }
    current->shown = true;
  }
}

}  // namespace nuv::microedition::lcdui
