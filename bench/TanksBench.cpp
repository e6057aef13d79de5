// The tanks game's frame: one 30 ms step and the paint of a full battle (the most enemies the stage lets
// in, every shot in flight, the bonus on show) as a share of the step, on both screen sizes. Reads the
// built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/Grid.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
using tanks::GameMain;

constexpr double kStepSeconds = 0.030;

using benchsetup::useScreen;

// From the game's menu into stage 1, past its intro.
void startStage(GameMain& game) {
  game.init();
  tanks::menuFlow->menu().selected = GameMain::ITEM_START;
  gamelib::GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis() - 1000;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  game.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  platform::advanceManualClock(1600);
  game.update();
}

// Keeps the battle full: the player unhurt and firing, enemies let in at once, the bonus on show, and the
// battle never ending.
void keepBusy(GameMain& game) {
  tanks::state = GameMain::STATE_PLAYING;
  tanks::battleEnded = false;
  tanks::player->lives = 3;
  game.playfield->shieldTimer = 100000;
  game.playfield->newUnitTimer = -1;
  if (game.playfield->bonusLifetime <= 0) game.playfield->placeBonus();
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // Destroyed enemies come back so the field stays full.
  for (int i = 0; i < tanks::GameTanks::kEnemies; ++i) {
    tanks::GTNK& e = *(*tanks::enemies)[i];
    if (e.destroyed && e.stateTimer < 0) {
      e.init(e.type);
      e.place(0, 0, tanks::DIR_DOWN);
    }
  }
}

void BM_FullBattleStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      tanks::GameMainPtr game = new GameMain();
      GameLib::currentScreen = game;
      startStage(*game);
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
      int enemies = 0;
      for (int i = 0; i < tanks::GameTanks::kEnemies; ++i) enemies += (*tanks::enemies)[i]->takesPart() ? 1 : 0;
      state.counters["enemies"] = enemies;
      state.counters["playing"] = tanks::state == GameMain::STATE_PLAYING ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  useScreen(240, 320);
}
BENCHMARK(BM_FullBattleStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
