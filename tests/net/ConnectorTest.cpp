// The connector: which names open which connection, and which are refused.
#include <gtest/gtest.h>

#include "core/lang/DInteger.h"
#include "net/Servers.h"
#include "net/io/DConnector.h"
#include "net/io/DHttpConnection.h"
#include "net/io/DSocketConnection.h"
#include "net/messaging/DMessageConnection.h"
#include "support/Exceptions.h"

using namespace nuv::lang;
using nuv::microedition::io::DConnectionPtr;
using nuv::microedition::io::DConnector;
using nuv::microedition::io::DHttpConnection;
using nuv::microedition::io::DSocketConnection;
using nuv::wireless::messaging::DMessageConnection;
namespace code = nuv::lang::ExceptionCode;

TEST(ConnectorTest, OtherSchemesGiveNoConnection) {
  for (const char16_t* name : {u"", u"SMS://+123", u"ftp://127.0.0.1/", u"https://127.0.0.1/", u"sock://a:1",
                               u"HTTP://127.0.0.1/", u"sms:/+1"}) {
    EXPECT_TRUE(DConnector::open(name).isNull());
  }
  EXPECT_THROWS_CODE(code::NullPointerException, DConnector::open(nullptr));
}

TEST(ConnectorTest, EachSchemeOpensItsConnection) {
  DConnectionPtr sms = DConnector::open(u"sms://+4912345");
  auto* message = dynamic_cast<DMessageConnection*>(sms.get());
  ASSERT_NE(message, nullptr);
  EXPECT_TRUE(message->getAddress()->equals(u"+4912345"));
  EXPECT_EQ(sms->getState(), 0);

  test::TcpServer server([](test::Peer& peer) { peer.waitForStop(); });
  DStringPtr port = DInteger::toString(server.port());
  DConnectionPtr socket = DConnector::openMode(DStringPtr(u"socket://127.0.0.1:") + port, 3, true);
  ASSERT_NE(dynamic_cast<DSocketConnection*>(socket.get()), nullptr);
  EXPECT_TRUE(test::eventually([&] { return socket->getState() == DSocketConnection::kConnected; }));

  DConnectionPtr http = DConnector::open(DStringPtr(u"http://127.0.0.1:") + port + u"/");
  ASSERT_NE(dynamic_cast<DHttpConnection*>(http.get()), nullptr);
  EXPECT_TRUE(test::eventually([&] { return http->getState() == DSocketConnection::kConnected; }));
  EXPECT_TRUE(test::eventually([&] { return server.connections() == 2; }));
}

TEST(ConnectorTest, OpeningErrorsComeFromTheConnections) {
  EXPECT_THROWS_CODE(code::IllegalArgumentException, DConnector::open(u"socket://127.0.0.1"));
  EXPECT_THROWS_CODE(code::IllegalArgumentException, DConnector::open(u"socket://:80"));
  EXPECT_THROWS_CODE(code::IllegalArgumentException, DConnector::open(u"http://:80/"));
}
