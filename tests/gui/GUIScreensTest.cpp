// Screens: the stack of the engine and what is painted of it, the modal screen's soft buttons, the vertical
// scroll bar's arrows, pages, thumb and its arithmetic when nothing can scroll, and releasing it all.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/lang/DObject.h"
#include "gamelib/GameLib.h"
#include "gui/GUIAction.h"
#include "gui/GUIFixture.h"
#include "gui/GUIModalScreen.h"
#include "gui/GUIVScrollBar.h"

namespace {

using gamelib::GameLib;
using gamelib::GUIAction;
using gamelib::GUIActionPtr;
using gamelib::GUIModalScreen;
using gamelib::GUIModalScreenPtr;
using gamelib::GUIVScrollBar;
using gamelib::GUIVScrollBarPtr;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using guitest::EventLog;
using nuv::microedition::lcdui::DImage;

class GUIScreensTest : public guitest::GUIFixture {};

TEST_F(GUIScreensTest, TheStackShowsAndHidesScreens) {
  GUIWidgetPtr first = widget(0, 0, 240, 320), second = widget(0, 0, 240, 320);
  EventLog log;
  log.watch(first, {GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN});
  engine->popScreen();  // empty: nothing
  engine->pushScreen(first);
  engine->pushScreen(second);
  drain();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_SHOWN}));
  EXPECT_EQ(engine->getCurrentScreen().get(), second.get());
  EXPECT_TRUE(second->hasState(GUIWidget::STATE_FOCUSED));
  engine->closeWidget(second);
  engine->closeWidget(first);
  drain();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN}));
  EXPECT_TRUE(engine->getCurrentScreen().isNull());
  GUIWidgetPtr loose = widget(0, 0, 1, 1);
  engine->closeWidget(loose);  // without a parent: left alone
}

std::vector<GUIWidget*> painted;
void notePaint(GUIWidgetPtr widget, nuv::microedition::lcdui::DGraphicsPtr) { painted.push_back(widget.get()); }

TEST_F(GUIScreensTest, PaintingStartsAtTheTopmostScreenThatCoversTheDisplay) {
  struct Case {
    std::vector<std::array<int32_t, 4>> screens;  // bottom first
    bool topOnly;
    std::vector<int> painted;
  };
  const Case cases[] = {
      {{{0, 0, 240, 320}, {0, 0, 240, 320}, {10, 10, 50, 50}}, false, {1, 2}},
      {{{0, 0, 240, 320}, {10, 10, 50, 50}}, true, {1}},
      {{{5, 5, 100, 100}, {10, 10, 50, 50}}, false, {0, 1}},
  };
  for (const Case& c : cases) {
    std::vector<GUIWidgetPtr> made;
    for (const auto& r : c.screens) {
      GUIWidgetPtr s = widget(r[0], r[1], r[2], r[3]);
      s->postPaintHook = notePaint;
      engine->pushScreen(s);
      made.push_back(s);
    }
    painted.clear();
    engine->paintWidgets(c.topOnly);
    std::vector<int> seen;
    for (GUIWidget* w : painted) {
      for (size_t i = 0; i < made.size(); ++i) {
        if (made[i].get() == w) seen.push_back(static_cast<int>(i));
      }
    }
    EXPECT_EQ(seen, c.painted);
    engine->popAllScreens();
  }
}

TEST_F(GUIScreensTest, ModalSoftButtonsSitInTheBottomCornersAndSelectOrGoBack) {
  GUIModalScreenPtr modal = new GUIModalScreen(-1);
  for (const GUIWidgetPtr& button : {modal->getLeftButton(), modal->getRightButton()}) {
    button->setAnimation(GUIWidget::ANIM_IMAGE, DImage::createMutableImage(30, 12), 0, 0);
    button->setText(u"ok");
  }
  EventLog log;
  log.watch(modal, {GUIWidget::EVENT_SELECT, GUIWidget::EVENT_BACK});
  engine->pushScreen(modal);
  drain();
  EXPECT_EQ(modal->w, 240);
  EXPECT_EQ(modal->h, 320);
  gamelib::GUIPoint left = modal->getLeftButton()->getScreenPosition({});
  gamelib::GUIPoint right = modal->getRightButton()->getScreenPosition({});
  EXPECT_EQ((std::array{left.x, left.y}), (std::array{0, 308}));
  EXPECT_EQ((std::array{right.x, right.y}), (std::array{210, 308}));
  EXPECT_EQ(modal->getLeftButton()->layer, GUIWidget::LAYER_OVERLAY);

  GameLib::canvas->pointerPressed(5, 315);
  step();
  GameLib::canvas->pointerReleased(5, 315);
  step();
  GameLib::canvas->pointerPressed(235, 315);
  step();
  EXPECT_EQ(log.codes, (std::vector<int32_t>{GUIWidget::EVENT_SELECT, GUIWidget::EVENT_BACK}));

  // The overlay is painted over the screen: the button's text shows.
  guitest::clearScreen(0x0000F8);
  paint();
  EXPECT_GT(guitest::countOther(0, 308, 30, 12, guitest::to565(0xFFFFFF)), 0);
}

class ScrollBarTest : public guitest::GUIFixture {
 protected:
  // A list 100 x 100 holding content 300 high, its bar with a track 80 high between two 10-pixel arrows
  // and a thumb 20 high.
  void SetUp() override {
    GUIFixture::SetUp();
    screen = pushScreen();
    list = widget(0, 0, 100, 100);
    content = list->addChild(widget(0, 0, 100, 300));
    screen->addChild(list);
    bar = new GUIVScrollBar(list, 0, 0, 0, 0, -1);
    bar->setLayer(GUIWidget::LAYER_FRAME);
    bar->setRect(110, 0, 10, 100);
    bar->getUpArrow()->setAnimation(GUIWidget::ANIM_IMAGE, DImage::createMutableImage(10, 10), 0, 0);
    bar->getDownArrow()->setAnimation(GUIWidget::ANIM_IMAGE, DImage::createMutableImage(10, 10), 0, 0);
    bar->getThumb()->setAnimation(GUIWidget::ANIM_IMAGE, DImage::createMutableImage(10, 20), 0, 0);
    screen->addChild(bar);
    screen->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
    steps(2);
  }
  GUIActionPtr queued(int32_t type, int32_t code, std::vector<int32_t> data) {
    GUIActionPtr action = new GUIAction(type, 0, bar->getThumb(), nullptr);
    action->target = list;
    action->run(list, code, data.data(), static_cast<int32_t>(data.size() * 4));
    return action;
  }
  GUIWidgetPtr screen, list, content;
  GUIVScrollBarPtr bar;
};

TEST_F(ScrollBarTest, TheTrackFitsBetweenTheArrowsAndPagesDefaultToHalfTheList) {
  EXPECT_EQ(bar->getTrack()->h, 80);
  EXPECT_EQ(bar->getTrack()->getScreenPosition({}).y, 10);
  EventLog log;
  log.watch(bar->getTrack(), {GUIWidget::EVENT_GEOMETRY});
  step();
  EXPECT_TRUE(log.codes.empty());  // the right size already: not resized again

  list->handleEvent(GUIWidget::EVENT_PAGE_DOWN, false, nullptr, 0);
  drain();
  EXPECT_EQ(list->scrollTargetY, 50);
  list->setScroll(0, 0);
}

TEST_F(ScrollBarTest, TheThumbFollowsTheListAndPagesOrDragsIt) {
  list->setScroll(0, 100);
  list->scrollTargetY = 101;
  step();  // the list moves a pixel and reports it; the thumb follows: 101 x 60 / 200
  EXPECT_EQ(bar->getThumb()->y, 30);

  // A press on the track above the thumb pages up, below it pages down, on it does nothing.
  for (auto [y, target] : {std::pair{10, 51}, std::pair{70, 151}, std::pair{40, 101}}) {
    list->setScroll(0, 101);
    queued(GUIAction::TRACK_PRESSED, GUIWidget::EVENT_POINTER_HELD, {0, y});
    drain();
    EXPECT_EQ(list->scrollTargetY, target) << "press at " << y;
  }

  // Dragging the thumb to y 50 of the track puts its centre there: thumb at 40, scroll 200 x 40 / 60.
  queued(GUIAction::THUMB_DRAGGED, GUIWidget::EVENT_POINTER_DRAGGED, {0, 0, 0, 50 - 30});
  drain();
  EXPECT_EQ(bar->getThumb()->y, 40);
  EXPECT_EQ(list->scrollY, 133);
  EXPECT_EQ(list->scrollTargetY, 133);
}

TEST_F(ScrollBarTest, NothingDividesByZeroWhenTheContentFitsOrTheThumbFillsTheTrack) {
  bar->getThumb()->setPosition(0, 7);
  // The content fits: nothing to scroll.
  content->setSize(100, 100);
  list->computeContentRect();
  queued(GUIAction::THUMB_FOLLOWS, GUIWidget::EVENT_SCROLLED, {});
  queued(GUIAction::THUMB_DRAGGED, GUIWidget::EVENT_POINTER_DRAGGED, {0, 0, 0, 40});
  drain();
  EXPECT_EQ(bar->getThumb()->y, 7);
  EXPECT_EQ(list->scrollY, 0);
  // The thumb as tall as the track: it cannot move.
  content->setSize(100, 300);
  list->computeContentRect();
  bar->getThumb()->setAnimation(GUIWidget::ANIM_IMAGE, DImage::createMutableImage(10, 80), 0, 0);
  bar->getThumb()->selectAnimations(false);
  bar->getThumb()->autoSize();
  ASSERT_EQ(bar->getThumb()->h, bar->getTrack()->clientH);
  list->setScroll(0, 60);
  queued(GUIAction::THUMB_FOLLOWS, GUIWidget::EVENT_SCROLLED, {});
  queued(GUIAction::THUMB_DRAGGED, GUIWidget::EVENT_POINTER_DRAGGED, {0, 0, 0, 40});
  drain();
  EXPECT_EQ(bar->getThumb()->y, 7);
  EXPECT_EQ(list->scrollY, 60);
}

TEST_F(ScrollBarTest, HoldingAnArrowScrollsEveryStep) {
  GameLib::canvas->pointerPressed(115, 95);
  step();
  EXPECT_EQ(list->scrollTargetY, 40);  // an eighth of the 320-pixel screen
  steps(2);
  // Each step eases the view on by an eighth and sets the target a step beyond it again.
  EXPECT_EQ(list->scrollY, 10);
  EXPECT_EQ(list->scrollTargetY, 50);
}

TEST_F(ScrollBarTest, DisposingReleasesEveryWidgetAndTheEngine) {
  // Every widget made here is released: count them through a marker of its own.
  static int alive = 0;
  struct Counted : GUIWidget {
    Counted() : GUIWidget(-1) { ++alive; }
    ~Counted() override { --alive; }
  };
  GUIWidgetPtr a = new Counted(), b = new Counted();
  a->addChild(b);
  b->setNewTargetAction(a, 1, GUIAction::SEND_EVENT, 0, nullptr);
  screen->addChild(a);
  a = b = nullptr;
  EXPECT_EQ(alive, 2);
  gamelib::GUIEnginePtr old = engine;
  engine = nullptr;
  gamelib::GUIEngine::disposeAll();
  screen = list = content = nullptr;
  bar = nullptr;
  EXPECT_EQ(alive, 0);
  EXPECT_FALSE(gamelib::GUIEngine::hasInstance());
  EXPECT_NE(gamelib::GUIEngine::getInstance().get(), old.get());
  engine = gamelib::GUIEngine::getInstance();
}

}  // namespace
