// Reading from a byte array in memory.
#include "core/io/DByteArrayInputStream.h"

#include <algorithm>
#include <cstring>

#include "core/lang/DExceptionBase.h"

namespace nuv::io {

DByteArrayInputStream::DByteArrayInputStream(DbyteArrayPtr buf) : buf(std::move(buf)), count(this->buf->length) {}

int32_t DByteArrayInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len) {
  checkRange(*b, off, len);
  const int32_t n = std::min(len, count - pos);
  if (n <= 0) return len > 0 ? -1 : 0;
  // The areas may overlap when a stream reads its own array.
  std::memmove(b->data() + off, buf->data() + pos, static_cast<size_t>(n));
  pos += n;
  return n;
}

int32_t DByteArrayInputStream::read() {
  if (pos >= count) return -1;
  return static_cast<uint8_t>((*buf)[pos++]);
}

void DByteArrayInputStream::close() {
  buf = nullptr;
  count = 0;
  pos = 0;
}

int64_t DByteArrayInputStream::skip(int64_t n) {
  if (n <= 0) return 0;
  const int64_t left = count - pos;
  const int64_t skipped = std::min(n, left);
  pos += static_cast<int32_t>(skipped);
  return skipped;
}

}  // namespace nuv::io
