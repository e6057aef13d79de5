// The GETGXINFO frame buffer with or without DMA, and its detection.
#include "shell/hal/DirectDriver.h"

#include <algorithm>
#include <thread>

#include "platform/api/gdi.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr int32_t kBitsPerPixel = 16;
// DMA moves whole groups of this many pixels.
constexpr int32_t kDmaPixels = 4;

unsigned long long bits(const void* address) {
  return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address));
}

bool queryGxInfo(VideoMode& mode) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const int escape = GETGXINFO;
  GXDeviceInfo info{};
  info.idVersion = kidVersion100;
  const bool supported =
      ExtEscape(screen, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<const char*>(&escape), 0, nullptr) > 0 &&
      ExtEscape(screen, GETGXINFO, sizeof info, reinterpret_cast<const char*>(&info), sizeof info,
                reinterpret_cast<char*>(&info)) > 0;
  ReleaseDC(nullptr, screen);
  if (!supported || info.pvFrameBuffer == nullptr || info.cxWidth == 0 || info.cyHeight == 0) return false;
  const bool landscape = (info.ffFormat & kfLandscape) != 0;
  mode.width = static_cast<int32_t>(landscape ? info.cyHeight : info.cxWidth);
  mode.height = static_cast<int32_t>(landscape ? info.cxWidth : info.cyHeight);
  mode.bitsPerPixel = kBitsPerPixel;
  mode.pitch = static_cast<int32_t>(info.cbStride);
  mode.orientation = landscape ? 1 : 0;
  mode.frameBuffer = static_cast<uint8_t*>(info.pvFrameBuffer);
  return true;
}

}  // namespace

bool DirectDriver::detect(DetectionRecord& detection) {
  log("DriverDirect: Detect()");
  VideoMode mode;
  if (oemCode() == kOemI600 || !queryGxInfo(mode)) {
    log("DriverDirect: not supported");
    return false;
  }
  log("DriverDirect: Found W:%d, H:%d, P:%d, O:%d, FB:%08llX", mode.width, mode.height, mode.pitch, mode.orientation,
      bits(mode.frameBuffer));
  HMODULE dma = LoadLibraryW(u"gxdma.dll");
  if (dma != nullptr) {
    log("DriverDirect: GXDMA detected");
    FreeLibrary(dma);
  } else {
    log("DriverDirect: No GXDMA");
  }
  mode.swapKind = dma != nullptr ? kSwapCopy : kSwapNone;
  detection.mode = mode;
  return true;
}

DirectDriver::~DirectDriver() {
  if (dma_ != nullptr) FreeLibrary(dma_);
}

bool DirectDriver::initialize(HWND, DisplayParams&, DetectionRecord&) {
  log("DriverDirect: Initialize()");
  if (oemCode() == kOemI600 || !queryGxInfo(mode_)) return false;
  dma_ = LoadLibraryW(u"gxdma.dll");
  if (dma_ != nullptr) {
    toVideo_ = reinterpret_cast<DmaCopyProc>(GetProcAddressW(dma_, u"DmaDRAMtoVRAM"));
    ready_ = reinterpret_cast<IsDMAReadyProc>(GetProcAddressW(dma_, u"IsDMAReady"));
    if (toVideo_ == nullptr) return false;
  }
  mode_.swapKind = toVideo_ != nullptr ? kSwapCopy : kSwapNone;
  surface_.width = mode_.width;
  surface_.height = mode_.height;
  surface_.pitch = mode_.pitch;
  surface_.pixels = mode_.frameBuffer;
  surface_.ownsPixels = false;
  dirty_ = Raster::Rect{0, 0, mode_.width, mode_.height};
  return true;
}

Surface* DirectDriver::lock() {
  // The previous transfer must be done before the program draws over its source.
  while (ready_ != nullptr && !ready_()) std::this_thread::yield();
  return &surface_;
}

void DirectDriver::present(uint32_t) {
  if (toVideo_ == nullptr || dirty_.isEmpty()) return;
  const int32_t left = dirty_.left / kDmaPixels * kDmaPixels;
  int32_t width = (dirty_.right - left + kDmaPixels - 1) / kDmaPixels * kDmaPixels;
  width = std::min(width, mode_.width - left);
  toVideo_(left, dirty_.top, width, dirty_.height());
}

void DirectDriver::adjustRect(Raster::Rect& dirty) { dirty_ = dirty; }

}  // namespace ScreenHAL
