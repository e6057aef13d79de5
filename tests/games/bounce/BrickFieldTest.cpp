// The brick field: geometry fitted to the screen, round files read cell by cell and refused whole when
// malformed, and what hits, explosions and the passing of time do to the bricks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Image.h"
#include "Png.h"
#include "gamelib/GameImage.h"
#include "games/bounce/BounceObjectsFixture.h"
#include "support/Exceptions.h"

namespace bouncetest {
namespace {

using namespace bounce;
using gamelib::GameLib;
namespace ExceptionCode = nuv::lang::ExceptionCode;

class BrickFieldTest : public BounceObjectsFixture {};

// A screen-sized picture of one colour.
std::string solidPng(datakit::Rgb colour) {
  datakit::Bytes bytes = datakit::encodePng(datakit::Image(240, 320, colour));
  return std::string(bytes.begin(), bytes.end());
}

std::vector<int> rowKinds(int row) {
  std::vector<int> kinds;
  for (int c = 0; c < fieldColumns; ++c) kinds.push_back(brickList->brickAt(c, row)->kind);
  return kinds;
}

TEST_F(BrickFieldTest, GeometryCentresTheFieldUnderTheCornerWall) {
  startGame();
  BrickList& field = *brickList;
  EXPECT_EQ(GameLib::screenWidth, 240);
  EXPECT_EQ(field.cellWidth, kBrickW + 1);
  EXPECT_EQ(field.cellHeight, kBrickH + 1);
  EXPECT_EQ(field.fieldWidth, 11 * (kBrickW + 1));
  EXPECT_EQ(fieldLeft, (240 - 11 * (kBrickW + 1)) / 2);
  EXPECT_EQ(field.top, kCornerH);
  EXPECT_EQ(brick(2, 3).x, fieldLeft + 2 * (kBrickW + 1));
  EXPECT_EQ(brick(2, 3).y, field.top + 3 * (kBrickH + 1));
  EXPECT_EQ(field.columnLeft(2), brick(2, 3).x * 16);
  EXPECT_EQ(field.rowBottom(3), (brick(2, 4).y) * 16);
  // Truncation toward zero: up to a cell left of the field is still column 0, further left negative.
  EXPECT_EQ(field.columnAt(fieldLeft - 3), 0);
  EXPECT_EQ(field.columnAt(fieldLeft - field.cellWidth - 1), -1);
  EXPECT_EQ(field.rowAt(field.top + 8 * (kBrickH + 1)), 8);
  EXPECT_EQ(field.brickAt(-1, 0), nullptr);
  EXPECT_EQ(field.brickAt(0, fieldRows), nullptr);
}

TEST_F(BrickFieldTest, RoundFileNamesHaveTwoDigits) {
  EXPECT_EQ(gltest::narrow(BrickList::roundFileName(9)), "/data/bnc/data/round09.txt");
  EXPECT_EQ(gltest::narrow(BrickList::roundFileName(10)), "/data/bnc/data/round10.txt");
}

TEST_F(BrickFieldTest, LettersGiveKindsAndValuesAndCountWhatMustBeCleared) {
  startWithRound({"abcdefghijXYZ", "aaaaaaaaaaa", "ccccccccccc", "eeeeeeeeeee", "           ", "A.1bbbbbbbb"});
  EXPECT_EQ(rowKinds(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1, 9, 0}));
  std::vector<int> values;
  for (int c = 0; c < fieldColumns; ++c) values.push_back(brick(c, 0).value);
  EXPECT_EQ(values, (std::vector<int>{2, 3, 1, 1, 1, 1, 1, 1, 2, 5, 0}));
  EXPECT_EQ(rowKinds(4), std::vector<int>(11, 0));
  EXPECT_EQ(rowKinds(5), (std::vector<int>{0, 0, 0, 2, 2, 2, 2, 2, 2, 2, 2}));
  // Row 0 counts all but c and e: 2+3+1+1+1+1+2+5; row 1 22; rows 2 and 3 nothing; row 5 8 x 3.
  EXPECT_EQ(brickList->remaining, 16 + 22 + 24);
  EXPECT_EQ(brickList->round, 1);
  // No bonus on empty, regenerating or indestructible cells; the others drew from 1..16.
  for (int c = 0; c < fieldColumns; ++c) {
    EXPECT_EQ(brick(c, 2).bonus, 0);
    EXPECT_EQ(brick(c, 3).bonus, 0);
    EXPECT_GE(brick(c, 1).bonus, 0);
    EXPECT_LE(brick(c, 1).bonus, 12);
  }
  EXPECT_EQ(gamelib::GameImage::graphics.get(), GameLib::graphics.get());
}

TEST_F(BrickFieldTest, MalformedRoundFilesFailWholeAndLeaveTheFieldAsItWas) {
  std::string lfOnly;
  for (int r = 0; r < fieldRows; ++r) lfOnly += "ggggggggggg\n";
  std::string shortLine = roundFile({"aaaaaaaaaaa", "aaaa"});
  std::string emptyLine = roundFile({"aaaaaaaaaaa", ""});
  std::string early = "aaaaaaaaaaa\r\nbbbbbbbbbbb\r\n";
  startGame({{"data/bnc/data/round01.txt", roundFile({"fffffffffff"})},
             {"data/bnc/data/round02.txt", lfOnly},
             {"data/bnc/data/round03.txt", shortLine},
             {"data/bnc/data/round04.txt", emptyLine},
             {"data/bnc/data/round05.txt", early}});
  brickList->loadRound(1);
  // Damage is reported with the archive's and the file's names; a file that is not there is no damage.
  const struct {
    int round;
    const char* message;
  } cases[] = {{2, "game.dat: data/bnc/data/round02.txt: EOFException"},
               {3, "game.dat: data/bnc/data/round03.txt: line 2 is shorter than a row"},
               {4, "game.dat: data/bnc/data/round04.txt: line 2 is shorter than a row"},
               {5, "game.dat: data/bnc/data/round05.txt: EOFException"},
               {6, "round 6: no round file"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.round);
    EXPECT_EQ(test::thrownMessage([&] { brickList->loadRound(c.round); }), c.message);
    EXPECT_EQ(brickList->round, 1);
    EXPECT_EQ(brickList->remaining, 11);
    EXPECT_EQ(rowKinds(0), std::vector<int>(11, 6));
    EXPECT_EQ(rowKinds(1), std::vector<int>(11, 0));
    EXPECT_EQ(gamelib::GameImage::graphics.get(), GameLib::graphics.get());
  }
}

TEST_F(BrickFieldTest, CarriageReturnsAloneShiftLaterRowsOneColumnLeft) {
  std::string crOnly = "abcdefghija\r";
  for (int r = 1; r < fieldRows; ++r) crOnly += "fabcdefghija\r";
  crOnly += "\r";
  startGame({{"data/bnc/data/round07.txt", crOnly}});
  brickList->loadRound(7);
  EXPECT_EQ(rowKinds(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1, 9, 1}));
  // The 'f' of each later line was taken for the line feed.
  EXPECT_EQ(rowKinds(1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1, 9, 1}));
}

TEST_F(BrickFieldTest, RoundsTakeTheirBackgroundInTurnsOfFive) {
  const std::string empty = roundFile({});
  startGame({{"data/bnc/data/round01.txt", empty},
             {"data/bnc/data/round02.txt", empty},
             {"data/bnc/data/round05.txt", empty},
             {"data/bnc/data/round06.txt", empty},
             {"graphics/s/bnc/img/back1.png", solidPng(0xFF0000)},
             {"graphics/s/bnc/img/back5.png", solidPng(0x0000FF)}});
  constexpr uint16_t kRed = 0xF800, kBlue = 0x001F;
  // Round 2 has no picture of its own and keeps the one before.
  const struct {
    int round;
    uint16_t colour;
  } cases[] = {{1, kRed}, {5, kBlue}, {6, kRed}, {2, kRed}, {5, kBlue}};
  for (const auto& c : cases) {
    brickList->loadRound(c.round);
    GameLib::graphics->drawImageOpaque(brickList->picture, 0, 0, 0);
    EXPECT_EQ(gltest::canvasPixel(120, 150), c.colour) << c.round;
    // The walls stand beside the field.
    EXPECT_NE(gltest::canvasPixel(fieldLeft - 2, 150), c.colour) << c.round;
  }
}

TEST_F(BrickFieldTest, EveryShippedRoundLoadsWithBricksToClear) {
  const std::filesystem::path staged = std::filesystem::path(GH_GAME_DAT).parent_path() / "data" / "archive";
  test::ArchiveFiles rounds;
  for (int round = 1; round <= 50; ++round) {
    std::string name = gltest::narrow(BrickList::roundFileName(round)).substr(1);
    std::ifstream in(staged / name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    rounds[name] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  startGame(rounds);
  for (int round = 1; round <= 50; ++round) {
    brickList->loadRound(round);
    EXPECT_GT(brickList->remaining, 0) << round;
  }
}

TEST_F(BrickFieldTest, NarrowScreensOverlapTheirColumns) {
  GameLib::screenWidth = 208;
  startGame();
  EXPECT_EQ(cellGapX, -2);
  EXPECT_EQ(brick(1, 0).x - brick(0, 0).x, brickList->cellWidth - 2);
  GameLib::screenWidth = 240;
}

}  // namespace
}  // namespace bouncetest
