// Another process's lock on the user hive: bounded waits, told once.
#include "platform/host/hivelock.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace platform::userhive {

bool LockWaits::isBusy(int code) { return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED; }

int LockWaits::handler(void* waits, int attempt) {
  LockWaits& self = *static_cast<LockWaits*>(waits);
  Wait& wait = self.current();
  if (wait.gaveUp) return 0;
  const uint64_t now = self.now();
  if (attempt == 0) wait.since = now;
  if (now - wait.since >= kWaitMs) {
    wait.gaveUp = true;
    return 0;
  }
  self.pause(kRetryMs);
  return 1;
}

int LockWaits::answered(int code) {
  if (!isBusy(code)) {
    current().gaveUp = false;
  } else if (toldFile_ != file_) {
    toldFile_ = file_;
    std::fprintf(stderr,
                 "GlimmerHut: the settings file %s is held by another program; settings it cannot give now are "
                 "the defaults, and saves wait until it is free\n",
                 file_.c_str());
  }
  return code;
}

uint64_t LockWaits::now() const {
  if (clock_.now) return clock_.now();
  const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void LockWaits::pause(uint64_t ms) const {
  if (clock_.pause) {
    clock_.pause(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

}  // namespace platform::userhive
