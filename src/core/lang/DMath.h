// Small integer functions the games use for distances and clamping.
#pragma once

#include <cstdint>

namespace nuv::lang::DMath {

// The most negative int has no positive counterpart and stays itself; callers guard it.
constexpr int32_t abs(int32_t x) { return x >= 0 ? x : static_cast<int32_t>(0u - static_cast<uint32_t>(x)); }
constexpr int32_t max(int32_t a, int32_t b) { return a < b ? b : a; }
constexpr int32_t min(int32_t a, int32_t b) { return a < b ? a : b; }

}  // namespace nuv::lang::DMath
