// The shell library's calls, and the table through which GetProcAddressW finds the libraries' entry points.
#include "platform/api/shell.h"

#include "platform/api/gx.h"
#include "platform/api/sms.h"
#include "platform/host/browser.h"
#include "platform/host/text.h"

namespace {

// Main thread only.
DWORD lastFullScreen = 0;
int lastImeMode = 0;
std::function<bool(const std::u16string&)> browserObserver;

BOOL fullScreen(HWND, DWORD state) {
  lastFullScreen = state;  // the desktop window has no task bar to hide: the request is only noted
  return TRUE;
}

HRESULT setImeMode(HWND, int mode) {
  lastImeMode = mode;
  return S_OK;
}

struct Export {
  std::u16string_view library;
  std::u16string_view name;
  FARPROC entry;
};

const Export kExports[] = {
    {u"aygshell.dll", u"SHFullScreen", reinterpret_cast<FARPROC>(fullScreen)},
    {u"aygshell.dll", u"SHSetImeMode", reinterpret_cast<FARPROC>(setImeMode)},
};

}  // namespace

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (info == nullptr || info->lpFile == nullptr) return FALSE;
  std::u16string file(info->lpFile);
  if (browserObserver) return browserObserver(file) ? TRUE : FALSE;
  return platform::startBrowser(platform::toUtf8(file)) ? TRUE : FALSE;
}

namespace platform {

DWORD fullScreenState() { return lastFullScreen; }
int imeMode() { return lastImeMode; }

void setBrowserObserver(std::function<bool(const std::u16string&)> observer) { browserObserver = std::move(observer); }

FARPROC libraryExport(std::u16string_view library, std::u16string_view name) {
  for (const Export& e : kExports) {
    if (e.library == library && e.name == name) return e.entry;
  }
  if (FARPROC entry = smsExport(library, name)) return entry;
  return video::libraryExport(library, name);
}

}  // namespace platform
