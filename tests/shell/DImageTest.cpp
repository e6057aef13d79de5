// Images: mutable and transformed images, and images by name from files and from the archive.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "platform/host/paths.h"
#include "shell/Pictures.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "support/Archives.h"
#include "support/Exceptions.h"
#include "support/TempFolder.h"

using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace Code = nuv::lang::ExceptionCode;

namespace {

uint16_t pixel(const DImagePtr& image, int x, int y) { return *image->rasterSurface()->surface->at(x, y); }

// A 3 x 2 RGB picture: red, green, blue / white, black, magenta.
std::string pictureBytes() {
  shelltest::PngContent content{
      3, 2, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0, 255}};
  std::vector<uint8_t> png = shelltest::makePng(content);
  return std::string(png.begin(), png.end());
}

void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class DImageFiles : public ::testing::Test {
 protected:
  void SetUp() override { platform::setProgramFile(folder.file("glimmerhut")); }
  void TearDown() override {
    nuv::io::D7zipInputStream::closeArchive();
    platform::setProgramFile("");
  }
  test::TempFolder folder;
};

}  // namespace

TEST(DImage, MutableImagesStartWhiteAndKeyedPixelsDrawTransparent) {
  DImagePtr image = DImage::createMutableImage(4, 3);
  EXPECT_TRUE(image->isMutable());
  EXPECT_EQ(image->getWidth(), 4);
  EXPECT_EQ(image->getHeight(), 3);
  EXPECT_EQ(image->rasterSurface()->key, DImage::kKeyColour);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(image, x, y), 0xFFFF);

  image->getGraphics()->setColor(0xFF00FF);
  DImagePtr sprite = DImage::createMutableImage(2, 1);
  auto g = sprite->getGraphics();
  g->setColor(0xFF00FF);
  g->fillRect(0, 0, 0, 0);  // pixel (0, 0) in the key colour
  DImagePtr canvas = DImage::createMutableImage(2, 1);
  auto c = canvas->getGraphics();
  c->setColor(0);
  c->fillRect(0, 0, 1, 0);
  c->drawImage(sprite, 0, 0, 0);
  EXPECT_EQ(pixel(canvas, 0, 0), 0);
  EXPECT_EQ(pixel(canvas, 1, 0), 0xFFFF);

  EXPECT_THROWS_CODE(Code::IllegalArgumentException, DImage::createMutableImage(-1, 3));
}

TEST(DImage, TransformedImagesTurnTheSourceWithoutChangingIt) {
  DImagePtr source = DImage::createMutableImage(3, 2);
  for (int i = 0; i < 6; ++i) *source->rasterSurface()->surface->at(i % 3, i / 3) = static_cast<uint16_t>(i + 1);
  struct Case {
    int transform, width, height;
    uint16_t topRow[3];
  } cases[] = {
      {0, 3, 2, {1, 2, 3}}, {2, 3, 2, {3, 2, 1}}, {3, 3, 2, {6, 5, 4}},
      {5, 2, 3, {4, 1, 0}}, {6, 2, 3, {3, 6, 0}}, {1, 3, 2, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    DImagePtr turned = DImage::createTransformedImage(source, c.transform);
    ASSERT_EQ(turned->getWidth(), c.width) << c.transform;
    ASSERT_EQ(turned->getHeight(), c.height) << c.transform;
    for (int x = 0; x < c.width; ++x) EXPECT_EQ(pixel(turned, x, 0), c.topRow[x]) << c.transform;
    EXPECT_TRUE(turned->isMutable());
    EXPECT_EQ(turned->rasterSurface()->key, DImage::kKeyColour);
  }
  EXPECT_EQ(pixel(source, 0, 0), 1);
  EXPECT_THROWS_CODE(Code::NullPointerException, DImage::createTransformedImage(nullptr, 0));
}

TEST_F(DImageFiles, PicturesBesideTheProgramAreFoundWithEitherSeparator) {
  std::filesystem::create_directories(folder.file("graphics"));
  writeFile(folder.file("graphics/x.png"), pictureBytes());
  for (const char16_t* name : {u"graphics/x.png", u"/graphics/x.png", u"graphics\\x.png"}) {
    DImagePtr image = DImage::createImage(name, 0);
    ASSERT_FALSE(image.isNull());
    EXPECT_FALSE(image->isMutable());
    EXPECT_EQ(image->rasterSurface()->key, DImage::kKeyColour);
    EXPECT_EQ(pixel(image, 0, 0), 0xF800);
    EXPECT_EQ(pixel(image, 2, 1), DImage::kKeyColour);
  }
  // Transform 5 of the 3 x 2 picture: a 2 x 3 image whose top-right pixel is the picture's top-left.
  DImagePtr turned = DImage::createImage(u"graphics/x.png", 5);
  EXPECT_EQ(turned->getWidth(), 2);
  EXPECT_EQ(turned->getHeight(), 3);
  EXPECT_EQ(pixel(turned, 1, 0), 0xF800);
  EXPECT_THROWS_CODE(Code::NullPointerException, DImage::createImage(nullptr, 0));
}

TEST_F(DImageFiles, ArchiveEntriesAreFoundByNameAndDamagedOnesRaiseIOException) {
  test::packArchive(folder.file("game.dat"),
                    {{"graphics/x.png", pictureBytes()}, {"graphics/bad.png", "\x89PNG\r\n\x1a\n-not-a-picture"}});
  nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
  DImagePtr image = DImage::createImage(u"/graphics/x.png", 0);
  EXPECT_EQ(pixel(image, 1, 0), 0x07E0);
  EXPECT_THROWS_CODE(Code::IOException, DImage::createImage(u"graphics/bad.png", 0));
  EXPECT_THROWS_CODE(Code::NullPointerException, DImage::createImage(u"graphics/missing.png", 0));
}

namespace {

// A 9 x 7 RGB picture of distinct colours, none of them the key colour; with `keyed`, one pixel is.
std::string opaquePictureBytes(bool keyed) {
  shelltest::PngContent content{9, 7, PNG_COLOR_TYPE_RGB, 8, {}};
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 9; ++x) {
      const bool key = keyed && x == 4 && y == 3;
      content.rows.push_back(key ? 255 : static_cast<uint8_t>(x * 28));
      content.rows.push_back(key ? 0 : static_cast<uint8_t>(40 + y * 30));
      content.rows.push_back(key ? 255 : static_cast<uint8_t>(x * y * 4));
    }
  }
  std::vector<uint8_t> png = shelltest::makePng(content);
  return std::string(png.begin(), png.end());
}

// A canvas with a pattern under where pictures land, so a skipped pixel shows.
DImagePtr patternedCanvas() {
  DImagePtr canvas = DImage::createMutableImage(16, 14);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 16; ++x) *canvas->rasterSurface()->surface->at(x, y) = static_cast<uint16_t>(x * 16 + y + 1);
  return canvas;
}

bool samePixels(const DImagePtr& a, const DImagePtr& b) {
  for (int y = 0; y < a->getHeight(); ++y)
    for (int x = 0; x < a->getWidth(); ++x)
      if (pixel(a, x, y) != pixel(b, x, y)) return false;
  return true;
}

}  // namespace

TEST_F(DImageFiles, PicturesWithoutAKeyPixelDrawAsBeforeWithThePlainCopy) {
  writeFile(folder.file("opaque.png"), opaquePictureBytes(false));
  writeFile(folder.file("keyed.png"), opaquePictureBytes(true));
  DImagePtr opaque = DImage::createImage(u"opaque.png", 0);
  EXPECT_EQ(opaque->rasterSurface()->key, -1);  // marked at decoding: drawn with the plain copy
  EXPECT_EQ(DImage::createImage(u"keyed.png", 0)->rasterSurface()->key, DImage::kKeyColour);
  EXPECT_EQ(DImage::createImage(u"opaque.png", 5)->rasterSurface()->key, -1);
  EXPECT_EQ(DImage::createTransformedImage(opaque, 3)->rasterSurface()->key, -1);

  // As drawn before: the same pixels through the keyed copy, from a mutable image (which keeps its key).
  DImagePtr asBefore = DImage::createMutableImage(9, 7);
  asBefore->getGraphics()->drawImageOpaque(opaque, 0, 0, 0);
  ASSERT_EQ(asBefore->rasterSurface()->key, DImage::kKeyColour);
  struct Place {
    int x, y, anchor;
  } places[] = {{3, 2, 0},
                {-4, -3, 0},
                {12, 10, 0},
                {15, 13, DGraphics::RIGHT | DGraphics::BOTTOM},
                {8, 7, DGraphics::HCENTER | DGraphics::VCENTER}};
  for (int transform = 0; transform < 8; ++transform) {
    for (const Place& p : places) {
      for (bool clipped : {false, true}) {
        DImagePtr drawn = patternedCanvas(), expected = patternedCanvas();
        auto onDrawn = drawn->getGraphics();
        auto onExpected = expected->getGraphics();
        if (clipped) {
          onDrawn->setClip(2, 1, 9, 8);
          onExpected->setClip(2, 1, 9, 8);
        }
        onDrawn->drawImage(opaque, p.x, p.y, p.anchor, transform);
        onExpected->drawImage(asBefore, p.x, p.y, p.anchor, transform);
        EXPECT_TRUE(samePixels(drawn, expected)) << "transform " << transform << " at " << p.x << "," << p.y;
      }
    }
  }

  // Drawn on, the picture may hold key pixels from then on: they are transparent again.
  auto g = opaque->getGraphics();
  g->setColor(0xFF00FF);
  g->fillRect(0, 0, 0, 0);  // pixel (0, 0)
  EXPECT_EQ(opaque->rasterSurface()->key, DImage::kKeyColour);
  DImagePtr canvas = patternedCanvas();
  canvas->getGraphics()->drawImage(opaque, 0, 0, 0);
  EXPECT_EQ(pixel(canvas, 0, 0), 1);
  EXPECT_EQ(pixel(canvas, 1, 0), pixel(opaque, 1, 0));
}
