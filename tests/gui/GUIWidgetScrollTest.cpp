// Scrolling of a widget's client layer: the content rectangle and the limits it sets, easing towards the
// target, the scroll commands and their steps, and scrolling a child into view.
#include <gtest/gtest.h>

#include <vector>

#include "gui/GUIFixture.h"

namespace {

using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using guitest::EventLog;

// A list 100 x 100 whose client layer holds ten rows of 100 x 40: content 400 high.
class GUIWidgetScrollTest : public guitest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    screen = pushScreen();
    list = widget(0, 0, 100, 100);
    for (int32_t i = 0; i < 10; ++i) rows.push_back(list->addChild(widget(0, 40 * i, 100, 40)));
    screen->addChild(list);
    list->computeContentRect();
  }
  GUIWidgetPtr screen, list;
  std::vector<GUIWidgetPtr> rows;
};

TEST_F(GUIWidgetScrollTest, EasingMovesAnEighthOfTheWayOrJumpsTheLastLongStretch) {
  struct Case {
    int32_t from, to;
    std::vector<int32_t> positions;
  };
  // Three quarters of the client height (75) or more is crossed at once; never less than a pixel a frame.
  const Case cases[] = {
      {0, 60, {7, 13, 18, 23, 27, 31, 34, 37}},
      {0, 80, {80, 80}},
      {0, 5, {1, 2, 3, 4, 5, 5}},
      {100, 40, {93, 87, 82, 77, 73, 69, 66, 63}},
  };
  for (const Case& c : cases) {
    list->setScroll(0, c.from);
    list->setScrollTarget(0, c.to);
    std::vector<int32_t> seen;
    for (size_t i = 0; i < c.positions.size(); ++i) {
      list->scrollStep();
      seen.push_back(list->scrollY);
    }
    EXPECT_EQ(seen, c.positions) << c.from << " to " << c.to;
  }
}

TEST_F(GUIWidgetScrollTest, TheContentLimitsTheScrollAndAMoveIsReported) {
  EventLog log;
  log.watch(list, {GUIWidget::EVENT_SCROLLED});
  list->setScrollTarget(50, 1000);
  steps(3);
  // Past the end the target is pulled back to content height - client height; the rows are no wider than
  // the list, so it does not scroll sideways.
  EXPECT_EQ(list->scrollY, 300);
  EXPECT_EQ(list->scrollX, 0);
  EXPECT_EQ(list->scrollTargetY, 300);
  EXPECT_EQ(list->scrollTargetX, 0);
  EXPECT_EQ(log.codes.size(), 1u);  // one move, then the view stood still
  gamelib::GUIRect content = list->getContentRect();
  EXPECT_EQ(content.height, 400);
  list->setPadding(0, 5, 0, 7);
  list->computeContentRect();
  EXPECT_EQ(list->getContentRect().y, -5);
  EXPECT_EQ(list->getContentRect().height, 412);
}

TEST_F(GUIWidgetScrollTest, ScrollCommandsTurnBackPastTheViewWhenTheyReverse) {
  struct Case {
    bool down;
    int32_t current, target, step, result;
  };
  const Case cases[] = {
      {true, 100, 100, 30, 130},  {true, 100, 160, 30, 130},  // a scroll down under way starts again from the view
      {true, 100, 50, 30, 110},                               // an upward one is turned in steps past the view
      {false, 100, 100, 30, 70},  {false, 100, 40, 30, 70},
      {false, 100, 160, 30, 100}, {false, 10, 10, 30, 0},  // clamped at the top
      {true, 290, 290, 30, 300},                           // and at the bottom
      {true, 100, 100, 0, 140},                            // 0: an eighth of the 320-pixel screen
  };
  for (const Case& c : cases) {
    list->setScroll(0, c.current);
    list->scrollTargetY = c.target;
    if (c.down) {
      list->scrollDown(c.step);
    } else {
      list->scrollUp(c.step);
    }
    EXPECT_EQ(list->scrollTargetY, c.result) << (c.down ? "down " : "up ") << c.current << " " << c.target;
  }
  list->setScroll(0, 0);
  list->scrollToBottom();
  EXPECT_EQ(list->scrollTargetY, 300);
  list->scrollToTop();
  EXPECT_EQ(list->scrollTargetY, 0);
}

TEST_F(GUIWidgetScrollTest, AChildOutOfViewIsCentred) {
  list->scrollToChild(rows[1]);  // wholly inside: nothing moves
  EXPECT_EQ(list->scrollTargetY, 0);
  list->scrollToChild(rows[5]);  // 200..240: centred in the 100-pixel view
  EXPECT_EQ(list->scrollTargetY, 200 + 20 - 50);
  list->setScroll(0, 170);
  list->scrollToChild(rows[0]);
  EXPECT_EQ(list->scrollTargetY, -30);  // clamped only as the view moves
  steps(10);
  EXPECT_EQ(list->scrollY, 0);
  GUIWidgetPtr stranger = widget(0, 500, 10, 10);
  list->scrollToChild(stranger);
  EXPECT_EQ(list->scrollTargetY, 0);
}

}  // namespace
