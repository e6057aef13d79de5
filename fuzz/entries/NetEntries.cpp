// The network's parsers: HTTP answers from a server on the loopback, and short-message files in the
// device's message store.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "AnswerServer.h"
#include "Entries.h"
#include "core/lang/DbyteArray.h"
#include "net/io/DConnector.h"
#include "net/io/DHttpConnection.h"
#include "net/io/DSocketConnection.h"
#include "net/messaging/DMessageConnection.h"

namespace fuzz {

using nuv::lang::DStringPtr;
using nuv::microedition::io::DHttpConnection;
using nuv::microedition::io::DHttpConnectionPtr;

namespace {

// Reads the body to its end as a program would, taking what has arrived in turns.
void readBody(const nuv::io::DInputStreamPtr& body) {
  nuv::lang::DbyteArrayPtr buffer = new nuv::lang::DbyteArray(512);
  for (;;) {
    const int32_t n = body->read(buffer, 0, buffer->length);
    if (n < 0) return;
    if (n == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace

void httpAnswer(Input input) {
  programFolder();
  answerServer().setAnswer(bytes(input));
  DHttpConnectionPtr connection;
  refusalsAllowed([&] {
    const std::string url = "http://127.0.0.1:" + std::to_string(answerServer().port()) + "/page?q=1";
    connection = nuv::lang::dynamicCast<DHttpConnection>(
        nuv::microedition::io::DConnector::open(new nuv::lang::DString(url.c_str())));
    while (connection->getState() == nuv::microedition::io::DSocketConnection::kConnecting) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    connection->setRequestProperty(u"Accept", u"*/*");
    nuv::io::DInputStreamPtr body = connection->openInputStream();
    connection->getResponseCode();
    connection->getResponseMessage();
    connection->getType();
    connection->getEncoding();
    connection->getHeaderField(u"content-length");
    refusalsAllowed([&] { connection->getLength(); });
    readBody(body);
  });
  if (!connection.isNull()) connection->close();
}

void messageFile(Input input) {
  static const std::filesystem::path inbox = [] {
    programFolder();
    if (!nuv::wireless::messaging::DMessageConnection::initMessaging()) {
      std::fprintf(stderr, "fuzz: the message store did not start\n");
      std::abort();
    }
    // The store's watcher ends before the globals it reads go, as the engine's shutdown ends it.
    std::atexit(nuv::wireless::messaging::DMessageConnection::doneMessaging);
    return std::filesystem::path(programFolder()) / "messages" / "inbox";
  }();
  {
    std::ofstream out(inbox / "message.txt", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  }
  refusalsAllowed([] {
    nuv::wireless::messaging::DMessageConnectionPtr connection =
        new nuv::wireless::messaging::DMessageConnection(u"sms://+15551234");
    for (nuv::wireless::messaging::DMessagePtr message :
         {connection->readInbox(), connection->receive(u"*"), connection->receive(u"?*a*")}) {
      if (message.isNull()) continue;
      DStringPtr address = message->getAddress();
      DStringPtr text = message->getPayloadText();
      if (!address.isNull()) address->length();
      if (!text.isNull()) text->length();
    }
    connection->close();
  });
}

}  // namespace fuzz
