// Bitmap fonts made with the font metrics writer: loading pages, measuring, drawing with anchors, and
// breaking text into lines.
#include <gtest/gtest.h>

#include "Fonts.h"
#include "TextTables.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/ImageFont.h"
#include "gamelib/Pictures.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GameLib;
using gamelib::ImageFont;
using gamelib::ImageFontPtr;
using gltest::canvasPixel;
using gltest::countCanvasPixels;
using gltest::narrow;
using nuv::lang::DStringPtr;

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kBlue = 0x001F;

// One page: glyphs side by side, each a solid block of its colour (the key colour for none).
datakit::FontPage page(std::u16string chars, std::vector<int> widths, std::vector<datakit::Rgb> colours, int height) {
  int total = 0;
  for (int w : widths) total += w;
  datakit::FontPage p;
  p.picture = datakit::Image(total, height);
  int x = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    p.picture.fillRect(x, 0, widths[i], height, colours[i]);
    x += widths[i];
  }
  p.chars = std::move(chars);
  p.widths = std::move(widths);
  return p;
}

std::string metrics(const datakit::FontPage& p) {
  datakit::Bytes bytes = datakit::writeFontMetrics(p);
  return std::string(bytes.begin(), bytes.end());
}

void addPage(test::ArchiveFiles& files, const std::string& prefix, int number, const datakit::FontPage& p) {
  files[prefix + "/font_" + std::to_string(number) + ".png"] = gltest::png(p.picture);
  files[prefix + "/font_" + std::to_string(number)] = metrics(p);
}

constexpr datakit::Rgb kKey = datakit::kKeyColour;

class ImageFontTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    // "colour": space 3, A 2 red, B 4 green on page 0 (5 high); c 3 blue on page 1 (7 high).
    datakit::FontPage p0 = page(u" AB", {3, 2, 4}, {kKey, 0xFF0000, 0x00FF00}, 5);
    datakit::FontPage p1 = page(u"c", {3}, {0x0000FF}, 7);
    // "mono": a space and A to J, each one pixel wide.
    datakit::FontPage mono = page(u" ABCDEFGHIJ", std::vector<int>(11, 1), std::vector<datakit::Rgb>(11, 0xFFFFFF), 3);
    test::ArchiveFiles files;
    addPage(files, "f/colour", 0, p0);
    addPage(files, "f/colour", 1, p1);
    addPage(files, "f/mono", 0, mono);
    // "gap": pages 0 and 2; "cut": page 1's metrics end early.
    addPage(files, "f/gap", 0, p0);
    addPage(files, "f/gap", 2, p1);
    addPage(files, "f/cut", 0, p0);
    addPage(files, "f/cut", 1, page(u"cd", {3, 3}, {0x0000FF, 0x0000FF}, 7));
    std::string cut = files["f/cut/font_1"];
    files["f/cut/font_1"] = cut.substr(0, cut.size() - 2);
    openArchive(files);
  }
  ImageFontPtr font(const char16_t* name, bool upper = true, int32_t spacing = 0) {
    ImageFontPtr f = new ImageFont();
    f->upperCase = upper;
    f->spacing = spacing;
    f->load(name);
    return f;
  }
  void clear() {
    GameLib::graphics->setClip(0, 0, 240, 320);
    GameLib::graphics->setColor(0);
    GameLib::graphics->fillRect(0, 0, 240, 320);
  }
};

TEST_F(ImageFontTest, PagesLoadFromZeroAndStopCountingAtAGap) {
  struct Case {
    const char16_t* name;
    int32_t pages;
    int32_t height;
  } cases[] = {{u"f/colour", 2, 5}, {u"f/mono", 1, 3}, {u"f/gap", 2, 5}};
  for (const Case& c : cases) {
    ImageFontPtr f = font(c.name);
    EXPECT_EQ(f->pageCount, c.pages) << narrow(DStringPtr(c.name));
    EXPECT_EQ(f->getHeight(), c.height) << narrow(DStringPtr(c.name));
  }
  // Metrics that end early are damage to the page, reported by name.
  EXPECT_THROWS_MESSAGE_STARTING("game.dat: f/cut/font_1: ", font(u"f/cut"));
  ImageFontPtr none = font(u"f/absent");
  EXPECT_EQ(none->pageCount, 0);
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::NullPointerException, none->getHeight());
}

// One damaged byte of a page's metrics is refused with the page's name, whatever it changes; before, a count
// of 0x80 to 0xFF read as a negative number and "loaded" a page without glyphs that failed at its first text.
TEST_F(ImageFontTest, DamagedMetricsAreRefusedWithThePagesName) {
  // " AB" of widths 3, 2, 4 on a picture 9 wide: the count at 0, glyph g's length at 1 + 4g, its width at 4 + 4g.
  const datakit::FontPage good = page(u" AB", {3, 2, 4}, {kKey, 0xFF0000, 0x00FF00}, 5);
  const std::string metricsBytes = metrics(good);
  ASSERT_EQ(metricsBytes.size(), 13u);
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
    const char* why;
  } cases[] = {
      {"a count of 255", 0, 0xFF, "the table ends before its last glyph"},
      {"a count of 128", 0, 0x80, "the table ends before its last glyph"},
      {"a count of 4", 0, 0x04, "the table ends before its last glyph"},
      {"a count of 2", 0, 0x02, "bytes after the last glyph"},
      {"a count of 0", 0, 0x00, "bytes after the last glyph"},
      {"a width of -2", 8, 0xFE, "a glyph has a negative width"},
      {"a width past the picture", 12, 0x05, "the glyphs run past the page's picture"},
      {"a width of 127", 4, 0x7F, "the glyphs run past the page's picture"},
      {"a character two bytes long", 2, 0x02, "a glyph is not one character"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string damaged = metricsBytes;
    damaged[c.offset] = static_cast<char>(c.value);
    openArchive({{"f/dmg/font_0.png", gltest::png(good.picture)}, {"f/dmg/font_0", damaged}});
    EXPECT_EQ(test::thrownMessage([&] { font(u"f/dmg"); }), std::string("game.dat: f/dmg/font_0: ") + c.why);
  }
  // The count is a byte without sign: pages of 130 glyphs, and of 255, the most a count can say, one pixel
  // each, load whole.
  for (int count : {1, 127, 128, 130, 255}) {
    SCOPED_TRACE(count);
    datakit::Bytes many{static_cast<uint8_t>(count)};
    std::u16string characters;
    for (char16_t c = u'\u0100'; c < u'\u0100' + count; ++c) {
      datakit::appendUtf(many, std::u16string(1, c));
      many.push_back(1);
      characters.push_back(c);
    }
    openArchive({{"f/many/font_0.png", gltest::png(datakit::Image(count, 2))},
                 {"f/many/font_0", std::string(many.begin(), many.end())}});
    ImageFontPtr f = font(u"f/many", false);
    EXPECT_EQ(f->pageCount, 1);
    EXPECT_EQ(f->stringWidth(characters.c_str()), count);
  }
}

TEST_F(ImageFontTest, MeasuringSumsGlyphsAndSpacingAndSkipsUnknownCharacters) {
  struct Case {
    bool upper;
    int32_t spacing;
    const char16_t* text;
    int32_t width;
  } cases[] = {
      {true, 0, u"AB", 6},
      {true, 0, u"ab", 6},
      {false, 0, u"ab", 0},
      {true, 0, u"A B", 9},
      {true, 1, u"A B", 12},
      {true, 0, u"abc", 9},
      {false, 0, u"Ac", 5},
      {true, 0, u"xyz?", 0},
      {true, 0, u"", 0},
      {true, 2, u"A?B", 10},
      // The no-break spaces are the space, though no page holds them.
      {true, 0, u"A\u00A0B", 9},
      {true, 1, u"A\u202FB", 12},
      {false, 0, u"\u00A0\u00A0", 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(font(u"f/colour", c.upper, c.spacing)->stringWidth(c.text), c.width)
        << narrow(DStringPtr(c.text)) << " upper " << c.upper << " spacing " << c.spacing;
  }
  // A gap in the pages ends the lookup there; the pages before it still serve.
  ImageFontPtr gap = font(u"f/gap");
  EXPECT_EQ(gap->stringWidth(u"c"), 0);
  EXPECT_EQ(gap->stringWidth(u"cab"), 6);
}

TEST_F(ImageFontTest, DrawingPlacesGlyphsByTheAnchorAndKeepsTheClip) {
  struct Case {
    int32_t anchor;
    int32_t left, top;  // where the text lands for the point (50, 60)
  } cases[] = {
      {0, 50, 60},  {20, 50, 60},    {1 | 16, 47, 60}, {8 | 16, 44, 60}, {1 | 32, 47, 55},
      {64, 50, 58}, {2 | 4, 50, 58}, {2 | 64, 50, 56}, {9 | 16, 41, 60},
  };
  ImageFontPtr f = font(u"f/colour");
  for (const Case& c : cases) {
    clear();
    GameLib::graphics->setClip(1, 2, 230, 300);
    f->drawString(GameLib::graphics, u"ab", 50, 60, c.anchor);
    EXPECT_EQ(countCanvasPixels(kRed), 10) << c.anchor;
    EXPECT_EQ(countCanvasPixels(kGreen), 20) << c.anchor;
    EXPECT_EQ(canvasPixel(c.left, c.top), kRed) << c.anchor;
    EXPECT_EQ(canvasPixel(c.left + 2, c.top + 4), kGreen) << c.anchor;
    EXPECT_EQ(canvasPixel(c.left - 1, c.top), 0) << c.anchor;
    EXPECT_EQ(GameLib::graphics->getClipX(), 1);
    EXPECT_EQ(GameLib::graphics->getClipHeight(), 300);
  }
  // Spaces and spacing advance; unknown characters do not; page 1's glyphs are as high as its picture.
  clear();
  font(u"f/colour", true, 1)->drawStringOnScreen(u"a?c b", 0, 0, 20);
  EXPECT_EQ(canvasPixel(0, 0), kRed);
  EXPECT_EQ(canvasPixel(3, 6), kBlue);
  EXPECT_EQ(canvasPixel(6, 0), 0);
  EXPECT_EQ(canvasPixel(10, 0), 0);
  EXPECT_EQ(canvasPixel(11, 0), kGreen);
  EXPECT_EQ(countCanvasPixels(kBlue), 21);
  // A no-break space advances as the space does.
  clear();
  font(u"f/colour")->drawStringOnScreen(u"a\u00A0b\u202Fb", 0, 0, 20);
  EXPECT_EQ(canvasPixel(1, 0), kRed);
  EXPECT_EQ(canvasPixel(4, 0), 0);
  EXPECT_EQ(canvasPixel(5, 0), kGreen);
  EXPECT_EQ(canvasPixel(9, 0), 0);
  EXPECT_EQ(canvasPixel(12, 0), kGreen);
  EXPECT_EQ(countCanvasPixels(kGreen), 40);
  // Nothing drawable draws nothing.
  clear();
  f->drawString(GameLib::graphics, u"xyz", 5, 5, 0);
  EXPECT_EQ(countCanvasPixels(0), 240 * 320);
}

TEST_F(ImageFontTest, SplitLinesBreaksAtSpacesAndLineFeeds) {
  struct Case {
    const char16_t* text;
    int32_t maxWidth;
    std::vector<const char*> lines;
  } cases[] = {
      {u"", 5, {""}},
      {u"AB CD EF", 5, {"AB CD", "EF"}},
      {u"AB CD", 2, {"AB", "CD"}},
      {u"ABCDEFGHIJ", 3, {"ABCDEFGHIJ"}},
      {u"ABCDEFG HI", 3, {"ABCDEFG", "HI"}},
      {u"A\nB\n\nC", 100, {"A", "B", "", "C"}},
      {u"A B C", 100, {"A B C"}},
      {u"A\n", 100, {"A", ""}},
      {u"AB CD\nEF GH IJ", 5, {"AB CD", "EF GH", "IJ"}},
      // A no-break space ("mot :" in French) joins its words and takes a space's room.
      {u"AB\u00A0CD EF", 5, {"AB CD", "EF"}},
      {u"AB CD\u00A0EF", 5, {"AB", "CD EF"}},
      {u"A\u00A0B C", 4, {"A B", "C"}},
      {u"A\u202FB C", 4, {"A B", "C"}},
      {u"AB\u00A0CD", 3, {"AB CD"}},
  };
  ImageFontPtr f = font(u"f/mono");
  for (const Case& c : cases) {
    nuv::lang::DStringArrayPtr lines = f->splitLines(c.maxWidth, c.text);
    std::vector<std::string> got;
    // The no-break spaces show as spaces here.
    for (int32_t i = 0; i < lines->length; ++i) {
      std::u16string line((*lines)[i]->view());
      for (char16_t& ch : line)
        if (ch == u'\u00A0' || ch == u'\u202F') ch = u' ';
      got.push_back(narrow(DStringPtr(new nuv::lang::DString(std::u16string_view(line)))));
    }
    EXPECT_EQ(got, std::vector<std::string>(c.lines.begin(), c.lines.end())) << narrow(DStringPtr(c.text));
  }
}

}  // namespace
