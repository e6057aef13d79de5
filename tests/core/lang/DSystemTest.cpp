// The property tables on each emulated device, the setters of the entry and engine, and the clock.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DString.h"
#include "core/lang/DSystem.h"
#include "platform/device/device.h"
#include "platform/host/paths.h"
#include "platform/seam/clock.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

class DSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = platform::device(); }
  void TearDown() override {
    platform::setDevice(saved_);
    platform::setProgramFile("");
    platform::useRealClock();
    DSystem::setCommandLine(u"");
    DSystem::setEventBasedLoop(false);
  }

  static void useProfile(const char* name) {
    platform::Device d;
    ASSERT_TRUE(platform::findDeviceProfile(name, d));
    platform::setDevice(d);
  }

  static DStringPtr property(const char16_t* key) { return DSystem::getProperty(DStringPtr(key)); }
  static int32_t intProperty(const char16_t* key) { return DSystem::getIntProperty(DStringPtr(key)); }

 private:
  platform::Device saved_;
};

}  // namespace

TEST_F(DSystemTest, StringProperties) {
  struct Case {
    const char16_t* key;
    const char16_t* value;  // null: no such property
  } cases[] = {
      {u"archive.name", u"game.dat"},
      {u"archive.password", u""},
      {u"file.separator", u"\\"},
      {u"platform.string", u"PocketPC"},
      {u"system.eventbasedloop", u"false"},
      {u"app.commandline", u""},
      {u"Archive.name", nullptr},
      {u"archive.name ", nullptr},
      {u"archive", nullptr},
      {u"", nullptr},
      {u"platform.type", nullptr},
  };
  useProfile("pocketpc");
  for (const Case& c : cases) {
    DStringPtr value = property(c.key);
    if (c.value == nullptr) {
      EXPECT_TRUE(value.isNull()) << std::u16string(c.key).size();
    } else {
      ASSERT_FALSE(value.isNull());
      EXPECT_EQ(value->view(), c.value);
    }
  }
}

TEST_F(DSystemTest, IntProperties) {
  struct Case {
    const char16_t* key;
    int32_t value;
  } cases[] = {
      {u"platform.type", 2},
      {u"input.qwerty", -1},
      {u"input.mouse", 0},
      {u"sound.stereo", 1},
      {u"sound.bps", 16},
      {u"sound.frequency", 44100},
      {u"sound.sfx_channels", 32},
      {u"sound.music_channels", 16},
      {u"platform.browser", 1},
      {u"system.eventbasedloop", 0},
      {u"archive.name", -1},
      {u"Platform.type", -1},
      {u"", -1},
  };
  for (const char* profile : {"pocketpc", "smartphone"}) {
    useProfile(profile);
    for (const Case& c : cases) EXPECT_EQ(intProperty(c.key), c.value) << profile;
  }
}

TEST_F(DSystemTest, InputProbesFollowTheDevice) {
  struct Case {
    const char* profile;
    const char16_t* platformType;  // null: the profile's own
    const char16_t* touchDriver;   // null: the profile's own
    const char16_t* platform;
    int32_t touch;
    int32_t softkeys;
  } cases[] = {
      {"pocketpc", nullptr, nullptr, u"PocketPC", 1, 0},
      {"smartphone", nullptr, nullptr, u"SmartPhone", 0, 1},
      {"smartphone-touch", nullptr, nullptr, u"SmartPhone", 1, 1},
      // A Pocket PC always has a touch screen, whatever the registry says.
      {"pocketpc", nullptr, u"", u"PocketPC", 1, 0},
      // The registry names a driver the device cannot load.
      {"smartphone", nullptr, u"missing.dll", u"SmartPhone", 0, 1},
      // Platform texts are compared exactly.
      {"smartphone", u"Smartphone", nullptr, u"Smartphone", 0, 0},
  };
  for (const Case& c : cases) {
    platform::Device d;
    ASSERT_TRUE(platform::findDeviceProfile(c.profile, d));
    if (c.platformType) d.platformType = c.platformType;
    if (c.touchDriver) d.touchDriver = c.touchDriver;
    platform::setDevice(d);
    EXPECT_EQ(property(u"platform.string")->view(), c.platform);
    EXPECT_EQ(intProperty(u"input.touchscreen"), c.touch) << c.profile;
    EXPECT_EQ(intProperty(u"input.softkeys"), c.softkeys) << c.profile;
    EXPECT_EQ(intProperty(u"input.qwerty"), -1);
  }
}

TEST_F(DSystemTest, ProgramFolderHasNoTrailingSeparator) {
  struct Case {
    const char* programFile;
    const char16_t* folder;
  } cases[] = {
      {"/Program Files/X/glimmerhut", u"\\Program Files\\X"},
      {"/opt/glimmerhut/bin/glimmerhut", u"\\opt\\glimmerhut\\bin"},
      {"/glimmerhut", u""},
  };
  for (const Case& c : cases) {
    platform::setProgramFile(c.programFile);
    EXPECT_EQ(property(u"app.fullpath")->view(), c.folder);
  }
}

TEST_F(DSystemTest, CommandLineAndEventLoopComeFromTheirSetters) {
  DSystem::setCommandLine(u"/nofullscreen /width 200");
  EXPECT_EQ(property(u"app.commandline")->view(), u"/nofullscreen /width 200");
  std::u16string longLine(2000, u'x');
  DSystem::setCommandLine(longLine.c_str());
  EXPECT_EQ(property(u"app.commandline")->view(), longLine.substr(0, 1023));
  DSystem::setCommandLine(nullptr);
  EXPECT_EQ(property(u"app.commandline")->view(), u"");

  DSystem::setEventBasedLoop(true);
  EXPECT_EQ(property(u"system.eventbasedloop")->view(), u"true");
  EXPECT_EQ(intProperty(u"system.eventbasedloop"), 1);
  DSystem::setEventBasedLoop(false);
  EXPECT_EQ(property(u"system.eventbasedloop")->view(), u"false");
  EXPECT_EQ(intProperty(u"system.eventbasedloop"), 0);
}

TEST_F(DSystemTest, NullKeyThrowsNullPointerException) {
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, DSystem::getProperty(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, DSystem::getIntProperty(nullptr));
}

TEST_F(DSystemTest, ClockCountsInSixtyFourBitsWithoutWrapping) {
  const uint64_t cases[] = {0, 5000, 0xFFFFFFFF, uint64_t{1} << 32, (uint64_t{1} << 32) + 7, uint64_t{1} << 40};
  for (uint64_t ms : cases) {
    platform::setManualClock(ms);
    EXPECT_EQ(DSystem::currentTimeMillis(), static_cast<int64_t>(ms));
  }
  platform::setManualClock(0xFFFFFFFF);
  platform::advanceManualClock(2);
  EXPECT_EQ(DSystem::currentTimeMillis(), int64_t{0x100000001});
}
