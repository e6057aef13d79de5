// The play-step rules: the cherry's cycle and the bonus it brings, eaten and deadly monsters, falling bags
// that crush, gold, crystals eaten and crushed, pushes, and the level's end with its last crystal.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowRulesTest : public BurrowObjectsFixture {};

TEST_F(BurrowRulesTest, TheCherryComesAndGoesUntilTaken) {
  startLevel({"C"});
  putHero(0, 9);
  std::vector<int> changes;
  bool shown = false;
  for (int step = 1; step <= 1200; ++step) {
    Level::step();
    if (cherryShown != shown) {
      changes.push_back(step);
      shown = cherryShown;
    }
  }
  EXPECT_EQ(changes, (std::vector<int>{200, 500, 700, 1000, 1200}));
  // Taken: a bonus of 200 steps, 100 points, the eating sound.
  ASSERT_TRUE(cherryShown);
  const int score = hero().score;
  putHero(14, 0);
  Level::step();
  EXPECT_FALSE(cherryShown);
  EXPECT_TRUE(bonusActive);
  EXPECT_EQ(bonusSteps, 200);
  EXPECT_EQ(hero().score, score + 100);
  EXPECT_EQ(takeSound(), SOUND_EAT);
  for (int i = 0; i < 200; ++i) Level::step();
  EXPECT_FALSE(bonusActive);
  EXPECT_FALSE(cherryShown);
  EXPECT_EQ(bonusSteps, 200);
}

TEST_F(BurrowRulesTest, MonstersKillTheHeroExceptInABonusWhenTheyAreEaten) {
  startLevel({"C"});
  putHero(5, 5);
  putMonster(0, 5, 5, DIR_LEFT);
  Level::heroContacts();
  EXPECT_TRUE(hero().dying);

  startLevel({"C"});
  putHero(5, 5);
  bonusActive = true;
  monstersEaten = 0;
  const int score = hero().score;
  for (int i = 0; i < 3; ++i) putMonster(i, 5, 5, DIR_LEFT);
  Level::heroContacts();
  EXPECT_FALSE(hero().dying);
  EXPECT_EQ(hero().score, score + 20 + 40 + 60);
  EXPECT_EQ(monstersEaten, 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(monster(i).dying) << i;
  // A monster out of play neither kills nor is eaten.
  bonusActive = false;
  putMonster(3, 5, 5, DIR_LEFT).active = false;
  Level::heroContacts();
  EXPECT_FALSE(hero().dying);
}

TEST_F(BurrowRulesTest, AFallingBagCrushesWhatIsUnderIt) {
  struct Case {
    const char* what;
    int bagY;
    bool crushes;
  };
  for (const Case& c : {Case{"from above", 5 * 15 - 6, true}, Case{"level with it", 5 * 15, false}}) {
    startLevel({"C", "", "", "", ".....B"});
    putHero(0, 9);
    bag(0).falling = true;
    bag(0).y = c.bagY;
    Monster& m = putMonster(0, 5, 5, DIR_UP);
    m.y = 5 * 15;
    const int score = hero().score;
    EXPECT_EQ(Level::touchBags(m.x, m.y, DIR_UP, 1), DIR_NONE) << c.what;
    EXPECT_EQ(m.dying, c.crushes) << c.what;
    EXPECT_EQ(hero().score, score + (c.crushes ? 10 : 0)) << c.what;
    EXPECT_EQ(takeSound(), c.crushes ? SOUND_CRUSH : -1) << c.what;
    // The hero dies the same way.
    putHero(5, 5);
    Level::touchBags(hero().x, hero().y, DIR_NONE, Level::HERO);
    EXPECT_EQ(hero().dying, c.crushes) << c.what;
  }
}

TEST_F(BurrowRulesTest, GoldIsPickedUpAndBagsEatenOrPushed) {
  startLevel({"C", "", "", "", ".....B.B"});
  putHero(0, 9);
  bag(0).gold = true;
  int score = hero().score;
  putHero(5, 4);
  Level::heroContacts();
  EXPECT_FALSE(bag(0).active);
  EXPECT_EQ(hero().score, score + 50);
  EXPECT_EQ(takeSound(), SOUND_EAT);
  // A digging monster eats a bag whatever it does, and stands a while.
  Monster& m = putMonster(0, 7, 4, DIR_LEFT);
  m.digging = true;
  EXPECT_EQ(Level::touchBags(m.x, m.y, DIR_LEFT, 1), DIR_NONE);
  EXPECT_FALSE(bag(1).active);
  EXPECT_EQ(m.waitSteps, 6);
}

TEST_F(BurrowRulesTest, PushesComeFromTheSideAndAMonsterCannotPushWhatTheHeroHolds) {
  startLevel({"C", "", "", "", ".....B"});
  putHero(4, 4, DIR_RIGHT);
  hero().x += 3;
  EXPECT_EQ(Level::touchBags(hero().x, hero().y, DIR_RIGHT, Level::HERO), DIR_RIGHT);
  EXPECT_EQ(bag(0).pushDirection, DIR_RIGHT);
  EXPECT_EQ(bag(0).pusher, Level::HERO);
  // Asked with no direction, the bag blocks but is not pushed.
  bag(0).pushDirection = DIR_NONE;
  EXPECT_EQ(Level::touchBags(hero().x, hero().y, DIR_NONE, Level::HERO), DIR_RIGHT);
  EXPECT_EQ(bag(0).pushDirection, DIR_NONE);
  // From above it blocks going down.
  putHero(5, 3, DIR_DOWN);
  hero().y += 3;
  EXPECT_EQ(Level::touchBags(hero().x, hero().y, DIR_DOWN, Level::HERO), DIR_DOWN);
  // A monster pushing from the right while the hero touches the bag from the left.
  putHero(4, 4, DIR_RIGHT);
  hero().x += 3;
  Monster& m = putMonster(0, 6, 4, DIR_LEFT);
  m.x -= 3;
  EXPECT_EQ(Level::touchBags(m.x, m.y, DIR_LEFT, 1), DIR_LEFT);
  EXPECT_EQ(bag(0).pushDirection, DIR_NONE);
}

TEST_F(BurrowRulesTest, CrystalsAreEatenByTheHeroAndCrushedByMonsters) {
  startLevel({"", "", "", "", "CCC", "C", "", "", "", "...........CCC"});
  putHero(0, 4, DIR_RIGHT);
  const int crystals = crystalsLeft, score = hero().score;
  Level::heroContacts();
  EXPECT_EQ(cell(0, 4), CELL_EATEN);
  EXPECT_EQ(cell(1, 4), CELL_CRYSTAL);
  EXPECT_EQ(crystalsLeft, crystals - 1);
  EXPECT_EQ(hero().score, score + 4);
  EXPECT_EQ(takeSound(), SOUND_EAT);
  // The crystal to the right from offset 3 on, the one below likewise.
  hero().offsetX = 3;
  hero().x += 3;
  Level::heroContacts();
  EXPECT_EQ(cell(1, 4), CELL_EATEN);
  putHero(0, 4, DIR_DOWN);
  hero().offsetY = 3;
  hero().y += 3;
  Level::heroContacts();
  EXPECT_EQ(cell(0, 5), CELL_EATEN);
  // A monster crushes the crystal to its right only from offset 6 on, without points.
  const int before = hero().score;
  Monster& m = putMonster(0, 10, 9, DIR_RIGHT);
  m.offsetX = 3;
  Level::heroContacts();
  EXPECT_EQ(cell(11, 9), CELL_CRYSTAL);
  m.offsetX = 6;
  Level::heroContacts();
  EXPECT_EQ(cell(11, 9), CELL_EATEN);
  EXPECT_EQ(hero().score, before);
}

TEST_F(BurrowRulesTest, TheLastCrystalEndsTheLevelEvenWithAStaleCount) {
  startGame({{"data/bur/data/1.txt", levelFile({grid({"C", "", "", "..C"}), grid({"CC"})})}});
  levelNumber = 1;
  ASSERT_TRUE(BurrowGame::newLevel());
  gameState = BurrowGame::PLAY;
  // The count says one more than there is, until the next recount.
  crystalsLeft = 3;
  putHero(0, 0);
  Level::heroContacts();
  putHero(2, 3);
  crystalRecountSteps = 2;
  Level::step();
  EXPECT_EQ(gameState, BurrowGame::PLAY);
  EXPECT_EQ(crystalsLeft, 1);
  Level::step();
  EXPECT_EQ(levelNumber, 2);
  EXPECT_EQ(gameState, BurrowGame::LEVEL_INTRO);
  EXPECT_EQ(crystalsLeft, 2);
  EXPECT_EQ(hero().column, 7);
  for (int i = 0; i < maxMonsters; ++i) EXPECT_FALSE(monster(i).active);
}

}  // namespace
}  // namespace burrowtest
