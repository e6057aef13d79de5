// The user hive on SQLite: one row per key, one row per value, every write its own transaction.
#include "platform/host/userhive.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/datafolder.h"
#include "platform/host/hivelock.h"
#include "platform/host/text.h"

namespace platform::userhive {

namespace {

// Values keep the order they were first written in (their rowid), as enumeration reports them.
constexpr char kSchema[] =
    "CREATE TABLE IF NOT EXISTS keys(path TEXT PRIMARY KEY, parent TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS keys_parent ON keys(parent);"
    "CREATE TABLE IF NOT EXISTS vals(key TEXT NOT NULL, fold TEXT NOT NULL, name TEXT NOT NULL,"
    " type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, fold));";

// The number a value name reads as with "%d", names of 64 characters or more passed over; the text is
// that of the index, so that the queries below find it there.
#define GH_VALUE_NUMBER "CASE WHEN length(name) < 64 THEN CAST(name AS INTEGER) ELSE 0 END"

// What keeps a key's count of values and its largest value number from costing a scan of its values:
// a count per key kept by triggers, and an index of the numbers. The database keeps them itself, so
// they stay right whichever program writes it. Made in one transaction; a hive made before them gets
// its counts from the values it holds.
constexpr char kCountsSchema[] =
    "CREATE TABLE IF NOT EXISTS counts(key TEXT PRIMARY KEY, n INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS vals_number ON vals(key, " GH_VALUE_NUMBER
    ");"
    "CREATE TRIGGER IF NOT EXISTS vals_added AFTER INSERT ON vals BEGIN"
    " INSERT INTO counts(key, n) VALUES(new.key, 1) ON CONFLICT(key) DO UPDATE SET n = n + 1; END;"
    "CREATE TRIGGER IF NOT EXISTS vals_removed AFTER DELETE ON vals BEGIN"
    " UPDATE counts SET n = n - 1 WHERE key = old.key; END;"
    "CREATE TRIGGER IF NOT EXISTS keys_removed AFTER DELETE ON keys BEGIN"
    " DELETE FROM counts WHERE key = old.path; END;"
    "INSERT OR REPLACE INTO counts(key, n) SELECT key, count(*) FROM vals GROUP BY key;";
// The last of them made: when it is there, all are.
constexpr char kCountsMade[] = "SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND name = 'keys_removed'";

std::mutex hiveLock;
sqlite3* db = nullptr;     // guarded by hiveLock
bool readOnly = false;     // guarded by hiveLock: db was opened for reading only
bool counted = false;      // guarded by hiveLock: db keeps the counts of kCountsSchema
std::string dbFolder;      // guarded by hiveLock: the data folder db was opened in
std::string reportedFile;  // guarded by hiveLock: the file whose trouble was last reported

// Another process (a second instance, a tool) may hold the file's lock.
LockWaits lockWaits;  // guarded by hiveLock

// A statement of db kept once prepared, found again by its text: each is a literal of this file, so its
// address names it. Preparing costs more than most registry calls it serves.
struct Prepared {
  const char* sql;
  sqlite3_stmt* stmt;
  bool inUse;
};
std::vector<Prepared> prepared;  // guarded by hiveLock

void closeDb() {
  for (const Prepared& p : prepared) sqlite3_finalize(p.stmt);
  prepared.clear();
  if (db) sqlite3_close(db);
  db = nullptr;
  readOnly = false;
  counted = false;
  dbFolder.clear();
}

// Trouble with the settings file is told once per file, not at every registry call.
void reportOnce(const std::string& file, const std::string& message) {
  if (file == reportedFile) return;
  reportedFile = file;
  std::fprintf(stderr, "GlimmerHut: %s\n", message.c_str());
}

bool isBusy(int code) { return LockWaits::isBusy(code); }
int answered(int code) { return lockWaits.answered(code); }

LONG readFailure(int code) { return isBusy(code) ? ERROR_BUSY : ERROR_BADDB; }
LONG writeFailure(int code) { return isBusy(code) ? ERROR_BUSY : ERROR_REGISTRY_IO_FAILED; }

// Opens the file as the hive's database; null, with SQLite's error code and reason, when it cannot be used.
sqlite3* openHive(const std::string& file, int& code, std::string& reason) {
  sqlite3* opened = nullptr;
  code = sqlite3_open_v2(file.c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                         nullptr);
  if (code == SQLITE_OK) {
    sqlite3_busy_handler(opened, LockWaits::handler, &lockWaits);
    // WAL with full sync: a committed value survives a power cut, a torn write is never seen.
    code =
        answered(sqlite3_exec(opened, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr));
    if (code == SQLITE_OK) code = answered(sqlite3_exec(opened, kSchema, nullptr, nullptr, nullptr));
    if (code == SQLITE_OK) return opened;
  }
  reason = opened ? sqlite3_errmsg(opened) : sqlite3_errstr(code);
  sqlite3_close(opened);
  return nullptr;
}

// A file that is not a database is kept under a name of its own, with its write-ahead log, so that
// nothing is lost and a fresh hive can take its place. The name it was kept under, or "" when it could
// not be moved.
std::string moveAside(const std::string& file) {
  std::error_code failed;
  std::string aside = file + ".damaged";
  for (int n = 2; std::filesystem::exists(aside, failed); ++n) aside = file + ".damaged" + std::to_string(n);
  std::filesystem::rename(file, aside, failed);
  if (failed) return "";
  std::error_code ignored;
  if (std::filesystem::exists(file + "-wal", ignored)) std::filesystem::rename(file + "-wal", aside + "-wal", ignored);
  std::filesystem::remove(file + "-shm", ignored);
  return aside;
}

// Whether the path may be written. Write bits count even where the host would let the process write
// anyway (as root): a file or folder its owner made read-only is left as it is.
bool writable(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// A file URI for SQLite: every byte outside the unreserved set percent-encoded.
std::string fileUri(const std::string& file, const char* query) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (unsigned char c : file) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri + "?" + query;
}

sqlite3* openForReading(const std::string& name, int flags) {
  sqlite3* opened = nullptr;
  if (sqlite3_open_v2(name.c_str(), &opened, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX | flags, nullptr) ==
      SQLITE_OK) {
    sqlite3_busy_handler(opened, LockWaits::handler, &lockWaits);
    // The open itself reads nothing; a hive that cannot be read shows here.
    if (sqlite3_exec(opened, "SELECT 1 FROM keys LIMIT 1; SELECT 1 FROM vals LIMIT 1;", nullptr, nullptr, nullptr) ==
        SQLITE_OK)
      return opened;
  }
  sqlite3_close(opened);
  return nullptr;
}

// A hive that may not be written is read as it is. In a folder that may not be written either, the
// write-ahead log's shared index cannot be made, and the file is read as one that nobody changes.
sqlite3* openReadOnly(const std::string& file) {
  sqlite3* opened = openForReading(file, 0);
  return opened ? opened : openForReading(fileUri(file, "immutable=1"), SQLITE_OPEN_URI);
}

bool hasCounts(sqlite3* connection) {
  sqlite3_stmt* find = nullptr;
  const bool found = answered(sqlite3_prepare_v2(connection, kCountsMade, -1, &find, nullptr)) == SQLITE_OK &&
                     answered(sqlite3_step(find)) == SQLITE_ROW;
  sqlite3_finalize(find);
  return found;
}

// Adds the counts to a hive made without them. False when the hive goes on without them for now: it
// cannot be written (another process holds it, or it is read-only).
bool makeCounts(sqlite3* connection) {
  if (hasCounts(connection)) return true;
  lockWaits.setWriting(true);
  int code = answered(sqlite3_exec(connection, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
  if (code == SQLITE_OK) {
    code = answered(sqlite3_exec(connection, kCountsSchema, nullptr, nullptr, nullptr));
    if (code == SQLITE_OK) code = answered(sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr));
    if (code != SQLITE_OK) sqlite3_exec(connection, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  lockWaits.setWriting(false);
  return code == SQLITE_OK;
}

// Opens (creating when needed) the database of the current data folder; null, with the error to return,
// when it cannot be used. A hive that may not be written still shows what it holds.
sqlite3* database(LONG& failure) {
  failure = ERROR_BADDB;
  const std::string folder = platform::dataFolder();
  if (db && folder == dbFolder) return db;
  closeDb();
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const std::string file = folder + "/" + kDatabaseName;
  lockWaits.setFile(file);
  const bool exists = std::filesystem::is_regular_file(file, ignored);
  sqlite3* opened = nullptr;
  int code = SQLITE_OK;
  std::string reason = "it cannot be written";
  if (!exists || (writable(file) && writable(folder))) {
    opened = openHive(file, code, reason);
    // Held by another process: told as such, and opened again at the next call.
    if (opened == nullptr && isBusy(code)) {
      failure = ERROR_BUSY;
      return nullptr;
    }
    if (opened == nullptr && (code & 0xFF) == SQLITE_NOTADB) {
      const std::string aside = moveAside(file);
      if (!aside.empty()) {
        reportOnce(file, "the settings file " + file + " is not a database; it is kept as " + aside +
                             " and a new one is made");
        opened = openHive(file, code, reason);
      }
    }
  }
  if (opened == nullptr && exists && (opened = openReadOnly(file)) != nullptr) {
    reportOnce(file, "the settings file " + file + " cannot be written; changes will not be saved");
    readOnly = true;
  }
  if (opened == nullptr) {
    reportOnce(file, "the settings cannot be kept in " + file + ": " + reason);
    return nullptr;
  }
  db = opened;
  dbFolder = folder;
  counted = readOnly ? hasCounts(db) : makeCounts(db);
  return db;
}

// One statement of db, from those kept or prepared anew; reset and kept again when it goes. The same
// text in use twice at once gets a statement of its own, finalised when it goes.
class Statement {
 public:
  Statement(sqlite3* connection, const char* sql) {
    if (connection == nullptr) return;
    for (size_t i = 0; i < prepared.size() && connection == db; ++i) {
      if (prepared[i].sql == sql && !prepared[i].inUse) {
        prepared[i].inUse = true;
        stmt_ = prepared[i].stmt;
        kept_ = i;
        return;
      }
    }
    // Preparing reads the schema, which another process's lock may keep from it too.
    prepareCode_ = answered(sqlite3_prepare_v3(connection, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr));
    if (prepareCode_ != SQLITE_OK) {
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
      return;
    }
    if (connection != db) return;
    try {
      prepared.push_back({sql, stmt_, true});
      kept_ = prepared.size() - 1;
    } catch (const std::bad_alloc&) {
    }
  }
  ~Statement() {
    if (kept_ == kNotKept) {
      sqlite3_finalize(stmt_);
      return;
    }
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    prepared[kept_].inUse = false;
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  Statement& bind(int index, const std::u16string& text) {
    std::string utf8 = platform::toUtf8(text);
    if (stmt_) sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& bind(int index, int64_t number) {
    if (stmt_) sqlite3_bind_int64(stmt_, index, number);
    return *this;
  }
  Statement& bindBlob(int index, const BYTE* data, DWORD size) {
    // A zero-length blob must still be a blob, not NULL.
    if (stmt_)
      sqlite3_bind_blob(stmt_, index, size ? data : reinterpret_cast<const BYTE*>(""), static_cast<int>(size),
                        SQLITE_TRANSIENT);
    return *this;
  }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int step() { return stmt_ ? answered(sqlite3_step(stmt_)) : prepareCode_; }

  int64_t integer(int column) { return sqlite3_column_int64(stmt_, column); }
  std::u16string text(int column) {
    const auto* s = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return s ? platform::fromUtf8(std::string_view(s, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))))
             : std::u16string();
  }
  std::vector<uint8_t> blob(int column) {
    const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>();
  }

 private:
  static constexpr size_t kNotKept = SIZE_MAX;
  sqlite3_stmt* stmt_ = nullptr;
  size_t kept_ = kNotKept;
  int prepareCode_ = SQLITE_ERROR;
};

// A write transaction that rolls back unless committed. While it lives, a lock met is a write's.
class Transaction {
 public:
  explicit Transaction(sqlite3* connection) : db_(connection) {
    lockWaits.setWriting(true);
    began_ = run("BEGIN IMMEDIATE");
  }
  ~Transaction() {
    if (began_) run("ROLLBACK");
    lockWaits.setWriting(false);
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool began() const { return began_; }
  bool commit() {
    if (!began_) return false;
    began_ = false;
    if (run("COMMIT")) return true;
    run("ROLLBACK");
    return false;
  }
  // What a write that did not begin or commit returns.
  LONG failure() const { return writeFailure(code_); }

 private:
  bool run(const char* sql) {
    const int code = Statement(db_, sql).step();
    if (code != SQLITE_DONE) code_ = code;
    return code == SQLITE_DONE;
  }

  sqlite3* db_;
  bool began_ = false;
  int code_ = SQLITE_OK;
};

std::u16string fold(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return out;
}

std::u16string parentOf(const std::u16string& path) {
  size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

// The hive's root always exists.
LONG keyState(sqlite3* connection, const std::u16string& path) {
  if (path.empty()) return ERROR_SUCCESS;
  Statement find(connection, "SELECT 1 FROM keys WHERE path = ?");
  switch (const int code = find.bind(1, path).step()) {
    case SQLITE_ROW:
      return ERROR_SUCCESS;
    case SQLITE_DONE:
      return ERROR_NOT_FOUND;
    default:
      return readFailure(code);
  }
}

// Same as keyState, for a key an open handle names: its disappearance is ERROR_KEY_DELETED.
LONG openedKeyState(sqlite3* connection, const std::u16string& path) {
  LONG state = keyState(connection, path);
  return state == ERROR_NOT_FOUND ? ERROR_KEY_DELETED : state;
}

// What every call on the hive opens with: the lock held while it runs, the connection made, and for a write
// the hive writable and the write's transaction begun; on a key an open handle names, that key still there.
// While failure() says anything but ERROR_SUCCESS the call returns it.
class Call {
 public:
  enum Kind { kRead, kWrite };

  explicit Call(Kind kind, const std::u16string* openedKey = nullptr) : lock_(hiveLock) {
    connection_ = database(failure_);
    if (connection_ == nullptr) return;
    failure_ = ERROR_SUCCESS;
    if (kind == kWrite) {
      if (readOnly) {
        failure_ = ERROR_ACCESS_DENIED;
        return;
      }
      transaction_.emplace(connection_);
      if (!transaction_->began()) {
        failure_ = transaction_->failure();
        return;
      }
    }
    if (openedKey != nullptr) failure_ = openedKeyState(connection_, *openedKey);
  }

  LONG failure() const { return failure_; }
  sqlite3* connection() const { return connection_; }
  // The write made lasting: ERROR_SUCCESS, or the transaction's failure.
  LONG commit() { return transaction_->commit() ? ERROR_SUCCESS : transaction_->failure(); }

 private:
  std::lock_guard<std::mutex> lock_;
  sqlite3* connection_ = nullptr;
  std::optional<Transaction> transaction_;
  LONG failure_ = ERROR_BADDB;
};

}  // namespace

void setWaitClock(WaitClock clock) {
  std::lock_guard lock(hiveLock);
  lockWaits.setClock(std::move(clock));
}

LONG openKey(const std::u16string& path) {
  Call call(Call::kRead);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  return keyState(call.connection(), path);
}

LONG createKey(const std::u16string& path, bool& created) {
  created = false;
  Call call(Call::kRead);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  sqlite3* connection = call.connection();
  // An existing key is only opened, which a hive that cannot be written allows too.
  if (LONG state = keyState(connection, path); state != ERROR_NOT_FOUND) return state;
  if (readOnly) return ERROR_ACCESS_DENIED;
  Transaction transaction(connection);
  if (!transaction.began()) return transaction.failure();
  // Each missing key from the top down, parents before children.
  for (size_t end = 0; end != std::u16string::npos;) {
    end = path.find(u'\\', end + 1);
    const std::u16string key = path.substr(0, end);
    Statement insert(connection, "INSERT OR IGNORE INTO keys(path, parent) VALUES(?, ?)");
    if (const int code = insert.bind(1, key).bind(2, parentOf(key)).step(); code != SQLITE_DONE)
      return writeFailure(code);
    created = sqlite3_changes(connection) > 0;
  }
  return transaction.commit() ? ERROR_SUCCESS : transaction.failure();
}

LONG deleteKey(const std::u16string& path) {
  if (path.empty()) return ERROR_ACCESS_DENIED;
  Call call(Call::kWrite);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  sqlite3* connection = call.connection();
  if (LONG state = keyState(connection, path); state != ERROR_SUCCESS)
    return state == ERROR_NOT_FOUND ? ERROR_FILE_NOT_FOUND : state;
  // The key goes with everything below it, as on the handheld.
  const std::u16string below = path + u"\\";
  Statement values(connection, "DELETE FROM vals WHERE key = ?1 OR substr(key, 1, length(?2)) = ?2");
  Statement keys(connection, "DELETE FROM keys WHERE path = ?1 OR substr(path, 1, length(?2)) = ?2");
  if (const int code = values.bind(1, path).bind(2, below).step(); code != SQLITE_DONE) return writeFailure(code);
  if (const int code = keys.bind(1, path).bind(2, below).step(); code != SQLITE_DONE) return writeFailure(code);
  return call.commit();
}

LONG setValue(const std::u16string& path, const std::u16string& name, DWORD type, const BYTE* data, DWORD size) {
  Call call(Call::kWrite, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  Statement upsert(call.connection(),
                   "INSERT INTO vals(key, fold, name, type, data) VALUES(?, ?, ?, ?, ?)"
                   " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
  upsert.bind(1, path).bind(2, fold(name)).bind(3, name).bind(4, int64_t{type}).bindBlob(5, data, size);
  if (const int code = upsert.step(); code != SQLITE_DONE) return writeFailure(code);
  return call.commit();
}

LONG queryValue(const std::u16string& path, const std::u16string& name, Value& out) {
  Call call(Call::kRead, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  Statement find(call.connection(), "SELECT name, type, data FROM vals WHERE key = ? AND fold = ?");
  switch (const int code = find.bind(1, path).bind(2, fold(name)).step()) {
    case SQLITE_ROW:
      out = Value{find.text(0), static_cast<DWORD>(find.integer(1)), find.blob(2)};
      return ERROR_SUCCESS;
    case SQLITE_DONE:
      return ERROR_FILE_NOT_FOUND;
    default:
      return readFailure(code);
  }
}

LONG enumValue(const std::u16string& path, DWORD index, Value& out) {
  Call call(Call::kRead, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  Statement find(call.connection(), "SELECT name, type, data FROM vals WHERE key = ? ORDER BY rowid LIMIT 1 OFFSET ?");
  switch (const int code = find.bind(1, path).bind(2, int64_t{index}).step()) {
    case SQLITE_ROW:
      out = Value{find.text(0), static_cast<DWORD>(find.integer(1)), find.blob(2)};
      return ERROR_SUCCESS;
    case SQLITE_DONE:
      return ERROR_NO_MORE_ITEMS;
    default:
      return readFailure(code);
  }
}

LONG deleteValue(const std::u16string& path, const std::u16string& name) {
  Call call(Call::kWrite, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  Statement remove(call.connection(), "DELETE FROM vals WHERE key = ? AND fold = ?");
  if (const int code = remove.bind(1, path).bind(2, fold(name)).step(); code != SQLITE_DONE) return writeFailure(code);
  if (sqlite3_changes(call.connection()) == 0) return ERROR_FILE_NOT_FOUND;
  return call.commit();
}

LONG queryInfo(const std::u16string& path, KeyInfo& out, bool lengths) {
  Call call(Call::kRead, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  sqlite3* connection = call.connection();
  // Lengths in characters; the sub-key length is that of the last path component.
  Statement keys(connection,
                 "SELECT count(*), coalesce(max(length(path) - length(parent) - (parent <> '')), 0)"
                 " FROM keys WHERE parent = ?");
  if (const int code = keys.bind(1, path).step(); code != SQLITE_ROW) return readFailure(code);
  out.subKeys = static_cast<DWORD>(keys.integer(0));
  out.maxSubKeyLength = static_cast<DWORD>(keys.integer(1));
  // The longest name and data are found only by looking at every value; the count is kept.
  Statement values(connection, lengths   ? "SELECT count(*), coalesce(max(length(name)), 0),"
                                           " coalesce(max(length(data)), 0) FROM vals WHERE key = ?"
                               : counted ? "SELECT coalesce((SELECT n FROM counts WHERE key = ?), 0), 0, 0"
                                         : "SELECT count(*), 0, 0 FROM vals WHERE key = ?");
  if (const int code = values.bind(1, path).step(); code != SQLITE_ROW) return readFailure(code);
  out.values = static_cast<DWORD>(values.integer(0));
  out.maxValueNameLength = static_cast<DWORD>(values.integer(1));
  out.maxValueLength = static_cast<DWORD>(values.integer(2));
  return ERROR_SUCCESS;
}

LONG largestValueNumber(const std::u16string& path, int64_t& largest) {
  largest = 0;
  Call call(Call::kRead, &path);
  if (call.failure() != ERROR_SUCCESS) return call.failure();
  Statement find(call.connection(),
                 "SELECT " GH_VALUE_NUMBER " AS number FROM vals WHERE key = ? ORDER BY number DESC LIMIT 1");
  switch (const int code = find.bind(1, path).step()) {
    case SQLITE_ROW:
      largest = std::max<int64_t>(0, find.integer(0));
      return ERROR_SUCCESS;
    case SQLITE_DONE:
      return ERROR_SUCCESS;
    default:
      return readFailure(code);
  }
}

void close() {
  std::lock_guard lock(hiveLock);
  closeDb();
}

}  // namespace platform::userhive
