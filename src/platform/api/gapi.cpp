// The Game API ("gx.dll" under its decorated export names), DMA ("gxdma.dll"), the display driver's
// frame-buffer escapes, and the table through which the video libraries' entries are found.
#include <algorithm>
#include <cstring>

#include "platform/api/corelink.h"
#include "platform/api/gdi.h"
#include "platform/api/gx.h"
#include "platform/api/kernel.h"
#include "platform/device/videohw.h"
#include "platform/device/videostate.h"

namespace platform::video {

namespace {

constexpr short kVkUp = 0x26, kVkDown = 0x28, kVkLeft = 0x25, kVkRight = 0x27;
constexpr short kVkA = 0xC1, kVkB = 0xC2, kVkC = 0xC3, kVkStart = 0x0D;

// Copies whole rows of the panel's memory from the system-memory copy to video memory.
void copyRows(State& s, int top, int rows) {
  top = std::clamp(top, 0, s.height);
  rows = std::clamp(rows, 0, s.height - top);
  for (int y = top; y < top + rows; ++y)
    std::memcpy(s.at(s.cached, 0, y), s.at(s.dram.data(), 0, y), static_cast<size_t>(s.width) * 2);
}

bool copyRect(State& s, LONG left, LONG top, LONG width, LONG height, bool toVideo) {
  if (!s.exists || width < 0 || height < 0) return false;
  const int l = std::clamp<int>(left, 0, s.width), t = std::clamp<int>(top, 0, s.height);
  const int r = std::clamp<int>(left + width, l, s.width), b = std::clamp<int>(top + height, t, s.height);
  for (int y = t; y < b; ++y) {
    uint8_t* video = s.at(s.cached, l, y);
    uint8_t* system = s.at(s.dram.data(), l, y);
    std::memmove(toVideo ? video : system, toVideo ? system : video, static_cast<size_t>(r - l) * 2);
  }
  return true;
}

int gxOpenDisplay(HWND window, DWORD) {
  State& s = state();
  if (!s.exists || window == nullptr || s.displayOpen) return 0;
  s.displayOpen = true;
  s.viewportTop = 0;
  s.viewportRows = 0;
  return 1;
}

int gxCloseDisplay() {
  State& s = state();
  const bool wasOpen = s.displayOpen;
  s.displayOpen = false;
  return wasOpen ? 1 : 0;
}

void* gxBeginDraw() {
  State& s = state();
  if (!s.displayOpen || s.suspended) return nullptr;
  uint8_t* base = s.config.gameApiDram ? s.dram.data() : s.uncached;
  return base + s.originOffset();
}

int gxEndDraw() {
  State& s = state();
  if (!s.displayOpen) return 0;
  if (s.config.gameApiDram) copyRows(s, s.viewportTop, s.viewportRows > 0 ? s.viewportRows : s.height);
  refreshScreenFromVideo();
  return 1;
}

int gxOpenInput() { return 1; }
int gxCloseInput() { return 1; }

GXDisplayProperties gxGetDisplayProperties() {
  State& s = state();
  GXDisplayProperties p{};
  if (!s.exists) return p;
  p.cxWidth = static_cast<DWORD>(s.screenWidth);
  p.cyHeight = static_cast<DWORD>(s.screenHeight);
  p.cbxPitch = s.xStep();
  p.cbyPitch = s.yStep();
  p.cBPP = 16;
  p.ffFormat = kfDirect | kfDirect565 | (s.orientation % 2 == 1 ? kfLandscape : 0);
  return p;
}

GXKeyList gxGetDefaultKeys(int) {
  GXKeyList keys{};
  keys.vkUp = kVkUp;
  keys.vkDown = kVkDown;
  keys.vkLeft = kVkLeft;
  keys.vkRight = kVkRight;
  keys.vkA = kVkA;
  keys.vkB = kVkB;
  keys.vkC = kVkC;
  keys.vkStart = kVkStart;
  return keys;
}

int gxSuspend() {
  state().suspended = true;
  return 1;
}

int gxResume() {
  state().suspended = false;
  return 1;
}

int gxSetViewport(DWORD top, DWORD height, DWORD, DWORD) {
  State& s = state();
  if (!s.displayOpen || top > static_cast<DWORD>(s.height)) return 0;
  s.viewportTop = static_cast<int>(top);
  s.viewportRows = static_cast<int>(std::min<DWORD>(height, static_cast<DWORD>(s.height) - top));
  return 1;
}

BOOL gxIsDisplayDRAMBuffer() { return state().config.gameApiDram ? TRUE : FALSE; }

BOOL dmaDramToVram(LONG left, LONG top, LONG width, LONG height) {
  State& s = state();
  if (!copyRect(s, left, top, width, height, true)) return FALSE;
  refreshScreenFromVideo();
  return TRUE;
}

BOOL dmaVramToDram(LONG left, LONG top, LONG width, LONG height) {
  return copyRect(state(), left, top, width, height, false) ? TRUE : FALSE;
}

BOOL isDmaReady() { return TRUE; }

struct Export {
  std::u16string_view library;
  std::u16string_view name;
  FARPROC entry;
};

template <class F>
FARPROC entry(F f) {
  return reinterpret_cast<FARPROC>(f);
}

const Export kExports[] = {
    {u"coredll.dll", u"SetKMode", entry(SetKMode)},
    {u"gx.dll", u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z", entry(gxOpenDisplay)},
    {u"gx.dll", u"?GXCloseDisplay@@YAHXZ", entry(gxCloseDisplay)},
    {u"gx.dll", u"?GXBeginDraw@@YAPAXXZ", entry(gxBeginDraw)},
    {u"gx.dll", u"?GXEndDraw@@YAHXZ", entry(gxEndDraw)},
    {u"gx.dll", u"?GXOpenInput@@YAHXZ", entry(gxOpenInput)},
    {u"gx.dll", u"?GXCloseInput@@YAHXZ", entry(gxCloseInput)},
    {u"gx.dll", u"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ", entry(gxGetDisplayProperties)},
    {u"gx.dll", u"?GXGetDefaultKeys@@YA?AUGXKeyList@@H@Z", entry(gxGetDefaultKeys)},
    {u"gx.dll", u"?GXSuspend@@YAHXZ", entry(gxSuspend)},
    {u"gx.dll", u"?GXResume@@YAHXZ", entry(gxResume)},
    {u"gx.dll", u"?GXSetViewport@@YAHKKKK@Z", entry(gxSetViewport)},
    {u"gx.dll", u"?GXIsDisplayDRAMBuffer@@YAHXZ", entry(gxIsDisplayDRAMBuffer)},
    {u"gxdma.dll", u"DmaDRAMtoVRAM", entry(dmaDramToVram)},
    {u"gxdma.dll", u"DmaVRAMtoDRAM", entry(dmaVramToDram)},
    {u"gxdma.dll", u"IsDMAReady", entry(isDmaReady)},
};

}  // namespace

FARPROC libraryExport(std::u16string_view library, std::u16string_view name) {
  if (library == u"corelinklib.dll") return coreLinkExport(name);
  for (const Export& e : kExports) {
    if (e.library == library && e.name == name) return e.entry;
  }
  return nullptr;
}

int escape(int code, int inputSize, const char* input, int outputSize, char* output) {
  State& s = state();
  const bool gxInfo = s.exists && s.config.gxInfoEscape && s.orientation <= 1;
  const bool raw = s.exists && s.config.rawFrameBufferEscape;
  switch (code) {
    case QUERYESCSUPPORT: {
      int asked = 0;
      if (input == nullptr || inputSize < static_cast<int>(sizeof asked)) return 0;
      std::memcpy(&asked, input, sizeof asked);
      if (asked == QUERYESCSUPPORT) return 1;
      return (asked == GETGXINFO && gxInfo) || (asked == GETRAWFRAMEBUFFER && raw) ? 1 : 0;
    }
    case GETGXINFO: {
      if (!gxInfo || output == nullptr || outputSize < static_cast<int>(sizeof(GXDeviceInfo))) return 0;
      GXDeviceInfo info{};
      info.idVersion = kidVersion100;
      // With DMA the program draws into system memory and the DMA engine moves it to the panel.
      info.pvFrameBuffer = s.dma ? s.dram.data() : s.uncached;
      info.cbStride = static_cast<DWORD>(s.pitch);
      info.cxWidth = static_cast<DWORD>(s.screenWidth);
      info.cyHeight = static_cast<DWORD>(s.screenHeight);
      info.cBPP = 16;
      info.ffFormat = kfDirect | kfDirect565 | (s.orientation == 1 ? kfLandscape : 0);
      std::memcpy(output, &info, sizeof info);
      return 1;
    }
    case GETRAWFRAMEBUFFER: {
      if (!raw || output == nullptr || outputSize < static_cast<int>(sizeof(RawFrameBufferInfo))) return 0;
      RawFrameBufferInfo info{};
      info.wFormat = FORMAT_565;
      info.wBPP = 16;
      info.pFramePointer = s.uncached + s.originOffset();
      info.cxStride = s.xStep();
      info.cyStride = s.yStep();
      info.cxPixels = s.screenWidth;
      info.cyPixels = s.screenHeight;
      std::memcpy(output, &info, sizeof info);
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace platform::video
