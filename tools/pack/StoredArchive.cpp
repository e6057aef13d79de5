#include "StoredArchive.h"

#include "platform/host/archive7z_header.h"

namespace pack {

namespace sz = platform::sevenzip;

namespace {

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

uint32_t crc32(const std::string& bytes) {
  return sz::crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void putId(std::string& out, uint8_t id) { out += static_cast<char>(id); }

constexpr uint8_t kCopyCoder = 0x00;

}  // namespace

std::string storedArchive(const std::vector<StoredEntry>& entries, std::vector<uint64_t>* offsets) {
  std::string packed;
  std::vector<const StoredEntry*> streams;  // entries with bytes, in order
  std::vector<bool> empty;
  for (const StoredEntry& e : entries) {
    if (offsets) offsets->push_back(sz::kSignatureHeaderSize + packed.size());
    packed += e.bytes;
    empty.push_back(e.bytes.empty());
    if (!e.bytes.empty()) streams.push_back(&e);
  }

  std::string h;
  putId(h, sz::kHeader);
  if (!streams.empty()) {
    putId(h, sz::kMainStreamsInfo);
    putId(h, sz::kPackInfo);
    sz::putNumber(h, 0);
    sz::putNumber(h, streams.size());
    putId(h, sz::kSize);
    for (const StoredEntry* e : streams) sz::putNumber(h, e->bytes.size());
    putId(h, sz::kEnd);
    putId(h, sz::kUnpackInfo);
    putId(h, sz::kFolder);
    sz::putNumber(h, streams.size());
    h += '\0';  // not external
    for (size_t i = 0; i < streams.size(); ++i) {
      sz::putNumber(h, 1);  // one coder, a simple one with a one-byte id
      h += '\x01';
      putId(h, kCopyCoder);
    }
    putId(h, sz::kCodersUnpackSize);
    for (const StoredEntry* e : streams) sz::putNumber(h, e->statedSize.value_or(e->bytes.size()));
    putId(h, sz::kEnd);
    putId(h, sz::kSubStreamsInfo);
    putId(h, sz::kCrc);
    h += '\x01';  // all defined
    for (const StoredEntry* e : streams) sz::putLittle(h, crc32(e->bytes), 4);
    putId(h, sz::kEnd);
    putId(h, sz::kEnd);
  }
  putId(h, sz::kFilesInfo);
  sz::putNumber(h, entries.size());
  if (streams.size() != entries.size()) {
    const std::string emptyStreams = bitField(empty);
    putId(h, sz::kEmptyStream);
    sz::putNumber(h, emptyStreams.size());
    h += emptyStreams;
    const std::string emptyFiles = bitField(std::vector<bool>(entries.size() - streams.size(), true));
    putId(h, sz::kEmptyFile);
    sz::putNumber(h, emptyFiles.size());
    h += emptyFiles;
  }
  std::string names(1, '\0');  // not external
  for (const StoredEntry& e : entries) {
    for (char16_t c : e.name) sz::putLittle(names, c, 2);
    sz::putLittle(names, 0, 2);
  }
  putId(h, sz::kName);
  sz::putNumber(h, names.size());
  h += names;
  putId(h, sz::kEnd);
  putId(h, sz::kEnd);

  std::string start;
  sz::putLittle(start, packed.size(), 8);
  sz::putLittle(start, h.size(), 8);
  sz::putLittle(start, crc32(h), 4);
  std::string file("7z\xBC\xAF\x27\x1C\x00\x04", 8);
  sz::putLittle(file, crc32(start), 4);
  return file + start + packed + h;
}

}  // namespace pack
