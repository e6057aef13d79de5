// The program's main window on the desktop: the desktop window opens and closes with it, shows each new
// picture of the device screen, and its input becomes the messages the handheld would send.
#include "platform/api/resources.h"
#include "platform/api/window.h"
#include "platform/api/windowing.h"
#include "platform/device/screen.h"
#include "platform/host/desktop.h"

namespace platform {

namespace {

int desktopPresenter = 0;  // main thread only

// The desktop's input, as the messages the handheld would send the main window.
void desktopEvent(const DesktopEvent& event) {
  using Kind = DesktopEvent::Kind;
  switch (event.kind) {
    case Kind::Close:
      postClose();
      break;
    case Kind::Activate:
    case Kind::Deactivate:
      setForeground(event.kind == Kind::Activate);
      break;
    case Kind::KeyDown:
    case Kind::KeyUp:
    case Kind::KeyRepeat:
      postKey(event.key, event.kind != Kind::KeyUp, event.kind == Kind::KeyRepeat);
      break;
    case Kind::PenDown:
      postPen(WM_LBUTTONDOWN, event.x, event.y, true);
      break;
    case Kind::PenMove:
      postPen(WM_MOUSEMOVE, event.x, event.y, event.penDown);
      break;
    case Kind::PenUp:
      postPen(WM_LBUTTONUP, event.x, event.y, false);
      break;
    case Kind::Exposed:
      showScreenOnDesktop(true);
      break;
  }
}

}  // namespace

void showScreenOnDesktop(bool again) {
  const DeviceScreen& screen = deviceScreen();
  showDesktopFrame(screen.pixels(), screen.width(), screen.height(), screen.pictureCount(), again);
}

void openDesktop(const std::u16string& title) {
  DeviceScreen& screen = deviceScreen();
  if (!openDesktopWindow(title, screen.width(), screen.height(), programIcon(), desktopEvent)) return;
  desktopPresenter = screen.addPresenter([](const DeviceScreen&) { showScreenOnDesktop(false); });
}

void closeDesktop() {
  if (desktopPresenter != 0) deviceScreen().removePresenter(desktopPresenter);
  desktopPresenter = 0;
  closeDesktopWindow();
}

}  // namespace platform
