// The default bodies shared by the input streams.
#include "core/io/DInputStream.h"

#include "core/lang/DExceptionBase.h"

namespace nuv::io {

using lang::ExceptionCode::ArrayIndexOutOfBoundsException;
using lang::ExceptionCode::IndexOutOfBoundsException;
using lang::ExceptionCode::NullPointerException;

int32_t DInputStream::readBuffer(unsigned char* buf, int32_t len) {
  if (buf == nullptr) lang::throwException(NullPointerException);
  if (len < 0) lang::throwException(IndexOutOfBoundsException);
  for (int32_t i = 0; i < len; ++i) {
    int32_t c = read();
    if (c == -1) return i == 0 ? -1 : i;
    buf[i] = static_cast<unsigned char>(c);
  }
  return len;
}

int32_t DInputStream::read(DbyteArrayPtr b) {
  const int32_t length = b->length;
  return read(std::move(b), 0, length);
}

void DInputStream::checkRange(const lang::DbyteArray& b, int32_t off, int32_t len) {
  if (off < 0 || len < 0 || off > b.length - len) lang::throwException(ArrayIndexOutOfBoundsException);
}

}  // namespace nuv::io
