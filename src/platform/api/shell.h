// The handheld's shell calls: full screen, input-method mode, and opening an address in the browser.
#pragma once

#include <functional>
#include <string>

#include "platform/api/window.h"

inline constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

inline constexpr int SHIME_MODE_SPELL = 1;
inline constexpr int SHIME_MODE_NUMBERS = 7;

// Reached through LoadLibraryW(u"aygshell.dll") and GetProcAddressW, as the program finds them.
using SHFullScreenProc = BOOL (*)(HWND window, DWORD state);
using SHSetImeModeProc = HRESULT (*)(HWND window, int mode);

struct SHELLEXECUTEINFOW {
  DWORD cbSize;
  DWORD fMask;
  HWND hwnd;
  LPCWSTR lpVerb;
  LPCWSTR lpFile;
  LPCWSTR lpParameters;
  LPCWSTR lpDirectory;
  int nShow;
  HINSTANCE hInstApp;
};

// Opens the file or address with the desktop's default handler (the command in GLIMMERHUT_BROWSER, else
// xdg-open); FALSE when it could not be started.
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);

namespace platform {

// What the shell was last asked; tests read it.
DWORD fullScreenState();
int imeMode();
// Replaces starting the browser: the observer sees each address and answers whether it "started".
void setBrowserObserver(std::function<bool(const std::u16string&)> observer);

// Entry points of the device's libraries by name; null when the library has no such entry.
FARPROC libraryExport(std::u16string_view library, std::u16string_view name);

}  // namespace platform
