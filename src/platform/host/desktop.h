// The desktop window that shows the emulated device's screen, and the desktop input it turns into the
// device's keys, pen and activation. The window may be resized and put full screen (F11 or the desktop's
// own request); the picture follows it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/types.h"

namespace platform {

// Headless: no desktop window, no dialogs. On by GLIMMERHUT_HEADLESS=1, or when no display can be opened for
// a run that a script plays.
bool isHeadless();
void setHeadless(bool headless);

// What happens at the desktop window, in the device's terms.
struct DesktopEvent {
  enum class Kind { Close, Activate, Deactivate, KeyDown, KeyUp, KeyRepeat, PenDown, PenMove, PenUp, Exposed };
  Kind kind = Kind::Close;
  unsigned key = 0;  // a device key
  int x = 0;         // the pen, in device pixels; outside the screen while it is dragged past the edge
  int y = 0;
  bool penDown = false;  // for PenMove
};
using DesktopListener = std::function<void(const DesktopEvent&)>;

// Opens the desktop window for a device screen of the given size (hidden until shown); false when
// headless, or with the reason in failure when no window can be opened. The listener hears of the window's
// events while its pump runs.
bool openDesktopWindow(const std::u16string& title, int screenWidth, int screenHeight, const Picture& icon,
                       DesktopListener listener, std::string& failure);
void showDesktopWindow(bool visible);
void raiseDesktopWindow();
void closeDesktopWindow();
bool hasDesktopWindow();

// Where the device's picture sits in the desktop window, in the window's pixels.
struct PictureArea {
  int x = 0, y = 0, width = 0, height = 0;
};
// The largest picture of a screen of the given size that fits the window with the screen's aspect kept,
// centred; the rest of the window is black.
PictureArea fitPicture(int windowWidth, int windowHeight, int screenWidth, int screenHeight);
// A point of the window as the point of the device screen that the picture in the area shows there;
// beyond the picture's edges it lies outside the screen.
void toDevicePoint(const PictureArea& area, int screenWidth, int screenHeight, int& x, int& y);
// Where the picture sits in the open window now.
PictureArea desktopPictureArea();

// Shows a frame of the device screen (0x00RRGGBB, row after row). A frame whose picture number is the
// one the window shows is not drawn again, unless asked to be.
void showDesktopFrame(const uint32_t* pixels, int width, int height, uint64_t picture, bool again);

// Hands pending desktop events to the listener, waiting for the first one until the moment given at the
// latest. A look that may not wait is made only every few milliseconds.
void pumpDesktopUntil(std::chrono::steady_clock::time_point until);

// A modal error dialog over the desktop window; false when there is no display.
bool showDesktopError(const std::string& caption, const std::string& text);

// Desktop keys as device keys: 0 for a key the device does not have.
unsigned deviceKeyForDesktopKey(int sdlKeycode);

}  // namespace platform
