// 7z archives whose entries are stored uncompressed, written in memory: how an entry made from one input
// reaches the program through its archive reader, as game.dat's entries do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

struct StoredEntry {
  std::string name;  // "/" separated, as the packer stores it
  std::string bytes;
};

// The whole archive file; an entry without bytes is stored as an empty file.
std::string storedArchive(const std::vector<StoredEntry>& entries);

// The CRC-32 7z keeps of its headers and entries.
uint32_t crc32(std::string_view bytes);

}  // namespace fuzz
