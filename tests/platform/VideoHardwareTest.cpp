// The emulated video hardware as the drivers see it: the Game API's and the raw escape's addresses and
// pitches put pixels where the screen shows them for every panel orientation, aliases and physical
// mappings reach the same memory, kernel mode guards the probes, and a slow bus holds up the counter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/api/gdi.h"
#include "platform/api/gx.h"
#include "platform/api/kernel.h"
#include "platform/api/module.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/device/videohw.h"

namespace {

constexpr uint16_t kRed = 0xF800;
constexpr uint32_t kRedOnScreen = 0xF80000;

class VideoHardwareTest : public ::testing::Test {
 protected:
  void TearDown() override { useDevice("pocketpc", 0); }
  void useDevice(const char* profile, int orientation) {
    platform::Device d;
    ASSERT_TRUE(platform::findDeviceProfile(profile, d));
    d.video.nativeOrientation = orientation;
    platform::setDevice(d);
    platform::deviceScreen().resize(d.screenWidth, d.screenHeight);
  }
  template <class Proc>
  Proc gx(const char16_t* name) {
    HMODULE module = LoadLibraryW(u"gx.dll");
    Proc proc = reinterpret_cast<Proc>(GetProcAddressW(module, name));
    FreeLibrary(module);
    return proc;
  }
  uint32_t screenAt(int x, int y) {
    platform::DeviceScreen& s = platform::deviceScreen();
    return s.pixels()[static_cast<size_t>(y) * s.width() + x];
  }
};

TEST_F(VideoHardwareTest, GameApiAndRawFrameBufferAddressesPutPixelsWhereTheScreenShowsThem) {
  struct Point {
    int x, y;
  } points[] = {{0, 0}, {239, 0}, {0, 319}, {239, 319}, {17, 203}};
  for (int orientation = 0; orientation < 4; ++orientation) {
    SCOPED_TRACE("orientation " + std::to_string(orientation));
    // The Game API, drawing into video memory itself.
    useDevice("xscale", orientation);
    HWND window = reinterpret_cast<HWND>(uintptr_t{1});
    ASSERT_EQ(gx<GXOpenDisplayProc>(u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z")(window, GX_FULLSCREEN), 1);
    const GXDisplayProperties p =
        gx<GXGetDisplayPropertiesProc>(u"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ")();
    EXPECT_EQ(p.cxWidth, 240u);
    EXPECT_EQ(p.cyHeight, 320u);
    auto* base = static_cast<uint8_t*>(gx<GXBeginDrawProc>(u"?GXBeginDraw@@YAPAXXZ")());
    ASSERT_NE(base, nullptr);
    for (const Point& pt : points) std::memcpy(base + pt.x * p.cbxPitch + pt.y * p.cbyPitch, &kRed, 2);
    gx<GXEndDrawProc>(u"?GXEndDraw@@YAHXZ")();
    for (const Point& pt : points) EXPECT_EQ(screenAt(pt.x, pt.y), kRedOnScreen) << pt.x << "," << pt.y;
    EXPECT_NE(screenAt(1, 1), kRedOnScreen);
    gx<GXCloseDisplayProc>(u"?GXCloseDisplay@@YAHXZ")();

    // The raw frame buffer, seen after the panel's next refresh.
    useDevice("landscape", orientation);
    HDC dc = GetDC(nullptr);
    RawFrameBufferInfo raw{};
    ASSERT_GT(ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof raw, reinterpret_cast<char*>(&raw)), 0);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(raw.wFormat, FORMAT_565);
    for (const Point& pt : points)
      std::memcpy(static_cast<uint8_t*>(raw.pFramePointer) + pt.x * raw.cxStride + pt.y * raw.cyStride, &kRed, 2);
    EXPECT_TRUE(platform::refreshScreenFromVideo());
    for (const Point& pt : points) EXPECT_EQ(screenAt(pt.x, pt.y), kRedOnScreen) << pt.x << "," << pt.y;
    EXPECT_FALSE(platform::refreshScreenFromVideo());  // nothing changed since
  }
}

TEST_F(VideoHardwareTest, EscapesAndLibrariesAreThoseOfTheDevice) {
  struct Case {
    const char* profile;
    bool raw, gxInfo, gameApi, dma;
  } cases[] = {
      {"pocketpc", false, false, false, false}, {"vga", true, false, true, false},
      {"strongarm", false, true, false, false}, {"dma", false, true, false, true},
      {"rgb24", false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.profile);
    useDevice(c.profile, 0);
    HDC dc = GetDC(nullptr);
    for (int escape : {GETRAWFRAMEBUFFER, GETGXINFO}) {
      const bool expected = escape == GETRAWFRAMEBUFFER ? c.raw : c.gxInfo;
      EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<const char*>(&escape), 0, nullptr) > 0,
                expected);
    }
    ReleaseDC(nullptr, dc);
    HMODULE gxModule = LoadLibraryW(u"gx.dll");
    HMODULE dmaModule = LoadLibraryW(u"gxdma.dll");
    EXPECT_EQ(gxModule != nullptr, c.gameApi);
    EXPECT_EQ(dmaModule != nullptr, c.dma);
    if (gxModule != nullptr) FreeLibrary(gxModule);
    if (dmaModule != nullptr) FreeLibrary(dmaModule);
  }
}

TEST_F(VideoHardwareTest, PhysicalPagesAliasesAndProbesNeedKernelMode) {
  useDevice("xscale", 0);
  HMODULE core = LoadLibraryW(u"coredll.dll");
  auto setKMode = reinterpret_cast<SetKModeProc>(GetProcAddressW(core, u"SetKMode"));
  ASSERT_NE(setKMode, nullptr);
  EXPECT_THROW(ReadMainIdRegister(), platform::StructuredException);

  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  void* registers = VirtualAlloc(nullptr, info.dwPageSize, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(registers, nullptr);
  const DWORD physical = PAGE_READWRITE | PAGE_NOCACHE | PAGE_PHYSICAL;
  auto* lcd = reinterpret_cast<void*>(uintptr_t{0x44000000} >> 8);
  EXPECT_FALSE(VirtualCopy(registers, lcd, info.dwPageSize, physical));  // user mode
  setKMode(TRUE);
  EXPECT_EQ(ReadMainIdRegister() >> 12, 0x69052u);
  ASSERT_TRUE(VirtualCopy(registers, lcd, info.dwPageSize, physical));
  const auto* words = static_cast<const uint32_t*>(registers);
  EXPECT_EQ(words[0] & 1, 1u);        // enabled
  EXPECT_EQ(words[1] & 0x3FF, 239u);  // pixels per line - 1
  EXPECT_EQ(words[2] & 0x3FF, 319u);  // lines - 1
  void* nowhere = VirtualAlloc(nullptr, info.dwPageSize, MEM_RESERVE, PAGE_NOACCESS);
  EXPECT_FALSE(VirtualCopy(nowhere, reinterpret_cast<void*>(uintptr_t{0x50000000} >> 8), info.dwPageSize, physical));
  setKMode(FALSE);
  EXPECT_TRUE(VirtualFree(registers, 0, MEM_RELEASE));
  EXPECT_TRUE(VirtualFree(nowhere, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(registers, 0, MEM_RELEASE));
  FreeLibrary(core);

  // Both aliases of the frame buffer are the same memory, bit 29 apart.
  const platform::FrameBufferView frame = platform::videoFrameBuffer();
  ASSERT_NE(frame.pixels, nullptr);
  const auto uncached = reinterpret_cast<uintptr_t>(frame.pixels);
  ASSERT_NE(uncached & (uintptr_t{1} << 29), 0u);
  auto* cached = reinterpret_cast<uint16_t*>(uncached & ~(uintptr_t{1} << 29));
  EXPECT_FALSE(IsBadReadPtr(cached, 2));
  *cached = 0x1234;
  EXPECT_EQ(*reinterpret_cast<uint16_t*>(frame.pixels), 0x1234);
  EXPECT_TRUE(IsBadReadPtr(reinterpret_cast<void*>(uintptr_t{0xAC050020}), 4));
}

// What the bus costs is asserted, not how long the host took: that only adds to the counter.
TEST_F(VideoHardwareTest, WritesOverASlowBusHoldUpTheCounter) {
  for (const char* profile : {"mediaq", "xscale"}) {
    SCOPED_TRACE(profile);
    useDevice(profile, 0);
    const platform::FrameBufferView frame = platform::videoFrameBuffer();
    ASSERT_NE(frame.pixels, nullptr);
    const size_t bytes = static_cast<size_t>(frame.pitch) * frame.height;
    std::memset(frame.pixels, 0xFF, bytes);
    LARGE_INTEGER frequency{}, before{}, after{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    QueryPerformanceCounter(&before);
    const uint64_t stallBefore = platform::video::busStallNanoseconds();
    std::memset(frame.pixels, 0, bytes);  // every byte changes
    const uint64_t stall = platform::video::busStallNanoseconds() - stallBefore;
    QueryPerformanceCounter(&after);
    const int64_t counted = (after.QuadPart - before.QuadPart) * 1000000000 / frequency.QuadPart;
    const int slowWriteNs = platform::device().video.slowWriteNs;
    EXPECT_EQ(stall, bytes * static_cast<uint64_t>(std::max(slowWriteNs, 0)));
    EXPECT_GE(counted + 1000, static_cast<int64_t>(stall));  // the counter runs in microseconds
    if (std::string(profile) == "mediaq") {
      EXPECT_GT(slowWriteNs, 0);
    } else {
      EXPECT_EQ(stall, 0u);
    }
  }
}

}  // namespace
