// Reading a 7z archive's list of folders and files, and writing the list of an archive of one folder.
#include "platform/host/archive7z_header.h"

#include <algorithm>
#include <cstring>

namespace platform::sevenzip {

namespace {

constexpr uint8_t kSignature[] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
constexpr uint8_t kMajorVersion = 0;
constexpr uint8_t kMinorVersion = 4;

// Coder flags: the id's length, more than one stream in or out, properties follow, alternatives follow.
constexpr uint8_t kCoderIdSizeMask = 0x0F;
constexpr uint8_t kCoderComplex = 0x10;
constexpr uint8_t kCoderProperties = 0x20;
constexpr uint8_t kCoderAlternatives = 0x80;
// As many as the format's own tool allows.
constexpr uint64_t kMaxCoders = 64;
constexpr uint64_t kMaxCoderStreams = 64;

constexpr uint32_t kAttributeDirectory = 0x10;
// The high 16 bits hold a Unix mode when this bit is set.
constexpr uint32_t kAttributeUnixMode = 0x8000;
constexpr uint32_t kUnixTypeMask = 0xF000;
constexpr uint32_t kUnixDirectory = 0x4000;

// Bounds-checked reading; past the end it fails for good and gives zeros.
class ListReader {
 public:
  ListReader(const uint8_t* bytes, size_t size) : at_(bytes), end_(bytes + size) {}

  bool ok() const { return ok_; }
  void fail() { ok_ = false; }
  size_t left() const { return ok_ ? static_cast<size_t>(end_ - at_) : 0; }
  const uint8_t* here() const { return at_; }

  uint8_t byte() {
    if (!ok_ || at_ == end_) {
      ok_ = false;
      return 0;
    }
    return *at_++;
  }

  uint32_t uint32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
    return v;
  }

  // The leading one bits of the first byte count the bytes that follow; its other bits are the top.
  uint64_t number() {
    const uint8_t first = byte();
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
      const uint8_t mask = static_cast<uint8_t>(0x80 >> i);
      if ((first & mask) == 0) return value | (static_cast<uint64_t>(first & (mask - 1)) << (8 * i));
      value |= static_cast<uint64_t>(byte()) << (8 * i);
    }
    return value;
  }

  // A count that each of its items needs at least `bytesEach` more bytes for.
  uint64_t count(size_t bytesEach = 1) {
    const uint64_t n = number();
    if (n > left() / bytesEach) fail();
    return ok_ ? n : 0;
  }

  void skip(uint64_t n) {
    if (n > left()) {
      ok_ = false;
      return;
    }
    at_ += n;
  }

  bool expect(uint8_t id) {
    if (byte() != id) fail();
    return ok_;
  }

  // A bit field, first item in the highest bit.
  std::vector<bool> bits(size_t n) {
    std::vector<bool> out(left() >= (n + 7) / 8 ? n : 0);
    uint8_t current = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      if (i % 8 == 0) current = byte();
      out[i] = (current & (0x80 >> (i % 8))) != 0;
    }
    if (out.size() != n) fail();
    return out;
  }

  // A bit field preceded by an "all set" byte.
  std::vector<bool> definedBits(size_t n) {
    if (byte() != 0) return std::vector<bool>(n, true);
    return bits(n);
  }

  std::vector<std::optional<uint32_t>> digests(size_t n) {
    const std::vector<bool> defined = definedBits(n);
    std::vector<std::optional<uint32_t>> out(n);
    for (size_t i = 0; ok_ && i < n; ++i)
      if (defined[i]) out[i] = uint32();
    return out;
  }

 private:
  const uint8_t* at_;
  const uint8_t* end_;
  bool ok_ = true;
};

bool addTo(uint64_t& sum, uint64_t n) {
  if (n > UINT64_MAX - sum) return false;
  sum += n;
  return true;
}

struct PackInfo {
  uint64_t position = 0;
  std::vector<uint64_t> sizes;
};

bool readPackInfo(ListReader& in, PackInfo& out) {
  out.position = in.number();
  out.sizes.resize(in.count());
  if (!in.expect(kSize)) return false;
  for (uint64_t& size : out.sizes) size = in.number();
  uint8_t id = in.byte();
  if (id == kCrc) {
    in.digests(out.sizes.size());
    id = in.byte();
  }
  return in.ok() && id == kEnd;
}

// One folder's coders: how many packed streams it reads and outputs it makes, and which output is its
// result (the one no other coder reads).
struct FolderShape {
  uint64_t packedStreams = 0;
  uint64_t outputs = 0;
  uint64_t result = 0;
};

bool readCoders(ListReader& in, Contents& contents, Folder& folder, FolderShape& shape) {
  const uint8_t* start = in.here();
  const uint64_t coders = in.number();
  if (coders == 0 || coders > kMaxCoders) return false;
  uint64_t inputs = 0;
  for (uint64_t c = 0; c < coders && in.ok(); ++c) {
    const uint8_t flags = in.byte();
    if (flags & kCoderAlternatives) return false;
    in.skip(flags & kCoderIdSizeMask);
    uint64_t coderInputs = 1, coderOutputs = 1;
    if (flags & kCoderComplex) {
      coderInputs = in.number();
      coderOutputs = in.number();
      if (coderInputs > kMaxCoderStreams || coderOutputs > kMaxCoderStreams) return false;
    }
    if (flags & kCoderProperties) in.skip(in.number());
    inputs += coderInputs;
    shape.outputs += coderOutputs;
  }
  if (!in.ok() || shape.outputs == 0 || inputs < shape.outputs - 1) return false;
  const uint64_t bindings = shape.outputs - 1;
  std::vector<bool> bound(shape.outputs, false);
  for (uint64_t b = 0; b < bindings; ++b) {
    const uint64_t input = in.number();
    const uint64_t output = in.number();
    if (input >= inputs || output >= shape.outputs || bound[output]) return false;
    bound[output] = true;
  }
  shape.packedStreams = inputs - bindings;
  if (shape.packedStreams > 1) {
    for (uint64_t p = 0; p < shape.packedStreams; ++p)
      if (in.number() >= inputs) return false;
  }
  shape.result = static_cast<uint64_t>(std::find(bound.begin(), bound.end(), false) - bound.begin());
  if (!in.ok()) return false;
  folder.codersAt = static_cast<uint32_t>(contents.coders.size());
  folder.codersSize = static_cast<uint32_t>(in.here() - start);
  contents.coders.append(reinterpret_cast<const char*>(start), folder.codersSize);
  return true;
}

bool readUnpackInfo(ListReader& in, Contents& contents, std::vector<FolderShape>& shapes,
                    std::vector<std::optional<uint32_t>>& crcs) {
  if (!in.expect(kFolder)) return false;
  std::vector<Folder>& folders = contents.folders;
  folders.resize(in.count(2));
  shapes.resize(folders.size());
  // Folders kept in an extra stream: never written by the packer.
  if (in.byte() != 0) return false;
  for (size_t f = 0; f < folders.size(); ++f)
    if (!readCoders(in, contents, folders[f], shapes[f])) return false;
  if (!in.expect(kCodersUnpackSize)) return false;
  for (size_t f = 0; f < folders.size(); ++f) {
    if (shapes[f].outputs > in.left()) return false;
    folders[f].firstOutput = static_cast<uint32_t>(contents.outputSizes.size());
    folders[f].outputs = static_cast<uint32_t>(shapes[f].outputs);
    for (uint64_t o = 0; o < shapes[f].outputs; ++o) contents.outputSizes.push_back(in.number());
    folders[f].size = contents.outputSizes[folders[f].firstOutput + shapes[f].result];
  }
  crcs.assign(folders.size(), std::nullopt);
  uint8_t id = in.byte();
  if (id == kCrc) {
    crcs = in.digests(folders.size());
    id = in.byte();
  }
  return in.ok() && id == kEnd;
}

// Without it every folder holds one stream, its whole output.
bool readSubStreams(ListReader& in, Contents& contents, const std::vector<std::optional<uint32_t>>& folderCrcs) {
  std::vector<Folder>& folders = contents.folders;
  std::vector<uint64_t> counts(folders.size(), 1);
  uint8_t id = in.byte();
  if (id == kNumUnpackStream) {
    // Every stream past a folder's first needs a size of at least a byte.
    uint64_t total = 0;
    for (uint64_t& n : counts) {
      n = in.number();
      if (!addTo(total, n) || total > in.left() + folders.size()) return false;
    }
    id = in.byte();
  }
  for (size_t f = 0; f < folders.size(); ++f) {
    Folder& folder = folders[f];
    if (counts[f] > 1 && id != kSize) return false;
    folder.firstStream = static_cast<uint32_t>(contents.streams.size());
    folder.streams = static_cast<uint32_t>(counts[f]);
    if (counts[f] == 0) continue;
    uint64_t sum = 0;
    for (uint64_t s = 1; s < counts[f] && in.ok(); ++s) {
      contents.streams.push_back(Stream{in.number(), std::nullopt});
      if (!addTo(sum, contents.streams.back().size)) return false;
    }
    if (sum > folder.size) return false;
    contents.streams.push_back(Stream{folder.size - sum, std::nullopt});
  }
  if (id == kSize) id = in.byte();
  // A folder of one stream may give its checksum; the others' come here.
  size_t unknown = 0;
  for (size_t f = 0; f < folders.size(); ++f) {
    if (counts[f] == 1 && folderCrcs[f].has_value()) {
      contents.streams[folders[f].firstStream].crc = folderCrcs[f];
    } else {
      unknown += folders[f].streams;
    }
  }
  if (id == kCrc) {
    const std::vector<std::optional<uint32_t>> crcs = in.digests(unknown);
    size_t next = 0;
    for (size_t f = 0; f < folders.size() && in.ok(); ++f) {
      if (counts[f] == 1 && folderCrcs[f].has_value()) continue;
      for (uint32_t s = 0; s < folders[f].streams; ++s) contents.streams[folders[f].firstStream + s].crc = crcs[next++];
    }
    id = in.byte();
  }
  return in.ok() && id == kEnd;
}

// Packed streams, folders and their streams; each folder learns where its packed bytes lie.
bool readStreams(ListReader& in, uint64_t packLimit, Contents& contents) {
  PackInfo pack;
  std::vector<FolderShape> shapes;
  std::vector<std::optional<uint32_t>> folderCrcs;
  uint8_t id = in.byte();
  if (id == kPackInfo) {
    if (!readPackInfo(in, pack)) return false;
    id = in.byte();
  }
  if (id == kUnpackInfo) {
    if (!readUnpackInfo(in, contents, shapes, folderCrcs)) return false;
    id = in.byte();
  }
  if (id == kSubStreamsInfo) {
    if (!readSubStreams(in, contents, folderCrcs)) return false;
    id = in.byte();
  } else {
    for (size_t f = 0; f < contents.folders.size(); ++f) {
      contents.folders[f].firstStream = static_cast<uint32_t>(f);
      contents.folders[f].streams = 1;
      contents.streams.push_back(Stream{contents.folders[f].size, folderCrcs[f]});
    }
  }
  if (!in.ok() || id != kEnd) return false;
  uint64_t offset = pack.position;
  size_t next = 0;
  for (size_t f = 0; f < contents.folders.size(); ++f) {
    Folder& folder = contents.folders[f];
    if (shapes[f].packedStreams > pack.sizes.size() - next) return false;
    folder.packOffset = offset;
    folder.firstPack = static_cast<uint32_t>(next);
    folder.packs = static_cast<uint32_t>(shapes[f].packedStreams);
    for (uint32_t p = 0; p < folder.packs; ++p)
      if (!addTo(offset, pack.sizes[next++])) return false;
  }
  contents.packSizes = std::move(pack.sizes);
  return offset <= packLimit;
}

bool readNames(ListReader& in, std::vector<File>& files) {
  if (in.byte() != 0) return false;  // kept in an extra stream
  for (File& file : files) {
    const uint8_t* start = in.here();
    size_t length = 0;
    while (in.ok() && (in.byte() | in.byte()) != 0) ++length;
    if (!in.ok() || length == 0) return false;
    file.name.resize(length);
    for (size_t i = 0; i < length; ++i) file.name[i] = static_cast<char16_t>(start[2 * i] | start[2 * i + 1] << 8);
  }
  return true;
}

bool readAttributes(ListReader& in, std::vector<File>& files) {
  const std::vector<bool> defined = in.definedBits(files.size());
  if (in.byte() != 0) return false;  // kept in an extra stream
  for (size_t i = 0; i < files.size() && in.ok(); ++i) {
    if (!defined[i]) continue;
    const uint32_t attributes = in.uint32();
    if ((attributes & kAttributeDirectory) ||
        ((attributes & kAttributeUnixMode) && ((attributes >> 16) & kUnixTypeMask) == kUnixDirectory))
      files[i].directory = true;
  }
  return in.ok();
}

// Files with data take the folders' streams in order; a file without data and not marked as an empty
// file is a folder of the archive. Every stream belongs to a file, and files have names, none empty: a list
// without them names nothing that can be found, and is damaged.
bool readFiles(ListReader& in, Contents& contents) {
  std::vector<File>& files = contents.files;
  const uint64_t count = in.number();
  if (count > contents.streams.size() + 8 * static_cast<uint64_t>(in.left())) return false;
  files.resize(count);
  std::vector<bool> emptyStream(files.size(), false);
  std::vector<bool> emptyFile;
  bool named = false;
  for (;;) {
    const uint64_t type = in.number();
    if (!in.ok()) return false;
    if (type == kEnd) break;
    const uint64_t size = in.number();
    if (size > in.left()) return false;
    ListReader property(in.here(), static_cast<size_t>(size));
    in.skip(size);
    if (type == kEmptyStream) {
      emptyStream = property.bits(files.size());
    } else if (type == kEmptyFile) {
      emptyFile = property.bits(static_cast<size_t>(std::count(emptyStream.begin(), emptyStream.end(), true)));
    } else if (type == kName) {
      if (!readNames(property, files)) return false;
      named = true;
    } else if (type == kAttributes) {
      if (!readAttributes(property, files)) return false;
    }
    // Times, start positions and padding are not needed.
    if (!property.ok()) return false;
  }
  size_t folder = 0, stream = 0, empty = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    File& file = files[i];
    if (emptyStream[i]) {
      if (empty >= emptyFile.size() || !emptyFile[empty]) file.directory = true;
      ++empty;
      continue;
    }
    while (folder < contents.folders.size() && stream == contents.folders[folder].streams) {
      ++folder;
      stream = 0;
    }
    if (folder == contents.folders.size()) return false;
    file.folder = static_cast<int32_t>(folder);
    file.stream = static_cast<uint32_t>(stream);
    file.size = contents.streams[contents.folders[folder].firstStream + stream++].size;
  }
  const auto withData = static_cast<size_t>(std::count(emptyStream.begin(), emptyStream.end(), false));
  return withData == contents.streams.size() && (named || files.empty());
}

bool readPlainList(ListReader& in, uint64_t packLimit, Contents& out) {
  uint8_t id = in.byte();
  if (id == kArchiveProperties) {
    for (uint64_t type = in.number(); type != 0 && in.ok(); type = in.number()) in.skip(in.number());
    id = in.byte();
  }
  if (id == kMainStreamsInfo) {
    if (!readStreams(in, packLimit, out)) return false;
    id = in.byte();
  }
  if (id == kFilesInfo) {
    if (!readFiles(in, out)) return false;
    id = in.byte();
  } else if (!out.streams.empty()) {
    return false;  // streams no file owns
  }
  return in.ok() && id == kEnd;
}

void putId(std::string& out, uint8_t id) { out += static_cast<char>(id); }

}  // namespace

void putLittle(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

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

uint32_t crc32(const uint8_t* bytes, size_t size) {
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
  for (size_t i = 0; i < size; ++i) c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

bool hasSignature(const std::array<uint8_t, kSignatureHeaderSize>& bytes) {
  return std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

bool readStartHeader(const std::array<uint8_t, kSignatureHeaderSize>& bytes, StartHeader& out) {
  if (!hasSignature(bytes) || bytes[6] != kMajorVersion) return false;
  ListReader in(bytes.data() + 8, bytes.size() - 8);
  const uint32_t crc = in.uint32();
  if (crc != crc32(bytes.data() + 12, bytes.size() - 12)) return false;
  out.listOffset = in.uint32() | static_cast<uint64_t>(in.uint32()) << 32;
  out.listSize = in.uint32() | static_cast<uint64_t>(in.uint32()) << 32;
  out.listCrc = in.uint32();
  return true;
}

bool readList(const std::vector<uint8_t>& list, uint64_t packLimit, Contents& out) {
  out = Contents();
  ListReader in(list.data(), list.size());
  const uint8_t id = in.byte();
  if (id == kHeader) return readPlainList(in, packLimit, out);
  if (id != kEncodedHeader) return false;
  out.encoded = true;
  return readStreams(in, packLimit, out);
}

uint64_t packedSize(const Contents& contents, const Folder& folder) {
  uint64_t packed = 0;
  for (uint32_t p = 0; p < folder.packs; ++p) packed += contents.packSizes[folder.firstPack + p];
  return packed;
}

SingleFolderArchive singleFolderArchive(const Contents& contents, const Folder& folder) {
  SingleFolderArchive out;
  std::string& list = out.list;
  list.reserve(64 + folder.codersSize + 16 * (folder.packs + folder.outputs) + 20 * folder.streams);
  putId(list, kHeader);
  putId(list, kMainStreamsInfo);

  putId(list, kPackInfo);
  putNumber(list, 0);
  putNumber(list, folder.packs);
  putId(list, kSize);
  for (uint32_t p = 0; p < folder.packs; ++p) putNumber(list, contents.packSizes[folder.firstPack + p]);
  putId(list, kEnd);

  putId(list, kUnpackInfo);
  putId(list, kFolder);
  putNumber(list, 1);
  list += '\0';  // not in an extra stream
  list.append(contents.coders, folder.codersAt, folder.codersSize);
  putId(list, kCodersUnpackSize);
  for (uint32_t o = 0; o < folder.outputs; ++o) putNumber(list, contents.outputSizes[folder.firstOutput + o]);
  putId(list, kEnd);

  // Each stream's checksum is given here, the folder's own is not needed.
  putId(list, kSubStreamsInfo);
  const size_t streams = folder.streams;
  const Stream* stream = contents.streams.data() + folder.firstStream;
  if (streams != 1) {
    putId(list, kNumUnpackStream);
    putNumber(list, streams);
  }
  if (streams > 1) {
    putId(list, kSize);
    for (size_t s = 0; s + 1 < streams; ++s) putNumber(list, stream[s].size);
  }
  const auto known =
      static_cast<size_t>(std::count_if(stream, stream + streams, [](const Stream& s) { return s.crc.has_value(); }));
  if (known > 0) {
    putId(list, kCrc);
    list += static_cast<char>(known == streams ? 1 : 0);
    if (known != streams) {
      for (size_t i = 0; i < streams; i += 8) {
        uint8_t bits = 0;
        for (size_t k = 0; k < 8 && i + k < streams; ++k) bits |= stream[i + k].crc ? 0x80 >> k : 0;
        list += static_cast<char>(bits);
      }
    }
    for (size_t s = 0; s < streams; ++s)
      if (stream[s].crc) putLittle(list, *stream[s].crc, 4);
  }
  putId(list, kEnd);
  putId(list, kEnd);

  // One file per stream, each named "x".
  putId(list, kFilesInfo);
  putNumber(list, streams);
  putId(list, kName);
  putNumber(list, 1 + 4 * streams);
  list += '\0';  // not in an extra stream
  for (size_t s = 0; s < streams; ++s) list += std::string("x\0\0\0", 4);
  putId(list, kEnd);
  putId(list, kEnd);

  std::string tail;
  putLittle(tail, packedSize(contents, folder), 8);
  putLittle(tail, list.size(), 8);
  putLittle(tail, crc32(reinterpret_cast<const uint8_t*>(list.data()), list.size()), 4);
  std::copy(std::begin(kSignature), std::end(kSignature), out.start.begin());
  out.start[6] = kMajorVersion;
  out.start[7] = kMinorVersion;
  const uint32_t startCrc = crc32(reinterpret_cast<const uint8_t*>(tail.data()), tail.size());
  for (int i = 0; i < 4; ++i) out.start[8 + i] = static_cast<uint8_t>(startCrc >> (8 * i));
  std::copy(tail.begin(), tail.end(), out.start.begin() + 12);
  return out;
}

}  // namespace platform::sevenzip
