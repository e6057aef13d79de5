// The handheld's drawing calls: device contexts, DIB sections, block copies, stock objects, device caps,
// fonts by face name and text. A window's or the screen's context draws onto the device screen.
#pragma once

#include "platform/api/window.h"
#include "platform/types.h"

using HDC = HDC__*;
using HGDIOBJ = void*;
using HBITMAP = struct HBITMAP__*;
using HFONT = struct HFONT__*;
using COLORREF = DWORD;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return r | (DWORD{g} << 8) | (DWORD{b} << 16); }
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

struct SIZE {
  LONG cx;
  LONG cy;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // negative: rows top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

// With BI_BITFIELDS three DWORD masks (red, green, blue) follow the header in place of bmiColors.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  LONG lfHeight;  // negative: character height; positive: cell height; 0: a default size
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int SYSTEM_FONT = 13;

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE FF_MODERN = 0x30;

inline constexpr int QUERYESCSUPPORT = 8;

// The screen's context for a null window, else the window's; both draw onto the device screen.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
// A memory context with a 1 x 1 bitmap selected, as on the handheld.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// 16 bits (RGB555, or RGB565 through BI_BITFIELDS masks) or 32 bits; the pixels start at zero.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// Returns the object of the same kind selected before, or null for a handle that is not an object.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Stock objects and objects still selected into a context are not deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HBRUSH CreateSolidBrush(COLORREF colour);
int GetDeviceCaps(HDC dc, int index);
// Copies with the formats converted; a copy onto the screen shows it at once.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// The emulated display driver's escapes: QUERYESCSUPPORT, and the frame-buffer escapes of platform/gx.h
// where the device offers them.
int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output);

COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
// "Tahoma" is drawn with DejaVu Sans, "Courier New" and modern-family fonts with DejaVu Sans Mono.
HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
// Text with its top-left cell corner at (x, y), never antialiased.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* dx);
