// Saves kept while the registry cannot take them, and damage told once.
#include "gamelib/StoreSaves.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "core/lang/DExceptionBase.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/GameLib.h"

namespace gamelib {

using nuv::lang::DExceptionBase;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

struct KeptSave {
  std::u16string store;
  StoreSaves::Records records;
  StoreSaves::Merge merge;
};
// Main thread only, as every store call.
std::vector<KeptSave> keptSaves;
std::set<std::u16string> toldDamaged;

std::u16string nameOf(const DStringPtr& store) { return std::u16string(store->view()); }

// Records 1 to count of the open store; none when it holds no record.
StoreSaves::Records stored(DRecordStore& store, int32_t count) {
  StoreSaves::Records records;
  if (store.getNumRecords() > 0) {
    for (int32_t k = 1; k <= count; ++k) records.push_back(store.getRecord(k));
  }
  return records;
}

// What the save writes over what the store holds.
StoreSaves::Records merged(DRecordStore& store, const KeptSave& save) {
  if (!save.merge) return save.records;
  StoreSaves::Records held = stored(store, static_cast<int32_t>(save.records.size()));
  return held.empty() ? save.records : save.merge(held);
}

// False when the registry did not take the whole save; what it took stays, and is written again.
bool write(const KeptSave& save) {
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(new DString(std::u16string_view(save.store)), true);
    const StoreSaves::Records records = merged(*store, save);
    const int32_t held = store->getNumRecords();
    for (int32_t k = 1; k <= static_cast<int32_t>(records.size()); ++k) {
      const nuv::lang::DbyteArrayPtr& bytes = records[static_cast<size_t>(k - 1)];
      if (k <= held) {
        store->setRecord(k, bytes, 0, bytes->length);
      } else {
        store->addRecord(bytes, 0, bytes->length);
      }
    }
    store->closeRecordStore();
  } catch (DExceptionBase* e) {
    nuv::lang::catchException(e, ExceptionCode::Exception);
    return false;
  }
  // What is stored now is whole again: new damage is news.
  toldDamaged.erase(save.store);
  return true;
}

const KeptSave* keptFor(const std::u16string& name) {
  for (const KeptSave& kept : keptSaves) {
    if (kept.store == name) return &kept;
  }
  return nullptr;
}

// The kept saves the registry takes now leave the list.
void writeKeptSaves() {
  std::erase_if(keptSaves, [](const KeptSave& kept) { return write(kept); });
}

}  // namespace

void StoreSaves::save(const DStringPtr& store, Records records, Merge merge) {
  writeKeptSaves();
  KeptSave save{nameOf(store), std::move(records), std::move(merge)};
  // The new save stands for the kept one.
  std::erase_if(keptSaves, [&](const KeptSave& kept) { return kept.store == save.store; });
  if (!write(save)) keptSaves.push_back(std::move(save));
}

StoreSaves::Records StoreSaves::load(const DStringPtr& store, int32_t count, bool* known) {
  if (known) *known = true;
  const KeptSave* kept = keptFor(nameOf(store));
  Records records;
  try {
    // A kept save over records the game could not read shows them merged once they can be read.
    if (kept == nullptr || kept->merge) {
      DRecordStorePtr opened = DRecordStore::openRecordStore(store, true);
      records = kept ? merged(*opened, *kept) : stored(*opened, count);
      opened->closeRecordStore();
    }
  } catch (DExceptionBase* e) {
    if (kept == nullptr) throw;
    nuv::lang::catchException(e, ExceptionCode::Exception);
    if (known) *known = false;
  }
  if (kept && records.empty()) records = kept->records;
  if (records.size() > static_cast<size_t>(count)) records.resize(static_cast<size_t>(count));
  return records;
}

void StoreSaves::writeKept() {
  writeKeptSaves();
  if (keptSaves.empty()) return;
  std::string names;
  for (const KeptSave& kept : keptSaves) names += (names.empty() ? "" : ", ") + GameLib::narrow(kept.store.c_str());
  std::fprintf(stderr, "GlimmerHut: the settings file could not be written; not saved: %s\n", names.c_str());
  keptSaves.clear();
}

void StoreSaves::damaged(const DStringPtr& store, const std::string& what) {
  if (!toldDamaged.insert(nameOf(store)).second) return;
  std::fprintf(stderr, "GlimmerHut: the record store %s is damaged: %s\n", GameLib::narrow(store->chars()).c_str(),
               what.c_str());
}

}  // namespace gamelib
