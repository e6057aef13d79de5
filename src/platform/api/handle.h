// The handheld's calls on kernel handles of any kind.
#pragma once

#include "platform/types.h"

// The object behind the handle is destroyed; FALSE with ERROR_INVALID_HANDLE for an unknown handle.
BOOL CloseHandle(HANDLE handle);

// The error of the last failed call on this thread.
DWORD GetLastError();
void SetLastError(DWORD error);
