// Reads a file in the program's folder.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "core/lang/DString.h"
#include "platform/types.h"

namespace nuv::io {

class DFileInputStream;
using DFileInputStreamPtr = lang::DPtr<DFileInputStream>;

class DFileInputStream : public DInputStream {
 public:
  // name is relative to the program's folder, with "/" or "\" separators; IOException when the file
  // cannot be opened, NullPointerException for a null name.
  static DFileInputStreamPtr open(lang::DStringPtr name);
  ~DFileInputStream() override;

  void finalize() override { close(); }
  // Bytes from the position to the end of the file.
  int32_t available() override;
  // The count read, 0 at the end of the file.
  int32_t readBuffer(unsigned char* buf, int32_t len) override;
  // IOException for a null array, an offset past it or a length of 0; ArrayIndexOutOfBoundsException
  // when the range leaves the array. -1 at the end of the file.
  int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  // EOFException at the end of the file (this stream never answers -1 here).
  int32_t read() override;
  // Closing twice is harmless.
  void close() override;
  void reset() override;
  // Stops at the end of the file; a negative count skips nothing.
  int64_t skip(int64_t n) override;

 private:
  DFileInputStream() = default;
  // The current position, and the end of the file; IOException when the file cannot tell.
  DWORD position();
  DWORD end();
  void moveTo(DWORD position);

  HANDLE handle = nullptr;
};

}  // namespace nuv::io
