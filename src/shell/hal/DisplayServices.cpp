// Entries of the system libraries, looked up on first use and kept for the life of the program.
#include "shell/hal/DisplayServices.h"

#include "platform/api/module.h"
#include "platform/api/shell.h"
#include "shell/hal/DeviceProbe.h"

namespace ScreenHAL {

namespace {

using AllKeysProc = BOOL (*)(BOOL);
using SetKModeProc = BOOL (*)(BOOL);
using ChangeDisplaySettingsProc = LONG (*)(LPCWSTR, DEVMODEW*, HWND, DWORD, LPVOID);

constexpr DWORD kShowTaskBar = 1;
constexpr DWORD kHideTaskBar = 2;
constexpr DWORD kSupportedFlags = CDS_TEST | CDS_RESET;
constexpr WORD kModeSize = sizeof(DEVMODEW);

// Main thread only.
bool looked = false;
AllKeysProc allKeysEntry = nullptr;
ChangeDisplaySettingsProc changeSettingsEntry = nullptr;
SHFullScreenProc fullScreenEntry = nullptr;
SetKModeProc kernelModeEntry = nullptr;
BOOL allKeysValue = FALSE;
int32_t cachedRotation = -1;

// Answers like the handheld without a library entry: stores the value, returns the previous one.
BOOL allKeysStandIn(BOOL all) {
  BOOL previous = allKeysValue;
  allKeysValue = all;
  return previous;
}

// Answers as a device without rotation.
LONG changeSettingsStandIn(LPCWSTR, DEVMODEW* mode, HWND, DWORD flags, LPVOID) {
  if (mode == nullptr || mode->dmSize < kModeSize) return DISP_CHANGE_BADPARAM;
  if (flags & ~kSupportedFlags) return DISP_CHANGE_BADFLAGS;
  if (mode->dmFields & DM_DISPLAYORIENTATION) {
    if (flags & CDS_TEST) {
      mode->dmDisplayOrientation = DMDO_0;
      return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmDisplayOrientation == DMDO_0) return DISP_CHANGE_SUCCESSFUL;
  }
  return DISP_CHANGE_FAILED;
}

// Devices whose screen is mounted a quarter turn round: a set orientation turns one step on, and a tested
// orientation turns one step back, so callers see the screen as they hold it.
ChangeDisplaySettingsProc unturnedEntry = nullptr;

bool screenMountedTurned() {
  switch (oemCode()) {
    case kOemMotoQ:
    case kOemI320:
    case kOemI600:
    case kOemM530:
    case kOemTechFaith:
      return true;
    default:
      return false;
  }
}

DWORD turned(DWORD orientation, int32_t steps) {
  static constexpr DWORD kOrder[4] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};
  for (int32_t i = 0; i < 4; ++i) {
    if (kOrder[i] == orientation) return kOrder[(i + steps) & 3];
  }
  return orientation;
}

LONG changeSettingsTurned(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID param) {
  bool orientation = mode != nullptr && (mode->dmFields & DM_DISPLAYORIENTATION) != 0;
  if (orientation && (flags & CDS_TEST) == 0) mode->dmDisplayOrientation = turned(mode->dmDisplayOrientation, 1);
  LONG result = unturnedEntry(device, mode, window, flags, param);
  if (orientation && (flags & CDS_TEST) != 0) mode->dmDisplayOrientation = turned(mode->dmDisplayOrientation, 3);
  return result;
}

void lookUp() {
  if (looked) return;
  looked = true;
  if (HMODULE core = LoadLibraryW(u"coredll.dll")) {
    allKeysEntry = reinterpret_cast<AllKeysProc>(GetProcAddressW(core, u"AllKeys"));
    changeSettingsEntry =
        reinterpret_cast<ChangeDisplaySettingsProc>(GetProcAddressW(core, u"ChangeDisplaySettingsEx"));
    kernelModeEntry = reinterpret_cast<SetKModeProc>(GetProcAddressW(core, u"SetKMode"));
  }
  if (HMODULE shell = LoadLibraryW(u"aygshell.dll")) {
    fullScreenEntry = reinterpret_cast<SHFullScreenProc>(GetProcAddressW(shell, u"SHFullScreen"));
  }
  if (allKeysEntry == nullptr) allKeysEntry = allKeysStandIn;
  if (changeSettingsEntry == nullptr) changeSettingsEntry = changeSettingsStandIn;
  if (screenMountedTurned()) {
    unturnedEntry = changeSettingsEntry;
    changeSettingsEntry = changeSettingsTurned;
  }
}

}  // namespace

BOOL allKeys(BOOL all) {
  lookUp();
  return allKeysEntry(all);
}

LONG changeDisplaySettings(DEVMODEW* mode, DWORD flags) {
  lookUp();
  return changeSettingsEntry(nullptr, mode, nullptr, flags, nullptr);
}

BOOL setKernelMode(BOOL on) {
  lookUp();
  return kernelModeEntry != nullptr ? kernelModeEntry(on) : FALSE;
}

BOOL fullScreen(HWND window, DWORD state) {
  lookUp();
  if (fullScreenEntry != nullptr) return fullScreenEntry(window, state);
  if (HWND taskBar = FindWindowW(u"HHTaskBar", nullptr)) {
    if (state & kShowTaskBar) ShowWindow(taskBar, SW_SHOW);
    if (state & kHideTaskBar) ShowWindow(taskBar, SW_HIDE);
  }
  return TRUE;
}

int32_t screenRotation() {
  if (cachedRotation >= 0) return cachedRotation;
  DEVMODEW mode{};
  mode.dmSize = kModeSize;
  mode.dmFields = DM_DISPLAYORIENTATION;
  cachedRotation = 0;
  if (changeDisplaySettings(&mode, CDS_TEST) == DISP_CHANGE_SUCCESSFUL) {
    switch (mode.dmDisplayOrientation) {
      case DMDO_90:
        cachedRotation = 1;
        break;
      case DMDO_180:
        cachedRotation = 2;
        break;
      case DMDO_270:
        cachedRotation = 3;
        break;
      default:
        cachedRotation = 0;
        break;
    }
  }
  return cachedRotation;
}

void forgetScreenRotation() { cachedRotation = -1; }

bool setScreenRotation(int32_t quarterTurns) {
  static constexpr DWORD kOrientations[4] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};
  DEVMODEW mode{};
  mode.dmSize = kModeSize;
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = kOrientations[quarterTurns & 3];
  forgetScreenRotation();
  return changeDisplaySettings(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}

void resetDisplayServices() {
  looked = false;
  allKeysEntry = nullptr;
  changeSettingsEntry = nullptr;
  unturnedEntry = nullptr;
  fullScreenEntry = nullptr;
  kernelModeEntry = nullptr;
  allKeysValue = FALSE;
  cachedRotation = -1;
}

}  // namespace ScreenHAL
