// Display settings of the emulated screen, which has one fixed orientation.
#include "platform/api/settings.h"

LONG ChangeDisplaySettingsEx(LPCWSTR, DEVMODEW* mode, HWND, DWORD flags, LPVOID) {
  if (mode == nullptr || mode->dmSize < sizeof(DEVMODEW)) return DISP_CHANGE_BADPARAM;
  if (flags & ~(CDS_TEST | CDS_RESET)) return DISP_CHANGE_BADFLAGS;
  if ((mode->dmFields & DM_DISPLAYORIENTATION) == 0) return DISP_CHANGE_FAILED;
  if (flags & CDS_TEST) {
    mode->dmDisplayOrientation = DMDO_0;
    return DISP_CHANGE_SUCCESSFUL;
  }
  return mode->dmDisplayOrientation == DMDO_0 ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}
