#include "support/Archives.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/archive7z_header.h"
#include "platform/host/paths.h"

namespace test {

namespace {

std::string quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::vector<uint64_t> writeStoredArchive(const std::string& output, const std::vector<StoredEntry>& entries) {
  std::vector<uint64_t> offsets;
  const std::string file = pack::storedArchive(entries, &offsets);
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + output);
  return offsets;
}

void writeStoredArchiveWithList(const std::string& output, const std::vector<StoredEntry>& entries,
                                const std::function<void(std::string& list)>& change) {
  namespace sz = platform::sevenzip;
  const auto crc = [](const std::string& bytes) {
    return sz::crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  };
  std::string file = pack::storedArchive(entries);
  // The start header: its checksum at 8, then the list's offset after it, the list's size and checksum.
  uint64_t packed = 0;
  for (int i = 7; i >= 0; --i) packed = packed << 8 | static_cast<uint8_t>(file[12 + static_cast<size_t>(i)]);
  const size_t listAt = sz::kSignatureHeaderSize + static_cast<size_t>(packed);
  std::string list = file.substr(listAt);
  change(list);
  std::string tail;
  sz::putLittle(tail, packed, 8);
  sz::putLittle(tail, list.size(), 8);
  sz::putLittle(tail, crc(list), 4);
  std::string start = file.substr(0, 8);
  sz::putLittle(start, crc(tail), 4);
  file = start + tail + file.substr(sz::kSignatureHeaderSize, static_cast<size_t>(packed)) + list;
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + output);
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
