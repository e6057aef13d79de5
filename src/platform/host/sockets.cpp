// TCP sockets on POSIX.
#include "platform/host/sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform::hostsockets {

namespace {

int failure() { return errno > 0 ? -errno : -EIO; }

int check(int result) { return result < 0 ? failure() : result; }

}  // namespace

int open() { return check(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)); }

int close(int fd) { return check(::close(fd)); }

int connect(int fd, uint32_t address, uint16_t port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = port;
  to.sin_addr.s_addr = address;
  return check(::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to));
}

int send(int fd, const void* buffer, int length) {
  return check(static_cast<int>(::send(fd, buffer, static_cast<size_t>(length), MSG_NOSIGNAL)));
}

int recv(int fd, void* buffer, int length) {
  return check(static_cast<int>(::recv(fd, buffer, static_cast<size_t>(length), 0)));
}

int shutdown(int fd, bool receive, bool send) {
  int how = receive && send ? SHUT_RDWR : receive ? SHUT_RD : SHUT_WR;
  return check(::shutdown(fd, how));
}

int setNonBlocking(int fd, bool on) {
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return failure();
  return check(::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK));
}

namespace {

struct OptionName {
  int level;
  int name;
};

OptionName optionName(Option option) {
  switch (option) {
    case Option::NoDelay:
      return {IPPROTO_TCP, TCP_NODELAY};
    case Option::KeepAlive:
      return {SOL_SOCKET, SO_KEEPALIVE};
    case Option::Linger:
      return {SOL_SOCKET, SO_LINGER};
    case Option::ReceiveBuffer:
      return {SOL_SOCKET, SO_RCVBUF};
    case Option::SendBuffer:
      return {SOL_SOCKET, SO_SNDBUF};
    case Option::Error:
      return {SOL_SOCKET, SO_ERROR};
  }
  return {SOL_SOCKET, SO_ERROR};
}

}  // namespace

int getOption(int fd, Option option, int& value, bool& on) {
  OptionName n = optionName(option);
  if (option == Option::Linger) {
    ::linger l{};
    socklen_t size = sizeof l;
    if (::getsockopt(fd, n.level, n.name, &l, &size) < 0) return failure();
    on = l.l_onoff != 0;
    value = l.l_linger;
    return 0;
  }
  socklen_t size = sizeof value;
  if (::getsockopt(fd, n.level, n.name, &value, &size) < 0) return failure();
  // The host's SO_ERROR is an error number; the caller wants it classified.
  on = value != 0;
  return 0;
}

int setOption(int fd, Option option, int value, bool on) {
  OptionName n = optionName(option);
  if (option == Option::Linger) {
    ::linger l{on ? 1 : 0, value};
    return check(::setsockopt(fd, n.level, n.name, &l, sizeof l));
  }
  return check(::setsockopt(fd, n.level, n.name, &value, sizeof value));
}

int wait(Watch* watches, int count, int timeoutMs) {
  std::vector<pollfd> fds(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    fds[static_cast<size_t>(i)] = {
        watches[i].fd, static_cast<short>((watches[i].read ? POLLIN : 0) | (watches[i].write ? POLLOUT : 0)), 0};
  }
  int ready;
  do {
    ready = ::poll(fds.data(), static_cast<nfds_t>(count), timeoutMs < 0 ? -1 : timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return failure();
  int n = 0;
  for (int i = 0; i < count; ++i) {
    short got = fds[static_cast<size_t>(i)].revents;
    Watch& w = watches[i];
    // A closed or failed socket reads as readable (recv tells what happened) and as failed.
    w.failed = (got & (POLLERR | POLLNVAL)) != 0;
    w.readable = w.read && (got & (POLLIN | POLLHUP | POLLERR)) != 0;
    w.writable = w.write && (got & (POLLOUT | POLLHUP | POLLERR)) != 0;
    if (w.readable || w.writable || w.failed) ++n;
  }
  return n;
}

bool resolve(const char* name, uint32_t& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name, nullptr, &hints, &found) != 0 || found == nullptr) return false;
  address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return true;
}

Error classify(int hostError) {
  switch (hostError) {
    case EAGAIN:
      return Error::WouldBlock;
    case EINPROGRESS:
      return Error::InProgress;
    case EINTR:
      return Error::Interrupted;
    case ECONNREFUSED:
      return Error::Refused;
    case ECONNRESET:
      return Error::Reset;
    case ENOTCONN:
      return Error::NotConnected;
    case ETIMEDOUT:
      return Error::TimedOut;
    case ENETUNREACH:
    case EHOSTUNREACH:
      return Error::Unreachable;
    case ENOBUFS:
    case ENOMEM:
      return Error::NoBuffers;
    case EMFILE:
    case ENFILE:
      return Error::TooManyFiles;
    case EINVAL:
      return Error::Invalid;
    case EFAULT:
      return Error::Fault;
    case ENOPROTOOPT:
      return Error::NoOption;
    case EBADF:
    case ENOTSOCK:
      return Error::BadDescriptor;
    case ECONNABORTED:
      return Error::Aborted;
    case EISCONN:
      return Error::AlreadyConnected;
    case EALREADY:
      return Error::InProgress;
    case EPIPE:
      return Error::Pipe;
    default:
      return Error::Other;
  }
}

}  // namespace platform::hostsockets
