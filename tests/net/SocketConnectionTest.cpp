// Socket connections against servers on 127.0.0.1: connecting, echoes with partial and large sends,
// the peer closing, options, and closing that leaves no thread or socket behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "net/ConnectionFixture.h"
#include "net/Servers.h"
#include "net/io/DSocketConnection.h"
#include "net/io/DSocketInputStream.h"
#include "net/io/DSocketOutputStream.h"
#include "platform/api/winsock.h"
#include "platform/seam/clock.h"
#include "support/Exceptions.h"

using namespace nuv::lang;
using nuv::microedition::io::DSocketConnection;
using nuv::microedition::io::DSocketConnectionPtr;
using nuv::microedition::io::DSocketOutputStream;
namespace code = nuv::lang::ExceptionCode;

namespace {

DStringPtr nameFor(int port) { return DStringPtr(u"socket://127.0.0.1:") + port; }

DSocketConnectionPtr connectTo(int port) {
  DSocketConnectionPtr c = DSocketConnection::open(nameFor(port), 3, false);
  EXPECT_TRUE(test::eventually([&] { return c->getState() != DSocketConnection::kConnecting; }));
  EXPECT_EQ(c->getState(), DSocketConnection::kConnected);
  return c;
}

DbyteArrayPtr arrayOf(const std::string& s) {
  DbyteArrayPtr a(new DbyteArray(static_cast<int32_t>(s.size())));
  std::copy(s.begin(), s.end(), reinterpret_cast<char*>(a->data()));
  return a;
}

// Everything the stream delivers until n bytes came or it ended.
std::string readSome(nuv::io::DInputStreamPtr in, size_t n) {
  std::string got;
  unsigned char buffer[4096];
  test::eventually([&] {
    int32_t r = in->readBuffer(buffer, static_cast<int32_t>(std::min(sizeof buffer, n - got.size())));
    if (r > 0) got.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(r));
    return got.size() >= n || r < 0;
  });
  return got;
}

// Bytes 0..255 over and over, so that 0xFF and 0x00 are among them.
std::string pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return s;
}

// Echoes every byte back in pieces of at most `piece` bytes.
test::TcpServer::Handler echo(size_t piece) {
  return [piece](test::Peer& peer) {
    while (!peer.stopping()) {
      std::string got = peer.readSome();
      if (got.empty()) return;
      for (size_t at = 0; at < got.size(); at += piece) {
        if (!peer.write(std::string_view(got).substr(at, piece))) return;
      }
    }
  };
}

class SocketConnectionTest : public test::ConnectionFixture {
 protected:
  void TearDown() override { platform::setSocketSendFilter(nullptr); }
};

}  // namespace

TEST_F(SocketConnectionTest, MalformedNamesAreRefused) {
  for (const char16_t* name : {u"socket://example", u"socket://:80", u"socket://h:", u"socket://h:0",
                               u"socket://h:65536", u"socket://h:8x", u"http://h:80", u"socket:/h:80"}) {
    SCOPED_TRACE(std::string(name, name + std::char_traits<char16_t>::length(name)));
    EXPECT_THROWS_CODE(code::IllegalArgumentException, DSocketConnection::open(name, 3, false));
  }
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, EchoesBytesThatArriveInPieces) {
  test::TcpServer server(echo(7));
  {
    DSocketConnectionPtr c = connectTo(server.port());
    nuv::io::DInputStreamPtr in = c->openInputStream();
    nuv::io::DOutputStreamPtr out = c->openOutputStream();
    // Nothing has come yet: read answers at once.
    EXPECT_EQ(in->read(), -1);

    const std::string sent = pattern(300);
    out->write(arrayOf(sent));
    out->write(0xFF);
    out->write(arrayOf("xyz"), 1, 10);  // clipped to what the array holds past the offset
    EXPECT_EQ(readSome(in, 303), sent +
                                     "\xFF"
                                     "yz");
    EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionReceiveStatus), DSocketConnection::kReceiveIdle);

    out->write(arrayOf("\xFF"));
    int32_t byte = -1;
    EXPECT_TRUE(test::eventually([&] { return (byte = in->read()) != -1; }));
    EXPECT_EQ(byte, 0xFF);
    EXPECT_TRUE(test::eventually(
        [&] { return c->getSocketOption(DSocketConnection::kOptionSendStatus) == DSocketConnection::kSendIdle; }));
  }
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, LargeWritesLeaveInBatchesAndPartialSendsContinue) {
  test::TcpServer server(echo(4096));
  std::atomic<int> largest{0};
  std::atomic<int> calls{0};
  // The socket takes at most 300 bytes per send: every batch is sent in parts.
  platform::setSocketSendFilter([&](int length) {
    int seen = largest.load();
    while (length > seen && !largest.compare_exchange_weak(seen, length)) {
    }
    ++calls;
    return std::min(length, 300);
  });
  {
    DSocketConnectionPtr c = connectTo(server.port());
    const std::string sent = pattern(10000);
    c->openOutputStream()->write(arrayOf(sent));
    EXPECT_EQ(readSome(c->openInputStream(), sent.size()), sent);
    EXPECT_LE(largest.load(), DSocketConnection::kBatchSize);
    EXPECT_GE(calls.load(), 34);  // 10000 bytes, 300 at a time
  }
  platform::setSocketSendFilter(nullptr);
  {
    // A megabyte at once grows the send buffer to hold it all.
    DSocketConnectionPtr c = connectTo(server.port());
    const std::string sent = pattern(1 << 20);
    c->openOutputStream()->write(arrayOf(sent));
    EXPECT_TRUE(readSome(c->openInputStream(), sent.size()) == sent);
  }
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, PeerClosingEndsTheConnectionAfterTheBufferedBytes) {
  test::TcpServer server([](test::Peer& peer) { peer.write("bye"); });
  {
    DSocketConnectionPtr c = connectTo(server.port());
    nuv::io::DInputStreamPtr in = c->openInputStream();
    EXPECT_TRUE(test::eventually([&] {
      in->available();
      return c->getState() == DSocketConnection::kClosed;
    }));
    EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionReceiveStatus), DSocketConnection::kReceivePeerClosed);
    EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionConnected), 0);
    unsigned char buffer[8];
    EXPECT_EQ(in->readBuffer(buffer, 8), 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 3), "bye");
    EXPECT_EQ(in->readBuffer(buffer, 8), -1);
    EXPECT_THROWS_CODE(code::IOException, c->openOutputStream()->write(1));
    // The sender thread and the socket went with the peer.
    expectNothingLeft();
  }
}

TEST_F(SocketConnectionTest, ARefusedConnectionEndsInStateZero) {
  int freePort;
  {
    test::TcpServer closed([](test::Peer&) {});
    freePort = closed.port();
  }
  {
    DSocketConnectionPtr c = DSocketConnection::open(nameFor(freePort), 3, false);
    EXPECT_TRUE(test::eventually([&] { return c->getState() == DSocketConnection::kClosed; }));
    EXPECT_THROWS_CODE(code::IOException, c->openOutputStream()->write(arrayOf("x")));
    unsigned char byte;
    EXPECT_EQ(c->openInputStream()->readBuffer(&byte, 1), -1);
    EXPECT_THROWS_CODE(code::IOException, c->getSocketOption(DSocketConnection::kOptionLinger));
  }
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, ASlowConnectNeitherBlocksOtherWritersNorItsOwnClose) {
  test::TcpServer stalled(nullptr, false, 0);
  stalled.fillQueue();
  test::TcpServer server(echo(4096));
  DSocketConnectionPtr slow = DSocketConnection::open(nameFor(stalled.port()), 3, false);
  EXPECT_EQ(slow->getState(), DSocketConnection::kConnecting);
  EXPECT_THROWS_CODE(code::IOException, slow->openOutputStream()->write(1));
  {
    DSocketConnectionPtr fast = connectTo(server.port());
    fast->openOutputStream()->write(arrayOf("while the other connects"));
    EXPECT_EQ(readSome(fast->openInputStream(), 24), "while the other connects");
    fast->close();
  }
  EXPECT_EQ(slow->getState(), DSocketConnection::kConnecting);
  slow->close();
  EXPECT_EQ(slow->getState(), DSocketConnection::kClosed);
  slow = nullptr;
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, ClosingSendsWhatIsQueuedThenEndsThreadAndSocket) {
  std::string received;
  std::atomic<bool> done{false};
  test::TcpServer server([&](test::Peer& peer) {
    received = peer.readToEnd();
    done = true;
  });
  const std::string sent = pattern(200000);
  {
    DSocketConnectionPtr c = connectTo(server.port());
    c->openOutputStream()->write(arrayOf(sent));
    c->close();
    EXPECT_EQ(c->getState(), DSocketConnection::kClosed);
    EXPECT_THROWS_CODE(code::IOException, c->openOutputStream()->write(1));
    expectNothingLeft();
  }
  ASSERT_TRUE(test::eventually([&] { return done.load(); }));
  EXPECT_TRUE(received == sent);

  // Letting the last reference go does the same.
  connectTo(server.port());
  expectNothingLeft();
}

TEST_F(SocketConnectionTest, ClosingReturnsAtOnceWhenThePeerReadsNothing) {
  test::TcpServer server([](test::Peer& peer) { peer.waitForStop(); });
  // Far more than the socket buffers between the two hold: the sender waits on the peer for ever.
  const DbyteArrayPtr sent = arrayOf(pattern(16 << 20));
  for (bool letGo : {false, true}) {
    SCOPED_TRACE(letGo ? "last reference let go" : "closed");
    // The tick count stands still: the sender cannot give up until the test moves it.
    platform::setManualClock(1000);
    DSocketConnectionPtr c = connectTo(server.port());
    c->openOutputStream()->write(sent);
    if (letGo) {
      c = nullptr;
    } else {
      c->close();
      EXPECT_EQ(c->getState(), DSocketConnection::kClosed);
    }
    // Returned while its sender still waits on the peer.
    EXPECT_EQ(DSocketConnection::senderThreads(), threadsBefore + 1);
    platform::advanceManualClock(nuv::microedition::io::SocketSender::kGiveUpMs);
    expectNothingLeft();
    platform::useRealClock();
  }
}

TEST_F(SocketConnectionTest, TheProcessEndEndsSendersOfOpenConnections) {
  test::TcpServer server([](test::Peer& peer) { peer.waitForStop(); });
  DSocketConnectionPtr idle = connectTo(server.port());
  DSocketConnectionPtr stuck = connectTo(server.port());
  stuck->openOutputStream()->write(arrayOf(pattern(16 << 20)));
  {
    test::RacingClock clock;
    nuv::microedition::io::SocketSender::endAll();
    expectNothingLeft();
  }
  EXPECT_EQ(idle->getState(), DSocketConnection::kClosed);
  EXPECT_EQ(stuck->getState(), DSocketConnection::kClosed);
}

TEST_F(SocketConnectionTest, OptionsAnswerFromTheSocketAndTheStatuses) {
  test::TcpServer server(echo(4096));
  DSocketConnectionPtr c = connectTo(server.port());
  EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionConnected), 1);
  EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionLinger), 0);
  EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionNoDelay), 0);
  EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionKeepAlive), 0);
  EXPECT_GT(c->getSocketOption(DSocketConnection::kOptionReceiveBuffer), 0);
  EXPECT_GT(c->getSocketOption(DSocketConnection::kOptionSendBuffer), 0);
  EXPECT_EQ(c->getSocketOption(DSocketConnection::kOptionSendStatus), DSocketConnection::kSendIdle);
  EXPECT_THROWS_CODE(code::IllegalArgumentException, c->getSocketOption(8));
  EXPECT_THROWS_CODE(code::IllegalArgumentException, c->getSocketOption(-1));
}

TEST_F(SocketConnectionTest, AFailedSendIsReportedAndItsBytesDropped) {
  // The reset waits for the first bytes: one at once could beat the connection's own report of being made.
  test::TcpServer server([](test::Peer& peer) {
    peer.readSome();
    peer.close(true);
  });
  DSocketConnectionPtr c = connectTo(server.port());
  DbyteArrayPtr chunk = arrayOf(pattern(1000));
  nuv::io::DOutputStreamPtr out = c->openOutputStream();
  // The reset reaches the sender on one of its next sends; nothing polls, so the state stays 2.
  EXPECT_TRUE(test::eventually([&] {
    out->write(chunk);
    return c->getSocketOption(DSocketConnection::kOptionSendStatus) == DSocketConnection::kSendFailed;
  }));
}

TEST_F(SocketConnectionTest, EveryWriteWakesTheSender) {
  // Each byte waits for its echo before the next is written: a wake-up lost between the sender finding
  // its queue empty and its wait would stall the exchange.
  test::TcpServer server(echo(4096));
  {
    DSocketConnectionPtr c = connectTo(server.port());
    nuv::io::DInputStreamPtr in = c->openInputStream();
    nuv::io::DOutputStreamPtr out = c->openOutputStream();
    int echoed = 0;
    for (int round = 0; round < 300; ++round) {
      out->write(round & 0xFF);
      int32_t byte = -1;
      if (!test::eventually([&] { return (byte = in->read()) != -1; })) break;
      if (byte == (round & 0xFF)) ++echoed;
    }
    EXPECT_EQ(echoed, 300);
  }
  expectNothingLeft();
}
