// The 7z reader over libarchive, reading the archive file through the stand-in's file handles.
#include "platform/host/archive7z.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "platform/host/files.h"
#include "platform/host/text.h"

namespace platform {

namespace {

// libarchive asks for the file piece by piece; each reader keeps its own position.
constexpr size_t kReadBlock = 64 * 1024;
// The program hands out entries as streams of at most this many bytes; a header claiming more is
// damaged, and nothing is allocated for it.
constexpr uint64_t kMaxEntrySize = 0x7FFFFFFF;
// Room made before the data arrives; a stated size is only a claim until then.
constexpr uint64_t kMaxReserve = 16 * 1024 * 1024;

struct Source {
  HANDLE file;
  int64_t size;
  int64_t position = 0;
  std::vector<uint8_t> block = std::vector<uint8_t>(kReadBlock);
};

la_ssize_t readSource(archive* a, void* data, const void** buffer) {
  auto* source = static_cast<Source*>(data);
  int64_t n =
      readFileAt(source->file, static_cast<uint64_t>(source->position), source->block.data(), source->block.size());
  if (n < 0) {
    archive_set_error(a, EIO, "the archive file cannot be read");
    return -1;
  }
  source->position += n;
  *buffer = source->block.data();
  return static_cast<la_ssize_t>(n);
}

la_int64_t seekSource(archive*, void* data, la_int64_t offset, int whence) {
  auto* source = static_cast<Source*>(data);
  int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? source->position : source->size;
  if (base + offset < 0) return ARCHIVE_FATAL;
  source->position = base + offset;
  return source->position;
}

la_int64_t skipSource(archive*, void* data, la_int64_t request) {
  auto* source = static_cast<Source*>(data);
  int64_t skip = std::min<int64_t>(request, std::max<int64_t>(source->size - source->position, 0));
  source->position += skip;
  return skip;
}

struct ReaderDeleter {
  void operator()(archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderDeleter>;

// A fresh reader at the start of the archive: libarchive reads 7z front to back, and only a reader that
// has decoded nothing yet can pass over entries without decoding them.
Reader openReader(Source& source, std::string& error) {
  Reader reader(archive_read_new());
  if (!reader) {
    error = "out of memory";
    return nullptr;
  }
  archive_read_support_format_7zip(reader.get());
  archive_read_set_read_callback(reader.get(), readSource);
  archive_read_set_seek_callback(reader.get(), seekSource);
  archive_read_set_skip_callback(reader.get(), skipSource);
  archive_read_set_callback_data(reader.get(), &source);
  if (archive_read_open1(reader.get()) != ARCHIVE_OK) {
    const char* why = archive_error_string(reader.get());
    error = why ? why : "not a 7z archive";
    return nullptr;
  }
  return reader;
}

std::string failure(archive* a, const char* fallback) {
  const char* why = archive_error_string(a);
  return why ? why : fallback;
}

}  // namespace

bool Archive7z::open(HANDLE file, std::string& error) {
  file_ = nullptr;
  entries_.clear();
  Source source{file, fileSize(file)};
  if (source.size < 0) {
    error = "the archive file cannot be read";
    return false;
  }
  Reader reader = openReader(source, error);
  if (!reader) return false;
  std::vector<Entry> entries;
  archive_entry* header = nullptr;
  int r;
  // A warning is a name libarchive could not convert to the locale's character set: the entry is kept
  // under the name it could make, and the others are read on.
  while ((r = archive_read_next_header(reader.get(), &header)) == ARCHIVE_OK || r == ARCHIVE_WARN) {
    const char* name = archive_entry_pathname_utf8(header);
    if (name == nullptr) name = archive_entry_pathname(header);
    const la_int64_t size = archive_entry_size(header);
    try {
      entries.push_back(Entry{fromUtf8(name ? name : ""), size > 0 ? static_cast<uint64_t>(size) : 0,
                              archive_entry_filetype(header) == AE_IFDIR});
    } catch (const std::bad_alloc&) {
      error = "out of memory for the archive's list of entries";
      return false;
    }
  }
  if (r != ARCHIVE_EOF) {
    error = failure(reader.get(), "the archive's list of entries is damaged");
    return false;
  }
  file_ = file;
  entries_ = std::move(entries);
  return true;
}

bool Archive7z::extract(size_t index, std::vector<uint8_t>& out, std::string& error) const {
  out.clear();
  if (file_ == nullptr || index >= entries_.size()) {
    error = "no such entry";
    return false;
  }
  Source source{file_, fileSize(file_)};
  Reader reader = openReader(source, error);
  if (!reader) return false;
  archive_entry* header = nullptr;
  for (size_t i = 0; i <= index; ++i) {
    const int r = archive_read_next_header(reader.get(), &header);
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
      error = failure(reader.get(), "the archive changed since it was opened");
      return false;
    }
  }
  const uint64_t expected = entries_[index].size;
  if (expected > kMaxEntrySize) {
    error = "the entry claims " + std::to_string(expected) + " bytes, more than an entry can hold";
    return false;
  }
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
        out.clear();
        return false;
      }
      const auto* bytes = static_cast<const uint8_t*>(block);
      out.insert(out.end(), bytes, bytes + size);
    }
  } catch (const std::bad_alloc&) {
    error = "out of memory for the entry";
    out = std::vector<uint8_t>();
    return false;
  }
  if (out.size() != expected) {
    error = "the entry's data is shorter than recorded";
    out.clear();
    return false;
  }
  return true;
}

}  // namespace platform
