// Input: held keys become events of the focused widgets with a repeat time on a fixed clock, children
// before their parents; events that need the focus; the pointer's pressed widget, its press, hold and drag
// events and state bits.
#include <gtest/gtest.h>

#include <vector>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gui/GUIFixture.h"

namespace {

using gamelib::GameLib;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using gamelib::ScreenCanvas;
using guitest::EventLog;

class GUIWidgetInputTest : public guitest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    screen = pushScreen();
    a = widget(10, 10, 50, 50);
    b = widget(30, 30, 50, 50);
    screen->addChild(a);
    screen->addChild(b);
  }
  GUIWidgetPtr screen, a, b;
};

TEST_F(GUIWidgetInputTest, AHeldKeyRepeatsAfterMoreThanTheRepeatTime) {
  EventLog log;
  log.watch(screen, {GUIWidget::EVENT_DOWN});
  advance(201);
  ScreenCanvas::held[gamelib::GameAction::Down] = true;
  struct Case {
    int64_t after;
    size_t events;
  };
  // Milliseconds since the previous pass, and the events so far.
  const Case cases[] = {{0, 1}, {100, 1}, {100, 1}, {1, 2}, {200, 2}, {1, 3}, {0, 3}};
  for (const Case& c : cases) {
    advance(c.after);
    step();
    EXPECT_EQ(log.codes.size(), c.events) << "after " << c.after;
  }
  ScreenCanvas::held[gamelib::GameAction::Down] = false;
  advance(500);
  step();
  EXPECT_EQ(log.codes.size(), 3u);
}

TEST_F(GUIWidgetInputTest, KeysReachChildrenFirstAndOnlyFocusedWidgets) {
  EventLog log;
  log.watch(screen, {GUIWidget::EVENT_FIRE, GUIWidget::EVENT_KEY});
  log.watch(a, {GUIWidget::EVENT_FIRE});
  advance(201);
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  step();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_FIRE}));  // the screen's own: a is not focused
  log.clear();
  a->setFocused(true);
  advance(201);
  step();
  EXPECT_EQ(log.codes.size(), 1u);  // a handled it; the screen did not
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;

  // Any key goes to the focused widget with its code; a handles only fire, so the screen gets it.
  log.clear();
  ScreenCanvas::anyKey = true;
  ScreenCanvas::lastKeyCode = 53;
  advance(201);
  step();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_KEY}));
  EXPECT_EQ(log.data[0], (std::vector<int32_t>{53}));
  EXPECT_FALSE(ScreenCanvas::anyKey);

  // Codes 1, 2, 3 and 8 to 11 reach neither the actions nor the children of an unfocused widget.
  log.clear();
  a->setFocused(false);
  b->setFocused(true);
  EXPECT_FALSE(a->handleEvent(GUIWidget::EVENT_FIRE, true, nullptr, 0));
  EXPECT_FALSE(a->handleEvent(GUIWidget::EVENT_KEY, true, nullptr, 0));
  screen->handleEvent(GUIWidget::EVENT_FIRE, true, nullptr, 0);
  drain();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_FIRE}));  // the screen's only
}

TEST_F(GUIWidgetInputTest, ThePressedWidgetIsChosenWhenThePointerGoesDown) {
  EventLog log;
  log.watch(a, {GUIWidget::EVENT_POINTER_PRESSED, GUIWidget::EVENT_POINTER_HELD, GUIWidget::EVENT_POINTER_DRAGGED});
  // Both cover (40, 40); within a layer the first child is visited last, so a wins.
  GameLib::canvas->pointerPressed(40, 40);
  step();
  EXPECT_EQ(engine->pressedWidget.get(), a.get());
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_POINTER_PRESSED, GUIWidget::EVENT_POINTER_HELD}));
  EXPECT_EQ(log.data[0], (std::vector<int32_t>{30, 30}));  // relative to a
  EXPECT_TRUE(a->hasState(GUIWidget::STATE_HELD));

  // While it stays down the choice holds, wherever the pointer goes; the hold repeats every step.
  log.clear();
  GameLib::canvas->pointerDragged(70, 75);
  step();
  EXPECT_EQ(engine->pressedWidget.get(), a.get());
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_POINTER_DRAGGED, GUIWidget::EVENT_POINTER_HELD}));
  EXPECT_EQ(log.data[0], (std::vector<int32_t>{30, 30, 60, 65}));
  EXPECT_TRUE(a->hasState(GUIWidget::STATE_DRAGGED));

  GameLib::canvas->pointerReleased(70, 75);
  step();
  EXPECT_TRUE(engine->pressedWidget.isNull());
  EXPECT_FALSE(a->hasState(GUIWidget::STATE_HELD));
  EXPECT_FALSE(a->hasState(GUIWidget::STATE_DRAGGED));

  // A widget that ignores the pointer, or is hidden, is passed over.
  a->ignorePointer = true;
  GameLib::canvas->pointerPressed(40, 40);
  step();
  EXPECT_EQ(engine->pressedWidget.get(), b.get());
  GameLib::canvas->pointerReleased(40, 40);
  step();
  b->setState(GUIWidget::STATE_VISIBLE, false);
  GameLib::canvas->pointerPressed(70, 70);
  step();
  EXPECT_EQ(engine->pressedWidget.get(), screen.get());
}

}  // namespace
