// The registry's user hive: keys, values, enumeration and persistence in the data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "platform/host/userhive.h"
#include "support/TempFolder.h"

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setDataFolder(folder.path()); }
  void TearDown() override {
    platform::closeUserHive();
    platform::setDataFolder("");
  }

  HKEY create(const char16_t* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, 0, nullptr, &key, disposition), ERROR_SUCCESS);
    return key;
  }

  static LONG set(HKEY key, const char16_t* name, const std::string& bytes) {
    return RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

  static std::string query(HKEY key, const char16_t* name) {
    BYTE data[256];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) return "<missing>";
    return std::string(reinterpret_cast<char*>(data), size);
  }

  // Names in enumeration order.
  static std::vector<std::u16string> names(HKEY key) {
    std::vector<std::u16string> out;
    for (DWORD i = 0;; ++i) {
      char16_t name[64];
      DWORD length = 64;
      if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      out.emplace_back(name, length);
    }
    return out;
  }

  test::TempFolder folder;
};

}  // namespace

TEST_F(RegistryTest, KeysAreCreatedOnceAndOpenIgnoringCase) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\scores", 0, 0, &key), ERROR_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  DWORD disposition = 0;
  HKEY created = create(u"Software\\Vandelorn\\App\\scores", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(created);
  RegCloseKey(create(u"software\\VANDELORN\\app\\Scores", &disposition));
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

  // The keys above were made on the way; a key opens relative to another.
  HKEY parent = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn", 0, 0, &parent), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(parent, u"app\\SCORES", 0, 0, &key), ERROR_SUCCESS);
  DWORD subKeys = 0, maxSubKey = 0;
  EXPECT_EQ(RegQueryInfoKeyW(parent, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 1u);
  EXPECT_EQ(maxSubKey, 3u);
  RegCloseKey(key);
  RegCloseKey(parent);

  // Empty components and over-long names cannot be stored.
  for (const std::u16string& bad : {std::u16string(u"a\\\\b"), std::u16string(256, u'x')}) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, bad.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
  }
  // The device's keys cannot be made.
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\New", 0, nullptr, 0, 0, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, ValuesAreWrittenReadAndEnumeratedInTheirFirstOrder) {
  HKEY key = create(u"Software\\Vandelorn\\App\\store");
  EXPECT_EQ(set(key, u"2", "two"), ERROR_SUCCESS);
  EXPECT_EQ(set(key, u"7", std::string("\0\1\2", 3)), ERROR_SUCCESS);
  EXPECT_EQ(set(key, u"empty", ""), ERROR_SUCCESS);
  EXPECT_EQ(set(key, u"2", "TWO!"), ERROR_SUCCESS);  // replaced in place

  EXPECT_EQ(query(key, u"2"), "TWO!");
  EXPECT_EQ(query(key, u"7"), std::string("\0\1\2", 3));
  EXPECT_EQ(query(key, u"EMPTY"), "");
  EXPECT_EQ(query(key, u"8"), "<missing>");
  EXPECT_EQ(names(key), (std::vector<std::u16string>{u"2", u"7", u"empty"}));

  DWORD values = 0, maxName = 0, maxData = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &maxName, &maxData,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(maxName, 5u);
  EXPECT_EQ(maxData, 4u);

  // Sizes first, then too small a buffer.
  DWORD size = 0, type = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"2", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(type, REG_BINARY);
  BYTE small[2];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key, u"2", nullptr, &type, small, &size), ERROR_MORE_DATA);
  char16_t name[2];
  DWORD length = 2;
  EXPECT_EQ(RegEnumValueW(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  length = 2;
  EXPECT_EQ(RegEnumValueW(key, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  EXPECT_EQ(RegDeleteValueW(key, u"7"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"7"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(names(key), (std::vector<std::u16string>{u"2", u"empty"}));
  EXPECT_EQ(set(HKEY_LOCAL_MACHINE, u"x", "y"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeletedKeysTakeEverythingBelowAndTheirHandlesSaySo) {
  HKEY store = create(u"Software\\A\\store");
  HKEY deeper = create(u"Software\\A\\store\\deeper");
  HKEY sibling = create(u"Software\\A\\storeroom");
  set(store, u"1", "x");
  set(sibling, u"1", "kept");
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\A\\store"), ERROR_SUCCESS);
  EXPECT_EQ(set(store, u"2", "y"), ERROR_KEY_DELETED);
  EXPECT_EQ(query(deeper, u"1"), "<missing>");
  EXPECT_EQ(query(sibling, u"1"), "kept");
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\A\\store\\deeper", 0, 0, &key), ERROR_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\A\\store"), ERROR_FILE_NOT_FOUND);
  for (HKEY k : {store, deeper, sibling}) RegCloseKey(k);
}

TEST_F(RegistryTest, TheHiveLivesInTheDataFolder) {
  HKEY key = create(u"Software\\Vandelorn\\App\\kept");
  set(key, u"1", "persisted");
  RegCloseKey(key);
  platform::closeUserHive();
  EXPECT_TRUE(std::ifstream(folder.file(platform::userhive::kDatabaseName)).good());

  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\kept", 0, 0, &key), ERROR_SUCCESS);
  EXPECT_EQ(query(key, u"1"), "persisted");
  RegCloseKey(key);

  // Another folder is another hive.
  test::TempFolder other;
  platform::setDataFolder(other.path());
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\kept", 0, 0, &key), ERROR_NOT_FOUND);
}

// Trouble with the settings file is told once on stderr with its path. A file that is not a database
// is kept aside with its bytes and a fresh hive takes its place; one that cannot be opened fails alone.
TEST_F(RegistryTest, AFileThatIsNoDatabaseIsKeptAsideAndAFreshOneMade) {
  const std::string hive = folder.file(platform::userhive::kDatabaseName);
  const std::string garbage(4096, '\x5a');
  std::ofstream(hive, std::ios::binary) << garbage;
  testing::internal::CaptureStderr();
  HKEY key = create(u"Software\\X");
  EXPECT_EQ(set(key, u"1", "saved again"), ERROR_SUCCESS);
  RegCloseKey(key);
  platform::closeUserHive();
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\X", 0, 0, &key), ERROR_SUCCESS);
  EXPECT_EQ(query(key, u"1"), "saved again");
  RegCloseKey(key);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find(hive + " is not a database; it is kept as " + hive + ".damaged"), std::string::npos) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << told;  // one line
  std::ifstream in(hive + ".damaged", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

TEST_F(RegistryTest, AHiveThatCannotBeOpenedFailsAndIsReportedOnce) {
  test::TempFolder other;
  struct Case {
    const char* what;
    std::string dataFolder;
    std::string reported;
  } cases[] = {
      {"a folder in the file's place", folder.path(), folder.file(platform::userhive::kDatabaseName)},
      {"a data folder below a file", other.file("plain/glimmerhut"), other.file("plain/glimmerhut/registry.db")},
  };
  std::filesystem::create_directory(folder.file(platform::userhive::kDatabaseName));
  std::ofstream(other.file("plain")) << "a file, not a folder";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::closeUserHive();
    platform::setDataFolder(c.dataFolder);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\X", 0, nullptr, 0, 0, nullptr, &key, nullptr),
                ERROR_BADDB);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find(c.reported), std::string::npos) << told;
    EXPECT_EQ(told.find(c.reported), told.rfind(c.reported)) << told;
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.file(platform::userhive::kDatabaseName)));
}

// A hive that may not be written (its file or its folder without write bits, which holds for root too)
// still shows what was saved; writes fail, the file keeps its bytes, and this is told once with its path.
TEST_F(RegistryTest, AHiveThatCannotBeWrittenIsReadAsItIs) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    bool folderReadOnly;
  } cases[] = {{"a read-only file", false}, {"a read-only data folder", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder data;
    platform::setDataFolder(data.path());
    HKEY key = create(u"Software\\Vandelorn\\App\\op_sfx_level");
    ASSERT_EQ(set(key, u"1", "saved"), ERROR_SUCCESS);
    RegCloseKey(key);
    platform::closeUserHive();
    const std::string hive = data.file(platform::userhive::kDatabaseName);
    std::ifstream in(hive, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    const fs::path locked = c.folderReadOnly ? fs::path(data.path()) : fs::path(hive);
    const fs::perms before = fs::status(locked).permissions();
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    testing::internal::CaptureStderr();
    DWORD disposition = 0;
    key = create(u"software\\vandelorn\\app\\OP_SFX_LEVEL", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(query(key, u"1"), "saved");
    EXPECT_NE(set(key, u"1", "changed"), ERROR_SUCCESS);
    EXPECT_NE(set(key, u"2", "added"), ERROR_SUCCESS);
    EXPECT_NE(RegDeleteValueW(key, u"1"), ERROR_SUCCESS);
    EXPECT_EQ(names(key), std::vector<std::u16string>{u"1"});
    RegCloseKey(key);
    HKEY other = nullptr;
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\New", 0, nullptr, 0, 0, nullptr, &other, nullptr),
              ERROR_SUCCESS);
    platform::closeUserHive();
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\op_sfx_level", 0, 0, &key), ERROR_SUCCESS);
    EXPECT_EQ(query(key, u"1"), "saved");
    RegCloseKey(key);
    platform::closeUserHive();
    const std::string told = testing::internal::GetCapturedStderr();

    fs::permissions(locked, before);
    EXPECT_NE(told.find(hive + " cannot be written; changes will not be saved"), std::string::npos) << told;
    EXPECT_EQ(told.find('\n'), told.size() - 1) << told;  // once, though the hive was opened twice
    std::ifstream after(hive, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), bytes);
  }
}
