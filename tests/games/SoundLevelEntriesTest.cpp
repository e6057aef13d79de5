// The effects and music entries of every game's in-game menu, on the real game.dat: each choice moves the
// level on (after the highest comes off), shows it in the entry, sets it in the mixer and stores it as the
// game's option.
#include <gtest/gtest.h>

#include "gamelib/GameMenu.h"
#include "gamelib/SoundManager.h"
#include "games/bounce/BounceScreenFixture.h"
#include "games/burrow/BurrowScreenFixture.h"
#include "games/canyon/CanyonScreenFixture.h"
#include "games/climber/ClimberScreenFixture.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/GobblerScreenFixture.h"
#include "games/rocks/RocksScreenFixture.h"
#include "games/swarm/SwarmScreenFixture.h"
#include "games/tanks/TanksScreenFixture.h"

namespace {

using gamelib::GameMenu;
using gamelib::SoundManager;

// A game's screen fixture, and its key: the prefix of its options.
template <class ScreenFixture, nuv::lang::DStringPtr& gameKey>
struct Game {
  using Fixture = ScreenFixture;
  static nuv::lang::DStringPtr option(const char16_t* name) { return gameKey + name; }
};

template <class Row>
class SoundLevelEntries : public Row::Fixture {};

using Games = ::testing::Types<
    Game<bouncetest::BounceScreenFixture, bounce::gameKey>, Game<burrowtest::BurrowScreenFixture, burrow::gameKey>,
    Game<canyontest::CanyonScreenFixture, canyon::gameKey>, Game<climbertest::ClimberScreenFixture, climber::gameKey>,
    Game<gobblertest::GobblerScreenFixture, gobbler::gameKey>, Game<rockstest::RocksScreenFixture, rocks::gameKey>,
    Game<swarmtest::SwarmScreenFixture, swarm::gameKey>, Game<tankstest::TanksScreenFixture, tanks::gameKey>>;
TYPED_TEST_SUITE(SoundLevelEntries, Games);

TYPED_TEST(SoundLevelEntries, CycleFromNormalThroughHighOffAndLowAndAreKept) {
  if (!this->started()) this->startScreen();
  struct Entry {
    int32_t item;
    const char* texts[4];
    const char16_t* option;
    int32_t (*level)();
  };
  const Entry entries[] = {
      {3, {"Sound: High", "Sound: Off", "Sound: Low", "Sound: Normal"}, u"sfx_level", SoundManager::getSfxLevel},
      {4, {"Music: High", "Music: Off", "Music: Low", "Music: Normal"}, u"music_level", SoundManager::getMusicLevel},
  };
  for (const Entry& e : entries) {
    for (int i = 0; i < 4; ++i) {
      const int32_t level = (3 + i) % 4;
      this->choose(e.item);
      EXPECT_EQ(this->item(e.item), e.texts[i]) << i;
      EXPECT_EQ(e.level(), level) << i;
      EXPECT_EQ(GameMenu::loadOption(TypeParam::option(e.option), -1), level) << i;
    }
  }
  // The start page stays.
  EXPECT_EQ(this->item(0), "Start");
}

}  // namespace
