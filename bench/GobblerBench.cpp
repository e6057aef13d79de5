// The maze game's frame: one 30 ms step (the game's step on every second one) and the paint of a level with
// the four chasers out, a fruit walking and the player running, as a share of the step, on both screen
// sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGlobals.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
using gobbler::Gobbler;

constexpr double kStepSeconds = 0.030;
constexpr int kTurnEvery = 40;

void choose(Gobbler& game, int item) {
  gobbler::menuFlow->menu().selected = item;
  gamelib::GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis() - 1000;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  game.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

// From the game's start menu through its set-up page into a Classic game, past the start of the first life.
void startLevel(Gobbler& game) {
  game.init();
  // Keys held by an earlier run would move the menu instead of choosing.
  ScreenCanvas::resetInput();
  choose(game, Gobbler::ITEM_START);
  choose(game, Gobbler::SETUP_START);
  for (int i = 0; i < 60; ++i) {
    platform::advanceManualClock(30);
    game.update();
  }
}

// Every chaser out of its house and running, a fruit walking, and the player never caught.
void keepBusy(int step) {
  gobbler::invulnerable = true;
  gobbler::lives = 5;
  for (gobbler::SpookyBase* c :
       {gobbler::chaser1.get(), gobbler::chaser2.get(), gobbler::chaser3.get(), gobbler::chaser4.get()}) {
    c->waitCounter = 0;
    c->eyes = false;
  }
  if (gobbler::fruit.isNull()) gobbler::fruitTimer = 0;
  const int turns[] = {gamelib::GameAction::Left, gamelib::GameAction::Up, gamelib::GameAction::Right,
                       gamelib::GameAction::Down};
  for (int action : turns) ScreenCanvas::held[action] = false;
  ScreenCanvas::held[turns[(step / kTurnEvery) % 4]] = true;
}

void BM_BusyLevelStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      gobbler::GobblerPtr game = new Gobbler();
      GameLib::currentScreen = game;
      startLevel(*game);
      if (gobbler::screenState != Gobbler::STATE_PLAY) state.SkipWithError("the game did not start");
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      int step = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(step++);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the last frame held, to show the level stayed busy.
      state.counters["fruit"] = gobbler::fruit.isNull() ? 0 : 1;
      state.counters["playing"] = gobbler::screenState == Gobbler::STATE_PLAY ? 1 : 0;
      state.counters["dots_left"] = gobbler::map->dotCount;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  benchsetup::useScreen(240, 320);
}
BENCHMARK(BM_BusyLevelStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
