// Every byte source of the system: archive entries, files, memory buffers and connections.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DbyteArray.h"

namespace nuv::io {

using lang::DbyteArrayPtr;

class DInputStream : public lang::DObject {
 public:
  // Bytes that can still be read without blocking.
  virtual int32_t available() = 0;
  // Fills a raw buffer through read(); the count read, -1 when nothing could be read.
  // NullPointerException for a null buffer, IndexOutOfBoundsException for a negative length.
  virtual int32_t readBuffer(unsigned char* buf, int32_t len);
  // Up to len bytes into b from index off; the count read, -1 at the end of the data.
  virtual int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) = 0;
  // read(b, 0, length of b).
  virtual int32_t read(DbyteArrayPtr b);
  // The next byte as 0..255, -1 at the end of the data.
  virtual int32_t read() = 0;
  virtual void close() = 0;
  // Back to the start of the data; there is no mark.
  virtual void reset() = 0;
  // The number of bytes skipped.
  virtual int64_t skip(int64_t n) = 0;

 protected:
  // ArrayIndexOutOfBoundsException unless off and len describe a range inside b (b must not be null).
  static void checkRange(const lang::DbyteArray& b, int32_t off, int32_t len);
};

using DInputStreamPtr = lang::DPtr<DInputStream>;

}  // namespace nuv::io
