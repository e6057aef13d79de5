// The highest level each game stores, read back at the game's next start on the real game.dat: what the
// game writes itself reads as the game has always read it, without a word; a value no game writes is
// damage, told with the bound it breaks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gamelib/GameMenu.h"
#include "games/bounce/BounceScreenFixture.h"
#include "games/burrow/BurrowScreenFixture.h"
#include "games/canyon/CanyonScreenFixture.h"
#include "games/climber/ClimberScreenFixture.h"
#include "games/tanks/TanksScreenFixture.h"

namespace {

using gamelib::GameMenu;

// A stored level, the level read, and the damage told (empty: none).
struct Case {
  int32_t stored, read;
  std::string told;
};

// Each row: its game's screen fixture, its key, its highest level as read, and its cases.
struct Bounce {
  using Fixture = bouncetest::BounceScreenFixture;
  static const char16_t* key() { return u"bounce"; }
  static int32_t level(Fixture&) { return bounce::openLevel; }
  static std::vector<Case> cases() {
    return {{2, 2, ""},
            {50, 50, ""},
            {51, 50, "it holds 51, above 50; 50 is used"},
            {0, 1, "it holds 0, below 1; 1 is used"}};
  }
};

// The last level, 72, is stored when reached; the list offers at most 71. Below 1 a level stands as stored.
struct Burrow {
  using Fixture = burrowtest::BurrowScreenFixture;
  static const char16_t* key() { return u"burrow"; }
  static int32_t level(Fixture&) { return burrow::openLevel; }
  static std::vector<Case> cases() {
    return {{71, 71, ""}, {72, 71, ""}, {73, 71, "it holds 73, above 72; 71 is used"}, {-1, -1, ""}};
  }
};

struct Canyon {
  using Fixture = canyontest::CanyonScreenFixture;
  static const char16_t* key() { return u"canyon"; }
  static int32_t level(Fixture&) { return canyon::openLevel; }
  static std::vector<Case> cases() {
    return {{8, 8, ""}, {9, 8, "it holds 9, above 8; 8 is used"}, {-1, 1, "it holds -1, below 1; 1 is used"}};
  }
};

struct Climber {
  using Fixture = climbertest::ClimberScreenFixture;
  static const char16_t* key() { return u"climber"; }
  static int32_t level(Fixture&) { return climber::openLevel; }
  static std::vector<Case> cases() { return {{75, 75, ""}, {76, 75, "it holds 76, above 75; 75 is used"}}; }
};

// Play goes on past the last of the 20 stages, and each stage won after it is stored.
struct Tanks {
  using Fixture = tankstest::TanksScreenFixture;
  static const char16_t* key() { return u"tanks"; }
  template <class T>
  static int32_t level(T& t) {
    return t.game->openLevel;
  }
  static std::vector<Case> cases() {
    return {{20, 20, ""}, {21, 20, ""}, {2000, 20, ""}, {0, 1, "it holds 0, below 1; 1 is used"}};
  }
};

template <class Row>
class StoredHighestLevel : public Row::Fixture {
  friend Row;
};

using Games = ::testing::Types<Bounce, Burrow, Canyon, Climber, Tanks>;
TYPED_TEST_SUITE(StoredHighestLevel, Games);

TYPED_TEST(StoredHighestLevel, WhatTheGameStoresReadsQuietlyAndAnythingElseIsToldOnce) {
  const std::string store = "op_" + gltest::narrow(TypeParam::key()) + "openlevel";
  for (const Case& c : TypeParam::cases()) {
    SCOPED_TRACE(c.stored);
    if (this->started()) this->game->leave();
    GameMenu::saveOption(nuv::lang::DStringPtr(TypeParam::key()) + u"openlevel", c.stored);
    testing::internal::CaptureStderr();
    this->game->init();
    this->game->leave();
    this->game->init();
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(TypeParam::level(*this), c.read);
    EXPECT_EQ(told, c.told.empty() ? "" : "GlimmerHut: the record store " + store + " is damaged: " + c.told + "\n");
  }
}

}  // namespace
