// Files of the handheld: open, read, write, move, flush, close, delete, and read-only mappings.
// Every name is a device path ("\a\b.txt"), mapped to the host by platform::toHostPath.
// Sharing modes are accepted but not enforced: the host decides who may open a file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/api/handle.h"
#include "platform/types.h"

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 1;
inline constexpr DWORD FILE_SHARE_WRITE = 2;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
// Neither a file nor a folder: a FIFO, a socket or a device on the host.
inline constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x40;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD FILE_MAP_READ = 0x0004;

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPCVOID = const void*;

// INVALID_HANDLE_VALUE on failure, with the reason in GetLastError. Only files can be opened: a directory, a
// FIFO, a socket or a device fails with ERROR_ACCESS_DENIED at once (a FIFO is never waited on).
// CREATE_ALWAYS and OPEN_ALWAYS succeed on an existing file and set ERROR_ALREADY_EXISTS.
HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// At the end of the file it succeeds with 0 bytes read.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, DWORD* bytesRead, void* overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, DWORD* bytesWritten, void* overlapped);
// Without distanceHigh the distance is a signed 32-bit move. Positions past the end are allowed; a
// position before the start fails with ERROR_NEGATIVE_SEEK. INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
BOOL FlushFileBuffers(HANDLE file);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL DeleteFileW(LPCWSTR fileName);
// FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_DIRECTORY or FILE_ATTRIBUTE_DEVICE; INVALID_FILE_ATTRIBUTES when
// there is nothing by that name. Asking never opens the file, so a FIFO does not hold the caller.
DWORD GetFileAttributesW(LPCWSTR fileName);

// A file opened for mapping: as CreateFileW, read access only.
HANDLE CreateFileForMappingW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                             DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Only PAGE_READONLY mappings of a whole existing file; an empty file fails with ERROR_FILE_INVALID.
// Returns null on failure. The mapping stays valid after the file handle is closed.
HANDLE CreateFileMappingW(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCWSTR name);
// FILE_MAP_READ views; 0 bytes maps from the offset to the end. A view outlives its mapping handle.
LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap);
BOOL UnmapViewOfFile(LPCVOID baseAddress);
