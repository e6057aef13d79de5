#include "support/Archives.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"

namespace test {

namespace {

std::string quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

uint32_t crc32(const std::string& bytes) {
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
void putBits(std::string& out, const std::vector<bool>& bits) {
  for (size_t i = 0; i < bits.size(); i += 8) {
    uint8_t byte = 0;
    for (size_t k = 0; k < 8 && i + k < bits.size(); ++k) byte |= bits[i + k] ? 0x80 >> k : 0;
    out += static_cast<char>(byte);
  }
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

std::vector<uint64_t> writeStoredArchive(const std::string& output, const std::vector<StoredEntry>& entries) {
  constexpr uint64_t kSignatureHeaderSize = 32;
  std::string packed;
  std::vector<uint64_t> offsets;
  std::vector<const StoredEntry*> streams;  // entries with bytes, in order
  std::vector<bool> empty;
  for (const StoredEntry& e : entries) {
    offsets.push_back(kSignatureHeaderSize + packed.size());
    packed += e.bytes;
    empty.push_back(e.bytes.empty());
    if (!e.bytes.empty()) streams.push_back(&e);
  }

  std::string h;
  h += static_cast<char>(kHeader);
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
    for (const StoredEntry* e : streams) putNumber(h, e->statedSize.value_or(e->bytes.size()));
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
    std::string bits;
    putBits(bits, empty);
    h += static_cast<char>(kEmptyStream);
    putNumber(h, bits.size());
    h += bits;
    std::string files;
    putBits(files, std::vector<bool>(entries.size() - streams.size(), true));
    h += static_cast<char>(kEmptyFile);
    putNumber(h, files.size());
    h += files;
  }
  std::string names(1, '\0');  // not external
  for (const StoredEntry& e : entries) {
    for (char16_t c : e.name) putLittle(names, c, 2);
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
  std::string file = std::string("7z\xBC\xAF\x27\x1C\x00\x04", 8);
  putLittle(file, crc32(start), 4);
  file += start + packed + h;
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + output);
  return offsets;
}

void flipByte(const std::string& file, uint64_t offset) {
  std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
  f.seekg(static_cast<std::streamoff>(offset));
  char c = 0;
  f.get(c);
  f.seekp(static_cast<std::streamoff>(offset));
  f.put(static_cast<char>(~c));
  if (!f) throw std::runtime_error("cannot change " + file);
}

void writeFiles(const std::string& folder, const ArchiveFiles& files) {
  for (const auto& [name, bytes] : files) {
    std::filesystem::path path = std::filesystem::path(folder) / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }
}

int runPacker(const std::string& folder, const std::string& output, std::string* messages) {
  const std::string command = quoted(GH_PACK_TOOL) + " " + quoted(folder) + " " + quoted(output) + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[256];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = ::pclose(pipe);
  if (messages) *messages = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void packArchive(const std::string& output, const ArchiveFiles& files) {
  const std::string folder = output + ".files";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  writeFiles(folder, files);
  std::string messages;
  if (runPacker(folder, output, &messages) != 0) throw std::runtime_error("packing failed: " + messages);
}

std::vector<StoredEntry> readStoredEntries(const std::string& archive) {
  std::vector<StoredEntry> out;
  HANDLE file = CreateFileW(platform::toDevicePath(archive).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return out;
  platform::Archive7z reader;
  std::string error;
  if (reader.open(file, error)) {
    for (size_t i = 0; i < reader.entries().size(); ++i) {
      const platform::Archive7z::Entry& entry = reader.entries()[i];
      std::vector<uint8_t> bytes;
      if (entry.directory || !reader.extract(i, bytes, error)) continue;
      out.push_back({entry.name, std::string(bytes.begin(), bytes.end()), {}});
    }
  }
  CloseHandle(file);
  return out;
}

void writeWithDamagedEntry(const std::string& output, const std::vector<StoredEntry>& entries,
                           const std::u16string& damaged) {
  const std::vector<uint64_t> at = writeStoredArchive(output, entries);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].name == damaged) flipByte(output, at[i] + entries[i].bytes.size() / 2);
  }
}

}  // namespace test
