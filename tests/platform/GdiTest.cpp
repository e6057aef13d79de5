// The drawing calls of the stand-in: contexts, DIB sections, block copies onto the screen, fonts and text.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "platform/api/gdi.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"

namespace {

struct Bitfields565 {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

HBITMAP makeDib(HDC dc, int width, int height, int bits, void** pixels) {
  Bitfields565 info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = bits == 16 ? BI_BITFIELDS : BI_RGB;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels, nullptr, 0);
}

LOGFONTW describe(const char16_t* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTW f{};
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfQuality = NONANTIALIASED_QUALITY;
  for (int i = 0; face[i] != 0 && i < LF_FACESIZE - 1; ++i) f.lfFaceName[i] = face[i];
  return f;
}

}  // namespace

TEST(Gdi, BlockCopiesConvertBetween565And32BitAndShowOnTheScreen) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = makeDib(memory, 4, 2, 16, &bits);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(bits, nullptr);
  auto* pixels = static_cast<uint16_t*>(bits);
  pixels[0] = 0xF800;
  pixels[1] = 0x07E0;
  pixels[2] = 0x001F;
  pixels[3] = 0xFFFF;
  pixels[4] = 0x8410;  // row 1 starts at stride 8 bytes = 4 pixels
  HGDIOBJ previous = SelectObject(memory, dib);
  EXPECT_NE(previous, nullptr);

  platform::DeviceScreen& glass = platform::deviceScreen();
  const uint64_t presents = glass.presentCount();
  ASSERT_TRUE(BitBlt(screen, 10, 20, 4, 2, memory, 0, 0, SRCCOPY));
  EXPECT_EQ(glass.presentCount(), presents + 1);
  const uint32_t* row = glass.pixels() + 20 * glass.width();
  EXPECT_EQ(row[10], 0xF80000u);
  EXPECT_EQ(row[11], 0x00FC00u);
  EXPECT_EQ(row[12], 0x0000F8u);
  EXPECT_EQ(row[13], 0xF8FCF8u);
  EXPECT_EQ(row[glass.width() + 10], 0x808080u);

  // The same frame again is a present of the picture the screen shows; once anything else was drawn on
  // the screen, or the frame changed, it is a new picture with the frame's pixels.
  struct Step {
    const char* what;
    bool drawOver;
    uint16_t firstPixel;
    bool newPicture;
  } steps[] = {
      {"the same frame", false, 0xF800, false},
      {"after a fill over it", true, 0xF800, true},
      {"a changed frame", false, 0x001F, true},
      {"that frame again", false, 0x001F, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.drawOver) {
      RECT over{10, 20, 12, 21};
      FillRect(screen, &over, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    pixels[0] = step.firstPixel;
    const uint64_t pictures = glass.pictureCount();
    ASSERT_TRUE(BitBlt(screen, 10, 20, 4, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(glass.pictureCount(), pictures + (step.newPicture ? 1 : 0));
    EXPECT_EQ(row[10], step.firstPixel == 0xF800 ? 0xF80000u : 0x0000F8u);
    EXPECT_EQ(row[11], 0x00FC00u);
  }
  pixels[0] = 0xF800;
  ASSERT_TRUE(BitBlt(screen, 10, 20, 4, 2, memory, 0, 0, SRCCOPY));

  // And back from the screen into a 32-bit section, cut at the screen's edge.
  HDC other = CreateCompatibleDC(screen);
  void* bits32 = nullptr;
  HBITMAP dib32 = makeDib(other, 3, 1, 32, &bits32);
  SelectObject(other, dib32);
  ASSERT_TRUE(BitBlt(other, 0, 0, 3, 1, screen, 11, 20, SRCCOPY));
  EXPECT_EQ(static_cast<uint32_t*>(bits32)[0], 0x00FC00u);
  EXPECT_EQ(static_cast<uint32_t*>(bits32)[2], 0xF8FCF8u);
  ASSERT_TRUE(BitBlt(other, 0, 0, 3, 1, screen, glass.width() - 1, 0, SRCCOPY));

  // A selected bitmap is not deleted; after it is selected out it is.
  EXPECT_FALSE(DeleteObject(dib));
  SelectObject(memory, previous);
  EXPECT_TRUE(DeleteObject(dib));
  EXPECT_FALSE(DeleteObject(dib));
  EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteObject(dib32));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

// Rows wide enough for the eight-pixel steps and a tail: every 16-bit value lands as the narrow case
// converts it, and a frame presented again shows a pixel changed anywhere in a row.
TEST(Gdi, WideFramesConvertEveryPixelAndShowEachChangedOne) {
  constexpr int kWidth = 19;
  constexpr int kHeight = 3;
  constexpr int kLeft = 3, kTop = 5;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = makeDib(memory, kWidth, kHeight, 16, &bits);
  ASSERT_NE(dib, nullptr);
  HGDIOBJ previous = SelectObject(memory, dib);
  const int stride = (kWidth * 2 + 3) / 4 * 4;
  auto pixel = [&](int x, int y) -> uint16_t& {
    return *reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(bits) + y * stride + x * 2);
  };
  auto widened = [](uint16_t p) { return ((p & 0xF800u) << 8) | ((p & 0x07E0u) << 5) | ((p & 0x001Fu) << 3); };
  platform::DeviceScreen& glass = platform::deviceScreen();
  auto shows = [&](int x, int y) { return glass.pixels()[(kTop + y) * glass.width() + kLeft + x]; };
  auto showsTheFrame = [&] {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (shows(x, y) != widened(pixel(x, y))) return false;
      }
    }
    return true;
  };

  for (uint32_t value = 0; value < 0x10000; value += kWidth * kHeight) {
    for (int i = 0; i < kWidth * kHeight; ++i) pixel(i % kWidth, i / kWidth) = static_cast<uint16_t>(value + i * 997);
    ASSERT_TRUE(BitBlt(screen, kLeft, kTop, kWidth, kHeight, memory, 0, 0, SRCCOPY));
    ASSERT_TRUE(showsTheFrame()) << value;
  }

  // In the first step, at a step's edge, in the last step, in the tail: of the middle row.
  for (int x : {0, 7, 8, 15, 16, 18}) {
    SCOPED_TRACE(x);
    const uint64_t pictures = glass.pictureCount();
    ASSERT_TRUE(BitBlt(screen, kLeft, kTop, kWidth, kHeight, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(glass.pictureCount(), pictures);
    pixel(x, 1) ^= 0x0841;
    ASSERT_TRUE(BitBlt(screen, kLeft, kTop, kWidth, kHeight, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(glass.pictureCount(), pictures + 1);
    EXPECT_TRUE(showsTheFrame());
  }
  SelectObject(memory, previous);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST(Gdi, FillsCoverTheRectangleCutAtTheBitmapsEdges) {
  constexpr int kWidth = 5;
  constexpr int kHeight = 4;
  const struct {
    const char* name;
    int bits;
    bool bottomUp;
  } cases[] = {{"32-bit", 32, false}, {"16-bit stored bottom up", 16, true}};
  HDC screen = GetDC(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HDC dc = CreateCompatibleDC(screen);
    Bitfields565 info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = kWidth;
    info.header.biHeight = c.bottomUp ? kHeight : -kHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(c.bits);
    info.header.biCompression = c.bits == 16 ? BI_BITFIELDS : BI_RGB;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    RECT over{2, -1, 9, 3};  // columns 2 to 4 and rows 0 to 2 once cut
    FillRect(dc, &over, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int stride = ((kWidth * c.bits + 31) / 32) * 4;
    for (int y = 0; y < kHeight; ++y) {
      const auto* row = static_cast<const uint8_t*>(bits) + (c.bottomUp ? kHeight - 1 - y : y) * stride;
      for (int x = 0; x < kWidth; ++x) {
        EXPECT_EQ(row[x * c.bits / 8] == 0xFF, x >= 2 && y < 3) << "at " << x << ", " << y;
      }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(dib));
  }
  ReleaseDC(nullptr, screen);
}

TEST(Gdi, DeviceCapsDescribeTheEmulatedScreen) {
  const platform::Device saved = platform::device();
  struct Case {
    int width, height, dpi;
  } cases[] = {{240, 320, 96}, {480, 640, 192}, {240, 400, 96}};
  for (const Case& c : cases) {
    platform::Device d = saved;
    d.screenWidth = c.width;
    d.screenHeight = c.height;
    platform::setDevice(d);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.width);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.height);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpi);
    ReleaseDC(nullptr, dc);
  }
  platform::setDevice(saved);
}

TEST(Gdi, FontsByFaceNameMeasureAndDrawWithoutAntialiasing) {
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP dib = makeDib(dc, 64, 32, 32, &bits);
  SelectObject(dc, dib);

  LOGFONTW sansDescription = describe(u"Tahoma", -14);
  LOGFONTW monoDescription = describe(u"Courier New", -14);
  HFONT sans = CreateFontIndirectW(&sansDescription);
  HFONT mono = CreateFontIndirectW(&monoDescription);
  ASSERT_NE(sans, nullptr);
  ASSERT_NE(mono, nullptr);

  SelectObject(dc, sans);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(dc, &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GE(tm.tmHeight, 14);
  EXPECT_LE(tm.tmHeight, 20);
  SIZE narrow{}, wide{};
  GetTextExtentPoint32W(dc, u"i", 1, &narrow);
  GetTextExtentPoint32W(dc, u"W", 1, &wide);
  EXPECT_LT(narrow.cx, wide.cx);
  EXPECT_EQ(narrow.cy, tm.tmHeight);

  SelectObject(dc, mono);
  GetTextExtentPoint32W(dc, u"i", 1, &narrow);
  GetTextExtentPoint32W(dc, u"W", 1, &wide);
  EXPECT_EQ(narrow.cx, wide.cx);

  // Black on white: only the two colours appear, and ink stays inside the text's cell.
  RECT all{0, 0, 64, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, sans);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  ASSERT_TRUE(ExtTextOutW(dc, 0, 0, 0, nullptr, u"Ag", 2, nullptr));
  SIZE cell{};
  GetTextExtentPoint32W(dc, u"Ag", 2, &cell);
  const auto* px = static_cast<const uint32_t*>(bits);
  std::set<uint32_t> colours;
  int ink = 0;
  for (int y = 0; y < cell.cy; ++y)
    for (int x = 0; x < cell.cx; ++x) {
      colours.insert(px[y * 64 + x]);
      ink += px[y * 64 + x] == 0;
    }
  EXPECT_EQ(colours, (std::set<uint32_t>{0x000000, 0xFFFFFF}));
  EXPECT_GT(ink, 10);
  EXPECT_EQ(px[(cell.cy + 1) * 64 + 1], 0u) << "below the cell the background stays as it was";

  // A space paints only its background.
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ExtTextOutW(dc, 0, 0, 0, nullptr, u" ", 1, nullptr);
  EXPECT_EQ(px[5 * 64 + 1], 0xFFFFFFu);

  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(sans));
  EXPECT_TRUE(DeleteObject(mono));
  EXPECT_TRUE(DeleteObject(dib));
}
