// The space-rocks game's frame: one play step and the paint of a crowded last level (a dozen rocks, seven
// saucers with their rockets, a stream of shots, bursts in the air, the ship thrusting and turning) as a
// share of the 30 ms step, on both screen sizes. Reads the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/rocks/Rocks.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
using rocks::FlyingO;
using rocks::Rocks;

constexpr double kStepSeconds = 0.030;
constexpr int kRockPlaces = 16;
constexpr int kRocksAlive = 12;
constexpr int kBurstsAlive = 6;
// Every frame call is a play step: play advances once 51 ms have passed.
constexpr int kPlayStepMs = 60;

int alive(const rocks::FlyingOArrayPtr& objects) {
  int n = 0;
  for (int32_t i = 0; i < objects->length; ++i) n += (*objects)[i].isNull() ? 0 : 1;
  return n;
}

// From the game's menu into play on the last level.
void startLastLevel(Rocks& game) {
  game.init();
  rocks::menuFlow->menu().selected = Rocks::ITEM_START;
  gamelib::GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis() - 1000;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  game.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  rocks::level = rocks::data::kLastLevel;
  game.startLevel(rocks::level, 0);
  game.rockArray = new rocks::FlyingOArray(kRockPlaces);
  rocks::gameState = Rocks::STATE_PLAY;
}

// Keeps the level crowded and the game in play: rocks and saucers come back as they are shot, bursts go
// on, the ship fires, thrusts and turns and never dies.
void keepBusy(Rocks& game, int call) {
  rocks::gameState = Rocks::STATE_PLAY;
  rocks::invulnerable = true;
  rocks::ship->lives = 3;
  for (int32_t i = 0; i < game.rockArray->length && alive(game.rockArray) < kRocksAlive; ++i) {
    if ((*game.rockArray)[i].isNull()) {
      (*game.rockArray)[i] = new FlyingO(FlyingO::RANDOM, 0, FlyingO::RANDOM, 0, 1, 1 + i % 3, 1 + i % 2, nullptr, -1);
    }
  }
  for (int32_t i = 0; i < game.ufos->length; ++i) {
    if ((*game.ufos)[i].isNull()) {
      const int type = i < 2 ? 1 : i < 5 ? 2 : 3;
      (*game.ufos)[i] =
          new FlyingO(FlyingO::RANDOM, 0, FlyingO::RANDOM, 0, 1, 150, 150, nuv::lang::DStringPtr(u"ufo") + type, 0);
    }
  }
  for (int b = 0; game.burstCount < kBurstsAlive && b < kBurstsAlive; ++b) {
    game.startBurst(GameLib::screenWidth * (b + 1) / 8, GameLib::screenHeight / 3, GameLib::screenWidth / 2,
                    GameLib::screenHeight / 3);
  }
  bool* held = ScreenCanvas::held;
  held[gamelib::GameAction::Fire] = true;
  held[gamelib::GameAction::Up] = call % 4 != 0;
  held[gamelib::GameAction::Left] = call % 3 == 0;
}

void BM_CrowdedLevelStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib library;
    if (!library.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      rocks::RocksPtr game = new Rocks();
      GameLib::currentScreen = game;
      startLastLevel(*game);
      GameLib::resetFrameClock();
      rocks::lastStepTime = 0;
      std::chrono::duration<double> elapsed{0};
      int call = 0;
      for (auto _ : state) {
        state.PauseTiming();
        keepBusy(*game, call++);
        state.ResumeTiming();
        auto started = std::chrono::steady_clock::now();
        platform::advanceManualClock(kPlayStepMs);
        GameLib::resetFrameClock();
        platform::advanceManualClock(GameLib::kStepMs);
        library.app->tick();
        elapsed += std::chrono::steady_clock::now() - started;
      }
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
      // What the last frame held, to show the level stayed crowded.
      state.counters["rocks"] = alive(game->rockArray);
      state.counters["saucers"] = alive(game->ufos);
      state.counters["shots"] = game->shotCount;
      state.counters["bursts"] = game->burstCount;
      state.counters["playing"] = rocks::gameState == Rocks::STATE_PLAY ? 1 : 0;
      game->leave();
      GameLib::currentScreen = nullptr;
    }
  }
  benchsetup::useScreen(240, 320);
}
BENCHMARK(BM_CrowdedLevelStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
