// Record stores kept as registry keys and values.
#include "core/rms/DRecordStore.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/lang/DExceptionBase.h"

namespace nuv::microedition::rms {

namespace {

using namespace lang::ExceptionCode;

constexpr char16_t kStoresKey[] = u"Software\\Vandelorn\\";

std::function<lang::DStringPtr()>& appNameSource() {
  static std::function<lang::DStringPtr()> source;
  return source;
}

std::u16string valueName(int32_t id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

void DRecordStore::setAppNameSource(std::function<lang::DStringPtr()> source) { appNameSource() = std::move(source); }

DRecordStorePtr DRecordStore::openRecordStore(lang::DStringPtr name, bool createIfNecessary) {
  if (name.isNull()) lang::throwException(IllegalArgumentException);
  lang::DStringPtr app = appNameSource() ? appNameSource()() : nullptr;
  lang::DStringPtr path = lang::DString::concat(lang::DString::concat(kStoresKey, app.get()).get(), u"\\");
  path = lang::DString::concat(path.get(), name.get());
  DRecordStorePtr store = new DRecordStore(name);

  LONG error = RegOpenKeyExW(HKEY_CURRENT_USER, path->chars(), 0, 0, &store->hKey);
  if (error != ERROR_SUCCESS && createIfNecessary) {
    error = RegCreateKeyExW(HKEY_CURRENT_USER, path->chars(), 0, nullptr, REG_OPTION_NON_VOLATILE, 0, nullptr,
                            &store->hKey, nullptr);
  }
  if (error != ERROR_SUCCESS) {
    store->hKey = nullptr;
    lang::throwException(error == ERROR_NOT_FOUND ? RecordStoreNotFoundException : RecordStoreException);
  }
  return store;
}

DRecordStore::~DRecordStore() { closeRecordStore(); }

void DRecordStore::closeRecordStore() {
  if (hKey != nullptr) RegCloseKey(hKey);
  hKey = nullptr;
}

void DRecordStore::requireOpen() const {
  if (hKey == nullptr) lang::throwException(RecordStoreNotOpenException);
}

int32_t DRecordStore::getNumRecords() {
  requireOpen();
  DWORD values = 0;
  if (RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS) {
    lang::throwException(RecordStoreNotOpenException);
  }
  return static_cast<int32_t>(values);
}

int32_t DRecordStore::getNextRecordID() {
  requireOpen();
  // The largest of the value names as ids, without walking every value; a read that fails must not
  // give an id already taken.
  int64_t largest = 0;
  if (platform::largestValueNumber(hKey, largest) != ERROR_SUCCESS) lang::throwException(RecordStoreException);
  // Past the largest id no record can be added.
  if (largest >= std::numeric_limits<int32_t>::max()) lang::throwException(RecordStoreFullException);
  return static_cast<int32_t>(largest + 1);
}

int32_t DRecordStore::storedCount(const lang::DbyteArrayPtr& data, int32_t offset, int32_t numBytes) {
  if (offset < 0 || numBytes < 0 || offset > data->length) lang::throwException(RecordStoreException);
  return std::min(numBytes, data->length - offset);
}

void DRecordStore::writeRecord(int32_t id, const lang::DbyteArrayPtr& data, int32_t offset, int32_t count) {
  const auto* bytes = reinterpret_cast<const BYTE*>(data->data());
  if (RegSetValueExW(hKey, valueName(id).c_str(), 0, REG_BINARY, bytes ? bytes + offset : nullptr,
                     static_cast<DWORD>(count)) != ERROR_SUCCESS) {
    lang::throwException(RecordStoreException);
  }
}

int32_t DRecordStore::addRecord(lang::DbyteArrayPtr data, int32_t offset, int32_t numBytes) {
  if (data.isNull()) return getNextRecordID();
  requireOpen();
  const int32_t count = storedCount(data, offset, numBytes);
  const int32_t id = getNextRecordID();
  writeRecord(id, data, offset, count);
  return id;
}

void DRecordStore::setRecord(int32_t id, lang::DbyteArrayPtr data, int32_t offset, int32_t numBytes) {
  requireOpen();
  if (data.isNull()) lang::throwException(NullPointerException);
  const int32_t count = storedCount(data, offset, numBytes);
  DWORD size = 0;
  if (RegQueryValueExW(hKey, valueName(id).c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    lang::throwException(InvalidRecordIDException);
  }
  writeRecord(id, data, offset, count);
}

int32_t DRecordStore::getRecordSize(int32_t id) {
  requireOpen();
  DWORD size = 0;
  if (RegQueryValueExW(hKey, valueName(id).c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    lang::throwException(RecordStoreException);
  }
  return static_cast<int32_t>(size);
}

lang::DbyteArrayPtr DRecordStore::getRecord(int32_t id) {
  const int32_t size = getRecordSize(id);
  lang::DbyteArrayPtr record = new lang::DbyteArray(size);
  DWORD read = static_cast<DWORD>(size);
  if (RegQueryValueExW(hKey, valueName(id).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(record->data()), &read) !=
          ERROR_SUCCESS ||
      read != static_cast<DWORD>(size)) {
    lang::throwException(RecordStoreException);
  }
  return record;
}

}  // namespace nuv::microedition::rms
