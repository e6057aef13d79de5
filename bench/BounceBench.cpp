// The brick-and-paddle game's frame: one 30 ms step and the paint of a busy round (three balls in flight,
// three enemies, sparks and debris) as a share of the step, on both screen sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/bounce/Bounce.h"
#include "platform/seam/clock.h"

namespace {

using bounce::Bounce;
using gamelib::GameLib;
using gamelib::ScreenCanvas;

constexpr double kStepSeconds = 0.030;
constexpr int kBallsInFlight = 3;
constexpr int kParticlesAlive = 60;

using benchsetup::useScreen;

// From the game's menu into round 1, past its intro.
void startRound(Bounce& game) {
  game.init();
  platform::advanceManualClock(1600);
  game.update();
  bounce::menuFlow->menu().selected = Bounce::ITEM_START;
  bounce::openLevel = 1;
  gamelib::GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis() - 1000;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  game.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  platform::advanceManualClock(1600);
  game.update();
}

int liveParticles() {
  int n = 0;
  for (int32_t i = 0; i < bounce::particles->length; ++i) n += (*(*bounce::particles)[i])[0] != 0 ? 1 : 0;
  return n;
}

// Keeps the round busy: three balls flying in different directions, every enemy in the field, sparks and
// debris in the air, and the game never leaving play.
void keepBusy(Bounce& game) {
  bounce::gameState = Bounce::STATE_PLAYING;
  game.lives = 5;
  int flying = 0;
  for (int s = 0; s < kBallsInFlight; ++s) {
    bounce::Ball& ball = *(*game.balls)[s];
    if (!ball.inPlay || !ball.released) {
      ball.reset(bounce::platform->x, bounce::platform->top - 20);
      ball.released = true;
      ball.dx = (s - 1) * 5 + 2;
      ball.dy = -ball.verticalSpeedFor(ball.dx);
    }
    ++flying;
  }
  bounce::platform->ballsInPlay = flying;
  for (int e = 0; e < game.enemySlots; ++e) {
    bounce::Enemy& enemy = *(*game.enemies)[e];
    for (int tries = 0; tries < 100000 && !enemy.active; ++tries) enemy.trySpawn();
    if (enemy.kind == bounce::Enemy::KIND_SWALLOWER) enemy.kind = bounce::Enemy::KIND_WANDERER;
  }
  if (liveParticles() < kParticlesAlive) {
    bounce::spawnParticles(10, bounce::PARTICLE_DEBRIS, GameLib::screenWidth / 2, GameLib::screenHeight / 3, 6);
    bounce::spawnParticles(10, bounce::PARTICLE_SPARK, GameLib::screenWidth / 3, GameLib::screenHeight / 2);
  }
}

void BM_BusyRoundStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      bounce::BouncePtr game = new Bounce();
      GameLib::currentScreen = game;
      startRound(*game);
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(*game);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the last frame held, to show the round stayed busy.
      int enemies = 0;
      for (int e = 0; e < game->enemySlots; ++e) enemies += (*game->enemies)[e]->active ? 1 : 0;
      state.counters["enemies"] = enemies;
      state.counters["particles"] = liveParticles();
      state.counters["playing"] = bounce::gameState == Bounce::STATE_PLAYING ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  useScreen(240, 320);
}
BENCHMARK(BM_BusyRoundStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
