// The Game API library ("gx.dll"), its DMA companion ("gxdma.dll") and the display driver's frame-buffer
// escapes, as the emulated handheld offers them.
#pragma once

#include <string_view>

#include "platform/api/window.h"

inline constexpr DWORD GX_FULLSCREEN = 0x01;
inline constexpr DWORD GX_NORMALKEYS = 0x02;

// GXDisplayProperties::ffFormat bits.
inline constexpr DWORD kfLandscape = 0x8;
inline constexpr DWORD kfPalette = 0x10;
inline constexpr DWORD kfDirect = 0x20;
inline constexpr DWORD kfDirect555 = 0x40;
inline constexpr DWORD kfDirect565 = 0x80;

struct GXDisplayProperties {
  DWORD cxWidth;
  DWORD cyHeight;
  LONG cbxPitch;  // bytes from a pixel to its right-hand neighbour on the screen as held
  LONG cbyPitch;  // bytes from a pixel to the one below it
  LONG cBPP;
  DWORD ffFormat;
};

struct GXKeyList {
  short vkUp;
  POINT ptUp;
  short vkDown;
  POINT ptDown;
  short vkLeft;
  POINT ptLeft;
  short vkRight;
  POINT ptRight;
  short vkA;
  POINT ptA;
  short vkB;
  POINT ptB;
  short vkC;
  POINT ptC;
  short vkStart;
  POINT ptStart;
};

using GXOpenDisplayProc = int (*)(HWND window, DWORD flags);
using GXCloseDisplayProc = int (*)();
using GXBeginDrawProc = void* (*)();
using GXEndDrawProc = int (*)();
using GXOpenInputProc = int (*)();
using GXCloseInputProc = int (*)();
using GXGetDisplayPropertiesProc = GXDisplayProperties (*)();
using GXGetDefaultKeysProc = GXKeyList (*)(int options);
using GXSuspendProc = int (*)();
using GXResumeProc = int (*)();
using GXSetViewportProc = int (*)(DWORD top, DWORD height, DWORD reserved1, DWORD reserved2);
using GXIsDisplayDRAMBufferProc = BOOL (*)();

// "gxdma.dll": copies a rectangle of the frame buffer (in its own rows and columns) between the system
// memory copy that GETGXINFO reports and the video memory the panel shows.
using DmaCopyProc = BOOL (*)(LONG left, LONG top, LONG width, LONG height);
using IsDMAReadyProc = BOOL (*)();

// ExtEscape codes of the display driver.
inline constexpr int GETGXINFO = 0x00020000;
inline constexpr int GETRAWFRAMEBUFFER = 0x00020001;

inline constexpr LONG kidVersion100 = 100;

// GETGXINFO: the frame buffer as the panel scans it; kfLandscape in ffFormat when it scans across.
struct GXDeviceInfo {
  LONG idVersion;
  void* pvFrameBuffer;
  DWORD cbStride;
  DWORD cxWidth;
  DWORD cyHeight;
  DWORD cBPP;
  DWORD ffFormat;
};

inline constexpr WORD FORMAT_565 = 1;
inline constexpr WORD FORMAT_555 = 2;
inline constexpr WORD FORMAT_OTHER = 3;

// GETRAWFRAMEBUFFER: the address of the screen's top-left pixel and the steps to its neighbours.
struct RawFrameBufferInfo {
  WORD wFormat;
  WORD wBPP;
  void* pFramePointer;
  int cxStride;
  int cyStride;
  int cxPixels;
  int cyPixels;
};

namespace platform::video {

// Entries of the video libraries ("gx.dll", "gxdma.dll", "corelinklib.dll", "coredll.dll"), by lower-case
// library name; null when there is none.
FARPROC libraryExport(std::u16string_view library, std::u16string_view name);
// The display driver's escapes; 0 when not supported.
int escape(int code, int inputSize, const char* input, int outputSize, char* output);

}  // namespace platform::video
