// The socket input stream: bytes from the receive buffer, topped up by polling.
#include "net/io/DSocketInputStream.h"

#include "core/lang/DExceptionBase.h"

namespace nuv::microedition::io {

namespace Code = nuv::lang::ExceptionCode;

DSocketInputStream::DSocketInputStream(DSocketConnectionPtr connection) : connection_(std::move(connection)) {}

int32_t DSocketInputStream::available() { return connection_.isNull() ? 0 : connection_->poll(); }

int32_t DSocketInputStream::readBuffer(unsigned char* buf, int32_t len) {
  if (buf == nullptr || len < 0) nuv::lang::throwException(Code::IllegalArgumentException);
  if (connection_.isNull()) return -1;
  DSocketConnection& c = *connection_;
  nuv::util::DCyclicBuf& received = c.receiveBuffer();
  auto ended = [&c, &received] { return c.getState() != DSocketConnection::kConnected && received.count() == 0; };
  if (ended()) return -1;
  int32_t taken = received.read(buf, len);
  while (taken < len && c.getState() == DSocketConnection::kConnected) {
    if (c.poll() < 1) break;
    taken += received.read(buf + taken, len - taken);
  }
  return taken == 0 && len > 0 && ended() ? -1 : taken;
}

int32_t DSocketInputStream::read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) {
  checkRange(*b, off, len);
  return readBuffer(reinterpret_cast<unsigned char*>(b->data()) + off, len);
}

int32_t DSocketInputStream::read() {
  if (available() < 1) return -1;
  return connection_->receiveBuffer().read();
}

}  // namespace nuv::microedition::io
