// Libraries of the emulated device: a name loads only when the device carries that library.
#pragma once

#include "platform/api/wintypes.h"

HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
