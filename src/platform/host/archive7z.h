// 7z archives, read through libarchive: the list of entries, and one entry decoded whole on demand.
// Only the 7z format is accepted. Decoding one entry reads no other entry's data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

class Archive7z {
 public:
  struct Entry {
    std::u16string name;  // as stored, "/" separated
    uint64_t size = 0;    // unpacked
    bool directory = false;
  };

  // Reads the entry list from an open file; the handle is borrowed and must outlive this object.
  // False, with a reason in `error`, when the file is not a readable 7z archive.
  bool open(HANDLE file, std::string& error);

  const std::vector<Entry>& entries() const { return entries_; }

  // Decodes entry `index` into `out`; false, with a reason, when it cannot be decoded, its size
  // differs from the list, or its checksum does not match. `out` holds nothing useful then.
  bool extract(size_t index, std::vector<uint8_t>& out, std::string& error) const;

 private:
  HANDLE file_ = nullptr;
  std::vector<Entry> entries_;
};

}  // namespace platform
