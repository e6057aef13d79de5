// The message queue and the loop calls. Input comes from the desktop window and from a running script; on a
// scripted run the clock moves only here, so a run is the same every time.
#include <algorithm>
#include <chrono>
#include <deque>
#include <thread>

#include "platform/api/tickcount.h"
#include "platform/api/window.h"
#include "platform/api/windowing.h"
#include "platform/device/device.h"
#include "platform/device/videohw.h"
#include "platform/host/desktop.h"
#include "platform/host/instance.h"
#include "platform/seam/clock.h"
#include "platform/seam/script.h"

namespace {

// Main thread only, like the windows the messages go to.
std::deque<MSG> queue;
bool quitPosted = false;
int quitCode = 0;

// A tap quicker than one of the program's steps would be over before any step saw the pen down. So the
// release waits, with the pen messages after it, until the program has taken the press and then polled
// and found nothing, its last wait for a time over: the loop steps after such a poll. A wait for messages
// alone hands the release over too: nothing steps meanwhile.
enum class Press { None, Queued, Taken, StepComing };
Press press = Press::None;
std::deque<MSG> heldPen;    // in the order posted
uint64_t timedWaitEnd = 0;  // the tick count the program's last wait for a time ran to

using SteadyClock = std::chrono::steady_clock;

constexpr auto kDesktopWait = std::chrono::milliseconds(20);
constexpr auto kHeadlessWait = std::chrono::milliseconds(10);
constexpr auto kPanelRefresh = std::chrono::milliseconds(16);

// The panel scans video memory continuously; the desktop window follows it at the desktop's frame rate.
// A wait on the desktop ends in time for the next look.
SteadyClock::time_point followPanel(SteadyClock::time_point until) {
  static SteadyClock::time_point last;
  const auto now = SteadyClock::now();
  if (now - last >= kPanelRefresh) {
    last = now;
    platform::refreshScreenFromVideo();
  }
  return platform::videoFrameBuffer().pixels != nullptr ? std::min(until, now + kPanelRefresh) : until;
}

void pumpDesktopUntil(SteadyClock::time_point until) {
  if (platform::hasDesktopWindow()) platform::pumpDesktopUntil(followPanel(until));
}

void fire(const platform::ScriptEvent& event) {
  using Kind = platform::ScriptEvent::Kind;
  switch (event.kind) {
    case Kind::KeyDown:
    case Kind::KeyRepeat:
    case Kind::KeyUp:
      platform::postKey(static_cast<UINT>(event.a), event.kind != Kind::KeyUp, event.kind == Kind::KeyRepeat);
      break;
    case Kind::PenDown:
      platform::postPen(WM_LBUTTONDOWN, event.a, event.b, true);
      break;
    case Kind::PenMove:
    case Kind::PenHover:
      platform::postPen(WM_MOUSEMOVE, event.a, event.b, event.kind == Kind::PenMove);
      break;
    case Kind::PenUp:
      platform::postPen(WM_LBUTTONUP, event.a, event.b, false);
      break;
    case Kind::Activate:
    case Kind::Deactivate:
      platform::setForeground(event.kind == Kind::Activate);
      break;
    case Kind::Close:
      platform::postClose();
      break;
    case Kind::Capture:
      platform::captureScreen(event.file);
      break;
  }
}

void playScript() {
  platform::ScriptEvent event;
  while (platform::takeDueScriptEvent(event)) fire(event);
  // Without a desktop nobody else can end the run: it ends with the script.
  if (platform::takeScriptEnd() && !platform::hasDesktopWindow()) platform::postClose();
}

void postPenMessage(const MSG& message) {
  if (!heldPen.empty() || (message.message == WM_LBUTTONUP && press != Press::None)) {
    heldPen.push_back(message);
    return;
  }
  if (message.message == WM_LBUTTONDOWN) press = Press::Queued;
  queue.push_back(message);
}

// The pen messages held back go to the queue; a press among them holds back its own release again.
bool releaseHeldPen() {
  press = Press::None;
  if (heldPen.empty()) return false;
  std::deque<MSG> held;
  held.swap(heldPen);
  for (const MSG& message : held) postPenMessage(message);
  return true;
}

void gatherInput() {
  if (press == Press::StepComing) releaseHeldPen();
  if (platform::takeCloseRequest()) platform::postClose();
  if (platform::takeForwardRequest()) SetForegroundWindow(platform::mainWindow());
  if (platform::takeExposePending()) platform::exposeMainWindow();
  pumpDesktopUntil(SteadyClock::now());
  playScript();
}

bool takeMessage(MSG* msg, bool remove) {
  if (!queue.empty()) {
    *msg = queue.front();
    if (!remove) return true;
    queue.pop_front();
    if (msg->message == WM_LBUTTONDOWN && press == Press::Queued) press = Press::Taken;
    return true;
  }
  if (quitPosted) {
    *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, GetTickCount(), {}};
    if (remove) quitPosted = false;
    return true;
  }
  // Paints come last and stay until the window is painted, as on the handheld.
  if (HWND window = platform::windowNeedingPaint()) {
    *msg = {window, WM_PAINT, 0, 0, GetTickCount(), {}};
    return true;
  }
  return false;
}

// Nothing is queued: let time pass until input can arrive.
void waitForInput() {
  if (platform::isSteppedClock()) {
    uint64_t next = platform::nextScriptTime();
    if (next != UINT64_MAX) {
      platform::setManualClock(std::max(next, platform::tickCount64()));
      return;
    }
    // The script is over; with no desktop nothing else can ever arrive.
    if (!platform::hasDesktopWindow()) {
      platform::postClose();
      return;
    }
  }
  if (platform::hasDesktopWindow()) {
    pumpDesktopUntil(SteadyClock::now() + kDesktopWait);
  } else {
    std::this_thread::sleep_for(kHeadlessWait);
  }
}

// The stepped clock moves only when the program polls; a wait moves it by whole steps, stopping one step
// short of the first step point at or after the end, so the next poll lands there.
void waitOnSteppedClock(DWORD milliseconds) {
  const uint64_t now = platform::tickCount64();
  const uint64_t end = std::min(now + milliseconds, platform::nextScriptTime());
  const uint64_t step = std::max<uint64_t>(platform::scriptStep(), 1);
  if (end <= now) return;
  const uint64_t steps = (end - now + step - 1) / step;
  platform::advanceManualClock((steps - 1) * step);
}

// Sleeps until the deadline or until desktop input arrives, waking for a script event due before it.
void sleepOnRealClock(SteadyClock::time_point deadline) {
  auto until = deadline;
  if (uint64_t next = platform::nextScriptTime(); next != UINT64_MAX)
    until = std::min(until, platform::realTimeOfTick(next));
  if (platform::hasDesktopWindow()) {
    pumpDesktopUntil(until);
  } else {
    std::this_thread::sleep_until(until);
  }
}

}  // namespace

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE*, BOOL, DWORD milliseconds, DWORD) {
  if (count != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  MSG msg;
  gatherInput();
  if (takeMessage(&msg, false)) return WAIT_OBJECT_0;
  if (milliseconds == 0) return WAIT_TIMEOUT;
  const bool forever = milliseconds == INFINITE;
  if (!forever) timedWaitEnd = platform::tickCount64() + milliseconds;
  if (platform::isSteppedClock() && !forever) {
    waitOnSteppedClock(milliseconds);
    return WAIT_TIMEOUT;
  }
  // A clock only a test moves: waiting for it would never end.
  if (platform::isManualClock() && !forever) return WAIT_TIMEOUT;
  // The wait ends as the tick count reaches its end, not up to a millisecond later.
  const auto deadline = platform::realTimeOfTick(platform::tickCount64() + (forever ? 0 : milliseconds));
  for (;;) {
    if (forever) {
      if (releaseHeldPen()) return WAIT_OBJECT_0;
      waitForInput();
    } else {
      if (std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
      sleepOnRealClock(deadline);
    }
    gatherInput();
    if (takeMessage(&msg, false)) return WAIT_OBJECT_0;
  }
}

BOOL PeekMessageW(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
  if (msg == nullptr) return FALSE;
  if (platform::isSteppedClock()) platform::advanceManualClock(platform::scriptStep());
  gatherInput();
  if (takeMessage(msg, (removeFlags & PM_REMOVE) != 0)) return TRUE;
  if (press == Press::Taken && platform::tickCount64() >= timedWaitEnd) press = Press::StepComing;
  return FALSE;
}

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
  if (msg == nullptr) return -1;
  for (;;) {
    gatherInput();
    if (takeMessage(msg, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    if (!releaseHeldPen()) waitForInput();
  }
}

BOOL TranslateMessage(const MSG*) { return FALSE; }  // no character messages: the program reads keys only

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) return 0;
  WNDPROC proc = platform::windowProc(msg->hwnd);
  return proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && platform::windowProc(window) == nullptr) return FALSE;
  queue.push_back({window, message, wParam, lParam, GetTickCount(), {}});
  return TRUE;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = platform::windowProc(window);
  return proc ? proc(window, message, wParam, lParam) : 0;
}

void PostQuitMessage(int exitCode) {
  quitPosted = true;
  quitCode = exitCode;
}

namespace platform {

void postKey(UINT virtualKey, bool down, bool repeat) {
  // Repeat count 1; bit 30 is the previous key state, bit 31 the transition.
  uint32_t flags = 1;
  if (!down) flags |= 0xC0000000u;
  if (down && repeat) flags |= 0x40000000u;
  PostMessageW(mainWindow(), down ? WM_KEYDOWN : WM_KEYUP, virtualKey, static_cast<LPARAM>(flags));
}

void postPen(UINT message, int x, int y, bool penDown) {
  // Without a touch screen the device has no pen to tell of, whatever the desktop or a script does.
  if (device().touchDriver.empty()) return;
  WPARAM buttons = penDown ? MK_LBUTTON : 0;
  postPenMessage(
      {mainWindow(), message, buttons, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), GetTickCount(), {}});
}

void postClose() {
  if (mainWindow() != nullptr) PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
}

void discardMessages(HWND window) {
  std::erase_if(queue, [window](const MSG& m) { return m.hwnd == window; });
  std::erase_if(heldPen, [window](const MSG& m) { return m.hwnd == window; });
  if (heldPen.empty()) press = Press::None;
}

}  // namespace platform
