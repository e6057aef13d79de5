// PNG and JPEG decoding: colour conversion, the transparency rule, damaged input and files in place.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/host/paths.h"
#include "platform/host/text.h"
#include "shell/Pictures.h"
#include "shell/raster/ImageDecoder.h"
#include "support/TempFolder.h"

using Raster::ImageDecoder;
using shelltest::makeJpeg;
using shelltest::makePng;
using shelltest::PngContent;

namespace {

std::unique_ptr<Raster::RasterSurface> decode(const std::vector<uint8_t>& bytes) {
  return ImageDecoder::decodeMemory(bytes.data(), bytes.data() + bytes.size());
}

// A 4 x 1 palette picture: index 3 fully transparent, index 2 half transparent.
PngContent palettePicture() {
  PngContent content;
  content.width = 4;
  content.height = 1;
  content.colourType = PNG_COLOR_TYPE_PALETTE;
  content.rows = {0, 1, 2, 3};
  content.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
  content.alphas = {255, 255, 128, 0};
  return content;
}

}  // namespace

TEST(ImageDecoder, PngFormatsComeOutAsRgb565WithTheKeyRule) {
  struct Case {
    const char* name;
    PngContent content;
    std::vector<uint16_t> expected;
  };
  PngContent rgb{3, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 255, 8, 4, 8, 255, 255, 255}};
  PngContent rgba{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {255, 0, 0, 0, 0, 0, 255, 7}};
  PngContent grey{2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x80, 0xFF}};
  PngContent grey2{4, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1B}};  // samples 0, 1, 2, 3 scale to 0, 85, 170, 255
  PngContent greyAlpha{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0xFF, 0x00}};
  PngContent deep{
      2, 1, PNG_COLOR_TYPE_RGB, 16, {0xFF, 0x01, 0x00, 0x02, 0x80, 0x03, 0x00, 0x00, 0x10, 0x00, 0xFF, 0xFF}};
  const Case cases[] = {
      {"palette with transparent index", palettePicture(), {0xF800, 0x07E0, 0x001F, 0xF81F}},
      {"RGB with magenta", rgb, {0xF81F, 0x0821, 0xFFFF}},
      {"RGBA ignores alpha", rgba, {0xF800, 0x001F}},
      {"grey", grey, {0x8410, 0xFFFF}},
      {"grey at 2 bits", grey2, {0x0000, 0x52AA, 0xAD55, 0xFFFF}},
      {"grey with alpha", greyAlpha, {0xFFFF}},
      {"16-bit samples", deep, {0xF810, 0x009F}},
  };
  for (const Case& c : cases) {
    auto surface = decode(makePng(c.content));
    ASSERT_NE(surface, nullptr) << c.name;
    EXPECT_EQ(surface->key, -1);
    ASSERT_EQ(surface->width(), c.content.width) << c.name;
    ASSERT_EQ(surface->height(), c.content.height) << c.name;
    for (size_t x = 0; x < c.expected.size(); ++x)
      EXPECT_EQ(*surface->surface->at(static_cast<int>(x), 0), c.expected[x]) << c.name << " pixel " << x;
  }
}

TEST(ImageDecoder, JpegDecodesColourAndGreyPictures) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 16 * 16; ++i) rgb.insert(rgb.end(), {200, 100, 40});
  auto colour = decode(makeJpeg(16, 16, rgb, false, 100));
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->width(), 16);
  EXPECT_EQ(colour->height(), 16);
  // Lossy: compare each channel within one step of its 5- or 6-bit value.
  const uint16_t p = *colour->surface->at(7, 9);
  EXPECT_NEAR(p >> 11, 200 >> 3, 1);
  EXPECT_NEAR((p >> 5) & 63, 100 >> 2, 1);
  EXPECT_NEAR(p & 31, 40 >> 3, 1);

  std::vector<uint8_t> grey(8 * 8, 255);
  auto white = decode(makeJpeg(8, 8, grey, true, 100));
  ASSERT_NE(white, nullptr);
  EXPECT_EQ(*white->surface->at(3, 3), 0xFFFF);
}

TEST(ImageDecoder, TruncatedJpegKeepsItsSizeAndEndsAtTheSuppliedMarker) {
  std::vector<uint8_t> rgb(64 * 64 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  std::vector<uint8_t> jpeg = makeJpeg(64, 64, rgb, false, 90);
  jpeg.resize(jpeg.size() * 2 / 3);
  auto surface = decode(jpeg);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->width(), 64);
  EXPECT_EQ(surface->height(), 64);
}

TEST(ImageDecoder, DamagedInputGivesNull) {
  const std::vector<uint8_t> png = makePng(palettePicture());
  std::vector<uint8_t> rgb(32 * 32 * 3, 90);
  const std::vector<uint8_t> jpeg = makeJpeg(32, 32, rgb, false, 80);

  std::vector<uint8_t> badCrc = png;
  badCrc[40] ^= 0xFF;
  std::vector<uint8_t> hugePng = makePng(PngContent{1, 1, PNG_COLOR_TYPE_GRAY, 8, {0}});
  hugePng[16] = 0x7F;  // width far beyond any picture the program draws; the header CRC is now wrong too
  std::vector<uint8_t> noise(500);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 31 + 7);

  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"seven bytes of PNG signature, taken for JPEG", std::vector<uint8_t>(png.begin(), png.begin() + 7)},
      {"PNG cut in its header", std::vector<uint8_t>(png.begin(), png.begin() + 20)},
      {"PNG cut in its data", std::vector<uint8_t>(png.begin(), png.end() - 20)},
      {"PNG with a damaged chunk", badCrc},
      {"PNG claiming a huge width", hugePng},
      {"JPEG cut in its header", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 30)},
      {"noise", noise},
  };
  for (const auto& c : cases) EXPECT_EQ(decode(c.bytes), nullptr) << c.name;
  EXPECT_EQ(ImageDecoder::decode(nullptr, nullptr), nullptr);
}

// A picture's declared size is checked against the bound before any pixel memory is taken: at most 8192 on
// a side and 2048 x 2048 pixels in all. Before, 8192 x 8192 was taken: 128 MB of surface, and as much again
// for the rows of an interlaced picture or the coefficients of a progressive JPEG.
TEST(ImageDecoder, PicturesLargerThanTheBoundAreRefused) {
  const struct {
    int width, height;
    bool decoded;
  } cases[] = {{2048, 2048, true}, {2049, 2048, false}, {2048, 2049, false}, {8192, 512, true}, {8192, 513, false},
               {512, 8192, true},  {513, 8192, false},  {8193, 1, false},    {1, 8193, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const std::vector<uint8_t> grey(static_cast<size_t>(c.width) * c.height, 0x80);
    const std::vector<uint8_t> png = makePng(PngContent{c.width, c.height, PNG_COLOR_TYPE_GRAY, 8, grey});
    EXPECT_EQ(decode(png) != nullptr, c.decoded);
    EXPECT_EQ(decode(makeJpeg(c.width, c.height, grey, true, 50)) != nullptr, c.decoded);
  }
}

std::vector<uint16_t> pixelsOf(const Raster::RasterSurface& picture) {
  std::vector<uint16_t> pixels;
  for (int32_t y = 0; y < picture.height(); ++y)
    pixels.insert(pixels.end(), picture.surface->row(y), picture.surface->row(y) + picture.width());
  return pixels;
}

TEST(ImageDecoder, KeptDecodesHandEachCallerAPictureOfItsOwn) {
  auto kept = [](const std::vector<uint8_t>& bytes) {
    return ImageDecoder::decodeKept(bytes.data(), bytes.data() + bytes.size());
  };
  // Same size, one sample apart: bytes that differ are never taken for each other.
  const std::vector<uint8_t> a = makePng(PngContent{2, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 0, 255}});
  const std::vector<uint8_t> b = makePng(PngContent{2, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 0, 254}});
  ASSERT_EQ(a.size(), b.size());

  auto first = kept(a);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(pixelsOf(*first), (std::vector<uint16_t>{0xF800, 0x001F}));
  *first->surface->at(0, 0) = 0x1234;  // drawing into one copy leaves the next untouched
  for (const auto* bytes : {&a, &b, &a}) {
    auto again = kept(*bytes);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(pixelsOf(*again), pixelsOf(*decode(*bytes)));
  }
  const std::vector<uint8_t> cut(a.begin(), a.end() - 20);
  EXPECT_EQ(kept(cut), nullptr);
  EXPECT_EQ(kept(cut), nullptr);

  // More large pictures than are kept, twice over: the oldest make way, and each still decodes right.
  std::vector<std::vector<uint8_t>> large;
  for (uint8_t shade = 0; shade < 6; ++shade)
    large.push_back(makePng(PngContent{256, 256, PNG_COLOR_TYPE_GRAY, 8, std::vector<uint8_t>(256 * 256, shade * 40)}));
  for (int round = 0; round < 2; ++round) {
    for (const std::vector<uint8_t>& bytes : large) {
      auto picture = kept(bytes);
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(pixelsOf(*picture), pixelsOf(*decode(bytes)));
    }
  }
}

TEST(ImageDecoder, FilesAreFoundBesideTheProgramOrByFullPath) {
  test::TempFolder folder;
  platform::setProgramFile(folder.file("glimmerhut"));
  const std::vector<uint8_t> png = makePng(palettePicture());
  std::ofstream(folder.file("picture.png"), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));

  auto relative = ImageDecoder::decodeFile(u"picture.png");
  ASSERT_NE(relative, nullptr);
  EXPECT_EQ(relative->width(), 4);
  const std::u16string full = platform::toDevicePath(folder.file("picture.png"));
  EXPECT_NE(ImageDecoder::decodeFile(full.c_str()), nullptr);
  EXPECT_EQ(ImageDecoder::decodeFile(u"missing.png"), nullptr);
  EXPECT_EQ(ImageDecoder::decodeFile(nullptr), nullptr);
  platform::setProgramFile("");
}
