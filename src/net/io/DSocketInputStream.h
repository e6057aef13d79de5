// Reads what a socket connection has received; never waits.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "net/io/DSocketConnection.h"

namespace nuv::microedition::io {

class DSocketInputStream : public nuv::io::DInputStream {
 public:
  explicit DSocketInputStream(DSocketConnectionPtr connection);

  const char* getClassName() const override { return "DSocketInputStream"; }
  // Polls the socket; the bytes ready to read.
  int32_t available() override;
  // The bytes taken (0 when none has arrived yet); -1 once the connection has ended and everything
  // received was read. IllegalArgumentException for a null buffer or a negative count.
  int32_t readBuffer(unsigned char* buf, int32_t len) override;
  int32_t read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  // The next byte as 0..255; -1 when none has arrived (yet or any more).
  int32_t read() override;
  // Lets the connection go; the socket stays open.
  void close() override { connection_ = nullptr; }
  void reset() override {}
  int64_t skip(int64_t) override { return 0; }

 private:
  DSocketConnectionPtr connection_;
};

}  // namespace nuv::microedition::io
