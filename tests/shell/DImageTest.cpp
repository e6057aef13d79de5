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
  shelltest::PngSpec spec{
      3, 2, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0, 255}};
  std::vector<uint8_t> png = shelltest::makePng(spec);
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
