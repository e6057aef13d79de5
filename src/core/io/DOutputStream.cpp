// The default body shared by the output streams.
#include "core/io/DOutputStream.h"

#include "core/lang/DExceptionBase.h"

namespace nuv::io {

void DOutputStream::write(DbyteArrayPtr b) {
  const int32_t length = b->length;
  write(std::move(b), 0, length);
}

void DOutputStream::checkRange(const lang::DbyteArray& b, int32_t off, int32_t len) {
  if (off < 0 || len < 0 || off > b.length - len) {
    lang::throwException(lang::ExceptionCode::ArrayIndexOutOfBoundsException);
  }
}

}  // namespace nuv::io
