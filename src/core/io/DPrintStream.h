// Writes text in the ANSI code page onto another output stream, or nowhere when there is none.
#pragma once

#include "core/io/DOutputStream.h"
#include "core/lang/DString.h"

namespace nuv::io {

class DPrintStream : public DOutputStream {
 public:
  // out may be null: everything written is then dropped and nothing fails.
  explicit DPrintStream(DOutputStreamPtr out);

  // Closes the underlying stream; destroying the print stream only lets go of it.
  void finalize() override { close(); }
  void write(DbyteArrayPtr b, int32_t off, int32_t len) override;
  void write(DbyteArrayPtr b) override;
  void write(int32_t b) override;
  void flush() override;
  void close() override;

  // The characters in the ANSI code page, without a terminator; a null string prints "null".
  void print(lang::DStringPtr s);
  // "\r\n".
  void println();
  void println(lang::DStringPtr s);

 private:
  DOutputStreamPtr out;
};

using DPrintStreamPtr = lang::DPtr<DPrintStream>;

}  // namespace nuv::io
