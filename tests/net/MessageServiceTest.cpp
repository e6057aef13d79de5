// The message service over the stand-in's message store in a folder of the test: sending into the
// outbox, messages dropped into the inbox reaching listeners, the send errors, an unusable store, and
// files of the store that must not be followed out of it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "net/Servers.h"
#include "net/io/DConnector.h"
#include "net/messaging/DMessageConnection.h"
#include "platform/api/mapi.h"
#include "platform/api/sms.h"
#include "platform/device/device.h"
#include "platform/host/datafolder.h"
#include "support/Exceptions.h"
#include "support/TempFolder.h"

using namespace nuv::lang;
using nuv::microedition::io::DConnector;
using nuv::wireless::messaging::DMessage;
using nuv::wireless::messaging::DMessageConnection;
using nuv::wireless::messaging::DMessageConnectionPtr;
using nuv::wireless::messaging::DMessageListener;
using nuv::wireless::messaging::DMessagePtr;
namespace code = nuv::lang::ExceptionCode;
namespace fs = std::filesystem;

namespace {

std::string utf8(DStringPtr s) {
  if (s.isNull()) return "(null)";
  std::string out;
  for (char16_t c : s->view()) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string contentOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Notes which connection told it; without holding the connection, which holds the listener.
class Listener : public DMessageListener {
 public:
  void notifyIncomingMessage(DPtr<DMessageConnection> connection) override { calls.push_back(connection.get()); }
  std::vector<DMessageConnection*> calls;
};

DMessageConnectionPtr openSms(const char16_t* name) { return dynamicCast<DMessageConnection>(DConnector::open(name)); }

// The message and its code from the exception the call throws; "" and 0 when it throws none.
std::pair<uint32_t, std::string> failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned(e);
    return {e->code(), utf8(new DString(e->message()))};
  }
  return {0, ""};
}

class MessageServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDataFolder(folder.path());
    DMessageConnection::initMessaging();
  }
  void TearDown() override {
    DMessageConnection::doneMessaging();
    platform::setSmsRadio(S_OK, S_OK);
    platform::Device d;
    platform::findDeviceProfile("pocketpc", d);
    platform::setDevice(d);
    platform::setDataFolder("");
  }

  fs::path store() const { return fs::path(folder.path()) / "messages"; }
  fs::path inbox() const { return store() / "inbox"; }
  fs::path outbox() const { return store() / "outbox"; }

  // Written under a hidden name and renamed, as the store asks of whoever drops a message.
  void drop(const std::string& name, const std::string& content) {
    fs::path hidden = inbox() / ("." + name);
    std::ofstream(hidden, std::ios::binary) << content;
    fs::rename(hidden, inbox() / name);
  }
  std::vector<fs::path> outboxFiles() const {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(outbox())) files.push_back(e.path());
    return files;
  }

  test::TempFolder folder;
};

}  // namespace

TEST_F(MessageServiceTest, SendingFilesTheMessageInTheOutbox) {
  DMessageConnectionPtr c = openSms(u"sms://+15550001");
  ASSERT_FALSE(c.isNull());
  EXPECT_TRUE(c->getAddress()->equals(u"+15550001"));
  DMessagePtr m = c->newMessage(u"text", u"+15550002");
  EXPECT_TRUE(m->getPayloadText().isNull());
  m->setPayloadText(u"Hello \u00FF world");
  c->send(m);

  std::vector<fs::path> files = outboxFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(contentOf(files[0]), "To: +15550002\n\nHello \xC3\xBF world\n");
  EXPECT_TRUE(fs::is_empty(inbox()));
}

TEST_F(MessageServiceTest, MalformedAddressesAndOverlongTextsAreRefused) {
  const std::u16string longest(160, u'x');
  DMessageConnection::sendSms(u"+1", DStringPtr(new DString(std::u16string_view(longest))));
  struct Case {
    const char16_t* address;
    std::u16string text;
    const char* message;
  };
  const Case cases[] = {
      {u"", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"12ab", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"+", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"sms://+123", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"../../outside", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"+123456789012345678901", u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {nullptr, u"hi", "Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {u"+1", longest + u"y", "Failed send SMS - error SMS_E_BADPARAM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    DStringPtr address = c.address ? DStringPtr(c.address) : DStringPtr();
    DStringPtr text(new DString(std::u16string_view(c.text)));
    auto [code, message] = failureOf([&] { DMessageConnection::sendSms(address, text); });
    EXPECT_EQ(code, code::IllegalArgumentException);
    EXPECT_EQ(message, c.message);
  }
  EXPECT_EQ(outboxFiles().size(), 1u);
}

TEST_F(MessageServiceTest, RadioFailuresMapToTheirExceptions) {
  struct Case {
    HRESULT result;
    uint32_t code;
    const char* message;
  };
  const Case cases[] = {
      {SMS_E_NETWORKACCESS, code::IOException, "Failed send SMS - error SMS_E_NETWORKACCESS"},
      {SMS_E_NETWORK, code::IOException, "Failed send SMS - error SMS_E_NETWORK"},
      {SMS_E_RADIOUNAVAILABLE, code::IOException, "Failed send SMS - error SMS_E_RADIOUNAVAILABLE"},
      {E_INVALIDARG, code::IllegalArgumentException, "Failed send SMS - error E_INVALIDARG"},
      {static_cast<HRESULT>(0x80001234), code::IOException, "Failed send SMS - error code 80001234h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    platform::setSmsRadio(S_OK, c.result);
    auto [code, message] = failureOf([] { DMessageConnection::sendSms(u"+1", u"hi"); });
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(message, c.message);
  }
  platform::setSmsRadio(static_cast<HRESULT>(0x80000005), S_OK);
  auto [code, message] = failureOf([] { DMessageConnection::sendSms(u"+1", u"hi"); });
  EXPECT_EQ(code, code::IOException);
  EXPECT_EQ(message, "Failed open SMS in SMS_MODE_SEND - error code 80000005");
  EXPECT_TRUE(outboxFiles().empty());
}

TEST_F(MessageServiceTest, WithoutTheLibrarySendingIsRefused) {
  DMessageConnection::doneMessaging();
  platform::Device d;
  platform::findDeviceProfile("pocketpc", d);
  d.libraries = {u"aygshell.dll"};
  platform::setDevice(d);
  DMessageConnection::initMessaging();
  EXPECT_THROWS_CODE(code::IllegalArgumentException, DMessageConnection::sendSms(u"+1", u"hi"));
}

TEST_F(MessageServiceTest, ADroppedMessageReachesTheListenerOnTheNextPoll) {
  DMessageConnectionPtr c = openSms(u"sms://+1");
  DPtr<Listener> listener(new Listener());
  c->setMessageListener(listener);
  EXPECT_EQ(DMessageConnection::listenerCount(), 1);
  DMessageConnection::pollListeners();
  EXPECT_TRUE(listener->calls.empty());

  drop("first.msg", "From: +4911111\nX-Other: ignored\n\nHello there\n");
  platform::settleMessageStore();
  DMessageConnection::pollListeners();
  ASSERT_EQ(listener->calls.size(), 1u);
  EXPECT_EQ(listener->calls[0], c.get());

  DMessagePtr m = c->readInbox();
  ASSERT_FALSE(m.isNull());
  EXPECT_EQ(utf8(m->getAddress()), "+4911111");
  EXPECT_EQ(utf8(m->getPayloadText()), "Hello there");
  EXPECT_FALSE(c->receive(u"Hel?o*").isNull());
  EXPECT_TRUE(c->receive(u"Bye*").isNull());

  // The store's own thread announces a message too, without the test's help.
  drop("second.msg", "From: +4922222\r\n\r\nagain");
  EXPECT_TRUE(test::eventually([&] {
    DMessageConnection::pollListeners();
    return listener->calls.size() == 2;
  }));
  EXPECT_EQ(utf8(c->readInbox()->getPayloadText()), "again");

  c->close();
  EXPECT_EQ(DMessageConnection::listenerCount(), 0);
}

TEST_F(MessageServiceTest, OnlyFilesThatReadAsMessagesAreAnnounced) {
  DMessageConnectionPtr c = openSms(u"sms://+1");
  DPtr<Listener> listener(new Listener());
  c->setMessageListener(listener);
  auto announcedAfterAFewFrames = [&] {
    platform::settleMessageStore();
    for (int frame = 0; frame < 3; ++frame) DMessageConnection::pollListeners();
    return listener->calls.size();
  };

  const fs::path outside = fs::path(folder.path()) / "outside.txt";
  std::ofstream(outside) << "From: +666\n\nsecret";
  fs::create_symlink(outside, inbox() / "link.msg");
  fs::create_directory(inbox() / "folder.msg");
  drop("huge.msg", "From: +1\n\n" + std::string(100 * 1024, 'h'));
  std::ofstream(inbox() / "headless.msg") << "no address line\n\ntext";
  std::ofstream(inbox() / ".hidden.msg") << "From: +1\n\nhidden";
  EXPECT_EQ(announcedAfterAFewFrames(), 0u);
  EXPECT_TRUE(c->readInbox().isNull());

  // A file completed in place becomes a message then.
  std::ofstream(inbox() / "headless.msg") << "From: +5\n\nnow addressed";
  EXPECT_EQ(announcedAfterAFewFrames(), 1u);
  EXPECT_EQ(utf8(c->readInbox()->getPayloadText()), "now addressed");

  // A name used again after its message was deleted brings a new message.
  drop("again.msg", "From: +2\n\nfirst");
  EXPECT_EQ(announcedAfterAFewFrames(), 2u);
  fs::remove(inbox() / "again.msg");
  EXPECT_EQ(announcedAfterAFewFrames(), 2u);
  drop("again.msg", "From: +2\n\nsecond");
  EXPECT_EQ(announcedAfterAFewFrames(), 3u);
  EXPECT_EQ(utf8(c->receive(u"sec*")->getPayloadText()), "second");
}

TEST_F(MessageServiceTest, NewMessagesAreAnnouncedOnePerConnectionPerFrame) {
  DMessageConnectionPtr a = openSms(u"sms://1");
  DMessageConnectionPtr b = openSms(u"sms://2");
  DPtr<Listener> la(new Listener());
  DPtr<Listener> lb(new Listener());
  a->setMessageListener(la);
  b->setMessageListener(lb);
  a->setMessageListener(la);  // listed once
  EXPECT_EQ(DMessageConnection::listenerCount(), 2);

  drop("m1.msg", "From: +1\n\none");
  drop("m2.msg", "From: +1\n\ntwo");
  drop("m3.msg", "From: +1\n\nthree");
  platform::settleMessageStore();
  DMessageConnection::pollListeners();  // the first listeners take them first
  EXPECT_EQ(la->calls.size(), 1u);
  EXPECT_EQ(lb->calls.size(), 1u);
  DMessageConnection::pollListeners();
  EXPECT_EQ(la->calls.size(), 2u);
  EXPECT_EQ(lb->calls.size(), 1u);
  DMessageConnection::pollListeners();
  EXPECT_EQ(la->calls.size(), 2u);

  // One connection leaving keeps the other listening, with what is still to announce.
  drop("m4.msg", "From: +1\n\nfour");
  drop("m5.msg", "From: +1\n\nfive");
  platform::settleMessageStore();
  a->setMessageListener(nullptr);
  drop("m6.msg", "From: +1\n\nsix");
  platform::settleMessageStore();
  for (int frame = 0; frame < 4; ++frame) DMessageConnection::pollListeners();
  EXPECT_EQ(lb->calls.size(), 4u);
  EXPECT_EQ(la->calls.size(), 2u);

  // The last one leaving forgets them.
  drop("m7.msg", "From: +1\n\nseven");
  platform::settleMessageStore();
  b->setMessageListener(nullptr);
  b->setMessageListener(lb);
  DMessageConnection::pollListeners();
  EXPECT_EQ(lb->calls.size(), 4u);
}

TEST_F(MessageServiceTest, SentMessagesAndOldMessagesAreNotAnnounced) {
  DMessageConnection::doneMessaging();
  drop("old.msg", "From: +1\n\nold");
  struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ::utimensat(AT_FDCWD, (inbox() / "old.msg").c_str(), times, 0);
  DMessageConnection::initMessaging();

  DMessageConnectionPtr c = openSms(u"sms://+1");
  DPtr<Listener> listener(new Listener());
  c->setMessageListener(listener);
  DMessageConnection::sendSms(u"+2", u"out");
  platform::settleMessageStore();
  DMessageConnection::pollListeners();
  EXPECT_TRUE(listener->calls.empty());
  EXPECT_EQ(utf8(c->readInbox()->getPayloadText()), "old");

  // The newest delivery comes first.
  drop("new.msg", "From: +3\n\nnew");
  EXPECT_EQ(utf8(c->readInbox()->getPayloadText()), "new");
  EXPECT_EQ(utf8(c->receive(u"o*")->getPayloadText()), "old");
}

TEST_F(MessageServiceTest, AnUnusableStoreLeavesTheServiceQuietlyIdle) {
  DMessageConnection::doneMessaging();
  fs::remove_all(store());
  std::ofstream(store().string()) << "a file where the store's folder should be";
  EXPECT_FALSE(DMessageConnection::initMessaging());
  DMessageConnectionPtr c = openSms(u"sms://+1");
  DPtr<Listener> listener(new Listener());
  c->setMessageListener(listener);
  for (int frame = 0; frame < 3; ++frame) DMessageConnection::pollListeners();
  EXPECT_TRUE(listener->calls.empty());
  EXPECT_TRUE(c->readInbox().isNull());
  EXPECT_TRUE(c->receive(u"*").isNull());
  auto [code, message] = failureOf([] { DMessageConnection::sendSms(u"+1", u"hi"); });
  EXPECT_EQ(code, code::IOException);
  EXPECT_EQ(message, "Failed send SMS - error code 80004005h");
  DMessageConnection::doneMessaging();
  DMessageConnection::doneMessaging();
  DMessageConnection::pollListeners();
}

TEST_F(MessageServiceTest, NothingOutsideTheStoreIsReadOrWritten) {
  const fs::path outside = fs::path(folder.path()) / "outside.txt";
  std::ofstream(outside) << "From: +666\n\nsecret";
  const auto outsideTime = fs::last_write_time(outside);
  fs::create_symlink(outside, inbox() / "link.msg");
  fs::create_directory(inbox() / "folder.msg");
  ASSERT_EQ(::mkfifo((inbox() / "pipe.msg").c_str(), 0600), 0);
  std::ofstream(inbox() / "huge.msg") << "From: +1\n\n" << std::string(100 * 1024, 'h');
  std::ofstream(inbox() / "headless.msg") << "no headers at all";
  std::ofstream(inbox() / ".hidden.msg") << "From: +1\n\nhidden";

  DMessageConnectionPtr c = openSms(u"sms://+1");
  DPtr<Listener> listener(new Listener());
  c->setMessageListener(listener);
  EXPECT_TRUE(c->readInbox().isNull());
  drop("real.msg", "From: +2\n\nreal");
  EXPECT_EQ(utf8(c->readInbox()->getPayloadText()), "real");
  EXPECT_THROWS_CODE(code::IllegalArgumentException, DMessageConnection::sendSms(u"../x", u"hi"));
  DMessageConnection::sendSms(u"+2", u"fine");

  // Every file of the test's folder is the store's, except the one planted outside, which is unchanged.
  for (const auto& e : fs::recursive_directory_iterator(folder.path())) {
    if (e.is_symlink() || !e.is_regular_file() || e.path() == outside) continue;
    EXPECT_EQ(e.path().string().rfind(store().string() + "/", 0), 0u) << e.path();
  }
  EXPECT_EQ(contentOf(outside), "From: +666\n\nsecret");
  EXPECT_EQ(fs::last_write_time(outside), outsideTime);
}
