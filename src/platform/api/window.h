// Windows, window classes, the message queue and the loop calls of the handheld, over the desktop window.
#pragma once

#include "platform/api/sync.h"
#include "platform/types.h"

using HWND = struct HWND__*;
using HMENU = struct HMENU__*;
using HICON = struct HICON__*;
using HCURSOR = struct HCURSOR__*;
using HBRUSH = struct HBRUSH__*;
using ATOM = WORD;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

// The device context is the drawing layer's; a paint only hands one over.
struct HDC__;
struct PAINTSTRUCT {
  HDC__* hdc;
  BOOL fErase;
  RECT rcPaint;
};

inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;

inline constexpr WORD WA_INACTIVE = 0;
inline constexpr WORD WA_ACTIVE = 1;
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WORD IDOK = 1;

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr DWORD QS_ALLINPUT = 0x04FF;
inline constexpr int GWL_WNDPROC = -4;
inline constexpr int GWL_USERDATA = -21;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) { return static_cast<LPARAM>((DWORD{high} << 16) | low); }
// Pen coordinates are signed 16-bit values: a drag past the left or top edge is negative.
constexpr int GET_X_LPARAM(LPARAM v) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(v))); }
constexpr int GET_Y_LPARAM(LPARAM v) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(v))); }

// Window classes and windows.
ATOM RegisterClassW(const WNDCLASSW* windowClass);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
// Null for the first top-level window when another instance holds it, or when no display can show it and no
// script plays the run (stderr says why).
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL GetClientRect(HWND window, RECT* rect);
// Finds a top-level window by class and title (either may be null), in this process or, for the program's
// own window, in another instance started by the same user on the same data folder.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
// The lowest bit of the handle may be set (bring the owned windows forward too); it is ignored.
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int GetSystemMetrics(int index);

// Painting: the device context comes from the drawing layer (GetDC of the window).
HDC__* BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

// The message queue of the (one) thread that runs windows.
BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for a message; FALSE for WM_QUIT, -1 on failure.
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
// Waits until a message can be taken (WAIT_OBJECT_0 + count) or the time is up (WAIT_TIMEOUT), without
// taking it. The loop waits on messages alone: any handle gives WAIT_FAILED. On a stepped script clock the
// wait moves the clock instead of sleeping, in whole steps, so that the next poll lands on the first step
// at or after the wait's end or the script's next event, just where the polls of a loop that never waited
// would have met them.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wakeMask);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
