// A server on 127.0.0.1 that answers every connection with the bytes it was given last, then closes it.
// Apart from the entries so that the host's socket headers never meet the handheld's.
#pragma once

#include <mutex>
#include <string>

namespace fuzz {

class AnswerServer {
 public:
  // Listening, with its thread running; aborts when it cannot listen.
  AnswerServer();
  int port() const { return port_; }
  void setAnswer(std::string answer);

 private:
  void serve();
  std::string takeAnswer();

  int listener_ = -1;
  int port_ = 0;
  std::mutex mutex_;
  std::string answer_;  // guarded by mutex_
};

// Made on the first call; its thread serves until the process ends.
AnswerServer& answerServer();

}  // namespace fuzz
