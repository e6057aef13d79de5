// The socket sender thread: connecting, moving queued bytes to the socket in batches, and ending within
// a bounded time once its connection has let go, or when the process ends.
#include "net/io/SocketSender.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/api/sync.h"
#include "platform/api/thread.h"
#include "platform/api/tickcount.h"

namespace nuv::microedition::io {

namespace {

constexpr char16_t kMutexName[] = u"GESocketDataAccess";
constexpr DWORD kStackSize = 4096;
// Connecting and waiting for a peer to take bytes go in slices, so that the thread sees soon that it is
// to end; a connect has this long in all.
constexpr long kSliceMs = 50;
constexpr long kConnectLimitMs = 20000;
// At the process's end, how long a sender told to give up has to end; it needs one slice.
constexpr auto kEndWait = std::chrono::milliseconds(500);

// Every sender whose thread runs.
struct Senders {
  std::mutex lock;
  std::condition_variable changed;
  std::vector<std::weak_ptr<SocketSender>> live;  // guarded by lock
  int32_t running = 0;                            // guarded by lock
};

Senders& senders() {
  static Senders all;
  return all;
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

// Made after the list of senders, so it is destroyed first when the process ends.
struct SenderShutdown {
  SenderShutdown() = default;
  SenderShutdown(const SenderShutdown&) = delete;
  SenderShutdown& operator=(const SenderShutdown&) = delete;
  ~SenderShutdown() { SocketSender::endAll(); }
};

SocketSender::SocketSender(Key, std::string host, uint16_t port) : host_(std::move(host)), port_(port) {}

std::shared_ptr<SocketSender> SocketSender::start(std::string host, uint16_t port) {
  Senders& all = senders();
  static SenderShutdown endAtExit;
  auto sender = std::make_shared<SocketSender>(Key(), std::move(host), port);
  sender->queue_ = new nuv::util::DCyclicBuf(kQueueSize);
  sender->mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
  sender->wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (sender->mutex_ == nullptr || sender->wake_ == nullptr) return nullptr;
  {
    std::lock_guard lock(all.lock);
    std::erase_if(all.live, [](const std::weak_ptr<SocketSender>& s) { return s.expired(); });
    all.live.push_back(sender);
    ++all.running;
  }
  sender->self_ = sender;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, kStackSize, threadMain, sender.get(), 0, &id);
  if (thread == nullptr) {
    sender->self_ = nullptr;
    std::lock_guard lock(all.lock);
    --all.running;
    return nullptr;
  }
  // The thread is followed through the list of senders, not through its handle.
  CloseHandle(thread);
  return sender;
}

SocketSender::~SocketSender() {
  closeSocket();
  if (wake_ != nullptr) CloseHandle(wake_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

int32_t SocketSender::running() {
  Senders& all = senders();
  std::lock_guard lock(all.lock);
  return all.running;
}

winsock::SOCKET SocketSender::socket() const noexcept {
  return closing_.load() || abandoned_.load() ? winsock::INVALID_SOCKET : socket_.load();
}

// ---- The connection's thread.

int32_t SocketSender::queue(const uint8_t* data, int32_t len) {
  if (len < 1) return 0;
  int32_t stored = 0;
  {
    MutexHold hold(mutex_);
    if (len > queue_->freeSpace()) queue_->grow(len - queue_->freeSpace());
    // Storing only some of the bytes would lose the rest without a word: all or nothing.
    if (len <= queue_->freeSpace()) stored = queue_->write(data, len);
  }
  if (stored > 0) SetEvent(wake_);
  return stored;
}

void SocketSender::close() {
  state_ = kClosed;
  if (!closing_.load()) {
    closedAt_ = GetTickCount();
    closing_ = true;
  }
  SetEvent(wake_);
}

void SocketSender::abandon() {
  state_ = kClosed;
  abandoned_ = true;
  SetEvent(wake_);
}

void SocketSender::endAll() {
  Senders& all = senders();
  auto everySender = [&all] {
    std::vector<std::shared_ptr<SocketSender>> found;
    std::lock_guard lock(all.lock);
    for (const std::weak_ptr<SocketSender>& s : all.live) {
      if (auto sender = s.lock()) found.push_back(sender);
    }
    return found;
  };
  auto waitFor = [&all](auto limit) {
    std::unique_lock lock(all.lock);
    all.changed.wait_for(lock, limit, [&all] { return all.running == 0; });
  };
  // The senders of connections still open deliver what is queued, as if closed now.
  for (const auto& sender : everySender()) sender->close();
  waitFor(std::chrono::milliseconds(kGiveUpMs));
  for (const auto& sender : everySender()) sender->abandon();
  waitFor(kEndWait);
}

// ---- The sender thread. It touches nothing of the connection, which may be gone.

DWORD SocketSender::threadMain(LPVOID sender) {
  static_cast<SocketSender*>(sender)->run();
  return 0;
}

void SocketSender::run() {
  std::shared_ptr<SocketSender> keep = std::move(self_);
  // Bytes can be queued only once connected; those queued before a close still leave.
  if (connect()) deliver();
  closeSocket();
  Senders& all = senders();
  {
    std::lock_guard lock(all.lock);
    std::erase_if(all.live, [this](const std::weak_ptr<SocketSender>& s) {
      auto sender = s.lock();
      return sender == nullptr || sender.get() == this;
    });
  }
  // The last holder may be this thread: the sender goes before the process's end can pass it by.
  keep = nullptr;
  std::lock_guard lock(all.lock);
  --all.running;
  all.changed.notify_all();
}

bool SocketSender::finishConnect(int32_t state) {
  int32_t connecting = kConnecting;
  return state_.compare_exchange_strong(connecting, state) && state == kConnected;
}

bool SocketSender::connect() {
  if (state_.load() != kConnecting) return false;
  uint32_t address = winsock::inet_addr(host_.c_str());
  if (address == winsock::INADDR_NONE) {
    winsock::hostent* found = winsock::gethostbyname(host_.c_str());
    if (found == nullptr || found->h_addr_list[0] == nullptr) return finishConnect(kClosed);
    std::memcpy(&address, found->h_addr_list[0], sizeof address);
  }
  const winsock::SOCKET s = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, 0);
  if (s == winsock::INVALID_SOCKET) return finishConnect(kClosed);
  socket_ = s;
  winsock::sockaddr_in to{};
  to.sin_family = winsock::AF_INET;
  to.sin_port = winsock::htons(port_);
  to.sin_addr.s_addr = address;
  // The socket stays non-blocking: connecting and sending wait in slices, so that the thread can end
  // whatever the peer does.
  unsigned long nonBlocking = 1;
  winsock::ioctlsocket(s, winsock::FIONBIO, &nonBlocking);
  bool connected = winsock::connect(s, reinterpret_cast<const winsock::sockaddr*>(&to), sizeof to) == 0;
  if (!connected && winsock::WSAGetLastError() == winsock::WSAEWOULDBLOCK) {
    for (long waited = 0; waited < kConnectLimitMs && !closing_.load() && !abandoned_.load(); waited += kSliceMs) {
      winsock::fd_set writable = setOf(s);
      winsock::fd_set failed = setOf(s);
      const winsock::timeval slice{0, kSliceMs * 1000};
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
  return finishConnect(connected ? kConnected : kClosed);
}

bool SocketSender::givenUp() const {
  return abandoned_.load() || (closing_.load() && GetTickCount() - closedAt_.load() >= kGiveUpMs);
}

void SocketSender::deliver() {
  bool lastFailed = false;
  while (!givenUp()) {
    int32_t pending;
    {
      MutexHold hold(mutex_);
      pending = queue_->read(scratch_, kBatchSize);
      if (pending < 1 && !lastFailed) sendStatus_ = kSendIdle;
    }
    if (pending > 0) {
      sendStatus_ = kSendBusy;
      sendBatch(pending);
      lastFailed = sendStatus_.load() == kSendFailed;
      continue;
    }
    // Everything queued has left.
    if (closing_.load()) return;
    WaitForSingleObject(wake_, INFINITE);
  }
}

void SocketSender::sendBatch(int32_t pending) {
  const winsock::SOCKET s = socket_.load();
  const char* bytes = reinterpret_cast<const char*>(scratch_);
  int32_t sent = 0;
  while (sent < pending && !givenUp()) {
    const int n = winsock::send(s, bytes + sent, pending - sent, 0);
    if (n > 0) {
      sent += n;
    } else if (n == 0 || winsock::WSAGetLastError() == winsock::WSAEWOULDBLOCK) {
      // The peer takes nothing for now.
      winsock::fd_set writable = setOf(s);
      const winsock::timeval slice{0, kSliceMs * 1000};
      winsock::select(0, nullptr, &writable, nullptr, &slice);
    } else {
      // The batch and everything queued behind it is given up.
      sendStatus_ = kSendFailed;
      MutexHold hold(mutex_);
      queue_->clear();
      return;
    }
  }
}

void SocketSender::closeSocket() {
  const winsock::SOCKET s = socket_.exchange(winsock::INVALID_SOCKET);
  if (s != winsock::INVALID_SOCKET) winsock::closesocket(s);
}

}  // namespace nuv::microedition::io
