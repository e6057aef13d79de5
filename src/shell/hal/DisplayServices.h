// The system entries the display layer looks up by name, each with the stand-in the program uses when
// the device lacks it, and the screen rotation as the display settings report it.
#pragma once

#include <cstdint>

#include "platform/api/settings.h"
#include "platform/api/window.h"

namespace ScreenHAL {

// "AllKeys" of "coredll.dll": whether the program receives every hardware key. Returns the previous value.
BOOL allKeys(BOOL all);
// "ChangeDisplaySettingsEx" of "coredll.dll".
LONG changeDisplaySettings(DEVMODEW* mode, DWORD flags);
// "SHFullScreen" of "aygshell.dll"; without it the task bar window is shown or hidden. Always TRUE.
BOOL fullScreen(HWND window, DWORD state);

// "SetKMode" of "coredll.dll": returns the previous mode; without the entry nothing changes (FALSE).
BOOL setKernelMode(BOOL on);

// The screen's rotation, 0 to 3 quarter turns, read once and kept until forgetScreenRotation.
int32_t screenRotation();
void forgetScreenRotation();
// Asks for a rotation; false when the screen refuses it.
bool setScreenRotation(int32_t quarterTurns);

// Forgets every entry looked up, so the next call looks again (tests change the device).
void resetDisplayServices();

}  // namespace ScreenHAL
