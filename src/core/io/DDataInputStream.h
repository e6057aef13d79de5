// Typed big-endian values and modified UTF-8 strings read from another input stream.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "core/lang/DString.h"

namespace nuv::io {

class DDataInputStream;
using DDataInputStreamPtr = lang::DPtr<DDataInputStream>;

class DDataInputStream : public DInputStream {
 public:
  explicit DDataInputStream(DInputStreamPtr in);

  // Forwarded to the underlying stream.
  int32_t available() override;
  int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) override;
  int32_t read(DbyteArrayPtr b) override;
  int32_t read() override;
  int64_t skip(int64_t n) override;
  // Both leave the underlying stream open and where it is.
  void close() override {}
  void reset() override {}

  // Each throws EOFException when the data ends inside the value; what was read stays consumed.
  int32_t readByte();
  int32_t readUnsignedByte();
  int32_t readShort();
  int32_t readUnsignedShort();
  int32_t readInt();
  // Fills the whole array.
  void readFully(DbyteArrayPtr b);
  // A 16-bit length, then that many bytes of modified UTF-8; UTFDataFormatException when malformed.
  lang::DStringPtr readUTF();
  static lang::DStringPtr readUTF(DDataInputStreamPtr d);

 private:
  static lang::DStringPtr decodeUTF(DDataInputStream& d);
  // The next byte; EOFException at the end.
  int32_t next();

  DInputStreamPtr in;
};

}  // namespace nuv::io
