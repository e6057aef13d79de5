// Writes a file in the program's folder (or at a full path), replacing any file of that name.
#pragma once

#include <cstdint>
#include <string>

#include "core/io/DOutputStream.h"
#include "core/lang/DString.h"
#include "platform/types.h"

namespace nuv::io {

class DFileOutputStream;
using DFileOutputStreamPtr = lang::DPtr<DFileOutputStream>;

class DFileOutputStream : public DOutputStream {
 public:
  // name is relative to the program's folder ("/doutput.txt"); IOException when the file cannot be
  // created, NullPointerException for a null name.
  static DFileOutputStreamPtr open(lang::DStringPtr name);
  // The same at a full path in the handheld's form (\home\me\doutput.txt).
  static DFileOutputStreamPtr openPath(const std::u16string& path);
  ~DFileOutputStream() override;

  void finalize() override { close(); }
  // IOException for a null array, an offset past it or a length of 0; ArrayIndexOutOfBoundsException
  // when the range leaves the array.
  void write(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DOutputStream::write;
  void write(int32_t b) override;
  void flush() override;
  // Closing twice is harmless.
  void close() override;

 private:
  DFileOutputStream() = default;
  void put(const void* bytes, DWORD count);

  HANDLE handle = nullptr;
};

}  // namespace nuv::io
