// 7z archives whose entries are stored uncompressed, written in memory: how an entry made from one input
// reaches the program through its archive reader, as game.dat's entries do.
#pragma once

#include <string>
#include <vector>

namespace fuzz {

struct StoredEntry {
  std::string name;  // "/" separated, as the packer stores it
  std::string bytes;
};

// The whole archive file; an entry without bytes is stored as an empty file.
std::string storedArchive(const std::vector<StoredEntry>& entries);

}  // namespace fuzz
