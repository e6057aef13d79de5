// The digging hero: it turns only on cell lines, stops at the field's edges, carves the fifths it
// uncovers, loses one life per death, plays its death to the end before it starts again or the game ends,
// and gains a life for every 2000 points up to six.
#include <gtest/gtest.h>

#include "games/burrow/BurrowObjectsFixture.h"

namespace burrowtest {
namespace {

using namespace burrow;

class BurrowHeroTest : public BurrowObjectsFixture {
 protected:
  void SetUp() override {
    BurrowObjectsFixture::SetUp();
    startLevel({});
  }
};

TEST_F(BurrowHeroTest, TheHeroTurnsOnlyOnCellLines) {
  putHero(3, 5, DIR_RIGHT);
  hero().move(DIR_RIGHT);
  hero().move(DIR_RIGHT);
  ASSERT_EQ(hero().offsetX, 6);
  // Up between column lines: on to the right until the next line.
  hero().move(DIR_UP);
  EXPECT_EQ(hero().offsetX, 9);
  EXPECT_EQ(hero().offsetY, 0);
  EXPECT_EQ(hero().direction, DIR_RIGHT);
  hero().move(DIR_UP);
  hero().move(DIR_UP);
  EXPECT_EQ(hero().column, 4);
  EXPECT_EQ(hero().offsetX, 0);
  // On the line up is obeyed.
  hero().move(DIR_UP);
  EXPECT_EQ(hero().row, 4);
  EXPECT_EQ(hero().offsetY, 12);
  EXPECT_EQ(hero().direction, DIR_UP);
  EXPECT_EQ(hero().y, 4 * 15 + 12);
  // Left between row lines: on up to the line.
  for (int i = 0; i < 4; ++i) hero().move(DIR_LEFT);
  EXPECT_EQ(hero().row, 4);
  EXPECT_EQ(hero().offsetY, 0);
  EXPECT_EQ(hero().column, 4);
}

TEST_F(BurrowHeroTest, TheFieldsEdgesStopTheHero) {
  struct Case {
    const char* what;
    int column, row, direction;
  };
  const Case cases[] = {
      {"up from the top row", 7, 0, DIR_UP},
      {"down from the bottom row", 7, 9, DIR_DOWN},
      {"left from the first column", 0, 4, DIR_LEFT},
      {"right from the last column", 14, 4, DIR_RIGHT},
  };
  for (const Case& c : cases) {
    putHero(c.column, c.row, DIR_LEFT);
    hero().move(c.direction);
    EXPECT_EQ(hero().x, c.column * 15) << c.what;
    EXPECT_EQ(hero().y, c.row * 15) << c.what;
  }
}

TEST_F(BurrowHeroTest, WalkingRightCarvesTheFifthsInOrder) {
  putHero(3, 5, DIR_RIGHT);
  std::vector<std::pair<int32_t, int32_t>> seen;
  for (int i = 0; i < 5; ++i) {
    hero().move(DIR_RIGHT);
    seen.push_back({cell(3, 5), cell(4, 5)});
  }
  EXPECT_EQ(seen[0], (std::pair<int32_t, int32_t>{0x0040, 0x0400}));
  EXPECT_EQ(seen[1].second, 0x0600);
  EXPECT_EQ(seen[3].second, 0x0780);
  EXPECT_EQ(seen[4].second, 0x07C0);
  EXPECT_EQ(hero().column, 4);
  EXPECT_EQ(hero().offsetX, 0);
  // Standing on the line, a step left uncovers the own cell's left fifth first.
  hero().move(DIR_LEFT);
  EXPECT_EQ(cell(4, 5), 0x07C0);
  EXPECT_EQ(hero().column, 3);
  EXPECT_EQ(hero().offsetX, 12);
}

TEST_F(BurrowHeroTest, ADeathCostsOneLifeAndEndsAfterItsHold) {
  putHero(7, 9);
  hero().kill();
  EXPECT_TRUE(hero().dying);
  EXPECT_EQ(hero().lives, 2);
  EXPECT_EQ(takeSound(), SOUND_HERO_DEAD);
  hero().kill();
  EXPECT_EQ(hero().lives, 2);
  EXPECT_EQ(takeSound(), -1);
  // Twelve frames at three paints each, then the last frame twenty paints more.
  int paints = 0;
  while (hero().dying && paints < 200) {
    hero().paint();
    ++paints;
  }
  EXPECT_EQ(paints, 11 * 3 + 1 + deathHoldSteps + 1);
  EXPECT_EQ(hero().column, 7);
  EXPECT_EQ(hero().row, 9);
  EXPECT_EQ(gameState, BurrowGame::PLAY);
  // Just restarted, the hero cannot be killed for ten paints.
  hero().kill();
  EXPECT_FALSE(hero().dying);
}

TEST_F(BurrowHeroTest, TheLastLifeLostEndsTheGame) {
  putHero(7, 9);
  hero().lives = 0;
  hero().kill();
  EXPECT_EQ(hero().lives, -1);
  for (int i = 0; i < 100 && gameState == BurrowGame::PLAY; ++i) hero().paint();
  EXPECT_EQ(gameState, BurrowGame::GAME_OVER);
  EXPECT_EQ(std::u16string(endCaption), u"gameover");
}

TEST_F(BurrowHeroTest, ALifeForEvery2000PointsUpToSix) {
  struct Case {
    int score, lastLifeScore, lives, points;
    int livesAfter, lastAfter;
  };
  const Case cases[] = {
      {1996, 0, 3, 4, 3, 0},                                    // 2000 is not above 2000
      {2000, 0, 3, 4, 4, 2000},                                 // 2004 is
      {3996, 2000, 3, 4, 3, 2000},                              // the next one past 4000
      {4000, 2000, 3, 50, 4, 4000}, {2000, 0, 6, 50, 6, 2000},  // never more than six
  };
  for (const Case& c : cases) {
    hero().score = c.score;
    hero().lastLifeScore = c.lastLifeScore;
    hero().lives = c.lives;
    if (c.points == 4) {
      hero().addCrystalScore();
    } else {
      hero().addGoldScore();
    }
    EXPECT_EQ(hero().lives, c.livesAfter) << c.score << "+" << c.points;
    EXPECT_EQ(hero().lastLifeScore, c.lastAfter) << c.score << "+" << c.points;
  }
}

TEST_F(BurrowHeroTest, ScoresOfEachKind) {
  hero().score = 0;
  hero().lastLifeScore = 0;
  hero().addCherryScore();
  hero().addMonsterScore(3);
  hero().addShotScore();
  hero().addBagScore();
  EXPECT_EQ(hero().score, 100 + 60 + 25 + 10);
}

TEST_F(BurrowHeroTest, TheLevelStartSoundPlaysAtTheFirstPaint) {
  levelStartSound = true;
  hero().paint();
  EXPECT_EQ(takeSound(), SOUND_BORN);
  EXPECT_FALSE(levelStartSound);
}

}  // namespace
}  // namespace burrowtest
