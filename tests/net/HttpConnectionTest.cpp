// HTTP connections against a server the test runs on 127.0.0.1: requests as sent, answers as read,
// hostile and failing answers, time-outs, and nothing left running afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "net/ConnectionFixture.h"
#include "net/Servers.h"
#include "net/io/DConnector.h"
#include "net/io/DHttpConnection.h"
#include "net/io/DSocketConnection.h"
#include "platform/seam/clock.h"
#include "support/Exceptions.h"

using namespace nuv::lang;
using nuv::microedition::io::DConnector;
using nuv::microedition::io::DHttpConnection;
using nuv::microedition::io::DHttpConnectionPtr;
using nuv::microedition::io::DSocketConnection;
namespace code = nuv::lang::ExceptionCode;

namespace {

DStringPtr text(const std::string& s) { return new DString(s.c_str()); }

std::string utf8(DStringPtr s) {
  if (s.isNull()) return "(null)";
  return std::string(s->view().begin(), s->view().end());
}

// Opened through the connector and connected.
DHttpConnectionPtr openHttp(const std::string& url) {
  DHttpConnectionPtr c = dynamicCast<DHttpConnection>(DConnector::open(text(url)));
  EXPECT_FALSE(c.isNull());
  if (c.isNull()) return c;
  EXPECT_TRUE(test::eventually([&] { return c->getState() != DSocketConnection::kConnecting; }));
  return c;
}

DbyteArrayPtr arrayOf(const std::string& s) {
  DbyteArrayPtr a(new DbyteArray(static_cast<int32_t>(s.size())));
  std::copy(s.begin(), s.end(), reinterpret_cast<char*>(a->data()));
  return a;
}

// The body up to its end; the code of the exception that ended it, if one did.
std::string readBody(nuv::io::DInputStreamPtr in, uint32_t& thrown) {
  std::string got;
  thrown = 0;
  unsigned char buffer[4096];
  bool ended = false;
  test::eventually([&] {
    thrown = test::thrownCode([&] {
      int32_t n = in->readBuffer(buffer, sizeof buffer);
      if (n > 0) got.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(n));
      ended = n < 0;
    });
    return ended || thrown != 0;
  });
  return got;
}

// Reads until the body so far is `expected`; false when it never is.
bool readUntilGot(nuv::io::DInputStreamPtr in, const std::string& expected) {
  std::string got;
  unsigned char buffer[64];
  return test::eventually([&] {
    int32_t n = in->readBuffer(buffer, sizeof buffer);
    if (n > 0) got.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(n));
    return got == expected;
  });
}

std::string binaryBody() {
  std::string s(3000, '\0');
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char>(255 - i % 256);
  return s;
}

class HttpConnectionTest : public test::ConnectionFixture {};

}  // namespace

TEST_F(HttpConnectionTest, NamesGiveHostPortAndPath) {
  struct Case {
    const char* url;
    const char* host;
    int port;
    const char* path;
  };
  const Case cases[] = {
      {"http://127.0.0.1/x", "127.0.0.1", 80, "/x"},
      {"http://127.0.0.1:8080/x/y?z=1", "127.0.0.1", 8080, "/x/y?z=1"},
      {"http://127.0.0.1", "127.0.0.1", 80, "/"},
      {"http://127.0.0.1:81", "127.0.0.1", 81, "/"},
      {"http://127.0.0.1/a:b", "127.0.0.1", 80, "/a:b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    DHttpConnectionPtr h = DHttpConnection::open(text(c.url), 3, false);
    EXPECT_EQ(utf8(h->getHost()), c.host);
    EXPECT_EQ(h->getPort(), c.port);
    EXPECT_EQ(utf8(h->getPath()), c.path);
  }
  for (const char* bad : {"http://:80/", "http://", "http:///x", "http://h:0/", "http://h:99999/", "http://h:8a/",
                          "http://h/a b", "http://h/x\r\nInjected: 1", "socket://h:80"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROWS_CODE(code::IllegalArgumentException, DHttpConnection::open(text(bad), 3, false));
  }
  expectNothingLeft();
}

TEST_F(HttpConnectionTest, GetSendsOneHeaderBlockAndReadsHeadersAndABinaryBody) {
  const std::string body = binaryBody();
  test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
    peer.write(
        test::httpResponse(200, "OK", body, {"Content-Type: application/octet-stream", "content-encoding:gzip"}));
  });
  {
    DHttpConnectionPtr c = openHttp(server.url("/files/a.bin"));
    ASSERT_EQ(c->getState(), DSocketConnection::kConnected);
    nuv::io::DInputStreamPtr in = c->openInputStream();
    EXPECT_EQ(c->getResponseCode(), 200);
    EXPECT_EQ(utf8(c->getResponseMessage()), "OK");
    EXPECT_EQ(utf8(c->getType()), "application/octet-stream");
    EXPECT_EQ(utf8(c->getEncoding()), "gzip");  // found ignoring case; no space after the colon
    EXPECT_EQ(c->getLength(), static_cast<int64_t>(body.size()));
    uint32_t thrown;
    EXPECT_TRUE(readBody(in, thrown) == body);
    EXPECT_EQ(thrown, 0u);
    EXPECT_TRUE(c->openOutputStream().isNull());
    EXPECT_THROWS_CODE(code::IOException, c->setRequestProperty(u"a", u"b"));
  }
  ASSERT_EQ(server.requests().size(), 1u);
  // The host carries the port, which is not 80.
  EXPECT_EQ(server.requests()[0].head,
            "GET /files/a.bin HTTP/1.1\r\nhost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n\r\n");
  expectNothingLeft();
}

TEST_F(HttpConnectionTest, PostSendsPropertiesInOrderAndTheBodyAfterOneEmptyLine) {
  const std::string payload("\xFF\x00\x01 payload \xFF\x00", 14);
  test::HttpServer server([](const test::HttpRequest& request, test::Peer& peer) {
    peer.write(test::httpResponse(201, "Created", request.body));
  });
  {
    DHttpConnectionPtr c = openHttp(server.url("/post"));
    c->setRequestMethod(u"POST");
    c->setRequestProperty(u"X-First", u"1");
    c->setRequestProperty(u"Content-Length", DInteger::toString(static_cast<int32_t>(payload.size())));
    c->setRequestProperty(u"X-First", u"again");  // keeps its place
    EXPECT_THROWS_CODE(code::IllegalArgumentException, c->setRequestProperty(u"X-Bad", u"a\r\nX-Evil: 1"));
    EXPECT_THROWS_CODE(code::IOException, c->setRequestMethod(u"DELETE"));
    c->openDataOutputStream()->write(arrayOf(payload));
    uint32_t thrown;
    EXPECT_TRUE(readBody(c->openInputStream(), thrown) == payload);
    EXPECT_EQ(c->getResponseCode(), 201);
    EXPECT_THROWS_CODE(code::IOException, c->setRequestMethod(u"POST"));
  }
  ASSERT_EQ(server.requests().size(), 1u);
  const test::HttpRequest r = server.requests()[0];
  EXPECT_EQ(r.head, "POST /post HTTP/1.1\r\nhost: 127.0.0.1:" + std::to_string(server.port()) +
                        "\r\nX-First: again\r\nContent-Length: " + std::to_string(payload.size()) + "\r\n\r\n");
  EXPECT_TRUE(r.body == payload);
  expectNothingLeft();
}

TEST_F(HttpConnectionTest, LenientStatusAndHeaderForms) {
  struct Case {
    const char* statusLine;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {"http/1.0 404 Not Found\r\n", 404, "Not Found"},
      {"HTTP/1.1 200\r\n", 200, ""},
      {"HTTP/1.1 200 \r\n", 200, ""},
      {"HTTP/1.1 200\n", 200, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statusLine);
    {
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write(std::string(c.statusLine) +
                   "content-type:text/plain\r\nX-Empty:\r\nX-Padded: \t padded \r\n\r\ngone");
      });
      DHttpConnectionPtr h = openHttp(server.url("/missing"));
      EXPECT_EQ(utf8(h->getType()), "text/plain");
      EXPECT_EQ(h->getResponseCode(), c.code);
      EXPECT_EQ(utf8(h->getResponseMessage()), c.message);
      EXPECT_EQ(utf8(h->getHeaderField(u"x-empty")), "");
      // The blanks after the colon are not part of the value; those at its end are.
      EXPECT_EQ(utf8(h->getHeaderField(u"X-Padded")), "padded ");
      EXPECT_TRUE(h->getHeaderField(u"Location").isNull());
      EXPECT_EQ(h->getLength(), -1);
      uint32_t thrown;
      EXPECT_EQ(readBody(h->openInputStream(), thrown), "gone");
      EXPECT_EQ(thrown, 0u);
    }
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, BrokenAndHostileAnswersGiveIOExceptionAndLeaveNothingRunning) {
  struct Case {
    const char* name;
    std::function<void(test::Peer&)> answer;
  };
  const std::string endlessLine(200 * 1024, 'a');
  const Case cases[] = {
      {"garbage status line", [](test::Peer& p) { p.write("GARBAGE\r\n\r\n"); }},
      {"binary status line", [](test::Peer& p) { p.write(std::string("\xFF\xFE\x00\x01\n", 5)); }},
      {"short status line", [](test::Peer& p) { p.write("HT\r\n"); }},
      {"status without a space", [](test::Peer& p) { p.write("HTTP/1.1-200-OK\r\n\r\n"); }},
      {"status code not a number", [](test::Peer& p) { p.write("HTTP/1.1 2x0 OK\r\n\r\n"); }},
      {"header without a colon", [](test::Peer& p) { p.write("HTTP/1.1 200 OK\r\nNoColon\r\n\r\n"); }},
      {"header with the colon first", [](test::Peer& p) { p.write("HTTP/1.1 200 OK\r\n: x\r\n\r\n"); }},
      {"two lengths that disagree",
       [](test::Peer& p) { p.write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 50\r\n\r\nhello"); }},
      {"two lengths that disagree in names of another case",
       [](test::Peer& p) { p.write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\ncontent-length: 4\r\n\r\nhello"); }},
      {"dropped before answering", [](test::Peer& p) { p.close(); }},
      {"reset before answering", [](test::Peer& p) { p.close(true); }},
      {"closed within the headers", [](test::Peer& p) { p.write("HTTP/1.1 200 OK\r\nContent-Ty"); }},
      {"endless header line",
       [&](test::Peer& p) {
         p.write("HTTP/1.1 200 OK\r\nX-Long: ");
         p.write(endlessLine);
         p.waitForStop();
       }},
      {"endless header lines",
       [](test::Peer& p) {
         p.write("HTTP/1.1 200 OK\r\n");
         while (p.write("X-More: and more and more\r\n")) {
         }
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) { c.answer(peer); });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      EXPECT_THROWS_CODE(code::IOException, h->openInputStream());
      EXPECT_THROWS_CODE(code::IOException, h->getType());
      EXPECT_EQ(h->requestState(), DHttpConnection::kFailed);
    }
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, BodiesEndAtTheirLengthAndAreReportedWhenCutShort) {
  struct Case {
    const char* name;
    std::string answer;
    bool closes;  // the server closes after the answer; else it stays open
    uint32_t lengthThrows;
    uint32_t openThrows;
    std::string delivered;
    uint32_t endThrows;
  };
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: ";
  const Case cases[] = {
      {"bytes past the length", head + "5\r\n\r\nhelloEXTRA", false, 0, 0, "hello", 0},
      {"no body", head + "0\r\n\r\nEXTRA", false, 0, 0, "", 0},
      {"4 GB announced", head + "4294967296\r\n\r\n0123456789", true, code::IOException, 0, "0123456789",
       code::IOException},
      {"closed mid-body", head + "1000\r\n\r\n" + std::string(500, 'b'), true, 0, 0, std::string(500, 'b'),
       code::IOException},
      {"negative length", head + "-5\r\n\r\nabc", true, code::IOException, code::IOException, "", 0},
      {"length not a number", head + "many\r\n\r\nabc", true, code::NumberFormatException, code::IOException, "", 0},
      {"length with more after it", head + "3abc\r\n\r\nabc", true, code::NumberFormatException, code::IOException, "",
       0},
      {"length with a sign", head + "+3\r\n\r\nabc", true, code::NumberFormatException, code::IOException, "", 0},
      // HTTP allows blanks around a header's value.
      {"length with blanks around it", head + " 5 \t\r\n\r\nhelloEXTRA", false, 0, 0, "hello", 0},
      {"two lengths that agree", head + "5\r\ncontent-length:5 \r\n\r\nhelloEXTRA", false, 0, 0, "hello", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write(c.answer);
        if (!c.closes) peer.waitForStop();
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      EXPECT_THROWS_CODE(c.lengthThrows, h->getLength());
      nuv::io::DInputStreamPtr in;
      EXPECT_THROWS_CODE(c.openThrows, in = h->openInputStream());
      if (in.isNull()) continue;
      uint32_t thrown;
      EXPECT_EQ(readBody(in, thrown), c.delivered);
      EXPECT_EQ(thrown, c.endThrows);
    }
    expectNothingLeft();
  }
}

// A reset is never the end of a body, whether the body ends at its length, its last chunk or the close.
TEST_F(HttpConnectionTest, AResetInsideABodyIsAnError) {
  const char* cases[] = {
      "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nstart",
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nstart\r\n",
      "HTTP/1.1 200 OK\r\n\r\nstart",
  };
  for (const char* answer : cases) {
    SCOPED_TRACE(answer);
    {
      // The reset comes once the reader has the start of the body, so that none of it is lost on the way.
      std::atomic<bool> started{false};
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write(answer);
        while (!started.load() && !peer.stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        peer.close(true);
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      nuv::io::DInputStreamPtr in = h->openInputStream();
      ASSERT_TRUE(readUntilGot(in, "start"));
      started = true;
      uint32_t thrown;
      EXPECT_EQ(readBody(in, thrown), "");
      EXPECT_EQ(thrown, code::IOException);
    }
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, ChunkedAnswersAreDecoded) {
  struct Case {
    const char* name;
    std::string chunks;  // the body as sent, after the headers
    std::string delivered;
    uint32_t endThrows;
  };
  std::string binary = binaryBody();
  std::string binaryChunks;
  for (size_t at = 0; at < binary.size(); at += 1000) binaryChunks += "3e8\r\n" + binary.substr(at, 1000) + "\r\n";
  const Case cases[] = {
      {"chunks", "4\r\nWiki\r\n5\r\npedia\r\n0\r\n\r\nNOT BODY", "Wikipedia", 0},
      {"extensions, capitals and trailers",
       "A;name=value\r\n0123456789\r\n1A \r\nabcdefghijklmnopqrstuvwxyz\r\n000\r\nX-Trailer: yes\r\n\r\n",
       "0123456789abcdefghijklmnopqrstuvwxyz", 0},
      {"binary chunks", binaryChunks + "0\r\n\r\n", binary, 0},
      {"size not hexadecimal", "4\r\nWiki\r\nzz\r\n", "Wiki", code::IOException},
      {"size missing", "\r\nWiki\r\n", "", code::IOException},
      {"size past 64 bits", "FFFFFFFFFFFFFFFFFF\r\nWiki\r\n", "", code::IOException},
      {"endless size line", std::string(5000, '1'), "", code::IOException},
      {"data longer than its size", "4\r\nWikipedia\r\n0\r\n\r\n", "Wiki", code::IOException},
      {"closed within a chunk", "9\r\nWiki", "Wiki", code::IOException},
      {"closed before the last chunk", "4\r\nWiki\r\n", "Wiki", code::IOException},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      // Sent in small pieces, so that sizes and lines are split between reads; the server stays open.
      const std::string answer =
          "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding:  CHUNKED\r\n\r\n" + c.chunks;
      const bool closes =
          c.name == std::string("closed within a chunk") || c.name == std::string("closed before the last chunk");
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        for (size_t at = 0; at < answer.size(); at += 7) peer.write(std::string_view(answer).substr(at, 7));
        if (!closes) peer.waitForStop();
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      EXPECT_EQ(h->getLength(), -1);
      uint32_t thrown;
      EXPECT_TRUE(readBody(h->openInputStream(), thrown) == c.delivered);
      EXPECT_EQ(thrown, c.endThrows);
    }
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, SilentServersTimeOut) {
  struct Case {
    const char* name;
    const char* before;  // what the server sends before it falls silent
  };
  for (const Case& c : {Case{"no answer", ""}, Case{"status line only", "HTTP/1.1 200 OK\r\n"},
                        Case{"half a header", "HTTP/1.1 200 OK\r\nContent-"}}) {
    SCOPED_TRACE(c.name);
    {
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write(c.before);
        peer.waitForStop();
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      test::RacingClock clock;
      EXPECT_THROWS_CODE(code::IOException, h->openInputStream());
    }
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, TheHeaderHasToBeCompleteWithinTheLimitHoweverItTrickles) {
  // Each byte of the header comes a second (on the tick count) after the one before.
  struct Case {
    int seconds;
    bool fails;
  };
  for (const Case& c : {Case{10, false}, Case{40, true}}) {
    SCOPED_TRACE(c.seconds);
    {
      platform::setManualClock(1000);
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write("HTTP/1.1 200 OK\r\nX-Drip: ");
        for (int second = 0; second < c.seconds; ++second) {
          platform::advanceManualClock(1000);
          peer.write("a");
        }
        peer.write("\r\nContent-Length: 4\r\n\r\nbody");
        peer.waitForStop();
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      uint32_t thrown = 0;
      std::string body;
      thrown = test::thrownCode([&] { body = readBody(h->openInputStream(), thrown); });
      EXPECT_EQ(thrown, c.fails ? code::IOException : 0u);
      EXPECT_EQ(body, c.fails ? "" : "body");
    }
    platform::useRealClock();
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, ABodyThatFallsSilentFailsAfterTheLimit) {
  struct Case {
    const char* name;
    const char* answer;  // the headers and the part of the body sent before the silence
    const char* before;  // what the reader gets before it
  };
  const Case cases[] = {
      {"with a length", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nstart", "start"},
      {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nstart\r\n", "start"},
      {"until closed", "HTTP/1.1 200 OK\r\n\r\nstart", "start"},
      {"nothing of it", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      platform::setManualClock(1000);
      test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
        peer.write(c.answer);
        peer.waitForStop();
      });
      DHttpConnectionPtr h = openHttp(server.url("/"));
      nuv::io::DInputStreamPtr in = h->openInputStream();
      ASSERT_TRUE(readUntilGot(in, c.before));
      unsigned char buffer[64];
      platform::advanceManualClock(DHttpConnection::kTimeoutMs);
      EXPECT_EQ(in->readBuffer(buffer, sizeof buffer), 0);
      platform::advanceManualClock(1);
      EXPECT_THROWS_CODE(code::IOException, in->readBuffer(buffer, sizeof buffer));
      EXPECT_THROWS_CODE(code::IOException, in->read());
    }
    platform::useRealClock();
    expectNothingLeft();
  }
}

TEST_F(HttpConnectionTest, ASlowServerIsWaitedFor) {
  const std::string answer = test::httpResponse(200, "OK", "slow but sure", {"Content-Type: text/plain"});
  test::HttpServer server([&](const test::HttpRequest&, test::Peer& peer) {
    for (size_t at = 0; at < answer.size(); at += 5) {
      peer.write(std::string_view(answer).substr(at, 5));
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
  });
  {
    DHttpConnectionPtr h = openHttp(server.url("/"));
    uint32_t thrown;
    EXPECT_EQ(readBody(h->openInputStream(), thrown), "slow but sure");
    EXPECT_EQ(utf8(h->getType()), "text/plain");
  }
  expectNothingLeft();
}

TEST_F(HttpConnectionTest, RequestsNeedAConnectedSocketAndCloseEndsIt) {
  int freePort;
  {
    test::TcpServer closed([](test::Peer&) {});
    freePort = closed.port();
  }
  {
    DHttpConnectionPtr refused = openHttp("http://127.0.0.1:" + std::to_string(freePort) + "/");
    EXPECT_EQ(refused->getState(), 0);
    EXPECT_THROWS_CODE(code::IOException, refused->openInputStream());
  }
  test::HttpServer server(
      [](const test::HttpRequest&, test::Peer& peer) { peer.write(test::httpResponse(200, "OK", "")); });
  DHttpConnectionPtr h = openHttp(server.url("/"));
  EXPECT_EQ(h->getResponseCode(), 200);
  h->close();
  EXPECT_EQ(h->getState(), 0);
  expectNothingLeft();
}
