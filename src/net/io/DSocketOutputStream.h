// Queues bytes on a socket connection for its sender thread; never waits.
#pragma once

#include <cstdint>

#include "core/io/DOutputStream.h"
#include "net/io/DSocketConnection.h"

namespace nuv::microedition::io {

class DSocketOutputStream : public nuv::io::DOutputStream {
 public:
  explicit DSocketOutputStream(DSocketConnectionPtr connection);

  const char* getClassName() const override { return "DSocketOutputStream"; }
  // The bytes of b from off, as many as the array holds past off.
  void write(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DOutputStream::write;
  void write(int32_t b) override;
  void flush() override {}
  void close() override {}
  // IOException when the connection is not connected or the bytes cannot be queued.
  virtual void writeBuffer(const unsigned char* buf, int32_t len);

 private:
  DSocketConnectionPtr connection_;
};

}  // namespace nuv::microedition::io
