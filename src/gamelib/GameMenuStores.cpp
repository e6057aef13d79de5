// Options and high-score tables in record stores: every store holds one record, record 1, and is opened,
// used and closed on each call. Failures keep what is stored and fall back to defaults.
#include <memory>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DDataInputStream.h"
#include "core/io/DDataOutputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/GameMenu.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::io::DByteArrayInputStream;
using nuv::io::DByteArrayOutputStream;
using nuv::io::DByteArrayOutputStreamPtr;
using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DDataOutputStream;
using nuv::io::DDataOutputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DExceptionBase;
using nuv::lang::DintArray;
using nuv::lang::DintArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::rms::DRecordStore;
using nuv::microedition::rms::DRecordStorePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int32_t kRecord = 1;
constexpr int32_t kDefaultTableLength = 8;
constexpr const char16_t* kOptionPrefix = u"op_";
constexpr const char16_t* kTableInfix = u"hs";

DStringPtr tableStoreName(int32_t table, DStringPtr gameKey) { return (gameKey + kTableInfix) + table; }

// The record as a data stream.
DDataInputStreamPtr readRecord(DRecordStore& store) {
  return new DDataInputStream(new DByteArrayInputStream(store.getRecord(kRecord)));
}

// Record 1 becomes the bytes: added to an empty store, replaced otherwise.
void writeRecord(DRecordStore& store, DbyteArrayPtr bytes) {
  if (store.getNumRecords() == 0) {
    store.addRecord(bytes, 0, bytes->length);
  } else {
    store.setRecord(kRecord, bytes, 0, bytes->length);
  }
}

// The store's record 1 becomes what fill writes; a failure loses only this save.
template <class Fill>
void saveRecord(DStringPtr storeName, Fill fill) {
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(storeName, true);
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DDataOutputStreamPtr data = new DDataOutputStream(bytes);
    fill(*data);
    writeRecord(*store, bytes->toByteArray());
    store->closeRecordStore();
    data->close();
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
}

DStringPtr emptyName() { return TextTable::getString(u"empty") + u" "; }

DStringArrayPtr defaultNames() {
  DStringArrayPtr names = new DStringArray(kDefaultTableLength);
  for (int32_t i = 0; i < kDefaultTableLength; ++i) (*names)[i] = emptyName();
  return names;
}

}  // namespace

void GameMenu::saveOption(DStringPtr key, int32_t value) {
  saveRecord(kOptionPrefix + key, [&](DDataOutputStream& data) { data.writeInt(value); });
}

int32_t GameMenu::loadOption(DStringPtr key, int32_t defaultValue) {
  int32_t value = defaultValue;
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(kOptionPrefix + key, true);
    if (store->getNumRecords() > 0) {
      DDataInputStreamPtr data = readRecord(*store);
      value = data->readInt();
      data->close();
    }
    store->closeRecordStore();
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
  return value;
}

void GameMenu::setHighScores(DStringArrayPtr names, DintArrayPtr newScores) {
  items = std::move(names);
  scores = std::move(newScores);
}

void GameMenu::saveHighScores(int32_t table, DStringPtr gameKey) {
  saveRecord(tableStoreName(table, gameKey), [&](DDataOutputStream& data) {
    int32_t n = items->length;
    // The count is one byte.
    data.write(n);
    for (int32_t i = 0; i < n; ++i) {
      data.writeUTF((*items)[i]);
      data.writeInt((*scores)[i]);
    }
  });
}

void GameMenu::loadHighScores(int32_t table, DStringPtr gameKey) {
  bool counted = false;
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(tableStoreName(table, gameKey), true);
    if (store->getNumRecords() == 0) {
      setHighScores(defaultNames(), new DintArray(kDefaultTableLength));
      saveHighScores(table, gameKey);
    } else {
      DDataInputStreamPtr data = readRecord(*store);
      int32_t n = data->read();
      if (n < 0) nuv::lang::throwException(ExceptionCode::EOFException);
      items = new DStringArray(n);
      scores = new DintArray(n);
      counted = true;
      // Until read, an entry is an empty one: a damaged record must not leave names missing.
      for (int32_t i = 0; i < n; ++i) (*items)[i] = emptyName();
      for (int32_t i = 0; i < n; ++i) {
        (*items)[i] = data->readUTF();
        (*scores)[i] = data->readInt();
      }
      data->close();
    }
    store->closeRecordStore();
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    // A table that could not even be counted is shown as the default one, which is not saved over it.
    if (!counted) setHighScores(defaultNames(), new DintArray(kDefaultTableLength));
  }
}

bool GameMenu::isHighScore(int32_t score) {
  if (scores.isNull()) return false;
  for (int32_t i = scores->length - 1; i >= 0; --i) {
    if ((*scores)[i] < score) return true;
  }
  return false;
}

void GameMenu::addHighScore(DStringPtr name, int32_t score) {
  int32_t n = items->length;
  for (int32_t i = 0; i < n; ++i) {
    if ((*scores)[i] >= score) continue;
    DSystem::arraycopy(items, i, items, i + 1, n - i - 1);
    DSystem::arraycopy(scores, i, scores, i + 1, n - i - 1);
    (*items)[i] = name;
    (*scores)[i] = score;
    return;
  }
}

}  // namespace gamelib
