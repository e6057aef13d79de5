// The engine's routing of window messages to the current canvas, its tick, and the MIDlet's requests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/api/shell.h"
#include "platform/api/tickcount.h"
#include "platform/host/desktop.h"
#include "platform/seam/clock.h"
#include "shell/CGameEngine.h"
#include "shell/engine/TestMIDlet.h"

namespace {

using nuv::microedition::lcdui::DDisplay;
using Log = std::vector<std::string>;

// An engine with a MIDlet, a display without a screen and a recording canvas made current; no window.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHeadless(true);
    engine_ = std::make_unique<CGameEngine>();
    midlet_ = new test::TestMIDlet();
    engine_->midlet = midlet_;
    engine_->display = new DDisplay(nullptr);
    midlet_->startApp();
    midlet_->log.clear();
  }
  void TearDown() override {
    engine_->shutdown();
    engine_.reset();
    platform::useRealClock();
  }
  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
    return CGameEngine::WndProc(nullptr, message, wParam, lParam);
  }
  Log& log() { return midlet_->log; }

  std::unique_ptr<CGameEngine> engine_;
  nuv::lang::DPtr<test::TestMIDlet> midlet_;
};

TEST_F(EngineTest, KeysReachTheCanvasTranslatedForTheDevice) {
  send(WM_KEYDOWN, VK_F1, 1);
  send(WM_KEYDOWN, VK_F1, 0x40000001);
  send(WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC0000001u));
  send(WM_KEYDOWN, '7', 1);
  engine_->smartphone = true;
  send(WM_KEYDOWN, VK_F3, 1);
  send(WM_KEYDOWN, VK_F8, 1);
  engine_->smartphone = false;
  engine_->specialKeysDevice = true;
  send(WM_KEYDOWN, VK_APP2, 1);
  send(WM_KEYUP, VK_LWIN, 1);
  EXPECT_EQ(log(), (Log{"keyPressed 10000", "keyRepeated 10000", "keyReleased 10000", "keyPressed 55",
                        "keyPressed 10004", "keyPressed 10000"}));

  // Nothing is current, or there is no display: keys and the pen go nowhere.
  log().clear();
  engine_->display->setCurrent(nullptr);
  send(WM_KEYDOWN, VK_F1, 1);
  engine_->display = nullptr;
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(log(), (Log{"hideNotify"}));
}

TEST_F(EngineTest, PenCoordinatesAreSignedAndHalvedUnderPixelDoubling) {
  struct Case {
    bool doubling;
    UINT message;
    WPARAM buttons;
    int x, y;
    const char* expected;  // null: nothing arrives
  } cases[] = {
      {false, WM_LBUTTONDOWN, MK_LBUTTON, 101, 51, "pointerPressed 101 51"},
      {true, WM_LBUTTONDOWN, MK_LBUTTON, 101, 51, "pointerPressed 50 25"},
      {true, WM_MOUSEMOVE, MK_LBUTTON, -3, 70, "pointerDragged -2 35"},
      {false, WM_MOUSEMOVE, MK_LBUTTON, -1, 400, "pointerDragged -1 400"},
      {false, WM_MOUSEMOVE, 0, 5, 5, nullptr},
      {false, WM_LBUTTONUP, 0, 300, -20, "pointerReleased 300 -20"},
  };
  for (const Case& c : cases) {
    log().clear();
    engine_->pixelDoubling = c.doubling;
    send(c.message, c.buttons, MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
    EXPECT_EQ(log(), c.expected ? Log{c.expected} : Log{}) << c.x << "," << c.y;
  }
}

TEST_F(EngineTest, ActivationPausesAndResumesAndCloseStopsTheLoop) {
  send(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(engine_->inactive);
  EXPECT_TRUE(engine_->isInBackground());
  send(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(engine_->inactive);
  // The MIDlet hears of the pause; on resume the canvas is shown again, not the MIDlet.
  EXPECT_EQ(log(), (Log{"pauseApp", "showNotify"}));
  EXPECT_EQ(send(WM_SETTINGCHANGE, 0, 0), 0);
  EXPECT_EQ(engine_->running, 1);
  send(WM_CLOSE, 0, 0);
  EXPECT_EQ(engine_->running, 0);
}

TEST_F(EngineTest, SplashEndsOnTheFirstTickAfterItsStartAndOnlyThen) {
  platform::setManualClock(100);
  engine_->splashShowing = true;
  engine_->splashStart = GetTickCount();
  EXPECT_TRUE(engine_->tick());
  EXPECT_TRUE(engine_->splashShowing);  // the clock has not moved past the start
  platform::advanceManualClock(1);
  EXPECT_TRUE(engine_->tick());
  EXPECT_FALSE(engine_->splashShowing);
  EXPECT_TRUE(midlet_->tickTimes.empty());  // that tick only ended the splash
  EXPECT_TRUE(engine_->tick());
  EXPECT_EQ(midlet_->tickTimes, (std::vector<uint64_t>{101}));

  midlet_->notifyDestroyed();
  EXPECT_FALSE(engine_->tick());
  engine_->midlet = nullptr;
  EXPECT_FALSE(engine_->tick());
}

TEST_F(EngineTest, AppPropertiesComeFromTheMIDlet) {
  midlet_->scale2x = true;
  EXPECT_EQ(CGameEngine::getAppProperty(u"screen.scale2x"), u"1");
  EXPECT_TRUE(CGameEngine::getAppProperty(u"app.name").isNull());
  CGameEngine::requestFrame();
  EXPECT_TRUE(engine_->frameRequested);
}

TEST(EngineDeathTest, SecondEngineEndsTheProcess) {
  EXPECT_EXIT(
      {
        platform::setHeadless(true);
        CGameEngine first;
        CGameEngine second;
      },
      ::testing::ExitedWithCode(0), "GameEngine already exists!");
}

TEST(MIDletTest, PlatformRequestOpensTheAddressAndReportsFailure) {
  std::vector<std::u16string> opened;
  bool starts = true;
  platform::setBrowserObserver([&](const std::u16string& address) {
    opened.push_back(address);
    return starts;
  });
  nuv::lang::DPtr<test::TestMIDlet> midlet = new test::TestMIDlet();
  EXPECT_TRUE(midlet->platformRequest(u"WWW.Example.com/Games?ID=7"));
  EXPECT_TRUE(midlet->platformRequest(u"https://Example.com/UPPER"));
  EXPECT_TRUE(midlet->platformRequest(u"http://Example.com/Keep"));
  EXPECT_FALSE(midlet->platformRequest(nullptr));
  starts = false;
  EXPECT_FALSE(midlet->platformRequest(u"example.com"));
  platform::setBrowserObserver(nullptr);
  EXPECT_EQ(opened, (std::vector<std::u16string>{u"http://www.example.com/games?id=7", u"https://Example.com/UPPER",
                                                 u"http://Example.com/Keep", u"http://example.com"}));
}

}  // namespace
