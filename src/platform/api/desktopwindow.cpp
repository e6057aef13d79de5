// The program's main window on the desktop: the desktop window opens and closes with it, shows each new
// picture of the device screen, and its input becomes the messages the handheld would send.
#include <cstdio>
#include <string>

#include "platform/api/resources.h"
#include "platform/api/window.h"
#include "platform/api/windowing.h"
#include "platform/device/screen.h"
#include "platform/host/desktop.h"
#include "platform/seam/script.h"

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

bool openDesktop(const std::u16string& title) {
  DeviceScreen& screen = deviceScreen();
  std::string failure;
  if (!openDesktopWindow(title, screen.width(), screen.height(), programIcon(), desktopEvent, failure)) {
    if (isHeadless()) return true;
    // Without a window only a script can play the run; with neither it would run unseen and never end.
    if (!isScriptRunning()) {
      std::fprintf(stderr, "GlimmerHut: %s; GLIMMERHUT_HEADLESS=1 with a GLIMMERHUT_SCRIPT runs unseen\n",
                   failure.c_str());
      return false;
    }
    std::fprintf(stderr, "GlimmerHut: %s, running headless\n", failure.c_str());
    setHeadless(true);
    return true;
  }
  desktopPresenter = screen.addPresenter([](const DeviceScreen&) { showScreenOnDesktop(false); });
  return true;
}

void closeDesktop() {
  if (desktopPresenter != 0) deviceScreen().removePresenter(desktopPresenter);
  desktopPresenter = 0;
  closeDesktopWindow();
}

}  // namespace platform
