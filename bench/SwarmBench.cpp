// The alien-formation game's frame: one 30 ms step and the paint of a busy wave (the whole formation, the
// outer aliens of its bottom rows climbing, diving and firing, stars and a planet) as a share of the step,
// on both screen sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/swarm/Swarm.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
using swarm::AlienShip;
using swarm::Swarm;

constexpr double kStepSeconds = 0.030;

using benchsetup::useScreen;

// From the game's menu into the last level, past its intro.
void startWave(Swarm& game) {
  game.init();
  swarm::menuFlow->menu().selected = Swarm::ITEM_START;
  gamelib::GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis() - 1000;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  game.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  swarm::level = swarm::lastLevel;
  game.setupWave();
  swarm::stateTimer = 0;
  game.update();
}

int away() {
  int n = 0;
  for (int32_t i = 0; i < swarm::allAliens->length; ++i) {
    const int state = (*swarm::allAliens)[i]->state;
    n += state == AlienShip::STATE_CLIMBING || state == AlienShip::STATE_DIVING ? 1 : 0;
  }
  return n;
}

// Keeps the wave busy: what was shot down or struck is put back before each step, while the outer aliens of
// the rows a full formation lets dive are all away and the player's shot flies.
void keepBusy() {
  swarm::gameState = Swarm::STATE_PLAY;
  swarm::lives = 4;
  swarm::shipExploding = false;
  for (int32_t i = 0; i < swarm::allAliens->length; ++i) {
    AlienShip& alien = *(*swarm::allAliens)[i];
    if (alien.state == AlienShip::STATE_EXPLODING || alien.state == AlienShip::STATE_GONE) {
      alien.state = AlienShip::STATE_FORMATION;
    }
  }
  swarm::aliensLeft = swarm::allAliens->length;
  for (int32_t r = 0; r < swarm::rowAlive->length; ++r) (*swarm::rowAlive)[r] = (*swarm::rowLength)[r];
  swarm::diveTimer = 0;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
}

void BM_BusyWaveStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      swarm::SwarmPtr game = new Swarm();
      GameLib::currentScreen = game;
      startWave(*game);
      GameLib::resetFrameClock();
      std::chrono::duration<double> elapsed{0};
      int mostAway = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy();
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(30);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
        state.PauseTiming();
        mostAway = std::max(mostAway, away());
        state.ResumeTiming();
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the run held, to show the wave stayed busy.
      state.counters["most_divers"] = mostAway;
      state.counters["aliens"] = swarm::aliensLeft;
      state.counters["playing"] = swarm::gameState == Swarm::STATE_PLAY ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
      ScreenCanvas::held[gamelib::GameAction::Fire] = false;
    }
  }
  useScreen(240, 320);
}
BENCHMARK(BM_BusyWaveStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
