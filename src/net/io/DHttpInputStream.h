// The body of an HTTP answer: the bytes already buffered with the headers, then the socket's.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "net/util/DCyclicBuf.h"

namespace nuv::microedition::io {

class DHttpInputStream : public nuv::io::DInputStream {
 public:
  // expectedLength: the announced length of the body, -1 when none was announced.
  DHttpInputStream(nuv::io::DInputStreamPtr source, nuv::util::DCyclicBufPtr leftover, int64_t expectedLength);

  const char* getClassName() const override { return "DHttpInputStream"; }
  int32_t available() override;
  // The bytes read, 0 when none has arrived yet, -1 at the end. IOException at an end that comes before
  // the announced length; IllegalArgumentException for a null buffer or a negative count.
  int32_t readBuffer(unsigned char* buf, int32_t len) override;
  int32_t read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  // The next byte as 0..255; -1 when none has arrived (yet or any more).
  int32_t read() override;
  // Lets both sources go; the socket stays open.
  void close() override;
  void reset() override {}
  int64_t skip(int64_t) override { return 0; }

 private:
  nuv::io::DInputStreamPtr source_;
  nuv::util::DCyclicBufPtr leftover_;
  const int64_t expected_;
  int64_t delivered_ = 0;
};

}  // namespace nuv::microedition::io
