// The body of an HTTP answer: the bytes already buffered with the headers, then the socket's, up to the
// body's end (its length, the last chunk of a chunked answer, or the peer's close), and never past it.
#pragma once

#include <cstdint>
#include <string>

#include "core/io/DInputStream.h"
#include "net/io/DSocketConnection.h"
#include "net/util/DCyclicBuf.h"
#include "platform/types.h"

namespace nuv::microedition::io {

class DHttpInputStream : public nuv::io::DInputStream {
 public:
  // How the body ends.
  enum class Framing {
    UntilClose,  // at the peer's close
    Length,      // after its announced length
    Chunked,     // at the chunk of size 0 and the trailer lines after it
  };

  // raw: received bytes not yet taken, shared with the connection. lastActivity: the tick count of the
  // last bytes received; a body that then stays silent for longer than silenceMs has failed. connection:
  // the source's, which tells a reset from the peer's close.
  DHttpInputStream(nuv::io::DInputStreamPtr source, nuv::util::DCyclicBufPtr raw, Framing framing, int64_t length,
                   DWORD lastActivity, DWORD silenceMs, DSocketConnectionPtr connection);

  const char* getClassName() const override { return "DHttpInputStream"; }
  int32_t available() override;
  // The bytes read, 0 when none has arrived yet, -1 at the end. IOException when the body ends before its
  // length or last chunk, when the connection is reset, for a malformed chunk, and when it stays silent too
  // long; IllegalArgumentException for a null buffer or a negative count.
  int32_t readBuffer(unsigned char* buf, int32_t len) override;
  int32_t read(nuv::io::DbyteArrayPtr b, int32_t off, int32_t len) override;
  using DInputStream::read;
  // The next byte as 0..255; -1 when none has arrived (yet or any more).
  int32_t read() override;
  // Lets both sources go; the socket stays open.
  void close() override;
  void reset() override {}
  int64_t skip(int64_t) override { return 0; }

 private:
  // Where a chunked body stands.
  enum class Chunk { Size, Data, DataEnd, Trailer };

  // Up to len raw bytes, the buffered ones first; -1 when there are none and the peer has closed.
  int32_t takeRaw(uint8_t* buf, int32_t len);
  // Moves what has arrived into the raw buffer.
  void fillRaw();
  // One raw line without its CR LF into line; false while it has not all arrived.
  bool takeLine(std::string& line);
  int32_t readChunked(uint8_t* buf, int32_t len);
  // The source has ended: closed by the peer, or reset, which fails the body whatever its framing.
  void sourceEnd();
  [[noreturn]] void fail();

  nuv::io::DInputStreamPtr source_;
  nuv::util::DCyclicBufPtr raw_;
  DSocketConnectionPtr connection_;
  const Framing framing_;
  // Bytes still to come: of the body (Length) or of the current chunk (Chunked).
  int64_t remaining_;
  Chunk chunk_ = Chunk::Size;
  int32_t trailerBytes_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  bool sourceEnded_ = false;
  // Set when a call took bytes from the socket.
  bool arrived_ = false;
  DWORD lastActivity_;
  const DWORD silenceMs_;
};

}  // namespace nuv::microedition::io
