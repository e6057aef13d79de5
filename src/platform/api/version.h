// The operating system's version as the emulated handheld reports it.
#pragma once

#include "platform/types.h"

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

inline constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

// Windows CE 5.2, the system of the Windows Mobile 6 handhelds.
BOOL GetVersionExW(OSVERSIONINFOW* info);
