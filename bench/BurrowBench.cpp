// The tunnel-digging game's frame: one 30 ms step and the paint of a busy level (five monsters hunting, a
// bag wobbling and falling, the fire bolt in flight, the miner digging) as a share of the step, on both
// screen sizes; drawing only the cells that changed, as in play, or the whole field each frame, as after a
// death or a view jump. Every second step runs a play step, as in the game. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/burrow/BurrowGame.h"
#include "platform/seam/clock.h"

namespace {

using burrow::BurrowGame;
using gamelib::GameLib;
using gamelib::ScreenCanvas;

constexpr double kStepSeconds = 0.030;
// A level of the highest monster limit.
constexpr int32_t kBusyLevel = 49;

// From the game's menu into the level, past its caption.
void startLevel() {
  gamelib::GameImage::graphics = GameLib::graphics;
  burrow::openLevel = 1;
  burrow::levelNumber = kBusyLevel;
  burrow::BurrowGame::newLevel();
  burrow::BurrowGame::setState(BurrowGame::LEVEL_INTRO);
  platform::advanceManualClock(1600);
  burrow::stepParity = 0;
  GameLib::currentScreen->update();
  burrow::stepDelay = 0;
}

// Keeps the level busy: every monster the level allows in play, a bag over an open cell, the bolt fired
// whenever it is ready, the miner digging back and forth and never caught, and the game never leaving play.
void keepBusy(int iteration, bool wholeField) {
  burrow::fieldDirty = wholeField;
  burrow::gameState = BurrowGame::PLAY;
  burrow::Player& hero = *burrow::player;
  hero.spawnGuard = 1000;
  hero.dying = false;
  hero.lives = 3;
  for (int32_t i = 0; i < burrow::monsterLimit; ++i) {
    burrow::Monster& m = *(*burrow::monsters)[i];
    if (!m.active && !m.dying) m.enterDelay = 0;
  }
  burrow::Bag& bag = *(*burrow::bags)[0];
  if (!bag.active || bag.gold) {
    bag.reset();
    bag.place(2, 3 + iteration % 9);
    (*burrow::mapCells)[3 * burrow::mapCols + bag.column] = static_cast<int16_t>(burrow::CELL_TUNNELS);
  }
  burrow::crystalsLeft = 99;
  const bool right = (iteration / 200) % 2 == 0;
  ScreenCanvas::held[gamelib::GameAction::Right] = right;
  ScreenCanvas::held[gamelib::GameAction::Left] = !right;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
}

void BM_BusyLevelStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      burrow::BurrowGamePtr game = new BurrowGame();
      GameLib::currentScreen = game;
      game->init();
      startLevel();
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      int iteration = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(iteration++, state.range(2) != 0);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the last frame held, to show the level stayed busy.
      int active = 0;
      for (int32_t i = 0; i < burrow::maxMonsters; ++i) active += (*burrow::monsters)[i]->active ? 1 : 0;
      state.counters["monsters"] = active;
      state.counters["playing"] = burrow::gameState == BurrowGame::PLAY ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  benchsetup::useScreen(240, 320);
}
BENCHMARK(BM_BusyLevelStepAndPaint)
    ->Args({240, 320, 0})
    ->Args({480, 640, 0})
    ->Args({240, 320, 1})
    ->Args({480, 640, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
