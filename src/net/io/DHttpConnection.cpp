// The HTTP connection: parsing the name, sending the request, reading the status line and the header
// lines in steps bounded in time and size, the header getters, and how the body ends.
#include "net/io/DHttpConnection.h"

#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "net/io/DConnector.h"
#include "net/io/DHttpInputStream.h"
#include "platform/api/tickcount.h"

namespace nuv::microedition::io {

using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::lang::throwException;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kScheme[] = u"http://";
constexpr int32_t kSchemeLength = 7;
constexpr int32_t kMaxPort = 65535;
constexpr int32_t kGrowStep = 1024;
// Between two steps that found nothing, the wait for bytes to arrive.
constexpr int32_t kStepWaitMs = 20;
constexpr char16_t kCarriageReturn = u'\r';
constexpr int32_t kStatusCodeDigits = 3;

bool hasSpaceOrControl(const DString& text) {
  for (char16_t c : text.view()) {
    if (c <= u' ' || c == 0x7F) return true;
  }
  return false;
}

bool hasLineBreak(const DString& text) {
  for (char16_t c : text.view()) {
    if (c == u'\r' || c == u'\n') return true;
  }
  return false;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

void writeText(nuv::io::DOutputStream& out, DStringPtr text) { out.write(text->getBytes()); }

// Decimal digits only: their number (INT64_MAX for more than 64 bits hold); anything else -1.
int64_t plainNumber(std::u16string_view digits) {
  if (digits.empty()) return -1;
  int64_t value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return -1;
    value = value > (INT64_MAX - 9) / 10 ? INT64_MAX : value * 10 + (c - u'0');
  }
  return value;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// A header value less the blanks HTTP allows around it.
std::u16string_view withoutBlanks(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

constexpr char16_t kContentLength[] = u"Content-Length";

}  // namespace

DHttpConnection::DHttpConnection(DStringPtr url, int32_t mode, bool timeouts)
    : url_(std::move(url)), mode_(mode), timeouts_(timeouts) {}

DHttpConnectionPtr DHttpConnection::open(DStringPtr name, int32_t mode, bool timeouts) {
  if (name.isNull() || !name->startsWith(DStringPtr(kScheme))) throwException(Code::IllegalArgumentException);
  DHttpConnectionPtr c(new DHttpConnection(name, mode, timeouts));
  DStringPtr rest = name->substring(kSchemeLength);
  // A request line cannot carry these, and a line break would let the name add headers of its own.
  if (hasSpaceOrControl(*rest)) throwException(Code::IllegalArgumentException);
  // The host and port end at the first "/", so that a colon in the path is the path's.
  const int32_t slash = rest->indexOf(u'/');
  DStringPtr authority = slash >= 0 ? rest->substring(0, slash) : rest;
  c->path_ = slash >= 0 ? rest->substring(slash) : DStringPtr(u"/");
  const int32_t colon = authority->indexOf(u':');
  if (colon == 0 || authority->length() == 0) throwException(Code::IllegalArgumentException);
  if (colon > 0) {
    c->host_ = authority->substring(0, colon);
    DStringPtr portText = authority->substring(colon + 1);
    int32_t port = 0;
    for (char16_t ch : portText->view()) {
      if (ch < u'0' || ch > u'9' || port > kMaxPort) throwException(Code::IllegalArgumentException);
      port = port * 10 + (ch - u'0');
    }
    if (port < 1 || port > kMaxPort) throwException(Code::IllegalArgumentException);
    c->port_ = port;
  } else {
    c->host_ = authority;
  }

  c->body_ = new nuv::io::DByteArrayOutputStream();
  c->response_ = new nuv::util::DCyclicBuf(kResponseBufferSize);
  c->headers_ =
      new nuv::util::DHashtable(nuv::util::DHashtable::kDefaultBuckets, nuv::util::DHashtable::kDefaultLoadFactor);
  c->properties_ =
      new nuv::util::DHashtable(nuv::util::DHashtable::kDefaultBuckets, nuv::util::DHashtable::kDefaultLoadFactor);
  c->method_ = u"GET";
  c->responseMessage_ = u"";
  // The port is part of the host a server is asked for, unless it is the default one.
  c->setRequestProperty(u"host", c->port_ == kDefaultPort ? c->host_ : c->host_ + u":" + c->port_);
  DStringPtr socketName = DStringPtr(u"socket://") + c->host_ + u":" + c->port_;
  c->socket_ = nuv::lang::dynamicCast<DSocketConnection>(DConnector::openMode(socketName, mode, timeouts));
  return c;
}

int32_t DHttpConnection::getState() { return socket_.isNull() ? 0 : socket_->getState(); }

void DHttpConnection::close() {
  if (!socket_.isNull()) socket_->close();
}

nuv::io::DDataInputStreamPtr DHttpConnection::openDataInputStream() {
  nuv::io::DInputStreamPtr in = openInputStream();
  return in.isNull() ? nullptr : new nuv::io::DDataInputStream(in);
}

nuv::io::DInputStreamPtr DHttpConnection::openInputStream() {
  ensureResponse();
  using Framing = DHttpInputStream::Framing;
  Framing framing = Framing::UntilClose;
  int64_t length = 0;
  constexpr int32_t kNoContent = 204;
  constexpr int32_t kNotModified = 304;
  if (responseCode_ == kNoContent || responseCode_ == kNotModified) {
    framing = Framing::Length;
  } else if (isChunked()) {
    framing = Framing::Chunked;
  } else if (DStringPtr value = getHeaderField(kContentLength); !value.isNull()) {
    // Without a length to trust, where the body ends cannot be told.
    length = plainNumber(withoutBlanks(value->view()));
    if (length < 0) throwException(Code::IOException);
    framing = Framing::Length;
  }
  return new DHttpInputStream(source_, response_, framing, length, lastActivity_, kTimeoutMs, socket_);
}

nuv::io::DDataOutputStreamPtr DHttpConnection::openDataOutputStream() {
  nuv::io::DOutputStreamPtr out = openOutputStream();
  return out.isNull() ? nullptr : new nuv::io::DDataOutputStream(out);
}

nuv::io::DOutputStreamPtr DHttpConnection::openOutputStream() { return body_; }

DStringPtr DHttpConnection::getEncoding() {
  ensureResponse();
  return getHeaderField(u"Content-Encoding");
}

int64_t DHttpConnection::getLength() {
  ensureResponse();
  DStringPtr value = getHeaderField(kContentLength);
  // A chunked body's length is not known before its end.
  if (value.isNull() || isChunked()) return -1;
  std::u16string_view text = withoutBlanks(value->view());
  const int64_t length = plainNumber(text);
  if (length < 0) {
    // "-5" is a number, though no length; anything else is none.
    const bool negative = !text.empty() && text[0] == u'-' && plainNumber(text.substr(1)) >= 0;
    throwException(negative ? Code::IOException : Code::NumberFormatException);
  }
  // More than a byte array holds.
  if (length > INT32_MAX) throwException(Code::IOException);
  return length;
}

bool DHttpConnection::isChunked() {
  DStringPtr value = getHeaderField(u"Transfer-Encoding");
  if (value.isNull()) return false;
  // The last of the codings decides how the body is framed.
  DStringPtr last = value->substring(value->lastIndexOf(u',') + 1)->trim();
  return equalsIgnoringCase(last->view(), u"chunked");
}

DStringPtr DHttpConnection::getType() {
  ensureResponse();
  return getHeaderField(u"Content-Type");
}

void DHttpConnection::setRequestProperty(DStringPtr key, DStringPtr value) {
  if (state_ != kSetUp) throwException(Code::IOException);
  if (hasLineBreak(*key) || hasLineBreak(*value)) throwException(Code::IllegalArgumentException);
  properties_->put(key, value);
}

void DHttpConnection::setRequestMethod(DStringPtr method) {
  if (state_ != kSetUp) throwException(Code::IOException);
  if (!method->equals(u"GET") && !method->equals(u"POST")) throwException(Code::IOException);
  method_ = method;
}

DStringPtr DHttpConnection::getHeaderField(DStringPtr name) {
  ensureResponse();
  return storedHeader(name);
}

DStringPtr DHttpConnection::storedHeader(DStringPtr name) {
  if (auto* exact = headers_->get(name)) return DStringPtr(static_cast<DString*>(exact));
  nuv::util::DEnumerationPtr keys = headers_->keys();
  while (keys->hasMoreElements()) {
    auto* key = static_cast<DString*>(keys->nextElement());
    if (key != nullptr && equalsIgnoringCase(key->view(), name->view())) {
      return DStringPtr(static_cast<DString*>(headers_->get(DStringPtr(key))));
    }
  }
  return nullptr;
}

int32_t DHttpConnection::getResponseCode() {
  ensureResponse();
  return responseCode_;
}

DStringPtr DHttpConnection::getResponseMessage() {
  ensureResponse();
  return responseMessage_;
}

void DHttpConnection::ensureResponse() {
  if (state_ == kFailed) throwException(Code::IOException);
  if (state_ == kSetUp) sendRequest();
  while (state_ == kSent || state_ == kReadingHeaders) {
    if (readResponseStep() == 0) socket_->waitForData(kStepWaitMs);
  }
  if (state_ == kFailed) throwException(Code::IOException);
}

void DHttpConnection::sendRequest() {
  if (socket_.isNull() || socket_->getState() != DSocketConnection::kConnected) throwException(Code::IOException);
  // Taken before any byte leaves, so that no answer can come earlier.
  requestSentAt_ = GetTickCount();
  nuv::io::DOutputStreamPtr out = socket_->openOutputStream();
  writeText(*out, method_ + u" " + path_ + u" HTTP/" + majorVersion_ + u"." + minorVersion_ + u"\r\n");
  nuv::util::DEnumerationPtr keys = properties_->keys();
  while (keys->hasMoreElements()) {
    DStringPtr key(static_cast<DString*>(keys->nextElement()));
    DStringPtr value(static_cast<DString*>(properties_->get(key)));
    writeText(*out, key + u": " + value + u"\r\n");
  }
  // Exactly one empty line between the headers and the body.
  writeText(*out, u"\r\n");
  if (body_->size() > 0) out->write(body_->toByteArray());
  body_ = nullptr;
  source_ = socket_->openInputStream();
  headers_->clear();
  responseCode_ = -1;
  responseMessage_ = u"";
  headerBytes_ = 0;
  state_ = kSent;
  lastActivity_ = requestSentAt_;
}

int32_t DHttpConnection::receive() {
  int32_t length = 0;
  uint8_t* block = response_->getWriteBlock(&length);
  if (block == nullptr) {
    // Full: a longer header than the buffer holds, within the limit the caller checks.
    if (response_->capacity() > kMaxHeaderBytes) return 0;
    response_->grow(kGrowStep);
    block = response_->getWriteBlock(&length);
    if (block == nullptr) return 0;
  }
  int32_t got = 0;
  try {
    got = source_->readBuffer(block, length);
  } catch (nuv::lang::DExceptionBase* e) {
    // A failing source counts as one that has nothing.
    std::unique_ptr<nuv::lang::DExceptionBase> owned = nuv::lang::catchException(e, Code::Exception);
    got = 0;
  }
  response_->commitWrite(got > 0 ? got : 0);
  if (got > 0) lastActivity_ = GetTickCount();
  return got;
}

DStringPtr DHttpConnection::takeLine() {
  std::u16string line;
  for (int32_t c = response_->read(); c != -1 && c != '\n'; c = response_->read()) {
    line.push_back(static_cast<char16_t>(c));
  }
  headerBytes_ += static_cast<int32_t>(line.size()) + 1;
  return new DString(std::u16string_view(line));
}

void DHttpConnection::readStatusLine(DStringPtr line) {
  if (line->length() > 0 && line->charAt(line->length() - 1) == kCarriageReturn) {
    line = line->substring(0, line->length() - 1);
  }
  if (line->length() < 4 || !line->substring(0, 4)->toUpperCase()->equals(u"HTTP")) return fail();
  const int32_t first = line->indexOf(u' ');
  if (first < 0) {
    fail();
    throwException(Code::IOException);
  }
  // The reason phrase, and the space before it, may be missing.
  int32_t second = line->indexOf(u' ', first + 1);
  if (second < 0) second = line->length();
  DStringPtr code = line->substring(first + 1, second);
  if (code->length() != kStatusCodeDigits) return fail();
  for (char16_t c : code->view()) {
    if (c < u'0' || c > u'9') return fail();
  }
  responseCode_ = nuv::lang::DInteger::parseInt(code);
  responseMessage_ = second < line->length() ? line->substring(second + 1) : DStringPtr(u"");
  state_ = kReadingHeaders;
}

void DHttpConnection::readHeaderLine(DStringPtr line) {
  if (line->length() > 0 && line->charAt(line->length() - 1) == kCarriageReturn) {
    line = line->substring(0, line->length() - 1);
  }
  if (line->length() == 0) {
    state_ = kHeadersDone;
    return;
  }
  const int32_t colon = line->indexOf(u':');
  if (colon < 1) return fail();
  int32_t value = colon + 1;
  while (value < line->length() && isBlank(line->charAt(value))) ++value;
  DStringPtr name = line->substring(0, colon)->trim();
  DStringPtr text = line->substring(value);
  // Two lengths that disagree leave the body's end unknown: the answer cannot be trusted.
  if (equalsIgnoringCase(name->view(), kContentLength)) {
    DStringPtr earlier = storedHeader(name);
    if (!earlier.isNull() && plainNumber(withoutBlanks(earlier->view())) != plainNumber(withoutBlanks(text->view()))) {
      return fail();
    }
  }
  headers_->put(name, text);
}

bool DHttpConnection::isTimedOut() const { return GetTickCount() - requestSentAt_ > kTimeoutMs; }

int32_t DHttpConnection::readResponseStep() {
  if (source_.isNull()) throwException(Code::IOException);
  if (state_ != kSent && state_ != kReadingHeaders) return 1;
  const int32_t got = receive();
  // The status line and the header lines have to be complete within the limit, however their bytes
  // trickle in. The time is taken after receiving, so that bytes sent after the limit count as late.
  if (isTimedOut()) {
    fail();
    return 1;
  }
  while ((state_ == kSent || state_ == kReadingHeaders) && response_->indexOfNewline() >= 0) {
    DStringPtr line = takeLine();
    if (state_ == kSent) {
      readStatusLine(line);
    } else {
      readHeaderLine(line);
    }
  }
  if (state_ != kSent && state_ != kReadingHeaders) return 1;
  // An endless header, or one line without end, is refused.
  if (headerBytes_ + response_->count() > kMaxHeaderBytes) {
    fail();
    return 1;
  }
  // The connection ended before the headers did.
  if (got < 0) {
    fail();
    return 1;
  }
  return 0;
}

}  // namespace nuv::microedition::io
