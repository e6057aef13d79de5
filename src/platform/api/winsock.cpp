// The handheld's sockets over the host's: socket numbers of their own (a closed or foreign number is
// refused, never taken for a host descriptor), the handheld's error codes and option layouts.
#include "platform/api/winsock.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/sockets.h"

namespace winsock {

namespace {

namespace host = platform::hostsockets;

std::mutex socketsLock;
std::map<SOCKET, int> sockets;       // socket number -> host descriptor; guarded by socketsLock
SOCKET nextSocket = 0x100;           // guarded by socketsLock
int startups = 0;                    // guarded by socketsLock
std::function<int(int)> sendFilter;  // guarded by socketsLock

thread_local int lastError = 0;

int fail(int error) {
  lastError = error;
  return SOCKET_ERROR;
}

int wsaError(int hostError) {
  using E = host::Error;
  switch (host::classify(hostError)) {
    case E::WouldBlock:
      return WSAEWOULDBLOCK;
    case E::InProgress:
      return WSAEWOULDBLOCK;
    case E::Interrupted:
      return WSAEINTR;
    case E::Refused:
      return WSAECONNREFUSED;
    case E::Reset:
    case E::Pipe:
      return WSAECONNRESET;
    case E::NotConnected:
      return WSAENOTCONN;
    case E::TimedOut:
      return WSAETIMEDOUT;
    case E::Unreachable:
      return WSAEHOSTUNREACH;
    case E::NoBuffers:
      return WSAENOBUFS;
    case E::TooManyFiles:
      return WSAEMFILE;
    case E::Invalid:
      return WSAEINVAL;
    case E::Fault:
      return WSAEFAULT;
    case E::NoOption:
      return WSAENOPROTOOPT;
    case E::BadDescriptor:
      return WSAENOTSOCK;
    case E::Aborted:
      return WSAECONNABORTED;
    case E::AlreadyConnected:
      return WSAEISCONN;
    case E::Other:
      break;
  }
  return WSAENETDOWN;
}

// A host result: the count, or SOCKET_ERROR with the handheld's error set.
int result(int hostResult) { return hostResult < 0 ? fail(wsaError(-hostResult)) : hostResult; }

// The host descriptor of a socket number, or -1 with WSAENOTSOCK set.
int descriptor(SOCKET s) {
  std::lock_guard lock(socketsLock);
  auto found = sockets.find(s);
  if (found == sockets.end()) {
    lastError = WSAENOTSOCK;
    return -1;
  }
  return found->second;
}

bool started() {
  std::lock_guard lock(socketsLock);
  return startups > 0;
}

struct OptionEntry {
  int level;
  int name;
  host::Option option;
};

constexpr OptionEntry kOptions[] = {
    {IPPROTO_TCP, TCP_NODELAY, host::Option::NoDelay}, {SOL_SOCKET, SO_KEEPALIVE, host::Option::KeepAlive},
    {SOL_SOCKET, SO_LINGER, host::Option::Linger},     {SOL_SOCKET, SO_RCVBUF, host::Option::ReceiveBuffer},
    {SOL_SOCKET, SO_SNDBUF, host::Option::SendBuffer}, {SOL_SOCKET, SO_ERROR, host::Option::Error},
};

const OptionEntry* findOption(int level, int name) {
  for (const OptionEntry& e : kOptions) {
    if (e.level == level && e.name == name) return &e;
  }
  return nullptr;
}

}  // namespace

int WSAStartup(WORD versionRequested, WSADATA* data) {
  const int major = versionRequested & 0xFF;
  const int minor = versionRequested >> 8;
  if (major < 1 || (major == 1 && minor < 1)) return WSAVERNOTSUPPORTED;
  if (data != nullptr) {
    *data = {};
    data->wVersion = major >= 2 ? 0x0202 : 0x0101;
    data->wHighVersion = 0x0202;
    std::strcpy(data->szDescription, "GlimmerHut sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 0xFFFF;
  }
  std::lock_guard lock(socketsLock);
  ++startups;
  return 0;
}

int WSACleanup() {
  std::lock_guard lock(socketsLock);
  if (startups == 0) return fail(WSANOTINITIALISED);
  --startups;
  return 0;
}

int WSAGetLastError() { return lastError; }

SOCKET socket(int family, int type, int protocol) {
  if (!started()) {
    lastError = WSANOTINITIALISED;
    return INVALID_SOCKET;
  }
  if (family != AF_INET || type != SOCK_STREAM || (protocol != 0 && protocol != IPPROTO_TCP)) {
    lastError = WSAEINVAL;
    return INVALID_SOCKET;
  }
  int fd = host::open();
  if (fd < 0) {
    lastError = wsaError(-fd);
    return INVALID_SOCKET;
  }
  std::lock_guard lock(socketsLock);
  SOCKET s = nextSocket++;
  sockets[s] = fd;
  return s;
}

int connect(SOCKET s, const sockaddr* address, int length) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  if (address == nullptr || length < static_cast<int>(sizeof(sockaddr_in))) return fail(WSAEFAULT);
  sockaddr_in to;
  std::memcpy(&to, address, sizeof to);
  if (to.sin_family != AF_INET) return fail(WSAEINVAL);
  return result(host::connect(fd, to.sin_addr.s_addr, to.sin_port)) < 0 ? SOCKET_ERROR : 0;
}

int send(SOCKET s, const char* buffer, int length, int) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  if (buffer == nullptr || length < 0) return fail(WSAEFAULT);
  std::function<int(int)> filter;
  {
    std::lock_guard lock(socketsLock);
    filter = sendFilter;
  }
  if (filter && length > 0) {
    int taken = filter(length);
    if (taken >= 1 && taken < length) length = taken;
  }
  return result(host::send(fd, buffer, length));
}

int recv(SOCKET s, char* buffer, int length, int) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  if (buffer == nullptr || length < 0) return fail(WSAEFAULT);
  return result(host::recv(fd, buffer, length));
}

int shutdown(SOCKET s, int how) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  if (how < SD_RECEIVE || how > SD_BOTH) return fail(WSAEINVAL);
  return result(host::shutdown(fd, how != SD_SEND, how != SD_RECEIVE)) < 0 ? SOCKET_ERROR : 0;
}

int closesocket(SOCKET s) {
  int fd;
  {
    std::lock_guard lock(socketsLock);
    auto found = sockets.find(s);
    if (found == sockets.end()) return fail(WSAENOTSOCK);
    fd = found->second;
    sockets.erase(found);
  }
  return result(host::close(fd)) < 0 ? SOCKET_ERROR : 0;
}

int ioctlsocket(SOCKET s, long command, unsigned long* argument) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  if (command != FIONBIO || argument == nullptr) return fail(WSAEINVAL);
  return result(host::setNonBlocking(fd, *argument != 0)) < 0 ? SOCKET_ERROR : 0;
}

int select(int, fd_set* readable, fd_set* writable, fd_set* failed, const timeval* timeout) {
  std::vector<host::Watch> watches;
  std::vector<SOCKET> numbers;
  auto add = [&](fd_set* set, bool read, bool write) {
    if (set == nullptr) return true;
    for (UINT i = 0; i < set->fd_count && i < kFdSetSize; ++i) {
      int fd = descriptor(set->fd_array[i]);
      if (fd < 0) return false;
      watches.push_back({fd, read, write});
      numbers.push_back(set->fd_array[i]);
    }
    return true;
  };
  if (!add(readable, true, false) || !add(writable, false, true) || !add(failed, false, false)) {
    return SOCKET_ERROR;
  }
  if (watches.empty()) return fail(WSAEINVAL);
  int ms = -1;
  if (timeout != nullptr) {
    if (timeout->tv_sec < 0 || timeout->tv_usec < 0) return fail(WSAEINVAL);
    ms = static_cast<int>(timeout->tv_sec * 1000 + (timeout->tv_usec + 999) / 1000);
  }
  int ready = host::wait(watches.data(), static_cast<int>(watches.size()), ms);
  if (ready < 0) return result(ready);
  // Each set keeps only its ready sockets, in order.
  size_t next = 0;
  int total = 0;
  auto keep = [&](fd_set* set, auto isReady) {
    if (set == nullptr) return;
    UINT kept = 0;
    const UINT count = set->fd_count < kFdSetSize ? set->fd_count : kFdSetSize;
    for (UINT i = 0; i < count; ++i, ++next) {
      if (isReady(watches[next])) set->fd_array[kept++] = numbers[next];
    }
    set->fd_count = kept;
    total += static_cast<int>(kept);
  };
  keep(readable, [](const host::Watch& w) { return w.readable; });
  keep(writable, [](const host::Watch& w) { return w.writable; });
  keep(failed, [](const host::Watch& w) { return w.failed; });
  return total;
}

int getsockopt(SOCKET s, int level, int name, char* value, int* length) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  const OptionEntry* entry = findOption(level, name);
  if (entry == nullptr) return fail(WSAENOPROTOOPT);
  if (value == nullptr || length == nullptr || *length < 4) return fail(WSAEFAULT);
  int number = 0;
  bool on = false;
  if (result(host::getOption(fd, entry->option, number, on)) < 0) return SOCKET_ERROR;
  if (entry->option == host::Option::Linger) {
    linger l{static_cast<uint16_t>(on ? 1 : 0), static_cast<uint16_t>(number)};
    std::memcpy(value, &l, sizeof l);
  } else {
    if (entry->option == host::Option::Error && number != 0) number = wsaError(number);
    std::memcpy(value, &number, sizeof number);
  }
  *length = 4;
  return 0;
}

int setsockopt(SOCKET s, int level, int name, const char* value, int length) {
  int fd = descriptor(s);
  if (fd < 0) return SOCKET_ERROR;
  const OptionEntry* entry = findOption(level, name);
  if (entry == nullptr || entry->option == host::Option::Error) return fail(WSAENOPROTOOPT);
  if (value == nullptr || length < 4) return fail(WSAEFAULT);
  if (entry->option == host::Option::Linger) {
    linger l;
    std::memcpy(&l, value, sizeof l);
    return result(host::setOption(fd, entry->option, l.l_linger, l.l_onoff != 0)) < 0 ? SOCKET_ERROR : 0;
  }
  int number;
  std::memcpy(&number, value, sizeof number);
  return result(host::setOption(fd, entry->option, number, false)) < 0 ? SOCKET_ERROR : 0;
}

uint32_t inet_addr(const char* text) {
  if (text == nullptr) return INADDR_NONE;
  uint32_t parts[4];
  int count = 0;
  const char* p = text;
  while (count < 4) {
    if (*p < '0' || *p > '9') return INADDR_NONE;
    uint32_t v = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
      v = v * 10 + static_cast<uint32_t>(*p++ - '0');
      if (++digits > 3 || v > 255) return INADDR_NONE;
    }
    parts[count++] = v;
    if (count < 4) {
      if (*p != '.') return INADDR_NONE;
      ++p;
    }
  }
  if (*p != 0) return INADDR_NONE;
  uint8_t bytes[4] = {static_cast<uint8_t>(parts[0]), static_cast<uint8_t>(parts[1]), static_cast<uint8_t>(parts[2]),
                      static_cast<uint8_t>(parts[3])};
  uint32_t address;
  std::memcpy(&address, bytes, sizeof address);
  return address;
}

uint16_t htons(uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  uint16_t out;
  std::memcpy(&out, bytes, sizeof out);
  return out;
}

uint16_t ntohs(uint16_t value) { return htons(value); }

hostent* gethostbyname(const char* name) {
  struct Answer {
    std::string name;
    uint32_t address = 0;
    char* addresses[2] = {};
    char* aliases[1] = {};
    hostent entry{};
  };
  thread_local Answer answer;
  if (name == nullptr || name[0] == 0) {
    lastError = WSAHOST_NOT_FOUND;
    return nullptr;
  }
  uint32_t address = 0;
  if (!platform::hostsockets::resolve(name, address)) {
    lastError = WSAHOST_NOT_FOUND;
    return nullptr;
  }
  answer.name = name;
  answer.address = address;
  answer.addresses[0] = reinterpret_cast<char*>(&answer.address);
  answer.addresses[1] = nullptr;
  answer.entry = {answer.name.data(), answer.aliases, AF_INET, 4, answer.addresses};
  return &answer.entry;
}

}  // namespace winsock

namespace platform {

void setSocketSendFilter(std::function<int(int length)> filter) {
  std::lock_guard lock(winsock::socketsLock);
  winsock::sendFilter = std::move(filter);
}

int openSocketCount() {
  std::lock_guard lock(winsock::socketsLock);
  return static_cast<int>(winsock::sockets.size());
}

}  // namespace platform
