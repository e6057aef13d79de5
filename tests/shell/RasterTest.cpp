// Surfaces, clipped spans and lines, circles, clears and copies of the rasteriser, pixel for pixel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/Pixels.h"
#include "shell/raster/Raster2D.h"
#include "shell/raster/RasterSurface.h"
#include "shell/raster/RasterTarget.h"

using Raster::Point;
using Raster::RasterSurface;
using Raster::RasterTarget;
using Raster::Rect;
using Raster::Internal::Raster2D;
using shelltest::picture;

namespace {

constexpr uint16_t kInk = 0xFFFF;

std::unique_ptr<RasterSurface> surface(int w, int h) {
  auto s = RasterSurface::create(w, h);
  EXPECT_NE(s, nullptr);
  return s;
}

}  // namespace

TEST(Surface, RowsStartOnFourByteBoundariesAndBadSizesGiveNull) {
  for (int w : {1, 2, 3, 7, 8}) {
    std::unique_ptr<ScreenHAL::Surface> s(ScreenHAL::Surface::create(w, 2));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pitch, (w * 2 + 3) & ~3);
    EXPECT_EQ(s->pitch % 4, 0);
    EXPECT_TRUE(s->ownsPixels);
  }
  EXPECT_EQ(ScreenHAL::Surface::create(-1, 4), nullptr);
  EXPECT_EQ(ScreenHAL::Surface::create(4, -1), nullptr);
  EXPECT_EQ(ScreenHAL::Surface::create(100000, 100000), nullptr);
}

TEST(RasterSurface, LockGivesTheAddressOfThePointAndWrapDoesNotOwn) {
  auto s = surface(5, 4);
  Raster::LockedPixels at = s->lock(Point{3, 2});
  EXPECT_EQ(at.pitch, s->surface->pitch);
  EXPECT_EQ(at.address, s->surface->pixels + 2 * s->surface->pitch + 3 * 2);
  EXPECT_EQ(s->lock().address, s->surface->pixels);
  EXPECT_TRUE(Raster::returnsOne(s.get(), 0));
  EXPECT_EQ(s->key, -1);

  // A wrapped surface outlives its record (the sanitizer would report a double free otherwise).
  std::unique_ptr<ScreenHAL::Surface> raw(ScreenHAL::Surface::create(2, 2));
  { auto wrapped = RasterSurface::wrap(raw.get()); }
  EXPECT_EQ(raw->width, 2);
}

TEST(Raster2D, LinesTouchExactlyThePixelsBetweenBothEnds) {
  struct Case {
    Point from, to;
    const char* expected;
  } cases[] = {
      {{0, 0}, {0, 0}, "#....\n.....\n.....\n"}, {{0, 0}, {3, 1}, "##...\n..##.\n.....\n"},
      {{3, 1}, {0, 0}, "##...\n..##.\n.....\n"}, {{0, 0}, {4, 2}, "##...\n..#..\n...##\n"},
      {{0, 0}, {2, 2}, "#....\n.#...\n..#..\n"}, {{4, 0}, {0, 2}, "...##\n..#..\n##...\n"},
      {{1, 0}, {2, 2}, ".#...\n.#...\n..#..\n"},
  };
  for (const Case& c : cases) {
    auto s = surface(5, 3);
    Raster2D::instance().line(*s->surface, c.from, c.to, kInk);
    EXPECT_EQ(picture(*s->surface), c.expected) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
  }
}

TEST(Raster2D, CirclesAreSymmetricAndRadiusZeroIsTheCentre) {
  auto s = surface(7, 7);
  Raster2D::instance().circle(*s->surface, Point{3, 3}, 0, kInk);
  EXPECT_EQ(shelltest::count(*s->surface, kInk), 1);
  EXPECT_EQ(*s->surface->at(3, 3), kInk);

  auto big = surface(7, 7);
  Raster2D::instance().circle(*big->surface, Point{3, 3}, 3, kInk);
  EXPECT_EQ(picture(*big->surface),
            "..###..\n"
            ".#...#.\n"
            "#.....#\n"
            "#.....#\n"
            "#.....#\n"
            ".#...#.\n"
            "..###..\n");

  // The clipped variant writes only inside the clip, even with the centre near an edge.
  auto clipped = surface(7, 7);
  Raster2D::instance().circleClipped(*clipped->surface, Point{0, 0}, 3, kInk, Rect{0, 0, 7, 7});
  EXPECT_EQ(picture(*clipped->surface),
            "...#...\n"
            "...#...\n"
            "..#....\n"
            "##.....\n"
            ".......\n"
            ".......\n"
            ".......\n");
}

TEST(Raster2D, ClearGivesTheSamePixelsOnEveryWidthAndColour) {
  for (uint16_t colour : {uint16_t{0x0000}, uint16_t{0xFFFF}, uint16_t{0x1234}}) {
    for (int w : {7, 8, 9, 16}) {
      auto s = surface(w, 3);
      shelltest::fillPattern(*s->surface);
      Raster2D::instance().clear(*s->surface, colour);
      EXPECT_EQ(shelltest::count(*s->surface, colour), w * 3) << "width " << w << " colour " << colour;
    }
  }
}

TEST(Raster2D, FillsSetExactlyTheirPixelsAtEveryLengthAndStart) {
  // Lengths around the 8-, 16- and 64-pixel stores and their overlapping last store, from every start
  // within a 16-pixel line; one colour goes through memset, one through the wide stores.
  constexpr uint16_t kGuard = 0x5A5A;
  for (uint16_t colour : {uint16_t{0x1234}, uint16_t{0xABAB}}) {
    for (int start = 0; start < 16; ++start) {
      for (int n = 0; n <= 80; ++n) {
        std::vector<uint16_t> row(112, kGuard);
        Raster::Internal::fillRow(row.data() + start, n, colour);
        for (int i = 0; i < 112; ++i) {
          const bool inside = i >= start && i < start + n;
          ASSERT_EQ(row[i], inside ? colour : kGuard) << "colour " << colour << " start " << start << " length " << n;
        }
      }
    }
  }
  // Rectangles inside an odd-width surface (rows with padding between them) and whole surfaces.
  struct Case {
    int width, height;
    Rect rect;
  } cases[] = {{37, 5, {1, 1, 36, 4}}, {37, 5, {0, 0, 37, 5}}, {40, 6, {0, 2, 40, 5}}, {40, 6, {3, 0, 21, 6}}};
  for (const Case& c : cases) {
    auto s = surface(c.width, c.height);
    shelltest::fillPattern(*s->surface);
    auto before = surface(c.width, c.height);
    shelltest::fillPattern(*before->surface);
    Raster2D::instance().fillRect(*s->surface, c.rect, 0x1234);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const bool inside = x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom;
        EXPECT_EQ(*s->surface->at(x, y), inside ? 0x1234 : *before->surface->at(x, y))
            << c.width << ": " << x << "," << y;
      }
    }
  }
}

TEST(Raster2D, TransformedCopyFollowsTheMatrixAndSkipsOutsideAndKeyPixels) {
  auto src = surface(2, 2);
  *src->surface->at(0, 0) = 1;
  *src->surface->at(1, 0) = 2;
  *src->surface->at(0, 1) = 3;
  *src->surface->at(1, 1) = 0xF81F;

  // Scale by two: m0 = m3 = 512 (a half in 1/1024 units).
  auto dst = surface(5, 5);
  Raster::Internal::Matrix scale{{512, 0, 0, 512, 0, 0}};
  Raster2D::instance().blitTransformed(*dst->surface, Rect{0, 0, 5, 5}, scale, *src->surface);
  const uint16_t expectedScaled[5][5] = {
      {1, 1, 2, 2, 0}, {1, 1, 2, 2, 0}, {3, 3, 0xF81F, 0xF81F, 0}, {3, 3, 0xF81F, 0xF81F, 0}, {0, 0, 0, 0, 0}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(*dst->surface->at(x, y), expectedScaled[y][x]) << x << "," << y;

  // Identity moved one pixel left and up: column and row -1 of the source are skipped, the key too.
  auto keyed = surface(3, 3);
  Raster::Internal::Matrix shifted{{1024, 0, 0, 1024, -65536, -65536}};
  Raster2D::instance().blitTransformedKeyed(*keyed->surface, Rect{0, 0, 3, 3}, shifted, *src->surface, 0xF81F);
  const uint16_t expectedKeyed[3][3] = {{0, 0, 0}, {0, 1, 2}, {0, 3, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(*keyed->surface->at(x, y), expectedKeyed[y][x]) << x << "," << y;
}

TEST(Raster2D, KeyedRowCopyKeepsTheTargetUnderKeyPixelsAtEveryLength) {
  // Long enough to cross the eight-pixel fast path and its tail.
  for (int n : {1, 7, 8, 9, 17, 33}) {
    std::vector<uint16_t> src(n), dst(n, 0x5555);
    for (int i = 0; i < n; ++i) src[i] = (i % 3 == 1) ? 0xF81F : static_cast<uint16_t>(i);
    Raster::Internal::copyKeyedRow(dst.data(), src.data(), n, 0xF81F);
    for (int i = 0; i < n; ++i) EXPECT_EQ(dst[i], i % 3 == 1 ? 0x5555 : i) << n << ":" << i;
  }
}

TEST(RasterTarget, SpansAreShortenedByTheClipNotMoved) {
  auto s = surface(8, 3);
  RasterTarget target(s.get());
  target.setClip(Rect{2, 0, 6, 3});
  target.hline(0, 0, 4, kInk);   // x 0..3 -> 2..3
  target.hline(4, 1, 10, kInk);  // x 4..13 -> 4..5
  target.vline(7, 0, 3, kInk);   // outside the clip
  target.hline(0, 2, 2, kInk);   // wholly left of the clip
  EXPECT_EQ(picture(*s->surface),
            "..##....\n"
            "....##..\n"
            "........\n");
}

TEST(RasterTarget, LinesRectanglesAndPlotsAreClipped) {
  auto s = surface(6, 6);
  RasterTarget target(s.get());
  target.setClip(Rect{1, 1, 5, 5});
  target.line(-10, -10, 10, 10, kInk);  // the diagonal, cut to the clip
  target.plot(0, 0, kInk);
  target.plot(5, 5, kInk);
  EXPECT_EQ(picture(*s->surface),
            "......\n"
            ".#....\n"
            "..#...\n"
            "...#..\n"
            "....#.\n"
            "......\n");

  auto r = surface(6, 6);
  RasterTarget outline(r.get());
  outline.drawRect(1, 1, 4, 3, kInk);
  outline.line(5, 3, 2, 3, kInk);  // reversed horizontal: x 2..5
  outline.fillRect(-3, 5, 2, 9, kInk);
  EXPECT_EQ(picture(*r->surface),
            "......\n"
            ".####.\n"
            ".#..#.\n"
            ".#####\n"
            "......\n"
            "##....\n");
}

TEST(RasterTarget, CopiesDrawOnlyTheVisiblePartFromTheMatchingSource) {
  auto src = surface(4, 3);
  shelltest::fillPattern(*src->surface);
  *src->surface->at(1, 1) = 0xF81F;

  struct Case {
    int x, y;
    bool keyed;
  } cases[] = {{-2, -1, false}, {3, 2, false}, {1, 1, true}, {1, 1, false}, {6, 0, false}, {0, -3, false}};
  for (const Case& c : cases) {
    auto dst = surface(6, 4);
    RasterTarget target(dst.get());
    target.setClip(Rect{0, 0, 5, 4});
    src->key = c.keyed ? 0xF81F : -1;
    target.blit(*src, c.x, c.y);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) {
        const int sx = x - c.x;
        const int sy = y - c.y;
        uint16_t expected = 0;
        if (x < 5 && sx >= 0 && sx < 4 && sy >= 0 && sy < 3) expected = *src->surface->at(sx, sy);
        if (c.keyed && expected == 0xF81F) expected = 0;
        EXPECT_EQ(*dst->surface->at(x, y), expected) << "at " << c.x << "," << c.y << " pixel " << x << "," << y;
      }
    }
  }
}

TEST(RasterTarget, CopiesOfWholeRowsBetweenSurfacesOfOneWidth) {
  // The copy takes whole rows as one block when nothing lies between them; moved up, down or cut by the clip.
  for (int width : {8, 7}) {
    auto src = surface(width, 5);
    shelltest::fillPattern(*src->surface);
    struct Case {
      int y;
      Rect clip;
    } cases[] = {{0, {0, 0, 8, 5}}, {2, {0, 0, 8, 5}}, {-3, {0, 0, 8, 5}}, {0, {0, 1, 8, 4}}};
    for (const Case& c : cases) {
      auto dst = surface(width, 5);
      RasterTarget target(dst.get());
      target.setClip(c.clip);
      target.blit(*src, 0, c.y);
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) {
          const int sy = y - c.y;
          const bool shown = sy >= 0 && sy < 5 && y >= c.clip.top && y < c.clip.bottom;
          EXPECT_EQ(*dst->surface->at(x, y), shown ? *src->surface->at(x, sy) : 0) << width << " at " << c.y;
        }
      }
    }
  }
}

TEST(RasterTarget, CopyOfASourceRectangleStaysInsideTheSource) {
  auto src = surface(4, 4);
  shelltest::fillPattern(*src->surface);
  auto dst = surface(4, 4);
  RasterTarget target(dst.get());
  Rect part{2, 2, 9, 9};  // reaches past the source: only its 2 x 2 corner exists
  target.blit(*src, 0, 0, &part);
  EXPECT_EQ(*dst->surface->at(0, 0), *src->surface->at(2, 2));
  EXPECT_EQ(*dst->surface->at(1, 1), *src->surface->at(3, 3));
  EXPECT_EQ(*dst->surface->at(2, 0), 0);
  EXPECT_EQ(*dst->surface->at(0, 2), 0);
}

TEST(RasterTarget, WithoutASurfaceNothingIsDrawnAndRetargetResetsTheClip) {
  RasterTarget empty(nullptr);
  EXPECT_TRUE(empty.clip().isEmpty());
  empty.fillRect(0, 0, 5, 5, kInk);
  empty.line(0, 0, 3, 1, kInk);
  empty.clear(kInk);

  auto record = RasterSurface::wrap(nullptr);
  RasterTarget target(record.get());
  target.plot(0, 0, kInk);
  auto s = surface(3, 2);
  EXPECT_EQ(target.retarget(s.get()), record.get());
  EXPECT_EQ(target.clip().right, 3);
  EXPECT_EQ(target.clip().bottom, 2);
}

TEST(IntersectRect, ClipsPositionAndSizeAndEmptiesBoth) {
  struct Case {
    Raster::XYWHRect a, b, expected;
  } cases[] = {
      {{0, 0, 10, 10}, {2, 3, 4, 4}, {2, 3, 4, 4}},          {{-5, -5, 10, 10}, {0, 0, 100, 100}, {0, 0, 5, 5}},
      {{95, 90, 10, 20}, {0, 0, 100, 100}, {95, 90, 5, 10}}, {{200, 0, 10, 10}, {0, 0, 100, 100}, {200, 0, 0, 0}},
      {{0, -20, 10, 10}, {0, 0, 100, 100}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Raster::XYWHRect out{};
    EXPECT_EQ(Raster::intersectRect(&c.a, &out, &c.b), &out);
    EXPECT_EQ(out.x, c.expected.x);
    EXPECT_EQ(out.y, c.expected.y);
    EXPECT_EQ(out.width, c.expected.width);
    EXPECT_EQ(out.height, c.expected.height);
  }
}
