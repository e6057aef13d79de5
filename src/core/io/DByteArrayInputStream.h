// Reads a byte array held in memory; the array is shared, not copied.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"

namespace nuv::io {

class DByteArrayInputStream : public DInputStream {
 public:
  // NullPointerException for a null array.
  explicit DByteArrayInputStream(DbyteArrayPtr buf);

  int32_t available() override { return count - pos; }
  // ArrayIndexOutOfBoundsException unless off and len lie inside b.
  int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  int32_t read() override;
  // Lets the array go; the stream then reads as empty.
  void close() override;
  void reset() override { pos = 0; }
  // At most the bytes left; a negative count skips nothing.
  int64_t skip(int64_t n) override;

 private:
  DbyteArrayPtr buf;
  int32_t count;  // end of the readable data
  int32_t pos = 0;
};

using DByteArrayInputStreamPtr = lang::DPtr<DByteArrayInputStream>;

}  // namespace nuv::io
