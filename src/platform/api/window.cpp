// Window classes and windows: a table of the program's windows, one of which the desktop shows.
#include "platform/api/window.h"

#include <algorithm>
#include <list>
#include <string>
#include <utility>

#include "platform/api/gdi.h"
#include "platform/api/handle.h"
#include "platform/api/windowing.h"
#include "platform/device/device.h"
#include "platform/host/desktop.h"
#include "platform/host/instance.h"

struct HWND__ {
  std::u16string className;
  std::u16string title;
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  HBRUSH background = nullptr;
  int width = 0;
  int height = 0;
  bool topLevel = false;
  bool visible = false;
  bool needsPaint = false;
  int remoteProcess = 0;  // nonzero: the window of another running instance
};

namespace {

struct WindowClass {
  std::u16string name;
  WNDPROC proc;
  HBRUSH background;
};

// Windows live on the main thread only, like the handheld's message queue that serves them.
std::list<WindowClass> classes;
std::list<HWND__> windows;  // a list keeps handles stable
HWND mainHandle = nullptr;
bool foreground = false;
bool exposePending = false;

WindowClass* findClass(std::u16string_view name) {
  for (WindowClass& c : classes) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

HWND validWindow(HWND window) {
  // The handheld lets callers tag a handle's lowest bit; it never names another window.
  auto* plain = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window) & ~uintptr_t{1});
  for (HWND__& w : windows) {
    if (&w == plain) return plain;
  }
  return nullptr;
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr) return 0;
  if (findClass(windowClass->lpszClassName) != nullptr) return 0;
  classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hbrBackground});
  return static_cast<ATOM>(classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (className == nullptr) return FALSE;
  for (const HWND__& w : windows) {
    if (w.remoteProcess == 0 && w.className == className) return FALSE;  // still in use
  }
  auto it = std::find_if(classes.begin(), classes.end(), [&](const WindowClass& c) { return c.name == className; });
  if (it == classes.end()) return FALSE;
  classes.erase(it);
  return TRUE;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD style, int, int, int width, int height,
                     HWND parent, HMENU, HINSTANCE, LPVOID) {
  WindowClass* windowClass = className ? findClass(className) : nullptr;
  if (windowClass == nullptr) return nullptr;
  HWND__ w;
  w.className = windowClass->name;
  w.title = windowName ? windowName : u"";
  w.proc = windowClass->proc;
  w.background = windowClass->background;
  w.width = std::max(width, 0);
  w.height = std::max(height, 0);
  w.topLevel = parent == nullptr;

  bool becomesMain = w.topLevel && mainHandle == nullptr;
  if (becomesMain && !platform::publishWindow(w.className, w.title)) {
    // Another instance got there between our search and now: leave it in front, make nothing.
    platform::bringInstanceForward(platform::findPublishedWindow(w.className, w.title));
    return nullptr;
  }
  if (becomesMain && !platform::openDesktop(w.title)) {
    // A run nobody could see or play is no running instance.
    platform::unpublishWindow();
    SetLastError(ERROR_GEN_FAILURE);
    return nullptr;
  }
  windows.push_back(std::move(w));
  HWND window = &windows.back();
  if (becomesMain) mainHandle = window;
  window->proc(window, WM_CREATE, 0, 0);
  if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
  return window;
}

BOOL DestroyWindow(HWND window) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return FALSE;
  window->proc(window, WM_DESTROY, 0, 0);
  if (window == mainHandle) {
    platform::closeDesktop();
    platform::unpublishWindow();
    mainHandle = nullptr;
    foreground = false;
    exposePending = false;
  }
  platform::discardMessages(window);
  windows.remove_if([window](const HWND__& w) { return &w == window; });
  return TRUE;
}

BOOL IsWindow(HWND window) { return validWindow(window) != nullptr; }

BOOL ShowWindow(HWND window, int command) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return FALSE;
  bool wasVisible = window->visible;
  window->visible = command != SW_HIDE;
  if (window->visible && !wasVisible) {
    window->needsPaint = true;
    if (window == mainHandle) {
      platform::showDesktopWindow(true);
      platform::showScreenOnDesktop(true);
      foreground = true;
      // The desktop shows the window a moment later and asks for a paint then, like the handheld's shell.
      exposePending = true;
    }
  } else if (!window->visible && wasVisible && window == mainHandle) {
    platform::showDesktopWindow(false);
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return FALSE;
  if (window->visible && window->needsPaint) window->proc(window, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return FALSE;
  window->needsPaint = true;
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  window = validWindow(window);
  if (window == nullptr || rect == nullptr) return FALSE;
  *rect = {0, 0, window->width, window->height};
  return TRUE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  for (HWND__& w : windows) {
    if (w.remoteProcess != 0 || !w.topLevel) continue;
    if ((className == nullptr || w.className == className) && (windowName == nullptr || w.title == windowName))
      return &w;
  }
  if (className == nullptr || windowName == nullptr) return nullptr;
  int process = platform::findPublishedWindow(className, windowName);
  if (process == 0) return nullptr;
  for (HWND__& w : windows) {
    if (w.remoteProcess == process && w.className == className && w.title == windowName) return &w;
  }
  HWND__ remote;
  remote.className = className;
  remote.title = windowName;
  remote.topLevel = true;
  remote.visible = true;
  remote.remoteProcess = process;
  windows.push_back(std::move(remote));
  return &windows.back();
}

BOOL SetForegroundWindow(HWND window) {
  window = validWindow(window);
  if (window == nullptr) return FALSE;
  if (window->remoteProcess != 0) return platform::bringInstanceForward(window->remoteProcess) ? TRUE : FALSE;
  if (window != mainHandle) return FALSE;
  platform::raiseDesktopWindow();
  platform::setForeground(true);
  return TRUE;
}

HWND GetForegroundWindow() { return foreground ? mainHandle : nullptr; }

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return 0;
  if (index == GWL_WNDPROC) return reinterpret_cast<LONG_PTR>(window->proc);
  if (index == GWL_USERDATA) return window->userData;
  return 0;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  window = validWindow(window);
  if (window == nullptr || window->remoteProcess != 0) return 0;
  LONG_PTR old = GetWindowLongPtrW(window, index);
  if (index == GWL_WNDPROC && value != 0) window->proc = reinterpret_cast<WNDPROC>(value);
  if (index == GWL_USERDATA) window->userData = value;
  return old;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
  } else if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
  }
  return 0;
}

int GetSystemMetrics(int index) {
  if (index == SM_CXSCREEN) return platform::device().screenWidth;
  if (index == SM_CYSCREEN) return platform::device().screenHeight;
  return 0;
}

HDC__* BeginPaint(HWND window, PAINTSTRUCT* paint) {
  window = validWindow(window);
  if (window == nullptr || paint == nullptr) return nullptr;
  *paint = {};
  paint->rcPaint = {0, 0, window->width, window->height};
  paint->hdc = GetDC(window);
  if (window->needsPaint && window->background != nullptr) {
    FillRect(paint->hdc, &paint->rcPaint, window->background);
    paint->fErase = TRUE;
  }
  window->needsPaint = false;
  return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (validWindow(window) == nullptr || paint == nullptr) return FALSE;
  if (paint->hdc != nullptr) ReleaseDC(window, paint->hdc);
  return TRUE;
}

namespace platform {

HWND mainWindow() { return mainHandle; }

bool isForeground() { return foreground; }

void setForeground(bool active) {
  if (mainHandle == nullptr || active == foreground) return;
  foreground = active;
  PostMessageW(mainHandle, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void exposeMainWindow() {
  if (mainHandle != nullptr && mainHandle->visible) mainHandle->needsPaint = true;
}

bool takeExposePending() { return std::exchange(exposePending, false); }

HWND windowNeedingPaint() {
  for (HWND__& w : windows) {
    if (w.remoteProcess == 0 && w.visible && w.needsPaint) return &w;
  }
  return nullptr;
}

WNDPROC windowProc(HWND window) {
  window = validWindow(window);
  return window && window->remoteProcess == 0 ? window->proc : nullptr;
}

}  // namespace platform
