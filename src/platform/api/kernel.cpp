// Reservations of address space with physical pages mapped into them, the page size, the
// high-resolution counter (which a slow video bus holds up) and the processor's identification.
#include "platform/api/kernel.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>

#include "platform/device/device.h"
#include "platform/device/videohw.h"
#include "platform/host/memory.h"

namespace {

constexpr int64_t kCounterFrequency = 1000000;  // microseconds

std::mutex reservationsLock;
std::map<uintptr_t, size_t> reservations;  // start -> bytes; guarded by reservationsLock

std::atomic<bool> kernelModeOn{false};

size_t pageSize() { return platform::memory::pageSize(); }

bool insideReservation(uintptr_t start, size_t bytes) {
  std::lock_guard lock(reservationsLock);
  auto it = reservations.upper_bound(start);
  if (it == reservations.begin()) return false;
  --it;
  return start >= it->first && start + bytes <= it->first + it->second;
}

}  // namespace

BOOL SetKMode(BOOL on) { return kernelModeOn.exchange(on != FALSE) ? TRUE : FALSE; }

bool platform::kernelMode() { return kernelModeOn.load(); }

void GetSystemInfo(SYSTEM_INFO* info) {
  if (info == nullptr) return;
  *info = SYSTEM_INFO{};
  info->dwPageSize = static_cast<DWORD>(pageSize());
  info->dwAllocationGranularity = 0x10000;
  info->dwNumberOfProcessors = 1;
}

LPVOID VirtualAlloc(LPVOID address, DWORD size, DWORD type, DWORD) {
  if (address != nullptr || size == 0 || type != MEM_RESERVE) return nullptr;
  const size_t page = pageSize();
  const size_t bytes = (static_cast<size_t>(size) + page - 1) / page * page;
  void* reserved = platform::memory::reserve(bytes);
  if (reserved == nullptr) return nullptr;
  std::lock_guard lock(reservationsLock);
  reservations[reinterpret_cast<uintptr_t>(reserved)] = bytes;
  return reserved;
}

BOOL VirtualCopy(LPVOID destination, LPVOID source, DWORD size, DWORD protect) {
  if (destination == nullptr || size == 0 || (protect & PAGE_PHYSICAL) == 0 || !platform::kernelMode()) return FALSE;
  const uint64_t physical = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(source)) << 8;
  if (!insideReservation(reinterpret_cast<uintptr_t>(destination), size)) return FALSE;
  // The emulation cannot make a register read fault; a device that faults there faults here.
  if (platform::video::isLcdPhysical(physical) && platform::device().video.probeFaults)
    throw platform::StructuredException{EXCEPTION_ACCESS_VIOLATION};
  return platform::video::mapPhysical(destination, physical, size) ? TRUE : FALSE;
}

BOOL VirtualFree(LPVOID address, DWORD, DWORD type) {
  if (type != MEM_RELEASE) return FALSE;
  size_t bytes = 0;
  {
    std::lock_guard lock(reservationsLock);
    auto it = reservations.find(reinterpret_cast<uintptr_t>(address));
    if (it == reservations.end()) return FALSE;
    bytes = it->second;
    reservations.erase(it);
  }
  return platform::memory::release(address, bytes) ? TRUE : FALSE;
}

BOOL IsBadReadPtr(const void* address, size_t bytes) {
  if (address == nullptr) return bytes != 0 ? TRUE : FALSE;
  return platform::memory::readable(address, bytes) ? FALSE : TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (count == nullptr) return FALSE;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() +
                     static_cast<int64_t>(platform::video::busStallNanoseconds());
  count->QuadPart = ns / (1000000000 / kCounterFrequency);
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (frequency == nullptr) return FALSE;
  frequency->QuadPart = kCounterFrequency;
  return TRUE;
}

DWORD ReadMainIdRegister() {
  if (!platform::kernelMode()) throw platform::StructuredException{EXCEPTION_ACCESS_VIOLATION};
  return platform::video::mainIdRegister();
}
