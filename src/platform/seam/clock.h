// The stand-in's clock, and the test seam that lets a test or a scripted run own it.
#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

// Milliseconds since the program started, in 64 bits: never wraps.
uint64_t tickCount64();

// Freezes the clock at the given time; from then on only the test moves it.
void setManualClock(uint64_t ms);
void advanceManualClock(uint64_t ms);
bool isManualClock();
// Back to real time, continuing from wherever the clock stands now.
void useRealClock();
// The moment the real clock reaches the tick count given.
std::chrono::steady_clock::time_point realTimeOfTick(uint64_t ms);

}  // namespace platform
