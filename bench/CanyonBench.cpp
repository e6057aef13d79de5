// The river-flying shooter's frame: one 30 ms step and the paint at top speed, with every unit of the
// level present, a shot in the air and the river scrolling in new rows, as a share of the step, on both
// screen sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "GameSetup.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "games/canyon/CanyonGame.h"
#include "platform/seam/clock.h"

namespace {

using canyon::CanyonGame;
using gamelib::GameLib;
using gamelib::ScreenCanvas;

constexpr double kStepSeconds = 0.030;

// The first level from its get-ready screen into play, every enemy of the river present.
void startLevel(CanyonGame& game) {
  canyon::levelIndex = 0;
  canyon::lives = canyon::kStartLives;
  canyon::score = 0;
  game.setState(canyon::STATE_GET_READY);
  platform::advanceManualClock(1600);
  canyon::presencePercent = 100;
  game.update();
}

// Keeps the run in play at top speed: the plane cannot crash, never runs dry, fires whenever it can, and
// starts the level again when its river ends.
void keepBusy(CanyonGame& game) {
  if (canyon::gameState != canyon::STATE_PLAYING) startLevel(game);
  canyon::speed = canyon::baseSpeed + 1;
  canyon::invulnerableCounter = 0;
  canyon::fuel = canyon::kFullFuel;
  canyon::lives = canyon::kStartLives;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
}

int unitsInView() {
  int n = 0;
  for (int32_t i = canyon::firstIndex; i < canyon::entities->length; ++i) {
    const canyon::Entity& e = *(*canyon::entities)[i];
    if (e.y - e.height >= canyon::viewTop) break;
    n += e.state == canyon::Entity::STATE_ALIVE && e.y > canyon::viewTop - canyon::viewHeight ? 1 : 0;
  }
  return n;
}

void BM_TopSpeedStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      canyon::CanyonGamePtr game = new CanyonGame();
      GameLib::currentScreen = game;
      game->init();
      startLevel(*game);
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      int maxUnits = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(*game);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
        state.PauseTiming();
        if (canyon::gameState == canyon::STATE_PLAYING) maxUnits = std::max(maxUnits, unitsInView());
        state.ResumeTiming();
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the frames held, to show the river stayed busy.
      state.counters["most_units_in_view"] = maxUnits;
      state.counters["playing"] = canyon::gameState == canyon::STATE_PLAYING ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  benchsetup::useScreen(240, 320);
}
BENCHMARK(BM_TopSpeedStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
