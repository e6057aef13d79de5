// The 48-bit generator's seeding and step.
#include "core/util/DRandom.h"

#include "core/lang/DSystem.h"

namespace nuv::util {

namespace {

constexpr uint64_t kMultiplier = 0x5DEECE66D;
constexpr uint64_t kAddend = 0xB;
constexpr uint64_t kMask = (uint64_t{1} << 48) - 1;

}  // namespace

DRandom::DRandom() {
  uint64_t state = (static_cast<uint64_t>(nuv::lang::DSystem::currentTimeMillis()) ^ kMultiplier) & kMask;
  seedLow_ = static_cast<uint32_t>(state);
  seedHigh_ = static_cast<uint32_t>(state >> 32);
}

int32_t DRandom::nextInt() {
  uint64_t state = (uint64_t{seedHigh_} << 32) | seedLow_;
  state = (state * kMultiplier + kAddend) & kMask;
  seedLow_ = static_cast<uint32_t>(state);
  seedHigh_ = static_cast<uint32_t>(state >> 32);
  return static_cast<int32_t>((seedHigh_ << 16) | (seedLow_ >> 16));
}

}  // namespace nuv::util
