// The sender thread of a socket connection and what it owns: the socket, the queue of bytes to send and
// the connection's state. The connection and the thread share it, so that either may go first: closing
// or letting the connection go returns at once, and the thread then delivers what is queued for at most
// kGiveUpMs before it closes the socket and ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "net/util/DCyclicBuf.h"
#include "platform/api/winsock.h"
#include "platform/types.h"

namespace nuv::microedition::io {

class SocketSender : public std::enable_shared_from_this<SocketSender> {
 public:
  // States.
  static constexpr int32_t kClosed = 0;
  static constexpr int32_t kConnecting = 1;
  static constexpr int32_t kConnected = 2;
  // Send status.
  static constexpr int32_t kSendIdle = 0;
  static constexpr int32_t kSendBusy = 1;
  static constexpr int32_t kSendFailed = -2;

  static constexpr int32_t kQueueSize = 4096;
  // Bytes go to the socket in batches of at most this many.
  static constexpr int32_t kBatchSize = 1024;
  // After the connection is closed or let go, queued bytes have this long (on the tick count) to leave
  // a peer that does not read them; then they are given up. The process waits as long for its senders
  // when it ends.
  static constexpr DWORD kGiveUpMs = 5000;

  // A sender in state 1 whose thread is connecting; null when the thread, its mutex or its queue cannot
  // be had.
  static std::shared_ptr<SocketSender> start(std::string host, uint16_t port);
  // Made by start only.
  class Key {
    friend class SocketSender;
    Key() = default;
  };
  SocketSender(Key, std::string host, uint16_t port);
  ~SocketSender();
  SocketSender(const SocketSender&) = delete;
  SocketSender& operator=(const SocketSender&) = delete;

  int32_t state() const noexcept { return state_.load(); }
  int32_t sendStatus() const noexcept { return sendStatus_.load(); }
  // The connected socket, for the connection's thread to poll; invalid once the connection has let it go.
  winsock::SOCKET socket() const noexcept;

  // Queues the bytes; all of them, or 0 when the queue cannot grow to take them.
  int32_t queue(const uint8_t* data, int32_t len);
  // State 0 at once; the thread delivers what is queued within kGiveUpMs and ends.
  void close();
  // State 0 at once; what is queued is given up and the thread ends.
  void abandon();

  // Sender threads running in the process.
  static int32_t running();
  // What the process does when it ends: every sender delivers what is queued within kGiveUpMs (on the
  // tick count, and at most that long in real time), then it is given up.
  static void endAll();

 private:
  static DWORD threadMain(LPVOID sender);
  void run();
  // Whether the connection was made before anyone closed it.
  bool connect();
  void deliver();
  void sendBatch(int32_t pending);
  bool givenUp() const;
  // The state, unless the connection was closed meanwhile; whether it is now connected.
  bool finishConnect(int32_t state);
  void closeSocket();

  const std::string host_;
  const uint16_t port_;
  // Held by the thread until it ends: the sender outlives its connection while bytes leave.
  std::shared_ptr<SocketSender> self_;

  // Written by the thread while connecting and by the connection's thread when it lets go.
  std::atomic<int32_t> state_{kConnecting};
  // Set by the thread when it has a socket; closed by the thread when it ends.
  std::atomic<winsock::SOCKET> socket_{winsock::INVALID_SOCKET};
  // Written by the thread.
  std::atomic<int32_t> sendStatus_{kSendIdle};
  // Set once by the connection's thread (or the process's end), read by the sender thread.
  std::atomic<bool> closing_{false};
  std::atomic<bool> abandoned_{false};
  std::atomic<DWORD> closedAt_{0};

  // The process-wide "GESocketDataAccess" mutex: guards queue_ of every sender.
  HANDLE mutex_ = nullptr;
  // Auto-reset: set after bytes are queued and when the thread is to end, so that a wake-up is never
  // lost between the thread finding the queue empty and its wait.
  HANDLE wake_ = nullptr;
  nuv::util::DCyclicBufPtr queue_;
  // The thread's only.
  uint8_t scratch_[kBatchSize] = {};
};

}  // namespace nuv::microedition::io
