// The graphics context on mutable images: rectangles, clips, colours, anchors, transforms, text and
// pixel arrays, pixel for pixel.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DintArray.h"
#include "shell/Pixels.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "support/Exceptions.h"

using nuv::lang::DintArray;
using nuv::lang::DintArrayPtr;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DFontPtr;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr uint16_t kWhite = 0xFFFF;

const ScreenHAL::Surface& pixels(const DImagePtr& image) { return *image->rasterSurface()->surface; }
uint16_t pixel(const DImagePtr& image, int x, int y) { return *pixels(image).at(x, y); }

// A 3 x 2 picture with six distinct pixels a..f:  a b c / d e f.
DImagePtr picture3x2() {
  DImagePtr image = DImage::createMutableImage(3, 2);
  const uint16_t values[6] = {1, 2, 3, 4, 5, 6};
  for (int i = 0; i < 6; ++i) *pixels(image).at(i % 3, i / 3) = values[i];
  return image;
}

// The canvas as digits: '.' white, the picture's pixels as 1..6.
std::string digits(const DImagePtr& image) {
  std::string out;
  for (int y = 0; y < image->getHeight(); ++y) {
    for (int x = 0; x < image->getWidth(); ++x) {
      const uint16_t p = pixel(image, x, y);
      out += p == kWhite ? '.' : (p <= 9 ? static_cast<char>('0' + p) : '#');
    }
    out += '\n';
  }
  return out;
}

}  // namespace

TEST(DGraphics, RectanglesCoverOneMoreColumnAndRow) {
  struct Case {
    int x, y, w, h, filled, outlined;
  } cases[] = {{0, 0, 0, 0, 1, 1},
               {0, 0, 9, 9, 100, 36},
               {2, 3, 4, 1, 10, 10},
               {5, 5, -1, 3, 0, 8}};  // a negative width fills nothing; the outline's columns stay
  for (const Case& c : cases) {
    DImagePtr image = DImage::createMutableImage(20, 20);
    DGraphicsPtr g = image->getGraphics();
    g->setColor(0);
    g->fillRect(c.x, c.y, c.w, c.h);
    EXPECT_EQ(shelltest::count(pixels(image), 0), c.filled) << c.w << "x" << c.h;
    DImagePtr outline = DImage::createMutableImage(20, 20);
    DGraphicsPtr o = outline->getGraphics();
    o->setColor(0);
    o->drawRect(c.x, c.y, c.w, c.h);
    EXPECT_EQ(shelltest::count(pixels(outline), 0), c.outlined) << c.w << "x" << c.h;
  }
}

TEST(DGraphics, ClipsIntersectAndAnEmptyClipStopsAllDrawing) {
  DImagePtr image = DImage::createMutableImage(10, 10);
  DGraphicsPtr g = image->getGraphics();
  g->setColor(0);
  EXPECT_EQ(g->getClipWidth(), 10);

  g->setClip(2, 2, 0, 5);
  EXPECT_EQ(g->getClipWidth(), 0);
  EXPECT_EQ(g->getClipHeight(), 0);
  g->fillRect(0, 0, 9, 9);
  g->drawLine(0, 0, 9, 9);
  g->drawString(u"W", 0, 0, 0);
  EXPECT_EQ(shelltest::count(pixels(image), 0), 0);

  g->setClip(-5, -5, 8, 9);  // cut to the image
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipY(), 0);
  EXPECT_EQ(g->getClipWidth(), 3);
  EXPECT_EQ(g->getClipHeight(), 4);
  g->clipRect(1, 1, 10, 10);
  EXPECT_EQ(g->getClipX(), 1);
  EXPECT_EQ(g->getClipWidth(), 2);
  g->fillRect(0, 0, 9, 9);
  EXPECT_EQ(shelltest::count(pixels(image), 0), 2 * 3);

  g->clipRect(7, 7, 2, 2);  // nothing in common: drawing stops until the next setClip
  EXPECT_EQ(g->getClipWidth(), 0);
  g->clipRect(0, 0, 10, 10);
  EXPECT_EQ(g->getClipWidth(), 0);
  g->setClip(0, 0, 10, 10);
  EXPECT_EQ(g->getClipWidth(), 10);
  g->setClip(10, 0, 5, 5);
  EXPECT_EQ(g->getClipWidth(), 0);
}

TEST(DGraphics, ColoursConvertToRgb565) {
  DImagePtr image = DImage::createMutableImage(1, 1);
  DGraphicsPtr g = image->getGraphics();
  g->setColorRGB(255, 0, 0);
  EXPECT_EQ(g->getColor(), 0xFF0000);
  EXPECT_EQ(g->getColor565(), 0xF800);
  g->setColorRGB(0x1FF, 0x104, 0x10F);  // only the low byte of each counts
  EXPECT_EQ(g->getColor(), 0xFF040F);
  EXPECT_EQ(g->getColor565(), 0xF821);
  g->setColor(0x12345678);
  EXPECT_EQ(g->getColor(), 0x12345678);
  EXPECT_EQ(g->getColor565(), 0x32AF);
  g->fillRect(0, 0, 0, 0);
  EXPECT_EQ(pixel(image, 0, 0), 0x32AF);
}

TEST(DGraphics, EachTransformOfA3x2PictureLandsInItsPlace) {
  struct Case {
    int transform;
    const char* expected;
  } cases[] = {
      {0, "123..\n456..\n.....\n"}, {1, "456..\n123..\n.....\n"}, {2, "321..\n654..\n.....\n"},
      {3, "654..\n321..\n.....\n"}, {4, "123..\n456..\n.....\n"}, {5, "41...\n52...\n63...\n"},
      {6, "36...\n25...\n14...\n"}, {7, "123..\n456..\n.....\n"},
  };
  DImagePtr source = picture3x2();
  for (const Case& c : cases) {
    DImagePtr canvas = DImage::createMutableImage(5, 3);
    canvas->getGraphics()->drawImage(source, 0, 0, DGraphics::TOP | DGraphics::LEFT, c.transform);
    EXPECT_EQ(digits(canvas), c.expected) << "transform " << c.transform;
  }
}

TEST(DGraphics, ClippedTransformedCopiesDrawTheMatchingPart) {
  DImagePtr source = picture3x2();
  struct Case {
    int transform, x, y;
    const char* expected;
  } cases[] = {
      {5, -1, 0, "1....\n2....\n3....\n"},
      {2, 3, 1, ".....\n...32\n...65\n"},
      {6, 1, -1, ".25..\n.14..\n.....\n"},
      {3, -2, -1, "1....\n.....\n.....\n"},
  };
  for (const Case& c : cases) {
    DImagePtr canvas = DImage::createMutableImage(5, 3);
    canvas->getGraphics()->drawImage(source, c.x, c.y, 0, c.transform);
    EXPECT_EQ(digits(canvas), c.expected) << "transform " << c.transform << " at " << c.x << "," << c.y;
  }
}

TEST(DGraphics, AnchorsPlaceImagesAroundThePoint) {
  DImagePtr source = DImage::createMutableImage(10, 7);
  DGraphicsPtr s = source->getGraphics();
  s->setColor(0);
  s->fillRect(0, 0, 9, 6);
  struct Case {
    int anchor, transform, left, top, width, height;
  } cases[] = {
      {DGraphics::HCENTER | DGraphics::VCENTER, 0, 45, 47, 10, 7},
      {DGraphics::HCENTER | DGraphics::VCENTER, 5, 47, 45, 7, 10},
      {DGraphics::RIGHT | DGraphics::BOTTOM, 0, 40, 43, 10, 7},
      {DGraphics::RIGHT | DGraphics::HCENTER, 0, 40, 50, 10, 7},
      {0, 6, 50, 50, 7, 10},
      {DGraphics::BASELINE, 0, 50, 50, 10, 7},
  };
  for (const Case& c : cases) {
    DImagePtr canvas = DImage::createMutableImage(100, 100);
    canvas->getGraphics()->drawImage(source, 50, 50, c.anchor, c.transform);
    EXPECT_EQ(pixel(canvas, c.left, c.top), 0) << c.anchor;
    EXPECT_EQ(pixel(canvas, c.left + c.width - 1, c.top + c.height - 1), 0) << c.anchor;
    EXPECT_EQ(pixel(canvas, c.left - 1, c.top), kWhite) << c.anchor;
    EXPECT_EQ(pixel(canvas, c.left, c.top + c.height), kWhite) << c.anchor;
    EXPECT_EQ(shelltest::count(pixels(canvas), 0), 70) << c.anchor;
  }
}

TEST(DGraphics, KeyPixelsAreSkippedUnlessDrawnOpaque) {
  DImagePtr source = picture3x2();
  *pixels(source).at(1, 0) = DImage::kKeyColour;
  for (int transform : {0, 2}) {
    DImagePtr canvas = DImage::createMutableImage(3, 2);
    canvas->getGraphics()->drawImage(source, 0, 0, 0, transform);
    EXPECT_EQ(pixel(canvas, 1, 0), kWhite);
    canvas->getGraphics()->drawImageOpaque(source, 0, 0, 0, transform);
    EXPECT_EQ(pixel(canvas, 1, 0), DImage::kKeyColour);
  }
  EXPECT_EQ(source->rasterSurface()->key, DImage::kKeyColour);
  DImagePtr canvas = DImage::createMutableImage(3, 2);
  EXPECT_THROWS_CODE(Code::NullPointerException, canvas->getGraphics()->drawImage(nullptr, 0, 0, 0));
}

TEST(DGraphics, StringAnchorsShiftTheSamePixels) {
  DFontPtr font = DFont::getDefaultFont();
  const int width = font->stringWidth(u"Hg");
  auto draw = [](int x, int y, int anchor) {
    DImagePtr canvas = DImage::createMutableImage(60, 40);
    DGraphicsPtr g = canvas->getGraphics();
    g->setColor(0);
    g->drawString(u"Hg", x, y, anchor);
    return shelltest::checksum(pixels(canvas));
  };
  const uint32_t topLeft = draw(10, 5, 0);
  EXPECT_NE(topLeft, draw(11, 5, 0));
  EXPECT_EQ(topLeft, draw(10, 5, DGraphics::TOP | DGraphics::LEFT));
  EXPECT_EQ(topLeft, draw(10 + width, 5 + font->height, DGraphics::RIGHT | DGraphics::BOTTOM));
  EXPECT_EQ(topLeft, draw(10 + width / 2, 5 + font->height / 2, DGraphics::HCENTER | DGraphics::VCENTER));
  EXPECT_EQ(topLeft, draw(10, 5 + font->baseline, DGraphics::BASELINE));

  DImagePtr canvas = DImage::createMutableImage(60, 40);
  DGraphicsPtr g = canvas->getGraphics();
  g->setColor(0);
  EXPECT_EQ(g->drawChar(u'H', 0, 0), font->charWidth(u'H'));
  EXPECT_GT(shelltest::count(pixels(canvas), 0), 0);
  EXPECT_THROWS_CODE(Code::NullPointerException, g->drawString(nullptr, 0, 0, 0));
}

TEST(DGraphics, DrawRgbConvertsAndBlendsWithItsRounding) {
  struct Case {
    uint16_t target;
    uint32_t argb;
    bool alpha;
    uint16_t expected;
  } cases[] = {
      {0x8500, 0x00FFFFFF, true, (15 << 11) | (39 << 5)},  // alpha 0 lowers each non-zero channel by one
      {0x0000, 0xFF00FF00, true, 62 << 5},                 // full alpha, green 255 gives 62
      {DImage::kKeyColour, 0xFF123456, true, DImage::kKeyColour},
      {0x0000, 0x80FFFFFF, true, 0x7BEF},
      {0x0000, 0x00FFFFFF, false, 0xFFFF},  // alpha ignored
      {0x0000, 0x12345678, false, 0x32AF},
  };
  for (const Case& c : cases) {
    DImagePtr canvas = DImage::createMutableImage(1, 1);
    *pixels(canvas).at(0, 0) = c.target;
    canvas->getGraphics()->drawRGB(new DintArray(1, static_cast<int32_t>(c.argb)), 0, 1, 0, 0, 1, 1, c.alpha);
    EXPECT_EQ(pixel(canvas, 0, 0), c.expected) << std::hex << c.argb;
  }
}

TEST(DGraphics, DrawRgbClipsByMovingTheOffset) {
  // A 4 x 3 array of grey levels 0..11 drawn at (-1, -1) into a 3 x 2 clip at the corner.
  DintArrayPtr data = new DintArray(12);
  for (int i = 0; i < 12; ++i) (*data)[i] = i << 3;  // blue 0..11 after the shift
  DImagePtr canvas = DImage::createMutableImage(4, 3);
  DGraphicsPtr g = canvas->getGraphics();
  g->setClip(0, 0, 3, 2);
  g->drawRGB(data, 0, 4, -1, -1, 4, 3, false);
  EXPECT_EQ(pixel(canvas, 0, 0), 5);
  EXPECT_EQ(pixel(canvas, 2, 0), 7);
  EXPECT_EQ(pixel(canvas, 0, 1), 9);
  EXPECT_EQ(pixel(canvas, 2, 1), 11);
  EXPECT_EQ(pixel(canvas, 3, 0), kWhite);
  EXPECT_EQ(pixel(canvas, 0, 2), kWhite);
}

TEST(DGraphics, DrawRgbRefusesAreasOutsideTheArray) {
  DImagePtr canvas = DImage::createMutableImage(8, 8);
  DGraphicsPtr g = canvas->getGraphics();
  struct Case {
    int length, offset, scan, width, height;
    uint32_t code;
  } cases[] = {
      {16, 0, 4, 4, 4, 0},
      {16, 1, 4, 4, 4, Code::ArrayIndexOutOfBoundsException},
      {16, -1, 4, 2, 2, Code::ArrayIndexOutOfBoundsException},
      {16, 0, 5, 4, 4, Code::ArrayIndexOutOfBoundsException},
      {16, 12, -4, 4, 4, 0},
      {16, 8, -4, 4, 4, Code::ArrayIndexOutOfBoundsException},
      {16, 100, 4, 0, 4, 0},  // nothing to draw, nothing read
  };
  for (const Case& c : cases) {
    EXPECT_THROWS_CODE(c.code, g->drawRGB(new DintArray(c.length), c.offset, c.scan, 0, 0, c.width, c.height, true))
        << c.offset << " scan " << c.scan;
  }
  EXPECT_THROWS_CODE(Code::NullPointerException, g->drawRGB(nullptr, 0, 1, 0, 0, 1, 1, false));
}

// The river of the canyon game scrolls by drawing its picture into itself: every shift, plain or keyed,
// turned or not, comes out as if the picture had been copied through a second one first.
TEST(DGraphics, AnImageDrawnOntoItselfMovesLikeACopyOfIt) {
  struct Case {
    int x, y, transform;
    bool opaque;
  } cases[] = {
      {0, -1, 0, true},  {0, 1, 0, true},  {-1, 0, 0, true}, {1, 0, 0, true},   {2, 1, 0, true},
      {-3, -2, 0, true}, {0, 1, 0, false}, {1, 0, 0, false}, {5, 0, 0, false},  {-1, 0, 0, false},
      {0, -1, 0, false}, {1, 1, 2, true},  {0, 0, 5, true},  {1, -1, 6, false}, {0, 0, 3, true},
  };
  for (const Case& c : cases) {
    // 13 columns, so the keyed row copy runs through both its wide and its single-pixel part.
    DImagePtr moved = DImage::createMutableImage(13, 6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 13; ++x) *pixels(moved).at(x, y) = static_cast<uint16_t>(y * 13 + x + 1);
    *pixels(moved).at(4, 2) = DImage::kKeyColour;
    *pixels(moved).at(9, 3) = DImage::kKeyColour;
    DImagePtr expected = DImage::createTransformedImage(moved, DGraphics::TRANS_NONE);
    DImagePtr spare = DImage::createTransformedImage(moved, DGraphics::TRANS_NONE);

    auto draw = [&](const DImagePtr& target, const DImagePtr& source) {
      DGraphicsPtr g = target->getGraphics();
      if (c.opaque) {
        g->drawImageOpaque(source, c.x, c.y, 0, c.transform);
      } else {
        g->drawImage(source, c.x, c.y, 0, c.transform);
      }
    };
    draw(expected, spare);
    draw(moved, moved);
    EXPECT_EQ(shelltest::checksum(pixels(moved)), shelltest::checksum(pixels(expected)))
        << "by " << c.x << "," << c.y << " transform " << c.transform << (c.opaque ? " opaque" : " keyed");
  }
}
