// Actions: a chain queued in order and run only when the host drains the queue, actions raised while it
// drains, a chain that keeps raising itself running once per step, and what each action type does.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gui/GUIAction.h"
#include "gui/GUIFixture.h"
#include "platform/api/shell.h"

namespace {

using gamelib::GameLib;
using gamelib::GUIAction;
using gamelib::GUIActionPtr;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using guitest::EventLog;
using nuv::lang::DString;

int hooksRun = 0;
void countHook(GUIActionPtr) { ++hooksRun; }

class GUIActionTest : public guitest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    hooksRun = 0;
    screen = pushScreen();
    list = widget(0, 0, 100, 100, 7);
    for (int32_t i = 0; i < 3; ++i) {
      GUIWidgetPtr row = list->addChild(widget(0, 80 * i, 100, 80, 10 + i));
      row->focusOrder = i;
    }
    screen->addChild(list);
    drain();
  }
  GUIWidgetPtr row(int32_t i) { return static_cast<GUIWidget*>(list->layerChildren(0).elementAt(i)); }
  // Queues one action of the type with the list as its target and runs it.
  void run(int32_t type, int32_t arg, nuv::lang::DObjectPtr param = nullptr, int32_t code = 99,
           std::vector<int32_t> data = {}) {
    GUIActionPtr action = new GUIAction(type, arg, std::move(param), countHook);
    action->target = list;
    action->run(list, code, data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size() * 4));
    drain();
  }
  GUIWidgetPtr screen, list;
};

TEST_F(GUIActionTest, AChainIsQueuedInOrderAndRunsWhenTheQueueIsDrained) {
  std::vector<int> order;
  static std::vector<int>* seen;
  seen = &order;
  list->setNewAction(50, 0, 0, nullptr, [](GUIActionPtr) { seen->push_back(1); });
  list->addNewAction(50, 0, 0, nullptr, [](GUIActionPtr) { seen->push_back(2); });
  list->addNewAction(50, 0, 0, nullptr, [](GUIActionPtr) { seen->push_back(3); });
  EXPECT_TRUE(list->handleEvent(50, false, nullptr, 0));
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(engine->actionQueue->size(), 3);
  EXPECT_EQ(drain(), 3);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  // "set" replaces the chain.
  list->setNewAction(50, 0, 0, nullptr, [](GUIActionPtr) { seen->push_back(4); });
  list->handleEvent(50, false, nullptr, 0);
  drain();
  EXPECT_EQ(order.back(), 4);
  EXPECT_EQ(order.size(), 4u);
}

TEST_F(GUIActionTest, ActionsRaisedWhileDrainingRunInTheSameStepButAChainThatRaisesItselfOnlyOnce) {
  EventLog log;
  log.watch(row(0), {60});
  list->setNewTargetAction(row(0), 61, GUIAction::SEND_EVENT, 60, nullptr);
  list->handleEvent(61, false, nullptr, 0);
  EXPECT_EQ(drain(), 2);
  EXPECT_EQ(log.codes.size(), 1u);

  // An action that sends the event it is bound to: each run queues itself again.
  list->setNewAction(62, GUIAction::SEND_EVENT, 0, nullptr, countHook);
  list->handleEvent(62, false, nullptr, 0);
  step();
  EXPECT_EQ(hooksRun, 1);
  EXPECT_EQ(engine->actionQueue->size(), 1);
  step();
  EXPECT_EQ(hooksRun, 2);
}

TEST_F(GUIActionTest, SendingAnEventForwardsItsDataOnlyUnderItsOwnCode) {
  EventLog log;
  log.watch(list, {70, 71});
  run(GUIAction::SEND_EVENT, 0, nullptr, 70, {5, 6});
  run(GUIAction::SEND_EVENT, 71, nullptr, 70, {5, 6});
  EXPECT_EQ(log.codes, (std::vector<int32_t>{70, 71}));
  EXPECT_EQ(log.data[0], (std::vector<int32_t>{5, 6}));
  EXPECT_TRUE(log.data[1].empty());
  // To the screen, through its whole tree: only the focused reach fire.
  log.clear();
  EventLog rows;
  rows.watch(row(0), {GUIWidget::EVENT_FIRE});
  rows.watch(row(1), {GUIWidget::EVENT_FIRE});
  row(1)->setFocused(true);
  run(GUIAction::SEND_SCREEN_EVENT, GUIWidget::EVENT_FIRE);
  EXPECT_EQ(rows.codes.size(), 1u);
}

TEST_F(GUIActionTest, EachTypeDoesItsOwnThing) {
  struct Case {
    const char* what;
    std::function<void()> act;
    std::function<bool()> done;
  };
  GUIWidgetPtr other = widget(0, 0, 50, 50, 20);
  GUIWidgetPtr extra = widget(0, 0, 5, 5, 21);
  std::u16string opened;
  platform::setBrowserObserver([&](const std::u16string& address) {
    opened = address;
    return true;
  });
  const Case cases[] = {
      {"push a screen", [&] { run(GUIAction::PUSH_SCREEN, 0, other); },
       [&] { return engine->getCurrentScreen().get() == other.get() && other->hasState(GUIWidget::STATE_FOCUSED); }},
      {"pop it", [&] { run(GUIAction::POP_SCREEN, 0); },
       [&] { return engine->getCurrentScreen().get() == screen.get(); }},
      {"add to the screen", [&] { run(GUIAction::ADD_TO_SCREEN, 0, extra); },
       [&] { return extra->getParent().get() == screen.get(); }},
      {"close a widget", [&] { run(GUIAction::CLOSE_WIDGET, 0, extra); }, [&] { return extra->getParent().isNull(); }},
      {"focus by id", [&] { run(GUIAction::FOCUS_ID, 12); },
       [&] { return row(2)->hasState(GUIWidget::STATE_FOCUSED); }},
      {"focus next", [&] { run(GUIAction::FOCUS_NEXT, 0); },
       [&] { return row(0)->hasState(GUIWidget::STATE_FOCUSED); }},
      {"focus previous", [&] { run(GUIAction::FOCUS_PREVIOUS, 0); },
       [&] { return row(2)->hasState(GUIWidget::STATE_FOCUSED); }},
      {"focus vertically", [&] { run(GUIAction::FOCUS_VERTICAL, 0); },
       [&] { return row(0)->hasState(GUIWidget::STATE_FOCUSED); }},
      {"set state bits", [&] { run(GUIAction::SET_STATE, 0x100); }, [&] { return list->hasState(0x100); }},
      {"clear them", [&] { run(GUIAction::CLEAR_STATE, 0x100); }, [&] { return !list->hasState(0x100); }},
      {"scroll down", [&] { run(GUIAction::SCROLL_DOWN, 30); }, [&] { return list->scrollTargetY == 30; }},
      {"scroll up", [&] { run(GUIAction::SCROLL_UP, 20); }, [&] { return list->scrollTargetY == 0; }},
      {"scroll to the bottom", [&] { run(GUIAction::SCROLL_TO_BOTTOM, 0); },
       [&] { return list->scrollTargetY == 140; }},
      {"scroll to the top", [&] { run(GUIAction::SCROLL_TO_TOP, 0); }, [&] { return list->scrollTargetY == 0; }},
      {"scroll right (no room)", [&] { run(GUIAction::SCROLL_RIGHT, 10); }, [&] { return list->scrollTargetX == 0; }},
      {"scroll to the right", [&] { run(GUIAction::SCROLL_TO_RIGHT, 0); }, [&] { return list->scrollTargetX == 0; }},
      {"send a key", [&] { run(GUIAction::SEND_KEY, 42); }, [&] { return true; }},
      {"open an address", [&] { run(GUIAction::OPEN_ADDRESS, 0, new DString(u"https://example.com/x")); },
       [&] { return opened == u"https://example.com/x"; }},
      {"the level types wait for their event", [&] { run(GUIAction::SET_SFX_LEVEL, 0, nullptr, 99, {1}); },
       [&] { return true; }},
      {"quit", [&] { run(GUIAction::QUIT, 0); }, [&] { return engine->screenStack->size() == 0 && app->running == 0; }},
  };
  for (const Case& c : cases) {
    int before = hooksRun;
    c.act();
    EXPECT_TRUE(c.done()) << c.what;
    EXPECT_EQ(hooksRun, before + 1) << c.what;  // every type runs its hook afterwards
  }
  platform::setBrowserObserver(nullptr);
}

TEST_F(GUIActionTest, TypesWithoutMeaningOnlyRunTheirHook) {
  for (int32_t type : {11, 12, 13, 25, 27, 29, 12345}) {
    int before = hooksRun;
    int32_t scroll = list->scrollTargetY;
    run(type, 30, list);
    EXPECT_EQ(hooksRun, before + 1) << type;
    EXPECT_EQ(list->scrollTargetY, scroll) << type;
  }
}

TEST_F(GUIActionTest, SendingAKeyCarriesItsCode) {
  EventLog log;
  log.watch(list, {GUIWidget::EVENT_KEY});
  run(GUIAction::SEND_KEY, 42);
  EXPECT_EQ(log.data.at(0), (std::vector<int32_t>{42}));
}

}  // namespace
