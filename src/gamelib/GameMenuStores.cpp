// Options and high-score tables in record stores: every store holds one record, record 1, and is opened,
// used and closed on each call. Failures keep what is stored and fall back to defaults; a table always
// has at least its eight rows.
#include <algorithm>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DDataInputStream.h"
#include "core/io/DDataOutputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameMenu.h"
#include "gamelib/StoreSaves.h"
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
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int32_t kDefaultTableLength = 8;
// The count of a table's rows is one byte.
constexpr int32_t kLongestTable = 255;
constexpr int32_t kOptionBytes = 4;
constexpr const char16_t* kOptionPrefix = u"op_";
constexpr const char16_t* kTableInfix = u"hs";

DStringPtr tableStoreName(int32_t table, DStringPtr gameKey) { return (gameKey + kTableInfix) + table; }

// Tables shown as the default one because their store could not be read (main thread only): a save of
// one adds its rows to the stored table instead of replacing it.
std::set<std::u16string> unreadTables;

// The bytes fill writes.
template <class Fill>
DbyteArrayPtr recordOf(Fill fill) {
  DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
  DDataOutputStreamPtr data = new DDataOutputStream(bytes);
  fill(*data);
  DbyteArrayPtr record = bytes->toByteArray();
  data->close();
  return record;
}

DbyteArrayPtr tableRecord(const GameMenu& menu) {
  return recordOf([&](DDataOutputStream& data) {
    // Rows past what the count can say would be read as another table.
    const int32_t n = std::min(menu.items->length, kLongestTable);
    data.write(n);
    for (int32_t i = 0; i < n; ++i) {
      data.writeUTF((*menu.items)[i]);
      data.writeInt((*menu.scores)[i]);
    }
  });
}

DStringPtr emptyName() { return TextTable::getString(u"empty") + u" "; }

DStringArrayPtr defaultNames() {
  DStringArrayPtr names = new DStringArray(kDefaultTableLength);
  for (int32_t i = 0; i < kDefaultTableLength; ++i) (*names)[i] = emptyName();
  return names;
}

std::string number(int64_t n) { return std::to_string(n); }

// The table of the record into the menu: the rows it holds, then empty ones up to a whole table. What
// does not fit the count is told as damage; a short table whose count says what it holds is none.
void readTable(GameMenu& menu, const DStringPtr& storeName, const DbyteArrayPtr& record) {
  // Rows are read as far as they go, past a count that says fewer than a whole table: a damaged count
  // must not lose the rows behind it.
  DDataInputStreamPtr data = new DDataInputStream(new DByteArrayInputStream(record));
  int32_t count = -1;
  std::vector<std::pair<DStringPtr, int32_t>> rows;
  try {
    count = data->read();
    while (static_cast<int32_t>(rows.size()) < std::max(count, kDefaultTableLength) && data->available() > 0) {
      DStringPtr name = data->readUTF();
      rows.emplace_back(name, data->readInt());
    }
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
  const int32_t read = static_cast<int32_t>(rows.size());
  const int32_t n = std::max(read, kDefaultTableLength);
  DStringArrayPtr names = new DStringArray(n);
  DintArrayPtr points = new DintArray(n);
  for (int32_t i = 0; i < n; ++i) {
    (*names)[i] = i < read ? rows[static_cast<size_t>(i)].first : emptyName();
    (*points)[i] = i < read ? rows[static_cast<size_t>(i)].second : 0;
  }
  menu.setHighScores(names, points);
  std::string what;
  if (count < 0) {
    StoreSaves::damaged(storeName, "it holds no count of rows; the default table is shown");
  } else if (read != count) {
    what = "its count says " + number(count) + " rows, " + number(read) + " could be read";
  } else if (count == 0) {
    // A record of no rows holds no table at all: it is said, and read as the default one.
    what = "it holds no rows, not " + number(kDefaultTableLength);
  } else if (data->available() > 0) {
    what = number(data->available()) + " bytes follow its rows";
  }
  if (!what.empty()) StoreSaves::damaged(storeName, what + "; the rows read are kept, the others are empty ones");
  data->close();
}

}  // namespace

void GameMenu::saveOption(DStringPtr key, int32_t value) {
  try {
    StoreSaves::save(kOptionPrefix + key, {recordOf([&](DDataOutputStream& data) { data.writeInt(value); })});
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
}

int32_t GameMenu::loadOption(DStringPtr key, int32_t defaultValue) {
  return loadOption(std::move(key), defaultValue, std::numeric_limits<int32_t>::min(),
                    std::numeric_limits<int32_t>::max());
}

int32_t GameMenu::loadOption(DStringPtr key, int32_t defaultValue, int32_t lowest, int32_t highest, OutOfRange outside,
                             int32_t quietHighest) {
  const DStringPtr storeName = kOptionPrefix + key;
  try {
    StoreSaves::Records records = StoreSaves::load(storeName, 1);
    if (records.empty()) return defaultValue;
    const std::string fallback = "; the default " + number(defaultValue) + " is used";
    if (records[0]->length < kOptionBytes) {
      StoreSaves::damaged(storeName, "it is " + number(records[0]->length) + " bytes long, not 4" + fallback);
      return defaultValue;
    }
    DDataInputStreamPtr data = new DDataInputStream(new DByteArrayInputStream(records[0]));
    const int32_t value = data->readInt();
    data->close();
    if (value >= lowest && value <= highest) return value;
    const bool nearest = outside == OutOfRange::Nearest;
    const int32_t read = nearest ? std::clamp(value, lowest, highest) : defaultValue;
    if (value > highest && value <= quietHighest) return read;
    // Only the bound broken is named: the other may be no bound at all.
    const std::string broken =
        value < lowest ? "below " + number(lowest) : "above " + number(std::max(highest, quietHighest));
    StoreSaves::damaged(storeName, "it holds " + number(value) + ", " + broken +
                                       (nearest ? "; " + number(read) + " is used" : fallback));
    return read;
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
  return defaultValue;
}

void GameMenu::setHighScores(DStringArrayPtr names, DintArrayPtr newScores) {
  items = std::move(names);
  scores = std::move(newScores);
}

void GameMenu::saveHighScores(int32_t table, DStringPtr gameKey) {
  const DStringPtr storeName = tableStoreName(table, gameKey);
  try {
    if (!unreadTables.contains(std::u16string(storeName->view()))) {
      StoreSaves::save(storeName, {tableRecord(*this)});
      return;
    }
    // The rows this table has that the default one has not go into the stored table.
    StoreSaves::save(storeName, {tableRecord(*this)},
                     [storeName, names = items, points = scores](const StoreSaves::Records& stored) {
                       GameMenuPtr merged = new GameMenu();
                       readTable(*merged, storeName, stored[0]);
                       const DStringPtr empty = emptyName();
                       for (int32_t i = 0; i < names->length; ++i) {
                         if ((*points)[i] != 0 || !(*names)[i]->equals(empty))
                           merged->addHighScore((*names)[i], (*points)[i]);
                       }
                       return StoreSaves::Records{tableRecord(*merged)};
                     });
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
}

void GameMenu::loadHighScores(int32_t table, DStringPtr gameKey) {
  const DStringPtr storeName = tableStoreName(table, gameKey);
  const std::u16string name(storeName->view());
  StoreSaves::Records records;
  bool known = true;
  try {
    records = StoreSaves::load(storeName, 1, &known);
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    // A table that cannot be read now is shown as the default one, which is not saved over it.
    setHighScores(defaultNames(), new DintArray(kDefaultTableLength));
    unreadTables.insert(name);
    return;
  }
  if (known) unreadTables.erase(name);
  if (records.empty()) {
    setHighScores(defaultNames(), new DintArray(kDefaultTableLength));
    saveHighScores(table, gameKey);
    return;
  }
  readTable(*this, storeName, records[0]);
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
