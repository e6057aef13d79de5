// System fonts: the shared cache, pixel heights from the screen's dpi, widths and glyph masks.
#include <gtest/gtest.h>

#include <memory>

#include "core/lang/DString.h"
#include "platform/device/device.h"
#include "shell/CGameEngine.h"
#include "shell/lcdui/DFont.h"
#include "support/Exceptions.h"

using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DCharMaskPtr;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DFontPtr;

namespace {

class DFontTest : public ::testing::Test {
 protected:
  void SetUp() override { DFont::releaseCache(); }
  void TearDown() override {
    DFont::releaseCache();
    platform::setDevice(saved_);
  }
  void useScreen(int width, int height) {
    platform::Device d = saved_;
    d.screenWidth = width;
    d.screenHeight = height;
    platform::setDevice(d);
  }

 private:
  platform::Device saved_ = platform::device();
};

}  // namespace

TEST_F(DFontTest, TheCacheSharesOneFontPerFaceStyleAndHeight) {
  DFontPtr a = DFont::getDefaultFont();
  DFontPtr b = DFont::getFont(0, 0, 8);
  EXPECT_EQ(a.get(), b.get());
  EXPECT_NE(DFont::getFont(0, 1, 0).get(), DFont::getFont(0, 0, 0).get());
  EXPECT_NE(DFont::getFont(32, 0, 0).get(), DFont::getFont(0, 0, 0).get());
  DFont::releaseCache();
  EXPECT_NE(DFont::getDefaultFont().get(), a.get());
  EXPECT_EQ(a->getFace(), 0);
}

TEST_F(DFontTest, PixelHeightsFollowTheScreensDpi) {
  struct Case {
    int width, height, size, expected;
  } cases[] = {
      {240, 320, DFont::SIZE_MEDIUM, -14}, {240, 320, DFont::SIZE_SMALL, -12},
      {240, 320, DFont::SIZE_LARGE, -17},  {240, 320, 3, 13},
      {480, 640, DFont::SIZE_MEDIUM, -29}, {480, 640, DFont::SIZE_LARGE, -34},
  };
  for (const Case& c : cases) {
    useScreen(c.width, c.height);
    EXPECT_EQ(DFont::getPixelHeight(c.size), c.expected) << c.width << " size " << c.size;
  }
}

TEST_F(DFontTest, MetricsAndWidthsComeFromThePlatformFont) {
  for (int face : {DFont::FACE_SYSTEM, DFont::FACE_MONOSPACE, DFont::FACE_PROPORTIONAL, 7}) {
    DFontPtr font = DFont::getFont(face, 0, DFont::SIZE_MEDIUM);
    EXPECT_GE(font->height, 14) << face;
    EXPECT_EQ(font->height, font->baseline + font->descent) << face;
    EXPECT_EQ(font->stringWidth(u""), 0);
    EXPECT_EQ(font->stringWidth(u"iW"), font->charWidth(u'i') + font->charWidth(u'W'));
  }
  EXPECT_LT(DFont::getFont(0, 0, 0)->charWidth(u'i'), DFont::getFont(0, 0, 0)->charWidth(u'W'));
  EXPECT_EQ(DFont::getFont(32, 0, 0)->charWidth(u'i'), DFont::getFont(32, 0, 0)->charWidth(u'W'));
  EXPECT_GT(DFont::getFont(0, DFont::STYLE_BOLD, 0)->stringWidth(u"mmmm"),
            DFont::getFont(0, 0, 0)->stringWidth(u"mmmm"));
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::NullPointerException, DFont::getDefaultFont()->stringWidth(nullptr));
}

TEST_F(DFontTest, MasksAreInkOnlyWhereTheGlyphIsAndStayCached) {
  DFontPtr font = DFont::getFont(0, 0, 0);
  DCharMaskPtr space = font->getCharMask(u' ');
  ASSERT_FALSE(space.isNull());
  EXPECT_GT(space->width, 0);
  EXPECT_EQ(space->height, font->height);
  for (int r = 0; r < space->height; ++r)
    for (int c = 0; c < space->width; ++c) EXPECT_EQ(space->row(r)[c], 0);

  DCharMaskPtr w = font->getCharMask(u'W');
  int ink = 0;
  for (int r = 0; r < w->height; ++r)
    for (int c = 0; c < w->width; ++c) {
      EXPECT_TRUE(w->row(r)[c] == 0 || w->row(r)[c] == 0xFF);
      ink += w->row(r)[c] == 0xFF;
    }
  EXPECT_GT(ink, 10);
  // The top row lies above the capital and the bottom rows below the baseline.
  for (int c = 0; c < w->width; ++c) EXPECT_EQ(w->row(w->height - 1)[c], 0);
  EXPECT_EQ(font->getCharMask(u'W').get(), w.get());
}

TEST_F(DFontTest, GlyphsOfEverySizeAndStyleRenderInsideTheirMasks) {
  // Large, bold italic and underlined glyphs on a high-resolution screen: the sanitizer checks the bounds.
  useScreen(480, 640);
  for (int style : {0, 1, 2, 3, 4, 7}) {
    for (int size : {DFont::SIZE_SMALL, DFont::SIZE_MEDIUM, DFont::SIZE_LARGE}) {
      DFontPtr font = DFont::getFont(DFont::FACE_SYSTEM, style, size);
      EXPECT_GT(font->stringWidth(u"Wg@\u00e9\u4e2d"), 0);
    }
  }
}

TEST_F(DFontTest, PixelDoublingAsksForFourFifthsOfTheHeight) {
  useScreen(480, 640);
  auto engine = std::make_unique<CGameEngine>();
  engine->pixelDoubling = true;
  // At 96 dpi a medium font would ask for -14 and get -11; at 192 dpi -29 becomes -23.
  EXPECT_EQ(DFont::getPixelHeight(DFont::SIZE_MEDIUM), -23);
  EXPECT_EQ(DFont::getPixelHeight(3), 10);
  engine.reset();
  EXPECT_EQ(DFont::getPixelHeight(DFont::SIZE_MEDIUM), -29);
  useScreen(240, 320);
  engine = std::make_unique<CGameEngine>();
  engine->pixelDoubling = true;
  EXPECT_EQ(DFont::getPixelHeight(DFont::SIZE_MEDIUM), -11);
}
