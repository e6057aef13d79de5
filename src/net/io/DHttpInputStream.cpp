// The HTTP body stream: leftover bytes first, then the socket, and a check that the body came whole.
#include "net/io/DHttpInputStream.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"

namespace nuv::microedition::io {

namespace Code = nuv::lang::ExceptionCode;

DHttpInputStream::DHttpInputStream(nuv::io::DInputStreamPtr source, nuv::util::DCyclicBufPtr leftover,
                                   int64_t expectedLength)
    : source_(std::move(source)), leftover_(std::move(leftover)), expected_(expectedLength) {}

int32_t DHttpInputStream::available() {
  int32_t count = 0;
  if (!leftover_.isNull()) {
    count = leftover_->count();
    if (count == 0) leftover_ = nullptr;
  }
  return count + (source_.isNull() ? 0 : std::max(source_->available(), 0));
}

int32_t DHttpInputStream::readBuffer(unsigned char* buf, int32_t len) {
  if (buf == nullptr || len < 0) nuv::lang::throwException(Code::IllegalArgumentException);
  int32_t taken = 0;
  if (!leftover_.isNull()) {
    taken = std::max(leftover_->read(buf, len), 0);
    if (leftover_->count() == 0) leftover_ = nullptr;
  }
  if (taken < len && !source_.isNull()) {
    const int32_t got = source_->readBuffer(buf + taken, len - taken);
    if (got > 0) {
      taken += got;
    } else if (got < 0 && taken == 0) {
      if (expected_ >= 0 && delivered_ < expected_) nuv::lang::throwException(Code::IOException);
      return -1;
    }
  } else if (taken == 0 && len > 0 && source_.isNull()) {
    return -1;
  }
  delivered_ += taken;
  return taken;
}

int32_t DHttpInputStream::read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) {
  const int32_t length = b->length;
  if (off < 0 || off > length || len < 0) nuv::lang::throwException(Code::ArrayIndexOutOfBoundsException);
  return readBuffer(reinterpret_cast<unsigned char*>(b->data()) + off, std::min(len, length - off));
}

int32_t DHttpInputStream::read() {
  unsigned char byte = 0;
  return readBuffer(&byte, 1) == 1 ? byte : -1;
}

void DHttpInputStream::close() {
  source_ = nullptr;
  leftover_ = nullptr;
}

}  // namespace nuv::microedition::io
