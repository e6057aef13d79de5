// 7z archives: the list of entries read once, and one entry decoded whole on demand, straight from its
// own place in the file. Only the 7z format is accepted. Decoding one entry reads no other entry's data
// unless the archive is solid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/archive7z_header.h"
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

  // Time this process has spent in `extract` reading and unpacking entries' bytes, for benchmarks.
  static uint64_t decodingNanoseconds();

 private:
  struct Place {
    int32_t folder = -1;  // -1: no data
    uint32_t stream = 0;
  };

  HANDLE file_ = nullptr;
  std::vector<Entry> entries_;
  std::vector<Place> places_;    // by entry
  sevenzip::Contents contents_;  // its folders and their parts; the files are the entries
};

}  // namespace platform
