// A TCP client connection: receiving polls without waiting, sending is queued for the connection's own
// sender thread (SocketSender), which also makes the connection.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DString.h"
#include "net/io/DStreamConnection.h"
#include "net/io/SocketSender.h"
#include "net/util/DCyclicBuf.h"
#include "platform/types.h"

namespace nuv::microedition::io {

class DSocketConnection;
using DSocketConnectionPtr = nuv::lang::DPtr<DSocketConnection>;

class DSocketConnection : public DStreamConnection {
 public:
  // States.
  static constexpr int32_t kClosed = SocketSender::kClosed;
  static constexpr int32_t kConnecting = SocketSender::kConnecting;
  static constexpr int32_t kConnected = SocketSender::kConnected;

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
  static constexpr int32_t kSendIdle = SocketSender::kSendIdle;
  static constexpr int32_t kSendBusy = SocketSender::kSendBusy;
  static constexpr int32_t kSendFailed = SocketSender::kSendFailed;

  static constexpr int32_t kDefaultReceiveSize = 4096;
  static constexpr int32_t kSendBufferSize = SocketSender::kQueueSize;
  static constexpr int32_t kBatchSize = SocketSender::kBatchSize;

  // "socket://host:port": a new connection in state 1 whose sender thread is connecting.
  // IllegalArgumentException for another name, a missing host or a port that is not 1..65535;
  // IOException when the socket library, the thread or its buffers cannot be had.
  static DSocketConnectionPtr open(nuv::lang::DStringPtr name, int32_t mode, bool timeouts);
  // As close.
  ~DSocketConnection() override;

  const char* getClassName() const override { return "DSocketConnection"; }
  int32_t getState() override { return sender_->state(); }
  // State 0 at once, whatever the peer does; the sender thread sends what is queued within its bound
  // (SocketSender::kGiveUpMs), then closes the socket and ends.
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
  static int32_t senderThreads() { return SocketSender::running(); }

 private:
  DSocketConnection(int32_t mode, bool timeouts, nuv::lang::DStringPtr hostText, nuv::lang::DStringPtr portText);

  const int32_t mode_;
  const bool timeouts_;
  nuv::lang::DStringPtr hostText_;
  nuv::lang::DStringPtr portText_;

  // The caller's thread only.
  int32_t receiveStatus_ = kReceiveIdle;
  nuv::util::DCyclicBufPtr receive_;
  // The socket, the send queue and the state, shared with the sender thread.
  std::shared_ptr<SocketSender> sender_;
};

}  // namespace nuv::microedition::io
