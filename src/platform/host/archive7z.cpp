// The 7z reader: the list is read here once, and libarchive decodes each entry from an archive of that
// entry's folder alone, made of a small list of our own around the folder's packed bytes in the file.
// libarchive itself reads 7z front to back only: every reader it opens decodes the whole list again and
// steps over the entries before the one asked for, and once it has decoded one entry it decodes every
// entry it steps over.
#include "platform/host/archive7z.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "platform/host/files.h"
#include "platform/host/text.h"

namespace platform {

namespace {

using sevenzip::kSignatureHeaderSize;

// libarchive asks for the packed bytes piece by piece.
constexpr uint64_t kReadBlock = 64 * 1024;
// An entry is unpacked whole into memory: a header claiming more than this is damaged, and nothing is
// allocated or unpacked for it. game.dat's largest entry is 121 KB; a few KB of LZMA unpack to 2 GB.
// The list is held to the same bound.
constexpr uint64_t kMaxEntrySize = 64 * 1024 * 1024;
// Room made before the data arrives; a stated size is only a claim until then.
constexpr uint64_t kMaxReserve = 16 * 1024 * 1024;

constexpr const char* kUnreadable = "the archive file cannot be read";
constexpr const char* kDamagedList = "the archive's list of entries is damaged";

// Main thread only, as the archive is.
uint64_t decodingTime = 0;

// The archive libarchive reads: the made signature header, the folder's packed bytes read from their
// place in the file, then the made list.
struct FolderView {
  HANDLE file;
  const sevenzip::SingleFolderArchive& made;
  uint64_t packStart;  // in the file
  uint64_t packSize;
  uint64_t position = 0;
  size_t blockSize = static_cast<size_t>(std::min(packSize, kReadBlock));
  std::unique_ptr<uint8_t[]> block = std::make_unique_for_overwrite<uint8_t[]>(blockSize);

  uint64_t packEnd() const { return kSignatureHeaderSize + packSize; }
  uint64_t size() const { return packEnd() + made.list.size(); }
};

la_ssize_t readView(archive* a, void* data, const void** buffer) {
  auto* view = static_cast<FolderView*>(data);
  const uint64_t at = view->position;
  uint64_t n = 0;
  if (at < kSignatureHeaderSize) {
    *buffer = view->made.start.data() + at;
    n = kSignatureHeaderSize - at;
  } else if (at < view->packEnd()) {
    const int64_t got = readFileAt(view->file, view->packStart + (at - kSignatureHeaderSize), view->block.get(),
                                   static_cast<size_t>(std::min<uint64_t>(view->blockSize, view->packEnd() - at)));
    if (got < 0) {
      archive_set_error(a, EIO, "%s", kUnreadable);
      return -1;
    }
    *buffer = view->block.get();
    n = static_cast<uint64_t>(got);
  } else if (at < view->size()) {
    *buffer = view->made.list.data() + (at - view->packEnd());
    n = view->size() - at;
  }
  view->position += n;
  return static_cast<la_ssize_t>(n);
}

la_int64_t seekView(archive*, void* data, la_int64_t offset, int whence) {
  auto* view = static_cast<FolderView*>(data);
  const int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<int64_t>(view->position)
                                            : static_cast<int64_t>(view->size());
  if (base + offset < 0) return ARCHIVE_FATAL;
  view->position = static_cast<uint64_t>(base + offset);
  return static_cast<la_int64_t>(view->position);
}

la_int64_t skipView(archive*, void* data, la_int64_t request) {
  auto* view = static_cast<FolderView*>(data);
  const uint64_t left = view->size() > view->position ? view->size() - view->position : 0;
  const uint64_t skip = std::min<uint64_t>(static_cast<uint64_t>(std::max<la_int64_t>(request, 0)), left);
  view->position += skip;
  return static_cast<la_int64_t>(skip);
}

struct ReaderDeleter {
  void operator()(archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderDeleter>;

std::string failure(archive* a, const char* fallback) {
  const char* why = archive_error_string(a);
  return why ? why : fallback;
}

// Stream `stream` of the folder, exactly `expected` bytes; false, with the reason, otherwise. The time spent
// reading and unpacking its bytes is added to `decoding` when given.
bool decodeStream(HANDLE file, const sevenzip::Contents& contents, const sevenzip::Folder& folder, uint32_t stream,
                  uint64_t expected, std::vector<uint8_t>& out, std::string& error, uint64_t* decoding = nullptr) {
  out.clear();
  if (expected > kMaxEntrySize) {
    error = "the entry claims " + std::to_string(expected) + " bytes, more than an entry can hold";
    return false;
  }
  const sevenzip::SingleFolderArchive made = sevenzip::singleFolderArchive(contents, folder);
  FolderView view{file, made, kSignatureHeaderSize + folder.packOffset, sevenzip::packedSize(contents, folder)};

  Reader reader(archive_read_new());
  if (!reader) {
    error = "out of memory";
    return false;
  }
  archive_read_support_format_7zip(reader.get());
  archive_read_set_read_callback(reader.get(), readView);
  archive_read_set_seek_callback(reader.get(), seekView);
  archive_read_set_skip_callback(reader.get(), skipView);
  archive_read_set_callback_data(reader.get(), &view);
  if (archive_read_open1(reader.get()) != ARCHIVE_OK) {
    error = failure(reader.get(), "the archive changed since it was opened");
    return false;
  }
  archive_entry* header = nullptr;
  for (uint32_t i = 0; i <= stream; ++i) {
    const int r = archive_read_next_header(reader.get(), &header);
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
      error = failure(reader.get(), "the archive changed since it was opened");
      return false;
    }
  }
  const auto started = std::chrono::steady_clock::now();
  bool read = true;
  try {
    out.reserve(static_cast<size_t>(std::min(expected, kMaxReserve)));
    // libarchive checks the entry's checksum as its last block arrives and reports a mismatch as a
    // warning; anything but a clean read is a failure here.
    for (;;) {
      const void* block = nullptr;
      size_t size = 0;
      la_int64_t offset = 0;
      int r = archive_read_data_block(reader.get(), &block, &size, &offset);
      if (r == ARCHIVE_EOF) break;
      if (r != ARCHIVE_OK || offset != static_cast<la_int64_t>(out.size()) || out.size() + size > expected) {
        error = failure(reader.get(), "the entry's data is damaged");
        read = false;
        break;
      }
      const auto* bytes = static_cast<const uint8_t*>(block);
      out.insert(out.end(), bytes, bytes + size);
    }
  } catch (const std::bad_alloc&) {
    error = "out of memory for the entry";
    out = std::vector<uint8_t>();
    return false;
  }
  if (decoding) {
    *decoding += static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - started).count());
  }
  if (read && out.size() != expected) {
    error = "the entry's data is shorter than recorded";
    read = false;
  }
  if (!read) out.clear();
  return read;
}

}  // namespace

bool Archive7z::open(HANDLE file, std::string& error) {
  file_ = nullptr;
  entries_.clear();
  places_.clear();
  contents_ = sevenzip::Contents();
  const int64_t fileBytes = fileSize(file);
  if (fileBytes < 0) {
    error = kUnreadable;
    return false;
  }
  std::array<uint8_t, kSignatureHeaderSize> startBytes{};
  sevenzip::StartHeader start;
  if (fileBytes < static_cast<int64_t>(kSignatureHeaderSize) ||
      readFileAt(file, 0, startBytes.data(), startBytes.size()) != static_cast<int64_t>(startBytes.size()) ||
      !sevenzip::hasSignature(startBytes)) {
    error = "not a 7z archive";
    return false;
  }
  // The list lies at the end; the packed streams fill the space between.
  const uint64_t space = static_cast<uint64_t>(fileBytes) - kSignatureHeaderSize;
  if (!sevenzip::readStartHeader(startBytes, start) || start.listOffset > space ||
      start.listSize > space - start.listOffset || start.listSize > kMaxEntrySize) {
    error = kDamagedList;
    return false;
  }
  sevenzip::Contents contents;
  try {
    if (start.listSize > 0) {
      std::vector<uint8_t> list(static_cast<size_t>(start.listSize));
      if (readFileAt(file, kSignatureHeaderSize + start.listOffset, list.data(), list.size()) !=
          static_cast<int64_t>(list.size())) {
        error = kUnreadable;
        return false;
      }
      if (sevenzip::crc32(list.data(), list.size()) != start.listCrc ||
          !sevenzip::readList(list, start.listOffset, contents)) {
        error = kDamagedList;
        return false;
      }
      // A compressed list is the one stream of its one folder.
      if (contents.encoded) {
        if (contents.folders.size() != 1 || contents.folders[0].streams != 1) {
          error = kDamagedList;
          return false;
        }
        const sevenzip::Contents encoded = std::move(contents);
        const sevenzip::Folder& folder = encoded.folders[0];
        if (!decodeStream(file, encoded, folder, 0, folder.size, list, error) ||
            !sevenzip::readList(list, start.listOffset, contents) || contents.encoded) {
          error = kDamagedList;
          return false;
        }
      }
    }
    entries_.reserve(contents.files.size());
    places_.reserve(contents.files.size());
    for (sevenzip::File& f : contents.files) {
      entries_.push_back(Entry{std::move(f.name), f.size, f.directory});
      places_.push_back(Place{f.folder, f.stream});
    }
  } catch (const std::bad_alloc&) {
    entries_.clear();
    places_.clear();
    error = "out of memory for the archive's list of entries";
    return false;
  }
  contents.files.clear();
  contents_ = std::move(contents);
  file_ = file;
  return true;
}

bool Archive7z::extract(size_t index, std::vector<uint8_t>& out, std::string& error) const {
  out.clear();
  if (file_ == nullptr || index >= entries_.size()) {
    error = "no such entry";
    return false;
  }
  const Place& place = places_[index];
  if (place.folder < 0) return true;
  return decodeStream(file_, contents_, contents_.folders[static_cast<size_t>(place.folder)], place.stream,
                      entries_[index].size, out, error, &decodingTime);
}

uint64_t Archive7z::decodingNanoseconds() { return decodingTime; }

}  // namespace platform
