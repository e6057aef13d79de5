// The socket output stream: every write is queued whole or refused.
#include "net/io/DSocketOutputStream.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"

namespace nuv::microedition::io {

namespace Code = nuv::lang::ExceptionCode;

DSocketOutputStream::DSocketOutputStream(DSocketConnectionPtr connection) : connection_(std::move(connection)) {}

void DSocketOutputStream::write(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) {
  const int32_t length = b->length;
  if (off < 0 || off > length || len < 0) nuv::lang::throwException(Code::ArrayIndexOutOfBoundsException);
  writeBuffer(reinterpret_cast<const unsigned char*>(b->data()) + off, std::min(len, length - off));
}

void DSocketOutputStream::write(int32_t b) {
  const unsigned char byte = static_cast<unsigned char>(b);
  writeBuffer(&byte, 1);
}

void DSocketOutputStream::writeBuffer(const unsigned char* buf, int32_t len) {
  if (connection_.isNull() || connection_->getState() != DSocketConnection::kConnected) {
    nuv::lang::throwException(Code::IOException);
  }
  if (connection_->write(buf, len) <= 0 && len >= 1) nuv::lang::throwException(Code::IOException);
}

}  // namespace nuv::microedition::io
