// Integer abs, max and min at their edges.
#include <gtest/gtest.h>

#include "core/lang/DMath.h"

using namespace nuv::lang;

TEST(DMathTest, Edges) {
  struct Case {
    int32_t a, b, abs, max, min;
  } cases[] = {
      {3, 3, 3, 3, 3},
      {-3, 3, 3, 3, -3},
      {0, -1, 0, 0, -1},
      {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN},  // the most negative int stays itself
      {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN},
      {INT32_MIN + 1, 0, INT32_MAX, 0, INT32_MIN + 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DMath::abs(c.a), c.abs) << c.a;
    EXPECT_EQ(DMath::max(c.a, c.b), c.max) << c.a << ", " << c.b;
    EXPECT_EQ(DMath::min(c.a, c.b), c.min) << c.a << ", " << c.b;
  }
}
