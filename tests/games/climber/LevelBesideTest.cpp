// A level file beside the program, where the archive lacks it, plays like one inside the archive; one that
// cannot be played there is named with the program's folder.
#include <gtest/gtest.h>

#include <string>

#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;

class ClimberLevelBesideTest : public ClimberObjectsFixture {};

TEST_F(ClimberLevelBesideTest, ALevelFileBesideTheProgramLoadsLikeAnEntry) {
  startScreen({{1, levelFile({"P.$..", "###H#", "E..H."})}});
  writeBeside("data/clmb/maps/2.txt", levelFile({"..$.P", "#H###", ".H..E"}));
  writeBeside("data/clmb/maps/3.txt", "5\r\n3\r\nP $  \r\n");
  ASSERT_TRUE(Climber::loadLevel(2));
  EXPECT_EQ(rows(0, 3, 5), (std::vector<std::string>{"..$..", "#H###", ".H..X"}));
  EXPECT_EQ(openLevel, 2);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Climber::enterLevel(3));
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find(": data/clmb/maps/3.txt: its file ends before its last cell"), std::string::npos) << errors;
  game->leave();
}

}  // namespace
}  // namespace climbertest
