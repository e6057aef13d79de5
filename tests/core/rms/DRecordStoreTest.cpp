// Record stores in the registry: ids, gaps, errors, sharing, and surviving a killed writer.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "core/rms/DRecordStore.h"
#include "platform/api/registry.h"
#include "platform/host/datafolder.h"
#include "platform/host/userhive.h"
#include "support/Exceptions.h"
#include "support/HiveLock.h"
#include "support/TempFolder.h"

using namespace nuv::lang;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;
namespace code = nuv::lang::ExceptionCode;

namespace {

DbyteArrayPtr byteArray(const std::vector<int8_t>& bytes) {
  DbyteArrayPtr a = new DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*a)[static_cast<int32_t>(i)] = bytes[i];
  return a;
}

std::vector<int8_t> bytesOf(const DbyteArrayPtr& a) { return std::vector<int8_t>(a->data(), a->data() + a->length); }

class DRecordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDataFolder(folder.path());
    DRecordStore::setAppNameSource([] { return DStringPtr(u"TestApp"); });
  }
  void TearDown() override {
    DRecordStore::setAppNameSource(nullptr);
    platform::closeUserHive();
    platform::setDataFolder("");
  }

  // Writes a value into the store's key behind the store's back.
  static void putValue(const char16_t* store, const char16_t* name, const std::string& bytes) {
    HKEY key = nullptr;
    const std::u16string path = std::u16string(u"Software\\Vandelorn\\TestApp\\") + store;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }

  test::TempFolder folder;
};

// What the writer child stores as record `id`: big enough that a kill often lands inside a write.
std::vector<int8_t> recordContent(int32_t id) {
  std::vector<int8_t> bytes(static_cast<size_t>(20000 + id));
  for (size_t j = 0; j < bytes.size(); ++j) bytes[j] = static_cast<int8_t>(id * 31 + static_cast<int32_t>(j));
  return bytes;
}

}  // namespace

TEST_F(DRecordStoreTest, IdsCountUpFromOneAndSkipNoGap) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"scores", true);
  EXPECT_EQ(store->getNumRecords(), 0);
  EXPECT_EQ(store->getNextRecordID(), 1);
  EXPECT_EQ(store->addRecord(byteArray({1, 2, 3}), 0, 3), 1);

  // The record is a binary value named "1" under the application's key.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Vandelorn\\TestApp\\scores", 0, 0, &key), ERROR_SUCCESS);
  BYTE data[8];
  DWORD size = sizeof data, type = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"1", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 3u);
  RegCloseKey(key);

  // Offset and count are cut to the data.
  EXPECT_EQ(store->addRecord(byteArray({1, 2, 3}), 1, 10), 2);
  EXPECT_EQ(bytesOf(store->getRecord(2)), (std::vector<int8_t>{2, 3}));
  EXPECT_EQ(store->addRecord(byteArray({1, 2, 3}), 3, 5), 3);
  EXPECT_EQ(store->getRecordSize(3), 0);
  EXPECT_EQ(store->getRecord(3)->length, 0);

  // A null array stores nothing and tells the next id, as often as asked.
  EXPECT_EQ(store->addRecord(nullptr, 0, 0), 4);
  EXPECT_EQ(store->addRecord(nullptr, 0, 0), 4);
  EXPECT_EQ(store->getNumRecords(), 3);
}

TEST_F(DRecordStoreTest, TheNextIdFollowsTheLargestStoredId) {
  struct Case {
    std::vector<const char16_t*> names;
    int32_t next;
  } cases[] = {
      {{u"2", u"7"}, 8},
      {{u"5", u"1"}, 6},
      {{u"settings"}, 1},  // not a number: counts as 0
      {{u"3", u"12abc", u"-9"}, 13},
      {{u"1", u"a-value-name-far-longer-than-the-sixty-four-characters-of-room-the-scan-has", u"5"}, 6},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::u16string store = u"gaps" + std::u16string(1, static_cast<char16_t>(u'a' + n++));
    for (const char16_t* name : c.names) putValue(store.c_str(), name, "x");
    DRecordStorePtr s = DRecordStore::openRecordStore(new DString(std::u16string_view(store)), true);
    EXPECT_EQ(s->getNextRecordID(), c.next) << n;
    EXPECT_EQ(s->getNumRecords(), static_cast<int32_t>(c.names.size())) << n;
    EXPECT_EQ(s->addRecord(byteArray({1}), 0, 1), c.next) << n;
  }
  putValue(u"full", u"2147483647", "x");
  EXPECT_THROWS_CODE(code::RecordStoreFullException,
                     DRecordStore::openRecordStore(u"full", true)->addRecord(byteArray({1}), 0, 1));
}

// While another program holds the whole settings file the largest id cannot be read, and no id is given:
// one made up from nothing would be 1, and a record added under it once the file is free again would
// overwrite record 1.
TEST_F(DRecordStoreTest, NoIdIsGivenWhileTheIdsCannotBeRead) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"held", true);
  ASSERT_EQ(store->addRecord(byteArray({1}), 0, 1), 1);
  platform::closeUserHive();
  test::HiveWaits waits;
  testing::internal::CaptureStderr();
  {
    test::HiveLock lock(folder.file(platform::userhive::kDatabaseName), test::HiveLock::Holds::Everything);
    EXPECT_THROWS_CODE(code::RecordStoreException, store->getNextRecordID());
    EXPECT_THROWS_CODE(code::RecordStoreException, store->addRecord(nullptr, 0, 0));
  }
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(bytesOf(store->getRecord(1)), (std::vector<int8_t>{1}));
  EXPECT_EQ(store->getNextRecordID(), 2);
}

TEST_F(DRecordStoreTest, RecordsAreReplacedOnlyWhenTheyExist) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"options", true);
  store->addRecord(byteArray({1}), 0, 1);
  store->setRecord(1, byteArray({4, 5, 6}), 1, 2);
  EXPECT_EQ(bytesOf(store->getRecord(1)), (std::vector<int8_t>{5, 6}));
  EXPECT_THROWS_CODE(code::InvalidRecordIDException, store->setRecord(9, byteArray({1}), 0, 1));
  EXPECT_EQ(store->getNumRecords(), 1);
  EXPECT_EQ(store->getNextRecordID(), 2);

  // Two objects on one store see each other's writes at once.
  DRecordStorePtr again = DRecordStore::openRecordStore(u"options", true);
  again->addRecord(byteArray({7}), 0, 1);
  EXPECT_EQ(bytesOf(store->getRecord(2)), (std::vector<int8_t>{7}));
}

TEST_F(DRecordStoreTest, ErrorsAreTheStoreExceptions) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"errors", true);
  store->addRecord(byteArray({1, 2}), 0, 2);
  DbyteArrayPtr two = byteArray({1, 2});
  struct Case {
    const char* what;
    std::function<void()> call;
    uint32_t thrown;
  } cases[] = {
      {"add, offset past the data", [&] { store->addRecord(two, 3, 0); }, code::RecordStoreException},
      {"add, negative offset", [&] { store->addRecord(two, -1, 1); }, code::RecordStoreException},
      {"add, negative count", [&] { store->addRecord(two, 0, -1); }, code::RecordStoreException},
      {"set, offset past the data", [&] { store->setRecord(1, two, 3, 0); }, code::RecordStoreException},
      {"set, negative offset", [&] { store->setRecord(1, two, -2, 1); }, code::RecordStoreException},
      {"set, negative count", [&] { store->setRecord(1, two, 0, -5); }, code::RecordStoreException},
      {"set, null data", [&] { store->setRecord(1, nullptr, 0, 0); }, code::NullPointerException},
      {"size of a missing record", [&] { store->getRecordSize(2); }, code::RecordStoreException},
      {"missing record", [&] { store->getRecord(0); }, code::RecordStoreException},
      {"null store name", [&] { DRecordStore::openRecordStore(nullptr, true); }, code::IllegalArgumentException},
      {"missing store not created", [&] { DRecordStore::openRecordStore(u"absent", false); },
       code::RecordStoreNotFoundException},
  };
  for (const Case& c : cases) EXPECT_THROWS_CODE(c.thrown, c.call()) << c.what;
  EXPECT_EQ(bytesOf(store->getRecord(1)), (std::vector<int8_t>{1, 2}));
  EXPECT_EQ(store->getNumRecords(), 1);

  store->closeRecordStore();
  store->closeRecordStore();
  for (auto call : std::vector<std::function<void()>>{
           [&] { store->getNumRecords(); }, [&] { store->getNextRecordID(); }, [&] { store->addRecord(two, 0, 1); },
           [&] { store->addRecord(nullptr, 0, 0); }, [&] { store->setRecord(1, two, 0, 1); },
           [&] { store->getRecordSize(1); }, [&] { store->getRecord(1); }}) {
    EXPECT_THROWS_CODE(code::RecordStoreNotOpenException, call());
  }

  // An existing store opens without being created.
  EXPECT_EQ(DRecordStore::openRecordStore(u"errors", false)->getNumRecords(), 1);
}

TEST_F(DRecordStoreTest, StoresBelongToTheirApplication) {
  DRecordStore::openRecordStore(u"shared", true)->addRecord(byteArray({1}), 0, 1);
  DRecordStore::setAppNameSource([] { return DStringPtr(u"OtherApp"); });
  EXPECT_EQ(DRecordStore::openRecordStore(u"shared", true)->getNumRecords(), 0);
}

// A writer killed at any moment loses at most the record it was writing; everything it finished stays.
TEST_F(DRecordStoreTest, AKilledWriterLosesAtMostItsLastRecord) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  platform::closeUserHive();  // the child opens its own connection
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    DRecordStorePtr store = DRecordStore::openRecordStore(u"crash", true);
    for (;;) {
      int32_t id = store->getNextRecordID();
      std::vector<int8_t> content = recordContent(id);
      DbyteArrayPtr data = new DbyteArray(static_cast<int32_t>(content.size()));
      std::copy(content.begin(), content.end(), data->data());
      if (store->addRecord(data, 0, data->length) != id) _exit(2);
      if (write(pipeFds[1], &id, sizeof id) != sizeof id) _exit(3);
    }
  }
  close(pipeFds[1]);
  int32_t acknowledged = 0;
  while (acknowledged < 25 && read(pipeFds[0], &acknowledged, sizeof acknowledged) == sizeof acknowledged) {
  }
  kill(child, SIGKILL);
  for (int32_t id; read(pipeFds[0], &id, sizeof id) == sizeof id;) acknowledged = id;
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own with " << status;

  DRecordStorePtr store = DRecordStore::openRecordStore(u"crash", false);
  const int32_t stored = store->getNumRecords();
  EXPECT_GE(stored, acknowledged);
  EXPECT_LE(stored, acknowledged + 1);
  EXPECT_EQ(store->getNextRecordID(), stored + 1);
  for (int32_t id = 1; id <= stored; ++id) EXPECT_EQ(bytesOf(store->getRecord(id)), recordContent(id)) << id;
}
