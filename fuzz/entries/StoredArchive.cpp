#include "StoredArchive.h"

#include <array>

namespace fuzz {

namespace {

void putLittle(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// 7z's variable-length number: leading one bits of the first byte count the bytes that follow.
void putNumber(std::string& out, uint64_t v) {
  int extra = 0;
  while (extra < 8 && v >= (uint64_t{1} << (7 * (extra + 1)))) ++extra;
  if (extra == 8) {
    out += static_cast<char>(0xFF);
    putLittle(out, v, 8);
    return;
  }
  out += static_cast<char>(static_cast<uint8_t>(0xFF << (8 - extra)) | static_cast<uint8_t>(v >> (8 * extra)));
  putLittle(out, v, extra);
}

// A bit field, first item in the highest bit.
std::string bitField(const std::vector<bool>& bits) {
  std::string out;
  for (size_t i = 0; i < bits.size(); i += 8) {
    uint8_t byte = 0;
    for (size_t k = 0; k < 8 && i + k < bits.size(); ++k) byte |= bits[i + k] ? 0x80 >> k : 0;
    out += static_cast<char>(byte);
  }
  return out;
}

// Property ids of the 7z header.
enum : uint8_t {
  kEnd = 0x00,
  kHeader = 0x01,
  kMainStreamsInfo = 0x04,
  kFilesInfo = 0x05,
  kPackInfo = 0x06,
  kUnPackInfo = 0x07,
  kSubStreamsInfo = 0x08,
  kSize = 0x09,
  kCrc = 0x0A,
  kFolder = 0x0B,
  kCodersUnPackSize = 0x0C,
  kEmptyStream = 0x0E,
  kEmptyFile = 0x0F,
  kName = 0x11,
};
constexpr uint8_t kCopyCoder = 0x00;

}  // namespace

uint32_t crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string storedArchive(const std::vector<StoredEntry>& entries) {
  std::string packed;
  std::vector<const StoredEntry*> streams;  // entries with bytes, in order
  std::vector<bool> empty;
  for (const StoredEntry& e : entries) {
    packed += e.bytes;
    empty.push_back(e.bytes.empty());
    if (!e.bytes.empty()) streams.push_back(&e);
  }

  std::string h(1, static_cast<char>(kHeader));
  if (!streams.empty()) {
    h += static_cast<char>(kMainStreamsInfo);
    h += static_cast<char>(kPackInfo);
    putNumber(h, 0);
    putNumber(h, streams.size());
    h += static_cast<char>(kSize);
    for (const StoredEntry* e : streams) putNumber(h, e->bytes.size());
    h += static_cast<char>(kEnd);
    h += static_cast<char>(kUnPackInfo);
    h += static_cast<char>(kFolder);
    putNumber(h, streams.size());
    h += '\0';  // not external
    for (size_t i = 0; i < streams.size(); ++i) {
      putNumber(h, 1);  // one coder, a simple one with a one-byte id
      h += '\x01';
      h += static_cast<char>(kCopyCoder);
    }
    h += static_cast<char>(kCodersUnPackSize);
    for (const StoredEntry* e : streams) putNumber(h, e->bytes.size());
    h += static_cast<char>(kEnd);
    h += static_cast<char>(kSubStreamsInfo);
    h += static_cast<char>(kCrc);
    h += '\x01';  // all defined
    for (const StoredEntry* e : streams) putLittle(h, crc32(e->bytes), 4);
    h += static_cast<char>(kEnd);
    h += static_cast<char>(kEnd);
  }
  h += static_cast<char>(kFilesInfo);
  putNumber(h, entries.size());
  if (streams.size() != entries.size()) {
    const std::string emptyStreams = bitField(empty);
    h += static_cast<char>(kEmptyStream);
    putNumber(h, emptyStreams.size());
    h += emptyStreams;
    const std::string emptyFiles = bitField(std::vector<bool>(entries.size() - streams.size(), true));
    h += static_cast<char>(kEmptyFile);
    putNumber(h, emptyFiles.size());
    h += emptyFiles;
  }
  std::string names(1, '\0');  // not external
  for (const StoredEntry& e : entries) {
    for (unsigned char c : e.name) putLittle(names, c, 2);
    putLittle(names, 0, 2);
  }
  h += static_cast<char>(kName);
  putNumber(h, names.size());
  h += names;
  h += static_cast<char>(kEnd);
  h += static_cast<char>(kEnd);

  std::string start;
  putLittle(start, packed.size(), 8);
  putLittle(start, h.size(), 8);
  putLittle(start, crc32(h), 4);
  std::string file("7z\xBC\xAF\x27\x1C\x00\x04", 8);
  putLittle(file, crc32(start), 4);
  return file + start + packed + h;
}

}  // namespace fuzz
