// A file viewed whole through a read-only mapping, so decoders read it in place.
#pragma once

#include <cstdint>

#include "platform/api/file.h"

namespace Raster {

class MappedFile {
 public:
  MappedFile() = default;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile() { close(); }

  // A path starting with '\' is used as it is; any other lies in the folder of the program file.
  // An open record is closed first. False when the file cannot be opened or mapped.
  bool open(const char16_t* path);
  void close();

  const uint8_t* begin() const { return viewStart_; }
  const uint8_t* end() const { return viewEnd_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const uint8_t* viewStart_ = nullptr;
  const uint8_t* viewEnd_ = nullptr;
};

}  // namespace Raster
