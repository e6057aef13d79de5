// The resource archive "game.dat": one archive open at a time, an index of its entry names, and each
// entry handed out as an input stream over its bytes decoded whole into memory. Entries read lately are
// kept, so that one read again is not decoded again.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/io/DInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"

namespace nuv::io {

class D7zipInputStream;
using D7zipInputStreamPtr = lang::DPtr<D7zipInputStream>;

class D7zipInputStream : public DInputStream {
 public:
  // Opens the archive file in the program's folder, closing any archive open before. The password is
  // not used. IOException when the file is missing (its message says "not found" and the path looked
  // at) or not a readable 7z archive.
  static void openArchive(lang::DStringPtr name, lang::DStringPtr password);
  // Nothing happens when no archive is open. Streams opened before stay readable.
  static void closeArchive();
  static bool isArchiveOpen();

  // An entry found by its name, to be opened later without its name being looked up again. It stands
  // for its entry while the archive that found it stays open.
  struct Entry {
    int32_t index = -1;    // in the archive's list; -1 when no entry has the name
    uint64_t archive = 0;  // which opening of an archive found it
    bool found() const { return index >= 0; }
  };

  // Names match exactly after "\" becomes "/" and one leading "/" is dropped, each character taken by
  // its low 8 bits; a name longer than 255 characters is never found. IOException when no archive is
  // open.
  static Entry find(lang::DStringPtr name);
  // IOException when the name is not stored, no archive is open, or the entry cannot be decoded, fails
  // its checksum or claims more bytes than a stream holds (refused before anything is allocated for it).
  static D7zipInputStreamPtr open(lang::DStringPtr name);
  // The same for an entry found before; IOException too when it was not found, or found in an archive
  // that has been closed since.
  static D7zipInputStreamPtr open(const Entry& entry);
  // The entry's unpacked size, -1 when no entry has that name; IOException when no archive is open.
  static int32_t getSize(lang::DStringPtr name);
  // How many files (folders aside) the open archive lists; IOException when none is open.
  static int32_t fileCount();
  // True for the IOException `open` throws for an entry the archive lists but cannot decode; its message
  // names the archive, the entry and the reason.
  static bool isDamageReport(const lang::DExceptionBase& e);
  // A report of the same form for an entry whose bytes its reader cannot use; the entry is named as
  // `open` takes it. For the caller to throw.
  static lang::DExceptionBase* damageReport(lang::DStringPtr entry, const char16_t* reason);

  // Entries read lately are kept up to this many bytes in all, each of at most a quarter of it.
  static constexpr size_t kRecentBytes = 512 * 1024;
  static constexpr size_t kLargestRecentEntry = kRecentBytes / 4;

  // Time this process has spent in the archive's calls, and within them decoding entries, and the names
  // it has looked up; for benchmarks and tests.
  struct TimeSpent {
    uint64_t archiveNanoseconds = 0;
    uint64_t decodingNanoseconds = 0;
    uint64_t nameLookups = 0;
  };
  static TimeSpent timeSpent();

  void finalize() override { close(); }
  int32_t available() override { return size - pos; }
  // ArrayIndexOutOfBoundsException unless off and len lie inside b.
  int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  int32_t read() override;
  // Frees the data; the stream then reads as empty.
  void close() override;
  void reset() override { pos = 0; }
  // At most the bytes left; a negative count skips nothing.
  int64_t skip(int64_t n) override;

 private:
  D7zipInputStream() = default;
  // A stream over the entry at that place in the archive's list; IOException for none, or for damage.
  static D7zipInputStreamPtr openAt(int32_t entry);

  std::shared_ptr<const std::vector<uint8_t>> data;  // shared with the archive's recent entries
  int32_t size = 0;
  int32_t pos = 0;
};

}  // namespace nuv::io
