// The highest level reached: read within the game's levels (a value outside them told once and read as the
// nearer bound), raised and saved only by a higher level.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "gamelib/GameLibFixture.h"
#include "gamelib/GameMenu.h"
#include "gamelib/HighestLevel.h"

namespace {

using gamelib::GameMenu;
using gamelib::HighestLevel;

class HighestLevelTest : public gltest::GameLibFixture {};

constexpr int32_t kNone = std::numeric_limits<int32_t>::min();

TEST_F(HighestLevelTest, AStoredLevelIsReadWithinTheLevelsAndDamageIsToldOnce) {
  struct Case {
    const char16_t* game;
    int32_t stored;  // kNone: nothing stored
    int32_t lowest, highest;
    int32_t read;
    bool told;
  } cases[] = {
      {u"hl_none", kNone, 1, 50, 1, false},
      {u"hl_within", 7, 1, 50, 7, false},
      {u"hl_top", 50, 1, 50, 50, false},
      {u"hl_above", 60, 1, 50, 50, true},
      {u"hl_below", -3, 1, 50, 1, true},
      // A game without a lowest level keeps what is stored below 1.
      {u"hl_unbounded", 0, kNone, 71, 0, false},
      {u"hl_unbounded_above", 72, kNone, 71, 71, true},
      // No levels at all: the lowest.
      {u"hl_nolevels", 5, 1, 0, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(gltest::narrow(c.game));
    const nuv::lang::DStringPtr option = nuv::lang::DStringPtr(c.game) + u"openlevel";
    if (c.stored != kNone) GameMenu::saveOption(option, c.stored);
    HighestLevel level{c.game};
    testing::internal::CaptureStderr();
    level.load(c.lowest, c.highest);
    EXPECT_EQ(level, c.read);
    level.load(c.lowest, c.highest);
    EXPECT_EQ(level, c.read);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), c.told ? 1 : 0) << told;
    if (c.told) {
      EXPECT_NE(told.find("op_" + gltest::narrow(option) + " is damaged"), std::string::npos) << told;
    }
    // What was stored stays as it was until a level is reached.
    EXPECT_EQ(GameMenu::loadOption(option, kNone), c.stored);
  }
}

TEST_F(HighestLevelTest, OnlyAHigherLevelIsKeptAndSaved) {
  HighestLevel level{u"hl_reach"};
  level.load(1, 20);
  struct Case {
    int32_t reached, highest;
  } cases[] = {{1, 1}, {3, 3}, {2, 3}, {3, 3}, {20, 20}};
  for (const Case& c : cases) {
    level.reach(c.reached);
    EXPECT_EQ(level, c.highest) << c.reached;
    EXPECT_EQ(GameMenu::loadOption(u"hl_reachopenlevel", kNone), c.highest == 1 ? kNone : c.highest) << c.reached;
  }
  // The next visit of the game finds it.
  HighestLevel next{u"hl_reach"};
  next.load(1, 20);
  EXPECT_EQ(next, 20);
}

}  // namespace
