#include "program/Saved.h"

#include <filesystem>

#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "support/TempFolder.h"

namespace saved {

namespace {

std::u16string storeKey(const char16_t* store) { return u"Software\\Vandelorn\\glimmerhut\\" + std::u16string(store); }

}  // namespace

std::string firstRecord(const std::string& registryFile, const char16_t* store) {
  test::TempFolder copy;
  std::filesystem::copy_file(registryFile, copy.file("registry.db"));
  platform::setDataFolder(copy.path());
  std::string record;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, storeKey(store).c_str(), 0, 0, &key) == ERROR_SUCCESS) {
    BYTE data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExW(key, u"1", nullptr, nullptr, data, &size) == ERROR_SUCCESS)
      record.assign(reinterpret_cast<const char*>(data), size);
    RegCloseKey(key);
  }
  platform::closeUserHive();
  platform::setDataFolder("");
  return record;
}

void writeFirstRecord(const std::string& registryFile, const char16_t* store, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(registryFile).parent_path());
  platform::setDataFolder(std::filesystem::path(registryFile).parent_path().string());
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, storeKey(store).c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExW(key, u"1", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }
  platform::closeUserHive();
  platform::setDataFolder("");
}

}  // namespace saved
