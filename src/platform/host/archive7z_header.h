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

// Property ids of the list.
enum : uint8_t {
  kEnd = 0x00,
  kHeader = 0x01,
  kArchiveProperties = 0x02,
  kMainStreamsInfo = 0x04,
  kFilesInfo = 0x05,
  kPackInfo = 0x06,
  kUnpackInfo = 0x07,
  kSubStreamsInfo = 0x08,
  kSize = 0x09,
  kCrc = 0x0A,
  kFolder = 0x0B,
  kCodersUnpackSize = 0x0C,
  kNumUnpackStream = 0x0D,
  kEmptyStream = 0x0E,
  kEmptyFile = 0x0F,
  kName = 0x11,
  kAttributes = 0x15,
  kEncodedHeader = 0x17,
};

// Where the archive's list lies, from the end of the signature header.
struct StartHeader {
  uint64_t listOffset = 0;
  uint64_t listSize = 0;
  uint32_t listCrc = 0;
};

// One compressed unit: its packed streams lie one after the other in the file, and its output holds one
// stream per file (one file when the archive is not solid). Its parts are runs of the lists in Contents,
// so that a list of many folders is read without an allocation for each.
struct Folder {
  uint64_t packOffset = 0;  // from the end of the signature header
  uint64_t size = 0;        // of the output that no other coder reads
  uint32_t firstPack = 0, packs = 0;
  uint32_t codersAt = 0, codersSize = 0;  // its coders and their bindings, as stored
  uint32_t firstOutput = 0, outputs = 0;  // one size per coder output, as stored
  uint32_t firstStream = 0, streams = 0;
};

struct Stream {
  uint64_t size = 0;
  std::optional<uint32_t> crc;
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
  std::vector<uint64_t> packSizes;
  std::string coders;
  std::vector<uint64_t> outputSizes;
  std::vector<Stream> streams;
  std::vector<File> files;
};

uint32_t crc32(const uint8_t* bytes, size_t size);
// A number of `bytes` bytes, lowest first.
void putLittle(std::string& out, uint64_t v, int bytes);
// The list's variable-length number: the leading one bits of the first byte count the bytes that follow.
void putNumber(std::string& out, uint64_t v);

bool hasSignature(const std::array<uint8_t, kSignatureHeaderSize>& bytes);
// False when the bytes are no 7z signature header or their checksum is wrong.
bool readStartHeader(const std::array<uint8_t, kSignatureHeaderSize>& bytes, StartHeader& out);

// A list, plain or encoded. False when it is damaged, refers to
// data past `packLimit` (the bytes between the signature header and the list) or uses what this reader
// does not take (lists kept in extra streams).
bool readList(const std::vector<uint8_t>& list, uint64_t packLimit, Contents& out);

// The bytes of a folder's packed streams together.
uint64_t packedSize(const Contents& contents, const Folder& folder);

// A whole archive of one folder, its packed streams placed right after the signature header: the
// signature header and the list to put after the packed bytes. Its files are the folder's streams.
struct SingleFolderArchive {
  std::array<uint8_t, kSignatureHeaderSize> start;
  std::string list;
};
SingleFolderArchive singleFolderArchive(const Contents& contents, const Folder& folder);

}  // namespace platform::sevenzip
