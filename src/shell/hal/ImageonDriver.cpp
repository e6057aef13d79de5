// The Imageon chip's surface and overlay, and its detection.
#include "shell/hal/ImageonDriver.h"

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr int32_t kBitsPerPixel = 16;
constexpr int kWaitPolls = 32;
constexpr DWORD kWaitArgument = 100;

template <class Proc>
bool find(HMODULE module, const char16_t* name, Proc& proc) {
  proc = reinterpret_cast<Proc>(GetProcAddressW(module, name));
  return proc != nullptr;
}

}  // namespace

CoreLink::~CoreLink() {
  if (module != nullptr) FreeLibrary(module);
}

bool CoreLink::load() {
  module = LoadLibraryW(u"CoreLinkLib.dll");
  return module != nullptr && find(module, u"AtiCore_ProcessAttach", attach) &&
         find(module, u"AtiCore_ProcessDetach", detach) && find(module, u"AtiCore_AllocSurface", allocSurface) &&
         find(module, u"AtiCore_FreeSurface", freeSurface) && find(module, u"AtiCore_SetOverlay", setOverlay) &&
         find(module, u"AtiCore_EnableOverlay", enableOverlay) && find(module, u"AtiCore_WaitComplete", waitComplete) &&
         find(module, u"AtiCore_GetSurfaceAddress", surfaceAddress) && find(module, u"AtiCore_EndAccess", endAccess);
}

bool ImageonDriver::detect(DetectionRecord&) {
  log("Imageon100: Detect()");
  const int32_t oem = oemCode();
  CoreLink chip;
  if ((oem != kOemE740 && oem != kOemE750) || !chip.load()) {
    log("Imageon100: Not an Imageon100");
    return false;
  }
  try {
    chip.attach();
    chip.detach();
  } catch (const platform::StructuredException&) {
    log("Imageon100: *** CAUGHT EXCEPTION ***");
    return false;
  }
  log("Imageon100: Detected");
  return true;
}

ImageonDriver::~ImageonDriver() {
  if (accessing_) chip_.endAccess(chipSurface_);
  if (overlayOn_) chip_.enableOverlay(FALSE);
  if (chipSurface_ != 0) chip_.freeSurface(chipSurface_);
  if (attached_) chip_.detach();
}

bool ImageonDriver::initialize(HWND, DisplayParams&, DetectionRecord&) {
  log("Imageon100: Initialize()");
  if (!chip_.load()) return false;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const int32_t width = GetDeviceCaps(screen, HORZRES);
  const int32_t height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  try {
    attached_ = chip_.attach() != FALSE;
    if (!attached_ || !chip_.allocSurface(&chipSurface_, width, height)) return false;
    void* pixels = nullptr;
    LONG pitch = 0;
    if (!chip_.surfaceAddress(chipSurface_, &pixels, &pitch) || pixels == nullptr) return false;
    chip_.endAccess(chipSurface_);
    if (!chip_.setOverlay(chipSurface_, 0, 0) || !chip_.enableOverlay(TRUE)) return false;
    overlayOn_ = true;
    surface_.pitch = pitch;
  } catch (const platform::StructuredException&) {
    log("Imageon100: *** CAUGHT EXCEPTION ***");
    return false;
  }
  mode_.width = width;
  mode_.height = height;
  mode_.bitsPerPixel = kBitsPerPixel;
  mode_.pitch = surface_.pitch;
  mode_.orientation = 0;
  mode_.swapKind = kSwapNone;
  surface_.width = width;
  surface_.height = height;
  surface_.ownsPixels = false;
  return true;
}

Surface* ImageonDriver::lock() {
  // The chip may still be drawing into the surface; give it a bounded while.
  for (int poll = 0; poll < kWaitPolls && !chip_.waitComplete(kWaitArgument); ++poll) {
  }
  void* pixels = nullptr;
  LONG pitch = 0;
  if (!chip_.surfaceAddress(chipSurface_, &pixels, &pitch) || pixels == nullptr) return nullptr;
  accessing_ = true;
  surface_.pixels = static_cast<uint8_t*>(pixels);
  surface_.pitch = pitch;
  mode_.frameBuffer = surface_.pixels;
  return &surface_;
}

void ImageonDriver::present(uint32_t) {
  if (!accessing_) return;
  chip_.endAccess(chipSurface_);
  accessing_ = false;
}

}  // namespace ScreenHAL
