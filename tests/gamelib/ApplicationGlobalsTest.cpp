// The application's globals: what the start gives the game library and the games, and their release at
// the end, when the current screen is let go without its leave.
#include <gtest/gtest.h>

#include <string>

#include "gamelib/GameLibFixture.h"
#include "gamelib/GameMenu.h"
#include "gamelib/TextTable.h"
#include "games/bounce/BounceGlobals.h"
#include "games/burrow/BurrowGlobals.h"
#include "games/canyon/CanyonGlobals.h"
#include "games/climber/ClimberGlobals.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/rocks/RocksGlobals.h"
#include "games/swarm/SwarmGlobals.h"
#include "games/tanks/TanksGlobals.h"

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gltest::narrow;

class ApplicationGlobalsTest : public gltest::GameLibFixture {};

int leaves = 0;

class CountingScreen : public gamelib::GameInterface {
 public:
  void leave() override { ++leaves; }
};

TEST_F(ApplicationGlobalsTest, TheStartGivesEveryGlobalItsFirstValue) {
  EXPECT_EQ(gamelib::ScreenCanvas::sequenceKeys->length, 5);
  EXPECT_FALSE(GameMenu::keyboard.isNull());
  EXPECT_FALSE(GameLib::random.isNull());
  EXPECT_EQ(narrow(GameLib::version()), "v1.5");
  struct Case {
    nuv::lang::DStringPtr key;
    const char* want;
  } keys[] = {{bounce::gameKey, "bounce"}, {rocks::gameKey, "rocks"},   {gobbler::gameKey, "gobbler"},
              {burrow::gameKey, "burrow"}, {tanks::gameKey, "tanks"},   {climber::gameKey, "climber"},
              {swarm::gameKey, "swarm"},   {canyon::gameKey, "canyon"}, {bounce::levelLetters, "abcdefghij"},
              {burrow::earthName, "earth"}};
  for (const Case& c : keys) EXPECT_EQ(narrow(c.key), c.want);

  EXPECT_EQ(narrow((*gobbler::menuKeys)[3]), "sound_level");
  EXPECT_EQ(narrow((*climber::menuItemKeys)[3]), "sound level");
  EXPECT_EQ(narrow((*gobbler::modeKeys)[3]), "modekill");
  EXPECT_EQ((*rocks::starColours)[1], 0x00AFFF);
  EXPECT_EQ(rocks::angleTable->length, 8);
  EXPECT_EQ((*swarm::starSpeeds)[2], 100000);
  EXPECT_EQ((*swarm::rowScore)[0], 150);
  EXPECT_EQ((*swarm::rowAlive)[4], 6);
  EXPECT_EQ(narrow((*swarm::menuItemKeys)[5]), "cfg_keys");
  EXPECT_EQ((*tanks::tankReload)[3], 2000);
  EXPECT_EQ((*tanks::bitTable)[0][0], 1 << 16);
  EXPECT_EQ(static_cast<uint32_t>((*tanks::bitTable)[3][3]), 1u << 31);
  EXPECT_EQ((*tanks::bitTable)[1][2], 1 << 22);
}

TEST_F(ApplicationGlobalsTest, TheTunnelGamesFrameNames) {
  struct Case {
    nuv::lang::DStringArrayPtr frames;
    int32_t length;
    const char* first;
    const char* last;
  } cases[] = {
      {burrow::bagFrames, 7, "sack_00.png", "gold_3.png"},
      {burrow::tileNames, 17, "blackSquare.png_dn", "earth_2.png"},
      {burrow::boltFrames, 4, "bullet_01.png", "bullet_04.png"},
      {burrow::cherryFrames, 1, "cherry.png", "cherry.png"},
      {burrow::enemySideMirroredFrames, 4, "enemyGoSide_1.png_mr", "enemyGoSide_4.png_mr"},
      {burrow::enemyEatFrames, 8, "enemyEat_01.png", "enemyEat_08.png"},
      {burrow::enemyEatDeathMirroredFrames, 6, "enemyEatDeath_1.png_mr", "enemyEatDeath_6.png_mr"},
      {burrow::minerDownFrames, 4, "burrowFull_1.png_dn", "burrowFull_4.png_dn"},
      {burrow::minerDieFrames, 12, "burrowDie_01.png", "burrowDie_12.png"},
      {burrow::bonusUpFrames, 3, "bonus_anim0.png_up", "bonus_anim2.png_up"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.frames->length, c.length) << c.first;
    EXPECT_EQ(narrow((*c.frames)[0]), c.first);
    EXPECT_EQ(narrow((*c.frames)[c.length - 1]), c.last);
  }
}

TEST_F(ApplicationGlobalsTest, ReleaseLetsEveryGlobalGoWithoutLeavingTheScreen) {
  leaves = 0;
  GameLib::currentScreen = new CountingScreen();
  GameMenu::enteredName = u"abc";
  GameLib::languageCodes = new nuv::lang::DStringArray(1);
  GameLib::releaseGlobals();
  EXPECT_EQ(leaves, 0);
  EXPECT_TRUE(GameLib::currentScreen.isNull());
  EXPECT_TRUE(GameLib::canvas.isNull());
  EXPECT_TRUE(gamelib::TextTable::table.isNull());
  EXPECT_TRUE(GameMenu::keyboard.isNull());
  EXPECT_TRUE(GameMenu::enteredName.isNull());
  EXPECT_TRUE(GameLib::random.isNull());
  EXPECT_TRUE(GameLib::languageCodes.isNull());
  EXPECT_TRUE(bounce::gameKey.isNull());
  EXPECT_TRUE(burrow::minerFrames.isNull());
  EXPECT_TRUE(tanks::bitTable.isNull());
  EXPECT_TRUE(rocks::angleTable.isNull());
  // A second release finds everything null and does nothing.
  GameLib::releaseGlobals();
  EXPECT_TRUE(canyon::gameKey.isNull());
}

}  // namespace
