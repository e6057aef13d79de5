// Servers on 127.0.0.1 that the networking tests talk to: a TCP server that runs a handler per
// connection, an HTTP server on top of it, and a listener that never accepts (connecting to it hangs).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace test {

// Bounds only the failure path of a wait; a working run never comes near it.
inline constexpr std::chrono::seconds kGenerous{20};

// Calls the check every millisecond until it holds or the generous time has passed; whether it held.
bool eventually(const std::function<bool()>& check);

// Moves the tick count a second further every millisecond of real time while it lives, so that
// time-outs on the tick count come at once and whatever the machine's speed.
class RacingClock {
 public:
  RacingClock();
  ~RacingClock();
  RacingClock(const RacingClock&) = delete;
  RacingClock& operator=(const RacingClock&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread mover_;
};

// The server's side of one accepted connection.
class Peer {
 public:
  Peer(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}

  // Reads until the bytes end with the text (kept in the answer), the peer closes or the server stops.
  std::string readUntil(std::string_view end);
  // Exactly n bytes, fewer only when the peer closes or the server stops.
  std::string readExactly(size_t n);
  // What has arrived, waiting for at least one byte; empty when the peer closed or the server stops.
  std::string readSome();
  // Everything up to the peer's close.
  std::string readToEnd();
  // All of it; false when the peer has gone.
  bool write(std::string_view bytes);
  // Ends the connection at once: with a FIN, or with a reset when abort is set.
  void close(bool abort = false);
  // Waits until the server is stopped: a server that answers nothing.
  void waitForStop();
  bool stopping() const { return stopping_.load(); }

 private:
  int fd_;
  const std::atomic<bool>& stopping_;
};

class TcpServer {
 public:
  using Handler = std::function<void(Peer& peer)>;

  // backlog 0 with accepting false: a listener whose queue fills at once.
  explicit TcpServer(Handler handler, bool accepting = true, int backlog = 16);
  // Stops accepting, cuts every connection short and joins every handler.
  ~TcpServer();
  TcpServer(const TcpServer&) = delete;
  TcpServer& operator=(const TcpServer&) = delete;

  int port() const { return port_; }
  int connections() const { return accepted_.load(); }
  // Fills a non-accepting listener's queue, so that the next connection attempt hangs.
  void fillQueue();

 private:
  void acceptLoop();

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> accepted_{0};
  std::thread acceptor_;
  std::mutex lock_;
  std::vector<int> peers_;             // guarded by lock_
  std::vector<std::thread> handlers_;  // guarded by lock_
  std::vector<int> fillers_;
};

// One HTTP request as the server received it.
struct HttpRequest {
  std::string head;  // request line and headers, up to and with the empty line
  std::string method;
  std::string path;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;                            // as many bytes as Content-Length named
};

// Reads one request from the peer; false when the peer closed first.
bool readHttpRequest(Peer& peer, HttpRequest& out);

// An HTTP server whose handler answers each request; the requests are kept for the test.
class HttpServer {
 public:
  using Answer = std::function<void(const HttpRequest& request, Peer& peer)>;

  explicit HttpServer(Answer answer);
  int port() const { return server_->port(); }
  std::string url(std::string_view path) const;
  std::vector<HttpRequest> requests() const;

 private:
  Answer answer_;
  mutable std::mutex lock_;
  std::vector<HttpRequest> requests_;  // guarded by lock_
  std::unique_ptr<TcpServer> server_;
};

// A complete answer: status line, the headers given, Content-Length, and the body.
std::string httpResponse(int code, std::string_view reason, std::string_view body,
                         const std::vector<std::string>& headers = {});

}  // namespace test
