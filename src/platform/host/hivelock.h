// Waiting for another process's lock on the user hive's file: SQLite's busy handler on a clock that
// tests may set, and the telling of the lock. Internal to userhive.cpp, whose lock guards the one object.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host/userhive.h"

namespace platform::userhive {

class LockWaits {
 public:
  // A call waits for the lock at most this long; once a wait has run out, calls of its kind (reads or
  // writes) give up at once until one gets through again, so that a lock held for minutes costs one
  // wait, not one per call.
  static constexpr uint64_t kWaitMs = 1000;
  static constexpr uint64_t kRetryMs = 10;

  static bool isBusy(int code);
  // SQLite's busy handler; its argument is the LockWaits.
  static int handler(void* waits, int attempt);

  void setClock(WaitClock clock) { clock_ = std::move(clock); }
  // The file whose lock is told, and whether the statements that run now belong to a write.
  void setFile(const std::string& file) { file_ = file; }
  void setWriting(bool writing) { writing_ = writing; }
  // Every statement's result passes here: a lock that stopped it is told once per file; one that got
  // through ends the giving up of its kind.
  int answered(int code);

 private:
  struct Wait {
    bool gaveUp = false;  // a wait ran out, and no call of this kind has got through since
    uint64_t since = 0;   // when the statement waiting now met the lock
  };
  Wait& current() { return writing_ ? writes_ : reads_; }
  uint64_t now() const;
  void pause(uint64_t ms) const;

  WaitClock clock_;
  Wait reads_, writes_;
  bool writing_ = false;
  std::string file_;
  std::string toldFile_;
};

}  // namespace platform::userhive
