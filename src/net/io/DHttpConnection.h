// One HTTP/1.1 request over a socket connection: the request is sent once the socket is connected, the
// status line and header lines of the answer are read in steps, and the body is read through a stream.
#pragma once

#include <cstdint>

#include "core/io/DByteArrayOutputStream.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "net/io/DContentConnection.h"
#include "net/io/DSocketConnection.h"
#include "net/util/DCyclicBuf.h"
#include "platform/types.h"

namespace nuv::microedition::io {

class DHttpConnection;
using DHttpConnectionPtr = nuv::lang::DPtr<DHttpConnection>;

class DHttpConnection : public DContentConnection {
 public:
  // Request states.
  static constexpr int32_t kSetUp = 0;
  static constexpr int32_t kSent = 1;
  static constexpr int32_t kReadingHeaders = 2;
  static constexpr int32_t kHeadersDone = 3;
  static constexpr int32_t kFailed = 4;

  static constexpr int32_t kDefaultPort = 80;
  static constexpr int32_t kResponseBufferSize = 1024;
  // On the tick count: the status line and header lines have to be complete this long after the request,
  // and a body that stays silent this long has failed.
  static constexpr DWORD kTimeoutMs = 15000;
  // Status line and header lines together may not pass this many bytes.
  static constexpr int32_t kMaxHeaderBytes = 64 * 1024;

  // "http://host[:port][/path]". IllegalArgumentException for another name, a host part beginning with
  // a colon, a port that is not 1..65535, or a name holding spaces or control characters.
  static DHttpConnectionPtr open(nuv::lang::DStringPtr name, int32_t mode, bool timeouts);

  const char* getClassName() const override { return "DHttpConnection"; }
  // The socket's state; 0 without one.
  int32_t getState() override;
  // Ends the socket connection (its sender thread and socket).
  void close() override;
  // Null when openInputStream answers null.
  nuv::io::DDataInputStreamPtr openDataInputStream() override;
  // Sends the request when it was not sent, reads the status line and headers, and answers the body:
  // up to its Content-Length, decoded when chunked, else up to the peer's close. IOException when the
  // socket is not connected, the answer failed or timed out, or its Content-Length is not plain digits.
  nuv::io::DInputStreamPtr openInputStream() override;
  // Over the request body; null once the request was sent.
  nuv::io::DDataOutputStreamPtr openDataOutputStream() override;
  nuv::io::DOutputStreamPtr openOutputStream() override;
  // The headers, after ensureResponse.
  nuv::lang::DStringPtr getEncoding() override;
  // -1 without a "Content-Length" and for a chunked body; NumberFormatException when it is not plain
  // decimal digits; IOException when it is negative or more than a byte array holds.
  int64_t getLength() override;
  nuv::lang::DStringPtr getType() override;

  // Before the request is sent only (else IOException); a key given again keeps its place. Keys and
  // values holding a line break are IllegalArgumentException.
  void setRequestProperty(nuv::lang::DStringPtr key, nuv::lang::DStringPtr value);
  // "GET" (the default) or "POST", before the request is sent; IOException otherwise.
  void setRequestMethod(nuv::lang::DStringPtr method);
  // After ensureResponse: the value of exactly that name, else of the first name equal to it ignoring
  // case, else null.
  nuv::lang::DStringPtr getHeaderField(nuv::lang::DStringPtr name);
  // After ensureResponse: the status code and the reason phrase.
  int32_t getResponseCode();
  nuv::lang::DStringPtr getResponseMessage();

  // Sends the request if needed and reads until the headers are complete; IOException on failure.
  void ensureResponse();
  // IOException unless the socket is connected.
  void sendRequest();
  // One step of reading the answer without waiting: 0 to call again, 1 when done or failed.
  int32_t readResponseStep();

  int32_t requestState() const noexcept { return state_; }
  nuv::lang::DStringPtr getHost() const { return host_; }
  int32_t getPort() const noexcept { return port_; }
  nuv::lang::DStringPtr getPath() const { return path_; }

 private:
  explicit DHttpConnection(nuv::lang::DStringPtr url, int32_t mode, bool timeouts);

  // Bytes that arrived go into the response buffer; the number, -1 once the connection has ended.
  int32_t receive();
  // One buffered line without its line feed.
  nuv::lang::DStringPtr takeLine();
  void readStatusLine(nuv::lang::DStringPtr line);
  void readHeaderLine(nuv::lang::DStringPtr line);
  bool isTimedOut() const;
  // The header as getHeaderField finds it, among those read so far.
  nuv::lang::DStringPtr storedHeader(nuv::lang::DStringPtr name);
  // "Transfer-Encoding" ends with "chunked".
  bool isChunked();
  void fail() { state_ = kFailed; }

  nuv::util::DHashtablePtr headers_;
  int32_t responseCode_ = -1;
  nuv::lang::DStringPtr responseMessage_;
  nuv::lang::DStringPtr method_;
  int32_t majorVersion_ = 1;
  int32_t minorVersion_ = 1;
  nuv::lang::DStringPtr url_;
  nuv::lang::DStringPtr host_;
  int32_t port_ = kDefaultPort;
  nuv::lang::DStringPtr path_;
  nuv::util::DHashtablePtr properties_;
  const int32_t mode_;
  const bool timeouts_;
  nuv::io::DByteArrayOutputStreamPtr body_;
  DSocketConnectionPtr socket_;
  // Shared with the body stream, and left open when the connection goes, so that a body can still be
  // read after the connection was let go.
  nuv::io::DInputStreamPtr source_;
  nuv::util::DCyclicBufPtr response_;
  int32_t state_ = kSetUp;
  // Tick counts of the request and of the last bytes received.
  DWORD requestSentAt_ = 0;
  DWORD lastActivity_ = 0;
  // Status and header bytes taken so far.
  int32_t headerBytes_ = 0;
};

}  // namespace nuv::microedition::io
