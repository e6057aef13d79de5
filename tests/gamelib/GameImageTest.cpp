// Image tables from the atlas writer: names with transform suffixes, the mapped rectangles, drawing through
// the clip, and animations built from animation lists.
#include <gtest/gtest.h>

#include <functional>

#include "Atlas.h"
#include "TextTables.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/Pictures.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"
#include "support/Exceptions.h"

namespace {

using gamelib::Animation;
using gamelib::AnimationPtr;
using gamelib::GameImage;
using gamelib::GameImagePtr;
using gamelib::GameLib;
using gamelib::TextTable;
using gltest::canvasPixel;
using gltest::countCanvasPixels;
namespace ExceptionCode = nuv::lang::ExceptionCode;

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kBlack = 0x0000;

// An 8 x 4 atlas: "a" a red 3 x 2 block at (0, 0); "b" a 2 x 4 block at (4, 0), blue on its top row and
// green below. The key "b_up" is hidden: asking for "b_up" gives "b" turned.
datakit::Atlas testAtlas() {
  datakit::Atlas atlas;
  atlas.picture = datakit::Image(8, 4);
  atlas.picture.fillRect(0, 0, 3, 2, 0xFF0000);
  atlas.picture.fillRect(4, 0, 2, 4, 0x00FF00);
  atlas.picture.fillRect(4, 0, 2, 1, 0x0000FF);
  atlas.rects = {{"a", 0, 0, 3, 2}, {"b", 4, 0, 2, 4}, {"b_up", 6, 0, 1, 1}};
  return atlas;
}

std::string table(const datakit::Atlas& atlas) {
  datakit::Bytes bytes = datakit::writeAtlasTable(atlas);
  return std::string(bytes.begin(), bytes.end());
}

class GameImageTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    datakit::Atlas atlas = testAtlas();
    datakit::Atlas other;
    other.picture = datakit::Image(4, 4, 0x00FF00);
    other.rects = {{"c", 0, 0, 4, 4}};
    std::vector<datakit::TextEntry> anims = {{"walk", u"a;b;b_dn", 0}, {"gap", u"a;nothing;b", 0}};
    datakit::Bytes animBytes = datakit::writePlainTable(anims, "anim");
    openArchive({{"graphics/s/t/all.txt", table(atlas)},
                 {"graphics/s/t/all.png", gltest::png(atlas.picture)},
                 {"graphics/s/t/anim.txt", std::string(animBytes.begin(), animBytes.end())},
                 {"graphics/s/u/all.txt", table(other)},
                 {"graphics/s/u/all.png", gltest::png(other.picture)},
                 {"graphics/s/w/all.txt", "a;0;0;3\r\n"},
                 {"graphics/s/w/all.png", gltest::png(atlas.picture)}});
    setPath(u"s/");
    GameImage::loadImageTable(u"t/all");
    clear();
  }
  void clear() {
    GameLib::graphics->setClip(0, 0, 240, 320);
    GameLib::graphics->setColor(0);
    GameLib::graphics->fillRect(0, 0, 240, 320);
  }
};

TEST_F(GameImageTest, SuffixesTurnTheRectangleInTheAtlas) {
  EXPECT_EQ(GameImage::atlasWidth, 8);
  EXPECT_EQ(GameImage::atlasHeight, 4);
  struct Case {
    const char16_t* name;
    int32_t x, y, w, h, transform;
  } cases[] = {
      {u"b", 4, 0, 2, 4, 0},    {u"b_mr", 2, 0, 2, 4, 2}, {u"b_lv", 4, 0, 2, 4, 3},
      {u"b_dn", 0, 4, 4, 2, 5}, {u"b_up", 0, 2, 4, 2, 6}, {u"a", 0, 0, 3, 2, 0},
  };
  for (const Case& c : cases) {
    GameImagePtr image = GameImage::create(c.name);
    ASSERT_FALSE(image.isNull()) << gltest::narrow(nuv::lang::DStringPtr(c.name));
    EXPECT_EQ((std::vector<int32_t>{image->x, image->y, image->w, image->h, image->transform}),
              (std::vector<int32_t>{c.x, c.y, c.w, c.h, c.transform}))
        << gltest::narrow(nuv::lang::DStringPtr(c.name));
  }
  EXPECT_TRUE(GameImage::create(u"c").isNull());
}

TEST_F(GameImageTest, DrawingShowsOnlyTheRectangleTurnedAndKeepsTheClip) {
  // Where the blue top row of "b" lands, relative to the drawing position, for each turn.
  struct Case {
    const char16_t* name;
    int32_t blueX, blueY;    // one blue pixel
    int32_t greenX, greenY;  // one green pixel
  } cases[] = {
      {u"b", 0, 0, 0, 3}, {u"b_mr", 1, 0, 1, 3}, {u"b_lv", 0, 3, 0, 0}, {u"b_dn", 3, 0, 0, 0}, {u"b_up", 0, 1, 3, 1},
  };
  for (const Case& c : cases) {
    clear();
    GameLib::graphics->setClip(5, 5, 200, 200);
    GameImage::create(c.name)->paint(20, 30);
    std::string name = gltest::narrow(nuv::lang::DStringPtr(c.name));
    EXPECT_EQ(canvasPixel(20 + c.blueX, 30 + c.blueY), kBlue) << name;
    EXPECT_EQ(canvasPixel(20 + c.greenX, 30 + c.greenY), kGreen) << name;
    EXPECT_EQ(countCanvasPixels(kBlue) + countCanvasPixels(kGreen), 8) << name;
    EXPECT_EQ((std::vector<int32_t>{GameLib::graphics->getClipX(), GameLib::graphics->getClipY(),
                                    GameLib::graphics->getClipWidth(), GameLib::graphics->getClipHeight()}),
              (std::vector<int32_t>{5, 5, 200, 200}));
  }
  // Opaque drawing copies the key colour too; plain drawing leaves it out.
  clear();
  GameImage::drawOpaque(0, 0, GameImage::create(u"a"));
  EXPECT_EQ(countCanvasPixels(kRed), 6);
  clear();
  GameImage::graphics = nullptr;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, GameImage::draw(0, 0, GameImage::create(u"a")));
  GameImage::graphics = GameLib::graphics;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, GameImage::draw(0, 0, nullptr));
  EXPECT_EQ(countCanvasPixels(kBlack), 240 * 320);
}

TEST_F(GameImageTest, LoadingATableReplacesTheOldOne) {
  GameImagePtr early = GameImage::create(u"a");
  GameImage::loadImageTable(u"u/all");
  EXPECT_TRUE(GameImage::create(u"a").isNull());
  EXPECT_FALSE(GameImage::create(u"c").isNull());
  EXPECT_EQ(GameImage::atlasWidth, 4);
  // An image made before draws from the new atlas.
  early->paint(0, 0);
  EXPECT_EQ(countCanvasPixels(kGreen), 6);

  // A short line is damage to the table, reported by name, keeping the lines before; a missing table is an
  // I/O error.
  EXPECT_THROWS_MESSAGE_STARTING("game.dat: graphics/s/w/all.txt: ", GameImage::loadImageTable(u"w/all"));
  EXPECT_TRUE(GameImage::atlas.isNull());
  EXPECT_THROWS_CODE(ExceptionCode::IOException, GameImage::loadImageTable(u"x/all"));
}

// A rectangle is part of its picture: games size sprites, cells and buffers from them. Before, a damaged
// number went on into those sizes.
TEST_F(GameImageTest, ARectangleOutsideThePictureIsRefusedWithTheTablesName) {
  const std::string picture = gltest::png(testAtlas().picture);
  struct Case {
    const char* line;
    bool refused;
  } cases[] = {
      {"x;6;2;2;2", false}, {"x;-1;0;2;2", true}, {"x;0;-1;2;2", true},
      {"x;0;0;0;2", true},  {"x;0;0;2;-3", true}, {"x;7;0;2;2", true},
      {"x;0;3;1;2", true},  {"x;0;0;9;1", true},  {"x;2147483647;0;2147483647;1", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    openArchive({{"graphics/s/r/all.txt", std::string(c.line) + "\r\n"}, {"graphics/s/r/all.png", picture}});
    EXPECT_EQ(test::thrownMessage([] { GameImage::loadImageTable(u"r/all"); }),
              c.refused ? "game.dat: graphics/s/r/all.txt: the rectangle of \"x\" is not inside the picture"
                        : "no exception");
  }
}

// A line that is no rectangle is refused naming the line and what is wrong with it; before, the report gave
// only the exception that indexing or parsing raised ("ArrayIndexOutOfBoundsException"). So is an empty line
// or a line end other than CR LF; before, an empty line ended the table, and a screen then found its later
// keys "not in" it, and lines ended by LF alone ran together into the first.
TEST_F(GameImageTest, ALineThatIsNoRectangleIsNamedWithItsFault) {
  const std::string picture = gltest::png(testAtlas().picture);
  struct Case {
    const char* table;
    const char* why;  // empty: the table loads
  } cases[] = {
      {"a;0;0;3;2\r\n\r\nb;4;0;2;4\r\n", "line 2 is empty"},
      {"a;0;0;3;2\r\nb;4;0;2;4\r\n\r\n", "line 3 is empty"},
      {"\r\n", "line 1 is empty"},
      {"a;0;0;3;2\nb;4;0;2;4\n", "line 1 ends in a line feed alone; the table's lines end in CR LF"},
      {"a;0;0;3;2\rb;4;0;2;4\r\n", "line 1 ends in a carriage return alone; the table's lines end in CR LF"},
      {"a;0;0;3;2\r\nb;4;0;2;4", ""},
      {"", ""},
      {"a;0;0;3\r\n", "line 1 has 4 fields, 5 are needed: the height is missing"},
      {"a\r\n", "line 1 has 1 field, 5 are needed: the x is missing"},
      {"a;0;0;3;2\r\nb;4;;2;4\r\n", "line 2: the y is empty, a number is needed"},
      {"a;0;0;3; \r\n", "line 1: the height is empty, a number is needed"},
      {"a;0;0;3;2\r\nb;4;0;2;4\r\nc;0;0;w;1\r\n", "line 3: the width \"w\" is not a number"},
      {"a;0;0;3;2;more\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    openArchive({{"graphics/s/r/all.txt", c.table}, {"graphics/s/r/all.png", picture}});
    EXPECT_EQ(test::thrownMessage([] { GameImage::loadImageTable(u"r/all"); }),
              *c.why ? std::string("game.dat: graphics/s/r/all.txt: ") + c.why : "no exception");
  }
}

// What a screen cannot go without is named when it is not there; what it may go without is noted, and a
// null-pointer failure that follows names it.
TEST_F(GameImageTest, WhatIsMissingIsNamed) {
  struct Case {
    const char* what;
    std::function<void()> load;
    const char* message;
  } cases[] = {
      {"a table", [] { GameImage::loadImageTable(u"x/all"); }, "graphics/s/x/all.txt is missing"},
      {"an atlas", [] { GameImage::loadImageTable(u"y/all"); }, "graphics/s/y/all.png is missing"},
      {"an animation list", [] { Animation::loadList(u"t/none.txt"); }, "graphics/s/t/none.txt is missing"},
      {"a picture", [] { GameLib::requireImage(u"t/none"); }, "graphics/s/t/none.png is missing"},
      {"an image", [] { GameImage::require(u"zzz_mr"); }, "game.dat: graphics/s/t/all.txt: it has no \"zzz_mr\""},
  };
  openArchive({{"graphics/s/t/all.txt", table(testAtlas())},
               {"graphics/s/t/all.png", gltest::png(testAtlas().picture)},
               {"graphics/s/y/all.txt", table(testAtlas())}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameImage::loadImageTable(u"t/all");
    EXPECT_EQ(test::thrownMessage(c.load), c.message);
  }
  EXPECT_EQ(GameImage::require(u"b_up")->w, 4);

  nuv::lang::DExceptionBase nullPointer(ExceptionCode::NullPointerException);
  gamelib::ResourceDamage::forgetMissing();
  EXPECT_TRUE(GameImage::create(u"nothing").isNull());
  EXPECT_TRUE(GameImage::create(u"nothing").isNull());
  EXPECT_TRUE(GameLib::loadImage(u"t/none").isNull());
  EXPECT_EQ(gltest::narrow(gamelib::ResourceDamage::describe(nullPointer).c_str()),
            "NullPointerException (\"nothing\" is not in graphics/s/t/all.txt; graphics/s/t/none.png is missing)");
  // Another failure has its own message; a probe notes nothing; a new screen starts with nothing noted.
  EXPECT_EQ(
      gltest::narrow(
          gamelib::ResourceDamage::describe(nuv::lang::DExceptionBase(ExceptionCode::IOException, u"why")).c_str()),
      "IOException why");
  gamelib::ResourceDamage::forgetMissing();
  EXPECT_FALSE(GameImage::has(u"other"));
  EXPECT_EQ(gltest::narrow(gamelib::ResourceDamage::describe(nullPointer).c_str()), "NullPointerException");
}

TEST_F(GameImageTest, AnimationListsNameTheFramesOfEachAnimation) {
  TextTable::load(GameLib::resolvePath(u"graphics/", u"t/anim.txt"), false);
  AnimationPtr walk = new Animation(TextTable::split(TextTable::getString(u"walk"), u';'));
  EXPECT_EQ(walk->frames->length, 3);
  EXPECT_EQ(walk->maxWidth, 4);
  EXPECT_EQ(walk->maxHeight, 4);
  EXPECT_EQ(walk->frameCount, 0);
  // The widths of a, b and b_dn tell the frames apart: 3, 2 and 4.
  walk->restart();
  std::vector<int32_t> widths;
  std::vector<bool> finished;
  for (int i = 0; i < 9; ++i) {
    walk->paint(0, 0);
    widths.push_back(walk->lastWidth);
    finished.push_back(walk->finished);
  }
  EXPECT_EQ(widths, (std::vector<int32_t>{3, 3, 3, 2, 2, 4, 4, 3, 3}));
  EXPECT_EQ(finished, (std::vector<bool>{false, false, false, false, false, false, true, false, false}));
  // Stopped, it keeps painting the frame it stands on.
  walk->running = false;
  for (int i = 0; i < 5; ++i) walk->paint(0, 0);
  EXPECT_EQ(walk->currentFrame, 1);
  EXPECT_EQ(walk->lastWidth, 2);

  AnimationPtr gap = new Animation(TextTable::split(TextTable::getString(u"gap"), u';'));
  EXPECT_TRUE((*gap->frames)[1].isNull());
  EXPECT_EQ(gap->maxWidth, 3);
  EXPECT_EQ(gap->maxHeight, 4);
  gap->restart();
  for (int i = 0; i < 3; ++i) gap->paint(0, 0);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, gap->paint(0, 0));
}

TEST_F(GameImageTest, AnimationTimingEdges) {
  struct Case {
    int32_t frames;
    int32_t ticksPerFrame;
    std::vector<int32_t> currentAfterPaint;
    std::vector<bool> finished;
  } cases[] = {
      {1, 2, {0, 0, 0, 0, 0, 0}, {false, false, true, false, true, false}},
      {2, 0, {1, 1, 1, 1}, {false, false, false, false}},
      {1, 0, {0, 0, 0}, {true, false, false}},
      {2, 1, {0, 1, 0, 1}, {false, false, true, false}},
  };
  for (const Case& c : cases) {
    AnimationPtr animation = new Animation(c.frames);
    for (int32_t i = 0; i < c.frames; ++i) animation->addFrame(GameImage::create(u"a"));
    animation->ticksPerFrame = c.ticksPerFrame;
    animation->restart();
    std::vector<int32_t> current;
    std::vector<bool> finished;
    for (size_t i = 0; i < c.currentAfterPaint.size(); ++i) {
      animation->paint(0, 0);
      current.push_back(animation->currentFrame);
      finished.push_back(animation->finished);
    }
    EXPECT_EQ(current, c.currentAfterPaint) << c.frames << " frames, " << c.ticksPerFrame;
    EXPECT_EQ(finished, c.finished) << c.frames << " frames, " << c.ticksPerFrame;
  }
  AnimationPtr full = new Animation(1);
  full->addFrame(nullptr);
  EXPECT_EQ(full->maxWidth, 0);
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, full->addFrame(GameImage::create(u"a")));
}

}  // namespace
