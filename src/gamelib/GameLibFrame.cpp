// The frame step: one 30 ms step per frame call at most, the paint only when it fits before the next step,
// the switch back to the main menu, quitting, and the frame of an unsupported screen size.
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/StartScreens.h"

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

void GameLib::tick() {
  if (runPendingStart()) return;
  if (!resolutionSupported) {
    notSupportedFrame();
    return;
  }
  if (pendingSwitch >= 0) {
    if (pendingSwitch == kSwitchToMainMenu) showMainMenu();
    pendingSwitch = kNoSwitch;
  }
  int64_t now = DSystem::currentTimeMillis();
  // The low words, as the handheld's 32-bit tick count gives them.
  int32_t late = static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(lastStepTime) -
                                      static_cast<uint32_t>(kStepMs));
  if (late > kMaxLateMs) lastStepTime = now;
  if (late < 0) return;
  lastStepTime += kStepMs;

  GameImage::graphics = graphics;
  ScreenCanvas::pump();
  // Held here so a screen that replaces itself in its update or paint lives until it returns.
  GameInterfacePtr screen = currentScreen;
  if (screen.isNull()) nuv::lang::throwNullPointerException();
  screen->update();

  if (DSystem::currentTimeMillis() + paintTime > lastStepTime + kStepMs) {
    paintTime = 0;
    return;
  }
  int64_t paintStart = DSystem::currentTimeMillis();
  canvas->paintScreen();
  paintTime = DSystem::currentTimeMillis() - paintStart;
}

void GameLib::showMainMenu() {
  try {
    GameInterfacePtr old = currentScreen;
    if (!old.isNull()) {
      old->leave();
      currentScreen = nullptr;
    }
    ScreenCanvas::held[GameAction::Fire] = false;
    currentScreen = start::makeMainMenu();
    GameInterfacePtr menu = currentScreen;
    menu->init();
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
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
  graphics->drawString(u"Exit", 1, screenHeight - 1, DGraphics::LEFT | DGraphics::BOTTOM);
  canvas->flush();
  GameInterfacePtr screen = currentScreen;
  if ((ScreenCanvas::select || ScreenCanvas::pointerDown) && !screen.isNull()) {
    screen->leave();
    currentScreen = nullptr;
    instance->notifyDestroyed();
  }
}

}  // namespace gamelib
