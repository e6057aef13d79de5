// The display settings as the display layer sees them: on handhelds whose screen is mounted a quarter turn
// round, orientations are turned on the way in and back on the way out.
#include <gtest/gtest.h>

#include <string>

#include "platform/device/device.h"
#include "shell/hal/DeviceProbe.h"
#include "shell/hal/DisplayServices.h"

namespace {

class DisplayServicesTest : public ::testing::Test {
 protected:
  void TearDown() override { useOem(nullptr); }
  static void useOem(const char16_t* oem) {
    platform::Device device;
    platform::findDeviceProfile("pocketpc", device);
    if (oem != nullptr) device.oemInfo = oem;
    platform::setDevice(device);
    ScreenHAL::forgetDeviceProbe();
    ScreenHAL::resetDisplayServices();
  }
};

TEST_F(DisplayServicesTest, TurnedScreensAnswerAndSetOrientationsOneStepRound) {
  struct Case {
    const char16_t* oem;
    int32_t rotation;     // as tested: the emulated screen itself is never turned
    bool acceptsUpright;  // a set of DMDO_0
    bool acceptsTurned;   // a set of DMDO_270, which reaches the screen as DMDO_0 when turned
  } cases[] = {
      {u"GlimmerHut Pocket PC", 0, true, false},
      {u"Toshiba e310", 0, true, false},
      {u"MotoQ", 3, false, true},
      {u"MotoQ9 Deluxe", 0, true, false},  // longer than the code's prefix allows
      {u"SGH-I320", 3, false, true},
      {u"SGH-i607", 3, false, true},
      {u"SAMSUNG SCH-i760", 0, true, false},
      {u"ASUS M530w", 3, false, true},
      {u"TechFaith", 3, false, true},
  };
  for (const Case& c : cases) {
    useOem(c.oem);
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_DISPLAYORIENTATION;
    ASSERT_EQ(ScreenHAL::changeDisplaySettings(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    SCOPED_TRACE(std::u16string(c.oem).size());
    EXPECT_EQ(ScreenHAL::screenRotation(), c.rotation);
    EXPECT_EQ(ScreenHAL::setScreenRotation(0), c.acceptsUpright);
    EXPECT_EQ(ScreenHAL::setScreenRotation(3), c.acceptsTurned);
  }
}

}  // namespace
