// The connector: one table of schemes and their openers, tried in order.
#include "net/io/DConnector.h"

#include "net/io/DHttpConnection.h"
#include "net/io/DSocketConnection.h"
#include "net/messaging/DMessageConnection.h"

namespace nuv::microedition::io {

using nuv::lang::DStringPtr;

namespace {

DConnectionPtr openMessage(DStringPtr name, int32_t, bool) {
  return new nuv::wireless::messaging::DMessageConnection(name);
}

DConnectionPtr openSocket(DStringPtr name, int32_t mode, bool timeouts) {
  return DSocketConnection::open(name, mode, timeouts);
}

DConnectionPtr openHttp(DStringPtr name, int32_t mode, bool timeouts) {
  return DHttpConnection::open(name, mode, timeouts);
}

struct Scheme {
  const char16_t* prefix;
  DConnectionPtr (*open)(DStringPtr name, int32_t mode, bool timeouts);
};

constexpr Scheme kSchemes[] = {
    {u"sms://", openMessage},
    {u"socket://", openSocket},
    {u"http://", openHttp},
};

}  // namespace

DConnectionPtr DConnector::open(DStringPtr name) { return openMode(std::move(name), kReadWrite, false); }

DConnectionPtr DConnector::openMode(DStringPtr name, int32_t mode, bool timeouts) {
  for (const Scheme& scheme : kSchemes) {
    if (name->startsWith(DStringPtr(scheme.prefix))) return scheme.open(name, mode, timeouts);
  }
  return nullptr;
}

}  // namespace nuv::microedition::io
