// The brick-and-paddle game's test fixture.
#include "games/bounce/BounceFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace bouncetest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void BounceFixture::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  game = new bounce::Bounce();
  GameLib::currentScreen = game;
}

void BounceFixture::TearDown() {
  if (!bounce::menu.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  MenuFixture::TearDown();
}

void BounceFixture::startScreen() {
  game->init();
  wait(1500);
  step();
}

void BounceFixture::step() { stepScreen(*game); }

void BounceFixture::paint() { paintScreen(*game); }

void BounceFixture::play(int n) {
  for (int i = 0; i < n; ++i) {
    step();
    paint();
  }
}

void BounceFixture::choose(int32_t index) {
  bounce::menu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

void BounceFixture::startPlaying() {
  choose(bounce::Bounce::ITEM_START);
  wait(1501);
  step();
}

void BounceFixture::launch() {
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  step();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

int32_t BounceFixture::lastSound() {
  if (SoundManager::players.isNull() || SoundManager::current.isNull()) return -1;
  for (int32_t i = 0; i < SoundManager::players->length; ++i) {
    if ((*SoundManager::players)[i].get() == SoundManager::current.get()) return i;
  }
  return -1;
}

std::string item(int32_t index) { return gltest::narrow((*bounce::menu->items)[index]); }

}  // namespace bouncetest
