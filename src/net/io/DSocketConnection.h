// A TCP client connection: receiving polls without waiting, sending is queued for the connection's own
// sender thread, which also makes the connection.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/lang/DString.h"
#include "net/io/DStreamConnection.h"
#include "net/util/DCyclicBuf.h"
#include "platform/api/winsock.h"
#include "platform/types.h"

namespace nuv::microedition::io {

class DSocketConnection;
using DSocketConnectionPtr = nuv::lang::DPtr<DSocketConnection>;

class DSocketConnection : public DStreamConnection {
 public:
  // States.
  static constexpr int32_t kClosed = 0;
  static constexpr int32_t kConnecting = 1;
  static constexpr int32_t kConnected = 2;

  // Options of getSocketOption.
  static constexpr int32_t kOptionNoDelay = 0;
  static constexpr int32_t kOptionLinger = 1;
  static constexpr int32_t kOptionKeepAlive = 2;
  static constexpr int32_t kOptionReceiveBuffer = 3;
  static constexpr int32_t kOptionSendBuffer = 4;
  static constexpr int32_t kOptionConnected = 5;
  static constexpr int32_t kOptionReceiveStatus = 6;
  static constexpr int32_t kOptionSendStatus = 7;

  // Receive status: what the last poll saw.
  static constexpr int32_t kReceiveIdle = 0;
  static constexpr int32_t kReceiveTaking = 1;
  static constexpr int32_t kReceivePeerClosed = -1;
  static constexpr int32_t kReceiveFailed = -2;

  // Send status.
  static constexpr int32_t kSendIdle = 0;
  static constexpr int32_t kSendBusy = 1;
  static constexpr int32_t kSendFailed = -2;

  static constexpr int32_t kDefaultReceiveSize = 4096;
  static constexpr int32_t kSendBufferSize = 4096;
  // Bytes go to the socket in batches of at most this many.
  static constexpr int32_t kBatchSize = 1024;

  // "socket://host:port": a new connection in state 1 whose sender thread is connecting.
  // IllegalArgumentException for another name, a missing host or a port that is not 1..65535;
  // IOException when the socket library, the thread or its buffers cannot be had.
  static DSocketConnectionPtr open(nuv::lang::DStringPtr name, int32_t mode, bool timeouts);
  // Ends the sender thread and closes the socket.
  ~DSocketConnection() override;

  const char* getClassName() const override { return "DSocketConnection"; }
  int32_t getState() override { return state_.load(); }
  // Sends what is queued (waiting a bounded time for a slow peer), then ends the sender thread and
  // closes the socket; state 0.
  void close() override;
  // IOException instead of a null stream.
  nuv::io::DDataInputStreamPtr openDataInputStream() override;
  nuv::io::DInputStreamPtr openInputStream() override;
  nuv::io::DDataOutputStreamPtr openDataOutputStream() override;
  nuv::io::DOutputStreamPtr openOutputStream() override;

  // IOException when the socket cannot answer; IllegalArgumentException for an unknown option.
  int32_t getSocketOption(int32_t option);
  // Queues the bytes for the sender thread; the number queued: all of them, or 0 when the send
  // buffer cannot grow to take them.
  int32_t write(const uint8_t* data, int32_t len);

  // Takes what has arrived into the receive buffer without waiting; the number of bytes it holds.
  int32_t poll();
  // Waits at most ms for bytes to arrive or the connection to end.
  void waitForData(int32_t ms);
  // Received bytes not yet read; the caller's thread only.
  nuv::util::DCyclicBuf& receiveBuffer() { return *receive_; }

  // Sender threads running in the process.
  static int32_t senderThreads();

 private:
  DSocketConnection(int32_t mode, bool timeouts, nuv::lang::DStringPtr hostText, nuv::lang::DStringPtr portText);

  void startSender();
  static DWORD senderMain(LPVOID connection);
  void runSender();
  void connectSocket();
  void sendBatch(int32_t pending);
  // Ends the sender thread: once the queue is empty (at most a bounded wait) when draining, else at once.
  void endSender(bool drain);
  void closeSocket();

  const int32_t mode_;
  const bool timeouts_;
  nuv::lang::DStringPtr hostText_;
  nuv::lang::DStringPtr portText_;
  // Read by the sender thread; fixed before it starts.
  std::string host_;
  uint16_t port_ = 0;

  // Written by the sender thread while connecting and by the caller's thread when it ends; read by both.
  std::atomic<int32_t> state_{kConnecting};
  // Set by the sender thread once it has a socket; closed and cleared only by the caller's thread after
  // the sender thread has ended.
  std::atomic<winsock::SOCKET> socket_{winsock::INVALID_SOCKET};
  // Written by the sender thread, read by the caller's.
  std::atomic<int32_t> sendStatus_{kSendIdle};
  // Set by the caller's thread to end the sender thread: stop at once, or stop once nothing is queued.
  std::atomic<bool> stopping_{false};
  std::atomic<bool> draining_{false};

  // Caller's thread only.
  int32_t receiveStatus_ = kReceiveIdle;
  nuv::util::DCyclicBufPtr receive_;
  // Guarded by mutex_ (both threads).
  nuv::util::DCyclicBufPtr send_;
  // Sender thread only.
  nuv::lang::DbyteArrayPtr scratch_;

  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  // The process-wide "GESocketDataAccess" mutex: guards send_ of every connection.
  HANDLE mutex_ = nullptr;
  // Auto-reset: set after bytes are queued and when the thread is to end, so a wake-up is never lost
  // between the thread finding the queue empty and its wait.
  HANDLE wake_ = nullptr;
};

}  // namespace nuv::microedition::io
