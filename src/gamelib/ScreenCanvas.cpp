// The screen canvas: its graphics and size, the key queue, the pen state and the key processing that
// turns one queued event per step into game-action flags.
#include "gamelib/ScreenCanvas.h"

#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"

namespace gamelib {

using nuv::lang::DSystem;
using nuv::microedition::lcdui::DGraphics;

namespace {

constexpr int64_t kDoubleTapMs = 300;
constexpr int32_t kDigitZero = '0';
constexpr int32_t kDigitNine = '9';

}  // namespace

ScreenCanvas::ScreenCanvas() {
  publishGraphics();
  emptyQueue();
}

void ScreenCanvas::publishGraphics() {
  // The graphics keeps the canvas, and so its back buffer, alive.
  GameLib::graphics = new DGraphics(backBuffer.get(), nuv::lang::DObjectPtr(this));
  GameLib::screenWidth = width;
  GameLib::screenHeight = height;
}

void ScreenCanvas::sizeChanged() {
  publishGraphics();
  emptyQueue();
  GameLib::resolutionSupported = GameLib::checkResolution(width, height);
  pointerDown = false;
  select = false;
}

void ScreenCanvas::showNotify() { GameLib::resetFrameClock(); }

void ScreenCanvas::pointerPressed(int32_t x, int32_t y) {
  pointerX = previousX = x;
  pointerY = previousY = y;
  pointerDown = true;
  int64_t now = DSystem::currentTimeMillis();
  doubleTap = now - lastPressTime < kDoubleTapMs;
  lastPressTime = now;
}

void ScreenCanvas::pointerReleased(int32_t x, int32_t y) {
  pointerX = x;
  pointerY = y;
  dragging = false;
  pointerDown = false;
}

void ScreenCanvas::pointerDragged(int32_t x, int32_t y) {
  previousX = pointerX;
  previousY = pointerY;
  pointerX = x;
  pointerY = y;
  dragging = true;
  pointerDown = true;
}

void ScreenCanvas::keyPressed(int32_t code) { enqueue(code, true); }
void ScreenCanvas::keyReleased(int32_t code) { enqueue(code, false); }
void ScreenCanvas::keyRepeated(int32_t code) { enqueue(code, true); }

void ScreenCanvas::flush() { flushGraphics(); }

void ScreenCanvas::paintScreen() {
  // The screen may replace itself while it paints; this reference keeps it alive until it returns.
  GameInterfacePtr screen = GameLib::currentScreen;
  if (!screen.isNull()) screen->paint();
  flush();
}

void ScreenCanvas::enqueue(int32_t code, bool pressed) {
  int32_t w = writeIndex;
  if (w < 0) readIndex = 0;
  if (w < kQueueLength - 1) writeIndex = ++w;
  queue[w] = {code, pressed ? 1 : 0};
}

void ScreenCanvas::emptyQueue() {
  readIndex = -1;
  writeIndex = -1;
}

void ScreenCanvas::pump() {
  int32_t r = readIndex;
  if (r < 0) return;
  KeyEvent event = queue[r];
  // Taken before processing, so a key that fails does not stay at the front of the queue.
  if (++r > writeIndex) {
    emptyQueue();
  } else {
    readIndex = r;
  }
  processKey(event.code, event.pressed != 0);
}

void ScreenCanvas::processKey(int32_t code, bool pressed) {
  if (pressed && !sequenceKeys.isNull()) {
    int32_t n = sequenceKeys->length;
    int32_t c = sequenceCounter;
    const bool digit = code >= kDigitZero && code <= kDigitNine;
    if (c >= n - 2 && c < n && digit) {
      (*sequenceKeys)[c] = code - kDigitZero;
      if (++c == n) {
        c = 0;
        sequenceNumber = 10 * (*sequenceKeys)[n - 2] + (*sequenceKeys)[n - 1];
        sequenceDone = true;
      }
      sequenceCounter = c;
      return;
    }
    // Any other key where a digit was due ends the sequence and acts as it always does.
    sequenceCounter = (c >= 0 && c < n - 2 && (*sequenceKeys)[c] == code) ? c + 1 : 0;
  }
  if (GameLib::canvas.isNull()) nuv::lang::throwNullPointerException();
  int32_t action = GameLib::canvas->getGameAction(code);
  if (action == GameAction::Pause) held[GameAction::Pause] = pressed;
  if (action == GameAction::SoftLeft || code == GameLib::leftSoftKey2) {
    select = pressed;
  } else if (action == GameAction::SoftRight || code == GameLib::rightSoftKey2) {
    back = pressed;
  }
  if (action >= 0 && action < GameAction::Count && action != GameAction::SoftLeft && action != GameAction::SoftRight &&
      action != GameAction::Pause) {
    held[action] = pressed;
  }
  if (pressed) anyKey = true;
  lastKeyCode = code;
}

void ScreenCanvas::clearKeys() {
  for (bool& flag : held) flag = false;
  select = false;
  back = false;
  spare = false;
  anyKey = false;
  pointerDown = false;
  doubleTap = false;
  dragging = false;
  emptyQueue();
}

void ScreenCanvas::forgetSequence() {
  sequenceCounter = 0;
  sequenceDone = false;
}

void ScreenCanvas::resetInput() {
  lastPressTime = 0;
  lastKeyCode = 0;
  pointerX = pointerY = previousX = previousY = 0;
  sequenceCounter = 0;
  clearKeys();
}

}  // namespace gamelib
