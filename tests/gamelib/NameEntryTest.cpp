// The name entry on the on-screen keyboard: the key grid, moving with wrap-around, typing with fire, a
// hardware keyboard and the pen, keys left over from play ignored, the length limit, accepting and deleting,
// and the blinking caret.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/VirtualKeyboard.h"

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::ScreenCanvas;
using gamelib::VirtualKeyboard;
using gltest::kKeyAction;
using gltest::kKeyDown;
using gltest::kKeyLeft;
using gltest::kKeyRight;
using gltest::kKeySoftLeft;
using gltest::kKeySoftRight;
using gltest::kKeyUp;
using gltest::narrow;

class NameEntryTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    menu = new GameMenu();
    menu->showNameEntry();
  }
  VirtualKeyboard& keyboard() { return *GameMenu::keyboard; }
  // One key press, one step of the menu.
  void key(int32_t code) {
    press(code);
    menu->update();
  }
  // Moves the cursor to the key (row, column) from the top-left key and presses fire there.
  void typeAt(int32_t row, int32_t column) {
    VirtualKeyboard& k = keyboard();
    while (k.row != row) key(kKeyDown);
    while (k.column != column) key(kKeyRight);
    key(kKeyAction);
  }
  std::string text() { return narrow(keyboard().text); }
  GameMenuPtr menu;
};

TEST_F(NameEntryTest, TheGridHasFiveRowsWithOkAndDeleteInTheLast) {
  VirtualKeyboard& k = keyboard();
  EXPECT_EQ(menu->mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_EQ(k.rows, 5);
  EXPECT_EQ(k.lastRowCells, 6);
  EXPECT_EQ(k.width, 6 * k.cellWidth);
  EXPECT_EQ(k.height, 5 * k.cellHeight);
  EXPECT_EQ(k.x, (240 - 6 * k.cellWidth) >> 1);
  EXPECT_EQ(k.textX, k.x + 5);
  EXPECT_GT(k.y, 0);
  EXPECT_FALSE(k.panel.isNull());
  EXPECT_EQ(text(), "");
  // The page paints the panel over the whole screen.
  clearScreen(0x00FF00);
  menu->paint();
  EXPECT_EQ(gltest::countOtherPixels(0, 0, 240, 320, 0x07E0), 240 * 320);
}

TEST_F(NameEntryTest, CursorMovesWrapAroundTheRowsAndTheShortLastRow) {
  VirtualKeyboard& k = keyboard();
  struct Case {
    int32_t row, column, code, wantRow, wantColumn, wantIndex;
  } cases[] = {
      {0, 2, kKeyUp, 4, 2, 26},     // "c" up to the hyphen
      {3, 5, kKeyDown, 4, 5, 29},   // "x" down to "<-"
      {4, 0, kKeyLeft, 4, 5, 29},   // the last row wraps at its own length
      {4, 5, kKeyRight, 4, 0, 24},  // "<-" right to "y"
      {4, 4, kKeyDown, 0, 4, 4},    // "ok" down to "e"
      {1, 0, kKeyLeft, 1, 5, 11},   // "g" left to "l"
  };
  for (const Case& c : cases) {
    k.row = c.row;
    k.column = c.column;
    key(c.code);
    EXPECT_EQ(k.row, c.wantRow) << c.row << "," << c.column << " " << c.code;
    EXPECT_EQ(k.column, c.wantColumn) << c.row << "," << c.column << " " << c.code;
    EXPECT_EQ(k.index, c.wantIndex) << c.row << "," << c.column << " " << c.code;
  }
  // An alphabet whose last row is short pulls the cursor back onto the row.
  k.alphabet = u"abcdefgh";
  k.setup(nullptr);
  EXPECT_EQ(k.rows, 2);
  EXPECT_EQ(k.lastRowCells, 4);
  k.row = 0;
  k.column = 5;
  key(kKeyDown);
  EXPECT_EQ(k.row, 1);
  EXPECT_EQ(k.column, 3);
}

TEST_F(NameEntryTest, TypingAcceptingAndTheNextEntryStartingWithTheName) {
  typeAt(0, 1);  // b
  typeAt(2, 0);  // m
  key('Q');      // a hardware key types its lower-case letter
  key('7');      // not in the alphabet: nothing
  EXPECT_EQ(text(), "bmq");
  key(8);  // Backspace
  EXPECT_EQ(text(), "bm");
  key(kKeySoftRight);
  EXPECT_EQ(text(), "b");
  EXPECT_FALSE(menu->nameEntered);
  key(kKeySoftLeft);
  EXPECT_TRUE(menu->nameEntered);
  EXPECT_EQ(narrow(GameMenu::enteredName), "b");
  // Once accepted the keyboard takes no more input.
  key('z');
  EXPECT_EQ(text(), "b");
  GameMenuPtr next = new GameMenu();
  next->showNameEntry();
  EXPECT_FALSE(next->nameEntered);
  EXPECT_EQ(text(), "b");
}

// What play left behind as the entry opens types nothing; the first key pressed in it does.
TEST_F(NameEntryTest, OnlyKeysPressedWhileItIsOpenType) {
  VirtualKeyboard& k = keyboard();
  struct Case {
    const char* what;
    std::function<void()> leftover;
  } cases[] = {
      {"a letter taken in play", [] { press('Q'); }},
      {"a letter still queued", [] { GameLib::canvas->keyPressed('W'); }},
      {"fire held", [] { press(kKeyAction); }},
      {"the pen held on a key", [&k] { tap(k.x + k.cellWidth / 2, k.y + k.cellHeight / 2); }},
  };
  for (const Case& c : cases) {
    ScreenCanvas::resetInput();
    wait(1000);
    c.leftover();
    menu->showNameEntry();
    for (int i = 0; i < 2; ++i) {
      ScreenCanvas::pump();
      menu->update();
    }
    EXPECT_EQ(text(), "") << c.what;
    key('R');
    EXPECT_EQ(text(), "r") << c.what;
  }
}

TEST_F(NameEntryTest, TheTenthCharacterIsRefusedAndEmptyTextsCannotBeAcceptedOrShortened) {
  for (int i = 0; i < 12; ++i) key('a');
  EXPECT_EQ(text(), "aaaaaaaaa");
  while (!text().empty()) key(8);
  key(8);
  EXPECT_EQ(text(), "");
  key(kKeySoftLeft);
  key(kKeyAction);  // the cursor stands on "a": types it
  EXPECT_EQ(text(), "a");
  key(8);
  VirtualKeyboard& k = keyboard();
  k.row = 4;
  k.column = 4;
  key(kKeyRight);
  key(kKeyLeft);  // back on "ok"
  EXPECT_EQ(k.index, 28);
  key(kKeyAction);
  EXPECT_FALSE(k.done);
  EXPECT_FALSE(menu->nameEntered);
}

TEST_F(NameEntryTest, APenTapTypesTheKeyAndASecondTapWithin200MsIsIgnored) {
  VirtualKeyboard& k = keyboard();
  auto cellCentre = [&](int32_t row, int32_t column) {
    return std::pair(k.x + column * k.cellWidth + k.cellWidth / 2, k.y + row * k.cellHeight + k.cellHeight / 2);
  };
  wait(201);
  auto [x, y] = cellCentre(1, 2);  // "i"
  tap(x, y);
  menu->update();
  EXPECT_EQ(text(), "i");
  EXPECT_EQ(k.row, 1);
  EXPECT_EQ(k.column, 2);
  wait(100);
  tap(x, y);
  menu->update();
  EXPECT_EQ(text(), "i");
  wait(101);
  tap(x, y);
  menu->update();
  EXPECT_EQ(text(), "ii");
  // The cells beyond the last row's keys and the grid's border take no tap.
  wait(201);
  tap(k.x + k.width, y);
  menu->update();
  EXPECT_EQ(text(), "ii");
  // The soft labels: "<-" deletes, "ok" accepts.
  wait(201);
  tap(236 - 1, 316 - 2);
  menu->update();
  EXPECT_EQ(text(), "i");
  wait(201);
  tap(6, 316 - 2);
  menu->update();
  EXPECT_TRUE(menu->nameEntered);
}

TEST_F(NameEntryTest, TheCaretBlinksEvery500Ms) {
  VirtualKeyboard& k = keyboard();
  key('a');
  const int32_t fh = (*GameLib::fonts)[GameLib::FONT_MENU]->getHeight();
  const int32_t caretX = k.textX + (*GameLib::fonts)[GameLib::FONT_MENU]->stringWidth(k.text) + 4;
  const uint16_t caret = 0x52AA;  // 0x555555
  bool shown[4];
  for (bool& s : shown) {
    wait(501);
    menu->paint();
    s = gltest::canvasPixel(caretX, k.textY + fh) == caret;
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_EQ(shown[0], shown[2]);
  EXPECT_EQ(shown[1], shown[3]);
  wait(100);
  menu->paint();
  EXPECT_EQ(gltest::canvasPixel(caretX, k.textY + fh) == caret, shown[3]);
}

}  // namespace
