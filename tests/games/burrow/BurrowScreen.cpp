// The tunnel game's screen fixture.
#include "games/burrow/BurrowScreen.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace burrowtest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void BurrowScreen::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  burrow::stepParity = 0;
  game = new burrow::BurrowGame();
  GameLib::currentScreen = game;
  game->init();
  takeSound();
}

void BurrowScreen::TearDown() {
  if (!burrow::gameMenu.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  MenuFixture::TearDown();
}

void BurrowScreen::step() { stepScreen(*game); }

void BurrowScreen::paint() { paintScreen(*game); }

void BurrowScreen::tick() {
  for (int i = 0; i < 2; ++i) {
    step();
    paint();
  }
}

void BurrowScreen::choose(int32_t index) {
  burrow::gameMenu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  burrow::stepParity = 0;
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

void BurrowScreen::playLevel(int32_t level) {
  if (burrow::openLevel < 2) {
    choose(burrow::BurrowGame::ITEM_START);
  } else {
    choose(burrow::BurrowGame::ITEM_START);
    choose(burrow::openLevel - level);
  }
  wait(1501);
  burrow::stepParity = 0;
  game->update();
  // The level's first play step only waits.
  burrow::stepParity = 0;
  game->update();
}

int32_t BurrowScreen::takeSound() {
  int32_t id = -1;
  if (!SoundManager::players.isNull() && !SoundManager::current.isNull()) {
    for (int32_t i = 0; i < SoundManager::players->length; ++i)
      if ((*SoundManager::players)[i].get() == SoundManager::current.get()) id = i;
  }
  SoundManager::current = nullptr;
  return id;
}

std::string item(int32_t index) { return gltest::narrow((*burrow::gameMenu->items)[index]); }

}  // namespace burrowtest
