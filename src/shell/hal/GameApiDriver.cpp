// The Game API driver and its detection.
#include "shell/hal/GameApiDriver.h"

#include "platform/api/gdi.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr int32_t kBitsPerPixel = 16;

template <class Proc>
bool find(HMODULE module, const char16_t* name, Proc& proc) {
  proc = reinterpret_cast<Proc>(GetProcAddressW(module, name));
  return proc != nullptr;
}

unsigned long long bits(const void* address) {
  return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address));
}

template <class F>
unsigned long long entryBits(F f) {
  return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(f));
}

int64_t screenPixels() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int64_t pixels = static_cast<int64_t>(GetDeviceCaps(screen, HORZRES)) * GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// These devices keep the frame buffer at the address found once and copy nothing at GXEndDraw.
bool fixedFrameBuffer() { return oemCode() == kOemP6C || oemCode() == kOemTyphoon; }

}  // namespace

GameApi::~GameApi() {
  if (module != nullptr) FreeLibrary(module);
}

bool GameApi::load() {
  module = LoadLibraryW(u"gx.dll");
  if (module == nullptr) return false;
  return find(module, u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z", openDisplay) &&
         find(module, u"?GXCloseDisplay@@YAHXZ", closeDisplay) && find(module, u"?GXBeginDraw@@YAPAXXZ", beginDraw) &&
         find(module, u"?GXEndDraw@@YAHXZ", endDraw) && find(module, u"?GXOpenInput@@YAHXZ", openInput) &&
         find(module, u"?GXCloseInput@@YAHXZ", closeInput) &&
         find(module, u"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ", displayProperties) &&
         find(module, u"?GXGetDefaultKeys@@YA?AUGXKeyList@@H@Z", defaultKeys) &&
         find(module, u"?GXSuspend@@YAHXZ", suspend) && find(module, u"?GXResume@@YAHXZ", resume) &&
         find(module, u"?GXSetViewport@@YAHKKKK@Z", setViewport) &&
         find(module, u"?GXIsDisplayDRAMBuffer@@YAHXZ", isDramBuffer);
}

bool GameApiDriver::detect(DetectionRecord& detection, bool& libraryLoaded) {
  log("GAPI: Detect()");
  libraryLoaded = false;
  if (oemCode() == kOemI600) return false;
  GameApi api;
  log("GAPI: Loading GX.DLL");
  const bool complete = api.load();
  libraryLoaded = api.module != nullptr;
  if (!libraryLoaded) {
    log("GAPI: GX.DLL not found");
    return false;
  }
  if (!complete) return false;

  log("GAPI: Calling GXOpenDisplay( %08llX, GX_FULLSCREEN )", bits(detection.window));
  if (api.openDisplay(detection.window, GX_FULLSCREEN) == 0) {
    log("GAPI: GXOpenDisplay() failed");
    return false;
  }
  log("GAPI: Calling GXGetDisplayProperties()");
  const GXDisplayProperties properties = api.displayProperties();
  log("GAPI: Detecting orientation");
  const int32_t width = static_cast<int32_t>(properties.cxWidth);
  const int32_t height = static_cast<int32_t>(properties.cyHeight);
  const FrameLayout layout = layoutFromPitches(properties.cbxPitch, properties.cbyPitch, width, height);
  log("GAPI: Native orientation is %d (%d x %d)", layout.orientation, layout.width, layout.height);
  log("GAPI: Calling GXIsDisplayDRAMBuffer() @ %08llX", entryBits(api.isDramBuffer));
  const bool dram = api.isDramBuffer() != FALSE;
  log(dram ? "GAPI: GXIsDisplayDRAMBuffer() returned TRUE" : "GAPI: GXIsDisplayDRAMBuffer() returned FALSE");
  log("GAPI: Detecting PocketPC model");
  log("GAPI: framebuffer address unknown, calculating offset");
  const int64_t offset = frameBufferOffset(layout.orientation, width, height, properties.cbxPitch, properties.cbyPitch);
  log("GAPI: Offset is %d", static_cast<int>(offset));
  log("GAPI: Calling GXBeginDraw() @ %08llX to retrieve framebuffer", entryBits(api.beginDraw));
  auto* reported = static_cast<uint8_t*>(api.beginDraw());
  log("GAPI: framebuffer at %08llx", bits(reported));
  log("GAPI: Calling GXEndDraw()");
  api.endDraw();
  uint8_t* frameBuffer = reported != nullptr ? reported + offset : nullptr;
  log("GAPI: Final framebuffer address = %08llx", bits(frameBuffer));
  log("GAPI: Calling GXCloseDisplay()");
  api.closeDisplay();
  if (frameBuffer == nullptr || static_cast<int64_t>(width) * height != screenPixels()) return false;

  log("GAPI: Found W:%d, H:%d, P:%d, O:%d, FB:%08llX", layout.width, layout.height, layout.pitch, layout.orientation,
      bits(frameBuffer));
  VideoMode& mode = detection.mode;
  mode.width = layout.width;
  mode.height = layout.height;
  mode.bitsPerPixel = kBitsPerPixel;
  mode.pitch = layout.pitch;
  mode.orientation = layout.orientation;
  mode.swapKind = dram && !fixedFrameBuffer() ? kSwapCopy : kSwapNone;
  mode.frameBuffer = frameBuffer;
  return true;
}

GameApiDriver::~GameApiDriver() {
  if (drawing_) api_.endDraw();
  if (open_) api_.closeDisplay();
}

bool GameApiDriver::initialize(HWND window, DisplayParams&, DetectionRecord& detection) {
  log("GAPI: Initialize()");
  if (!api_.load()) return false;
  if (api_.openDisplay(window, GX_FULLSCREEN) == 0) return false;
  open_ = true;
  const GXDisplayProperties properties = api_.displayProperties();
  const int32_t width = static_cast<int32_t>(properties.cxWidth);
  const int32_t height = static_cast<int32_t>(properties.cyHeight);
  const FrameLayout layout = layoutFromPitches(properties.cbxPitch, properties.cbyPitch, width, height);
  if (layout.width <= 0 || layout.height <= 0 || properties.cBPP != kBitsPerPixel) return false;
  offset_ = frameBufferOffset(layout.orientation, width, height, properties.cbxPitch, properties.cbyPitch);
  const bool fixed = fixedFrameBuffer();
  if (fixed) {
    fixedAddress_ = detection.mode.frameBuffer;
    if (fixedAddress_ == nullptr) return false;
  }
  mode_.width = layout.width;
  mode_.height = layout.height;
  mode_.bitsPerPixel = kBitsPerPixel;
  mode_.pitch = layout.pitch;
  mode_.orientation = layout.orientation;
  mode_.swapKind = !fixed && api_.isDramBuffer() != FALSE ? kSwapCopy : kSwapNone;
  mode_.frameBuffer = fixedAddress_;
  surface_.width = layout.width;
  surface_.height = layout.height;
  surface_.pitch = layout.pitch;
  surface_.pixels = fixedAddress_;
  surface_.ownsPixels = false;
  return true;
}

Surface* GameApiDriver::lock() {
  if (fixedAddress_ != nullptr) return &surface_;
  auto* reported = static_cast<uint8_t*>(api_.beginDraw());
  if (reported == nullptr) return nullptr;
  drawing_ = true;
  surface_.pixels = reported + offset_;
  return &surface_;
}

void GameApiDriver::present(uint32_t) {
  if (!drawing_) return;
  api_.endDraw();
  drawing_ = false;
}

void GameApiDriver::adjustRect(Raster::Rect& dirty) {
  // Only the rows of the band are copied out of system memory, counted in the panel's own rows.
  if (mode_.swapKind == kSwapCopy && dirty.height() > 0)
    api_.setViewport(static_cast<DWORD>(dirty.top), static_cast<DWORD>(dirty.height()), 0, 0);
}

void GameApiDriver::resume() {
  if (open_) api_.resume();
}

void GameApiDriver::suspend() {
  if (open_) api_.suspend();
}

}  // namespace ScreenHAL
