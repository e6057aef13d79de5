// The in-game menu's list and table pages: moving with wrap-around, the 200 ms input gate, choosing and
// closing, taps, the arrows, the shaded background, the loading bar and the level texts.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/lang/DStringArray.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "shell/lcdui/DImage.h"

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::ScreenCanvas;
using gamelib::GameAction::Down;
using gamelib::GameAction::Fire;
using gamelib::GameAction::Special1;
using gamelib::GameAction::Up;
using gltest::narrow;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

DStringArrayPtr entries(int32_t n) {
  DStringArrayPtr list = new DStringArray(n);
  for (int32_t i = 0; i < n; ++i) (*list)[i] = nuv::lang::DStringPtr(u"entry ") + i;
  return list;
}

class GameMenuTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    menu = new GameMenu();
    GameMenu::loadImages();
    // The input clock runs from long ago.
    GameMenu::inputClock = 1;
  }
  // A box just high enough for `rows` rows.
  void showRows(int32_t rows) { menu->height = rows * menu->itemHeight + 2 * menu->border; }
  // One step with the action held, after the input gate has passed.
  void stepWith(int32_t action) {
    wait(201);
    ScreenCanvas::held[action] = true;
    menu->update();
    ScreenCanvas::held[action] = false;
  }
  GameMenuPtr menu;
};

TEST_F(GameMenuTest, StartsFromTheScreenSizeAndFontZero) {
  EXPECT_EQ(menu->left, 30);
  EXPECT_EQ(menu->top, 320 * 25 / 176);
  EXPECT_EQ(menu->height, 320 - 320 * 15 / 176 - 320 * 25 / 176);
  EXPECT_EQ(menu->itemHeight, (*GameLib::fonts)[0]->getHeight() * 18 / 12);
  EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
  EXPECT_TRUE(menu->drawBox);
  // The first paint of a fresh menu only switches it to the list.
  menu->mode = GameMenu::MODE_FRESH;
  clearScreen(0x123456);
  menu->paint();
  EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
  EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, gltest::canvasPixel(0, 0)), 0);
}

TEST_F(GameMenuTest, ListMovesWrapAroundAndScrollThePage) {
  struct Case {
    int32_t count, selected, first, action, wantSelected, wantFirst;
  } cases[] = {
      {7, 0, 0, gamelib::GameAction::Up, 6, 2},        // wraps to the last entry, the page at the end
      {7, 6, 2, gamelib::GameAction::Down, 0, 0},      // wraps to the top
      {7, 4, 0, gamelib::GameAction::Down, 5, 1},      // the page follows the highlight down
      {7, 2, 2, gamelib::GameAction::Up, 1, 1},        // and up
      {7, 3, 1, gamelib::GameAction::Special1, 2, 1},  // the spare key moves like up
      {3, 0, 0, gamelib::GameAction::Up, 2, 0},        // fewer entries than rows: the page never starts above 0
  };
  showRows(5);
  for (const Case& c : cases) {
    menu->setItems(entries(c.count));
    menu->selected = c.selected;
    menu->first = c.first;
    stepWith(c.action);
    EXPECT_EQ(menu->selected, c.wantSelected) << c.count << " " << c.selected << " " << c.action;
    EXPECT_EQ(menu->first, c.wantFirst) << c.count << " " << c.selected << " " << c.action;
    EXPECT_EQ(menu->visibleRows, 5);
  }
}

TEST_F(GameMenuTest, InputIsTakenAtMostOncePer200Ms) {
  menu->setItems(entries(7));
  GameMenu::inputClock = 0;
  ScreenCanvas::held[gamelib::GameAction::Down] = true;
  menu->update();  // starts the clock
  int32_t moves[] = {0, 0, 1, 1, 2};
  int64_t waits[] = {0, 200, 1, 100, 101};
  for (size_t i = 0; i < std::size(waits); ++i) {
    wait(waits[i]);
    menu->update();
    EXPECT_EQ(menu->selected, moves[i]) << i;
  }
}

TEST_F(GameMenuTest, ChoosingIsAOneStepPulseAndTheLastEntryAlsoCloses) {
  menu->setItems(entries(4));
  stepWith(gamelib::GameAction::Fire);
  EXPECT_TRUE(menu->chosen);
  EXPECT_FALSE(menu->closed);
  menu->update();
  EXPECT_FALSE(menu->chosen);
  menu->selected = 3;
  stepWith(gamelib::GameAction::Fire);
  EXPECT_TRUE(menu->chosen);
  EXPECT_TRUE(menu->closed);
}

TEST_F(GameMenuTest, ATapOnAnEntryHighlightsAndChoosesItAtOnce) {
  menu->setItems(entries(4));
  menu->update();
  wait(201);
  int32_t rowTop = menu->border + menu->top + 4 + 2 * menu->itemHeight;
  tap(120, rowTop + menu->itemHeight / 2);
  clearScreen(0x000000);
  menu->update();
  EXPECT_EQ(menu->selected, 2);
  EXPECT_TRUE(menu->chosen);
  EXPECT_FALSE(menu->closed);
  // The menu painted itself already: the box is on the screen.
  EXPECT_EQ(gltest::canvasPixel(menu->left + 3, menu->top + 3), 0xFFFF);
  // A tap beside the entries chooses nothing.
  wait(201);
  tap(5, rowTop);
  menu->update();
  EXPECT_FALSE(menu->chosen);
}

TEST_F(GameMenuTest, TablePageScrollsWithUpAndDownAndAnythingElseClosesIt) {
  struct Case {
    const char* name;
    std::function<void()> input;
    bool closes;
  } cases[] = {
      {"fire", [] { ScreenCanvas::held[gamelib::GameAction::Fire] = true; }, true},
      {"back", [] { ScreenCanvas::back = true; }, true},
      {"select", [] { ScreenCanvas::select = true; }, true},
      {"tap", [] { tap(3, 3); }, true},
      {"down", [] { ScreenCanvas::held[gamelib::GameAction::Down] = true; }, false},
  };
  showRows(5);
  for (const Case& c : cases) {
    ScreenCanvas::resetInput();
    menu->setHighScores(entries(10), new nuv::lang::DintArray(10));
    menu->mode = GameMenu::MODE_TABLE;
    menu->closed = false;
    menu->first = 0;
    wait(201);
    c.input();
    ScreenCanvas::anyKey = true;
    menu->update();
    EXPECT_EQ(menu->closed, c.closes) << c.name;
    EXPECT_EQ(menu->first, c.closes ? 0 : 1) << c.name;
    // Select also clears all input.
    if (std::string(c.name) == "select") {
      EXPECT_FALSE(ScreenCanvas::anyKey);
    }
  }
  // The table stops scrolling at its last page.
  menu->first = 5;
  stepWith(gamelib::GameAction::Down);
  EXPECT_EQ(menu->first, 5);
  stepWith(gamelib::GameAction::Up);
  EXPECT_EQ(menu->first, 4);
}

TEST_F(GameMenuTest, ArrowsShowWhereTheListGoesOn) {
  ASSERT_FALSE(GameMenu::arrowUp.isNull());
  ASSERT_FALSE(GameMenu::arrowDown.isNull());
  showRows(5);
  menu->update();
  const int32_t upTop = menu->top - 2 - GameMenu::arrowUp->getHeight(), downTop = menu->top + menu->height;
  auto arrows = [&](int32_t mode, int32_t first, int32_t count) {
    menu->mode = mode;
    menu->first = first;
    menu->setHighScores(entries(count), new nuv::lang::DintArray(count));
    menu->paint();
    const uint16_t back = gltest::canvasPixel(0, 0);
    bool up = gltest::countOtherPixels(0, upTop, 240, GameMenu::arrowUp->getHeight(), back) > 0;
    bool down = gltest::countOtherPixels(0, downTop + 1, 240, GameMenu::arrowDown->getHeight() - 1, back) > 0;
    return std::pair(up, down);
  };
  EXPECT_EQ(arrows(GameMenu::MODE_TABLE, 0, 10), std::pair(false, true));
  EXPECT_EQ(arrows(GameMenu::MODE_TABLE, 5, 10), std::pair(true, false));
  EXPECT_EQ(arrows(GameMenu::MODE_TABLE, 2, 10), std::pair(true, true));
  EXPECT_EQ(arrows(GameMenu::MODE_LIST, 0, 10), std::pair(true, true));
  EXPECT_EQ(arrows(GameMenu::MODE_LIST, 0, 5), std::pair(false, false));
}

TEST_F(GameMenuTest, ShadedBandCoversOnlyTheListColumns) {
  DImagePtr picture = DImage::createMutableImage(20, 3);  // white
  DImagePtr shaded = GameMenu::shadeImage(picture, -160, 5, 9);
  ASSERT_EQ(shaded->getWidth(), 20);
  nuv::microedition::lcdui::DGraphicsPtr g = GameLib::graphics;
  clearScreen(0x000000);
  g->drawImageOpaque(shaded, 0, 0, 0);
  for (int32_t y = 0; y < 3; ++y) {
    EXPECT_EQ(gltest::canvasPixel(4, y), 0xFFFF);
    EXPECT_EQ(gltest::canvasPixel(10, y), 0xFFFF);
    uint16_t band = gltest::canvasPixel(5, y);
    EXPECT_LT(band, 0x8410);  // well below half grey: 160 of 255 towards black
    EXPECT_EQ(gltest::canvasPixel(9, y), band);
  }
  // A positive level lightens: a black picture turns grey.
  DImagePtr dark = DImage::createMutableImage(4, 1);
  dark->getGraphics()->setColor(0);
  dark->getGraphics()->fillRect(0, 0, 4, 1);
  g->drawImageOpaque(GameMenu::shadeImage(dark, 160, 0, 3), 0, 10, 0);
  EXPECT_GT(gltest::canvasPixel(0, 10), 0x8410);
}

TEST_F(GameMenuTest, BackgroundLevelMinus161WidensTheListEveryCall) {
  DImagePtr picture = DImage::createMutableImage(260, 320);
  menu->setBackground(picture, -160);
  EXPECT_EQ(menu->left, 30);
  EXPECT_FALSE(menu->drawBox);
  menu->setBackground(picture, -161);
  EXPECT_EQ(menu->left, 15);
  menu->setBackground(picture, -161);
  EXPECT_EQ(menu->left, 7);
  // The band sits under the box on the centred picture: between x = left and 240 - left on the screen.
  clearScreen(0x000000);
  menu->setItems(entries(1));
  menu->paint();
  EXPECT_EQ(gltest::canvasPixel(6, 300), 0xFFFF);
  EXPECT_NE(gltest::canvasPixel(8, 300), 0xFFFF);
  EXPECT_NE(gltest::canvasPixel(232, 300), 0xFFFF);
  EXPECT_EQ(gltest::canvasPixel(234, 300), 0xFFFF);
}

TEST_F(GameMenuTest, LoadingBarFillsInStepsAndStopsAtTheFrame) {
  const uint16_t red = 0xF800;
  clearScreen(0xFFFFFF);
  GameMenu::startProgress(280, 0, 20, 0x000000, 0xFF0000);
  const int32_t x = (240 - 108) >> 1, row = 283;
  EXPECT_EQ(GameMenu::progressX, x);
  auto filled = [&] {
    int32_t n = 0;
    while (gltest::canvasPixel(x + 2 + n, row) == red) ++n;
    return n;
  };
  // The fill covers its width and one more pixel, as every fill of the device does.
  int32_t want[] = {20, 41, 62, 83, 104, 104};
  for (size_t i = 0; i < std::size(want); ++i) {
    if (i > 0) GameMenu::advanceProgress();
    EXPECT_EQ(filled(), want[i] + 1) << i;
  }
  EXPECT_EQ(GameMenu::progressPercent, 100);
  EXPECT_EQ(gltest::canvasPixel(x, 280), 0x0000);  // the frame
  GameMenu::startProgress(280, 50, -60, 0, 0xFF0000);
  EXPECT_EQ(GameMenu::progressPercent, 0);
}

TEST_F(GameMenuTest, LevelTextsAndKeys) {
  struct Case {
    int32_t level;
    const char* sfx;
    const char* music;
    const char* sfxKey;
  } cases[] = {{0, "Sound: Off", "Music: Off", "soundfxoff"},
               {1, "Sound: Low", "Music: Low", "soundfxlow"},
               {2, "Sound: Normal", "Music: Normal", "soundfxnormal"},
               {3, "Sound: High", "Music: High", "soundfxhigh"},
               {4, "", "", ""},
               {-1, "", "", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(narrow(GameMenu::getSfxLevelText(c.level)), c.sfx);
    EXPECT_EQ(narrow(GameMenu::getMusicLevelText(c.level)), c.music);
    EXPECT_EQ(narrow(GameMenu::getSfxLevelKey(c.level)), c.sfxKey);
  }
  EXPECT_EQ(narrow(GameMenu::getMusicLevelKey(3)), "musichigh");
}

TEST_F(GameMenuTest, PointerTestIsStrictOnEveryEdge) {
  struct Case {
    int32_t x, y;
    bool in;
  } cases[] = {{15, 15, true}, {10, 15, false}, {20, 15, false}, {15, 10, false}, {15, 20, false}, {11, 19, true}};
  for (const Case& c : cases) {
    ScreenCanvas::pointerX = c.x;
    ScreenCanvas::pointerY = c.y;
    EXPECT_EQ(GameMenu::isPointerIn(10, 10, 20, 20), c.in) << c.x << "," << c.y;
  }
}

}  // namespace
