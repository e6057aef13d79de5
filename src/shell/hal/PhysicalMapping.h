// Physical memory of the device (LCD controller registers, a palette) mapped into the program's address
// space for as long as the mapping lives.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ScreenHAL {

class PhysicalMapping {
 public:
  PhysicalMapping() = default;
  PhysicalMapping(const PhysicalMapping&) = delete;
  PhysicalMapping& operator=(const PhysicalMapping&) = delete;
  ~PhysicalMapping() { release(); }

  // Maps size bytes from the physical address, uncached unless asked, with kernel mode on only for the
  // call. False when the device has no memory there. A fault of the device passes through.
  bool map(uint64_t physical, size_t size, bool cached = false);
  void release();

  uint8_t* address() const { return address_; }
  uint32_t read32(size_t offset) const;
  uint16_t read16(size_t offset) const;

 private:
  uint8_t* reservation_ = nullptr;
  uint8_t* address_ = nullptr;
  size_t size_ = 0;
};

}  // namespace ScreenHAL
