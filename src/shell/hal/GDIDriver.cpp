// The GDI driver: a top-down RGB565 section bitmap of the detected size, copied to the window.
#include "shell/hal/GDIDriver.h"

#include "shell/hal/DisplayServices.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr int32_t kBitsPerPixel = 16;

struct Rgb565Info {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

}  // namespace

bool GDIDriver::detect(DetectionRecord& detection) {
  log("GDIDriver: Detect()");
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) {
    log("GDIDriver: unable to get screen's DC");
    return false;
  }
  VideoMode& mode = detection.mode;
  mode.width = GetDeviceCaps(screen, HORZRES);
  mode.height = GetDeviceCaps(screen, VERTRES);
  mode.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  // A quarter turn either way shows the screen across.
  if (screenRotation() % 2 == 1) std::swap(mode.width, mode.height);
  log("GDIDriver: Found W:%d, H:%d, D:%d", mode.width, mode.height, mode.bitsPerPixel);
  return true;
}

GDIDriver::~GDIDriver() {
  if (memoryDc_ != nullptr) {
    if (previousBitmap_ != nullptr) SelectObject(memoryDc_, previousBitmap_);
    DeleteDC(memoryDc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (windowDc_ != nullptr) ReleaseDC(window_, windowDc_);
}

bool GDIDriver::initialize(HWND window, DisplayParams& params, DetectionRecord& detection) {
  log("GDIDriver: Initialize()");
  window_ = window;
  setScreenRotation(params.O == kAnyOrientation ? 0 : params.O);
  const int32_t width = detection.mode.width;
  const int32_t height = detection.mode.height;
  if (width <= 0 || height <= 0) return false;

  windowDc_ = GetDC(window);
  if (windowDc_ == nullptr) return false;
  memoryDc_ = CreateCompatibleDC(windowDc_);
  if (memoryDc_ == nullptr) return false;
  Rgb565Info info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = kBitsPerPixel;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(memoryDc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr || bits == nullptr) return false;
  previousBitmap_ = SelectObject(memoryDc_, bitmap_);

  mode_.width = width;
  mode_.height = height;
  mode_.bitsPerPixel = kBitsPerPixel;
  mode_.pitch = Surface::pitchFor(width);
  mode_.orientation = screenRotation();
  mode_.swapKind = kSwapCopy;
  mode_.frameBuffer = static_cast<uint8_t*>(bits);
  surface_.width = width;
  surface_.height = height;
  surface_.pitch = mode_.pitch;
  surface_.pixels = mode_.frameBuffer;
  surface_.ownsPixels = false;
  dirty_ = Raster::Rect{0, 0, width, height};
  return true;
}

Surface* GDIDriver::lock() { return surface_.pixels != nullptr ? &surface_ : nullptr; }

void GDIDriver::present(uint32_t) {
  BitBlt(windowDc_, dirty_.left, dirty_.top, dirty_.width(), dirty_.height(), memoryDc_, dirty_.left, dirty_.top,
         SRCCOPY);
}

void GDIDriver::adjustRect(Raster::Rect& dirty) { dirty_ = dirty; }

}  // namespace ScreenHAL
