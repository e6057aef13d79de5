// Closing handles and the last error, over the table of kernel objects.
#include "platform/api/handle.h"

#include "platform/host/handles.h"

BOOL CloseHandle(HANDLE handle) {
  if (platform::destroyKernelObject(handle)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

DWORD GetLastError() { return platform::lastError(); }

void SetLastError(DWORD error) { platform::setLastError(error); }
