// Inside the window stand-in: how desktop input and scripted input reach the program's window.
#pragma once

#include <string>

#include "platform/api/window.h"

namespace platform {

// The program's top-level window: the first one created; input and activation go to it.
HWND mainWindow();

// Input addressed to the main window, queued as the messages the handheld would send.
void postKey(UINT virtualKey, bool down, bool repeat);
// x and y in device pixels; they may lie outside the screen while the pen is dragged. Dropped on a device
// without a touch screen.
void postPen(UINT message, int x, int y, bool penDown);
// The main window gains (true) or loses the foreground; nothing happens when it already is so.
void setForeground(bool active);
bool isForeground();
void postClose();
// Drops what is queued for a window that goes away; its handle may name a new window later.
void discardMessages(HWND window);

// The desktop window of the main window (api/desktopwindow.cpp): opened with it (unless headless) and
// closed with it; it shows each new picture of the device screen, and again = true shows the last one
// once more. Without a display a scripted run goes on headless; false, with the reason on stderr, when
// nothing could show or play the run.
bool openDesktop(const std::u16string& title);
void closeDesktop();
void showScreenOnDesktop(bool again);

// Marks the main window as needing a paint, as when the desktop shows it.
void exposeMainWindow();
// True once after the main window was first shown: the desktop then asks it for a paint.
bool takeExposePending();
// A visible window of this process that waits for a paint, or null.
HWND windowNeedingPaint();
// The procedure of one of this process's windows, or null.
WNDPROC windowProc(HWND window);

}  // namespace platform
