// Text output for the log streams.
#include "core/io/DPrintStream.h"

namespace nuv::io {

DPrintStream::DPrintStream(DOutputStreamPtr out) : out(std::move(out)) {}

void DPrintStream::write(DbyteArrayPtr b, int32_t off, int32_t len) {
  if (out) out->write(std::move(b), off, len);
}

void DPrintStream::write(DbyteArrayPtr b) {
  if (out) out->write(std::move(b));
}

void DPrintStream::write(int32_t b) {
  if (out) out->write(b);
}

void DPrintStream::flush() {
  if (out) out->flush();
}

void DPrintStream::close() {
  if (out) out->close();
}

void DPrintStream::print(lang::DStringPtr s) {
  if (!out) return;
  lang::DbyteArrayPtr bytes = s ? s->getBytes() : lang::DStringPtr(u"null")->getBytes();
  // An empty text writes nothing: a file stream refuses a write of 0 bytes.
  if (bytes->length > 0) out->write(bytes);
}

void DPrintStream::println() { print(u"\r\n"); }

void DPrintStream::println(lang::DStringPtr s) {
  print(std::move(s));
  println();
}

}  // namespace nuv::io
