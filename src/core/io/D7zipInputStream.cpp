// The archive's global state, its name index, and the entry streams.
#include "core/io/D7zipInputStream.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "platform/api/file.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"
#include "platform/host/text.h"

namespace nuv::io {

namespace {

using lang::ExceptionCode::IOException;
using lang::ExceptionCode::NullPointerException;

constexpr size_t kMaxNameLength = 255;

// h = h * 31 + c over the name's bytes taken as signed, wrapping at 32 bits.
uint32_t nameHash(const std::string& name) {
  uint32_t h = 0;
  for (char c : name) h = h * 31 + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
  return h;
}

// Each 16-bit character by its low 8 bits, as both stored names and requests are compared.
std::string narrow(std::u16string_view name) {
  std::string out(name.size(), '\0');
  std::transform(name.begin(), name.end(), out.begin(), [](char16_t c) { return static_cast<char>(c & 0xFF); });
  return out;
}

// Chained buckets over the archive's file entries. Names are compared after the hash, so equal hashes
// never confuse two entries, and an empty bucket is told apart from a hash of 0.
class ArchiveIndex {
 public:
  static constexpr int32_t kNone = -1;

  void build(const std::vector<platform::Archive7z::Entry>& entries) {
    nodes_.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!entries[i].directory) nodes_.push_back(Node{0, static_cast<int32_t>(i), kNone, narrow(entries[i].name)});
    }
    heads_.assign(nodes_.size(), kNone);
    std::vector<int32_t> tails(nodes_.size(), kNone);
    // Appended at the end of their chain, so the entry listed first wins among equal names.
    for (size_t n = 0; n < nodes_.size(); ++n) {
      nodes_[n].hash = nameHash(nodes_[n].name);
      const size_t bucket = nodes_[n].hash % nodes_.size();
      if (tails[bucket] == kNone) {
        heads_[bucket] = static_cast<int32_t>(n);
      } else {
        nodes_[static_cast<size_t>(tails[bucket])].next = static_cast<int32_t>(n);
      }
      tails[bucket] = static_cast<int32_t>(n);
    }
  }

  void clear() {
    nodes_.clear();
    heads_.clear();
  }

  size_t files() const { return nodes_.size(); }

  // The entry's index in the archive, or kNone.
  int32_t find(const std::string& name) const {
    if (heads_.empty()) return kNone;
    const uint32_t hash = nameHash(name);
    for (int32_t n = heads_[hash % heads_.size()]; n != kNone; n = nodes_[static_cast<size_t>(n)].next) {
      const Node& node = nodes_[static_cast<size_t>(n)];
      if (node.hash == hash && node.name == name) return node.fileIndex;
    }
    return kNone;
  }

 private:
  struct Node {
    uint32_t hash;
    int32_t fileIndex;  // in the archive's list, directories included
    int32_t next;
    std::string name;
  };

  std::vector<Node> nodes_;
  std::vector<int32_t> heads_;
};

using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

// Entries read lately, most recent first, shared with the streams over them: the start and a game's load
// read some entries more than once, and each is then decoded once. An entry larger than a quarter of the
// budget (a game's music) is read once per load and would only push the others out. A few dozen
// entries at most: a walk is as quick as a hash here.
class RecentEntries {
 public:
  Bytes find(int32_t entry) {
    const auto at = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.entry == entry; });
    if (at == kept_.end()) return nullptr;
    std::rotate(kept_.begin(), at, at + 1);
    return kept_.front().bytes;
  }

  void keep(int32_t entry, const Bytes& bytes) {
    if (bytes->size() > D7zipInputStream::kLargestRecentEntry) return;
    kept_.insert(kept_.begin(), Kept{entry, bytes});
    total_ += bytes->size();
    while (total_ > D7zipInputStream::kRecentBytes) {
      total_ -= kept_.back().bytes->size();
      kept_.pop_back();
    }
  }

  void clear() {
    kept_.clear();
    total_ = 0;
  }

 private:
  struct Kept {
    int32_t entry;
    Bytes bytes;
  };
  std::vector<Kept> kept_;
  size_t total_ = 0;
};

// One archive at a time, used from the main thread only.
struct ArchiveState {
  bool open = false;
  std::u16string name;  // as given to openArchive, for the reports of damage
  HANDLE handle = nullptr;
  platform::Archive7z archive;
  ArchiveIndex index;
  RecentEntries recent;
  uint64_t opening = 0;      // counts the archives opened, so that an entry found in an earlier one is told
  uint64_t nanoseconds = 0;  // spent in the archive's calls, for benchmarks
  uint64_t lookups = 0;      // names looked up in the index
};

ArchiveState& state() {
  static ArchiveState s;
  return s;
}

// Adds the time until the end of its scope to the archive's.
class Timed {
 public:
  ~Timed() {
    state().nanoseconds += static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - started_).count());
  }

 private:
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

// A request as the list writes names: "/" separated, without a leading one.
std::u16string storedForm(const lang::DStringPtr& name) {
  std::u16string turned(name->view());
  std::replace(turned.begin(), turned.end(), u'\\', u'/');
  if (!turned.empty() && turned[0] == u'/') turned.erase(0, 1);
  return turned;
}

// The stored form of a request, narrowed; false when no stored name can match it.
bool lookupName(const lang::DStringPtr& name, std::string& out) {
  const std::u16string stored = storedForm(name);
  if (stored.size() > kMaxNameLength) return false;
  out = narrow(stored);
  return true;
}

// The entry's index in the archive, or ArchiveIndex::kNone.
int32_t findEntry(const lang::DStringPtr& name) {
  if (name.isNull()) lang::throwException(NullPointerException);
  if (!state().open) lang::throwException(IOException);
  ++state().lookups;
  std::string stored;
  return lookupName(name, stored) ? state().index.find(stored) : ArchiveIndex::kNone;
}

}  // namespace

void D7zipInputStream::openArchive(lang::DStringPtr name, lang::DStringPtr) {
  const Timed timed;
  closeArchive();
  if (name.isNull()) lang::throwException(NullPointerException);
  std::u16string turned(name->view());
  std::replace(turned.begin(), turned.end(), u'/', u'\\');
  const std::u16string path = std::u16string(lang::DSystem::getProperty(u"app.fullpath")->view()) + u"\\" + turned;
  // The path looked at in every refusal, so that a person can tell where the archive should be.
  const std::u16string shownPath = platform::fromUtf8(platform::toHostPath(path));
  // Only a file can hold an archive; opening a FIFO would hold the start for ever.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    throw new lang::DExceptionBase(IOException, u"not a file: %s", shownPath.c_str());
  }
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD why = GetLastError();
    const bool missing = why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND;
    throw new lang::DExceptionBase(IOException, missing ? u"not found: %s" : u"cannot be opened: %s",
                                   shownPath.c_str());
  }
  ArchiveState& s = state();
  std::string error;
  if (!s.archive.open(file, error)) {
    CloseHandle(file);
    throw new lang::DExceptionBase(IOException, u"%s: %s", name->chars(), platform::fromUtf8(error).c_str());
  }
  s.name = name->view();
  s.handle = file;
  s.index.build(s.archive.entries());
  ++s.opening;
  s.open = true;
}

void D7zipInputStream::closeArchive() {
  ArchiveState& s = state();
  if (!s.open) return;
  CloseHandle(s.handle);
  s.handle = nullptr;
  s.archive = platform::Archive7z();
  s.index.clear();
  s.recent.clear();
  s.name.clear();
  s.open = false;
}

bool D7zipInputStream::isArchiveOpen() { return state().open; }

D7zipInputStream::Entry D7zipInputStream::find(lang::DStringPtr name) {
  const Timed timed;
  return Entry{findEntry(name), state().opening};
}

D7zipInputStreamPtr D7zipInputStream::open(lang::DStringPtr name) {
  const Timed timed;
  return openAt(findEntry(name));
}

D7zipInputStreamPtr D7zipInputStream::open(const Entry& entry) {
  const Timed timed;
  if (!state().open || entry.archive != state().opening) lang::throwException(IOException);
  return openAt(entry.index);
}

D7zipInputStreamPtr D7zipInputStream::openAt(int32_t entry) {
  if (entry == ArchiveIndex::kNone) lang::throwException(IOException);
  ArchiveState& s = state();
  D7zipInputStreamPtr stream = new D7zipInputStream();
  stream->data = s.recent.find(entry);
  if (stream->data == nullptr) {
    auto bytes = std::make_shared<std::vector<uint8_t>>();
    std::string error;
    // A listed entry that cannot be decoded is damage: the report names the archive and the entry, so
    // that a person can tell which file to replace.
    if (!s.archive.extract(static_cast<size_t>(entry), *bytes, error) ||
        bytes->size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      throw new lang::DExceptionBase(IOException, u"%s: %s: %s", s.name.c_str(),
                                     s.archive.entries()[static_cast<size_t>(entry)].name.c_str(),
                                     platform::fromUtf8(error).c_str());
    }
    stream->data = std::move(bytes);
    s.recent.keep(entry, stream->data);
  }
  stream->size = static_cast<int32_t>(stream->data->size());
  return stream;
}

int32_t D7zipInputStream::fileCount() {
  if (!state().open) lang::throwException(IOException);
  return static_cast<int32_t>(std::min<size_t>(state().index.files(), std::numeric_limits<int32_t>::max()));
}

int32_t D7zipInputStream::getSize(lang::DStringPtr name) {
  const Timed timed;
  const int32_t entry = findEntry(name);
  if (entry == ArchiveIndex::kNone) return -1;
  const uint64_t size = state().archive.entries()[static_cast<size_t>(entry)].size;
  return static_cast<int32_t>(std::min<uint64_t>(size, std::numeric_limits<int32_t>::max()));
}

D7zipInputStream::TimeSpent D7zipInputStream::timeSpent() {
  return TimeSpent{state().nanoseconds, platform::Archive7z::decodingNanoseconds(), state().lookups};
}

bool D7zipInputStream::isDamageReport(const lang::DExceptionBase& e) {
  const ArchiveState& s = state();
  const std::u16string_view message(e.message());
  return e.code() == IOException && !s.name.empty() && message.size() > s.name.size() &&
         message.substr(0, s.name.size()) == s.name && message.substr(s.name.size(), 2) == u": ";
}

lang::DExceptionBase* D7zipInputStream::damageReport(lang::DStringPtr entry, const char16_t* reason) {
  return new lang::DExceptionBase(IOException, u"%s: %s: %s", state().name.c_str(), storedForm(entry).c_str(), reason);
}

int32_t D7zipInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len) {
  checkRange(*b, off, len);
  const int32_t n = std::min(len, size - pos);
  if (n <= 0) return len > 0 ? -1 : 0;
  std::memcpy(b->data() + off, data->data() + pos, static_cast<size_t>(n));
  pos += n;
  return n;
}

int32_t D7zipInputStream::read() { return pos < size ? (*data)[static_cast<size_t>(pos++)] : -1; }

void D7zipInputStream::close() {
  data.reset();
  size = 0;
  pos = 0;
}

int64_t D7zipInputStream::skip(int64_t n) {
  if (n <= 0) return 0;
  const int64_t skipped = std::min<int64_t>(n, size - pos);
  pos += static_cast<int32_t>(skipped);
  return skipped;
}

}  // namespace nuv::io
