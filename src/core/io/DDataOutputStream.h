// Big-endian ints and modified UTF-8 strings written onto another output stream.
#pragma once

#include <cstdint>

#include "core/io/DOutputStream.h"
#include "core/lang/DString.h"

namespace nuv::io {

class DDataOutputStream : public DOutputStream {
 public:
  explicit DDataOutputStream(DOutputStreamPtr out);

  // Forwarded to the underlying stream; closing this stream closes it too.
  void write(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DOutputStream::write;
  void write(int32_t b) override;
  void flush() override;
  void close() override;

  void writeInt(int32_t v);
  // A 16-bit length, then modified UTF-8 (character 0 as C0 80); UTFDataFormatException, with nothing
  // written, when the encoding would pass 65535 bytes.
  void writeUTF(lang::DStringPtr s);

 private:
  DOutputStreamPtr out;
};

using DDataOutputStreamPtr = lang::DPtr<DDataOutputStream>;

}  // namespace nuv::io
