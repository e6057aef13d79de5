// Widget animations: the binding that matches the state best, transitions that hold a state change until
// they have played, the pressed bit falling back, and painting boxes and tiled pictures.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DInteger.h"
#include "gamelib/Animation.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIFixture.h"

namespace {

using gamelib::GUIAnimation;
using gamelib::GUIAnimationPtr;
using gamelib::GUIWidget;
using gamelib::GUIWidgetAnimation;
using gamelib::GUIWidgetPtr;
using guitest::EventLog;
using nuv::microedition::lcdui::DImage;

constexpr uint32_t T = GUIWidgetAnimation::kTransition;

class GUIAnimationTest : public guitest::GUIFixture {
 protected:
  GUIAnimationPtr box(int32_t fill) { return new GUIAnimation(fill, GUIAnimation::kNoColour); }
};

TEST_F(GUIAnimationTest, TheBindingMatchingMostStateBitsWins) {
  struct Binding {
    uint32_t bits, mask;
  };
  struct Case {
    std::vector<Binding> bindings;
    uint32_t state;
    int chosen;  // index of the binding, -1 none
  };
  const Case cases[] = {
      {{{1, 1}, {5, 5}}, 5, 1},  // score 2 against 1
      {{{1, 1}, {5, 5}}, 1, 0},  // 5 matches bit 1 only, so does 1: the first wins
      {{{5, 5}, {1, 1}}, 1, 0},  // equal scores: the one added first
      {{{4, 4}}, 3, 0},          // a steady binding always applies, even with no bit in common
      {{{0, 0}, {4, 4}}, 7, 1},  // "every state" and the focused state
      {{{0, 0}, {4, 4}}, 3, 0},
      {{{0, 0}, {4, T | 4}}, 7, 0},  // transition bindings never take part in the steady choice
  };
  for (const Case& c : cases) {
    GUIWidgetPtr w = widget(0, 0, 10, 10);
    std::vector<GUIAnimationPtr> made;
    for (const Binding& b : c.bindings) {
      made.push_back(box(0));
      w->setAnimation(GUIWidget::ANIM_BACKGROUND, made.back(), b.bits, b.mask);
    }
    w->state = w->targetState = c.state;
    w->selectAnimations(false);
    GUIAnimationPtr got = w->getAnimation(GUIWidget::ANIM_BACKGROUND);
    EXPECT_EQ(got.get(), c.chosen < 0 ? nullptr : made[c.chosen].get()) << "state " << c.state;
  }
}

TEST_F(GUIAnimationTest, BindingsWithTheSameBitsAreReplacedAndNullRemovesThem) {
  GUIWidgetPtr w = widget(0, 0, 10, 10);
  GUIAnimationPtr first = box(1), second = box(2);
  w->setAnimation(GUIWidget::ANIM_IMAGE, first, 4, 4);
  w->setAnimation(GUIWidget::ANIM_IMAGE, second, 4, 4);
  w->selectAnimations(false);
  EXPECT_EQ(w->getAnimation(GUIWidget::ANIM_IMAGE).get(), second.get());
  w->setAnimation(GUIWidget::ANIM_IMAGE, GUIAnimationPtr(), 4, 4);
  EXPECT_EQ(w->selectAnimations(false), 0);
  EXPECT_TRUE(w->getAnimation(GUIWidget::ANIM_IMAGE).isNull());
}

TEST_F(GUIAnimationTest, ATransitionHoldsTheChangeUntilItHasPlayedAndPressedFallsBack) {
  GUIWidgetPtr screen = pushScreen();
  GUIWidgetPtr w = widget(0, 0, 20, 20);
  screen->addChild(w);
  EventLog log;
  log.watch(w, {GUIWidget::EVENT_STATE_SET + 3, GUIWidget::EVENT_STATE_CLEARED + 3});
  GUIAnimationPtr steady = box(0xF80000);
  w->setAnimation(GUIWidget::ANIM_IMAGE, steady, 0, 0);
  // A frame animation that does not loop: finished once painted.
  GUIAnimationPtr flash = new GUIAnimation(new gamelib::Animation(), false);
  w->setAnimation(GUIWidget::ANIM_BACKGROUND, flash, GUIWidget::STATE_PRESSED, T | GUIWidget::STATE_PRESSED);
  // A transition binding whose bits are not changing is never chosen: the focus commits at once.
  w->setFocused(true);
  EXPECT_TRUE(w->hasState(GUIWidget::STATE_FOCUSED));

  w->setState(GUIWidget::STATE_PRESSED, true);
  EXPECT_FALSE(w->hasState(GUIWidget::STATE_PRESSED));
  EXPECT_TRUE(w->hasTargetState(GUIWidget::STATE_PRESSED));
  // While it runs only the transition table answers: the steady image is no fallback.
  EXPECT_EQ(w->getAnimation(GUIWidget::ANIM_BACKGROUND).get(), flash.get());
  EXPECT_TRUE(w->getAnimation(GUIWidget::ANIM_IMAGE).isNull());
  drain();
  EXPECT_TRUE(log.codes.empty());

  paint();  // plays the flash; the change completes, and the pressed bit falls back at once
  drain();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_STATE_SET + 3, GUIWidget::EVENT_STATE_CLEARED + 3}));
  EXPECT_FALSE(w->hasState(GUIWidget::STATE_PRESSED));
  EXPECT_FALSE(w->hasTargetState(GUIWidget::STATE_PRESSED));
  EXPECT_EQ(w->getAnimation(GUIWidget::ANIM_IMAGE).get(), steady.get());
  EXPECT_FALSE(flash->isFinished());  // rewound for the next time
}

TEST_F(GUIAnimationTest, BoxesAndTiledPictures) {
  auto g = gamelib::GameLib::graphics;
  guitest::clearScreen(0x0000F8);
  GUIAnimationPtr nothing = box(GUIAnimation::kNoColour);
  nothing->paintArea(g, 0, 0, 20, 20);
  EXPECT_EQ(gltest::countCanvasPixels(guitest::to565(0x0000F8)), 240 * 320);

  GUIAnimationPtr framed = new GUIAnimation(0xF80000, 0x00FC00);
  framed->paintArea(g, 10, 10, 6, 4);
  EXPECT_EQ(guitest::pixel(10, 10), guitest::to565(0x00FC00));  // the outline
  EXPECT_EQ(guitest::pixel(12, 12), guitest::to565(0xF80000));  // the fill
  EXPECT_EQ(guitest::pixel(16, 12), guitest::to565(0x0000F8));  // the area's clip cuts the extra column
  EXPECT_EQ(framed->width, 0);                                  // its own size is kept

  // A 3 x 3 picture, its left column white, tiled over 10 x 5 from the right edge: r = 1, first at x - 2.
  nuv::microedition::lcdui::DImagePtr tile = DImage::createMutableImage(3, 3);
  auto tg = tile->getGraphics();
  tg->setColor(0x000000);
  tg->fillRect(1, 0, 1, 2);
  GUIAnimationPtr tiled = new GUIAnimation(tile);
  tiled->tileAlign = gamelib::ALIGN_RIGHT;
  guitest::clearScreen(0x0000F8);
  tiled->paintArea(g, 50, 50, 10, 5);
  std::vector<int32_t> whiteColumns;
  for (int32_t x = 45; x < 65; ++x) {
    if (guitest::pixel(x, 50) == guitest::to565(0xFFFFFF)) whiteColumns.push_back(x);
  }
  EXPECT_EQ(whiteColumns, (std::vector<int32_t>{51, 54, 57}));
  EXPECT_EQ(guitest::pixel(50, 55), guitest::to565(0x0000F8));  // clipped below the area
}

}  // namespace
