#include "AnswerServer.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace fuzz {

AnswerServer::AnswerServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::perror("fuzz: the answer server cannot listen");
    std::abort();
  }
  port_ = ntohs(address.sin_port);
  std::thread([this] { serve(); }).detach();
}

void AnswerServer::setAnswer(std::string answer) {
  std::lock_guard lock(mutex_);
  answer_ = std::move(answer);
}

std::string AnswerServer::takeAnswer() {
  std::lock_guard lock(mutex_);
  return answer_;
}

void AnswerServer::serve() {
  for (;;) {
    const int peer = ::accept(listener_, nullptr, nullptr);
    if (peer < 0) continue;
    const std::string answer = takeAnswer();
    // The request is read up to its empty line, so that the answer never meets a request still arriving.
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::recv(peer, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<size_t>(n));
    }
    for (size_t sent = 0; sent < answer.size();) {
      const ssize_t n = ::send(peer, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
    ::shutdown(peer, SHUT_RDWR);
    ::close(peer);
  }
}

AnswerServer& answerServer() {
  static AnswerServer running;
  return running;
}

}  // namespace fuzz
