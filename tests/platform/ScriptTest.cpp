// Input scripts: what the parser accepts, what it refuses, and the key names it knows.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/window.h"
#include "platform/seam/script.h"

namespace {

using Kind = platform::ScriptEvent::Kind;

TEST(ScriptTest, ParsesEveryKindOfEventInTimeOrder) {
  platform::Script script;
  std::string error;
  ASSERT_TRUE(
      platform::parseScript("# a replay\n"
                            "step 2\n"
                            "100 key down F1   # soft key\n"
                            "+20 key up F1\n"
                            "50 pen down 10 -3\n"
                            "60 pen move 0x10 20\n"
                            "61 pen hover 1 2\n"
                            "70 pen up 16 20\n"
                            "80 deactivate\n"
                            "90 activate\n"
                            "90 key repeat a\n"
                            "200 capture frames/one.png\n"
                            "300 close\n",
                            script, error))
      << error;
  EXPECT_FALSE(script.realtime);
  EXPECT_EQ(script.step, 2u);
  struct Expected {
    uint64_t time;
    Kind kind;
    int a, b;
  } expected[] = {
      {50, Kind::PenDown, 10, -3},   {60, Kind::PenMove, 16, 20},    {61, Kind::PenHover, 1, 2},
      {70, Kind::PenUp, 16, 20},     {80, Kind::Deactivate, 0, 0},   {90, Kind::Activate, 0, 0},
      {90, Kind::KeyRepeat, 'A', 0}, {100, Kind::KeyDown, VK_F1, 0}, {120, Kind::KeyUp, VK_F1, 0},
      {200, Kind::Capture, 0, 0},    {300, Kind::Close, 0, 0},
  };
  ASSERT_EQ(script.events.size(), std::size(expected));
  for (size_t i = 0; i < script.events.size(); ++i) {
    EXPECT_EQ(script.events[i].time, expected[i].time) << i;
    EXPECT_EQ(script.events[i].kind, expected[i].kind) << i;
    EXPECT_EQ(script.events[i].a, expected[i].a) << i;
    EXPECT_EQ(script.events[i].b, expected[i].b) << i;
  }
  EXPECT_EQ(script.events[9].file, "frames/one.png");
}

TEST(ScriptTest, RefusesMalformedLinesNamingTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"abc close", "line 1: expected a time in milliseconds"},
      {"\n10", "line 2: expected an event after the time"},
      {"10 key press A", "line 1: a key event is down, up or repeat"},
      {"10 key down Banana", "line 1: unknown key \"Banana\""},
      {"10 pen tap 1 2", "line 1: a pen event is down, move, up or hover"},
      {"10 pen down x 2", "line 1: pen coordinates must be numbers"},
      {"10 jump", "line 1: unknown event \"jump\" or wrong number of values"},
      {"10 close now", "line 1: unknown event \"close\" or wrong number of values"},
      {"step 0", "line 1: the step must be a positive number"},
      {"-5 close", "line 1: expected a time in milliseconds"},
  };
  for (const Case& c : cases) {
    platform::Script script;
    std::string error;
    EXPECT_FALSE(platform::parseScript(c.text, script, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(ScriptTest, KeyNamesAndNumbers) {
  struct Case {
    const char* name;
    unsigned code;
  } cases[] = {
      {"Escape", VK_ESCAPE}, {"Enter", VK_RETURN}, {"Left", VK_LEFT}, {"Down", VK_DOWN}, {"F1", VK_F1}, {"F24", VK_F24},
      {"App1", VK_APP1},     {"App4", VK_APP4},    {"5", '5'},        {"z", 'Z'},        {"Q", 'Q'},    {"0x77", 0x77},
      {"120", 120},          {"F25", 0},           {"", 0},           {"-4", 0},         {"Banana", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::keyCodeByName(c.name), c.code) << c.name;
}

}  // namespace
