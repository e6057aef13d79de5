// Library handles for the device's own libraries; a handle stays valid until its last FreeLibrary.
#include "platform/api/module.h"

#include <algorithm>
#include <list>
#include <mutex>
#include <string>

#include "platform/api/shell.h"
#include "platform/device/device.h"
#include "platform/host/paths.h"

struct HMODULE__ {
  std::u16string name;
  int loads = 0;
};

namespace {

std::mutex modulesLock;
std::list<HMODULE__> loaded;  // guarded by modulesLock; a list keeps handles stable

std::u16string lower(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return out;
}

// The handheld matches library names by their file part, ignoring case.
std::u16string baseName(LPCWSTR fileName) {
  std::u16string_view name(fileName);
  size_t slash = name.find_last_of(u"\\/");
  if (slash != std::u16string_view::npos) name.remove_prefix(slash + 1);
  return lower(name);
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR fileName) {
  if (fileName == nullptr) return nullptr;
  std::u16string name = baseName(fileName);
  bool carried = false;
  for (const std::u16string& lib : platform::device().libraries) carried = carried || lower(lib) == name;
  if (!carried) return nullptr;

  std::lock_guard lock(modulesLock);
  for (HMODULE__& m : loaded) {
    if (m.name == name && m.loads > 0) {
      ++m.loads;
      return &m;
    }
  }
  loaded.push_back({name, 1});
  return &loaded.back();
}

BOOL FreeLibrary(HMODULE module) {
  std::lock_guard lock(modulesLock);
  for (auto it = loaded.begin(); it != loaded.end(); ++it) {
    if (&*it == module) {
      if (--it->loads == 0) loaded.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName) {
  if (procName == nullptr) return nullptr;
  std::u16string library;
  {
    std::lock_guard lock(modulesLock);
    for (const HMODULE__& m : loaded) {
      if (&m == module) library = m.name;
    }
  }
  return library.empty() ? nullptr : platform::libraryExport(library, procName);
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR fileName, DWORD size) {
  if (fileName == nullptr || size == 0) return 0;
  std::u16string path = platform::toDevicePath(platform::programFile());
  // Like the handheld: a name that does not fit is cut and still terminated.
  DWORD n = std::min<DWORD>(static_cast<DWORD>(path.size()), size - 1);
  std::copy_n(path.begin(), n, fileName);
  fileName[n] = 0;
  return n;
}
