#include "support/HiveLock.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/host/userhive.h"

namespace test {

HiveLock::HiveLock(const std::string& file, Holds holds) {
  EXPECT_EQ(sqlite3_open(file.c_str(), &connection_), SQLITE_OK) << file;
  const char* take = holds == Holds::Writes ? "BEGIN IMMEDIATE"
                                            : "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;"
                                              " CREATE TABLE IF NOT EXISTS held(x); INSERT INTO held VALUES(1);";
  EXPECT_EQ(sqlite3_exec(connection_, take, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(connection_);
}

HiveLock::~HiveLock() { release(); }

void HiveLock::release() {
  if (connection_ == nullptr) return;
  sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(connection_);
  connection_ = nullptr;
}

HiveWaits::HiveWaits() {
  platform::userhive::setWaitClock({[this] { return now_; },
                                    [this](uint64_t ms) {
                                      now_ += ms;
                                      waited_ += ms;
                                      if (afterPause) afterPause();
                                    }});
}

HiveWaits::~HiveWaits() { platform::userhive::setWaitClock({}); }

uint64_t HiveWaits::takeWaited() {
  const uint64_t waited = waited_;
  waited_ = 0;
  return waited;
}

}  // namespace test
