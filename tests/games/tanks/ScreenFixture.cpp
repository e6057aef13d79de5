// The tanks game's screen fixture.
#include "games/tanks/ScreenFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace tankstest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void ScreenFixture::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  tanks::initGlobals();
  GameLib::random = new nuv::util::DRandom();
  game = new tanks::GameMain();
  GameLib::currentScreen = game;
  gamelib::GameImage::graphics = GameLib::graphics;
  game->init();
}

void ScreenFixture::TearDown() {
  if (!tanks::mainMenu.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  tanks::releaseGlobals();
  MenuFixture::TearDown();
}

void ScreenFixture::step() { stepScreen(*game); }

void ScreenFixture::play(int n) {
  for (int i = 0; i < n; ++i) {
    step();
    if (!tanks::mainMenu.isNull()) game->paint();
  }
}

void ScreenFixture::choose(int32_t index) {
  tanks::mainMenu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

std::string ScreenFixture::item(int32_t index) { return gltest::narrow((*tanks::mainMenu->items)[index]); }

}  // namespace tankstest
