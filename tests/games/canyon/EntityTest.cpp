// The canyon game's entities: what each kind is made as, how it moves, what it does to the plane and the
// plane's shots to it, its own shots, scoring (twins like their twins), and the bridge that takes its road.
#include <gtest/gtest.h>

#include "games/canyon/CanyonObjectsFixture.h"
#include "support/Exceptions.h"

namespace canyontest {
namespace {

using namespace canyon;
namespace Code = nuv::lang::ExceptionCode;

// A run on two screens of the usual channel with nothing on them, the plane placed, nothing moving yet.
class Entities : public CanyonObjectsFixture {
 protected:
  void SetUp() override {
    CanyonObjectsFixture::SetUp();
    start({screenOf({}), screenOf({})}, {{0, 1}});
    startRun();
    beVulnerable();
  }
  // A world y in the middle of the view.
  static int midY() { return viewTop - viewHeight / 2; }
};

TEST_F(Entities, EachKindStartsWithItsSpeedFacingLayerAndSize) {
  struct Case {
    int code, speed;
    bool left;
    int layer, width, height, explosionWidth;
  } cases[] = {
      {0, 2, true, 0, kBridgeW, kBridgeH, 16},
      {24, 2, true, 0, kFuelW, kFuelH, 16},
      {1, 4, true, 1, kFlyerW, kFlyerH, 16},
      {4, 4, false, 1, kFlyerW, kFlyerH, 16},
      {10, 4, false, 1, 16, 10, 16},
      {13, 2, false, 1, kShipW, kShipH, 24},
      {19, 2, false, 1, kTankW, kTankH, 16},
      {6, 2, true, 1, 10, 14, 16},
      {8, 2, true, 1, 12, 10, 16},
      {15, 2, true, 1, kTankW, kTankH, 16},
      {23, 2, true, 1, 32, 8, 16},
  };
  for (const Case& c : cases) {
    Entity e(c.code, 40, 200, 3);
    EXPECT_EQ(e.speed, c.speed) << c.code;
    EXPECT_EQ(e.startSpeed, c.speed) << c.code;
    EXPECT_EQ(e.facingLeft, c.left) << c.code;
    EXPECT_EQ(e.layer, c.layer) << c.code;
    EXPECT_EQ(e.width, c.width) << c.code;
    EXPECT_EQ(e.height, c.height) << c.code;
    EXPECT_EQ((*e.explosion->frames)[0]->w, c.explosionWidth) << c.code;
    EXPECT_EQ(e.state, Entity::STATE_ALIVE) << c.code;
    EXPECT_EQ(e.shotState, Entity::SHOT_FREE) << c.code;
  }
  EXPECT_THROWS_CODE(Code::ArrayIndexOutOfBoundsException, Entity(25, 0, 0, 0));
}

TEST_F(Entities, TwinsShareTheirTwinsAnimationsAndPoints) {
  struct Case {
    int code, twin, points;
  } cases[] = {{1, 1, 800},   {3, 1, 800},   {4, 2, 800},   {5, 5, 300}, {8, 7, 0},   {9, 9, 100},
               {13, 13, 200}, {18, 14, 600}, {21, 17, 600}, {23, 22, 0}, {24, 24, 0}, {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ((*leftAnimations)[c.code].get(), (*leftAnimations)[c.twin].get()) << c.code;
    EXPECT_EQ((*points)[c.code], c.points) << c.code;
  }
  // A fuel depot looks the same either way; a bridge's right picture is its wreck.
  EXPECT_EQ((*rightAnimations)[24].get(), (*leftAnimations)[24].get());
  EXPECT_NE((*rightAnimations)[0].get(), (*leftAnimations)[0].get());
}

TEST_F(Entities, EnemyPlanesCrossTheRiverAndComeBackOnTheOtherSide) {
  Entity& left = place(1, 2, midY());
  Entity& right = place(3, kRiverWidth - 6, midY() + 40);
  left.update();
  right.update();
  EXPECT_EQ(left.x, -2);
  EXPECT_EQ(right.x, kRiverWidth - 2);
  for (int i = 0; i < 4; ++i) left.update();
  // Out past the left edge: in again at the right edge.
  EXPECT_EQ(left.x, kRiverWidth);
  right.update();
  EXPECT_EQ(right.x, -kFlyerW);
}

TEST_F(Entities, BalloonsDriftEveryThirdStepAndTurnAtTheEdges) {
  Entity& balloon = place(5, 3, midY());
  balloon.update();
  balloon.update();
  EXPECT_EQ(balloon.x, 3);
  balloon.update();
  EXPECT_EQ(balloon.x, 1);
  for (int i = 0; i < 3; ++i) balloon.update();
  // Below 1 it stops at the edge and turns round.
  EXPECT_EQ(balloon.x, 0);
  EXPECT_FALSE(balloon.facingLeft);
  for (int i = 0; i < 3; ++i) balloon.update();
  EXPECT_EQ(balloon.x, 2);
}

TEST_F(Entities, ShipsTurnWhereTheRowAboveThemMeetsTheBank) {
  // The channel runs from column 6 to 15; a ship facing right with its bow in column 15.
  const int y = (kViewRows - 10) * kCell;
  Entity& ship = place(12, 16 * kCell - kShipW, y);
  ASSERT_FALSE(ship.facingLeft);
  ship.update();
  ship.update();
  EXPECT_EQ(ship.x, 16 * kCell - kShipW);
  ship.update();
  // Column 15 ahead is water: it moves on, its bow now over the bank's column 16.
  EXPECT_EQ(ship.x, 16 * kCell - kShipW + 2);
  for (int i = 0; i < 3; ++i) ship.update();
  EXPECT_TRUE(ship.facingLeft);
  EXPECT_EQ(ship.x, 16 * kCell - kShipW);
}

TEST_F(Entities, ShootersFireEveryTenthStepAndDriveOnlyOnRoads) {
  Entity& gun = place(7, 150, midY());
  Entity& tank = place(18, 20, midY() + 30, true);
  for (int i = 0; i < 9; ++i) {
    gun.update();
    tank.update();
  }
  EXPECT_EQ(gun.shotState, Entity::SHOT_FREE);
  EXPECT_EQ(gun.x, 150);
  EXPECT_EQ(tank.x, 20 + 9 * 2);
  gun.update();
  tank.update();
  // Facing left, the shot leaves from the gun's left edge; facing right, from the tank's right edge.
  EXPECT_EQ(gun.shotState, Entity::SHOT_FLYING);
  EXPECT_EQ(gun.shotX, 150 - 4);
  EXPECT_EQ(gun.shotY, gun.y);
  EXPECT_EQ(tank.shotStartX, tank.x - 2 + kTankW);
  // The shot flies half the display wide at most.
  int steps = 1;
  while (gun.shotState == Entity::SHOT_FLYING && steps < 100) {
    gun.update();
    ++steps;
  }
  EXPECT_EQ(steps, 31);
}

TEST_F(Entities, ThePlaneRefuelsOverADepotAndCrashesIntoAnythingElse) {
  struct Case {
    const char* what;
    int code;
    bool invulnerable;
    int fuelBefore, fuelAfter, lives, score, state;
    int planeState;
  } cases[] = {
      {"a depot fills the tank", 24, false, 1000, 1010, 3, 0, Entity::STATE_ALIVE, PLANE_FLYING},
      {"a full tank takes nothing", 24, false, kFullFuel, kFullFuel, 3, 0, Entity::STATE_ALIVE, PLANE_FLYING},
      {"a ship costs a plane and scores", 12, false, 1000, 1000, 2, 200, Entity::STATE_EXPLODING, PLANE_EXPLODING},
      {"a plane flying right scores like its twin", 3, false, 1000, 1000, 2, 800, Entity::STATE_EXPLODING,
       PLANE_EXPLODING},
      {"invulnerable, the ship is destroyed and the plane flies on", 12, true, 1000, 1000, 3, 200,
       Entity::STATE_EXPLODING, PLANE_FLYING},
  };
  for (const Case& c : cases) {
    game->resetPlane(kViewRows);
    lives = 3;
    score = 0;
    fuel = c.fuelBefore;
    invulnerable = c.invulnerable;
    entities = nullptr;
    // Right over the plane's hit box.
    Entity& e = place(c.code, hitX() - 2, hitTop() + 2);
    e.speed = 0;
    e.update();
    EXPECT_EQ(fuel, c.fuelAfter) << c.what;
    EXPECT_EQ(lives, c.lives) << c.what;
    EXPECT_EQ(score, c.score) << c.what;
    EXPECT_EQ(e.state, c.state) << c.what;
    EXPECT_EQ(planeState, c.planeState) << c.what;
  }
}

TEST_F(Entities, APlayerShotInsideAUnitDestroysItAndScores) {
  struct Case {
    int code, score;
  } cases[] = {{12, 200}, {24, 0}, {18, 600}, {4, 800}, {6, 300}, {11, 100}};
  for (const Case& c : cases) {
    score = 0;
    entities = nullptr;
    Entity& e = place(c.code, 100, midY());
    e.speed = 0;
    Bullet& shot = *(*shots)[0];
    // On the edge nothing happens: the point must lie strictly inside.
    shot.state = Bullet::STATE_FLYING;
    shot.x = 100;
    shot.y = midY() - 1;
    e.update();
    EXPECT_EQ(e.state, Entity::STATE_ALIVE) << c.code;
    shot.x = 101;
    e.update();
    EXPECT_EQ(e.state, Entity::STATE_EXPLODING) << c.code;
    EXPECT_EQ(score, c.score) << c.code;
    EXPECT_EQ(shot.state, Bullet::STATE_FREE) << c.code;
  }
}

TEST_F(Entities, EnemyShotsCrashAVulnerablePlaneAndFlyOnFromADestroyedGun) {
  Entity& gun = place(7, hitX() + 40, hitTop() - 2);
  gun.shotState = Entity::SHOT_FLYING;
  gun.shotStartX = gun.shotX = hitX() + 10;
  gun.shotStep = -4;
  gun.shotY = hitTop() - 2;
  // The gun is gone, its shot flies on.
  gun.state = Entity::STATE_GONE;
  gun.update();
  EXPECT_EQ(gun.shotState, Entity::SHOT_FLYING);
  gun.update();
  EXPECT_EQ(gun.shotState, Entity::SHOT_FREE);
  EXPECT_EQ(lives, kStartLives - 1);
  EXPECT_EQ(planeState, PLANE_EXPLODING);

  game->resetPlane(kViewRows);
  invulnerable = true;
  gun.shotState = Entity::SHOT_FLYING;
  gun.shotStartX = gun.shotX = hitX() + 6;
  gun.shotY = hitTop() - 2;
  gun.update();
  EXPECT_EQ(gun.shotState, Entity::SHOT_FREE);
  EXPECT_EQ(planeState, PLANE_FLYING);
  EXPECT_EQ(lives, kStartLives - 1);
}

TEST_F(Entities, ABridgeTakesTheRoadUnitsOnItWithItAndStopsTheOthers) {
  const int y = midY();
  Entity& bridge = place(0, 64, y);
  Entity& onBridge = place(14, 64 + kBridgeW, y, true);  // touching its right end
  Entity& farAway = place(18, 4, y, true);
  Entity& otherRow = place(15, 100, y + 30, true);
  Entity& offRoad = place(16, 80, y, false);
  planeX = 150;  // right of everything
  Bullet& shot = *(*shots)[0];
  shot.state = Bullet::STATE_FLYING;
  shot.x = 70;
  shot.y = y - 4;
  bridge.update();
  EXPECT_EQ(bridge.state, Entity::STATE_EXPLODING);
  EXPECT_EQ(onBridge.state, Entity::STATE_EXPLODING);
  EXPECT_EQ(score, 600);
  EXPECT_EQ(farAway.state, Entity::STATE_ALIVE);
  EXPECT_EQ(farAway.speed, 0);
  EXPECT_EQ(otherRow.speed, 2);
  EXPECT_EQ(offRoad.speed, 2);
  // Stopped, it turns to the plane and shoots from where it stands.
  const int x = farAway.x;
  farAway.update();
  EXPECT_EQ(farAway.x, x);
  EXPECT_FALSE(farAway.facingLeft);
}

TEST_F(Entities, ExplosionsEndAndAPassedBridgeIsTheNewCheckpoint) {
  Entity& ship = place(12, 100, midY());
  Entity& bridge = place(0, 64, planeY + 30);
  ship.state = bridge.state = Entity::STATE_EXPLODING;
  ship.explosion->restart();
  bridge.explosion->restart();
  for (int i = 0; i < 60 && ship.state == Entity::STATE_EXPLODING; ++i) {
    ship.paint(riverX);
    ship.update();
  }
  EXPECT_EQ(ship.state, Entity::STATE_GONE);
  for (int i = 0; i < kBoomFrames; ++i) {
    bridge.paint(riverX);
    bridge.update();
  }
  EXPECT_EQ(bridge.state, Entity::STATE_GONE);
  // Still above the plane: not passed yet.
  const int checkpoint = checkpointRow;
  bridge.update();
  EXPECT_EQ(bridge.state, Entity::STATE_GONE);
  planeY = bridge.y + 1;
  rowsDrawn = 77;
  bridge.update();
  EXPECT_EQ(bridge.state, Entity::STATE_PASSED);
  EXPECT_EQ(checkpointRow, 77);
  EXPECT_NE(checkpoint, 77);
}

}  // namespace
}  // namespace canyontest
