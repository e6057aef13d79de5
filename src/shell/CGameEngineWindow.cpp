// The engine's window: creation under the single-instance rule, the window procedure, and delivery of keys
// and the pen to the current canvas.
#include <memory>

#include "platform/api/gdi.h"
#include "platform/api/resources.h"
#include "shell/CGameEngine.h"
#include "shell/ExitStatus.h"
#include "shell/KeyTranslation.h"
#include "shell/lcdui/DCanvas.h"

using nuv::microedition::lcdui::DCanvas;
using nuv::microedition::lcdui::DCanvasPtr;

namespace {

constexpr DWORD kHideShellParts = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
constexpr DWORD kShowShellParts = SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON;
constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;
// The handheld reads a set lowest bit as "bring the owned windows forward too".
constexpr uintptr_t kForwardOwnedWindows = 1;

// Held for the call, so a canvas that replaces itself as current lives until it returns.
DCanvasPtr currentCanvas(CGameEngine& engine) {
  if (engine.display.isNull()) return nullptr;
  return nuv::lang::dynamicCast<DCanvas>(engine.display->getCurrent());
}

}  // namespace

bool CGameEngine::initWindow(HINSTANCE instance) {
  hInstance = instance;
  LoadStringW(instance, IDS_TITLE, title, kTextCapacity);
  LoadStringW(instance, IDS_WINDOW_CLASS, windowClass, kTextCapacity);
  splashBitmap = std::make_unique<platform::Picture>(platform::splashPicture());

  if (HWND existing = FindWindowW(windowClass, title)) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(existing) | kForwardOwnedWindows));
    return false;
  }

  WNDCLASSW windowClassRecord{};
  windowClassRecord.style = CS_HREDRAW | CS_VREDRAW;
  windowClassRecord.lpfnWndProc = WndProc;
  windowClassRecord.hInstance = instance;
  windowClassRecord.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  windowClassRecord.hCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_PROGRAM));
  windowClassRecord.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClassRecord.lpszClassName = windowClass;
  RegisterClassW(&windowClassRecord);

  window = CreateWindowExW(0, windowClass, title, WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    exitStatus = shell::kFailed;
    return false;
  }
  if (SHFullScreenProc fullScreen = shellFullScreen()) fullScreen(window, kHideShellParts);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return true;
}

LRESULT CGameEngine::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CGameEngine* engine = instance();
  if (engine == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
    case WM_SETTINGCHANGE:
      return 0;
    case WM_DESTROY:
      if (SHFullScreenProc fullScreen = shellFullScreen()) fullScreen(engine->window, kShowShellParts);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        engine->inactive = false;
        engine->resume();
      } else {
        engine->inactive = true;
        engine->pause();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      if (engine->splashBitmap && engine->splashShowing) engine->paintSplash(window);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      engine->running = 0;
      return 0;
    case WM_KEYDOWN:
      if (lParam & kKeyWasDown) {
        engine->keyRepeated(static_cast<int32_t>(wParam));
      } else {
        engine->keyPressed(static_cast<int32_t>(wParam));
      }
      return 0;
    case WM_KEYUP:
      engine->keyReleased(static_cast<int32_t>(wParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK) return DefWindowProcW(window, message, wParam, lParam);
      SendMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_TIMER:
      if (!engine->midlet.isNull()) engine->midlet->onTimer();
      return 0;
    // Pen coordinates are signed: a drag past the left or top edge arrives negative.
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) engine->pointerDragged(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      engine->pointerPressed(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      engine->pointerReleased(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void CGameEngine::paintSplash(HWND target) {
  RECT client;
  GetClientRect(target, &client);
  // Halving rounds towards minus infinity, so a picture larger than the window is still centred the same way.
  int x = (client.right - splashBitmap->width - client.left) >> 1;
  int y = (client.bottom - splashBitmap->height - client.top) >> 1;
  platform::paintPicture(target, x, y, *splashBitmap);
}

void CGameEngine::pointerPressed(int32_t x, int32_t y) {
  if (display.isNull()) return;
  if (pixelDoubling) {
    x >>= 1;
    y >>= 1;
  }
  if (DCanvasPtr canvas = currentCanvas(*this)) canvas->pointerPressed(x, y);
}

void CGameEngine::pointerReleased(int32_t x, int32_t y) {
  if (display.isNull()) return;
  if (pixelDoubling) {
    x >>= 1;
    y >>= 1;
  }
  if (DCanvasPtr canvas = currentCanvas(*this)) canvas->pointerReleased(x, y);
}

void CGameEngine::pointerDragged(int32_t x, int32_t y) {
  if (display.isNull()) return;
  if (pixelDoubling) {
    x >>= 1;
    y >>= 1;
  }
  if (DCanvasPtr canvas = currentCanvas(*this)) canvas->pointerDragged(x, y);
}

void CGameEngine::keyPressed(int32_t key) {
  DCanvasPtr canvas = currentCanvas(*this);
  std::optional<int32_t> delivered = shell::translateKey(key, smartphone, specialKeysDevice);
  if (canvas && delivered) canvas->keyPressed(*delivered);
}

void CGameEngine::keyRepeated(int32_t key) {
  DCanvasPtr canvas = currentCanvas(*this);
  std::optional<int32_t> delivered = shell::translateKey(key, smartphone, specialKeysDevice);
  if (canvas && delivered) canvas->keyRepeated(*delivered);
}

void CGameEngine::keyReleased(int32_t key) {
  DCanvasPtr canvas = currentCanvas(*this);
  std::optional<int32_t> delivered = shell::translateKey(key, smartphone, specialKeysDevice);
  if (canvas && delivered) canvas->keyReleased(*delivered);
}
