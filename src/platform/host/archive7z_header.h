// The 7z archive's own bookkeeping: its signature header, its list of folders and files, and the small
// header that hands one folder to a decoder on its own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::sevenzip {

constexpr size_t kSignatureHeaderSize = 32;

// Where the archive's list lies, from the end of the signature header.
struct StartHeader {
  uint64_t listOffset = 0;
  uint64_t listSize = 0;
  uint32_t listCrc = 0;
};

// One compressed unit: its packed streams lie one after the other in the file, and its output holds one
// stream per file (one file when the archive is not solid).
struct Folder {
  uint64_t packOffset = 0;  // from the end of the signature header
  std::vector<uint64_t> packSizes;
  std::string coders;                 // the coders and their bindings, as stored
  std::vector<uint64_t> outputSizes;  // one per coder output, as stored
  uint64_t size = 0;                  // of the output that is not bound to another coder
  std::vector<uint64_t> streamSizes;
  std::vector<std::optional<uint32_t>> streamCrcs;
};

struct File {
  std::u16string name;
  bool directory = false;
  int32_t folder = -1;  // -1: no data
  uint32_t stream = 0;  // within the folder
  uint64_t size = 0;
};

struct Contents {
  bool encoded = false;  // the folders hold the plain list, and there are no files
  std::vector<Folder> folders;
  std::vector<File> files;
};

uint32_t crc32(const uint8_t* bytes, size_t size);

bool hasSignature(const std::array<uint8_t, kSignatureHeaderSize>& bytes);
// False when the bytes are no 7z signature header or their checksum is wrong.
bool readStartHeader(const std::array<uint8_t, kSignatureHeaderSize>& bytes, StartHeader& out);

// A list, plain or encoded. False when it is damaged, refers to
// data past `packLimit` (the bytes between the signature header and the list) or uses what this reader
// does not take (lists kept in extra streams).
bool readList(const std::vector<uint8_t>& list, uint64_t packLimit, Contents& out);

// A whole archive of one folder, its packed streams placed right after the signature header: the
// signature header and the list to put after the packed bytes. Its files are the folder's streams.
struct SingleFolderArchive {
  std::array<uint8_t, kSignatureHeaderSize> start;
  std::string list;
};
SingleFolderArchive singleFolderArchive(const Folder& folder);

}  // namespace platform::sevenzip
