// The input queue of the screen canvas, the pen state, and the game actions one queued key gives a step.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DintArray2d.h"
#include "gamelib/GameLibFixture.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;

class InputTest : public gltest::GameLibFixture {
 protected:
  ScreenCanvas& canvas() { return *GameLib::canvas; }
  // Runs n steps' worth of key processing and returns the held flag of the action after each.
  std::vector<bool> stepsHolding(int32_t action, int n) {
    std::vector<bool> seen;
    for (int i = 0; i < n; ++i) {
      ScreenCanvas::pump();
      seen.push_back(ScreenCanvas::held[action]);
    }
    return seen;
  }
};

TEST_F(InputTest, QueueFillsFromTheFrontAndOverwritesItsLastEntryWhenFull) {
  EXPECT_EQ(ScreenCanvas::readIndex, -1);
  canvas().keyPressed('1');
  EXPECT_EQ(ScreenCanvas::readIndex, 0);
  EXPECT_EQ(ScreenCanvas::writeIndex, 0);
  ScreenCanvas::pump();
  EXPECT_EQ(ScreenCanvas::lastKeyCode, '1');
  EXPECT_EQ(ScreenCanvas::readIndex, -1);

  // 1025 presses: the first 1023 stay, the last entry holds only the newest.
  for (int32_t i = 0; i < 1025; ++i) canvas().keyPressed(1000 + i);
  EXPECT_EQ(ScreenCanvas::writeIndex, 1023);
  EXPECT_EQ(ScreenCanvas::queue[1022].code, 2022);
  EXPECT_EQ(ScreenCanvas::queue[1023].code, 2024);
  std::vector<int32_t> taken;
  while (ScreenCanvas::readIndex >= 0) {
    ScreenCanvas::pump();
    taken.push_back(ScreenCanvas::lastKeyCode);
  }
  ASSERT_EQ(taken.size(), 1024u);
  EXPECT_EQ(taken[0], 1000);
  EXPECT_EQ(taken[1022], 2022);
  EXPECT_EQ(taken[1023], 2024);
  // Empty again: the next event starts at index 0.
  canvas().keyReleased('2');
  EXPECT_EQ(ScreenCanvas::writeIndex, 0);
}

TEST_F(InputTest, PressAndReleaseHoldForExactlyOneStepAndRepeatIsAPress) {
  canvas().keyPressed('5');
  canvas().keyReleased('5');
  EXPECT_EQ(stepsHolding(gamelib::GameAction::Fire, 3), (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(ScreenCanvas::anyKey);  // a release never clears it
  canvas().keyRepeated(38);
  EXPECT_EQ(stepsHolding(gamelib::GameAction::Up, 1), (std::vector<bool>{true}));
  // The application's pause queues the pause key as a press and a release; before the canvas, nothing.
  app->pauseApp();
  EXPECT_EQ(stepsHolding(gamelib::GameAction::Pause, 2), (std::vector<bool>{true, false}));
  gamelib::ScreenCanvasPtr made = GameLib::canvas;
  GameLib::canvas = nullptr;
  app->pauseApp();
  GameLib::canvas = made;
  EXPECT_EQ(ScreenCanvas::readIndex, -1);
}

TEST_F(InputTest, KeysMapToActionsSelectAndBack) {
  struct Case {
    int32_t code;
    int32_t heldAction;  // -1: no held flag
    bool select;
    bool back;
  } cases[] = {
      {'2', 0, false, false},    {40, 1, false, false},     {'4', 2, false, false},   {39, 3, false, false},
      {13, 4, false, false},     {10002, 4, false, false},  {'1', 5, false, false},   {'3', 6, false, false},
      {'7', 7, false, false},    {'9', 8, false, false},    {10000, -1, true, false}, {10001, -1, false, true},
      {10004, 11, false, false}, {10003, 12, false, false}, {-4, 13, false, false},   {-2, 14, false, false},
      {-3, 15, false, false},    {'0', -1, false, false},   {'X', -1, false, false},
  };
  for (const Case& c : cases) {
    ScreenCanvas::resetInput();
    ScreenCanvas::processKey(c.code, true);
    for (int32_t a = 0; a < gamelib::GameAction::Count; ++a)
      EXPECT_EQ(ScreenCanvas::held[a], a == c.heldAction) << c.code;
    EXPECT_EQ(ScreenCanvas::select, c.select) << c.code;
    EXPECT_EQ(ScreenCanvas::back, c.back) << c.code;
    EXPECT_TRUE(ScreenCanvas::anyKey) << c.code;
    EXPECT_EQ(ScreenCanvas::lastKeyCode, c.code);
    ScreenCanvas::processKey(c.code, false);
    for (bool flag : ScreenCanvas::held) EXPECT_FALSE(flag) << c.code;
    EXPECT_FALSE(ScreenCanvas::select || ScreenCanvas::back) << c.code;
  }

  // The second soft keys of the keys table act as select and back whatever their action.
  GameLib::leftSoftKey2 = '5';
  GameLib::rightSoftKey2 = 'X';
  ScreenCanvas::resetInput();
  ScreenCanvas::processKey('5', true);
  ScreenCanvas::processKey('X', true);
  EXPECT_TRUE(ScreenCanvas::select);
  EXPECT_TRUE(ScreenCanvas::held[gamelib::GameAction::Fire]);
  EXPECT_TRUE(ScreenCanvas::back);
}

TEST_F(InputTest, KeyMapsOfTheCanvasDecideTheAction) {
  nuv::lang::DintArray2dPtr map = new nuv::lang::DintArray2d(16);
  nuv::lang::DintArrayPtr fireKeys = new nuv::lang::DintArray(1);
  (*fireKeys)[0] = 'F';
  (*map)[gamelib::GameAction::Fire] = fireKeys;
  canvas().setKeyMap(1, map);
  canvas().selectKeyMap(1);
  ScreenCanvas::processKey('5', true);
  EXPECT_FALSE(ScreenCanvas::held[gamelib::GameAction::Fire]);
  ScreenCanvas::processKey('F', true);
  EXPECT_TRUE(ScreenCanvas::held[gamelib::GameAction::Fire]);
}

TEST_F(InputTest, HiddenSequenceTakesTwoDigitsAfterThreeMatchingKeys) {
  // Star, hash, star, then two digits.
  struct Case {
    std::vector<int32_t> presses;
    bool done;
    int32_t number;
  } cases[] = {
      {{10004, 10003, 10004, '4', '2'}, true, 42},        {{10004, 10003, 10004, '0', '7'}, true, 7},
      {{10004, '5', 10003, 10004, '1', '2'}, false, 0},    // a wrong press restarts the match
      {{10004, 10004, 10003, 10004, '1', '2'}, false, 0},  // and is not tested against the first entry
      {{'1', 10004, 10003, 10004, '9', '9'}, true, 99},
  };
  for (const Case& c : cases) {
    ScreenCanvas::resetInput();
    ScreenCanvas::sequenceDone = false;
    ScreenCanvas::sequenceNumber = 0;
    for (int32_t code : c.presses) {
      ScreenCanvas::processKey(code, true);
      ScreenCanvas::processKey(code, false);
    }
    EXPECT_EQ(ScreenCanvas::sequenceDone, c.done) << c.presses.size();
    EXPECT_EQ(ScreenCanvas::sequenceNumber, c.number);
  }
  // The digit presses are consumed: no action, no last key code.
  ScreenCanvas::resetInput();
  for (int32_t code : {10004, 10003, 10004}) ScreenCanvas::processKey(code, true);
  ScreenCanvas::anyKey = false;
  ScreenCanvas::processKey('2', true);
  EXPECT_FALSE(ScreenCanvas::held[gamelib::GameAction::Up]);
  EXPECT_FALSE(ScreenCanvas::anyKey);
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 10004);
}

TEST_F(InputTest, PenPressReleaseDragAndDoubleTap) {
  struct Case {
    uint64_t gap;
    bool doubleTap;
  } cases[] = {{299, true}, {300, false}, {0, true}, {5000, false}};
  for (const Case& c : cases) {
    canvas().pointerPressed(1, 1);
    platform::advanceManualClock(c.gap);
    canvas().pointerPressed(10, 20);
    EXPECT_EQ(ScreenCanvas::doubleTap, c.doubleTap) << c.gap;
    platform::advanceManualClock(1000);
  }
  EXPECT_TRUE(ScreenCanvas::pointerDown);
  EXPECT_EQ(ScreenCanvas::previousX, 10);
  EXPECT_EQ(ScreenCanvas::previousY, 20);
  canvas().pointerDragged(15, 25);
  canvas().pointerDragged(30, 40);
  EXPECT_TRUE(ScreenCanvas::dragging);
  EXPECT_EQ(ScreenCanvas::previousX, 15);
  EXPECT_EQ(ScreenCanvas::previousY, 25);
  EXPECT_EQ(ScreenCanvas::pointerX, 30);
  canvas().pointerReleased(31, 41);
  EXPECT_FALSE(ScreenCanvas::pointerDown || ScreenCanvas::dragging);
  EXPECT_EQ(ScreenCanvas::pointerY, 41);
  EXPECT_EQ(ScreenCanvas::previousY, 25);
}

TEST_F(InputTest, ClearKeysKeepsPositionsAndResetInputClearsThem) {
  canvas().pointerPressed(7, 8);
  ScreenCanvas::processKey('2', true);
  ScreenCanvas::processKey(10000, true);
  ScreenCanvas::spare = true;
  canvas().keyPressed('4');
  ScreenCanvas::clearKeys();
  EXPECT_FALSE(ScreenCanvas::held[gamelib::GameAction::Up] || ScreenCanvas::select || ScreenCanvas::spare ||
               ScreenCanvas::anyKey || ScreenCanvas::pointerDown);
  EXPECT_EQ(ScreenCanvas::readIndex, -1);
  EXPECT_EQ(ScreenCanvas::pointerX, 7);
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 10000);
  ScreenCanvas::resetInput();
  EXPECT_EQ(ScreenCanvas::pointerX, 0);
  EXPECT_EQ(ScreenCanvas::previousY, 0);
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 0);
  EXPECT_EQ(ScreenCanvas::lastPressTime, 0);
}

}  // namespace
