// The frame step: the 30 ms clock with its 480 ms rule, paints that must fit, switching back to the main
// menu, screens that replace themselves, and the frame of an unsupported screen size.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "platform/seam/clock.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;

int destroyedScreens = 0;
int destroyedInCall = 0;

// Logs its calls; hooks let a test act inside update and paint.
class LogScreen : public gamelib::GameInterface {
 public:
  explicit LogScreen(std::vector<std::string>& log) : log_(log) {}
  ~LogScreen() override {
    ++destroyedScreens;
    if (inCall) ++destroyedInCall;
  }
  void init() override { log_.push_back("init"); }
  void update() override {
    log_.push_back("update");
    inCall = true;
    if (onUpdate) onUpdate();
    inCall = false;
  }
  void paint() override {
    log_.push_back("paint");
    inCall = true;
    if (onPaint) onPaint();
    inCall = false;
  }
  void leave() override { log_.push_back("leave"); }

  std::function<void()> onUpdate;
  std::function<void()> onPaint;
  bool inCall = false;

 private:
  std::vector<std::string>& log_;
};

class FrameStepTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    GameLib::resolutionSupported = true;
    screen = new LogScreen(log);
    GameLib::currentScreen = screen;
    destroyedScreens = 0;
  }
  void TearDown() override {
    screen = nullptr;
    GameLibFixture::TearDown();
  }
  // Sets the clock so that the next frame call finds its step d ms late.
  void lateBy(int64_t last, int64_t d) {
    GameLib::lastStepTime = last;
    platform::setManualClock(static_cast<uint64_t>(last + 30 + d));
  }

  std::vector<std::string> log;
  nuv::lang::DPtr<LogScreen> screen;
};

TEST_F(FrameStepTest, StepsRunOnTheThirtyMillisecondClockAndResynchroniseAfter480) {
  // A step runs from d = 0; it paints only while the paint ends before the next step is due.
  struct Case {
    int64_t late;
    std::vector<std::string> calls;
    int64_t clockAfter;  // relative to the last step time 10000
  } cases[] = {
      {-1, {}, 0},
      {0, {"update", "paint"}, 30},
      {30, {"update", "paint"}, 30},
      {31, {"update"}, 30},
      {480, {"update"}, 30},
      {481, {"update", "paint"}, 30 + 481 + 30},  // resynchronised: now + 30
  };
  for (const Case& c : cases) {
    log.clear();
    lateBy(10000, c.late);
    app->tick();
    EXPECT_EQ(GameLib::lastStepTime - 10000, c.clockAfter) << c.late;
    EXPECT_EQ(log, c.calls) << c.late;
  }
}

TEST_F(FrameStepTest, APaintThatTookTooLongSkipsTheNextPaint) {
  screen->onPaint = [] { platform::advanceManualClock(40); };
  GameLib::lastStepTime = 0;
  platform::setManualClock(30);
  std::vector<bool> painted;
  for (int i = 0; i < 4; ++i) {
    size_t before = log.size();
    app->tick();
    painted.push_back(log.size() - before == 2);
    // The next call comes when the step is due, or at once when the paint overran it.
    platform::setManualClock(
        std::max<uint64_t>(platform::tickCount64(), static_cast<uint64_t>(GameLib::lastStepTime + 30)));
  }
  EXPECT_EQ(painted, (std::vector<bool>{true, false, true, false}));
}

TEST_F(FrameStepTest, EachStepTakesOneQueuedKey) {
  bool firesSeen[3] = {};
  int step = 0;
  screen->onUpdate = [&] { firesSeen[step++] = ScreenCanvas::held[gamelib::GameAction::Fire]; };
  GameLib::canvas->keyPressed('5');
  GameLib::canvas->keyReleased('5');
  for (int i = 0; i < 3; ++i) {
    lateBy(GameLib::lastStepTime, 0);
    app->tick();
  }
  EXPECT_TRUE(firesSeen[0]);
  EXPECT_FALSE(firesSeen[1]);
  EXPECT_FALSE(firesSeen[2]);
}

TEST_F(FrameStepTest, AScreenThatReplacesItselfLivesUntilItsCallReturns) {
  std::vector<std::string> otherLog;
  struct Case {
    const char* name;
    std::function<void()> replace;
  } cases[] = {
      {"assigns another screen", [&] { GameLib::currentScreen = new LogScreen(otherLog); }},
      {"clears the screen", [] { GameLib::currentScreen = nullptr; }},
      {"returns to the main menu", [] { GameLib::showMainMenu(); }},
      {"quits", [] { GameLib::quit(); }},
  };
  for (const Case& c : cases) {
    for (bool inPaint : {false, true}) {
      nuv::lang::DPtr<LogScreen> own = new LogScreen(log);
      GameLib::currentScreen = own;
      (inPaint ? own->onPaint : own->onUpdate) = c.replace;
      own = nullptr;
      destroyedScreens = destroyedInCall = 0;
      lateBy(20000, 0);
      app->tick();
      EXPECT_EQ(destroyedScreens, 1) << c.name << (inPaint ? " in paint" : " in update");
      EXPECT_EQ(destroyedInCall, 0) << c.name << (inPaint ? " in paint" : " in update");
      app->running = 1;
    }
  }
}

TEST_F(FrameStepTest, PendingSwitchReturnsToTheMainMenuBeforeTheStep) {
  GameLib::pendingSwitch = 0;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  lateBy(10000, 0);
  app->tick();
  EXPECT_EQ(log, (std::vector<std::string>{"leave"}));
  EXPECT_EQ(GameLib::pendingSwitch, -1);
  EXPECT_FALSE(ScreenCanvas::held[gamelib::GameAction::Fire]);
  EXPECT_NE(GameLib::currentScreen.get(), screen.get());
  EXPECT_FALSE(GameLib::currentScreen.isNull());
}

TEST_F(FrameStepTest, QuitLeavesTheScreenAndEndsTheApplication) {
  GameLib::quit();
  EXPECT_EQ(log, (std::vector<std::string>{"leave"}));
  EXPECT_TRUE(GameLib::currentScreen.isNull());
  EXPECT_EQ(app->running, 0);
  // Without a screen a frame call is a null-pointer failure.
  lateBy(10000, 0);
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::NullPointerException, app->tick());
}

TEST_F(FrameStepTest, ShowingTheCanvasAgainResetsTheFrameClock) {
  platform::setManualClock(55555);
  display->setCurrent(GameLib::canvas);
  EXPECT_EQ(GameLib::lastStepTime, 55555);
}

TEST_F(FrameStepTest, UnsupportedSizeShowsItsFrameUntilSelectOrATapEndsTheApplication) {
  GameLib::resolutionSupported = false;
  GameLib::graphics->setColor(0xFFFFFF);
  GameLib::graphics->fillRect(0, 0, 240, 320);
  app->tick();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(app->running, 1);
  EXPECT_GT(gltest::countCanvasPixels(0x0000), 100);  // the lines and "Exit" in black
  struct Case {
    std::function<void()> input;
  } cases[] = {{[] { GameLib::canvas->keyPressed(10000); }}, {[] { GameLib::canvas->pointerPressed(5, 5); }}};
  for (const Case& c : cases) {
    GameLib::currentScreen = screen;
    app->running = 1;
    log.clear();
    ScreenCanvas::resetInput();
    c.input();
    app->tick();
    EXPECT_EQ(log, (std::vector<std::string>{"leave"}));
    EXPECT_TRUE(GameLib::currentScreen.isNull());
    EXPECT_EQ(app->running, 0);
  }
}

}  // namespace
