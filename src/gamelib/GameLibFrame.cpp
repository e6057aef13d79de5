// The frame step: one 30 ms step per frame call at most, the paint only when it fits before the next step,
// the switch back to the main menu, quitting, and the frame of an unsupported screen size.
#include <algorithm>
#include <memory>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/StartScreens.h"
#include "shell/ExitStatus.h"

namespace gamelib {

using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DGraphics;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

// A step this late resynchronises the clock instead of catching up.
constexpr int32_t kMaxLateMs = 480;
constexpr int32_t kSwitchToMainMenu = 0;
constexpr int32_t kNoSwitch = -1;

}  // namespace

namespace {

// How late the next step is at the time given; negative while it is not due yet. The low words, as the
// handheld's 32-bit tick count gives them.
int32_t stepLateness(int64_t now) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(GameLib::lastStepTime) -
                              static_cast<uint32_t>(GameLib::kStepMs));
}

}  // namespace

void GameLib::tick() {
  if (runPendingStart()) return;
  if (!resolutionSupported) {
    notSupportedFrame();
    return;
  }
  if (pendingSwitch >= 0) {
    if (pendingSwitch == kSwitchToMainMenu) showMainMenu();
    pendingSwitch = kNoSwitch;
    if (running == 0) return;
  }
  int64_t now = DSystem::currentTimeMillis();
  int32_t late = stepLateness(now);
  if (late > kMaxLateMs) lastStepTime = now;
  if (late < 0) return;
  lastStepTime += kStepMs;

  GameImage::graphics = graphics;
  ScreenCanvas::pump();
  // Held here so a screen that replaces itself in its update or paint lives until it returns.
  GameInterfacePtr screen = currentScreen;
  if (screen.isNull()) nuv::lang::throwNullPointerException();
  try {
    screen->update();

    if (DSystem::currentTimeMillis() + paintTime > lastStepTime + kStepMs) {
      paintTime = 0;
      return;
    }
    int64_t paintStart = DSystem::currentTimeMillis();
    canvas->paintScreen();
    paintTime = DSystem::currentTimeMillis() - paintStart;
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> failure = catchException(e, ExceptionCode::Exception);
    screenFailed(screen, *failure);
  }
}

void GameLib::screenFailed(const GameInterfacePtr& screen, const DExceptionBase& failure) {
  if (start::isQuestion(screen)) {
    instance->endStart("answering the start's questions", failure);
    return;
  }
  if (start::isMainMenu(screen)) {
    report("the main menu failed", failure);
    currentScreen = nullptr;
    instance->notifyFailed(shell::kFailed);
    return;
  }
  // A game that fails in its load or its play ends into the main menu, saying why (damaged data names
  // the archive and the entry); the program goes on.
  report((std::string(screen->getClassName()) + " ended").c_str(), failure);
  if (currentScreen == screen) {
    currentScreen = nullptr;
    // It may be half made: what its leave meets on the way does not keep the main menu away.
    nuv::lang::dropException(ExceptionCode::Exception, [&] { screen->leave(); });
  }
  showMainMenu();
}

int32_t GameLib::idleTime() {
  int64_t now = DSystem::currentTimeMillis();
  if (pendingStage_ != StartStage::None) {
    int64_t next = std::min(waitStart_ + waitLength_, lastWaitFlush_ + kStepMs);
    return static_cast<int32_t>(std::clamp<int64_t>(next - now, 0, kStepMs));
  }
  // The frame of an unsupported size is drawn on every call, and a switch is made on the next one.
  if (!resolutionSupported || pendingSwitch >= 0) return 0;
  int32_t late = stepLateness(now);
  return late >= 0 ? 0 : std::min(-late, kStepMs);
}

void GameLib::showMainMenu() {
  try {
    openMainMenu();
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> failure = catchException(e, ExceptionCode::Exception);
    // Anything else ends the switch where it stood. A damaged main menu leaves the program nothing to go
    // back to: it ends in order, saying why.
    if (!ResourceDamage::isReport(*failure)) return;
    report("the main menu could not be shown", *failure);
    currentScreen = nullptr;
    instance->notifyFailed(shell::kFailed);
  }
}

void GameLib::openMainMenu() {
  GameInterfacePtr old = currentScreen;
  if (!old.isNull()) {
    old->leave();
    currentScreen = nullptr;
  }
  ScreenCanvas::held[GameAction::Fire] = false;
  currentScreen = start::makeMainMenu();
  GameInterfacePtr menu = currentScreen;
  ResourceDamage::forgetMissing();
  menu->init();
}

void GameLib::quit() {
  GameInterfacePtr screen = currentScreen;
  if (!screen.isNull()) {
    screen->leave();
    currentScreen = nullptr;
  }
  instance->notifyDestroyed();
}

void GameLib::resetFrameClock() { lastStepTime = DSystem::currentTimeMillis(); }

void GameLib::notSupportedFrame() {
  ScreenCanvas::pump();
  static constexpr const char16_t* kLines[] = {u"This screen", u"resolution is", u"not supported!"};
  drawCentredLines(kLines, 3);
  graphics->drawString(u"Exit", 1, screenHeight - 1, DGraphics::BOTTOM_LEFT);
  canvas->flush();
  GameInterfacePtr screen = currentScreen;
  if ((ScreenCanvas::select || ScreenCanvas::pointerDown) && !screen.isNull()) {
    screen->leave();
    currentScreen = nullptr;
    instance->notifyFailed(shell::kScreenNotSupported);
  }
}

}  // namespace gamelib
