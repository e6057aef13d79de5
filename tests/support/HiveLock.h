// Another program on the settings file: a second connection that holds its lock, and a clock of the
// test's own for the waits the hive makes meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct sqlite3;

namespace test {

class HiveLock {
 public:
  enum class Holds {
    Writes,      // a write transaction: others may read, none may write
    Everything,  // an exclusive lock: others may neither read nor write; taken before the hive opens the file
  };
  HiveLock(const std::string& file, Holds holds);
  ~HiveLock();
  HiveLock(const HiveLock&) = delete;
  HiveLock& operator=(const HiveLock&) = delete;

  // Lets go of the lock, keeping nothing written.
  void release();
  bool held() const { return connection_ != nullptr; }

 private:
  sqlite3* connection_ = nullptr;
};

// While it lives, the hive waits on this clock: a pause moves it at once, and afterPause runs.
class HiveWaits {
 public:
  HiveWaits();
  ~HiveWaits();
  HiveWaits(const HiveWaits&) = delete;
  HiveWaits& operator=(const HiveWaits&) = delete;

  uint64_t now() const { return now_; }
  // The milliseconds paused since the last call.
  uint64_t takeWaited();
  std::function<void()> afterPause;

 private:
  uint64_t now_ = 0;
  uint64_t waited_ = 0;
};

}  // namespace test
