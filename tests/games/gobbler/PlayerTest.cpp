// The player: steering at junctions, the sideways correction into corridors, doors, portals, eating dots,
// power dots, fruit and chasers, the score with its extra lives and pop-ups, and dying.
#include <gtest/gtest.h>

#include "gamelib/Score.h"
#include "gamelib/ScreenCanvas.h"
#include "games/gobbler/GobblerObjectsFixture.h"

namespace gobblertest {

using namespace gobbler;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

namespace {

// A corridor along row 3 with a way up at column 4, a door above column 6 and a power dot at its end; the
// chasers' starts shut in below.
const Map kCorridor = {
    "1111111",  //
    "111.1#1",  //
    "p00000o",  //
    "1111111",  //
    "r1g1111",  //
};

class PlayerTest : public GobblerObjectsFixture {
 protected:
  void SetUp() override {
    GobblerObjectsFixture::SetUp();
    for (bool& h : ScreenCanvas::held) h = false;
  }
  void TearDown() override {
    for (bool& h : ScreenCanvas::held) h = false;
    GobblerObjectsFixture::TearDown();
  }
  // The map is packed once a test; every call starts a new game on it.
  void start(const Map& map, int mode = GobblerGame::MODE_DOTS) {
    if (game.isNull()) startGame({map});
    newGame(mode);
    parkChasers();
  }
  void updates(int n) {
    for (int i = 0; i < n; ++i) player->update();
  }
  static void hold(int action) {
    for (bool& h : ScreenCanvas::held) h = false;
    if (action >= 0) ScreenCanvas::held[action] = true;
  }
  static void heading(int dx, int dy) { player->direction->set(dx, dy); }
};

}  // namespace

TEST_F(PlayerTest, TurnsAtTheFirstJunctionWithTheWayOpen) {
  start(kCorridor);
  putPlayer(1, 3);
  heading(1, 0);
  hold(GameAction::Up);
  int steps = 0;
  while (!player->direction->sameAs(0, -1) && steps < 40) {
    player->update();
    ++steps;
  }
  ASSERT_TRUE(player->direction->sameAs(0, -1));
  // It turned in column 4, the only way up, pushed into line with it.
  EXPECT_EQ(player->position->x, 4 * cellWidth);
  updates(3);
  EXPECT_LT(player->position->y, 3 * cellHeight);
}

TEST_F(PlayerTest, AWayThatIsNotThereLeavesItRunning) {
  start(kCorridor);
  putPlayer(1, 3);
  heading(1, 0);
  hold(GameAction::Down);
  updates(4);
  EXPECT_TRUE(player->direction->sameAs(1, 0));
  EXPECT_EQ(player->position->x, cellWidth + 4 * playerSpeed);
  // Against the end wall it stands, still facing it.
  hold(-1);
  updates(40);
  // 16-pixel cells and 5-pixel steps: it stops short of the wall by the pixel it cannot make.
  EXPECT_EQ(player->position->x, cellWidth + 19 * playerSpeed);
  EXPECT_FALSE(player->moving);
}

TEST_F(PlayerTest, DoorsStayShut) {
  start(kCorridor);
  putPlayer(6, 3);
  heading(0, -1);
  hold(GameAction::Up);
  updates(5);
  EXPECT_EQ(player->position->y, 3 * cellHeight);
  EXPECT_FALSE(player->moving);
}

// Up to half a cell off the corridor (less a pixel on the positive side), a move is pushed into line.
TEST_F(PlayerTest, SlidesIntoACorridorItIsBeside) {
  struct Case {
    int offset;
    bool slides;
  };
  for (const Case& c :
       {Case{3, true}, Case{-3, true}, Case{7, true}, Case{-6, true}, Case{-7, false}, Case{8, false}}) {
    start(kCorridor);
    player->setPosition(3 * cellWidth, 3 * cellHeight + c.offset);
    player->step(player->nextPosition, new vector_3d(-1, 0), player->lastPosition);
    if (c.slides) {
      EXPECT_EQ(player->position->y, 3 * cellHeight) << c.offset;
      EXPECT_EQ(player->position->x, 3 * cellWidth - playerSpeed) << c.offset;
    } else {
      EXPECT_EQ(player->position->y, 3 * cellHeight + c.offset) << c.offset;
    }
  }
}

TEST_F(PlayerTest, PortalsLeadBesideTheirPartner) {
  const Map portals = {"1111111", "*.p...*", "1111111", "r1g1111"};
  start(portals);
  putPlayer(2, 2);
  player->lastCell->set(2, 2);
  heading(-1, 0);
  hold(-1);
  // Into the left portal, out half a cell right of the cell beside the right one, still going left.
  for (int i = 0; i < 10 && player->position->x < 3 * cellWidth; ++i) player->update();
  EXPECT_EQ(player->position->x, 6 * cellWidth + cellWidth / 2 - playerSpeed);
  EXPECT_TRUE(player->direction->sameAs(-1, 0));
}

// A portal without a partner before the border leaves the figure where it is, whatever the map says.
TEST_F(PlayerTest, APortalWithoutPartnerLeadsNowhere) {
  start({"1111111", "*.p....", "1111111", "r1g1111"});
  putPlayer(2, 2);
  player->lastCell->set(2, 2);
  heading(-1, 0);
  hold(-1);
  updates(10);
  EXPECT_EQ(player->position->x, 2 * cellWidth - 3 * playerSpeed);
  EXPECT_EQ(player->position->y, 2 * cellHeight);
}

TEST_F(PlayerTest, DotsAndPowerDots) {
  start({"1111111", "p.o....", "1111111", "r1g1111"});
  const int dots = map->dotCount;
  putPlayer(1, 2);
  player->lastCell->set(1, 2);
  heading(1, 0);
  hold(-1);
  for (int i = 0; i < 20 && cell(2, 2).content != CellBase::EMPTY; ++i) player->update();
  EXPECT_EQ(score, GobblerBase::kDotPoints);
  EXPECT_EQ(map->dotCount, dots - 1);
  for (int i = 0; i < 20 && cell(3, 2).content != CellBase::EMPTY; ++i) player->update();
  EXPECT_EQ(score, GobblerBase::kDotPoints + GobblerBase::kPowerDotPoints);
  // On level 1 a power dot frightens for 190 steps, and every chaser but eyes is frightened.
  EXPECT_EQ(frightTimer, 190);
  EXPECT_TRUE(chaser1->frightened && chaser4->frightened);
  EXPECT_EQ(player->changeCounter, kChangeFrames - 1);
}

TEST_F(PlayerTest, TheFrightLastsAtLeastOneStepOnHighLevels) {
  for (int level : {19, 20, 40}) {
    start({"1111111", "po.....", "1111111", "r1g1111"});
    (*levelInfo)[0] = level;
    putPlayer(1, 2);
    player->lastCell->set(1, 2);
    heading(1, 0);
    for (int i = 0; i < 20 && cell(2, 2).content != CellBase::EMPTY; ++i) player->update();
    EXPECT_GE(frightTimer, 1) << level;
    EXPECT_LE(frightTimer, 10) << level;
  }
}

TEST_F(PlayerTest, ChasersEatenDoubleInValue) {
  start(kCorridor);
  putPlayer(3, 3);
  frightTimer = 100;
  SpookyBase* all[] = {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()};
  for (SpookyBase* c : all) c->frightened = true;
  // Two touched in one step, then the others one by one.
  putChaser(*chaser1, 3, 3);
  putChaser(*chaser2, 3, 3);
  player->update();
  EXPECT_EQ(score, 200 + 400);
  EXPECT_TRUE(chaser1->eyes && chaser2->eyes);
  EXPECT_FALSE(chaser1->frightened);
  for (SpookyBase* c : {chaser3.get(), chaser4.get()}) {
    putChaser(*c, player->position->x / cellWidth, 3);
    c->setPosition(player->position->x, player->position->y);
    player->update();
  }
  EXPECT_EQ(score, 200 + 400 + 800 + 1600);
  // The pop-ups of each value.
  for (int index : {0, 1, 2, 4}) EXPECT_FALSE((*sprites)[index].isNull()) << index;
  EXPECT_TRUE((*sprites)[3].isNull());
}

TEST_F(PlayerTest, HarmlessChasersEatenWithoutEndStopDoublingAtTheBound) {
  start(kCorridor);
  invulnerable = true;
  putPlayer(3, 3);
  struct Case {
    int eaten, value, score;
  } cases[] = {
      {22, 200 << 22, 200 * ((1 << 22) - 1)},  // the last value and score below the bound
      {23, gamelib::kHighestScore, gamelib::kHighestScore},
      {40, gamelib::kHighestScore, gamelib::kHighestScore},
  };
  int eaten = 0;
  for (const Case& c : cases) {
    for (; eaten < c.eaten; ++eaten) {
      chaser1->eyes = false;
      chaser1->setPosition(player->position->x, player->position->y);
      player->update();
    }
    EXPECT_EQ(player->chaserValue, c.value) << c.eaten;
    EXPECT_EQ(score, c.score) << c.eaten;
  }
}

TEST_F(PlayerTest, ATouchOfABoldChaserKills) {
  start(kCorridor);
  putPlayer(3, 3);
  putChaser(*chaser2, 3, 3);
  const int livesBefore = lives;
  player->update();
  EXPECT_EQ(player->deathCounter, kDeathFrames);
  GobblerBase* dying = player.get();
  for (int i = 0; i < kDeathFrames - 1; ++i) player->update();
  EXPECT_EQ(player.get(), dying);
  EXPECT_EQ(lives, livesBefore);
  GobblerBasePtr held = player;
  held->update();
  EXPECT_EQ(lives, livesBefore - 1);
  EXPECT_NE(player.get(), dying);
  // Invulnerable, the same touch eats it.
  invulnerable = true;
  putPlayer(3, 3);
  putChaser(*chaser2, 3, 3);
  player->update();
  EXPECT_EQ(player->deathCounter, 0);
  EXPECT_TRUE(chaser2->eyes);
}

TEST_F(PlayerTest, FruitPointsByKindAndMode) {
  const int fruitMode[] = {200, 400, 800, 200, 400, 800, 200};
  const int otherModes[] = {400, 800, 1000, 2000, 3000, 4000, 5000};
  for (int mode : {GobblerGame::MODE_DOTS, GobblerGame::MODE_FRUIT}) {
    for (int kind = 1; kind <= data::kFruitKinds; ++kind) {
      start(kCorridor, mode);
      putPlayer(3, 3);
      fruit = new FruitBase();
      fruit->kind = kind;
      fruit->setPosition(3 * cellWidth + 2, 3 * cellHeight);
      score = 0;
      fruitsEaten = 0;
      player->update();
      EXPECT_EQ(score, mode == GobblerGame::MODE_FRUIT ? fruitMode[kind - 1] : otherModes[kind - 1]) << kind;
      EXPECT_TRUE(fruit.isNull());
      EXPECT_EQ(fruitsEaten, 1);
      EXPECT_EQ(fruitTimer, mode == GobblerGame::MODE_FRUIT ? 30 : 300);
    }
  }
}

TEST_F(PlayerTest, ExtraLifeOncePerCallPastAMultipleOfTenThousand) {
  start(kCorridor);
  struct Case {
    int before, points, lives;
  };
  for (const Case& c :
       {Case{9990, 15, 1}, Case{9000, 400, 0}, Case{19900, 200, 1}, Case{8000, 15000, 1}, Case{10000, 15, 0}}) {
    score = c.before;
    lives = 2;
    player->addScore(c.points);
    EXPECT_EQ(lives, 2 + c.lives) << c.before << " + " << c.points;
    EXPECT_EQ(score, c.before + c.points);
  }
}

TEST_F(PlayerTest, PopUpsByValueTheNewerReplacingTheOlder) {
  start(kCorridor);
  for (int i = 0; i < data::kPopupCount; ++i) player->addScore(data::kPopupPoints[i]);
  for (int i = 0; i < data::kPopupCount; ++i) EXPECT_EQ((*sprites)[i]->state, i);
  player->addScore(15);
  player->addScore(100);
  SpriteBase* first = (*sprites)[0].get();
  player->addScore(200);
  EXPECT_NE((*sprites)[0].get(), first);
}

TEST_F(PlayerTest, MouthAndPictures) {
  start(kCorridor);
  putPlayer(1, 3);
  heading(1, 0);
  hold(-1);
  // Moving right the pictures run 2, 2, 1, 0, 0, 3 of the right row.
  const int expected[] = {2, 2, 1, 0, 0, 3, 2};
  for (int e : expected) {
    player->update();
    EXPECT_EQ(player->frame.get(), (*playerImages)[e].get()) << e;
  }
  frightTimer = 50;
  player->update();
  EXPECT_EQ(player->frame.get(), (*playerPowerImages)[2].get());
}

}  // namespace gobblertest
