// Socket connections: opening, polling for received bytes, options and closing.
#include "net/io/DSocketConnection.h"

#include <cstring>

#include "core/lang/DExceptionBase.h"
#include "net/io/DSocketInputStream.h"
#include "net/io/DSocketOutputStream.h"
#include "platform/api/sync.h"

namespace nuv::microedition::io {

using nuv::lang::DStringPtr;
using nuv::lang::throwException;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kScheme[] = u"socket://";
constexpr int32_t kSchemeLength = 9;
constexpr WORD kSocketsVersion = 0x0101;
constexpr int32_t kMaxPort = 65535;

bool startSockets() {
  // Once per process; the library is never stopped.
  static const bool started = [] {
    winsock::WSADATA data;
    return winsock::WSAStartup(kSocketsVersion, &data) == 0;
  }();
  return started;
}

// A port text of decimal digits naming 1..65535, else -1.
int32_t parsePort(const nuv::lang::DString& text) {
  if (text.length() < 1 || text.length() > 5) return -1;
  int32_t port = 0;
  for (char16_t c : text.view()) {
    if (c < u'0' || c > u'9') return -1;
    port = port * 10 + (c - u'0');
  }
  return port >= 1 && port <= kMaxPort ? port : -1;
}

std::string toHostText(DStringPtr text) {
  nuv::lang::DbyteArrayPtr bytes = text->getBytes();
  return std::string(reinterpret_cast<const char*>(bytes->data()), static_cast<size_t>(bytes->length));
}

winsock::fd_set setOf(winsock::SOCKET s) {
  winsock::fd_set set{};
  set.fd_count = 1;
  set.fd_array[0] = s;
  return set;
}

}  // namespace

DSocketConnection::DSocketConnection(int32_t mode, bool timeouts, DStringPtr hostText, DStringPtr portText)
    : mode_(mode), timeouts_(timeouts), hostText_(std::move(hostText)), portText_(std::move(portText)) {}

DSocketConnectionPtr DSocketConnection::open(DStringPtr name, int32_t mode, bool timeouts) {
  if (!startSockets()) throwException(Code::IOException);
  if (name.isNull() || !name->startsWith(DStringPtr(kScheme))) throwException(Code::IllegalArgumentException);
  DStringPtr rest = name->substring(kSchemeLength);
  const int32_t colon = rest->indexOf(u':');
  if (colon < 1) throwException(Code::IllegalArgumentException);
  DStringPtr portText = rest->substring(colon + 1);
  const int32_t port = parsePort(*portText);
  if (port < 0) throwException(Code::IllegalArgumentException);

  DSocketConnectionPtr connection(new DSocketConnection(mode, timeouts, rest->substring(0, colon), portText));
  // There is no socket yet whose receive size could be asked.
  connection->receive_ = new nuv::util::DCyclicBuf(kDefaultReceiveSize);
  connection->sender_ = SocketSender::start(toHostText(connection->hostText_), static_cast<uint16_t>(port));
  if (connection->sender_ == nullptr) throwException(Code::IOException);
  return connection;
}

DSocketConnection::~DSocketConnection() {
  if (sender_ != nullptr) sender_->close();
}

void DSocketConnection::close() { sender_->close(); }

nuv::io::DDataInputStreamPtr DSocketConnection::openDataInputStream() {
  nuv::io::DInputStreamPtr in = openInputStream();
  if (in.isNull()) throwException(Code::IOException);
  return new nuv::io::DDataInputStream(in);
}

nuv::io::DInputStreamPtr DSocketConnection::openInputStream() { return new DSocketInputStream(this); }

nuv::io::DDataOutputStreamPtr DSocketConnection::openDataOutputStream() {
  nuv::io::DOutputStreamPtr out = openOutputStream();
  if (out.isNull()) throwException(Code::IOException);
  return new nuv::io::DDataOutputStream(out);
}

nuv::io::DOutputStreamPtr DSocketConnection::openOutputStream() { return new DSocketOutputStream(this); }

int32_t DSocketConnection::write(const uint8_t* data, int32_t len) { return sender_->queue(data, len); }

int32_t DSocketConnection::poll() {
  const winsock::SOCKET s = sender_->socket();
  if (sender_->state() != kConnected || s == winsock::INVALID_SOCKET) return receive_->count();
  winsock::fd_set readable = setOf(s);
  const winsock::timeval zero{0, 0};
  int ready = winsock::select(0, &readable, nullptr, nullptr, &zero);
  receiveStatus_ = ready == winsock::SOCKET_ERROR ? kReceiveFailed : kReceiveIdle;
  while (ready > 0 && readable.fd_count == 1) {
    receiveStatus_ = kReceiveTaking;
    int32_t length = 0;
    uint8_t* block = receive_->getWriteBlock(&length);
    if (block == nullptr) {
      receiveStatus_ = kReceiveIdle;
      break;
    }
    const int got = winsock::recv(s, reinterpret_cast<char*>(block), length, 0);
    if (got < 0 && winsock::WSAGetLastError() == winsock::WSAEWOULDBLOCK) {
      // The socket does not block: what was ready has been taken.
      receive_->commitWrite(0);
      receiveStatus_ = kReceiveIdle;
      break;
    }
    if (got <= 0) {
      receive_->commitWrite(0);
      // Closed by the peer, or broken: either way nothing more comes. Queued bytes cannot leave either.
      receiveStatus_ = got == 0 ? kReceivePeerClosed : kReceiveFailed;
      sender_->abandon();
      break;
    }
    receiveStatus_ = kReceiveIdle;
    receive_->commitWrite(got);
    readable = setOf(s);
    ready = winsock::select(0, &readable, nullptr, nullptr, &zero);
    if (ready == winsock::SOCKET_ERROR) receiveStatus_ = kReceiveFailed;
  }
  return receive_->count();
}

void DSocketConnection::waitForData(int32_t ms) {
  const winsock::SOCKET s = sender_->socket();
  if (sender_->state() != kConnected || s == winsock::INVALID_SOCKET) {
    Sleep(static_cast<DWORD>(ms));
    return;
  }
  winsock::fd_set readable = setOf(s);
  const winsock::timeval limit{ms / 1000, (ms % 1000) * 1000L};
  winsock::select(0, &readable, nullptr, nullptr, &limit);
}

int32_t DSocketConnection::getSocketOption(int32_t option) {
  int level = winsock::SOL_SOCKET;
  int name;
  switch (option) {
    case kOptionNoDelay:
      level = winsock::IPPROTO_TCP;
      name = winsock::TCP_NODELAY;
      break;
    case kOptionLinger:
      if (sender_->state() != kConnected) throwException(Code::IOException);
      name = winsock::SO_LINGER;
      break;
    case kOptionKeepAlive:
      name = winsock::SO_KEEPALIVE;
      break;
    case kOptionReceiveBuffer:
      name = winsock::SO_RCVBUF;
      break;
    case kOptionSendBuffer:
      name = winsock::SO_SNDBUF;
      break;
    case kOptionConnected:
      return sender_->state() == kConnected ? 1 : 0;
    case kOptionReceiveStatus:
      return receiveStatus_;
    case kOptionSendStatus:
      return sender_->sendStatus();
    default:
      throwException(Code::IllegalArgumentException);
  }
  uint8_t value[4] = {};
  int size = sizeof value;
  if (winsock::getsockopt(sender_->socket(), level, name, reinterpret_cast<char*>(value), &size) != 0 || size != 4) {
    throwException(Code::IOException);
  }
  if (option == kOptionLinger) {
    winsock::linger l;
    std::memcpy(&l, value, sizeof l);
    return l.l_onoff == 0 ? 0 : l.l_linger;
  }
  int32_t number;
  std::memcpy(&number, value, sizeof number);
  return number;
}

}  // namespace nuv::microedition::io
