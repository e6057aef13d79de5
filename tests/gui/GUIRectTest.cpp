// Rectangles and alignment: anchor offsets, clipping, unions, overlap with touching edges, and the search
// for any of several characters.
#include <gtest/gtest.h>

#include <array>

#include "core/lang/DString.h"
#include "gui/GUIRect.h"

namespace {

using gamelib::GUIPoint;
using gamelib::GUIRect;

TEST(GUIRectTest, AlignmentMovesByTheWholeOrHalfSize) {
  struct Case {
    int32_t align;
    GUIPoint aligned;
  };
  // From (10, 20) over a size of 7 x 9: halves round down by the shift.
  const Case cases[] = {
      {0, {10, 20}}, {1, {17, 20}},  {2, {13, 20}}, {3, {10, 20}},  {4, {10, 29}},
      {8, {10, 24}}, {10, {13, 24}}, {5, {17, 29}}, {12, {10, 20}},
  };
  for (const Case& c : cases) {
    GUIPoint p = gamelib::alignPoint({10, 20}, {7, 9}, c.align);
    EXPECT_EQ(p.x, c.aligned.x) << c.align;
    EXPECT_EQ(p.y, c.aligned.y) << c.align;
    GUIPoint back = gamelib::unalignPoint(p, {7, 9}, c.align);
    EXPECT_EQ(back.x, 10) << c.align;
    EXPECT_EQ(back.y, 20) << c.align;
  }
  EXPECT_EQ(gamelib::alignPoint({0, 0}, {-7, -9}, 10).x, -4);  // an arithmetic shift
}

TEST(GUIRectTest, IntersectionUnionAndOverlap) {
  struct Case {
    GUIRect a, b, intersection, united;
    bool overlap;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}, {0, 0, 15, 15}, true},
      // Disjoint: no area, the position keeps the clipped values.
      {{0, 0, 10, 10}, {20, 30, 5, 5}, {20, 30, 0, 0}, {0, 0, 25, 35}, false},
      // Sharing an edge only: overlapping, but the intersection has no area.
      {{0, 0, 10, 10}, {10, 0, 5, 10}, {10, 0, 0, 0}, {0, 0, 15, 10}, true},
      // An empty second rectangle leaves the first as it is; the first counts even when empty.
      {{3, 4, 5, 6}, {0, 0, 0, 0}, {3, 4, 0, 0}, {3, 4, 5, 6}, false},
      {{0, 0, 0, 0}, {5, 5, 2, 2}, {5, 5, 0, 0}, {0, 0, 7, 7}, false},
  };
  for (const Case& c : cases) {
    GUIRect i = gamelib::intersectRect(c.a, c.b), u = gamelib::unionRect(c.a, c.b);
    EXPECT_EQ((std::array{i.x, i.y, i.width, i.height}),
              (std::array{c.intersection.x, c.intersection.y, c.intersection.width, c.intersection.height}));
    EXPECT_EQ((std::array{u.x, u.y, u.width, u.height}),
              (std::array{c.united.x, c.united.y, c.united.width, c.united.height}));
    EXPECT_EQ(gamelib::rectsOverlap(c.a, c.b), c.overlap);
  }
}

TEST(GUIRectTest, IndexOfAnyFindsTheFirstOfSeveral) {
  nuv::lang::DString text(u"ab cd>ef");
  EXPECT_EQ(gamelib::indexOfAny(text, 0, u" >"), 2);
  EXPECT_EQ(gamelib::indexOfAny(text, 3, u" >"), 5);
  EXPECT_EQ(gamelib::indexOfAny(text, 6, u" >"), -1);
  EXPECT_EQ(gamelib::indexOfAny(text, -4, u"a"), 0);
}

}  // namespace
