// The handheld's Windows sockets (version 1.1): TCP client sockets, polling with select, socket options
// and name lookup. The calls keep their handheld names inside namespace winsock, because the host's own
// socket calls of the same names are visible to every file through the standard headers.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace winsock {

using SOCKET = uintptr_t;
inline constexpr SOCKET INVALID_SOCKET = ~SOCKET{0};
inline constexpr int SOCKET_ERROR = -1;

inline constexpr int AF_INET = 2;
inline constexpr int SOCK_STREAM = 1;
inline constexpr int IPPROTO_TCP = 6;
inline constexpr uint32_t INADDR_NONE = 0xFFFFFFFF;

// Option levels and names of getsockopt and setsockopt.
inline constexpr int SOL_SOCKET = 0xFFFF;
inline constexpr int SO_KEEPALIVE = 0x0008;
inline constexpr int SO_LINGER = 0x0080;
inline constexpr int SO_SNDBUF = 0x1001;
inline constexpr int SO_RCVBUF = 0x1002;
inline constexpr int SO_ERROR = 0x1007;
inline constexpr int TCP_NODELAY = 0x0001;

// ioctlsocket: a nonzero argument makes the socket non-blocking.
inline constexpr long FIONBIO = static_cast<long>(0x8004667E);

// shutdown: which directions end.
inline constexpr int SD_RECEIVE = 0;
inline constexpr int SD_SEND = 1;
inline constexpr int SD_BOTH = 2;

// WSAGetLastError's answers.
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAHOST_NOT_FOUND = 11001;

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};

struct in_addr {
  uint32_t s_addr;  // network byte order
};

// 16 bytes, as connect expects them.
struct sockaddr_in {
  int16_t sin_family;
  uint16_t sin_port;  // network byte order
  in_addr sin_addr;
  char sin_zero[8];
};

struct sockaddr {
  uint16_t sa_family;
  char sa_data[14];
};

// SO_LINGER's 4-byte value.
struct linger {
  uint16_t l_onoff;
  uint16_t l_linger;
};

struct hostent {
  char* h_name;
  char** h_aliases;
  int16_t h_addrtype;
  int16_t h_length;
  char** h_addr_list;  // addresses of h_length bytes in network byte order; a null entry ends the list
};

// The most sockets one set holds.
inline constexpr UINT kFdSetSize = 64;

// A set of sockets for select: the first fd_count entries of fd_array. select leaves in each set only
// the sockets that are ready.
struct fd_set {
  UINT fd_count;
  SOCKET fd_array[kFdSetSize];
};

struct timeval {
  long tv_sec;
  long tv_usec;
};

// Version 1.1 and 2.x are offered; 0 on success, otherwise the error.
int WSAStartup(WORD versionRequested, WSADATA* data);
int WSACleanup();
// The error of this thread's last failed socket call.
int WSAGetLastError();

SOCKET socket(int family, int type, int protocol);
int connect(SOCKET s, const sockaddr* address, int length);
// Both answer the bytes moved, or SOCKET_ERROR; recv answers 0 once the peer has closed.
int send(SOCKET s, const char* buffer, int length, int flags);
int recv(SOCKET s, char* buffer, int length, int flags);
int shutdown(SOCKET s, int how);
int closesocket(SOCKET s);
int ioctlsocket(SOCKET s, long command, unsigned long* argument);
// The number of ready sockets, 0 when the time-out passed (a null time-out waits for ever).
int select(int ignored, fd_set* readable, fd_set* writable, fd_set* failed, const timeval* timeout);
int getsockopt(SOCKET s, int level, int name, char* value, int* length);
int setsockopt(SOCKET s, int level, int name, const char* value, int length);

// INADDR_NONE when the text is not a dotted address.
uint32_t inet_addr(const char* text);
uint16_t htons(uint16_t value);
uint16_t ntohs(uint16_t value);
// Internet addresses of the name; the answer lives until this thread's next call. Null when unknown.
hostent* gethostbyname(const char* name);

}  // namespace winsock

namespace platform {

// Seam for tests: the filter sees the length of every send and answers how many of those bytes the
// socket takes (at most the length), so that partial sends can be provoked. Null removes it. It is
// called on the sending thread.
void setSocketSendFilter(std::function<int(int length)> filter);

// Sockets made and not yet closed.
int openSocketCount();

}  // namespace platform
