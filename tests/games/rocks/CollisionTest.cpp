// The collision test by scaled distance, the splitting of rocks into the free places of their array, the
// aim of the saucers' rockets and the extra life.
#include <gtest/gtest.h>

#include <string>

#include "games/rocks/RocksObjectsFixture.h"

namespace rockstest {

using namespace rocks;
using nuv::lang::DintArrayPtr;

class CollisionTest : public RocksObjectsFixture {
 protected:
  void SetUp() override {
    RocksObjectsFixture::SetUp();
    startGame();
    setUpLevel(1);
  }
};

TEST_F(CollisionTest, AHitComesAtTheReachAndNeverFromSevenHundred) {
  struct Case {
    const char* what;
    int shipWidth;
    FlyingOPtr object;
    int memberSize;  // 1 large to 3 small rock
    int dx, dy;      // the member's offset
    bool hit;
  } cases[] = {
      // Two small fliers reach 200 + 200 = 400: 20 pixels, squared.
      {"shot at 20 px", kShipW, shot(100, 100), 3, 20, 0, true},
      {"shot just past 20 px", kShipW, shot(100, 100), 3, 20, 1, false},
      {"shot and medium rock", kShipW, shot(100, 100), 2, 21, 3, true},  // 450 reach, 450 away
      {"two large rocks touching", kShipW, rock(1, 2, 100, 100), 1, 0, 0, false},
      {"large and medium rock", kShipW, rock(1, 2, 100, 100), 2, 24, 4, true},  // 600 reach, 592 away
      // The large saucer reaches 50 further, and so never hits anything larger than a small rock.
      {"large saucer and small rock", kShipW, saucer(3, 100, 100), 3, 26, 2, true},  // 680
      {"large saucer and medium rock", kShipW, saucer(3, 100, 100), 2, 0, 0, false},
      // A wider ship makes every distance count less.
      {"shot at 28 px with a 54 px ship", 54, shot(100, 100), 3, 28, 4, true},  // 800 x 27 / 54 = 400
      {"shot at 29 px with a 54 px ship", 54, shot(100, 100), 3, 29, 0, false},
  };
  for (Case& c : cases) {
    rocks::shipWidth = c.shipWidth;
    FlyingOArrayPtr members = arrayOf({rock(c.memberSize, 1, 100 + c.dx, 100 + c.dy)}, 4);
    game->rockArray = members;
    DintArrayPtr result = game->collide(members, c.object, 0);
    EXPECT_EQ(result.isNull(), c.hit) << c.what;
  }
}

TEST_F(CollisionTest, WithoutAHitTheNearestMemberIsReported) {
  FlyingOPtr object = shot(100, 100);
  // Nobody, or only members parked beyond 25 px left of or above the screen.
  for (FlyingOArrayPtr members : {arrayOf({}), arrayOf({rock(3, 1, -26, 50), rock(3, 1, 50, -30)}, 1)}) {
    DintArrayPtr record = game->collide(members, object, 0);
    ASSERT_FALSE(record.isNull());
    EXPECT_EQ((*record)[Rocks::NEAR_DISTANCE], Rocks::kNobodyNear);
    EXPECT_EQ((*record)[Rocks::NEAR_X], 0);
  }
  FlyingOArrayPtr members =
      arrayOf({rock(3, 1, 160, 100, 1, 2), rock(3, 1, 130, 100, 3, 4), rock(3, 1, 70, 100, 5, 6)});
  DintArrayPtr record = game->collide(members, object, 0);
  ASSERT_FALSE(record.isNull());
  // The first of the two nearest, 30 px away.
  EXPECT_EQ((*record)[Rocks::NEAR_X], 130);
  EXPECT_EQ((*record)[Rocks::NEAR_DISTANCE], 900);
  EXPECT_EQ((*record)[Rocks::NEAR_DX], 3);
  EXPECT_EQ((*record)[Rocks::NEAR_DY], 4);
}

TEST_F(CollisionTest, AHitWearsBothDownSplitsRocksAndStartsABurst) {
  game->score = 0;
  FlyingOArrayPtr shots = arrayOf({shot(100, 100)}, 2);
  FlyingOPtr target = rock(2, 1, 105, 100);
  game->rockArray = arrayOf({target}, 3);
  EXPECT_TRUE(game->collide(shots, target, 0).isNull());
  // The shot is spent and gone; the medium rock became two small ones where there was room.
  EXPECT_EQ(count(shots), 0);
  EXPECT_EQ(count(game->rockArray), 2);
  EXPECT_EQ((*game->rockArray)[0]->hitSize, 200);
  EXPECT_EQ(game->score, 100);
  EXPECT_EQ((*(*game->particleSlots)[0])[Rocks::BURST_PHASE], 0);
  EXPECT_EQ((*(*game->particleSlots)[0])[Rocks::BURST_X], 105);
  EXPECT_EQ(game->burstCount, 1);

  // With every burst row busy a hit still counts, without a burst.
  fillBurstRows();
  FlyingOPtr small = rock(3, 1, 50, 50);
  FlyingOArrayPtr more = arrayOf({shot(52, 50)});
  EXPECT_TRUE(game->collide(more, small, 0).isNull());
  EXPECT_EQ(small->hitPoints, 0);
  EXPECT_EQ(game->burstCount, Rocks::kBurstRows);
}

TEST_F(CollisionTest, SplitPiecesGoIntoFreePlacesAndBalanceTheirSpeeds) {
  // Without a free place only the first piece is left, in the rock's own place.
  game->rockArray = arrayOf({rock(3, 1, 10, 10), rock(1, 2, 100, 100), rock(3, 1, 20, 20)});
  game->splitRock(0, 0, 1);
  EXPECT_EQ(count(game->rockArray), 3);
  EXPECT_LT((*game->rockArray)[1]->hitSize, 350);
  EXPECT_EQ((*game->rockArray)[1]->x, 100);

  // A medium rock: two small pieces, the last flying against the first at twice the speed factor.
  for (int i = 0; i < 20; ++i) {
    game->rockArray = arrayOf({rock(2, 2, 60, 70)}, 3);
    game->liveRocks = 1;
    game->splitRock(0, 0, 0);
    ASSERT_EQ(count(game->rockArray), 2);
    FlyingO& first = *(*game->rockArray)[0];
    FlyingO& last = *(*game->rockArray)[1];
    EXPECT_EQ(first.hitSize, 200);
    EXPECT_EQ(last.hitSize, 200);
    EXPECT_EQ(last.x, 60);
    EXPECT_EQ(last.dx, -first.dx);
    EXPECT_EQ(last.dy, -first.dy);
    EXPECT_EQ(last.speedFactor, 2);
    EXPECT_EQ(game->liveRocks, 2);
  }
  // A large rock: two medium pieces or three small ones whose speeds add up against the last.
  int mediums = 0, smalls = 0;
  for (int i = 0; i < 60; ++i) {
    game->rockArray = arrayOf({rock(1, 1, 60, 70)}, 5);
    game->splitRock(0, 0, 0);
    const int n = count(game->rockArray);
    ASSERT_TRUE(n == 2 || n == 3) << n;
    FlyingO& first = *(*game->rockArray)[0];
    FlyingO& last = *(*game->rockArray)[n - 1];
    int sumX = first.dx, sumY = first.dy;
    if (n == 3) {
      FlyingO& middle = *(*game->rockArray)[1];
      EXPECT_NE(middle.dy, first.dy);
      sumX += middle.dx;
      sumY += middle.dy;
      EXPECT_EQ(first.hitSize, 200);
      ++smalls;
    } else {
      EXPECT_EQ(first.hitSize, 250);
      ++mediums;
    }
    EXPECT_EQ(last.dx, -sumX);
    EXPECT_EQ(last.dy, -sumY);
    EXPECT_EQ(last.speedFactor, 2);
  }
  EXPECT_GT(mediums, smalls);
  EXPECT_GT(smalls, 0);
}

TEST_F(CollisionTest, RocketsAimInThreeSlantsOrStraight) {
  struct Case {
    int dx, dy;
    const char* picture;  // empty: no rocket
    int vx, vy;
  } cases[] = {
      {0, 50, "rocket0_lv", 0, 8},
      {1, -50, "rocket0", 0, -8},
      {50, 1, "rocket0_dn", 8, 0},
      {-50, 0, "rocket0_up", -8, 0},
      {0, 0, "rocket0_up", -8, 0},
      {4, 10, "rocket3_dn", 4, 6},
      {-4, -10, "rocket3_up", -4, -6},
      {-4, 10, "rocket1_lv", -4, 6},
      {4, -10, "rocket1", 4, -6},
      {10, 10, "rocket2_dn", 4, 4},
      {-10, 10, "rocket2_lv", -4, 4},
      {24, -10, "rocket3", 6, -4},
      {-24, -10, "rocket1_up", -6, -4},
      {30, 10, "", 0, 0},
      {7, 10, "", 0, 0},
  };
  game->ufos = arrayOf({saucer(3, 100, 100)});
  for (const Case& c : cases) {
    game->rockets = new FlyingOArray(1);
    (*game->ufos)[0]->fireTimer = 20;
    const int placed = game->launchRocket(0, 100, 100, c.dx, c.dy);
    const std::string expected = c.picture;
    ASSERT_EQ(placed, expected.empty() ? 0 : 1) << c.dx << "," << c.dy;
    if (expected.empty()) continue;
    FlyingO& r = *(*game->rockets)[0];
    EXPECT_EQ(gltest::narrow(r.imageName), expected) << c.dx << "," << c.dy;
    EXPECT_EQ(r.dx * r.speedFactor, c.vx) << c.dx << "," << c.dy;
    EXPECT_EQ(r.dy * r.speedFactor, c.vy) << c.dx << "," << c.dy;
    EXPECT_EQ(r.kind, FlyingO::KIND_STRAIGHT);
    EXPECT_EQ((*game->ufos)[0]->fireTimer, 0);
  }
  // Every place taken: no rocket.
  EXPECT_EQ(game->launchRocket(0, 100, 100, 0, 50), 1);
  EXPECT_EQ(game->launchRocket(0, 100, 100, 0, 50), 0);
}

TEST_F(CollisionTest, EveryFiveThousandPointsBringOneLife) {
  const int lives = ship->lives;
  struct Step {
    int score, lives;
  } steps[] = {{4990, 0}, {5000, 1}, {9990, 1}, {12000, 2}, {16990, 2}, {17000, 3}, {40000, 4}};
  game->extraLifeMark = 0;
  for (const Step& s : steps) {
    game->score = s.score;
    game->checkExtraLife();
    EXPECT_EQ(ship->lives, lives + s.lives) << s.score;
  }
}

}  // namespace rockstest
