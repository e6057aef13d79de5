// A fixed ring of bytes that grows on request, with a zero-copy write block for receiving into.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DbyteArray.h"

namespace nuv::util {

// No lock of its own: its owner guards it when two threads share it.
class DCyclicBuf : public nuv::lang::DObject {
 public:
  // A size below 1 gives a ring that holds nothing.
  explicit DCyclicBuf(int32_t size);

  const char* getClassName() const override { return "DCyclicBuf"; }

  // Copies in as many bytes as fit; the number copied, -1 while a write block is outstanding.
  int32_t write(const uint8_t* source, int32_t len);
  // Copies out up to len bytes in order; the number copied, -1 while a write block is outstanding.
  int32_t read(uint8_t* destination, int32_t len);
  // Up to len bytes into the array from the offset, as many as fit there; ArrayIndexOutOfBoundsException
  // for an offset outside the array.
  int32_t read(nuv::lang::DbyteArrayPtr array, int32_t offset, int32_t len);
  // The oldest byte as 0..255, or -1 when empty.
  int32_t read();

  // The contiguous free region at the write position, or null (length 0) when the ring is full or a block
  // is already outstanding. The caller fills it and ends the block with commitWrite.
  uint8_t* getWriteBlock(int32_t* length);
  // Accepts up to n bytes of the outstanding block as written; nothing without one.
  void commitWrite(int32_t n);

  // Enlarges the ring by extra bytes (at least to hold what it holds), keeping the bytes in order from
  // index 0. The new capacity; the old one when the memory cannot be had; -1 while a block is outstanding.
  int32_t grow(int32_t extra);
  // Index in the storage of the first stored line feed (byte 10), or -1.
  int32_t indexOfNewline() const;
  // Forgets every stored byte; false (nothing changed) while a block is outstanding.
  bool clear();

  int32_t count() const noexcept { return count_; }
  int32_t capacity() const noexcept { return storage_->length; }
  int32_t freeSpace() const noexcept { return capacity() - count_; }
  int32_t readPosition() const noexcept { return readPos_; }
  int32_t writePosition() const noexcept { return writePos_; }
  bool blockOutstanding() const noexcept { return blockOutstanding_; }

 private:
  uint8_t* bytes() const noexcept { return reinterpret_cast<uint8_t*>(storage_->data()); }

  nuv::lang::DbyteArrayPtr storage_;
  int32_t readPos_ = 0;
  int32_t writePos_ = 0;
  int32_t count_ = 0;
  bool blockOutstanding_ = false;
};

using DCyclicBufPtr = nuv::lang::DPtr<DCyclicBuf>;

}  // namespace nuv::util
