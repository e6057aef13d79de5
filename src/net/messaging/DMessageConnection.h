// Short-message connections, and the message service the engine starts, polls every frame and stops:
// sending through the device's short-message library, learning of new messages from its message store.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "net/io/DConnection.h"
#include "net/messaging/DMessage.h"
#include "net/messaging/DMessageListener.h"
#include "platform/api/mapi.h"
#include "platform/api/window.h"

namespace nuv::wireless::messaging {

class DMessageConnection;
using DMessageConnectionPtr = nuv::lang::DPtr<DMessageConnection>;

class DMessageConnection : public nuv::microedition::io::DConnection {
 public:
  // "sms://..." : the address is the text after the first "//".
  explicit DMessageConnection(nuv::lang::DStringPtr name);

  const char* getClassName() const override { return "DMessageConnection"; }
  int32_t getState() override { return 0; }
  // Stops listening.
  void close() override { setMessageListener(nullptr); }

  nuv::lang::DStringPtr getAddress() const { return address_; }
  // A new message to the address, without text; the type is not used.
  DMessagePtr newMessage(nuv::lang::DStringPtr type, nuv::lang::DStringPtr address);
  // Sends the message's text to the message's address (see sendSms).
  void send(DMessagePtr message);
  // A listener is told of every new message, one per frame; null stops listening.
  void setMessageListener(DMessageListenerPtr listener);
  // The newest inbox message whose text matches the pattern ("*" any run, "?" one character), or null.
  DMessagePtr receive(nuv::lang::DStringPtr pattern);
  // The newest inbox message, or null.
  DMessagePtr readInbox();

  // Starts the service; false when the message store could not be reached (sending may still work).
  // The window is the parent of anything the store would show.
  static bool initMessaging(HWND window = nullptr);
  // Tells each listening connection of one new message, while there are new ones; main thread.
  static void pollListeners();
  // Stops the service and forgets every listener.
  static void doneMessaging();
  // Connections currently listening.
  static int32_t listenerCount();

  // Sends a text: IllegalArgumentException without the short-message library or for what the library
  // refuses as malformed (the address, an over-long text), IOException when it cannot be sent.
  static void sendSms(nuv::lang::DStringPtr address, nuv::lang::DStringPtr text);
  // From the store's notifications, on its thread: a message was filed in the folder with this identifier.
  static void noteArrival(ULONG parentSize, const BYTE* parent);

 private:
  DMessagePtr newestInbox(nuv::lang::DStringPtr pattern, bool withFlags);

  DMessageListenerPtr listener_;
  nuv::lang::DStringPtr address_;
};

}  // namespace nuv::wireless::messaging
