// Kernel services of the handheld that the video drivers use: kernel mode, reserved address space with
// physical pages mapped into it, the page size, the processor's identification and the
// high-resolution counter.
#pragma once

#include <cstddef>

#include "platform/types.h"

inline constexpr DWORD MEM_RESERVE = 0x2000;
inline constexpr DWORD MEM_RELEASE = 0x8000;
inline constexpr DWORD PAGE_NOACCESS = 0x01;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD PAGE_NOCACHE = 0x200;
inline constexpr DWORD PAGE_PHYSICAL = 0x400;
inline constexpr DWORD EXCEPTION_ACCESS_VIOLATION = 0xC0000005;

struct SYSTEM_INFO {
  WORD wProcessorArchitecture;
  WORD wReserved;
  DWORD dwPageSize;
  LPVOID lpMinimumApplicationAddress;
  LPVOID lpMaximumApplicationAddress;
  DWORD dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};

struct LARGE_INTEGER {
  int64_t QuadPart;
};

void GetSystemInfo(SYSTEM_INFO* info);
// Only reservations (MEM_RESERVE, PAGE_NOACCESS) are offered: address space for VirtualCopy.
LPVOID VirtualAlloc(LPVOID address, DWORD size, DWORD type, DWORD protect);
// With PAGE_PHYSICAL, source is the physical address shifted right by 8. Needs kernel mode; page-aligned
// destination inside a reservation; FALSE for physical memory the device does not have.
BOOL VirtualCopy(LPVOID destination, LPVOID source, DWORD size, DWORD protect);
// MEM_RELEASE of a whole reservation, with whatever was mapped into it.
BOOL VirtualFree(LPVOID address, DWORD size, DWORD type);

// TRUE when any of the bytes cannot be read.
BOOL IsBadReadPtr(const void* address, size_t bytes);

// "SetKMode" of "coredll.dll": returns the previous mode.
BOOL SetKMode(BOOL kernelMode);
using SetKModeProc = BOOL (*)(BOOL kernelMode);

BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// The processor's main identification register, read the way the handheld's MRC instruction does:
// outside kernel mode it faults.
DWORD ReadMainIdRegister();

namespace platform {

// A fault raised by the emulated hardware where the handheld would raise a structured exception; the
// program catches it where it would have guarded the access.
struct StructuredException {
  DWORD code;
};

bool kernelMode();

}  // namespace platform
