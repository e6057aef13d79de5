// The game screens' test fixture.
#include "gamelib/GameScreenFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"

namespace gltest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;

void GameScreenFixtureBase::SetUp() {
  MenuFixture::SetUp();
  startSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
}

int32_t GameScreenFixtureBase::lastSound() {
  if (SoundManager::players.isNull() || SoundManager::current.isNull()) return -1;
  for (int32_t i = 0; i < SoundManager::players->length; ++i) {
    if ((*SoundManager::players)[i].get() == SoundManager::current.get()) return i;
  }
  return -1;
}

void GameScreenFixtureBase::chooseOn(GameMenu& list, gamelib::GameInterface& screen, int32_t item) {
  list.selected = item;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  screen.update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

}  // namespace gltest
