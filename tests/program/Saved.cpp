#include "program/Saved.h"

#include <filesystem>

#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "support/TempFolder.h"

namespace saved {

std::string firstRecord(const std::string& registryFile, const char16_t* store) {
  test::TempFolder copy;
  std::filesystem::copy_file(registryFile, copy.file("registry.db"));
  platform::setDataFolder(copy.path());
  std::string record;
  std::u16string path = u"Software\\Vandelorn\\glimmerhut\\";
  path += store;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, 0, &key) == ERROR_SUCCESS) {
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

}  // namespace saved
