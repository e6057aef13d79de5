// The command line's options and their edge cases.
#include <gtest/gtest.h>

#include <string>

#include "shell/CommandLine.h"

namespace {

TEST(CommandLineTest, OptionsAndTheirValues) {
  struct Case {
    const char16_t* line;
    bool fullScreen;
    int32_t width;
    int32_t height;
  } cases[] = {
      {u"", true, -1, -1},
      {u"/nofullscreen /width:320 /height:200", false, 320, 200},
      {u"/nofullscreen /width 320 /height 200", false, 320, 200},
      {u"  /nofullscreen   /width=640   /height=480  ", false, 640, 480},
      {u"/width:320 /height:200", true, 320, 200},
      {u"/nofullscreenplease", false, -1, -1},
      {u"/width:-5 /height:+7", true, -5, 7},
      {u"/width:12abc /height:x", true, 12, 0},
      {u"/width320", true, 20, -1},       // exactly one separator character is skipped
      {u"/width: /height:", true, 0, 0},  // a separator and nothing after it reads as 0
      {u"/width:99999999999", true, INT32_MAX, -1},
      {u"/wid:3 /heigh:4", true, -1, -1},
      {u"/height 240 /width", true, -1, 240},  // an option that ends the line has no value
      {u"/nofullscreen /width 320 /height", false, 320, -1},
  };
  for (const Case& c : cases) {
    shell::CommandLine options = shell::parseCommandLine(c.line);
    std::u16string line(c.line);
    EXPECT_EQ(options.fullScreen, c.fullScreen) << std::string(line.begin(), line.end());
    EXPECT_EQ(options.width, c.width) << std::string(line.begin(), line.end());
    EXPECT_EQ(options.height, c.height) << std::string(line.begin(), line.end());
  }
}

// The given size is the program's only with /nofullscreen and two positive values within the largest
// screen; a larger one is refused with a line naming the bound. Before, 99999 x 99999 ended in the
// last-chance box and 65536 x 65536 took 16 GB.
TEST(CommandLineTest, TheGivenSizeIsUsedOnlyWithinTheBound) {
  struct Case {
    const char16_t* line;
    bool used;
    const char* refused;
  } cases[] = {
      {u"/nofullscreen /width 2048 /height 2048", true, ""},
      {u"/nofullscreen /width 320 /height 0", false, ""},
      {u"/width 320 /height 240", false, ""},
      {u"/nofullscreen /width 2049 /height 240", false,
       "the size 2049x240 of /width and /height is larger than 2048x2048; the screen's size is used"},
      {u"/nofullscreen /width 240 /height 2049", false,
       "the size 240x2049 of /width and /height is larger than 2048x2048; the screen's size is used"},
      {u"/nofullscreen /width 1 /height 2048", true, ""},
      {u"/nofullscreen /width 99999 /height 99999", false,
       "the size 99999x99999 of /width and /height is larger than 2048x2048; the screen's size is used"},
  };
  for (const Case& c : cases) {
    std::u16string line(c.line);
    std::string refused = "left over";
    EXPECT_EQ(shell::usesGivenSize(shell::parseCommandLine(c.line), refused), c.used)
        << std::string(line.begin(), line.end());
    EXPECT_EQ(refused, c.refused);
  }
}

TEST(CommandLineTest, LongLineIsParsedInFull) {
  std::u16string line(2000, u'x');
  line += u" /nofullscreen /width:100 /height:50";
  shell::CommandLine options = shell::parseCommandLine(line);
  EXPECT_FALSE(options.fullScreen);
  EXPECT_EQ(options.width, 100);
  EXPECT_EQ(options.height, 50);
}

}  // namespace
