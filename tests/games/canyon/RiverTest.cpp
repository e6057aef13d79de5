// The canyon game's river: reading the river screen file, building a level's terrain from its screens, the
// bank test, drawing rows, and the river buffer that scrolls by drawing itself one row higher, compared
// with the rows drawn straight onto the screen at every speed.
#include <gtest/gtest.h>

#include "games/canyon/CanyonObjectsFixture.h"
#include "shell/lcdui/DImage.h"
#include "support/Exceptions.h"

namespace canyontest {
namespace {

using namespace canyon;
using gamelib::GameImage;
using gamelib::GameLib;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace Code = nuv::lang::ExceptionCode;

class River : public CanyonObjectsFixture {};

datakit::CanyonScreen blankScreen() { return datakit::CanyonScreen(data::kCellsPerScreen); }

// A screen whose every cell has the given base tile and no object.
datakit::CanyonScreen filled(int base) {
  datakit::CanyonScreen cells(data::kCellsPerScreen);
  for (datakit::CanyonCell& cell : cells) cell.base = base;
  return cells;
}

std::string bytesOf(const datakit::Bytes& b) { return std::string(b.begin(), b.end()); }

TEST_F(River, ScreenFileReadsScreensObjectsAndLevelsBottomFirst) {
  datakit::CanyonScreen objects =
      screenOf({"......~~~~~~~~~~......", "......~~~~~~~~~~......", "......~~S~~~~~~~......", "......~~~~~~~~~~......",
                "==T=======~~~~~~~~~~~.", "==========~~~~~~~~~~~."});
  start({blankScreen(), objects, filled(data::kWaterFirst), filled(data::kWaterFirst + 1)}, {{0, 1, 3}, {2, 1}});

  ASSERT_EQ(screenTerrain->length, 4);
  // A screen of nothing but 0xFF cells has no objects.
  EXPECT_EQ((*objectCounts)[0], 0);
  EXPECT_EQ((*(*screenTerrain)[0])[0], 0xFFFF);
  EXPECT_TRUE((*screenObjects)[0][0].isNull());
  // Objects in file order of their cells, at the top-left corner of their cell, y counted down the screen.
  ASSERT_EQ((*objectCounts)[1], 2);
  const Entity& ship = *(*screenObjects)[1][0];
  EXPECT_EQ(ship.type, data::CODE_SHIP_LAST - 1);
  EXPECT_EQ(ship.x, 8 * kCell);
  EXPECT_EQ(ship.y, 2 * kCell);
  EXPECT_EQ(ship.screen, 1);
  EXPECT_FALSE(ship.onRoad);
  const Entity& tank = *(*screenObjects)[1][1];
  EXPECT_EQ(tank.x, 2 * kCell);
  EXPECT_EQ(tank.y, 4 * kCell);
  EXPECT_TRUE(tank.onRoad);
  // Terrain words: base tile in the low byte, overlay in the high byte.
  EXPECT_EQ((*(*screenTerrain)[1])[4 * 22 + 2], 0 + data::kRoadFirst * 256);
  // Stored as 3, 1, 0 from the top: the level starts with screen 0.
  ASSERT_EQ(levels->length, 2);
  const nuv::lang::DintArray& first = *(*levels)[0];
  ASSERT_EQ(first.length, 3);
  EXPECT_EQ(first[0], 0);
  EXPECT_EQ(first[1], 1);
  EXPECT_EQ(first[2], 3);
  EXPECT_EQ((*(*levels)[1])[0], 2);

  // Read once: a second call changes nothing.
  nuv::lang::DintArray2d* before = screenTerrain.get();
  game->loadScreens();
  EXPECT_EQ(screenTerrain.get(), before);
}

TEST_F(River, BrokenScreenFilesAreReportedByNameAndLeaveNothingHalfRead) {
  datakit::CanyonScreen crowded = screenOf({});
  for (int i = 0; i < 31; ++i) crowded[static_cast<size_t>(22 * 10 + (i % 22) + 22 * (i / 22))].object = 12;
  datakit::CanyonScreen unknown = screenOf({});
  unknown[300].object = 25;
  datakit::CanyonScreen untiled = screenOf({});
  untiled[5].overlay = 250;
  const std::string good = bytesOf(datakit::writeCanyonScreenFile({screenOf({}), screenOf({})}, {{0, 1}}));
  std::string negative = good;
  negative[0] = static_cast<char>(0x80);
  struct Case {
    std::string file;
    std::string why;
  } cases[] = {
      {bytesOf(datakit::writeCanyonScreenFile({crowded}, {{0, 0}})), "a screen with too many objects"},
      {bytesOf(datakit::writeCanyonScreenFile({unknown}, {{0, 0}})), "an object code no unit has"},
      {bytesOf(datakit::writeCanyonScreenFile({untiled}, {{0, 0}})), "a tile code names no tile"},
      {bytesOf(datakit::writeCanyonScreenFile({screenOf({})}, {{0, 3}})), "a level names a screen the file lacks"},
      {bytesOf(datakit::writeCanyonScreenFile({screenOf({})}, {{0}})), "a level shorter than the screen"},
      {bytesOf(datakit::writeCanyonScreenFile({screenOf({})}, {})), "no level"},
      {negative, "a negative screen count"},
      {good.substr(0, good.size() - 1), "EOFException"},
  };
  startWithFile(good);
  for (const Case& c : cases) {
    packFiles(c.file);
    // Read again, as a new screen's set-up would.
    screenTerrain = nullptr;
    levels = nullptr;
    EXPECT_EQ(test::thrownMessage([&] { game->loadScreens(); }), "game.dat: data/cy/screens.bin: " + c.why);
    EXPECT_TRUE(screenTerrain.isNull()) << c.why;
    EXPECT_TRUE(levels.isNull()) << c.why;
  }
}

TEST_F(River, TheLevelGridCountsRowsUpFromTheStartScreenWithColumnsAsDrawn) {
  datakit::CanyonScreen bottom = filled(data::kWaterFirst);
  datakit::CanyonScreen top = filled(data::kWaterFirst);
  bottom[25 * 22 + 0].base = 5;  // bottom-left corner of the start screen: row 0, column 0
  bottom[0 * 22 + 21].base = 6;  // its top-right corner: row 25, column 21
  top[25 * 22 + 3].base = 7;     // the next screen's bottom row: row 26
  top[0 * 22 + 0].overlay = data::kRoadFirst;
  start({top, bottom}, {{1, 0}});
  startRun();
  EXPECT_EQ(totalRows, 52);
  EXPECT_EQ(CanyonGame::terrainAt(0, 0) & 0xFF, 5);
  EXPECT_EQ(CanyonGame::terrainAt(21, 25) & 0xFF, 6);
  EXPECT_EQ(CanyonGame::terrainAt(3, 26) & 0xFF, 7);
  EXPECT_EQ(CanyonGame::terrainAt(0, 51) >> 8, data::kRoadFirst);
  for (auto [column, row] : {std::pair{-1, 0}, {22, 0}, {0, -1}, {0, 52}}) {
    EXPECT_THROWS_CODE(Code::ArrayIndexOutOfBoundsException, CanyonGame::terrainAt(column, row))
        << column << "," << row;
  }
}

TEST_F(River, OnlyTheFourCornersOfARectangleMeetTheBank) {
  // Logical rows 0..25 of the start screen; a bank cell at column 10 of row 5, no tile at column 3, row 2.
  datakit::CanyonScreen screen = filled(data::kWaterFirst);
  screen[(25 - 5) * 22 + 10].base = 0;
  screen[(25 - 2) * 22 + 3].base = 0xFF;
  screen[(25 - 8) * 22 + 12].base = data::kWaterLast;
  screen[(25 - 8) * 22 + 13].base = data::kWaterLast + 1;
  start({screen, filled(data::kWaterFirst)}, {{0, 1}});
  startRun();
  struct Case {
    const char* what;
    int x, y, w, h;
    bool bank;
  } cases[] = {
      {"all water", 0, 40, 16, 16, false},
      {"corners on water round a bank cell", 9 * kCell, 7 * kCell - 1, 3 * kCell, 3 * kCell, false},
      {"a corner on the bank cell", 10 * kCell + 2, 6 * kCell - 1, 4, 4, true},
      {"a corner on a cell without tiles", 3 * kCell, 3 * kCell - 1, 2, 2, true},
      {"the last water tile is water", 12 * kCell, 9 * kCell - 1, 8, 8, false},
      {"the tile after it is bank", 13 * kCell, 9 * kCell - 1, 8, 8, true},
  };
  for (const Case& c : cases) EXPECT_EQ(CanyonGame::touchesBank(c.x, c.y, c.w, c.h), c.bank) << c.what;
  EXPECT_THROWS_CODE(Code::ArrayIndexOutOfBoundsException, CanyonGame::touchesBank(170, 40, 10, 4));
}

// Rows drawn with their tiles: base opaque, the overlay over it with its transparency.
TEST_F(River, RowsDrawTheirBaseTilesOpaqueAndOverlaysOnTop) {
  datakit::CanyonScreen screen = filled(data::kWaterFirst);
  screen[25 * 22 + 1] = {4, 0xFF, 0xFF};
  screen[25 * 22 + 2] = {0xFF, 9, 0xFF};
  start({screen, filled(data::kWaterFirst)}, {{0, 1}});
  startRun();
  DImagePtr target = DImage::createMutableImage(kRiverWidth, kCell);
  GameImage::graphics = target->getGraphics();
  game->drawRows(0, 0, 1, 1);
  GameImage::graphics = GameLib::graphics;
  auto at = [&](int x) { return *target->rasterSurface()->surface->at(x, 3); };
  // The fixture's tile colours in RGB565.
  auto tile = [](int code) {
    const int r = code, g = 255 - code, b = (code * 37) % 200;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
  };
  EXPECT_EQ(at(0), tile(data::kWaterFirst));
  EXPECT_EQ(at(kCell + 3), tile(4));
  // No base tile: what was there stays (a fresh mutable image is white), the overlay is drawn.
  EXPECT_EQ(at(2 * kCell + 3), tile(9));
}

// The buffer shows what drawing the level's rows straight at their places would show, step after step,
// through rows drawn in, wraps of the buffer and its self-copy, at every speed.
TEST_F(River, TheScrollingBufferShowsWhatDrawingTheRowsDirectlyShows) {
  std::vector<datakit::CanyonScreen> screens;
  for (int s = 0; s < 4; ++s) {
    datakit::CanyonScreen cells(data::kCellsPerScreen);
    for (int i = 0; i < data::kCellsPerScreen; ++i)
      cells[static_cast<size_t>(i)].base = (i * 7 + s * 13 + i / 22) % 113;
    screens.push_back(cells);
  }
  start(screens, {{0, 1, 2, 3}});
  startRun();
  // The view is a row taller than the screen; the screen shows its top.
  const int32_t height = std::min(viewHeight, GameLib::screenHeight);
  DImagePtr expected = DImage::createMutableImage(kRiverWidth, viewHeight);
  for (int speedNow : {kBase - 1, kBase, kBase + 1}) {
    game->resetPlane(kViewRows);
    bool ended = false;
    for (int n = 0; n < 1000 && !ended; ++n) {
      rowAccumulator += speedNow;
      scrollOffset += speedNow;
      viewTop += speedNow;
      ended = !game->scrollRiver();
      if (ended || n % 7 != 0) continue;
      GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
      game->showRiver(*GameLib::graphics);
      // The rows in view drawn where they belong: row R's top edge at display viewTop - (R + 1) * C.
      const int top = (viewTop + kCell - 1) / kCell - 1;
      GameImage::graphics = expected->getGraphics();
      game->drawRows(0, viewTop - (top + 1) * kCell, top + 1, std::min(kViewRows + 1, top + 1));
      GameImage::graphics = GameLib::graphics;
      int wrong = 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < kRiverWidth; ++x)
          wrong += gltest::canvasPixel(riverX + x, y) != *expected->rasterSurface()->surface->at(x, y) ? 1 : 0;
      ASSERT_EQ(wrong, 0) << "speed " << speedNow << ", step " << n << ", view top " << viewTop;
    }
    EXPECT_TRUE(ended) << "speed " << speedNow << ": the river never ended";
    EXPECT_EQ(rowsDrawn, totalRows);
  }
}

}  // namespace
}  // namespace canyontest
