// Every game's score one below the largest the high-score table shows: points won by the game's own rules
// stop at the bound instead of running past it, and no extra life comes from points the score never got.
#include <gtest/gtest.h>

#include <cstdint>

#include "gamelib/Score.h"
#include "games/bounce/BounceObjectsFixture.h"
#include "games/burrow/BurrowObjectsFixture.h"
#include "games/canyon/CanyonObjectsFixture.h"
#include "games/climber/ClimberObjectsFixture.h"
#include "games/gobbler/GobblerBase.h"
#include "games/gobbler/GobblerObjectsFixture.h"
#include "games/gobbler/SpookyBase.h"
#include "games/rocks/RocksObjectsFixture.h"
#include "games/swarm/SwarmObjectsFixture.h"
#include "games/tanks/TanksScreenFixture.h"

namespace {

using gamelib::kHighestScore;
constexpr int32_t kBelow = kHighestScore - 1;

// Each row: its game's fixture; start(t) sets a game up to score in, its score kBelow as the game keeps
// it; score(t) and lives(t) are the game's own; win(t) scores once by the game's rules, at least 2 points.
struct Bounce {
  using Fixture = bouncetest::BounceObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.startWithRound({"a.........."});
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T&) {
    return bounce::brickList->score;
  }
  template <class T>
  static int32_t lives(T& t) {
    return t.game->lives;
  }
  // A normal ball breaks a two-hit brick.
  template <class T>
  static void win(T& t) {
    bounce::BallPtr ball = (*t.game->balls)[1];
    ball->setState(bounce::Ball::KIND_NORMAL);
    t.brick(0, 0).hit(ball);
  }
};

struct Burrow {
  using Fixture = burrowtest::BurrowObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.startLevel({"C"});
    score(t) = kBelow;
    // The extra life counts from the last multiple of 2000 passed.
    burrow::player->lastLifeScore = kBelow / burrow::Player::kLifeScore * burrow::Player::kLifeScore;
  }
  template <class T>
  static int32_t& score(T&) {
    return burrow::player->score;
  }
  template <class T>
  static int32_t lives(T&) {
    return burrow::player->lives;
  }
  template <class T>
  static void win(T&) {
    burrow::player->addCherryScore();
  }
};

struct Canyon {
  using Fixture = canyontest::CanyonObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.start({canyontest::screenOf({}), canyontest::screenOf({})}, {{0, 1}});
    t.startRun();
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T&) {
    return canyon::score;
  }
  template <class T>
  static int32_t lives(T&) {
    return canyon::lives;
  }
  // The plane's shot inside a ship.
  template <class T>
  static void win(T& t) {
    const int y = canyon::viewTop - canyon::viewHeight / 2;
    canyon::Entity& ship = t.place(12, 100, y);
    ship.speed = 0;
    canyon::Bullet& shot = *(*canyon::shots)[0];
    shot.state = canyon::Bullet::STATE_FLYING;
    shot.x = 101;
    shot.y = y - 1;
    ship.update();
  }
};

struct Climber {
  using Fixture = climbertest::ClimberObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.playLevel({"P$.$E", "#####"});
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T&) {
    return climber::score;
  }
  template <class T>
  static int32_t lives(T&) {
    return climber::lives;
  }
  // The hero arrives on gold.
  template <class T>
  static void win(T&) {
    climber::Runner& hero = *climber::hero;
    hero.column = 1;
    hero.row = 0;
    hero.cell = 1;
    hero.offsetX = hero.offsetY = 0;
    climber::Climber::enterCell(hero);
  }
};

// A corridor along row 3; the chasers' starts shut in below.
const gobblertest::Map kCorridor = {"1111111", "111.1#1", "p00000o", "1111111", "r1g1111"};

struct Gobbler {
  using Fixture = gobblertest::GobblerObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.startGame({kCorridor});
    t.newGame();
    t.parkChasers();
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T&) {
    return gobbler::score;
  }
  template <class T>
  static int32_t lives(T&) {
    return gobbler::lives;
  }
  // A frightened chaser eaten.
  template <class T>
  static void win(T& t) {
    t.putPlayer(3, 3);
    gobbler::frightTimer = 100;
    gobbler::chaser1->frightened = true;
    t.putChaser(*gobbler::chaser1, 3, 3);
    gobbler::player->update();
  }
};

struct Rocks {
  using Fixture = rockstest::RocksObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.startGame();
    t.setUpLevel(1);
    score(t) = kBelow;
    // The extra life counts from the score of the last one.
    t.game->extraLifeMark = kBelow;
  }
  template <class T>
  static int32_t& score(T& t) {
    return t.game->score;
  }
  template <class T>
  static int32_t lives(T&) {
    return rocks::ship->lives;
  }
  // A shot splits a medium rock.
  template <class T>
  static void win(T& t) {
    rocks::FlyingOPtr target = T::rock(2, 1, 105, 100);
    t.game->rockArray = T::arrayOf({target}, 3);
    t.game->collide(T::arrayOf({T::shot(100, 100)}, 2), target, 0);
  }
};

struct Swarm {
  using Fixture = swarmtest::SwarmObjectsFixture;
  template <class T>
  static void start(T& t) {
    t.startWave();
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T&) {
    return swarm::score;
  }
  template <class T>
  static int32_t lives(T&) {
    return swarm::lives;
  }
  // The ship's shot on an alien.
  template <class T>
  static void win(T& t) {
    const swarm::AlienShip& alien = t.alien(4, 0);
    (*swarm::playerShot)[0] = alien.x;
    (*swarm::playerShot)[1] = alien.y;
    t.game->testHits();
  }
};

struct Tanks {
  using Fixture = tankstest::TanksScreenFixture;
  template <class T>
  static void start(T& t) {
    t.choose(tanks::GameMain::ITEM_START);
    t.wait(1600);
    t.play(1);
    score(t) = kBelow;
  }
  template <class T>
  static int32_t& score(T& t) {
    return t.game->playfield->score;
  }
  template <class T>
  static int32_t lives(T&) {
    return tanks::player->lives;
  }
  // A stage won with one kill: the result tallies it.
  template <class T>
  static void win(T& t) {
    t.game->playfield->countKill(0);
    t.game->playfield->endBattle(true);
    t.wait(5100);
    t.step();
  }
};

template <class Row>
class ScoreBound : public Row::Fixture {
  friend Row;
};

using Games = ::testing::Types<Bounce, Burrow, Canyon, Climber, Gobbler, Rocks, Swarm, Tanks>;
TYPED_TEST_SUITE(ScoreBound, Games);

TYPED_TEST(ScoreBound, PointsStopAtTheLargestScoreTheTableShows) {
  TypeParam::start(*this);
  const int32_t lives = TypeParam::lives(*this);
  TypeParam::win(*this);
  EXPECT_EQ(TypeParam::score(*this), kHighestScore);
  EXPECT_EQ(TypeParam::lives(*this), lives);
}

}  // namespace
