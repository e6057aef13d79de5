// The connection tests' fixture.
#include "net/ConnectionFixture.h"

#include "net/Servers.h"
#include "net/io/DSocketConnection.h"
#include "platform/api/winsock.h"

namespace test {

using nuv::microedition::io::DSocketConnection;

void ConnectionFixture::SetUp() {
  threadsBefore = DSocketConnection::senderThreads();
  socketsBefore = platform::openSocketCount();
}

void ConnectionFixture::expectNothingLeft() {
  EXPECT_TRUE(eventually([&] {
    return DSocketConnection::senderThreads() == threadsBefore && platform::openSocketCount() == socketsBefore;
  })) << DSocketConnection::senderThreads()
      << " threads, " << platform::openSocketCount() << " sockets";
}

}  // namespace test
