// Big-endian ints and modified UTF-8 encoding onto any output stream.
#include "core/io/DDataOutputStream.h"

#include "core/lang/DExceptionBase.h"

namespace nuv::io {

namespace {

constexpr int64_t kMaxUTFLength = 65535;

}  // namespace

DDataOutputStream::DDataOutputStream(DOutputStreamPtr out) : out(std::move(out)) {}

void DDataOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len) { out->write(std::move(b), off, len); }

void DDataOutputStream::write(int32_t b) { out->write(b); }

void DDataOutputStream::flush() { out->flush(); }

void DDataOutputStream::close() { out->close(); }

void DDataOutputStream::writeInt(int32_t v) {
  out->write(v >> 24);
  out->write((v >> 16) & 255);
  out->write((v >> 8) & 255);
  out->write(v & 255);
}

void DDataOutputStream::writeUTF(lang::DStringPtr s) {
  const std::u16string_view text = s->view();
  int64_t length = 0;
  for (char16_t c : text) length += c >= 0x0001 && c <= 0x007F ? 1 : c <= 0x07FF ? 2 : 3;
  if (length > kMaxUTFLength) lang::throwException(lang::ExceptionCode::UTFDataFormatException);

  out->write(static_cast<int32_t>(length >> 8));
  out->write(static_cast<int32_t>(length & 255));
  for (char16_t c : text) {
    if (c >= 0x0001 && c <= 0x007F) {
      out->write(c);
    } else if (c <= 0x07FF) {
      out->write(0xC0 | ((c >> 6) & 0x1F));
      out->write(0x80 | (c & 0x3F));
    } else {
      out->write(0xE0 | (c >> 12));
      out->write(0x80 | ((c >> 6) & 0x3F));
      out->write(0x80 | (c & 0x3F));
    }
  }
}

}  // namespace nuv::io
