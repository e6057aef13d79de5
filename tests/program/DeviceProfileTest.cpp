// The real program on each emulated kind of handheld: whichever video driver it picks, the screen shows
// the same picture as on the plain Pocket PC, and the display log in its data folder names the driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/seam/capture.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kProgram = GH_PROGRAM;
constexpr const char* kScript = "2500 capture frame.png\n2600 close\n";

struct Outcome {
  platform::Picture frame;
  std::string log;
};

void runOn(const char* profile, Outcome& out) {
  test::TempFolder folder;
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run =
      test::runProgram(kProgram, folder.path(), kScript, {}, {std::string("GLIMMERHUT_DEVICE=") + profile});
  ASSERT_EQ(run.exitCode, 0) << profile << ": " << run.errors;
  ASSERT_TRUE(platform::readPng(folder.file("frame.png"), out.frame)) << profile;
  std::ifstream in(folder.file("Log_SHAL.txt"));
  std::stringstream text;
  text << in.rdbuf();
  out.log = text.str();
}

TEST(DeviceProfileTest, EveryKindOfHandheldShowsTheSamePicture) {
  Outcome plain;
  runOn("pocketpc", plain);
  ASSERT_FALSE(HasFatalFailure());
  struct Case {
    const char* profile;
    const char* driver;
  } cases[] = {
      {"gapi", "CreateDriver( 00000003 )\nInitializing video driver...\nGAPI: Initialize()\nDriver initialized!\n"},
      {"xscale", "XScale: found framebuffer\nDriver initialized!\n"},
      {"strongarm", "StrongARM: found framebuffer\nDriver initialized!\n"},
      {"imageon", "Imageon100: Initialize()\nDriver initialized!\n"},
      {"mediaq", "SlowFB: Initialize()\nDriver initialized!\n"},
      {"dma", "DriverDirect: Initialize()\nDriver initialized!\n"},
      {"landscape", "Driver initialized!\nRotationDriver: Initialize()\n"},
      {"rgb24", "GDIDriver: Initialize()\nDriver initialized!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.profile);
    Outcome run;
    runOn(c.profile, run);
    if (HasFatalFailure()) return;
    EXPECT_NE(run.log.find(c.driver), std::string::npos) << run.log;
    ASSERT_EQ(run.frame.width, plain.frame.width);
    ASSERT_EQ(run.frame.height, plain.frame.height);
    int different = 0;
    for (size_t i = 0; i < plain.frame.pixels.size(); ++i)
      different += run.frame.pixels[i] != plain.frame.pixels[i] ? 1 : 0;
    EXPECT_EQ(different, 0);
  }
}

}  // namespace
