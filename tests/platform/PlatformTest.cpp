// The stand-in's clock, paths, device configuration and device probes.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/windows.h"
#include "platform/device/device.h"
#include "platform/host/paths.h"
#include "platform/host/text.h"
#include "platform/seam/clock.h"

namespace {

// Restores the default device after each test.
class PlatformTest : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::Device d;
    platform::findDeviceProfile("pocketpc", d);
    platform::setDevice(d);
    platform::setProgramFile("");
    platform::useRealClock();
  }
};

}  // namespace

TEST_F(PlatformTest, ManualClockIsSetAndAdvancedByTheTest) {
  platform::setManualClock(1000);
  EXPECT_EQ(GetTickCount(), 1000u);
  platform::advanceManualClock(30);
  EXPECT_EQ(platform::tickCount64(), 1030u);
  // The 32-bit tick count wraps; the 64-bit clock does not.
  platform::setManualClock(0x100000005ull);
  EXPECT_EQ(GetTickCount(), 5u);
  EXPECT_EQ(platform::tickCount64(), 0x100000005ull);
  platform::useRealClock();
  EXPECT_GE(platform::tickCount64(), 0x100000005ull);
}

TEST_F(PlatformTest, PathsMapBetweenDeviceAndHost) {
  struct Case {
    std::u16string device;
    std::string host;
  } toHost[] = {
      {u"\\work\\game.dat", "/work/game.dat"},
      {u"txt\\lang", "/txt/lang"},
      {u"\\", "/"},
      {u"\\Dateien\\Grüße.txt", "/Dateien/Grüße.txt"},
  };
  for (const Case& c : toHost) EXPECT_EQ(platform::toHostPath(c.device), c.host);
  EXPECT_EQ(platform::toDevicePath("/home/user/game.dat"), u"\\home\\user\\game.dat");
  EXPECT_EQ(platform::toDevicePath("/"), u"\\");
}

TEST_F(PlatformTest, ModuleFileNameIsTheProgramInDeviceForm) {
  platform::setProgramFile("/Program Files/X/glimmerhut");
  WCHAR name[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, name, MAX_PATH);
  EXPECT_EQ(std::u16string(name, n), u"\\Program Files\\X\\glimmerhut");
  WCHAR small[5];
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 4u);
  EXPECT_EQ(std::u16string(small), u"\\Pro");
  EXPECT_EQ(platform::programFolder(), "/Program Files/X");
}

TEST_F(PlatformTest, RealProgramFileIsThisExecutable) {
  EXPECT_NE(platform::programFile().find("test_platform"), std::string::npos);
}

TEST_F(PlatformTest, DeviceFromEnvironment) {
  std::string error;
  platform::Device d = platform::deviceFromEnvironment(nullptr, nullptr, nullptr, nullptr, error);
  EXPECT_EQ(d.profile, "pocketpc");
  EXPECT_EQ(d.platformType, u"PocketPC");
  EXPECT_EQ(d.screenWidth, 240);
  EXPECT_EQ(d.screenHeight, 320);
  EXPECT_TRUE(error.empty());

  d = platform::deviceFromEnvironment("smartphone", nullptr, "Acme Phone", "320x240", error);
  EXPECT_EQ(d.platformType, u"SmartPhone");
  EXPECT_EQ(d.oemInfo, u"Acme Phone");
  EXPECT_EQ(d.screenWidth, 320);
  EXPECT_EQ(d.screenHeight, 240);
  EXPECT_TRUE(error.empty());

  d = platform::deviceFromEnvironment("toaster", "SmartPhone", nullptr, "big", error);
  EXPECT_EQ(d.profile, "pocketpc");
  EXPECT_EQ(d.platformType, u"SmartPhone");
  EXPECT_EQ(d.screenWidth, 240);
  EXPECT_FALSE(error.empty());

  // A platform type the program does not know is said, and the profile's kept; every problem is told.
  d = platform::deviceFromEnvironment("smartphone", "Toaster", nullptr, nullptr, error);
  EXPECT_EQ(d.platformType, u"SmartPhone");
  EXPECT_EQ(error, "unknown platform type \"Toaster\", using \"SmartPhone\"");
  d = platform::deviceFromEnvironment("toaster", "pocketpc", nullptr, "big", error);
  EXPECT_EQ(d.platformType, u"PocketPC");
  EXPECT_EQ(error,
            "unknown device profile \"toaster\", using \"pocketpc\"; unknown platform type \"pocketpc\", using "
            "\"PocketPC\"; screen size \"big\" is not WIDTHxHEIGHT, keeping the profile's");
}

// A screen larger than the bound is refused with a line that names the bound; before, 99999x99999 ended in
// the last-chance box and 65536x65536 took 16 GB.
TEST_F(PlatformTest, AScreenSizeFromTheEnvironmentIsBounded) {
  const struct {
    const char* screen;
    int width, height;
    const char* error;
  } cases[] = {
      {"2048x2048", 2048, 2048, ""},
      {"2049x320", 240, 320, "screen size \"2049x320\" is larger than 2048x2048, keeping the profile's"},
      {"240x2049", 240, 320, "screen size \"240x2049\" is larger than 2048x2048, keeping the profile's"},
      {"1x2048", 1, 2048, ""},
      {"240x99999", 240, 320, "screen size \"240x99999\" is larger than 2048x2048, keeping the profile's"},
      {"65536x65536", 240, 320, "screen size \"65536x65536\" is larger than 2048x2048, keeping the profile's"},
      {"0x320", 240, 320, "screen size \"0x320\" is not WIDTHxHEIGHT, keeping the profile's"},
  };
  for (const auto& c : cases) {
    std::string error;
    platform::Device d = platform::deviceFromEnvironment(nullptr, nullptr, nullptr, c.screen, error);
    EXPECT_EQ(d.screenWidth, c.width) << c.screen;
    EXPECT_EQ(d.screenHeight, c.height) << c.screen;
    EXPECT_EQ(error, c.error);
  }
}

TEST_F(PlatformTest, SystemParametersAnswerFromTheDevice) {
  platform::Device d;
  platform::findDeviceProfile("smartphone", d);
  d.oemInfo = u"KOVS100";
  platform::setDevice(d);
  WCHAR text[256];
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof text, text, 0));
  EXPECT_EQ(std::u16string(text), u"SmartPhone");
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof text, text, 0));
  EXPECT_EQ(std::u16string(text), u"KOVS100");
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETOEMINFO, 4, text, 0));
  EXPECT_FALSE(SystemParametersInfoW(12345, sizeof text, text, 0));
}

TEST_F(PlatformTest, TouchDriverKeyAndLibraryFollowTheDevice) {
  for (const char* profile : {"pocketpc", "smartphone", "smartphone-touch"}) {
    platform::Device d;
    ASSERT_TRUE(platform::findDeviceProfile(profile, d));
    platform::setDevice(d);
    bool hasTouch = !d.touchDriver.empty();

    HKEY key = nullptr;
    LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"HARDWARE\\DEVICEMAP\\TOUCH", 0, KEY_READ, &key);
    EXPECT_EQ(opened == ERROR_SUCCESS, hasTouch) << profile;
    if (opened != ERROR_SUCCESS) continue;
    BYTE data[512];
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"DriverName", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, &type, data, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    HMODULE lib = LoadLibraryW(reinterpret_cast<const WCHAR*>(data));
    EXPECT_NE(lib, nullptr);
    EXPECT_TRUE(FreeLibrary(lib));
  }
  EXPECT_EQ(LoadLibraryW(u"gx.dll"), nullptr);
}

TEST_F(PlatformTest, Utf8RoundTripAndMalformedInput) {
  std::u16string text = u"Grüße €\U0001F600";
  EXPECT_EQ(platform::fromUtf8(platform::toUtf8(text)), text);
  EXPECT_EQ(platform::fromUtf8("a\xFF"
                               "b"),
            u"a\uFFFDb");
  EXPECT_EQ(platform::fromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");
}
