// The ladders game's frame: one 30 ms step and the paint of the last level (ten guards chasing, holes, the
// shine) with the hero running back and forth so the view scrolls, as a share of the step, on both screen
// sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "games/climber/Climber.h"
#include "platform/seam/clock.h"

namespace {

using climber::Climber;
using gamelib::GameLib;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

constexpr double kStepSeconds = 0.030;
// The hero runs this many steps one way, then back.
constexpr int kRunSteps = 120;

// From the game's menu into the last level, past its intro, with a hero the guards cannot stop.
void startLastLevel(Climber& game) {
  game.init();
  Climber::startGame(climber::levelCount);
  climber::stateTimer = 0;
  game.update();
  climber::invulnerable = true;
}

// Keeps the level busy: the hero running, digging now and then, and the game never leaving play.
void keepBusy(int step) {
  if (climber::gameState != climber::STATE_PLAYING) {
    Climber::startGame(climber::levelCount);
    climber::gameState = climber::STATE_PLAYING;
    climber::invulnerable = true;
  }
  const bool right = (step / kRunSteps) % 2 == 0;
  ScreenCanvas::held[GameAction::Right] = right;
  ScreenCanvas::held[GameAction::Left] = !right;
  ScreenCanvas::held[GameAction::Fire] = step % 40 == 0;
}

int activeGuards() {
  int n = 0;
  for (int e = 0; e < climber::enemyCount; ++e) {
    const int state = (*climber::enemies)[e]->state;
    n += state != climber::Runner::BURIED && state != climber::Runner::REAPPEARING ? 1 : 0;
  }
  return n;
}

void BM_LastLevelStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      climber::ClimberPtr game = new Climber();
      GameLib::currentScreen = game;
      startLastLevel(*game);
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      int step = 0;
      const int startX = climber::cameraX;
      int scrolled = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(step++);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
        scrolled += climber::cameraX != startX ? 1 : 0;
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      state.counters["guards"] = climber::enemyCount;
      state.counters["guards_chasing"] = activeGuards();
      state.counters["scrolled_steps"] = scrolled;
      state.counters["playing"] = climber::gameState == climber::STATE_PLAYING ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  benchsetup::useScreen(240, 320);
}
BENCHMARK(BM_LastLevelStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
