// The test servers on POSIX sockets.
#include "net/Servers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "platform/seam/clock.h"

namespace test {

namespace {

constexpr int kPollSliceMs = 20;

sockaddr_in loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return s;
}

}  // namespace

bool eventually(const std::function<bool()>& check) {
  const auto deadline = std::chrono::steady_clock::now() + kGenerous;
  while (!check()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

RacingClock::RacingClock() {
  platform::setManualClock(1000);
  mover_ = std::thread([this] {
    while (!stop_.load()) {
      platform::advanceManualClock(1000);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
}

RacingClock::~RacingClock() {
  stop_ = true;
  mover_.join();
  platform::useRealClock();
}

// ---- Peer

std::string Peer::readUntil(std::string_view end) {
  std::string got;
  char c;
  while (got.size() < end.size() || std::string_view(got).substr(got.size() - end.size()) != end) {
    pollfd p{fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, kPollSliceMs);
    if (stopping()) break;
    if (ready <= 0) continue;
    ssize_t n = ::recv(fd_, &c, 1, 0);
    if (n <= 0) break;
    got.push_back(c);
  }
  return got;
}

std::string Peer::readExactly(size_t n) {
  std::string got;
  char buffer[4096];
  while (got.size() < n && !stopping()) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    ssize_t r = ::recv(fd_, buffer, std::min(sizeof buffer, n - got.size()), 0);
    if (r <= 0) break;
    got.append(buffer, static_cast<size_t>(r));
  }
  return got;
}

std::string Peer::readSome() {
  char buffer[4096];
  while (!stopping()) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    ssize_t r = ::recv(fd_, buffer, sizeof buffer, 0);
    return r > 0 ? std::string(buffer, static_cast<size_t>(r)) : std::string();
  }
  return {};
}

std::string Peer::readToEnd() {
  std::string got;
  char buffer[4096];
  while (!stopping()) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    ssize_t r = ::recv(fd_, buffer, sizeof buffer, 0);
    if (r <= 0) break;
    got.append(buffer, static_cast<size_t>(r));
  }
  return got;
}

bool Peer::write(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void Peer::close(bool abort) {
  if (!abort) {
    ::shutdown(fd_, SHUT_RDWR);
    return;
  }
  // Only closing a socket that lingers for 0 s sends a reset (a shutdown sends a FIN). The server still
  // owns the descriptor: an unconnected socket takes its place, closing the peer's in one step.
  linger l{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
  const int stand = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (stand < 0) {
    ::shutdown(fd_, SHUT_RDWR);
    return;
  }
  ::dup3(stand, fd_, O_CLOEXEC);
  ::close(stand);
}

void Peer::waitForStop() {
  while (!stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
}

// ---- TcpServer

TcpServer::TcpServer(Handler handler, bool accepting, int backlog) : handler_(std::move(handler)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in a = loopback(0);
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(listener_, backlog) != 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  socklen_t size = sizeof a;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &size);
  port_ = ntohs(a.sin_port);
  if (accepting) acceptor_ = std::thread([this] { acceptLoop(); });
}

TcpServer::~TcpServer() {
  stopping_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  std::vector<std::thread> handlers;
  {
    std::lock_guard lock(lock_);
    for (int fd : peers_) ::shutdown(fd, SHUT_RDWR);
    handlers.swap(handlers_);
  }
  for (std::thread& t : handlers) t.join();
  for (int fd : peers_) ::close(fd);
  for (int fd : fillers_) ::close(fd);
  ::close(listener_);
}

void TcpServer::acceptLoop() {
  while (!stopping_.load()) {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++accepted_;
    std::lock_guard lock(lock_);
    peers_.push_back(fd);
    handlers_.emplace_back([this, fd] {
      Peer peer(fd, stopping_);
      handler_(peer);
      // Whatever the handler left open ends with it: the client sees the close.
      ::shutdown(fd, SHUT_RDWR);
    });
  }
}

void TcpServer::fillQueue() {
  // One connection that is never accepted fills a queue of backlog 0; later attempts get no answer.
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a = loopback(port_);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    throw std::runtime_error("cannot fill the listener's queue");
  }
  fillers_.push_back(fd);
}

// ---- HTTP

bool readHttpRequest(Peer& peer, HttpRequest& out) {
  out.head = peer.readUntil("\r\n\r\n");
  if (out.head.size() < 4 || out.head.compare(out.head.size() - 4, 4, "\r\n\r\n") != 0) return false;
  size_t lineEnd = out.head.find("\r\n");
  std::string line = out.head.substr(0, lineEnd);
  size_t space = line.find(' ');
  out.method = line.substr(0, space);
  out.path = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
  for (size_t at = lineEnd + 2; at < out.head.size() - 2;) {
    size_t end = out.head.find("\r\n", at);
    std::string header = out.head.substr(at, end - at);
    size_t colon = header.find(':');
    if (colon != std::string::npos) {
      std::string value = header.substr(colon + 1);
      while (!value.empty() && value.front() == ' ') value.erase(0, 1);
      out.headers[lower(header.substr(0, colon))] = value;
    }
    at = end + 2;
  }
  auto length = out.headers.find("content-length");
  if (length != out.headers.end()) out.body = peer.readExactly(std::stoul(length->second));
  return true;
}

HttpServer::HttpServer(Answer answer) : answer_(std::move(answer)) {
  server_ = std::make_unique<TcpServer>([this](Peer& peer) {
    HttpRequest request;
    if (!readHttpRequest(peer, request)) return;
    {
      std::lock_guard lock(lock_);
      requests_.push_back(request);
    }
    answer_(request, peer);
  });
}

std::string HttpServer::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port()) + std::string(path);
}

std::vector<HttpRequest> HttpServer::requests() const {
  std::lock_guard lock(lock_);
  return requests_;
}

std::string httpResponse(int code, std::string_view reason, std::string_view body,
                         const std::vector<std::string>& headers) {
  std::string out = "HTTP/1.1 " + std::to_string(code) + " " + std::string(reason) + "\r\n";
  for (const std::string& h : headers) out += h + "\r\n";
  out += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  out += body;
  return out;
}

}  // namespace test
