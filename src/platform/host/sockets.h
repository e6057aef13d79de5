// The host's TCP sockets, under the handheld's socket calls (platform/api/winsock.cpp). Internal to the
// stand-in. Every call answers 0 or a count on success and minus the host's error number on failure.
#pragma once

#include <cstdint>

namespace platform::hostsockets {

enum class Option { NoDelay, KeepAlive, Linger, ReceiveBuffer, SendBuffer, Error };

// A blocking TCP socket of the internet family.
int open();
int close(int fd);
// Address and port in network byte order.
int connect(int fd, uint32_t address, uint16_t port);
// A send never raises a signal when the peer has gone.
int send(int fd, const void* buffer, int length);
int recv(int fd, void* buffer, int length);
int shutdown(int fd, bool receive, bool send);
int setNonBlocking(int fd, bool on);

// For Linger: value = the linger time, on = whether lingering is on. For the others: value only.
int getOption(int fd, Option option, int& value, bool& on);
int setOption(int fd, Option option, int value, bool on);

struct Watch {
  int fd;
  bool read;
  bool write;
  // Set by wait.
  bool readable = false;
  bool writable = false;
  bool failed = false;
};
// Waits until one of the watched sockets is ready or the time has passed (negative: for ever); the
// number of ready sockets.
int wait(Watch* watches, int count, int timeoutMs);

// The first internet address of the name in network byte order; false when there is none.
bool resolve(const char* name, uint32_t& address);

// The host's error numbers that the handheld's calls tell apart.
enum class Error {
  WouldBlock,
  InProgress,
  Interrupted,
  Refused,
  Reset,
  NotConnected,
  TimedOut,
  Unreachable,
  NoBuffers,
  TooManyFiles,
  Invalid,
  Fault,
  NoOption,
  BadDescriptor,
  Aborted,
  AlreadyConnected,
  Pipe,
  Other
};
Error classify(int hostError);

}  // namespace platform::hostsockets
