// The resource archive: a whole archive file opened as game.dat is, and the entries the program asks for
// read in every way its streams offer.
#include <filesystem>
#include <fstream>

#include "Entries.h"
#include "core/io/D7zipInputStream.h"
#include "core/lang/DbyteArray.h"
#include "platform/host/archive7z_header.h"

namespace fuzz {

using nuv::io::D7zipInputStream;

namespace {

// The entries the seeds hold (a text table, a picture, a sound) and one no archive holds.
constexpr const char16_t* kNames[] = {u"data/keys.txt", u"/graphics\\240x320/pause.png", u"data/bnc/sound/die.wav",
                                      u"missing"};

constexpr size_t kStartHeaderSize = 32;
constexpr size_t kStartHeaderCrcAt = 8;
constexpr size_t kNextHeaderAt = 12;

uint64_t little(const std::string& bytes, size_t at) {
  uint64_t v = 0;
  for (size_t i = 0; i < 8; ++i) v |= uint64_t{static_cast<uint8_t>(bytes[at + i])} << (8 * i);
  return v;
}

uint32_t crc32(std::string_view bytes) {
  return platform::sevenzip::crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void putCrc(std::string& bytes, size_t at, uint32_t crc) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(crc >> (8 * i));
}

// The same file with both header checksums made right again, so that a changed header reaches the
// reader's parsing instead of failing its checksum; the entries' own checksums stay as they are.
std::string withHeaderChecksums(std::string bytes) {
  if (bytes.size() < kStartHeaderSize) return bytes;
  const uint64_t offset = little(bytes, kNextHeaderAt);
  const uint64_t size = little(bytes, kNextHeaderAt + 8);
  if (offset <= bytes.size() - kStartHeaderSize && size <= bytes.size() - kStartHeaderSize - offset) {
    const size_t at = kStartHeaderSize + offset;
    putCrc(bytes, kNextHeaderAt + 16, crc32(std::string_view(bytes).substr(at, size)));
  }
  putCrc(bytes, kStartHeaderCrcAt, crc32(std::string_view(bytes).substr(kNextHeaderAt, 20)));
  return bytes;
}

void readArchive(const std::string& bytes) {
  const std::filesystem::path file = std::filesystem::path(programFolder()) / "archive.dat";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  refusalsAllowed([] { D7zipInputStream::openArchive(u"archive.dat", u""); });
  if (!D7zipInputStream::isArchiveOpen()) return;
  for (const char16_t* name : kNames) {
    refusalsAllowed([&] {
      if (D7zipInputStream::getSize(name) < 0) return;
      nuv::io::D7zipInputStreamPtr stream = D7zipInputStream::open(name);
      nuv::lang::DbyteArrayPtr buffer = new nuv::lang::DbyteArray(1000);
      stream->skip(3);
      stream->read();
      while (stream->read(buffer, 7, 993) > 0) {
      }
      stream->reset();
      while (stream->read() >= 0) {
      }
      stream->close();
    });
  }
  D7zipInputStream::closeArchive();
}

}  // namespace

void archive(Input input) {
  const std::string bytes = fuzz::bytes(input);
  readArchive(bytes);
  const std::string mended = withHeaderChecksums(bytes);
  if (mended != bytes) readArchive(mended);
}

}  // namespace fuzz
