// The emulated handheld's system version.
#include "platform/api/version.h"

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (info == nullptr || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW)) return FALSE;
  *info = {sizeof(OSVERSIONINFOW), 5, 2, 1235, VER_PLATFORM_WIN32_CE, {}};
  return TRUE;
}
