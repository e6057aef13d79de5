// Every byte sink of the system: memory buffers, files, the log streams and connections.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DbyteArray.h"

namespace nuv::io {

using lang::DbyteArrayPtr;

class DOutputStream : public lang::DObject {
 public:
  // len bytes of b from index off.
  virtual void write(DbyteArrayPtr b, int32_t off, int32_t len) = 0;
  // write(b, 0, length of b).
  virtual void write(DbyteArrayPtr b);
  // The low 8 bits of b as one byte.
  virtual void write(int32_t b) = 0;
  // Pushes buffered bytes to the sink.
  virtual void flush() = 0;
  virtual void close() = 0;

 protected:
  // ArrayIndexOutOfBoundsException unless off and len describe a range inside b (b must not be null).
  static void checkRange(const lang::DbyteArray& b, int32_t off, int32_t len);
};

using DOutputStreamPtr = lang::DPtr<DOutputStream>;

}  // namespace nuv::io
