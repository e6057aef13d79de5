// The HTTP body stream: the buffered bytes first, then the socket's; the body's end by its length or its
// chunks, chunked bodies decoded, and a silence limit.
#include "net/io/DHttpInputStream.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "platform/api/tickcount.h"

namespace nuv::microedition::io {

namespace Code = nuv::lang::ExceptionCode;

namespace {

// Trailer lines after the last chunk may not pass this many bytes.
constexpr int32_t kMaxTrailerBytes = 64 * 1024;
// More hexadecimal digits than this would not fit a 64-bit size.
constexpr size_t kMaxChunkSizeDigits = 15;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "1a", "1A;name=value", "1a ;ext": the size, or -1 when the line is not a chunk size.
int64_t chunkSize(const std::string& line) {
  size_t at = 0;
  while (at < line.size() && line[at] == '0') ++at;
  const size_t first = at;
  int64_t size = 0;
  for (; at < line.size() && hexValue(line[at]) >= 0; ++at) {
    if (at - first == kMaxChunkSizeDigits) return -1;
    size = size * 16 + hexValue(line[at]);
  }
  if (at == 0) return -1;
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  return at == line.size() || line[at] == ';' ? size : -1;
}

}  // namespace

DHttpInputStream::DHttpInputStream(nuv::io::DInputStreamPtr source, nuv::util::DCyclicBufPtr raw, Framing framing,
                                   int64_t length, DWORD lastActivity, DWORD silenceMs, DSocketConnectionPtr connection)
    : source_(std::move(source)),
      raw_(std::move(raw)),
      connection_(std::move(connection)),
      framing_(framing),
      remaining_(framing == Framing::Length ? length : 0),
      ended_(framing == Framing::Length && length == 0),
      lastActivity_(lastActivity),
      silenceMs_(silenceMs) {}

void DHttpInputStream::sourceEnd() {
  sourceEnded_ = true;
  if (!connection_.isNull() &&
      connection_->getSocketOption(DSocketConnection::kOptionReceiveStatus) == DSocketConnection::kReceiveFailed) {
    failed_ = true;
  }
}

void DHttpInputStream::fail() {
  failed_ = true;
  nuv::lang::throwException(Code::IOException);
}

int32_t DHttpInputStream::available() {
  if (ended_ || failed_ || raw_.isNull()) return 0;
  int64_t count = raw_->count() + (source_.isNull() ? 0 : std::max(source_->available(), 0));
  if (framing_ == Framing::Length) count = std::min(count, remaining_);
  if (framing_ == Framing::Chunked) count = chunk_ == Chunk::Data ? std::min(count, remaining_) : 0;
  return static_cast<int32_t>(count);
}

int32_t DHttpInputStream::takeRaw(uint8_t* buf, int32_t len) {
  int32_t taken = std::max(raw_->read(buf, len), 0);
  if (taken < len && !source_.isNull() && !sourceEnded_) {
    const int32_t got = source_->readBuffer(buf + taken, len - taken);
    if (got > 0) {
      taken += got;
      arrived_ = true;
    } else if (got < 0) {
      sourceEnd();
    }
  }
  return taken == 0 && len > 0 && (sourceEnded_ || source_.isNull()) ? -1 : taken;
}

void DHttpInputStream::fillRaw() {
  if (source_.isNull() || sourceEnded_) return;
  int32_t length = 0;
  uint8_t* block = raw_->getWriteBlock(&length);
  if (block == nullptr) return;
  const int32_t got = source_->readBuffer(block, length);
  raw_->commitWrite(std::max(got, 0));
  if (got > 0) arrived_ = true;
  if (got < 0) sourceEnd();
}

bool DHttpInputStream::takeLine(std::string& line) {
  if (raw_->indexOfNewline() < 0) fillRaw();
  if (raw_->indexOfNewline() < 0) {
    // A line the buffer cannot hold is no chunk line; a body that ends within one is cut short.
    failed_ = raw_->freeSpace() == 0 || sourceEnded_ || source_.isNull();
    return false;
  }
  line.clear();
  for (int32_t c = raw_->read(); c != '\n'; c = raw_->read()) line.push_back(static_cast<char>(c));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

int32_t DHttpInputStream::readChunked(uint8_t* buf, int32_t len) {
  int32_t taken = 0;
  std::string line;
  // A fault ends the loop with failed_ set; the bytes taken before it are still handed over.
  while (!ended_ && !failed_) {
    if (chunk_ == Chunk::Data) {
      if (taken == len) break;
      const int32_t n = takeRaw(buf + taken, static_cast<int32_t>(std::min<int64_t>(len - taken, remaining_)));
      failed_ = n < 0;
      if (n <= 0) break;
      taken += n;
      remaining_ -= n;
      if (remaining_ == 0) chunk_ = Chunk::DataEnd;
      continue;
    }
    if (!takeLine(line)) break;
    switch (chunk_) {
      case Chunk::Size:
        remaining_ = chunkSize(line);
        failed_ = remaining_ < 0;
        chunk_ = remaining_ == 0 ? Chunk::Trailer : Chunk::Data;
        break;
      case Chunk::DataEnd:
        failed_ = !line.empty();
        chunk_ = Chunk::Size;
        break;
      case Chunk::Trailer:
        // Trailer lines are read past and not kept; an empty line ends the body.
        trailerBytes_ += static_cast<int32_t>(line.size()) + 2;
        failed_ = trailerBytes_ > kMaxTrailerBytes;
        ended_ = line.empty();
        break;
      case Chunk::Data:
        break;
    }
  }
  return taken;
}

int32_t DHttpInputStream::readBuffer(unsigned char* buf, int32_t len) {
  if (buf == nullptr || len < 0) nuv::lang::throwException(Code::IllegalArgumentException);
  if (failed_) fail();
  if (ended_ || raw_.isNull()) return -1;
  if (len == 0) return 0;
  arrived_ = false;
  int32_t taken = 0;
  if (framing_ == Framing::Chunked) {
    taken = readChunked(buf, len);
  } else {
    const int32_t want = framing_ == Framing::Length ? static_cast<int32_t>(std::min<int64_t>(len, remaining_)) : len;
    taken = takeRaw(buf, want);
    if (taken < 0) {
      // The peer closed: the end of a body without a length, one cut short for the others.
      if (framing_ == Framing::Length || failed_) fail();
      ended_ = true;
      return -1;
    }
    if (framing_ == Framing::Length) {
      remaining_ -= taken;
      ended_ = remaining_ == 0;
    }
  }
  if (arrived_) lastActivity_ = GetTickCount();
  if (taken > 0) return taken;
  if (failed_) fail();
  if (ended_) return -1;
  if (GetTickCount() - lastActivity_ > silenceMs_) fail();
  return 0;
}

int32_t DHttpInputStream::read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) {
  const int32_t length = b->length;
  if (off < 0 || off > length || len < 0) nuv::lang::throwException(Code::ArrayIndexOutOfBoundsException);
  return readBuffer(reinterpret_cast<unsigned char*>(b->data()) + off, std::min(len, length - off));
}

int32_t DHttpInputStream::read() {
  unsigned char byte = 0;
  return readBuffer(&byte, 1) == 1 ? byte : -1;
}

void DHttpInputStream::close() {
  source_ = nullptr;
  raw_ = nullptr;
  connection_ = nullptr;
}

}  // namespace nuv::microedition::io
