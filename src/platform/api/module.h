// Libraries of the emulated device (a name loads only when the device carries that library), and the
// program's own file.
#pragma once

#include "platform/types.h"

HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
// Full path of the program file in the handheld's form; module is ignored (the process itself).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
