// The program's own resources, compiled in: its strings, the splash picture, its icon and its cursor.
#pragma once

#include "platform/api/window.h"
#include "platform/types.h"

inline constexpr UINT IDS_TITLE = 101;
inline constexpr UINT IDS_WINDOW_CLASS = 102;
inline constexpr UINT IDB_SPLASH = 101;
inline constexpr UINT IDI_PROGRAM = 103;
inline constexpr UINT IDC_PROGRAM = 104;

inline LPCWSTR MAKEINTRESOURCEW(UINT id) { return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(id)); }

// Copies the string into the buffer, cut to fit and terminated; the number of characters copied, 0 when
// there is no such string.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);

namespace platform {

// The pictures behind the bitmap and icon resources.
Picture splashPicture();
Picture programIcon();

// Copies the picture unscaled into the window at (x, y) in client coordinates, clipped, and shows it.
void paintPicture(HWND window, int x, int y, const Picture& picture);

}  // namespace platform
