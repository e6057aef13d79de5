// The 48-bit generator: seeding from the clock and its exact sequence.
#include <gtest/gtest.h>

#include <vector>

#include "core/util/DRandom.h"
#include "platform/seam/clock.h"

using namespace nuv::util;

namespace {

class DRandomTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::useRealClock(); }

  static std::vector<int32_t> draws(uint64_t clock, int n) {
    platform::setManualClock(clock);
    DRandomPtr random = new DRandom();
    std::vector<int32_t> out;
    for (int i = 0; i < n; ++i) out.push_back(random->nextInt());
    return out;
  }
};

}  // namespace

TEST_F(DRandomTest, SequenceFollowsTheClockSeed) {
  struct Case {
    uint64_t clock;
    std::vector<int32_t> expected;
  } cases[] = {
      // The clock equal to the multiplier leaves the state 0: it steps to 11, then to 0x40942DE6BA.
      {0x5DEECE66D, {0, 0x40942D}},
      {0, {-1155484576, -723955400, 1033096058}},
      {42, {-1170105035, 234785527, -1360544799}},
      // Only the low 48 bits of the clock count.
      {(uint64_t{1} << 48) | 42, {-1170105035, 234785527, -1360544799}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(draws(c.clock, static_cast<int>(c.expected.size())), c.expected) << c.clock;
  }
}

TEST_F(DRandomTest, EqualClocksGiveEqualSequences) {
  EXPECT_EQ(draws(123456, 50), draws(123456, 50));
  EXPECT_NE(draws(123456, 50), draws(123457, 50));
}
