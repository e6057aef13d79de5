// A record store's calls at 100, 1,000 and 10,000 records: adding a record, reading one and replacing one.
// The settings file lies in memory where the host has such a folder (/dev/shm), so that the disk's sync
// at every write does not hide what the store itself costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "core/rms/DRecordStore.h"
#include "platform/api/registry.h"
#include "platform/host/datafolder.h"

namespace {

using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;

constexpr char16_t kApp[] = u"Bench";
// About what a high-score table takes.
constexpr int32_t kRecordBytes = 100;

DbyteArrayPtr recordBytes() {
  DbyteArrayPtr bytes = new DbyteArray(kRecordBytes);
  for (int32_t i = 0; i < kRecordBytes; ++i) (*bytes)[i] = static_cast<int8_t>(i);
  return bytes;
}

// One settings file for the run, with a store of each size filled at its first use.
class Stores {
 public:
  Stores() {
    const std::filesystem::path memory = "/dev/shm";
    std::error_code failed;
    const std::filesystem::path base =
        std::filesystem::is_directory(memory, failed) ? memory : std::filesystem::temp_directory_path();
    folder_ = base / ("glimmerhut-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    platform::setDataFolder(folder_.string());
    DRecordStore::setAppNameSource([] { return DStringPtr(kApp); });
  }
  ~Stores() {
    platform::closeUserHive();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // The open store of n records, ids 1 to n.
  DRecordStorePtr of(int32_t n) {
    DRecordStorePtr& store = stores_[n];
    if (store.isNull()) {
      store = DRecordStore::openRecordStore(name(n), true);
      DbyteArrayPtr bytes = recordBytes();
      while (store->getNumRecords() < n) store->addRecord(bytes, 0, bytes->length);
    }
    return store;
  }

  // The store's key, for taking a record away again behind the store's back.
  static HKEY key(int32_t n) {
    HKEY key = nullptr;
    const std::u16string path =
        std::u16string(u"Software\\Vandelorn\\") + kApp + u"\\" + std::u16string(name(n)->view());
    RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, 0, &key);
    return key;
  }

 private:
  static DStringPtr name(int32_t n) { return DStringPtr(u"records") + n; }

  std::filesystem::path folder_;
  std::map<int32_t, DRecordStorePtr> stores_;
};

Stores& stores() {
  static Stores instance;
  return instance;
}

std::u16string valueName(int32_t id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

// Each added record is taken away again outside the timing, so the store keeps its size.
void addRecord(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DRecordStorePtr store = stores().of(n);
  HKEY key = Stores::key(n);
  DbyteArrayPtr bytes = recordBytes();
  for (auto _ : state) {
    const int32_t id = store->addRecord(bytes, 0, bytes->length);
    state.PauseTiming();
    RegDeleteValueW(key, valueName(id).c_str());
    state.ResumeTiming();
  }
  RegCloseKey(key);
}
BENCHMARK(addRecord)->Arg(100)->Arg(1000)->Arg(10000);

void getRecord(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DRecordStorePtr store = stores().of(n);
  int32_t id = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store->getRecord(id));
    id = id % n + 1;
  }
}
BENCHMARK(getRecord)->Arg(100)->Arg(1000)->Arg(10000);

void setRecord(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DRecordStorePtr store = stores().of(n);
  DbyteArrayPtr bytes = recordBytes();
  int32_t id = 1;
  for (auto _ : state) {
    store->setRecord(id, bytes, 0, bytes->length);
    id = id % n + 1;
  }
}
BENCHMARK(setRecord)->Arg(100)->Arg(1000)->Arg(10000);

// The count and the next id, which every save of the game library asks first.
void countAndNextId(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DRecordStorePtr store = stores().of(n);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store->getNumRecords());
    benchmark::DoNotOptimize(store->getNextRecordID());
  }
}
BENCHMARK(countAndNextId)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
