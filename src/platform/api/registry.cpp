// Registry keys of the emulated device. HKEY_LOCAL_MACHINE is built from the device configuration;
// HKEY_CURRENT_USER is handed to the user hive's database.
#include "platform/api/registry.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/device/device.h"
#include "platform/host/userhive.h"

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
  return touch == path ||
         (touch.size() > path.size() && touch.compare(0, path.size(), path) == 0 && touch[path.size()] == u'\\');
}

LONG copyValue(const void* bytes, DWORD size, DWORD kind, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (type) *type = kind;
  if (dataSize == nullptr) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  DWORD room = *dataSize;
  *dataSize = size;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < size) return ERROR_MORE_DATA;
  if (size > 0) std::memcpy(data, bytes, size);
  return ERROR_SUCCESS;
}

// The root and full path named by a key handle and a sub-key; false for a bad handle.
bool resolve(HKEY key, LPCWSTR subKey, HKEY& root, std::u16string& path) {
  root = key;
  path = normalise(subKey);
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return true;
  if (key == nullptr) return false;
  root = key->root;
  path = key->path.empty() ? path : path.empty() ? key->path : key->path + u"\\" + path;
  return true;
}

// A user-hive key handle, or null for the device's keys and bad handles.
const std::u16string* userPath(HKEY key) {
  static const std::u16string root;
  if (key == HKEY_CURRENT_USER) return &root;
  if (key == nullptr || key == HKEY_LOCAL_MACHINE || key->root != HKEY_CURRENT_USER) return nullptr;
  return &key->path;
}

// Empty components (two separators in a row) and over-long names cannot be stored.
bool validPath(const std::u16string& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = std::min(path.find(u'\\', start), path.size());
    if ((end == start && !path.empty()) || end - start > kRegistryMaxNameLength) return false;
    start = end + 1;
  }
  return true;
}

std::u16string valueName(LPCWSTR name) { return name ? std::u16string(name) : std::u16string(); }

}  // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  HKEY root;
  std::u16string path;
  if (!resolve(key, subKey, root, path)) return ERROR_INVALID_HANDLE;
  if (root == HKEY_CURRENT_USER) {
    if (!validPath(path)) return ERROR_INVALID_PARAMETER;
    if (LONG error = platform::userhive::openKey(path); error != ERROR_SUCCESS) return error;
  } else if (root != HKEY_LOCAL_MACHINE || !machineKeyExists(path)) {
    return ERROR_FILE_NOT_FOUND;
  }
  *result = new HKEY__{root, path};
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM desired, SECURITY_ATTRIBUTES*, PHKEY result,
                     DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  HKEY root;
  std::u16string path;
  if (!resolve(key, subKey, root, path)) return ERROR_INVALID_HANDLE;
  if (root != HKEY_CURRENT_USER) {
    // The device's keys are read-only: an existing one opens, nothing new is made.
    LONG error = RegOpenKeyExW(key, subKey, 0, desired, result);
    if (error == ERROR_SUCCESS && disposition) *disposition = REG_OPENED_EXISTING_KEY;
    return error == ERROR_SUCCESS ? error : ERROR_ACCESS_DENIED;
  }
  if (!validPath(path)) return ERROR_INVALID_PARAMETER;
  bool created = false;
  if (LONG error = platform::userhive::createKey(path, created); error != ERROR_SUCCESS) return error;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = new HKEY__{root, path};
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (key == nullptr || key == HKEY_LOCAL_MACHINE) return ERROR_INVALID_HANDLE;
  if (const std::u16string* path = userPath(key)) {
    platform::userhive::Value value;
    if (LONG error = platform::userhive::queryValue(*path, ::valueName(valueName), value); error != ERROR_SUCCESS) {
      return error;
    }
    return copyValue(value.data.data(), static_cast<DWORD>(value.data.size()), value.type, type, data, dataSize);
  }
  if (key->root == HKEY_LOCAL_MACHINE && key->path == kTouchKey && valueName && normalise(valueName) == u"drivername") {
    const std::u16string& driver = platform::device().touchDriver;
    auto size = static_cast<DWORD>((driver.size() + 1) * sizeof(char16_t));
    return copyValue(driver.c_str(), size, REG_SZ, type, data, dataSize);
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  const std::u16string* path = userPath(key);
  if (path == nullptr) return key == nullptr ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED;
  const std::u16string name = ::valueName(valueName);
  if (name.size() > kRegistryMaxNameLength || (data == nullptr && dataSize > 0)) return ERROR_INVALID_PARAMETER;
  return platform::userhive::setValue(*path, name, type, data, dataSize);
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, DWORD* nameLength, DWORD*, DWORD* type, BYTE* data,
                   DWORD* dataSize) {
  if (valueName == nullptr || nameLength == nullptr) return ERROR_INVALID_PARAMETER;
  const std::u16string* path = userPath(key);
  if (path == nullptr) return key == nullptr ? ERROR_INVALID_HANDLE : ERROR_NO_MORE_ITEMS;
  platform::userhive::Value value;
  if (LONG error = platform::userhive::enumValue(*path, index, value); error != ERROR_SUCCESS) return error;
  if (*nameLength <= value.name.size()) return ERROR_MORE_DATA;
  std::copy(value.name.begin(), value.name.end(), valueName);
  valueName[value.name.size()] = 0;
  *nameLength = static_cast<DWORD>(value.name.size());
  return copyValue(value.data.data(), static_cast<DWORD>(value.data.size()), value.type, type, data, dataSize);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, DWORD* classLength, DWORD*, DWORD* subKeys, DWORD* maxSubKeyLength,
                      DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength, DWORD* maxValueLength,
                      DWORD* securityDescriptorSize, FILETIME*) {
  const std::u16string* path = userPath(key);
  if (path == nullptr) return key == nullptr ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED;
  platform::userhive::KeyInfo info;
  const bool lengths = maxSubKeyLength != nullptr || maxValueNameLength != nullptr || maxValueLength != nullptr;
  if (LONG error = platform::userhive::queryInfo(*path, info, lengths); error != ERROR_SUCCESS) return error;
  if (keyClass && classLength && *classLength > 0) keyClass[0] = 0;
  if (classLength) *classLength = 0;
  if (subKeys) *subKeys = info.subKeys;
  if (maxSubKeyLength) *maxSubKeyLength = info.maxSubKeyLength;
  if (maxClassLength) *maxClassLength = 0;
  if (values) *values = info.values;
  if (maxValueNameLength) *maxValueNameLength = info.maxValueNameLength;
  if (maxValueLength) *maxValueLength = info.maxValueLength;
  if (securityDescriptorSize) *securityDescriptorSize = 0;
  return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  const std::u16string* path = userPath(key);
  if (path == nullptr) return key == nullptr ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED;
  return platform::userhive::deleteValue(*path, ::valueName(valueName));
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  HKEY root;
  std::u16string path;
  if (!resolve(key, subKey, root, path)) return ERROR_INVALID_HANDLE;
  if (root != HKEY_CURRENT_USER) return ERROR_ACCESS_DENIED;
  if (subKey == nullptr || normalise(subKey).empty()) return ERROR_INVALID_PARAMETER;
  return platform::userhive::deleteKey(path);
}

LONG RegCloseKey(HKEY key) {
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  delete key;
  return ERROR_SUCCESS;
}

namespace platform {

void closeUserHive() { userhive::close(); }

LONG largestValueNumber(HKEY key, int64_t& largest) {
  largest = 0;
  const std::u16string* path = userPath(key);
  if (path == nullptr) return key == nullptr ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED;
  return userhive::largestValueNumber(*path, largest);
}

}  // namespace platform
