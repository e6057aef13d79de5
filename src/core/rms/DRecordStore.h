// Named stores of numbered byte-array records, each store a registry key under HKEY_CURRENT_USER
// ("Software\Vandelorn\" + application name + "\" + store name) and each record one binary value named
// by its id in decimal. Every write goes straight to the registry.
#pragma once

#include <cstdint>
#include <functional>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "platform/api/registry.h"

namespace nuv::microedition::rms {

class DRecordStore;
using DRecordStorePtr = lang::DPtr<DRecordStore>;

class DRecordStore : public lang::DObject {
 public:
  // Where the application name comes from: the running MIDlet's "app.name" property. Until a source
  // is set the name is null and reads as "null".
  static void setAppNameSource(std::function<lang::DStringPtr()> source);

  // IllegalArgumentException for a null name; RecordStoreNotFoundException when the key does not exist
  // and is not to be created, RecordStoreException when it cannot be opened or created.
  static DRecordStorePtr openRecordStore(lang::DStringPtr name, bool createIfNecessary);
  ~DRecordStore() override;

  void closeRecordStore();
  // Every value of the key counts, record or not. RecordStoreNotOpenException when closed.
  int32_t getNumRecords();
  // One more than the largest id stored (a value name that is no number counts as 0); ids in gaps are
  // never reused. Costs the same at any number of records. RecordStoreNotOpenException when closed,
  // RecordStoreException when the registry cannot be read, RecordStoreFullException past the last id.
  int32_t getNextRecordID();
  // Stores min(numBytes, length - offset) bytes of data from offset under the next id and returns the
  // id. A null array stores nothing and returns the next id. RecordStoreException for an offset past
  // the data or a negative offset or count.
  int32_t addRecord(lang::DbyteArrayPtr data, int32_t offset, int32_t numBytes);
  // Replaces a record as addRecord writes one; InvalidRecordIDException when it does not exist.
  void setRecord(int32_t id, lang::DbyteArrayPtr data, int32_t offset, int32_t numBytes);
  // RecordStoreException when the record does not exist.
  int32_t getRecordSize(int32_t id);
  lang::DbyteArrayPtr getRecord(int32_t id);

 private:
  explicit DRecordStore(lang::DStringPtr name) : name(std::move(name)) {}
  void requireOpen() const;
  // The bytes addRecord and setRecord store, after their checks.
  static int32_t storedCount(const lang::DbyteArrayPtr& data, int32_t offset, int32_t numBytes);
  void writeRecord(int32_t id, const lang::DbyteArrayPtr& data, int32_t offset, int32_t count);

  lang::DStringPtr name;
  HKEY hKey = nullptr;
};

}  // namespace nuv::microedition::rms
