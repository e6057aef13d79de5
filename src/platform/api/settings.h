// Display settings: the screen's rotation as the handheld reports and changes it.
#pragma once

#include "platform/api/window.h"

inline constexpr DWORD DM_DISPLAYORIENTATION = 0x00800000;
inline constexpr DWORD DM_DISPLAYQUERYORIENTATION = 0x01000000;
inline constexpr DWORD DMDO_0 = 0;
inline constexpr DWORD DMDO_90 = 1;
inline constexpr DWORD DMDO_180 = 2;
inline constexpr DWORD DMDO_270 = 4;
inline constexpr DWORD CDS_TEST = 0x00000002;
inline constexpr DWORD CDS_RESET = 0x40000000;
inline constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
inline constexpr LONG DISP_CHANGE_FAILED = -1;
inline constexpr LONG DISP_CHANGE_BADMODE = -2;
inline constexpr LONG DISP_CHANGE_BADFLAGS = -4;
inline constexpr LONG DISP_CHANGE_BADPARAM = -5;

// The handheld's display-mode record; only the size, field mask and orientation are looked at.
struct DEVMODEW {
  WCHAR dmDeviceName[32];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  BYTE dmOther[108];
  DWORD dmDisplayOrientation;
  DWORD dmDisplayQueryOrientation;
};
static_assert(sizeof(DEVMODEW) == 192);

// The emulated screen never turns: a test of the orientation answers DMDO_0, setting DMDO_0 succeeds, any
// other orientation is refused.
LONG ChangeDisplaySettingsEx(LPCWSTR deviceName, DEVMODEW* mode, HWND window, DWORD flags, LPVOID param);
