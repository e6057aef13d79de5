// The registry: HKEY_LOCAL_MACHINE describes the emulated device (read-only); HKEY_CURRENT_USER is the
// user's own, kept in a database in the data folder (platform/datafolder.h) and surviving restarts.
// Names of keys and values ignore the case of ASCII letters.
#pragma once

#include "platform/types.h"

using HKEY = struct HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});

inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Longest key name component and value name, in characters.
inline constexpr DWORD kRegistryMaxNameLength = 255;

struct FILETIME;
struct SECURITY_ATTRIBUTES;

// A key of the user hive that does not exist is reported as ERROR_NOT_FOUND; one of the device's as
// ERROR_FILE_NOT_FOUND.
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// Opens the key, creating it and the keys above it when missing (only in the user hive; the device's
// keys can be opened but not created). disposition, when given, tells which happened.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                     SECURITY_ATTRIBUTES* security, PHKEY result, DWORD* disposition);
// dataSize in bytes; with data null only the size is reported; ERROR_MORE_DATA when data is too small.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
// One write, atomic: a crash leaves the old value or the new one.
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
// Values by index in the order they were first written; ERROR_NO_MORE_ITEMS past the last.
// nameLength: characters of room (terminator included) in, characters written (without it) out.
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, DWORD* nameLength, DWORD* reserved, DWORD* type, BYTE* data,
                   DWORD* dataSize);
// Every output may be null. The class is always empty and no write time is kept.
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, DWORD* classLength, DWORD* reserved, DWORD* subKeys,
                      DWORD* maxSubKeyLength, DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength,
                      DWORD* maxValueLength, DWORD* securityDescriptorSize, FILETIME* lastWriteTime);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Removes the key with everything below it.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
LONG RegCloseKey(HKEY key);

namespace platform {

// Lets go of the user hive's database; the next registry call opens it again (in the data folder then
// in force). Tests call it before they fork, so that no process shares another's connection.
void closeUserHive();

// What enumerating every value of a user key would find: the largest number a value name reads as with
// "%d" (a name that is no number reads as 0), names of 64 characters or more passed over as a name
// buffer of 64 passes them. The handheld has no such call; here the hive answers it from an index, so
// that a record store's next id costs the same at any size. Errors as RegQueryInfoKeyW's.
LONG largestValueNumber(HKEY key, int64_t& largest);

}  // namespace platform
