// The play step: the one shot and its reload, hits and their counting, the spare ship at 5000 points,
// the ship struck by shots and rams, the frozen field while it explodes, the end of a wave, the timed
// states, the wave set-up by level and the hidden level select.
#include <gtest/gtest.h>

#include "gamelib/ScreenCanvas.h"
#include "games/swarm/SwarmObjectsFixture.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
using swarm::AlienShip;
using swarm::Swarm;
using namespace swarm;
namespace GameAction = gamelib::GameAction;

class SwarmPlay : public swarmtest::SwarmObjectsFixture {
 protected:
  void TearDown() override {
    ScreenCanvas::resetInput();
    SwarmObjectsFixture::TearDown();
  }
  int& shotX() { return (*playerShot)[0]; }
  int& shotY() { return (*playerShot)[1]; }
  // The player's shot placed on the alien.
  void shotAt(const AlienShip& a) {
    shotX() = a.x;
    shotY() = a.y;
  }
  // The alien placed over the ship.
  void onShip(AlienShip& a) {
    a.state = AlienShip::STATE_DIVING;
    a.x = shipX;
    a.y = shipY + shipHeight / 2;
  }
};

TEST_F(SwarmPlay, OneShotAtATimeAndTwoHundredMillisecondsAfterItEnds) {
  startWave();
  // The formation stands still, out of the shot's way.
  swaySpeed = 0;
  ScreenCanvas::held[GameAction::Fire] = true;
  step();
  ASSERT_NE(shotX(), NONE);
  EXPECT_EQ(shotX(), shipX);
  const int firstY = shotY();
  EXPECT_EQ(firstY, shipY - swarmtest::kBulletH - playerShotSpeed);
  // Held fire does not start a second shot while the first flies.
  int steps = 1;
  while (shotX() != NONE) {
    step();
    ++steps;
    ASSERT_LT(shotY(), firstY);
  }
  EXPECT_EQ(steps, (shipY - swarmtest::kBulletH) / playerShotSpeed + 1) << "it flies until it leaves the top";
  // It ended at the top: reloading takes 200 ms, then held fire shoots again.
  EXPECT_EQ(reloadTimer, RELOAD_TIME);
  int waited = 0;
  while (shotX() == NONE && waited < 20) {
    step();
    ++waited;
  }
  EXPECT_EQ(waited, (RELOAD_TIME + GameLib::kStepMs - 1) / GameLib::kStepMs + 1);
}

TEST_F(SwarmPlay, UpAndALiftedPenFireToo) {
  startWave();
  ScreenCanvas::held[GameAction::Up] = true;
  step();
  EXPECT_NE(shotX(), NONE);
  ScreenCanvas::held[GameAction::Up] = false;

  startWave();
  gamelib::GameLib::canvas->pointerPressed(shipX, 200);
  game->update();
  EXPECT_EQ(shotX(), NONE) << "a held pen steers";
  gamelib::GameLib::canvas->pointerReleased(shipX, 200);
  game->update();
  EXPECT_NE(shotX(), NONE);
}

TEST_F(SwarmPlay, PenSteersTheShipAndArrowsMoveItWithinTheScreen) {
  startWave();
  const int start = shipX;
  gamelib::GameLib::canvas->pointerPressed(shipX + 50, 250);
  game->update();
  EXPECT_EQ(shipX, start + shipSpeed);
  gamelib::GameLib::canvas->pointerDragged(shipX + 2, 250);
  game->update();
  EXPECT_EQ(shipX, start + shipSpeed) << "the pen this close leaves the ship";
  ScreenCanvas::resetInput();

  ScreenCanvas::held[GameAction::Left] = true;
  for (int i = 0; i < 200; ++i) step();
  EXPECT_EQ(shipX, shipHalfWidth);
  ScreenCanvas::held[GameAction::Left] = false;
  ScreenCanvas::held[GameAction::Right] = true;
  for (int i = 0; i < 200; ++i) step();
  EXPECT_EQ(shipX, shipMaxX);
}

TEST_F(SwarmPlay, ShotDownAlienScoresItsRowsPoints) {
  startWave();
  for (int r = 0; r < 5; ++r) {
    AlienShip& a = alien(r, 0);
    const int before = score, left = aliensLeft, alive = (*rowAlive)[r];
    shotAt(a);
    game->testHits();
    EXPECT_EQ(a.state, AlienShip::STATE_EXPLODING);
    EXPECT_EQ(score - before, (*rowScore)[r]);
    EXPECT_EQ(aliensLeft, left - 1);
    EXPECT_EQ((*rowAlive)[r], alive - 1);
    EXPECT_EQ(shotX(), NONE);
    EXPECT_EQ(reloadTimer, RELOAD_TIME);
  }
}

TEST_F(SwarmPlay, SpareShipAtFiveThousandPointsOnce) {
  struct Case {
    int score;
    int row;
    bool ram;
    int livesAfter;
  } cases[] = {
      {4900, 4, false, 4},  // 4960: not yet
      {4940, 4, false, 5},  // 5000 exactly
      {4990, 0, false, 5},  // past it
      {5000, 0, false, 4},  // already past: nothing more
      {4900, 0, true, 4},   // a ram scores too: one ship won, one lost
  };
  for (const Case& c : cases) {
    startWave();
    score = c.score;
    lives = 4;
    AlienShip& a = alien(c.row, 0);
    if (c.ram) {
      onShip(a);
    } else {
      shotAt(a);
    }
    game->testHits();
    EXPECT_EQ(lives, c.livesAfter) << c.score << " + row " << c.row;
  }
}

TEST_F(SwarmPlay, AlienShotDownOnTheShipIsCountedOnce) {
  startWave();
  AlienShip& a = alien(4, 2);
  onShip(a);
  shotAt(a);
  const int left = aliensLeft, alive = (*rowAlive)[4];
  game->testHits();
  EXPECT_EQ(score, (*rowScore)[4]);
  EXPECT_EQ(aliensLeft, left - 1);
  EXPECT_EQ((*rowAlive)[4], alive - 1);
  EXPECT_TRUE(shipExploding) << "it still struck the ship";
  EXPECT_EQ(lives, Swarm::kStartLives - 1);
}

TEST_F(SwarmPlay, RammingAlienIsDestroyedAndCostsAShip) {
  startWave();
  AlienShip& a = alien(3, 1);
  onShip(a);
  game->testHits();
  EXPECT_EQ(a.state, AlienShip::STATE_EXPLODING);
  EXPECT_EQ(score, (*rowScore)[3]);
  EXPECT_TRUE(shipExploding);
  EXPECT_EQ(lives, Swarm::kStartLives - 1);
  // Two aliens on the ship in one step cost one ship: the exploding ship is not struck again.
  startWave();
  onShip(alien(4, 0));
  onShip(alien(4, 1));
  game->testHits();
  EXPECT_EQ(lives, Swarm::kStartLives - 1);
  EXPECT_EQ(score, (*rowScore)[4]);
  EXPECT_EQ(alien(4, 1).state, AlienShip::STATE_DIVING);
}

TEST_F(SwarmPlay, LastAlienRammingTheLastShipEndsTheGame) {
  startWave();
  leaveOnly({{2, 2}});
  lives = 0;
  onShip(alien(2, 2));
  game->testHits();
  EXPECT_EQ(aliensLeft, 0);
  EXPECT_EQ(gameState, Swarm::STATE_LAST_SHIP_LOST);
  EXPECT_EQ(stateTimer, SHIP_LOST_TIME);
  // With a spare ship the wave is cleared and play goes on.
  startWave();
  leaveOnly({{2, 2}});
  lives = 2;
  onShip(alien(2, 2));
  game->testHits();
  EXPECT_EQ(gameState, Swarm::STATE_WAVE_CLEARED);
  EXPECT_EQ(lives, 1);
}

TEST_F(SwarmPlay, LastAlienShotClearsTheWave) {
  startWave();
  leaveOnly({{1, 3}});
  shotAt(alien(1, 3));
  game->testHits();
  EXPECT_EQ(gameState, Swarm::STATE_WAVE_CLEARED);
  EXPECT_EQ(stateTimer, Swarm::WAVE_CLEARED_TIME);
}

TEST_F(SwarmPlay, AlienShotStrikesTheShipAnywhereAlongItsTopLine) {
  struct Case {
    int offset;
    bool strikes;
  } cases[] = {{-swarmtest::kShipW / 2 - 1, false},
               {-swarmtest::kShipW / 2, true},
               {0, true},
               {swarmtest::kShipW / 2, true},
               {swarmtest::kShipW / 2 + 1, false}};
  for (const Case& c : cases) {
    startWave();
    nuv::lang::DintArray& shot = *(*enemyShots)[7];
    shot[0] = shipX + c.offset;
    shot[1] = shipY - enemyShotSpeed;
    step();
    EXPECT_EQ(shipExploding, c.strikes) << c.offset;
    EXPECT_EQ(shot[0] == NONE, c.strikes) << c.offset;
  }
}

TEST_F(SwarmPlay, LosingTheLastShipStartsTheLostState) {
  startWave();
  lives = 1;
  game->shipHit();
  EXPECT_EQ(lives, 0);
  EXPECT_EQ(gameState, Swarm::STATE_PLAY);
  game->shipHit();
  EXPECT_EQ(gameState, Swarm::STATE_LAST_SHIP_LOST);
  EXPECT_EQ(stateTimer, SHIP_LOST_TIME);
}

TEST_F(SwarmPlay, WhileTheShipExplodesOnlyTheSkyMoves) {
  startWave();
  AlienShip& diving = alien(4, 0);
  diving.activate();
  for (int i = 0; i < 50; ++i) step();
  AlienShip& shot = alien(3, 3);
  shot.state = AlienShip::STATE_EXPLODING;
  game->shipHit();
  const int x = shipX, diverY = diving.y, starY = (*(*stars)[0])[1], sway = swayOffset;
  ScreenCanvas::held[GameAction::Right] = true;
  ScreenCanvas::held[GameAction::Fire] = true;
  reloadTimer = 0;
  step();
  EXPECT_EQ(shipX, x);
  EXPECT_EQ(diving.y, diverY);
  EXPECT_EQ(swayOffset, sway);
  EXPECT_NE((*(*stars)[0])[1], starY);
  // A shot asked for starts but stays where it is.
  ASSERT_NE(shotX(), NONE);
  const int shotStart = shotY();
  step();
  EXPECT_EQ(shotY(), shotStart);

  // When the explosion has played out, every alien not destroyed is back in its place.
  shipExplosionDone = true;
  step();
  EXPECT_FALSE(shipExploding);
  EXPECT_EQ(shotX(), NONE);
  EXPECT_EQ(diving.state, AlienShip::STATE_FORMATION);
  EXPECT_EQ(diving.x, diving.homeX + swayOffset);
  EXPECT_EQ(diving.y, diving.homeY);
  EXPECT_EQ(shot.state, AlienShip::STATE_GONE);
}

TEST_F(SwarmPlay, TimedStatesLastTheirTime) {
  struct Case {
    int state;
    int steps;  // to the next state
    int next;
  } cases[] = {
      {Swarm::STATE_WAVE_INTRO, 68, Swarm::STATE_PLAY},
      {Swarm::STATE_LAST_SHIP_LOST, 25, Swarm::STATE_GAME_OVER},
      {Swarm::STATE_WAVE_CLEARED, 25, Swarm::STATE_WAVE_INTRO},
  };
  for (const Case& c : cases) {
    startWave();
    gameState = c.state;
    stateTimer = c.state == Swarm::STATE_WAVE_INTRO     ? Swarm::WAVE_INTRO_TIME
                 : c.state == Swarm::STATE_WAVE_CLEARED ? Swarm::WAVE_CLEARED_TIME
                                                        : SHIP_LOST_TIME;
    for (int i = 1; i < c.steps; ++i) game->update();
    EXPECT_EQ(gameState, c.state) << c.state;
    game->update();
    EXPECT_EQ(gameState, c.next) << c.state;
  }
  EXPECT_EQ(level, 2) << "a cleared wave leads to the next level";
}

TEST_F(SwarmPlay, WaveSetUpByLevel) {
  struct Case {
    int level;
    int64_t delay;
    int maxDivers;
    int shots;
  } cases[] = {{1, 292, 1, 2}, {2, 284, 2, 2}, {7, 244, 4, 3}, {20, 140, 11, 7}};
  for (const Case& c : cases) {
    startWave(c.level);
    EXPECT_EQ(diveDelayBase, c.delay);
    EXPECT_EQ(diveDelayRange, c.delay);
    EXPECT_EQ(maxDivers, c.maxDivers);
    EXPECT_EQ(alienShotsPerDive, c.shots);
    // Row r of level L takes alien kind (L - r - 2) & 7.
    for (int r = 0; r < 5; ++r) EXPECT_EQ(alien(r, 0).images.get(), (*alienImages)[(c.level - r - 2) & 7].get());
  }
}

TEST_F(SwarmPlay, NewGameRestoresShipsAndScoreALaterLevelKeepsThem) {
  lives = 1;
  score = 1234;
  startWave(3);
  EXPECT_EQ(lives, 1);
  EXPECT_EQ(score, 1234);
  startWave(1);
  EXPECT_EQ(lives, Swarm::kStartLives);
  EXPECT_EQ(score, 0);
}

TEST_F(SwarmPlay, HiddenLevelSelectStaysWithinTheLevels) {
  struct Case {
    int number;
    int level;  // afterwards
    int state;
  } cases[] = {{7, 7, Swarm::STATE_WAVE_INTRO}, {20, 20, Swarm::STATE_WAVE_INTRO}, {1, 1, Swarm::STATE_WAVE_INTRO},
               {0, 4, Swarm::STATE_PLAY},       {21, 4, Swarm::STATE_PLAY},        {99, 4, Swarm::STATE_PLAY}};
  for (const Case& c : cases) {
    startWave(4);
    score = 500;
    ScreenCanvas::sequenceDone = true;
    ScreenCanvas::sequenceNumber = c.number;
    step();
    EXPECT_FALSE(ScreenCanvas::sequenceDone);
    EXPECT_EQ(level, c.level) << c.number;
    EXPECT_EQ(gameState, c.state) << c.number;
    EXPECT_EQ(score, c.number == 1 ? 0 : 500) << c.number;
  }
}

}  // namespace
