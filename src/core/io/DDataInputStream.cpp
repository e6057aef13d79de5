// Big-endian numbers and modified UTF-8 decoding over any input stream.
#include "core/io/DDataInputStream.h"

#include <string>

#include "core/lang/DExceptionBase.h"

namespace nuv::io {

using lang::ExceptionCode::EOFException;
using lang::ExceptionCode::UTFDataFormatException;

DDataInputStream::DDataInputStream(DInputStreamPtr in) : in(std::move(in)) {}

int32_t DDataInputStream::available() { return in->available(); }

int32_t DDataInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len) { return in->read(std::move(b), off, len); }

int32_t DDataInputStream::read(DbyteArrayPtr b) { return in->read(std::move(b)); }

int32_t DDataInputStream::read() { return in->read(); }

int64_t DDataInputStream::skip(int64_t n) { return in->skip(n); }

int32_t DDataInputStream::next() {
  int32_t b = in->read();
  if (b < 0) lang::throwException(EOFException);
  return b;
}

int32_t DDataInputStream::readByte() { return static_cast<int8_t>(next()); }

int32_t DDataInputStream::readUnsignedByte() { return next(); }

// Multi-byte values read every byte before they judge the end, so a short read consumes what was there.
int32_t DDataInputStream::readShort() { return static_cast<int16_t>(readUnsignedShort()); }

int32_t DDataInputStream::readUnsignedShort() {
  int32_t b1 = in->read();
  int32_t b2 = in->read();
  if ((b1 | b2) < 0) lang::throwException(EOFException);
  return (b1 << 8) | b2;
}

int32_t DDataInputStream::readInt() {
  int32_t b1 = in->read();
  int32_t b2 = in->read();
  int32_t b3 = in->read();
  int32_t b4 = in->read();
  if ((b1 | b2 | b3 | b4) < 0) lang::throwException(EOFException);
  return static_cast<int32_t>((uint32_t(b1) << 24) | (uint32_t(b2) << 16) | (uint32_t(b3) << 8) | uint32_t(b4));
}

void DDataInputStream::readFully(DbyteArrayPtr b) {
  const int32_t n = b->length;
  for (int32_t off = 0; off < n;) {
    int32_t count = in->read(b, off, n - off);
    if (count < 0) lang::throwException(EOFException);
    off += count;
  }
}

lang::DStringPtr DDataInputStream::readUTF() { return decodeUTF(*this); }

lang::DStringPtr DDataInputStream::readUTF(DDataInputStreamPtr d) { return decodeUTF(*d); }

lang::DStringPtr DDataInputStream::decodeUTF(DDataInputStream& d) {
  const int32_t utflen = d.readUnsignedShort();
  lang::DbyteArrayPtr bytes = new lang::DbyteArray(utflen);
  d.readFully(bytes);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes->data());
  const auto isContinuation = [](uint8_t b) { return (b & 0xC0) == 0x80; };

  std::u16string text;
  text.reserve(static_cast<size_t>(utflen) + 1);
  for (int32_t c = 0; c < utflen;) {
    const uint8_t x = p[c];
    switch (x >> 4) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6:
      case 7:
        text.push_back(x);
        c += 1;
        break;
      case 12:
      case 13: {
        c += 2;
        if (c > utflen || !isContinuation(p[c - 1])) lang::throwException(UTFDataFormatException);
        text.push_back(static_cast<char16_t>(((x & 0x1F) << 6) | (p[c - 1] & 0x3F)));
        break;
      }
      case 14: {
        c += 3;
        if (c > utflen || !isContinuation(p[c - 2]) || !isContinuation(p[c - 1])) {
          lang::throwException(UTFDataFormatException);
        }
        text.push_back(static_cast<char16_t>(((x & 0x0F) << 12) | ((p[c - 2] & 0x3F) << 6) | (p[c - 1] & 0x3F)));
        break;
      }
      default:  // 10xxxxxx out of place, or 1111xxxx
        lang::throwException(UTFDataFormatException);
    }
  }
  return new lang::DString(std::u16string_view(text));
}

}  // namespace nuv::io
