// Reserving address space and mapping physical pages into it.
#include "shell/hal/PhysicalMapping.h"

#include <cstring>

#include "platform/api/kernel.h"
#include "shell/hal/DisplayServices.h"

namespace ScreenHAL {

namespace {

constexpr int kPhysicalShift = 8;  // VirtualCopy takes physical addresses in units of 256 bytes

// Turns kernel mode on and restores the previous mode, also when the device faults.
class KernelMode {
 public:
  KernelMode() : previous_(setKernelMode(TRUE)) {}
  KernelMode(const KernelMode&) = delete;
  KernelMode& operator=(const KernelMode&) = delete;
  ~KernelMode() { setKernelMode(previous_); }

 private:
  BOOL previous_;
};

}  // namespace

bool PhysicalMapping::map(uint64_t physical, size_t size, bool cached) {
  release();
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  const uint64_t page = info.dwPageSize != 0 ? info.dwPageSize : 4096;
  const uint64_t first = physical / page * page;
  const size_t span = static_cast<size_t>((physical - first + size + page - 1) / page * page);
  auto* reserved = static_cast<uint8_t*>(VirtualAlloc(nullptr, static_cast<DWORD>(span), MEM_RESERVE, PAGE_NOACCESS));
  if (reserved == nullptr) return false;
  reservation_ = reserved;
  const DWORD protect = PAGE_READWRITE | PAGE_PHYSICAL | (cached ? 0 : PAGE_NOCACHE);
  bool mapped = false;
  {
    KernelMode kernel;
    try {
      mapped = VirtualCopy(reserved, reinterpret_cast<void*>(static_cast<uintptr_t>(first >> kPhysicalShift)),
                           static_cast<DWORD>(span), protect) != FALSE;
    } catch (...) {
      release();
      throw;
    }
  }
  if (!mapped) {
    release();
    return false;
  }
  address_ = reserved + (physical - first);
  size_ = size;
  return true;
}

void PhysicalMapping::release() {
  if (reservation_ != nullptr) VirtualFree(reservation_, 0, MEM_RELEASE);
  reservation_ = nullptr;
  address_ = nullptr;
  size_ = 0;
}

uint32_t PhysicalMapping::read32(size_t offset) const {
  uint32_t value = 0;
  if (address_ != nullptr && offset + sizeof value <= size_) {
    // Device registers change under the program: read each one fresh.
    value = *reinterpret_cast<volatile const uint32_t*>(address_ + offset);
  }
  return value;
}

uint16_t PhysicalMapping::read16(size_t offset) const {
  uint16_t value = 0;
  if (address_ != nullptr && offset + sizeof value <= size_)
    value = *reinterpret_cast<volatile const uint16_t*>(address_ + offset);
  return value;
}

}  // namespace ScreenHAL
