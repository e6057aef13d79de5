// The game library's frame: one 30 ms step plus the paint of a screen with a full-screen picture, twenty
// animated sprites and two lines of bitmap-font text, as a share of the step; and the start from launch to
// its loading bar with the fixed waits skipped. Both read the built game.dat.
#include <benchmark/benchmark.h>

#include <chrono>

#include "GameSetup.h"
#include "core/io/D7zipInputStream.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/TextTable.h"
#include "platform/seam/clock.h"

namespace {

using gamelib::Animation;
using gamelib::AnimationPtr;
using gamelib::GameImage;
using gamelib::GameLib;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;

constexpr int kSprites = 20;
constexpr double kStepSeconds = 0.030;

using benchsetup::useScreen;

// What a game's screen does in a frame: its background, its sprites moving and animating, its score lines.
class BusyScreen : public gamelib::GameInterface {
 public:
  BusyScreen() {
    background_ = GameLib::loadImage(u"menu/back");
    GameImage::loadImageTable(u"menu/icons");
    for (int i = 0; i < kSprites; ++i) {
      DStringArrayPtr names = new DStringArray(2);
      (*names)[0] = u"bnc.png";
      (*names)[1] = u"bnc_s.png";
      AnimationPtr sprite = new Animation(names);
      sprite->restart();
      sprites_[i] = sprite;
    }
  }
  void update() override { ++frame_; }
  void paint() override {
    GameLib::graphics->drawImage(background_, 0, 0, 20);
    for (int i = 0; i < kSprites; ++i) {
      int x = (i * 37 + frame_ * 3) % (GameLib::screenWidth - 56);
      int y = (i * 53 + frame_ * 2) % (GameLib::screenHeight - 56);
      sprites_[i]->paint(x, y);
    }
    (*GameLib::fonts)[GameLib::FONT_HUD0]->drawStringOnScreen(u"Score 0012345", 4, 4, 20);
    (*GameLib::fonts)[GameLib::FONT_SMALL]->drawStringOnScreen(u"Level 7 - Lives 3", GameLib::screenWidth / 2,
                                                               GameLib::screenHeight - 4, 1 | 32);
  }

 private:
  nuv::microedition::lcdui::DImagePtr background_;
  AnimationPtr sprites_[kSprites];
  int frame_ = 0;
};

// The start run through its first part, the logo and the loading bar, the clock jumped over every wait.
// True when the start reached its first screen.
void BM_FrameStepAndPaint(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  {
    benchsetup::StartedGameLib game;
    if (!game.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
    } else {
      GameLib::currentScreen = new BusyScreen();
      GameLib::resetFrameClock();
      auto started = std::chrono::steady_clock::now();
      for (auto _ : state) {
        platform::advanceManualClock(30);
        game.app->tick();
      }
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
      state.counters["percent_of_30ms"] =
          100.0 * elapsed.count() / (static_cast<double>(state.iterations()) * kStepSeconds);
    }
  }
  useScreen(240, 320);
}
BENCHMARK(BM_FrameStepAndPaint)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

void BM_StartToLoadingBar(benchmark::State& state) {
  benchsetup::useGameData(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    benchsetup::StartedGameLib game;
    if (!game.started) {
      state.SkipWithError(benchsetup::StartedGameLib::kNotStarted);
      break;
    }
  }
  useScreen(240, 320);
}
BENCHMARK(BM_StartToLoadingBar)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMillisecond);

}  // namespace
