// Display creation, frames, activation, and the window subclass of the display layer.
#include "shell/hal/Display.h"

#include <algorithm>
#include <cstring>

#include "platform/api/shell.h"
#include "shell/hal/DisplayServices.h"
#include "shell/hal/Log.h"
#include "shell/hal/RotationDriver.h"
#include "shell/hal/VideoDetect.h"

namespace ScreenHAL {

namespace {

constexpr DWORD kHideShellParts = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;  // 0x2A
constexpr DWORD kShowShellParts = SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON;  // 0x15
constexpr int32_t kSwapDiscard = 1;
constexpr int kMaxSubclassed = 16;

struct SubclassEntry {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  Display* display = nullptr;
};

// Subclassed windows; main thread only.
SubclassEntry subclassed[kMaxSubclassed];
int subclassedCount = 0;

uint32_t handleBits(HWND window) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)); }

SubclassEntry* entryFor(HWND window) {
  for (int i = 0; i < subclassedCount; ++i) {
    if (subclassed[i].window == window) return &subclassed[i];
  }
  return nullptr;
}

void removeEntry(HWND window) {
  for (int i = 0; i < subclassedCount; ++i) {
    if (subclassed[i].window == window) {
      subclassed[i] = subclassed[--subclassedCount];
      subclassed[subclassedCount] = SubclassEntry{};
      return;
    }
  }
}

LRESULT subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SubclassEntry* entry = entryFor(window);
  if (entry == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  Display* display = entry->display;
  const WNDPROC previous = entry->previous;
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      int32_t x = GET_X_LPARAM(lParam);
      int32_t y = GET_Y_LPARAM(lParam);
      display->rotatePoint(x, y);
      lParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
      break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
      wParam = display->rotateArrowKey(static_cast<UINT>(wParam));
      break;
    case WM_SETTINGCHANGE:
      forgetScreenRotation();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != 0) {
        display->resume();
      } else {
        display->suspend();
      }
      break;
    case WM_PAINT:
      display->repaint();
      break;
    case WM_DESTROY:
      // The window goes: give it its own procedure back before it hears of it.
      SetWindowLongPtrW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      removeEntry(window);
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

Display* Display::Create(HWND window, DisplayParams& params) {
  log("ScreenHAL (Version 1.0.4)");
  log("Display::Create( hwnd = %08X, W:%d, H:%d, O:%d, S:%d )", handleBits(window), params.W, params.H, params.O,
      params.S);
  if (params.S == 0) {
    log("Swap effect forced to SWAP_DISCARD");
    params.S = kSwapDiscard;
  }
  auto* display = new Display(window);
  log("Initializing display...");
  DisplayParams wanted = params;
  if (display->open(wanted)) {
    params = display->params_;
    log("Success, returning display params to caller (W:%d, H:%d, O:%d, S:%d)", params.W, params.H, params.O, params.S);
    return display;
  }
  log("Failed, destroying internal structures");
  delete display;
  return nullptr;
}

Display::Display(HWND window) : window_(window) {}

Display::~Display() {
  allKeys(FALSE);
  if (subclassed_) {
    if (SubclassEntry* entry = entryFor(window_)) {
      if (IsWindow(window_)) SetWindowLongPtrW(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previous));
      removeEntry(window_);
    }
  }
  ownBackBuffer_.reset();
  driver_.reset();
}

bool Display::open(DisplayParams& params) {
  if (!IsWindow(window_) || subclassedCount >= kMaxSubclassed) return false;
  params_ = params;
  driver_.reset(createDriver(params_));
  if (!driver_) return false;
  if (entryFor(window_) == nullptr) {
    SubclassEntry entry;
    entry.window = window_;
    entry.display = this;
    entry.previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
    subclassed[subclassedCount++] = entry;
    subclassed_ = true;
  }

  const int32_t requested = params_.O;
  if (requested < kAnyOrientation && requested != driver_->mode().orientation) {
    auto rotation = std::make_unique<RotationDriver>(std::move(driver_));
    DetectionRecord& detection = VideoDetect::detection(window_);
    if (!rotation->initialize(window_, params_, detection)) return false;
    driver_ = std::move(rotation);
  }
  params_.W = driver_->mode().width;
  params_.H = driver_->mode().height;
  params_.O = driver_->mode().orientation;
  const int32_t offered = driver_->mode().swapKind;
  if (offered != kSwapNone && (params_.S != kSwapCopy || offered == kSwapCopy)) {
    params_.S = offered;
  } else {
    ownBackBuffer_.reset(Surface::create(params_.W, params_.H));
    if (!ownBackBuffer_) return false;
    params_.S = kSwapCopy;
  }
  setDirtyRect();
  active_ = true;
  allKeys(TRUE);
  fullScreen(window_, kHideShellParts);
  return true;
}

VideoDriver* Display::createDriver(DisplayParams& params) {
  DetectionRecord& detection = VideoDetect::detection(window_);
  if (detection.driverCount == 0) return nullptr;
  if (params.O != kAnyOrientation) {
    bool offered = false;
    for (int i = 0; i < detection.modeCount; ++i) offered = offered || detection.modes[i].orientation == params.O;
    if (!offered) return nullptr;
  }
  for (int i = detection.driverCount - 1; i >= 0; --i) {
    const int32_t code = detection.drivers[i];
    log("CreateDriver( %08X )", static_cast<uint32_t>(code));
    std::unique_ptr<VideoDriver> driver(VideoDetect::CreateDriver(code));
    log("Initializing video driver...");
    if (driver && driver->initialize(window_, params, detection)) {
      log("Driver initialized!");
      return driver.release();
    }
    log(" Failed to initialize driver");
  }
  return nullptr;
}

void Display::setDirtyRect() {
  if (dirtySet_) return;
  dirtySet_ = true;
  dirty_ = Raster::Rect{0, 0, params_.W, params_.H};
  driver_->adjustRect(dirty_);
  dirty_.left &= ~1;
  dirty_.top &= ~1;
  dirty_.right = (dirty_.right + 1) & ~1;
  dirty_.bottom = (dirty_.bottom + 1) & ~1;
  // Rounding up to even must not reach past an odd-sized screen or the driver's surface.
  const Surface& target = driver_->surface();
  Raster::Rect::intersect(dirty_,
                          Raster::Rect{0, 0, std::min(params_.W, target.width), std::min(params_.H, target.height)});
  fullRows_ = target.pitch == dirty_.width() * 2;
}

bool Display::lock() {
  if (!active_) return false;
  if (locked_ != nullptr) return true;
  locked_ = driver_->lock();
  return locked_ != nullptr;
}

Surface* Display::backBuffer() const {
  if (locked_ == nullptr) return nullptr;
  return ownBackBuffer_ ? ownBackBuffer_.get() : locked_;
}

bool Display::present(uint32_t flags) {
  if (locked_ == nullptr || !active_) return false;
  if (ownBackBuffer_ && !dirty_.isEmpty()) {
    if (flags & kPresentWait) driver_->wait();
    const size_t rowBytes = static_cast<size_t>(dirty_.width()) * 2;
    if (fullRows_ && ownBackBuffer_->pitch == locked_->pitch) {
      std::memcpy(locked_->row(dirty_.top), ownBackBuffer_->row(dirty_.top),
                  static_cast<size_t>(locked_->pitch) * static_cast<size_t>(dirty_.height()));
    } else {
      for (int32_t y = dirty_.top; y < dirty_.bottom; ++y)
        std::memcpy(locked_->at(dirty_.left, y), ownBackBuffer_->at(dirty_.left, y), rowBytes);
    }
  }
  driver_->present(flags);
  locked_ = nullptr;
  return true;
}

void Display::resume() {
  fullScreen(window_, kHideShellParts);
  active_ = true;
  locked_ = nullptr;
  if (driver_) driver_->resume();
}

void Display::suspend() {
  fullScreen(window_, kShowShellParts);
  if (driver_) driver_->suspend();
  active_ = false;
  locked_ = nullptr;
}

void Display::repaint() {
  if (driver_) driver_->repaint();
}

void Display::rotatePoint(int32_t& x, int32_t& y) const {
  rotatePoint((params_.O - screenRotation()) & 3, params_.W, params_.H, x, y);
}

UINT Display::rotateArrowKey(UINT key) const { return rotateArrowKey((params_.O - screenRotation()) & 3, key); }

void Display::rotatePoint(int32_t r, int32_t width, int32_t height, int32_t& x, int32_t& y) {
  const int32_t sx = x;
  const int32_t sy = y;
  switch (r & 3) {
    case 1:
      x = width - 1 - sy;
      y = sx;
      break;
    case 2:
      x = width - 1 - sx;
      y = height - 1 - sy;
      break;
    case 3:
      x = sy;
      y = height - 1 - sx;
      break;
    default:
      break;
  }
}

UINT Display::rotateArrowKey(int32_t r, UINT key) {
  if (key < VK_LEFT || key > VK_DOWN) return key;
  return VK_LEFT + ((key - VK_LEFT + static_cast<UINT>(r & 3)) % 4);
}

}  // namespace ScreenHAL
