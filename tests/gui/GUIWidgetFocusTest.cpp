// Focus: one focused child per parent, the focus climbing to the parents, navigation by focus order with
// wrap-around, children that never take it by navigation, and moving by position.
#include <gtest/gtest.h>

#include <vector>

#include "gui/GUIFixture.h"

namespace {

using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;

// Five rows in a list: orders 0, 1, 2, then one at -1 and one that is disabled.
class GUIWidgetFocusTest : public guitest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    screen = pushScreen();
    list = widget(0, 0, 100, 200);
    screen->addChild(list);
    for (int32_t i = 0; i < 5; ++i) rows.push_back(list->addChild(widget(0, 30 * i, 100, 30, i)));
    for (int32_t i = 0; i < 3; ++i) rows[i]->focusOrder = 2 - i;  // orders opposite to the rows
    rows[4]->focusOrder = 3;
    rows[4]->setState(GUIWidget::STATE_ENABLED, false);
  }
  int32_t focused() {
    int32_t found = -1, count = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i]->hasState(GUIWidget::STATE_FOCUSED)) {
        found = static_cast<int32_t>(i);
        ++count;
      }
    }
    return count > 1 ? -2 : found;
  }
  GUIWidgetPtr screen, list;
  std::vector<GUIWidgetPtr> rows;
};

TEST_F(GUIWidgetFocusTest, NavigationFollowsTheOrderAndWraps) {
  // Row 2 has order 0, row 0 order 2.
  list->focusNext();  // none focused yet: the first
  EXPECT_EQ(focused(), 2);
  list->focusNext();
  EXPECT_EQ(focused(), 1);
  list->focusNext();
  EXPECT_EQ(focused(), 0);
  list->focusNext();  // past the highest order: wraps; the disabled row and the one at -1 are skipped
  EXPECT_EQ(focused(), 2);
  list->focusPrevious();
  EXPECT_EQ(focused(), 0);
  list->focusLast();
  EXPECT_EQ(focused(), 0);
  list->focusFirst();
  EXPECT_EQ(focused(), 2);
  EXPECT_EQ(list->focusedChild.get(), rows[2].get());
}

TEST_F(GUIWidgetFocusTest, TheFocusClimbsAndStaysWithOneChild) {
  rows[3]->setFocused(true);  // order -1 is only skipped by navigation
  EXPECT_EQ(focused(), 3);
  EXPECT_TRUE(list->hasState(GUIWidget::STATE_FOCUSED));
  EXPECT_TRUE(screen->hasState(GUIWidget::STATE_FOCUSED));
  EXPECT_EQ(screen->focusedChild.get(), list.get());
  rows[1]->setFocused(true);
  EXPECT_EQ(focused(), 1);
  rows[1]->setFocused(false);
  EXPECT_EQ(focused(), -1);
  EXPECT_TRUE(list->focusedChild.isNull());
  rows[4]->setFocused(true);  // disabled
  EXPECT_EQ(focused(), -1);
  // A widget outside the client layer ignores the focus.
  GUIWidgetPtr frame = widget(0, 0, 5, 5);
  frame->setLayer(GUIWidget::LAYER_FRAME);
  list->addChild(frame);
  frame->setFocused(true);
  EXPECT_FALSE(frame->hasState(GUIWidget::STATE_FOCUSED));
}

TEST_F(GUIWidgetFocusTest, NavigationWaitsWhileTheFocusMoves) {
  list->focusLock = true;
  list->focusNext();
  EXPECT_EQ(focused(), -1);
}

TEST_F(GUIWidgetFocusTest, VerticalMovesToTheTopmostRowAboveOrTheLowestBelow) {
  list->focusVertical();  // none focused: the last by order
  EXPECT_EQ(focused(), 0);
  rows[1]->setFocused(true);
  list->focusVertical();  // the topmost of the rows above
  EXPECT_EQ(focused(), 0);
  list->focusVertical();  // none above: the lowest below that navigation may reach
  EXPECT_EQ(focused(), 2);
}

}  // namespace
