// Widget geometry: anchors over the parent's client or outer rectangle by layer, scrolling of layer 0, the
// client offset counted once on screen (by position, by the pointer and by painting), rectangle changes
// and their events, auto-size from the image, and the tree's operations.
#include <gtest/gtest.h>

#include <array>

#include "gamelib/GameLib.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gui/GUIFixture.h"

namespace {

using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using gamelib::ScreenCanvas;
using guitest::EventLog;

class GUIWidgetGeometryTest : public guitest::GUIFixture {
 protected:
  // A screen holding a parent at (20, 30), 100 x 80, whose client rectangle is (10, 5, 60, 50).
  void SetUp() override {
    GUIFixture::SetUp();
    screen = pushScreen();
    parent = widget(20, 30, 100, 80);
    parent->setClientRect(10, 5, 60, 50, false);
    screen->addChild(parent);
  }
  GUIWidgetPtr screen, parent;
};

TEST_F(GUIWidgetGeometryTest, AnchorsCountFromTheClientOrTheOuterRectangleByLayer) {
  struct Case {
    int32_t layer, parentAnchor, selfAnchor, x, y;
    int32_t screenX, screenY;
    // With the parent scrolled by (4, 6).
    int32_t scrolledX, scrolledY;
  };
  const Case cases[] = {
      {0, 0, 0, 2, 3, 32, 38, 28, 32},     {0, 10, 10, 0, 0, 55, 55, 51, 49},  // centred in the 60 x 50 client area
      {0, 5, 5, 0, 0, 80, 75, 76, 69},                                         // bottom-right corner of the client area
      {1, 0, 0, 2, 3, 22, 33, 22, 33},  // the frame layer counts from the outer origin and never scrolls
      {1, 5, 5, 0, 0, 110, 100, 110, 100}, {2, 2, 2, 0, 0, 65, 30, 65, 30},
  };
  for (const Case& c : cases) {
    GUIWidgetPtr child = widget(c.x, c.y, 10, 10);
    child->setLayer(c.layer);
    child->setAnchors(c.parentAnchor, c.selfAnchor);
    parent->addChild(child);
    parent->scrollX = parent->scrollY = 0;
    gamelib::GUIPoint at = child->getScreenPosition({});
    EXPECT_EQ(at.x, c.screenX) << "layer " << c.layer << " anchor " << c.parentAnchor;
    EXPECT_EQ(at.y, c.screenY) << "layer " << c.layer << " anchor " << c.parentAnchor;
    parent->scrollX = 4;
    parent->scrollY = 6;
    at = child->getScreenPosition({});
    EXPECT_EQ(at.x, c.scrolledX) << "layer " << c.layer << " anchor " << c.parentAnchor;
    EXPECT_EQ(at.y, c.scrolledY) << "layer " << c.layer << " anchor " << c.parentAnchor;
    parent->removeChild(child);
  }
}

TEST_F(GUIWidgetGeometryTest, TheClientOffsetIsCountedOnceByThePointerAndByPainting) {
  GUIWidgetPtr child = widget(2, 3, 10, 10);
  child->setAnimation(GUIWidget::ANIM_BACKGROUND, 0xF80000, -1, 0, 0);
  parent->addChild(child);
  screen->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
  guitest::clearScreen(0x0000F8);
  paint();
  // At (20 + 10 + 2, 30 + 5 + 3), 10 x 10.
  EXPECT_EQ(guitest::pixel(32, 38), guitest::to565(0xF80000));
  EXPECT_EQ(guitest::pixel(41, 47), guitest::to565(0xF80000));
  EXPECT_NE(guitest::pixel(31, 38), guitest::to565(0xF80000));
  EXPECT_NE(guitest::pixel(42, 48), guitest::to565(0xF80000));

  gamelib::GameLib::canvas->pointerPressed(33, 39);
  step();
  EXPECT_EQ(engine->pressedWidget.get(), child.get());
}

TEST_F(GUIWidgetGeometryTest, RectangleChangesRaiseGeometryEventsAndTheMovedBitForOneUpdate) {
  step();
  EventLog log;
  log.watch(parent, {GUIWidget::EVENT_GEOMETRY});
  parent->setRect(20, 30, 100, 80);
  drain();
  EXPECT_TRUE(log.codes.empty());
  EXPECT_FALSE(parent->hasState(GUIWidget::STATE_MOVED));

  parent->setSize(110, 90);  // not moved, only resized
  drain();
  EXPECT_EQ(log.codes.size(), 1u);
  EXPECT_FALSE(parent->hasState(GUIWidget::STATE_MOVED));
  // The client rectangle keeps its distance from the outer edges.
  EXPECT_EQ((std::array{parent->clientX, parent->clientY, parent->clientW, parent->clientH}),
            (std::array{10, 5, 70, 60}));

  parent->setPosition(25, 30);
  EXPECT_TRUE(parent->hasState(GUIWidget::STATE_MOVED));
  step();
  EXPECT_FALSE(parent->hasState(GUIWidget::STATE_MOVED));
}

TEST_F(GUIWidgetGeometryTest, ClientRectanglesGrowTheOuterOneOrAreCutToIt) {
  struct Case {
    int32_t cx, cy, cw, ch;
    bool grow;
    std::array<int32_t, 4> client;
    std::array<int32_t, 2> outer;
  };
  // From an outer size of 100 x 80 with the client rectangle (10, 5, 60, 50): margins 30 right, 25 below.
  const Case cases[] = {
      {10, 5, 70, 60, true, {10, 5, 70, 60}, {110, 90}},
      {0, 0, 60, 50, true, {0, 0, 60, 50}, {90, 75}},
      {10, 5, 95, 90, false, {10, 5, 90, 75}, {100, 80}},
      {10, 5, 20, 20, false, {10, 5, 20, 20}, {100, 80}},
  };
  for (const Case& c : cases) {
    GUIWidgetPtr w = widget(0, 0, 100, 80);
    w->setClientRect(10, 5, 60, 50, false);
    w->setClientRect(c.cx, c.cy, c.cw, c.ch, c.grow);
    EXPECT_EQ((std::array{w->clientX, w->clientY, w->clientW, w->clientH}), c.client);
    EXPECT_EQ((std::array{w->w, w->h}), c.outer);
  }
}

TEST_F(GUIWidgetGeometryTest, AutoSizeTakesTheImageSize) {
  GUIWidgetPtr button = widget(0, 0, 0, 0);
  button->sizeToImage = true;
  button->setClientRect(2, 2, 0, 0, true);  // a margin of 2 left and above
  button->setAnimation(GUIWidget::ANIM_IMAGE, nuv::microedition::lcdui::DImage::createMutableImage(12, 7), 0, 0);
  button->selectAnimations(false);
  gamelib::GUIRect r = button->getRect();
  EXPECT_EQ(button->clientW, 12);
  EXPECT_EQ(button->clientH, 7);
  EXPECT_EQ(r.width, 14);  // the left margin of 2; the right one was 0
  EXPECT_EQ(r.height, 9);
}

TEST_F(GUIWidgetGeometryTest, TreeOperations) {
  GUIWidgetPtr a = widget(0, 0, 5, 5, 1), b = widget(0, 0, 5, 5, 2), c = widget(0, 0, 5, 5, 3),
               d = widget(0, 0, 5, 5, 3);
  b->setLayer(GUIWidget::LAYER_FRAME);
  parent->addChild(b);
  parent->addChild(a);
  a->addChild(c);
  parent->addChild(d);
  // Layer 0 first, and a child's subtree before its next sibling.
  EXPECT_EQ(parent->findChild(3, true).get(), c.get());
  EXPECT_EQ(parent->findChild(3, false).get(), d.get());
  EXPECT_EQ(parent->findChild(2, false).get(), b.get());
  EXPECT_TRUE(parent->findChild(9, true).isNull());

  // A child added elsewhere leaves its old parent; removing a stranger changes nothing.
  screen->addChild(a);
  EXPECT_EQ(a->getParent().get(), screen.get());
  EXPECT_EQ(parent->layerChildren(0).indexOf(a), -1);
  parent->removeChild(c);
  EXPECT_EQ(c->getParent().get(), a.get());

  b->setLayer(GUIWidget::LAYER_OVERLAY);
  EXPECT_EQ(parent->layerChildren(1).size(), 0);
  EXPECT_EQ(parent->layerChildren(2).indexOf(b), 0);

  GUIWidgetPtr made = parent->addChild(nullptr);
  EXPECT_EQ(made->id, -1);
  EXPECT_EQ(made->getParent().get(), parent.get());
}

}  // namespace
