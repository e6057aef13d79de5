// The stand-in's sockets: addresses, byte order, and the handheld's errors for what the host would
// take differently (unknown socket numbers, unknown options, short buffers).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/api/winsock.h"

namespace {

uint32_t address(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint8_t bytes[4] = {a, b, c, d};
  uint32_t out;
  std::memcpy(&out, bytes, sizeof out);
  return out;
}

class WinsockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsock::WSADATA data;
    ASSERT_EQ(winsock::WSAStartup(0x0101, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101);
  }
  void TearDown() override { winsock::WSACleanup(); }
};

}  // namespace

TEST_F(WinsockTest, DottedAddressesAndByteOrder) {
  EXPECT_EQ(winsock::inet_addr("127.0.0.1"), address(127, 0, 0, 1));
  EXPECT_EQ(winsock::inet_addr("10.200.3.255"), address(10, 200, 3, 255));
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4 ", "a.b.c.d", "1..2.3", "0001.2.3.4"}) {
    EXPECT_EQ(winsock::inet_addr(bad), winsock::INADDR_NONE) << bad;
  }
  uint16_t port = winsock::htons(0x1234);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(&port)[0], 0x12);
  EXPECT_EQ(winsock::ntohs(port), 0x1234);
  EXPECT_EQ(sizeof(winsock::sockaddr_in), 16u);
}

TEST_F(WinsockTest, UnknownSocketsOptionsAndShortBuffersAreRefused) {
  const int before = platform::openSocketCount();
  EXPECT_EQ(winsock::closesocket(12345), winsock::SOCKET_ERROR);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAENOTSOCK);
  char byte = 0;
  EXPECT_EQ(winsock::send(12345, &byte, 1, 0), winsock::SOCKET_ERROR);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAENOTSOCK);
  EXPECT_EQ(winsock::socket(23, winsock::SOCK_STREAM, 0), winsock::INVALID_SOCKET);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAEINVAL);

  winsock::SOCKET s = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, 0);
  ASSERT_NE(s, winsock::INVALID_SOCKET);
  EXPECT_EQ(platform::openSocketCount(), before + 1);
  char value[4];
  int size = 4;
  EXPECT_EQ(winsock::getsockopt(s, winsock::SOL_SOCKET, 0x7777, value, &size), winsock::SOCKET_ERROR);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAENOPROTOOPT);
  size = 2;
  EXPECT_EQ(winsock::getsockopt(s, winsock::SOL_SOCKET, winsock::SO_RCVBUF, value, &size), winsock::SOCKET_ERROR);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAEFAULT);
  size = 4;
  EXPECT_EQ(winsock::getsockopt(s, winsock::SOL_SOCKET, winsock::SO_LINGER, value, &size), 0);
  EXPECT_EQ(size, 4);

  winsock::fd_set none{};
  const winsock::timeval zero{0, 0};
  EXPECT_EQ(winsock::select(0, &none, nullptr, nullptr, &zero), winsock::SOCKET_ERROR);
  EXPECT_EQ(winsock::WSAGetLastError(), winsock::WSAEINVAL);

  EXPECT_EQ(winsock::closesocket(s), 0);
  EXPECT_EQ(winsock::closesocket(s), winsock::SOCKET_ERROR);
  EXPECT_EQ(platform::openSocketCount(), before);
}
