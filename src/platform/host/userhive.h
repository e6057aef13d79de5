// The registry's user hive (HKEY_CURRENT_USER), kept in one SQLite database in the data folder.
// Internal to the stand-in: api/registry.cpp routes the Reg* calls here. Key paths come folded to lower case,
// "\" separated, without leading or trailing separators; "" is the hive's root.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform::userhive {

struct Value {
  std::u16string name;  // as it was first written
  DWORD type = 0;
  std::vector<uint8_t> data;
};

struct KeyInfo {
  DWORD subKeys = 0;
  DWORD maxSubKeyLength = 0;
  DWORD values = 0;
  DWORD maxValueNameLength = 0;
  DWORD maxValueLength = 0;
};

// The name of the database file inside the data folder.
inline constexpr char kDatabaseName[] = "registry.db";

// How the hive waits for another process's lock on the file: the time in milliseconds, and a pause of
// some milliseconds. Real time until a test sets a clock of its own; empty functions bring it back.
struct WaitClock {
  std::function<uint64_t()> now;
  std::function<void(uint64_t)> pause;
};
void setWaitClock(WaitClock clock);

// Every call returns ERROR_BUSY when another process holds the file's lock past the wait (the first
// time this is told on stderr, with the file's path), else ERROR_SUCCESS, ERROR_NOT_FOUND for a missing
// key, or an error of the store.
LONG openKey(const std::u16string& path);
// Creates the key and every missing key above it, all in one transaction.
LONG createKey(const std::u16string& path, bool& created);
LONG deleteKey(const std::u16string& path);

// Each write is one transaction: after a crash a value is either the old one or the new one.
LONG setValue(const std::u16string& path, const std::u16string& name, DWORD type, const BYTE* data, DWORD size);
LONG queryValue(const std::u16string& path, const std::u16string& name, Value& out);
LONG enumValue(const std::u16string& path, DWORD index, Value& out);
LONG deleteValue(const std::u16string& path, const std::u16string& name);
// The longest name and data (lengths) cost a look at every value; the counts do not.
LONG queryInfo(const std::u16string& path, KeyInfo& out, bool lengths);
// The largest number the key's value names read as with "%d" (0 for a name that is no number, and for
// none below 0), names of 64 characters or more passed over; at the cost of one look-up at any size.
LONG largestValueNumber(const std::u16string& path, int64_t& largest);

// Lets go of the database; the next call opens it again, in the data folder then in force.
void close();

}  // namespace platform::userhive
