// Writing into a growing byte array.
#include "core/io/DByteArrayOutputStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"

namespace nuv::io {

DByteArrayOutputStream::DByteArrayOutputStream() : buf(new lang::DbyteArray(kInitialCapacity)) {}

lang::DStringPtr DByteArrayOutputStream::toString() {
  // The whole buffer, not only what was written; a closed stream reads as empty.
  DbyteArrayPtr content = buf ? buf : DbyteArrayPtr(new lang::DbyteArray(0));
  DDataInputStreamPtr data = new DDataInputStream(new DByteArrayInputStream(content));
  return data->readUTF();
}

void DByteArrayOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len) {
  checkRange(*b, off, len);
  if (capacity() - count < len) {
    const int64_t needed = int64_t{count} + len + kGrowth;
    // Past the largest array the stream cannot grow.
    if (needed > std::numeric_limits<int32_t>::max())
      lang::throwException(lang::ExceptionCode::IndexOutOfBoundsException);
    ensureCapacity(static_cast<int32_t>(needed));
  }
  if (len > 0) std::memmove(buf->data() + count, b->data() + off, static_cast<size_t>(len));
  count += len;
}

void DByteArrayOutputStream::write(int32_t b) {
  if (count >= capacity()) {
    if (capacity() > std::numeric_limits<int32_t>::max() - kGrowth) {
      lang::throwException(lang::ExceptionCode::IndexOutOfBoundsException);
    }
    ensureCapacity(capacity() + kGrowth);
  }
  (*buf)[count++] = static_cast<int8_t>(b);
}

void DByteArrayOutputStream::close() {
  buf = nullptr;
  count = 0;
}

DbyteArrayPtr DByteArrayOutputStream::toByteArray() {
  DbyteArrayPtr copy = new lang::DbyteArray(count);
  if (count > 0) std::memcpy(copy->data(), buf->data(), static_cast<size_t>(count));
  return copy;
}

void DByteArrayOutputStream::ensureCapacity(int32_t n) {
  if (n < 0) lang::throwException(lang::ExceptionCode::NegativeArraySizeException);
  DbyteArrayPtr bigger = new lang::DbyteArray(n);
  count = std::min(count, n);
  if (count > 0) std::memcpy(bigger->data(), buf->data(), static_cast<size_t>(count));
  buf = bigger;
}

}  // namespace nuv::io
