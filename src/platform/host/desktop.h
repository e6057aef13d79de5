// The desktop window that shows the emulated device's screen, and the host input it turns into device input.
#pragma once

#include <chrono>
#include <string>

namespace platform {

// Headless: no desktop window, no dialogs. On by GLIMMERHUT_HEADLESS=1, or when no display can be opened.
bool isHeadless();
void setHeadless(bool headless);

// Opens the desktop window for the device's main window (hidden until shown); false when headless.
bool openDesktopWindow(const std::u16string& title);
void showDesktopWindow(bool visible);
void raiseDesktopWindow();
void closeDesktopWindow();
bool hasDesktopWindow();
// Whole factor the device screen is shown at.
int desktopScale();

// Moves pending desktop events into the message queue; waits up to timeoutMs for the first one.
void pumpDesktop(int timeoutMs);
// The same, waiting until the moment given at the latest.
void pumpDesktopUntil(std::chrono::steady_clock::time_point until);

// A modal error dialog over the desktop window; false when there is no display.
bool showDesktopError(const std::string& caption, const std::string& text);

// Desktop keys as device keys: 0 for a key the device does not have.
unsigned deviceKeyForDesktopKey(int sdlKeycode);

}  // namespace platform
