// 7z archives whose entries are stored uncompressed, each in a folder of its own with its checksum, written
// in memory: for tests and fuzz targets that must say exactly what an archive holds and damage it where
// they mean to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pack {

// The name may hold what no packer writes (a lone surrogate); the stated size is what the list claims
// when it is not the real one. An entry without bytes is stored as an empty file.
struct StoredEntry {
  std::u16string name;  // "/" separated, as the packer stores it
  std::string bytes;
  std::optional<uint64_t> statedSize;
};

// The whole archive file; each entry's offset in it goes to `offsets` when given.
std::string storedArchive(const std::vector<StoredEntry>& entries, std::vector<uint64_t>* offsets = nullptr);

}  // namespace pack
