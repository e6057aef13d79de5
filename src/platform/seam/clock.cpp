// Tick count on the monotonic clock, or on a clock a test sets by hand.
#include "platform/seam/clock.h"

#include <atomic>
#include <chrono>

namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point programStart = SteadyClock::now();

// Real time is programStart-relative plus an offset, so switching modes never jumps backwards.
std::atomic<bool> manual{false};
std::atomic<uint64_t> manualNow{0};
std::atomic<int64_t> realOffset{0};

uint64_t realNow() {
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - programStart);
  return static_cast<uint64_t>(elapsed.count() + realOffset.load());
}

}  // namespace

namespace platform {

uint64_t tickCount64() { return manual.load() ? manualNow.load() : realNow(); }

void setManualClock(uint64_t ms) {
  manualNow = ms;
  manual = true;
}

void advanceManualClock(uint64_t ms) { manualNow += ms; }

bool isManualClock() { return manual.load(); }

std::chrono::steady_clock::time_point realTimeOfTick(uint64_t ms) {
  return programStart + std::chrono::milliseconds(static_cast<int64_t>(ms) - realOffset.load());
}

void useRealClock() {
  if (!manual.exchange(false)) return;
  realOffset = 0;
  realOffset = static_cast<int64_t>(manualNow.load()) - static_cast<int64_t>(realNow());
}

}  // namespace platform
