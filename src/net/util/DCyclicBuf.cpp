// The byte ring: copying reads and writes, the write block, growing and the line-feed search.
#include "net/util/DCyclicBuf.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/lang/DExceptionBase.h"

namespace nuv::util {

using nuv::lang::DbyteArray;

namespace {

constexpr uint8_t kLineFeed = 10;

}  // namespace

DCyclicBuf::DCyclicBuf(int32_t size) : storage_(new DbyteArray(size)) {}

int32_t DCyclicBuf::write(const uint8_t* source, int32_t len) {
  if (blockOutstanding_) return -1;
  const int32_t cap = capacity();
  const int32_t n = std::min(cap - count_, len);
  if (n < 1) return 0;
  uint8_t* ring = bytes();
  if (writePos_ < readPos_) {
    std::memcpy(ring + writePos_, source, static_cast<size_t>(n));
    writePos_ += n;
  } else {
    const int32_t tail = cap - writePos_;
    if (n > tail) {
      std::memcpy(ring + writePos_, source, static_cast<size_t>(tail));
      std::memcpy(ring, source + tail, static_cast<size_t>(n - tail));
      writePos_ = n - tail;
    } else {
      std::memcpy(ring + writePos_, source, static_cast<size_t>(n));
      writePos_ += n;
      if (writePos_ == cap) writePos_ = 0;
    }
  }
  count_ += n;
  return n;
}

int32_t DCyclicBuf::read(uint8_t* destination, int32_t len) {
  if (blockOutstanding_) return -1;
  const int32_t cap = capacity();
  const int32_t n = std::min(count_, len);
  if (n < 1) return 0;
  const uint8_t* ring = bytes();
  if (readPos_ >= writePos_ && n > cap - readPos_) {
    const int32_t tail = cap - readPos_;
    std::memcpy(destination, ring + readPos_, static_cast<size_t>(tail));
    std::memcpy(destination + tail, ring, static_cast<size_t>(n - tail));
    readPos_ = n - tail;
  } else {
    std::memcpy(destination, ring + readPos_, static_cast<size_t>(n));
    readPos_ += n;
    if (readPos_ == cap) readPos_ = 0;
  }
  count_ -= n;
  return n;
}

int32_t DCyclicBuf::read(nuv::lang::DbyteArrayPtr array, int32_t offset, int32_t len) {
  const int32_t length = array->length;
  if (offset < 0 || offset > length)
    nuv::lang::throwException(nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException);
  if (blockOutstanding_) return -1;
  const int32_t n = std::min(len, length - offset);
  if (n < 1) return 0;
  return read(reinterpret_cast<uint8_t*>(array->data()) + offset, n);
}

int32_t DCyclicBuf::read() {
  if (count_ < 1) return -1;
  const int32_t value = bytes()[readPos_];
  if (++readPos_ == capacity()) readPos_ = 0;
  --count_;
  return value;
}

uint8_t* DCyclicBuf::getWriteBlock(int32_t* length) {
  if (blockOutstanding_ || count_ >= capacity()) {
    if (length) *length = 0;
    return nullptr;
  }
  const int32_t region = readPos_ > writePos_ ? readPos_ - writePos_ : capacity() - writePos_;
  if (length) *length = region;
  blockOutstanding_ = true;
  return bytes() + writePos_;
}

void DCyclicBuf::commitWrite(int32_t n) {
  if (!blockOutstanding_) return;
  const int32_t limit = readPos_ <= writePos_ ? capacity() : readPos_;
  const int32_t k = n < 1 ? 0 : std::min(n, limit - writePos_);
  writePos_ += k;
  if (writePos_ == capacity()) writePos_ = 0;
  count_ += k;
  blockOutstanding_ = false;
}

int32_t DCyclicBuf::grow(int32_t extra) {
  if (blockOutstanding_) return -1;
  const int32_t cap = capacity();
  const int64_t wanted = std::max<int64_t>(int64_t{cap} + extra, count_);
  if (wanted > INT32_MAX) return cap;
  nuv::lang::DbyteArrayPtr larger;
  try {
    larger = new DbyteArray(static_cast<int32_t>(wanted));
  } catch (const std::bad_alloc&) {
    return cap;
  }
  const int32_t moved = read(reinterpret_cast<uint8_t*>(larger->data()), count_);
  storage_ = larger;
  readPos_ = 0;
  // Growing by nothing when full leaves the write position at the end, which is index 0 again.
  writePos_ = moved < larger->length ? moved : 0;
  count_ = moved;
  return larger->length;
}

int32_t DCyclicBuf::indexOfNewline() const {
  if (count_ < 1) return -1;
  const uint8_t* ring = bytes();
  auto scan = [ring](int32_t from, int32_t to) -> int32_t {
    for (int32_t i = from; i < to; ++i) {
      if (ring[i] == kLineFeed) return i;
    }
    return -1;
  };
  if (readPos_ >= writePos_) {
    int32_t found = scan(readPos_, capacity());
    return found >= 0 ? found : scan(0, writePos_);
  }
  return scan(readPos_, writePos_);
}

bool DCyclicBuf::clear() {
  if (blockOutstanding_) return false;
  readPos_ = writePos_ = count_ = 0;
  return true;
}

}  // namespace nuv::util
