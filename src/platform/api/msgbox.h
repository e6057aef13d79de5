// Message boxes: a dialog over the desktop when there is a display, and always the text on stderr.
#pragma once

#include "platform/api/window.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONSTOP = MB_ICONERROR;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
