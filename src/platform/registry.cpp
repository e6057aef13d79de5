// Registry keys of the emulated device. HKEY_LOCAL_MACHINE is built from the device configuration.
#include "platform/registry.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/device.h"

struct HKEY__ {
  HKEY root;
  std::u16string path;  // lower case, "\" separated, no leading or trailing separator
};

namespace {

constexpr char16_t kTouchKey[] = u"hardware\\devicemap\\touch";

std::u16string normalise(LPCWSTR subKey) {
  std::u16string path = subKey ? subKey : u"";
  for (char16_t& c : path) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  while (!path.empty() && path.front() == u'\\') path.erase(path.begin());
  while (!path.empty() && path.back() == u'\\') path.pop_back();
  return path;
}

bool machineKeyExists(const std::u16string& path) {
  if (path.empty()) return true;
  std::u16string touch = kTouchKey;
  if (platform::device().touchDriver.empty()) return false;
  // Every ancestor of the touch key exists too.
  return touch == path || (touch.size() > path.size() && touch.compare(0, path.size(), path) == 0 &&
                           touch[path.size()] == u'\\');
}

LONG copyValue(const void* bytes, DWORD size, DWORD kind, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (type) *type = kind;
  if (dataSize == nullptr) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  DWORD room = *dataSize;
  *dataSize = size;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < size) return ERROR_MORE_DATA;
  std::memcpy(data, bytes, size);
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  HKEY root = key;
  std::u16string path = normalise(subKey);
  if (key != HKEY_LOCAL_MACHINE && key != HKEY_CURRENT_USER) {
    if (key == nullptr) return ERROR_INVALID_HANDLE;
    root = key->root;
    path = key->path.empty() ? path : path.empty() ? key->path : key->path + u"\\" + path;
  }
  if (root != HKEY_LOCAL_MACHINE || !machineKeyExists(path)) return ERROR_FILE_NOT_FOUND;
  *result = new HKEY__{root, path};
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (key == nullptr || key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  if (key->root == HKEY_LOCAL_MACHINE && key->path == kTouchKey && valueName &&
      normalise(valueName) == u"drivername") {
    const std::u16string& driver = platform::device().touchDriver;
    auto size = static_cast<DWORD>((driver.size() + 1) * sizeof(char16_t));
    return copyValue(driver.c_str(), size, REG_SZ, type, data, dataSize);
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegCloseKey(HKEY key) {
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  delete key;
  return ERROR_SUCCESS;
}
