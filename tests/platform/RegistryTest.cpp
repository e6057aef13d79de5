// The registry's user hive: keys, values, enumeration and persistence in the data folder.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "platform/host/userhive.h"
#include "support/HiveLock.h"
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

  // The value count as a record store asks it (no lengths).
  static DWORD valueCount(HKEY key) {
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    return values;
  }

  static int64_t largest(HKEY key) {
    int64_t number = -1;
    EXPECT_EQ(platform::largestValueNumber(key, number), ERROR_SUCCESS);
    return number;
  }

  struct Walk {
    DWORD values = 0;
    long long largest = 0;
  };
  // What a walk over every value finds: their number, and the largest of their names read with "%d"
  // where a name buffer of 64 holds them.
  static Walk walk(HKEY key) {
    Walk found;
    for (DWORD i = 0;; ++i) {
      char16_t name[kRegistryMaxNameLength + 1];
      DWORD length = kRegistryMaxNameLength + 1;
      if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      ++found.values;
      if (length >= 64) continue;
      std::string narrow(name, name + length);
      long long number = 0;
      std::sscanf(narrow.c_str(), "%lld", &number);
      found.largest = std::max(found.largest, number);
    }
    return found;
  }

  std::string hiveFile() const { return folder.file(platform::userhive::kDatabaseName); }

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

// The count of a key's values and the largest number their names read as are kept by the database, so
// a record store asks them at the same cost at any size; they stay what walking the values would find.
TEST_F(RegistryTest, ValueCountsAndNumbersFollowEveryChange) {
  const std::u16string path = u"Software\\Vandelorn\\App\\counted";
  HKEY key = create(path.c_str());
  const std::u16string longName = u"99" + std::u16string(62, u'x');
  struct Step {
    const char* what;
    std::function<LONG()> change;
  } steps[] = {
      {"a first value", [&] { return set(key, u"2", "a"); }},
      {"a larger number", [&] { return set(key, u"7", "b"); }},
      {"the same value again", [&] { return set(key, u"7", "c"); }},
      {"a name that is no number", [&] { return set(key, u"settings", "d"); }},
      {"digits with a tail", [&] { return set(key, u"12abc", "e"); }},
      {"blanks and a sign", [&] { return set(key, u" +13", "f"); }},
      {"below zero", [&] { return set(key, u"-40", "g"); }},
      {"a name too long for the walk", [&] { return set(key, longName.c_str(), "h"); }},
      {"the largest taken away", [&] { return RegDeleteValueW(key, u" +13"); }},
      {"another case of a name", [&] { return set(key, u"SETTINGS", "i"); }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_EQ(step.change(), ERROR_SUCCESS);
    EXPECT_EQ(valueCount(key), walk(key).values);
    EXPECT_EQ(largest(key), walk(key).largest);
  }
  EXPECT_EQ(largest(key), 12);
  RegCloseKey(key);

  // A key deleted and made again starts from nothing.
  ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App"), ERROR_SUCCESS);
  key = create(path.c_str());
  EXPECT_EQ(valueCount(key), 0u);
  EXPECT_EQ(largest(key), 0);
  RegCloseKey(key);
}

// A settings file written before the counts were kept: opened for writing it gets them, counted from
// what it holds; one that may not be written is counted value by value.
TEST_F(RegistryTest, AHiveMadeWithoutTheCountsCountsWhatItHolds) {
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    test::TempFolder data;
    const std::string hive = data.file(platform::userhive::kDatabaseName);
    sqlite3* old = nullptr;
    ASSERT_EQ(sqlite3_open(hive.c_str(), &old), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(old,
                           "PRAGMA journal_mode=WAL;"
                           "CREATE TABLE keys(path TEXT PRIMARY KEY, parent TEXT NOT NULL);"
                           "CREATE INDEX keys_parent ON keys(parent);"
                           "CREATE TABLE vals(key TEXT NOT NULL, fold TEXT NOT NULL, name TEXT NOT NULL,"
                           " type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, fold));"
                           "INSERT INTO keys VALUES('software', ''), ('software\\old', 'software');"
                           "INSERT INTO vals VALUES('software\\old', '1', '1', 3, x'01'),"
                           " ('software\\old', '5', '5', 3, x'05'), ('software\\old', 'x', 'x', 3, x'');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(old);
    if (readOnly) std::filesystem::permissions(hive, std::filesystem::perms::owner_read);
    platform::setDataFolder(data.path());
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Old", 0, 0, &key), ERROR_SUCCESS);
    EXPECT_EQ(valueCount(key), 3u);
    EXPECT_EQ(largest(key), 5);
    if (!readOnly) {
      EXPECT_EQ(set(key, u"6", "six"), ERROR_SUCCESS);
      EXPECT_EQ(valueCount(key), 4u);
      EXPECT_EQ(largest(key), 6);
    }
    RegCloseKey(key);
    platform::closeUserHive();
    testing::internal::GetCapturedStderr();
    std::filesystem::permissions(hive, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  }
}

// Another program holding the file's write lock: a write waits for it once, up to a second, then
// writes give up at once until one gets through again; reads go on; it is told once with the path.
TEST_F(RegistryTest, AHeldWriteLockCostsOneWaitAndReadsGoOn) {
  HKEY key = create(u"Software\\Vandelorn\\App\\held");
  ASSERT_EQ(set(key, u"1", "before"), ERROR_SUCCESS);
  test::HiveWaits waits;
  testing::internal::CaptureStderr();
  {
    test::HiveLock lock(hiveFile(), test::HiveLock::Holds::Writes);
    EXPECT_EQ(set(key, u"1", "meanwhile"), ERROR_BUSY);
    EXPECT_GE(waits.takeWaited(), 1000u);
    EXPECT_EQ(set(key, u"1", "again"), ERROR_BUSY);
    HKEY other = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\New", 0, nullptr, 0, 0, nullptr, &other, nullptr),
              ERROR_BUSY);
    EXPECT_EQ(waits.takeWaited(), 0u);
    EXPECT_EQ(query(key, u"1"), "before");
    EXPECT_EQ(valueCount(key), 1u);
  }
  EXPECT_EQ(set(key, u"1", "after"), ERROR_SUCCESS);
  EXPECT_EQ(query(key, u"1"), "after");
  // Having got through, a write waits again the next time the lock is held.
  {
    test::HiveLock lock(hiveFile(), test::HiveLock::Holds::Writes);
    EXPECT_EQ(set(key, u"1", "later"), ERROR_BUSY);
    EXPECT_GE(waits.takeWaited(), 1000u);
  }
  RegCloseKey(key);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("the settings file " + hiveFile() + " is held by another program"), std::string::npos) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
}

// Another program holding the whole file (no one else may even read it): the first call waits up to a
// second, every later one gives up at once, so a start of many reads waits a second in all; when the
// lock goes during a wait, that call gets through.
TEST_F(RegistryTest, AFileHeldWhollyCostsOneWaitInAll) {
  HKEY key = create(u"Software\\Vandelorn\\App\\held");
  ASSERT_EQ(set(key, u"1", "kept"), ERROR_SUCCESS);
  RegCloseKey(key);
  platform::closeUserHive();
  test::HiveWaits waits;
  testing::internal::CaptureStderr();
  {
    test::HiveLock lock(hiveFile(), test::HiveLock::Holds::Everything);
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\held", 0, 0, &key), ERROR_BUSY) << i;
    }
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\New", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_BUSY);
    const uint64_t waited = waits.takeWaited();
    EXPECT_GE(waited, 1000u);
    EXPECT_LE(waited, 1100u);
  }
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\held", 0, 0, &key), ERROR_SUCCESS);
  EXPECT_EQ(query(key, u"1"), "kept");
  RegCloseKey(key);
  platform::closeUserHive();

  test::HiveLock lock(hiveFile(), test::HiveLock::Holds::Everything);
  const uint64_t start = waits.now();
  waits.afterPause = [&] {
    if (waits.now() >= start + 300) lock.release();
  };
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\App\\held", 0, 0, &key), ERROR_SUCCESS);
  EXPECT_EQ(query(key, u"1"), "kept");
  RegCloseKey(key);
  EXPECT_EQ(waits.takeWaited(), 300u);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find(hiveFile() + " is held by another program"), std::string::npos) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
}
