// Collects written bytes in a byte array that grows by 64 bytes beyond each need.
#pragma once

#include <cstdint>

#include "core/io/DOutputStream.h"
#include "core/lang/DString.h"

namespace nuv::io {

class DByteArrayOutputStream : public DOutputStream {
 public:
  static constexpr int32_t kInitialCapacity = 64;
  static constexpr int32_t kGrowth = 64;

  DByteArrayOutputStream();

  // The content read as one writeUTF string from the start of the buffer.
  lang::DStringPtr toString() override;
  // ArrayIndexOutOfBoundsException unless off and len lie inside b.
  void write(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DOutputStream::write;
  void write(int32_t b) override;
  void flush() override {}
  // Lets the buffer go; a later write starts a new one.
  void close() override;
  // Forgets the content; the buffer and its capacity stay.
  void reset() { count = 0; }

  // A copy of exactly the bytes written.
  DbyteArrayPtr toByteArray();
  // Replaces the buffer by one of n bytes holding the first min(count, n) bytes written.
  void ensureCapacity(int32_t n);

  int32_t size() const { return count; }
  int32_t capacity() const { return buf ? buf->length : 0; }

 private:
  DbyteArrayPtr buf;
  int32_t count = 0;
};

using DByteArrayOutputStreamPtr = lang::DPtr<DByteArrayOutputStream>;

}  // namespace nuv::io
