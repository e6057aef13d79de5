// The registry's user hive (HKEY_CURRENT_USER), kept in one SQLite database in the data folder.
// Internal to the stand-in: api/registry.cpp routes the Reg* calls here. Key paths come folded to lower case,
// "\" separated, without leading or trailing separators; "" is the hive's root.
#pragma once

#include <cstdint>
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

// ERROR_SUCCESS, ERROR_NOT_FOUND for a missing key, or an error of the store.
LONG openKey(const std::u16string& path);
// Creates the key and every missing key above it, all in one transaction.
LONG createKey(const std::u16string& path, bool& created);
LONG deleteKey(const std::u16string& path);

// Each write is one transaction: after a crash a value is either the old one or the new one.
LONG setValue(const std::u16string& path, const std::u16string& name, DWORD type, const BYTE* data, DWORD size);
LONG queryValue(const std::u16string& path, const std::u16string& name, Value& out);
LONG enumValue(const std::u16string& path, DWORD index, Value& out);
LONG deleteValue(const std::u16string& path, const std::u16string& name);
LONG queryInfo(const std::u16string& path, KeyInfo& out);

// Lets go of the database; the next call opens it again, in the data folder then in force.
void close();

}  // namespace platform::userhive
