// Socket connections: opening, the sender thread (connecting and sending), polling for received bytes,
// options and closing.
#include "net/io/DSocketConnection.h"

#include <cstring>

#include "core/lang/DExceptionBase.h"
#include "net/io/DSocketInputStream.h"
#include "net/io/DSocketOutputStream.h"
#include "platform/api/sync.h"
#include "platform/api/thread.h"

namespace nuv::microedition::io {

using nuv::lang::DStringPtr;
using nuv::lang::throwException;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kScheme[] = u"socket://";
constexpr int32_t kSchemeLength = 9;
constexpr WORD kSocketsVersion = 0x0101;
constexpr char16_t kMutexName[] = u"GESocketDataAccess";
constexpr DWORD kSenderStackSize = 4096;
constexpr int32_t kMaxPort = 65535;
// Connecting waits in slices, so that closing the connection ends the wait soon; the whole wait is bounded.
constexpr long kConnectSliceMs = 50;
constexpr long kConnectLimitMs = 20000;
// How long closing waits for queued bytes to leave before it gives them up.
constexpr DWORD kCloseDrainMs = 5000;

std::atomic<int32_t> liveSenders{0};

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

// Holds the named mutex for one scope.
class MutexHold {
 public:
  explicit MutexHold(HANDLE mutex) : mutex_(mutex) { WaitForSingleObject(mutex_, INFINITE); }
  ~MutexHold() { ReleaseMutex(mutex_); }
  MutexHold(const MutexHold&) = delete;
  MutexHold& operator=(const MutexHold&) = delete;

 private:
  HANDLE mutex_;
};

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
  connection->host_ = toHostText(connection->hostText_);
  connection->port_ = static_cast<uint16_t>(port);
  connection->startSender();
  return connection;
}

void DSocketConnection::startSender() {
  send_ = new nuv::util::DCyclicBuf(kSendBufferSize);
  // There is no socket yet whose receive size could be asked.
  receive_ = new nuv::util::DCyclicBuf(kDefaultReceiveSize);
  scratch_ = new nuv::lang::DbyteArray(kBatchSize);
  mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
  wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (mutex_ == nullptr || wake_ == nullptr) throwException(Code::IOException);
  thread_ = CreateThread(nullptr, kSenderStackSize, senderMain, this, 0, &threadId_);
  if (thread_ == nullptr) throwException(Code::IOException);
  ++liveSenders;
}

DSocketConnection::~DSocketConnection() {
  if (thread_ != nullptr) endSender(true);
  closeSocket();
  if (wake_ != nullptr) CloseHandle(wake_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

int32_t DSocketConnection::senderThreads() { return liveSenders.load(); }

// ---- The sender thread. It touches no counted reference: the connection outlives it, because the
// caller's thread ends it before the connection goes.

DWORD DSocketConnection::senderMain(LPVOID connection) {
  static_cast<DSocketConnection*>(connection)->runSender();
  return 0;
}

void DSocketConnection::runSender() {
  if (state_.load() == kConnecting) connectSocket();
  uint8_t* scratch = reinterpret_cast<uint8_t*>(scratch_->data());
  bool lastFailed = false;
  while (!stopping_.load()) {
    int32_t pending;
    {
      MutexHold hold(mutex_);
      pending = send_->read(scratch, kBatchSize);
      if (pending < 1 && !lastFailed) sendStatus_ = kSendIdle;
    }
    if (pending > 0) {
      sendStatus_ = kSendBusy;
      lastFailed = false;
      sendBatch(pending);
      lastFailed = sendStatus_.load() == kSendFailed;
      continue;
    }
    if (draining_.load()) break;
    WaitForSingleObject(wake_, INFINITE);
  }
}

void DSocketConnection::sendBatch(int32_t pending) {
  const char* scratch = reinterpret_cast<const char*>(scratch_->data());
  const winsock::SOCKET s = socket_.load();
  int32_t sent = 0;
  while (sent < pending && !stopping_.load()) {
    int n = s == winsock::INVALID_SOCKET ? winsock::SOCKET_ERROR : winsock::send(s, scratch + sent, pending - sent, 0);
    if (n == winsock::SOCKET_ERROR) {
      // The batch and everything queued behind it is given up.
      sendStatus_ = kSendFailed;
      MutexHold hold(mutex_);
      send_->clear();
      return;
    }
    sent += n;
  }
}

void DSocketConnection::connectSocket() {
  uint32_t address = winsock::inet_addr(host_.c_str());
  if (address == winsock::INADDR_NONE) {
    winsock::hostent* found = winsock::gethostbyname(host_.c_str());
    if (found == nullptr || found->h_addr_list[0] == nullptr) {
      state_ = kClosed;
      return;
    }
    std::memcpy(&address, found->h_addr_list[0], sizeof address);
  }
  const winsock::SOCKET s = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, 0);
  if (s == winsock::INVALID_SOCKET) {
    state_ = kClosed;
    return;
  }
  socket_ = s;
  winsock::sockaddr_in to{};
  to.sin_family = winsock::AF_INET;
  to.sin_port = winsock::htons(port_);
  to.sin_addr.s_addr = address;
  // Connecting without blocking, so that the wait can be bounded and cut short by closing.
  unsigned long nonBlocking = 1;
  winsock::ioctlsocket(s, winsock::FIONBIO, &nonBlocking);
  bool connected = winsock::connect(s, reinterpret_cast<const winsock::sockaddr*>(&to), sizeof to) == 0;
  if (!connected && winsock::WSAGetLastError() == winsock::WSAEWOULDBLOCK) {
    for (long waited = 0; waited < kConnectLimitMs && !stopping_.load(); waited += kConnectSliceMs) {
      winsock::fd_set writable = setOf(s);
      winsock::fd_set failed = setOf(s);
      const winsock::timeval slice{0, kConnectSliceMs * 1000};
      const int ready = winsock::select(0, nullptr, &writable, &failed, &slice);
      if (ready == winsock::SOCKET_ERROR) break;
      if (ready > 0) {
        int error = 0;
        int size = sizeof error;
        connected = winsock::getsockopt(s, winsock::SOL_SOCKET, winsock::SO_ERROR, reinterpret_cast<char*>(&error),
                                        &size) == 0 &&
                    error == 0;
        break;
      }
    }
  }
  unsigned long blocking = 0;
  winsock::ioctlsocket(s, winsock::FIONBIO, &blocking);
  state_ = connected && !stopping_.load() ? kConnected : kClosed;
}

// ---- The caller's thread.

void DSocketConnection::endSender(bool drain) {
  if (thread_ == nullptr) return;
  bool ended = false;
  // Queued bytes can only leave a connected socket.
  if (drain && state_.load() == kConnected) {
    draining_ = true;
    SetEvent(wake_);
    ended = WaitForSingleObject(thread_, kCloseDrainMs) == WAIT_OBJECT_0;
  }
  if (!ended) {
    stopping_ = true;
    // Wakes a send that waits on a peer that does not read.
    const winsock::SOCKET s = socket_.load();
    if (s != winsock::INVALID_SOCKET) winsock::shutdown(s, winsock::SD_BOTH);
    SetEvent(wake_);
    WaitForSingleObject(thread_, INFINITE);
  }
  CloseHandle(thread_);
  thread_ = nullptr;
  --liveSenders;
}

void DSocketConnection::closeSocket() {
  const winsock::SOCKET s = socket_.exchange(winsock::INVALID_SOCKET);
  if (s != winsock::INVALID_SOCKET) winsock::closesocket(s);
}

void DSocketConnection::close() {
  endSender(true);
  closeSocket();
  state_ = kClosed;
}

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

int32_t DSocketConnection::write(const uint8_t* data, int32_t len) {
  if (len < 1) return 0;
  int32_t stored = 0;
  {
    MutexHold hold(mutex_);
    if (len > send_->freeSpace()) send_->grow(len - send_->freeSpace());
    // Storing only some of the bytes would lose the rest without a word: all or nothing.
    if (len <= send_->freeSpace()) stored = send_->write(data, len);
  }
  if (stored > 0) SetEvent(wake_);
  return stored;
}

int32_t DSocketConnection::poll() {
  const winsock::SOCKET s = socket_.load();
  if (state_.load() != kConnected || s == winsock::INVALID_SOCKET) return receive_->count();
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
    if (got <= 0) {
      receive_->commitWrite(0);
      // Closed by the peer, or broken: either way nothing more comes. Queued bytes cannot leave either.
      receiveStatus_ = got == 0 ? kReceivePeerClosed : kReceiveFailed;
      endSender(false);
      closeSocket();
      state_ = kClosed;
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
  const winsock::SOCKET s = socket_.load();
  if (state_.load() != kConnected || s == winsock::INVALID_SOCKET) {
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
      if (state_.load() != kConnected) throwException(Code::IOException);
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
      return state_.load() == kConnected ? 1 : 0;
    case kOptionReceiveStatus:
      return receiveStatus_;
    case kOptionSendStatus:
      return sendStatus_.load();
    default:
      throwException(Code::IllegalArgumentException);
  }
  uint8_t value[4] = {};
  int size = sizeof value;
  if (winsock::getsockopt(socket_.load(), level, name, reinterpret_cast<char*>(value), &size) != 0 || size != 4) {
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
