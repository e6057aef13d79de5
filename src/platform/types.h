// The types every layer of the stand-in shares: the handheld's basic types, error codes and key codes, as
// the code above the stand-in expects them, and plain pictures in host memory.
#pragma once

#include <cstdint>
#include <vector>

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = uint32_t;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using HANDLE = void*;
using HMODULE = struct HMODULE__*;
using HINSTANCE = HMODULE;
using FARPROC = void (*)();
// Result of the COM-style calls: negative is a failure.
using HRESULT = LONG;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t{-1});

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr UINT MAX_PATH = 260;

inline constexpr HRESULT S_OK = 0;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_READ_FAULT = 30;
inline constexpr LONG ERROR_GEN_FAILURE = 31;
inline constexpr LONG ERROR_FILE_EXISTS = 80;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_BUSY = 170;
inline constexpr LONG ERROR_NEGATIVE_SEEK = 131;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_FILE_INVALID = 1006;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_NOT_OWNER = 288;
inline constexpr LONG ERROR_NOT_FOUND = 1168;

// Virtual-key codes the handheld's keyboard driver reports.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_LWIN = 0x5B;
inline constexpr UINT VK_RWIN = 0x5C;
inline constexpr UINT VK_F1 = 0x70;
inline constexpr UINT VK_F2 = 0x71;
inline constexpr UINT VK_F3 = 0x72;
inline constexpr UINT VK_F4 = 0x73;
inline constexpr UINT VK_F8 = 0x77;
inline constexpr UINT VK_F9 = 0x78;
inline constexpr UINT VK_F13 = 0x7C;
inline constexpr UINT VK_F24 = 0x87;
inline constexpr UINT VK_APP1 = 0xC1;
inline constexpr UINT VK_APP2 = 0xC2;
inline constexpr UINT VK_APP3 = 0xC3;
inline constexpr UINT VK_APP4 = 0xC4;

namespace platform {

// The largest side of a screen, the emulated device's or the one the command line asks for: beyond it
// the frame buffers alone would take more than the handheld's memory (four of 8 MB at 2048 x 2048).
inline constexpr int kMaxScreenSide = 2048;

// A plain 24-bit picture in host memory: captured frames and the program's own pictures.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row after row
};

}  // namespace platform
